#include "model/ZipArchive.h"

#include <array>

namespace {

constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kUtf8Names = 1u << 11;

std::array<std::uint32_t, 256> crcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void put16(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint16_t dosTime(const ZipTimestamp &t)
{
    return std::uint16_t((t.hour << 11) | (t.minute << 5) | (t.second / 2));
}

std::uint16_t dosDate(const ZipTimestamp &t)
{
    return std::uint16_t(((t.year - 1980) << 9) | (t.month << 5) | t.day);
}

// The fields a local header and its central directory entry share, from "version needed" to the
// name's length.
void putCommonFields(std::vector<std::uint8_t> &out, const ZipMember &member, std::uint32_t crc,
                     const ZipTimestamp &time)
{
    put16(out, kVersionNeeded);
    put16(out, kUtf8Names);
    put16(out, 0); // stored
    put16(out, dosTime(time));
    put16(out, dosDate(time));
    put32(out, crc);
    put32(out, std::uint32_t(member.bytes.size())); // compressed size
    put32(out, std::uint32_t(member.bytes.size()));
    put16(out, std::uint32_t(member.name.size()));
    put16(out, 0); // extra field
}

} // namespace

std::uint32_t zipCrc32(const std::vector<std::uint8_t> &bytes)
{
    static const std::array<std::uint32_t, 256> table = crcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> storedZipArchive(const std::vector<ZipMember> &members,
                                           const ZipTimestamp &time)
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> directory;
    for (const ZipMember &member : members) {
        const std::uint32_t crc = zipCrc32(member.bytes);
        const auto offset = std::uint32_t(out.size());
        put32(out, 0x04034B50);
        putCommonFields(out, member, crc, time);
        out.insert(out.end(), member.name.begin(), member.name.end());
        out.insert(out.end(), member.bytes.begin(), member.bytes.end());

        put32(directory, 0x02014B50);
        put16(directory, 0x0300 | kVersionNeeded); // made by: Unix
        putCommonFields(directory, member, crc, time);
        put16(directory, 0);              // comment
        put16(directory, 0);              // disk
        put16(directory, 0);              // internal attributes
        put32(directory, 0100644u << 16); // external: a plain file, rw-r--r--
        put32(directory, offset);
        directory.insert(directory.end(), member.name.begin(), member.name.end());
    }
    const auto directoryOffset = std::uint32_t(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, std::uint32_t(members.size()));
    put16(out, std::uint32_t(members.size()));
    put32(out, std::uint32_t(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}
