#pragma once

#include <cstdint>

// A document value as one image byte. Values 0..255 go as they are; anything else (the empty
// channel choice -1, or a value too large for a byte) becomes 0xFF, a defined byte, instead of
// stopping the pass half-way with an overflow.
constexpr std::uint8_t toImageByte(int value)
{
    return value >= 0 && value <= 0xFF ? static_cast<std::uint8_t>(value) : std::uint8_t{0xFF};
}

// A 16-bit document value as the radio keeps it: the low 16 bits, low byte first.
constexpr std::uint8_t lowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}
constexpr std::uint8_t highByte(int value)
{
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
