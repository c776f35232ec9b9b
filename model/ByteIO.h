#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/FixedText.h"

// Packed little-endian form of the document records: every field written one after the other with
// nothing between them. Records are packed field by field, never by copying a struct's memory.
class ByteWriter
{
public:
    void reserve(std::size_t size) { m_bytes.reserve(size); }
    void u8(std::uint8_t value) { m_bytes.push_back(value); }
    void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void u16(std::uint16_t value)
    {
        m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void i32(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.push_back(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
    }
    template<std::size_t N>
    void text(const FixedText<N> &field)
    {
        for (char c : field.bytes)
            m_bytes.push_back(static_cast<std::uint8_t>(c));
    }
    void raw(std::span<const std::uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }

    const std::vector<std::uint8_t> &bytes() const { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }
    std::size_t size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads the packed form back. Reading past the end yields zeros and marks the reader as failed,
// so a short input never reads outside its buffer and the caller can tell.
class ByteReader
{
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {}

    std::uint8_t u8() { return next(); }
    std::uint16_t u16()
    {
        const std::uint16_t low = next();
        const std::uint16_t high = next();
        return static_cast<std::uint16_t>(low | (high << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32()
    {
        std::uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8)
            bits |= static_cast<std::uint32_t>(next()) << shift;
        return static_cast<std::int32_t>(bits);
    }
    // Bytes past the end read as 0 and mark the reader failed, as single reads do.
    template<std::size_t N>
    void text(FixedText<N> &field)
    {
        const std::size_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const std::size_t count = std::min(N, available);
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position), count,
                    field.bytes.begin());
        std::fill(field.bytes.begin() + static_cast<std::ptrdiff_t>(count), field.bytes.end(),
                  '\0');
        m_position += count;
        if (count < N)
            m_failed = true;
    }
    void skip(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            next();
    }

    std::size_t position() const { return m_position; }
    bool ok() const { return !m_failed; }
    bool atEnd() const { return m_position >= m_bytes.size(); }

private:
    std::uint8_t next()
    {
        if (m_position >= m_bytes.size()) {
            m_failed = true;
            return 0;
        }
        return m_bytes[m_position++];
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};
