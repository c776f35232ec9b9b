#pragma once

#include <cstdint>

// The order in which image blocks travel: 1872 blocks of 16 bytes in ascending address ranges;
// the rest of the image is never sent nor received.
inline constexpr std::int32_t kTransferStartAddress = -16;
inline constexpr std::int32_t kTransferEndAddress = 0x22200;
inline constexpr std::int32_t kLastTransferBlock = 0x22160;
inline constexpr int kTransferBlockCount = 1872;

// The first transferred address at or after a: the end of the gap a lies in, 0x22200 past the
// last block, otherwise a itself.
std::int32_t NextTransferAddress(std::int32_t a);

// The completion percentage shown for the block at this address: address x 100 / 0x22200,
// rounded to the nearest integer, halves to even.
int transferPercentage(std::int32_t address);
