#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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
// channels. Returns false, with the document untouched, when the bytes end early. Bytes after the
// last record are not read.
bool unpackChannelFile(std::span<const std::uint8_t> bytes, DocumentSet &document);

// Both files of a document, packed.
struct PackedPair
{
    std::vector<std::uint8_t> dataFile;
    std::vector<std::uint8_t> channelFile;
};
PackedPair packDataFilePair(const DocumentSet &document);

enum class PairReadStatus
{
    Ok,
    SettingsShort,      // the data file is shorter than one record
    BadCounts,          // a channel count the group cannot hold
    ChannelFileMissing, // no companion channel file, or it cannot be read
    ChannelFileShort,   // fewer channel records than the counts ask for
    ChannelFileLong,    // more bytes than the counts ask for: the files belong to different saves
};
// The settings record from the data file's bytes, then the channels from the channel file's.
// The document is replaced only when both read completely and the channel file is exactly as long
// as the counts ask; otherwise it is left as it was.
PairReadStatus unpackDataFilePair(std::span<const std::uint8_t> dataFile,
                                  const std::optional<std::vector<std::uint8_t>> &channelFile,
                                  DocumentSet &document);

// x.dat pairs with x.fre: the last three characters of the path become "fre".
std::string companionPath(std::string_view dataFilePath);
// A chosen file name with the ".dat" extension added when it has none (in any case), so that the
// companion never replaces part of the name itself.
std::string withDataFileExtension(std::string_view path);

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
