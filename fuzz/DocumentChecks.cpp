#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "channels/ChannelRecords.h"
#include "datafile/ChannelColumns.h"
#include "datafile/ChannelCsv.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentText.h"
#include "datafile/InitFiles.h"
#include "datafile/PairCommit.h"
#include "fuzz/FuzzChecks.h"
#include "model/ChannelLayout.h"
#include "radio/Document.h"

namespace {

// The start document of every check: the shipped settings with channels in three groups and the
// VFO groups, and one memory channel; small enough that checking and resetting it costs little.
const DocumentSet &startDocument()
{
    static const std::unique_ptr<DocumentSet> document = [] {
        const std::unique_ptr<DocumentSet> shipped = shippedInitDocument(1, "20261209");
        auto small = std::make_unique<DocumentSet>();
        small->settings = shipped->settings;
        for (int kind = 0; kind < kKindCount; ++kind) {
            for (int group = 1; group <= kMaxGroup; ++group) {
                const bool kept = (kind == CB && group == 1) || (kind == HAM && group <= 2) ||
                                  group == vfoGroup(kind);
                const int count = kept ? std::min(shipped->channelCount(kind, group), 5) : 0;
                small->settings.channelCounts.at(kind, group) = static_cast<std::int16_t>(count);
                for (int index = 1; index <= count; ++index)
                    small->channels.entry(kind, group, index) =
                        shipped->channels.entry(kind, group, index);
            }
        }
        AddMemoryChannel(small->memories, 3, "27.12500", kindBandLimits(HF));
        return small;
    }();
    return *document;
}

const PackedPair &startPair()
{
    static const PackedPair packed = packDataFilePair(startDocument());
    return packed;
}

// Compares what a reader may have changed: the settings, the memories and every channel entry up
// to the larger of the two counts of its group.
int usedEntries(const DocumentSet &a, const DocumentSet &b, int kind, int group)
{
    return std::clamp(std::max(a.channelCount(kind, group), b.channelCount(kind, group)), 0,
                      kMaxChannelsPerGroup);
}

// Records without padding compare by their bytes: one comparison instead of one a field, which
// the fuzzer's instrumentation makes costly.
template<typename T>
bool sameBytes(const T &a, const T &b)
{
    static_assert(std::has_unique_object_representations_v<T>);
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool isStartDocument(const DocumentSet &document)
{
    const DocumentSet &start = startDocument();
    if (!(document.settings == start.settings) || !sameBytes(document.memories, start.memories))
        return false;
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= kMaxGroup; ++group)
            for (int index = 1; index <= usedEntries(document, start, kind, group); ++index)
                if (!sameBytes(document.channels.entry(kind, group, index),
                               start.channels.entry(kind, group, index)))
                    return false;
    return true;
}

// Makes the document the start document again without copying the whole channel store.
void resetToStart(DocumentSet &document)
{
    const DocumentSet &start = startDocument();
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= kMaxGroup; ++group)
            for (int index = 1; index <= usedEntries(document, start, kind, group); ++index)
                document.channels.entry(kind, group, index) =
                    start.channels.entry(kind, group, index);
    document.settings = start.settings;
    document.memories = start.memories;
}

using Bytes = std::vector<std::uint8_t>;

// Lays out the files a save of the new pair leaves behind when cut off at the moment given,
// with the old pair in place; returns whether the new pair was committed.
bool cutOffSave(MemoryPairFiles &folder, int moment, std::size_t cut, const Bytes &newData,
                const Bytes &newChannels)
{
    const std::string dat = "x.dat", fre = "x.fre";
    const PackedPair &old = startPair();
    folder.files = {{dat, old.dataFile}, {fre, old.channelFile}};
    const auto part = [cut](const Bytes &bytes) {
        return Bytes(bytes.begin(),
                     bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * cut / 256));
    };
    switch (moment) {
    case 1:
        folder.files[dat + "~new"] = part(newData);
        break;
    case 2:
        folder.files[dat + "~new"] = newData;
        folder.files[fre + "~new"] = part(newChannels);
        break;
    case 3:
    case 4:
        folder.files[dat + "~new"] = newData;
        folder.files[fre + "~new"] = newChannels;
        break;
    case 5:
        folder.files[dat + "~new"] = newData;
        folder.files[fre] = newChannels;
        break;
    case 6:
    case 7:
        folder.files[dat] = newData;
        folder.files[fre] = newChannels;
        break;
    default:
        break;
    }
    if (moment >= 4 && moment <= 6)
        folder.files[dat + "~commit"] = Bytes{'O', 'R', 'X', '7', '4', '0', '\n'};
    return moment >= 4;
}

void checkSettledSave(int moment, std::size_t cut, const Bytes &newData, const Bytes &newChannels)
{
    static MemoryPairFiles folder;
    const bool committed = cutOffSave(folder, moment, cut, newData, newChannels);
    fuzzRequire(settlePairFiles(folder, "x.dat", "x.fre"),
                "the leftovers of a save cannot be settled");
    fuzzRequire(folder.files.size() == 2, "a settled save leaves a file behind");
    const PackedPair &old = startPair();
    fuzzRequire(folder.files["x.dat"] == (committed ? newData : old.dataFile) &&
                    folder.files["x.fre"] == (committed ? newChannels : old.channelFile),
                "a settled save is neither the old pair nor the new one");
}

} // namespace

int checkDataFilePair(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int moment = data[0] % 8;
    const std::size_t cut = data[1];
    const std::size_t dataLength = std::min<std::size_t>(data[2] | data[3] << 8, size - 4);
    const Bytes dataFile(data + 4, data + 4 + dataLength);
    const Bytes channelFile(data + 4 + dataLength, data + size);

    // The document is large: kept for the whole run, and reset only after a pair was accepted.
    static DocumentSet document = startDocument();
    const PairReadStatus status = unpackDataFilePair(dataFile, channelFile, document);
    if (status != PairReadStatus::Ok) {
        fuzzRequire(isStartDocument(document), "a refused pair changed the document");
    } else {
        // Every byte of an accepted pair is a field (the doubles too, a NaN bit for bit), so the
        // records pack to the very bytes they were read from.
        const PackedPair packed = packDataFilePair(document);
        fuzzRequire(
            dataFile.size() >= kDataFileSize &&
                std::equal(packed.dataFile.begin(), packed.dataFile.end(), dataFile.begin()) &&
                packed.dataFile.size() == kDataFileSize,
            "an accepted data file does not pack to its own bytes");
        fuzzRequire(packed.channelFile == channelFile,
                    "an accepted channel file does not pack to its own bytes");
        resetToStart(document);
    }
    checkSettledSave(moment, cut, dataFile, channelFile);
    return 0;
}

int checkChannelCsv(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    std::optional<CsvTarget> target;
    if (data[0] & 0x80) {
        const int kind = data[0] % 4 - 1;
        target = CsvTarget{kind, kind < 0 ? 1 : 1 + (data[0] >> 2) % groupCount(kind)};
    }
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    static DocumentSet document = startDocument();
    const CsvImportResult result = importChannelCsv(text, document, target);
    if (!result.errors.empty()) {
        fuzzRequire(isStartDocument(document), "a refused CSV file changed the document");
        return 0;
    }
    // Its export, imported over the very document, changes nothing.
    const std::string exported = exportChannelCsv(document);
    static SettingsRecord settings;
    settings = document.settings;
    const std::vector<std::uint8_t> channels = packChannelFile(document);
    const CsvImportResult back = importChannelCsv(exported, document, std::nullopt);
    fuzzRequire(back.errors.empty(), "an exported CSV file does not import");
    fuzzRequire(document.settings == settings && packChannelFile(document) == channels,
                "an exported CSV file imports to another document");
    fuzzRequire(exportChannelCsv(document) == exported,
                "a CSV file does not export the same twice");
    resetToStart(document);
    return 0;
}

int checkDocumentText(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    static DocumentSet document = startDocument(), again;
    const std::vector<TextProblem> problems = readDocumentText(text, startDocument(), document);
    if (!problems.empty()) {
        fuzzRequire(isStartDocument(document), "a refused text changed the document");
        for (const TextProblem &problem : problems)
            fuzzRequire(problem.line > 0 && problem.column > 0 && !problem.message.empty(),
                        "a text is refused without saying where");
        return 0;
    }
    // What was accepted exports, imports and exports to the same text again; the settings record
    // comes back byte for byte (a channel typed with 7 digits comes back with the radio's 8).
    const std::string exported = documentToYaml(document, {});
    fuzzRequire(readDocumentText(exported, startDocument(), again).empty(),
                "an exported text does not import");
    fuzzRequire(documentToYaml(again, {}) == exported, "a text does not export the same twice");
    fuzzRequire(packSettingsRecord(again.settings) == packSettingsRecord(document.settings),
                "an exported text imports to other settings");
    resetToStart(document);
    return 0;
}
