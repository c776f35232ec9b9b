#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The byte image of the radio's programmable memory, addresses 0x00000 to 0x22200. Every access is
// checked against that bound: an address outside is reported, never read or written.
class RadioImage
{
public:
    static constexpr std::uint32_t kLastAddress = 0x22200;
    static constexpr std::uint32_t kSize = kLastAddress + 1;
    static constexpr std::uint32_t kBlockSize = 16;

    RadioImage();

    // Every byte to 0; bytes outside every region go to the radio as 0.
    void clear();

    static constexpr bool contains(std::uint32_t address) { return address <= kLastAddress; }
    static constexpr bool contains(std::uint32_t address, std::size_t length)
    {
        return length == 0 || (address <= kLastAddress && length - 1 <= kLastAddress - address);
    }

    std::optional<std::uint8_t> read(std::uint32_t address) const;
    // Writes one byte; false (and nothing written) when the address is outside the image.
    bool write(std::uint32_t address, std::uint8_t value);

    // Reads a byte, or 0 for an address outside the image (for decoders whose tables are known to
    // lie inside; the bound is still checked).
    std::uint8_t byteAt(std::uint32_t address) const { return read(address).value_or(0); }

    bool readBlock(std::uint32_t address, std::span<std::uint8_t> out) const;
    bool writeBlock(std::uint32_t address, std::span<const std::uint8_t> bytes);

    // Bit-table access: a flag per channel, channel n (from 1) at bit (n-1) mod 8 of byte
    // base + (n-1) div 8. False when n < 1 or the byte lies outside the image.
    bool testBit(std::uint32_t base, int channel) const;
    bool setBit(std::uint32_t base, int channel, bool on = true);

    std::span<const std::uint8_t> bytes() const { return m_bytes; }

    friend bool operator==(const RadioImage &, const RadioImage &) = default;

private:
    std::vector<std::uint8_t> m_bytes;
};

// Address and mask of channel n (from 1) in a bit table starting at base.
struct BitPosition
{
    std::uint32_t address;
    std::uint8_t mask;
};
constexpr BitPosition bitTablePosition(std::uint32_t base, int channel)
{
    const auto index = static_cast<std::uint32_t>(channel - 1);
    return {base + index / 8, static_cast<std::uint8_t>(1u << (index % 8))};
}
