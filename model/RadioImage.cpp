#include "model/RadioImage.h"

#include <algorithm>

RadioImage::RadioImage()
    : m_bytes(kSize, 0)
{}

void RadioImage::clear()
{
    std::fill(m_bytes.begin(), m_bytes.end(), std::uint8_t{0});
}

std::optional<std::uint8_t> RadioImage::read(std::uint32_t address) const
{
    if (!contains(address))
        return std::nullopt;
    return m_bytes[address];
}

bool RadioImage::write(std::uint32_t address, std::uint8_t value)
{
    if (!contains(address))
        return false;
    m_bytes[address] = value;
    return true;
}

bool RadioImage::readBlock(std::uint32_t address, std::span<std::uint8_t> out) const
{
    if (!contains(address, out.size()))
        return false;
    std::copy_n(m_bytes.begin() + address, out.size(), out.begin());
    return true;
}

bool RadioImage::writeBlock(std::uint32_t address, std::span<const std::uint8_t> bytes)
{
    if (!contains(address, bytes.size()))
        return false;
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + address);
    return true;
}

bool RadioImage::testBit(std::uint32_t base, int channel) const
{
    if (channel < 1)
        return false;
    const BitPosition position = bitTablePosition(base, channel);
    const auto byte = read(position.address);
    return byte && (*byte & position.mask) != 0;
}

bool RadioImage::setBit(std::uint32_t base, int channel, bool on)
{
    if (channel < 1)
        return false;
    const BitPosition position = bitTablePosition(base, channel);
    const auto byte = read(position.address);
    if (!byte)
        return false;
    const std::uint8_t value = on ? static_cast<std::uint8_t>(*byte | position.mask)
                                  : static_cast<std::uint8_t>(*byte & ~position.mask);
    return write(position.address, value);
}
