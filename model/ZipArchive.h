#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One file of a zip archive: its name inside the archive ("ports.txt", "document/radio.dat") and
// its bytes.
struct ZipMember
{
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The DOS date and time every member carries.
struct ZipTimestamp
{
    int year{1980}; // 1980-2107
    int month{1};
    int day{1};
    int hour{0};
    int minute{0};
    int second{0};
};

// A zip archive (PKWARE's format, version 2.0) of the members, stored without compression: every
// unzip tool and the file managers of every desktop open it, and a problem report is small.
// Names are UTF-8 (flag bit 11). Members and archive must each stay under 4 GiB.
std::vector<std::uint8_t> storedZipArchive(const std::vector<ZipMember> &members,
                                           const ZipTimestamp &time);

// The CRC-32 of the zip format (polynomial 0xEDB88320).
std::uint32_t zipCrc32(const std::vector<std::uint8_t> &bytes);
