#pragma once

#include <cstddef>

class ByteReader;
class ByteWriter;
struct ChannelRecord;

// The packed data-file form of one channel: every field in declaration order, 16-bit integers
// little-endian, the two 8-character texts as their raw bytes.
inline constexpr std::size_t kChannelRecordFormSize = 70;

void writeChannelRecord(ByteWriter &writer, const ChannelRecord &record);
// Reads one record; a short input leaves the reader failed (see ByteReader::ok).
void readChannelRecord(ByteReader &reader, ChannelRecord &record);
