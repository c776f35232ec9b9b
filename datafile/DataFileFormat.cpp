#include "datafile/DataFileFormat.h"

#include <algorithm>
#include <cctype>

#include "channels/ChannelRecordForm.h"
#include "model/ByteIO.h"
#include "model/VersionRegistry.h"
#include "radio/ChannelAddresses.h"
#include "radio/Document.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"
#include "radio/SettingsRecord.h"

namespace {

// Channels a group contributes to the channel file: its count, never below 0 or beyond what the
// channel store holds.
int storedChannels(const SettingsRecord &settings, int kind, int group)
{
    return std::clamp(settings.channelCount(kind, group), 0, kMaxChannelsPerGroup);
}

bool countsFitTheirGroups(const SettingsRecord &settings)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= kMaxGroup; ++group) {
            const int count = settings.channelCounts.at(kind, group);
            // CB group 3 owns 80 slots, so its list may hold up to 80 channels.
            const int capacity =
                group <= groupCount(kind) ? slotAreaSize(kind, group) : kMaxChannelsPerGroup;
            if (count < 0 || count > capacity)
                return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> packSettingsRecord(const SettingsRecord &settings)
{
    ByteWriter writer;
    writer.reserve(kDataFileSize);
    packFields(writer, settings);
    return writer.take();
}

SettingsReadStatus unpackSettingsRecord(std::span<const std::uint8_t> bytes,
                                        SettingsRecord &settings)
{
    if (bytes.size() < kDataFileSize)
        return SettingsReadStatus::Short;
    SettingsRecord record;
    ByteReader reader(bytes.first(kDataFileSize));
    unpackFields(reader, record);
    if (!reader.ok())
        return SettingsReadStatus::Short;
    // A count beyond its group would make every later loop over the group read past its list.
    if (!countsFitTheirGroups(record))
        return SettingsReadStatus::BadCounts;
    settings = record;
    return SettingsReadStatus::Ok;
}

std::size_t channelFileSize(const SettingsRecord &settings)
{
    std::size_t records = kMemoryChannelCount;
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= groupCount(kind); ++group)
            records += static_cast<std::size_t>(storedChannels(settings, kind, group));
    return records * kChannelFileRecordSize;
}

std::vector<std::uint8_t> packChannelFile(const DocumentSet &document)
{
    ByteWriter writer;
    writer.reserve(channelFileSize(document.settings));
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = storedChannels(document.settings, kind, group);
            for (int index = 1; index <= count; ++index)
                packFields(writer, document.channels.entry(kind, group, index));
        }
    }
    for (const ChannelRecord &memory : document.memories.records)
        packFields(writer, memory);
    return writer.take();
}

bool unpackChannelFile(std::span<const std::uint8_t> bytes, DocumentSet &document)
{
    if (bytes.size() < channelFileSize(document.settings))
        return false;
    ByteReader reader(bytes);
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = storedChannels(document.settings, kind, group);
            for (int index = 1; index <= count; ++index)
                unpackFields(reader, document.channels.entry(kind, group, index));
        }
    }
    for (ChannelRecord &memory : document.memories.records)
        unpackFields(reader, memory);
    // The file does not store how many memories are present; the records say it.
    document.memories.count = static_cast<int>(
        std::count_if(document.memories.records.begin(), document.memories.records.end(),
                      [](const ChannelRecord &memory) { return memory.Present != 0; }));
    return reader.ok();
}

PackedPair packDataFilePair(const DocumentSet &document)
{
    return {packSettingsRecord(document.settings), packChannelFile(document)};
}

PairReadStatus unpackDataFilePair(std::span<const std::uint8_t> dataFile,
                                  const std::optional<std::vector<std::uint8_t>> &channelFile,
                                  DocumentSet &document)
{
    // Everything is checked before the document is touched, so that a pair that fails leaves
    // nothing half-read behind (and no copy of the whole document is needed).
    SettingsRecord settings;
    switch (unpackSettingsRecord(dataFile, settings)) {
    case SettingsReadStatus::Short:
        return PairReadStatus::SettingsShort;
    case SettingsReadStatus::BadCounts:
        return PairReadStatus::BadCounts;
    case SettingsReadStatus::Ok:
        break;
    }
    if (!channelFile)
        return PairReadStatus::ChannelFileMissing;
    const std::size_t wanted = channelFileSize(settings);
    if (channelFile->size() < wanted)
        return PairReadStatus::ChannelFileShort;
    if (channelFile->size() != wanted)
        return PairReadStatus::ChannelFileLong;
    document.settings = settings;
    unpackChannelFile(*channelFile, document);
    return PairReadStatus::Ok;
}

std::string companionPath(std::string_view dataFilePath)
{
    if (dataFilePath.size() < 3)
        return std::string(dataFilePath) + "fre";
    return std::string(dataFilePath.substr(0, dataFilePath.size() - 3)) + "fre";
}

std::string withDataFileExtension(std::string_view path)
{
    const auto separator = path.find_last_of("\\/");
    const std::string_view name =
        separator == std::string_view::npos ? path : path.substr(separator + 1);
    if (name.size() > 4) {
        std::string extension(name.substr(name.size() - 4));
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".dat")
            return std::string(path);
    }
    return std::string(path) + ".dat";
}

std::string dataFileVersionText(std::span<const std::uint8_t> bytes)
{
    const std::size_t length = std::min<std::size_t>(bytes.size(), 4);
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

DataFileCheck checkDataFile(std::span<const std::uint8_t> bytes, const VersionRegistry &registry)
{
    const std::string version = dataFileVersionText(bytes);
    if (!isVersionText(version))
        return DataFileCheck::UnknownVersion;
    if (!registry.compatible(kSoftwareVersion, version))
        return DataFileCheck::Incompatible;
    if (bytes.size() != kDataFileSize)
        return DataFileCheck::WrongLength;
    return DataFileCheck::Ok;
}
