#pragma once

#include <cstddef>

// The packed data-file form of one channel (the field list of ChannelRecord): every field in
// declaration order, 16-bit integers little-endian, the two 8-character texts as their raw bytes.
inline constexpr std::size_t kChannelRecordFormSize = 70;
