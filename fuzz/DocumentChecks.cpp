#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "datafile/ChannelCsv.h"
#include "datafile/DataFileFormat.h"
#include "datafile/InitFiles.h"
#include "datafile/QtDataFileStorage.h"
#include "fuzz/FuzzChecks.h"
#include "model/ChannelLayout.h"
#include "radio/Document.h"

namespace {

// The shipped starting document: channels in most groups, every option set.
const DocumentSet &startDocument()
{
    static const std::unique_ptr<DocumentSet> document = shippedInitDocument(1, "20261209");
    return *document;
}

const PackedPair &startPair()
{
    static const PackedPair packed = packDataFilePair(startDocument());
    return packed;
}

// One folder for the whole run, in memory where the system offers it.
const std::string &pairFolder()
{
    static const std::string folder = [] {
        std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/orx740-fuzz-XXXXXX";
        fuzzRequire(mkdtemp(pattern.data()) != nullptr, "no folder for the pair");
        return pattern;
    }();
    return folder;
}

void writeFile(const std::string &path, std::span<const std::uint8_t> bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    fuzzRequire(file != nullptr, "a file of the pair cannot be written");
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

using Bytes = std::vector<std::uint8_t>;

// Lays out the files a save of the new pair leaves behind when cut off at the moment given,
// with the old pair in place; returns whether the new pair was committed.
bool cutOffSave(int moment, std::size_t cut, const Bytes &newData, const Bytes &newChannels)
{
    const std::string dat = pairFolder() + "/x.dat", fre = pairFolder() + "/x.fre";
    const PackedPair &old = startPair();
    writeFile(dat, old.dataFile);
    writeFile(fre, old.channelFile);
    const auto part = [cut](const Bytes &bytes) {
        return std::span<const std::uint8_t>(bytes).first(bytes.size() * cut / 256);
    };
    static constexpr std::uint8_t kMark[] = {'O', 'R', 'X', '7', '4', '0', '\n'};
    switch (moment) {
    case 1:
        writeFile(dat + "~new", part(newData));
        break;
    case 2:
        writeFile(dat + "~new", newData);
        writeFile(fre + "~new", part(newChannels));
        break;
    case 3:
    case 4:
        writeFile(dat + "~new", newData);
        writeFile(fre + "~new", newChannels);
        break;
    case 5:
        writeFile(dat + "~new", newData);
        writeFile(fre, newChannels);
        break;
    case 6:
    case 7:
        writeFile(dat, newData);
        writeFile(fre, newChannels);
        break;
    default:
        break;
    }
    if (moment >= 4 && moment <= 6)
        writeFile(dat + "~commit", kMark);
    return moment >= 4;
}

void checkSettledSave(int moment, std::size_t cut, const Bytes &newData, const Bytes &newChannels)
{
    const bool committed = cutOffSave(moment, cut, newData, newChannels);
    const std::string dat = pairFolder() + "/x.dat", fre = pairFolder() + "/x.fre";
    QtDataFileStorage storage;
    fuzzRequire(storage.settlePair(dat, fre), "the leftovers of a save cannot be settled");
    for (const char *leftover : {"/x.dat~new", "/x.fre~new", "/x.dat~commit"})
        fuzzRequire(!std::filesystem::exists(pairFolder() + leftover),
                    "a settled save leaves a file behind");
    const PackedPair &old = startPair();
    fuzzRequire(storage.readFile(dat) == (committed ? newData : old.dataFile) &&
                    storage.readFile(fre) == (committed ? newChannels : old.channelFile),
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

    // The documents are large: two kept for the whole run are reset rather than made anew.
    static DocumentSet document, again;
    document = startDocument();
    const PairReadStatus status = unpackDataFilePair(dataFile, channelFile, document);
    if (status != PairReadStatus::Ok) {
        fuzzRequire(document == startDocument(), "a refused pair changed the document");
    } else {
        const PackedPair packed = packDataFilePair(document);
        fuzzRequire(packed.dataFile.size() == kDataFileSize &&
                        packed.channelFile.size() == channelFileSize(document.settings),
                    "a pair packs to files of the wrong size");
        again = startDocument();
        // The settings hold doubles the file keeps bit for bit (a NaN too), so they are compared
        // as the program compares them: by their bytes.
        fuzzRequire(unpackDataFilePair(packed.dataFile, packed.channelFile, again) ==
                            PairReadStatus::Ok &&
                        again.channels == document.channels && again.memories == document.memories,
                    "an accepted pair does not read back to the same records");
        const PackedPair twice = packDataFilePair(again);
        fuzzRequire(twice.dataFile == packed.dataFile && twice.channelFile == packed.channelFile,
                    "an accepted pair does not read back to the same settings");
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

    static DocumentSet document, again;
    document = startDocument();
    const CsvImportResult result = importChannelCsv(text, document, target);
    if (!result.errors.empty()) {
        fuzzRequire(document == startDocument(), "a refused CSV file changed the document");
        return 0;
    }
    const std::string exported = exportChannelCsv(document);
    again = document;
    const CsvImportResult back = importChannelCsv(exported, again, std::nullopt);
    fuzzRequire(back.errors.empty(), "an exported CSV file does not import");
    fuzzRequire(again == document, "an exported CSV file imports to another document");
    fuzzRequire(exportChannelCsv(again) == exported, "a CSV file does not export the same twice");
    return 0;
}
