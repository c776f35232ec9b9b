#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;
struct SettingsRecord;
class VersionRegistry;

// A document on disk is a pair: the data file holds the settings record (exactly 2893 bytes) and
// the companion channel file (same name, extension "fre") holds 70-byte channel records, first the
// channels of every group in kind and group order, then all 96 memory channels.
inline constexpr std::size_t kDataFileSize = 2893;
inline constexpr std::size_t kChannelFileRecordSize = 70;

std::vector<std::uint8_t> packSettingsRecord(const SettingsRecord &settings);

enum class SettingsReadStatus
{
    Ok,
    Short,     // fewer than 2893 bytes
    BadCounts, // a channel count outside what its group can hold
};
// Reads a packed settings record. On any status but Ok the record is left untouched.
SettingsReadStatus unpackSettingsRecord(std::span<const std::uint8_t> bytes,
                                        SettingsRecord &settings);

// The channel file of a document; its record count follows the settings' channel counts.
std::vector<std::uint8_t> packChannelFile(const DocumentSet &document);
std::size_t channelFileSize(const SettingsRecord &settings);
// Reads channel records into the groups (as far as the settings' counts ask) and the memory
// channels. Returns false when the bytes end early; what was read before that stays read.
bool unpackChannelFile(std::span<const std::uint8_t> bytes, DocumentSet &document);

// x.dat pairs with x.fre: the last three characters of the path become "fre".
std::string companionPath(std::string_view dataFilePath);

enum class DataFileCheck
{
    Ok,
    UnknownVersion, // the first four bytes are not "V" and three digits
    Incompatible,   // this software does not handle the file's version
    WrongLength,    // not exactly 2893 bytes
};
// The checks an Open makes before reading, in their order.
DataFileCheck checkDataFile(std::span<const std::uint8_t> bytes, const VersionRegistry &registry);
std::string dataFileVersionText(std::span<const std::uint8_t> bytes);
