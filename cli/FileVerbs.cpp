#include "cli/FileVerbs.h"

#include <QSaveFile>

#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>

#include "channels/ToneCodec.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentJson.h"
#include "datafile/FileCommands.h"
#include "datafile/ImageDocument.h"
#include "datafile/QtDataFileStorage.h"
#include "model/RadioImage.h"
#include "model/RecordText.h"
#include "model/VersionRegistry.h"
#include "radio/Document.h"
#include "radio/GroupNames.h"
#include "radio/ImagePacking.h"

namespace {

constexpr int kBadInput = 1;
constexpr int kBadArguments = 2;

struct Arguments
{
    std::string input;
    std::string output;
};

// "INPUT --out OUTPUT" (either order), or "INPUT" alone when no output is wanted.
std::optional<Arguments> parseArguments(const std::vector<std::string> &args, bool wantsOutput)
{
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && wantsOutput && i + 1 < args.size() && parsed.output.empty())
            parsed.output = args[++i];
        else if (parsed.input.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0)
            parsed.input = args[i];
        else
            return std::nullopt;
    }
    if (parsed.input.empty() || (wantsOutput && parsed.output.empty()))
        return std::nullopt;
    return parsed;
}

int fail(std::ostream &err, std::string_view verb, std::string_view message, int status)
{
    err << "orx740-cli " << verb << ": " << message << '\n';
    return status;
}

} // namespace

std::string readDataFilePair(DataFileStorage &storage, const std::string &path, Document &document)
{
    if (!storage.settlePair(path, companionPath(path)))
        return path + ": an interrupted save could not be resolved";
    const std::optional<std::vector<std::uint8_t>> dataFile = storage.readFile(path);
    if (!dataFile)
        return path + ": cannot be read";
    const std::string version = dataFileVersionText(*dataFile);
    switch (checkDataFile(*dataFile, VersionRegistry())) {
    case DataFileCheck::UnknownVersion:
        return path + ": Unknown version Of DataFile!";
    case DataFileCheck::Incompatible:
        return path + ": data file version " + versionForDisplay(version) +
               " is not handled by this software (" + versionForDisplay(kSoftwareVersion) + ")";
    case DataFileCheck::WrongLength:
        return path + ": a data file is " + std::to_string(kDataFileSize) +
               " bytes long, this one " + std::to_string(dataFile->size());
    case DataFileCheck::Ok:
        break;
    }
    const std::string channelPath = companionPath(path);
    switch (unpackDataFilePair(*dataFile, storage.readFile(channelPath), document.saved())) {
    case PairReadStatus::Ok:
        break;
    case PairReadStatus::BadCounts:
        return path + ": a channel count does not fit its group";
    case PairReadStatus::ChannelFileMissing:
        return channelPath + ": cannot be read";
    case PairReadStatus::ChannelFileShort:
        return channelPath + ": shorter than the channel counts ask for";
    case PairReadStatus::ChannelFileLong:
        return channelPath + ": longer than the channel counts ask for (not this data file's pair)";
    case PairReadStatus::SettingsShort:
        return path + ": file error.";
    }
    document.saved().settings.version.assign(kDataFileVersion);
    document.restoreSnapshot();
    return {};
}

namespace {

bool writeFile(const std::string &path, std::span<const std::uint8_t> bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char *>(bytes.data()), size) == size && file.commit();
}

// A record text as the listing shows it: as the windows show it (trailing spaces removed, cut at
// the first NUL, decoded from the system's code page), so the listing is valid UTF-8 whatever the
// file holds. The one place to decode the record bytes.
template<std::size_t N>
std::string recordText(const FixedText<N> &text)
{
    return recordTextToUtf8(text.raw());
}

std::string frequencyText(const FixedText<8> &digits)
{
    std::string text = digits.trimmed();
    if (text.empty())
        return "(none)";
    if (text.size() < 3)
        return text;
    return text.substr(0, 2) + "." + text.substr(2) + " MHz";
}

std::string toneText(int type, int ctcss, int dcs)
{
    std::string shown;
    if (type == 1)
        shown = ctcssShowText(ctcss);
    else if (type == 2)
        shown = dcsShowText(dcs);
    else
        return "off";
    if (shown.empty())
        shown = "#" + std::to_string(type == 1 ? ctcss : dcs);
    return (type == 1 ? "CTCSS " : "DCS ") + shown;
}

std::string_view modeText(int mode)
{
    constexpr std::string_view kModes[]{"FM", "AM", "USB", "LSB", "PA", "CW"};
    return mode >= 0 && mode < 6 ? kModes[mode] : "?";
}

void showChannel(std::ostream &out, std::string_view label, const ChannelRecord &channel)
{
    out << "    " << label << std::setw(3) << channel.Number << "  "
        << frequencyText(channel.RxDigits) << "  " << modeText(channel.Mode) << "  TX "
        << toneText(channel.TxToneType, channel.TxCtcss, channel.TxDcs) << "  RX "
        << toneText(channel.RxToneType, channel.RxCtcss, channel.RxDcs)
        << (channel.Scan ? "  scan" : "") << '\n';
}

std::string groupLabel(const OptionRecord &options, int kind, int group)
{
    if (group == memGroup(kind))
        return "MEM";
    if (group == vfoGroup(kind))
        return "VFO";
    return "\"" + recordText(options.groupNames.names.at(kind, group)) + "\"";
}

void showDocument(std::ostream &out, const std::string &path, const DocumentSet &document)
{
    constexpr std::string_view kKindNames[]{"CB", "HF", "HAM"};
    const SettingsRecord &settings = document.settings;
    const IdentityRecord &identity = settings.identity;
    out << "File: " << path << '\n'
        << "Version: " << recordText(settings.version) << '\n'
        << "Model: " << recordText(identity.modelName) << ", code " << identity.modelCode
        << ", band class " << identity.bandClass << ", date " << recordText(identity.date)
        << ", firmware " << recordText(identity.firmwareVersion) << '\n'
        << "Current kind: " << settings.currentKind << '\n';
    for (int kind = 0; kind < kKindCount; ++kind) {
        out << "Kind " << kind << " " << kKindNames[kind] << '\n';
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = settings.channelCount(kind, group);
            const bool named = group <= namedGroupCount(kind);
            out << "  Group " << group << " " << groupLabel(settings.options, kind, group)
                << (named && !settings.options.groupNames.valid.at(kind, group) ? " (not valid)"
                                                                                : "")
                << ": " << count << (count == 1 ? " channel" : " channels") << '\n';
            for (int index = 1; index <= std::min(count, kMaxChannelsPerGroup); ++index)
                showChannel(out, "CH", document.channels.entry(kind, group, index));
        }
    }
    out << "Memory channels: " << document.memories.count << '\n';
    for (const ChannelRecord &memory : document.memories.records)
        if (memory.Present)
            showChannel(out, "MEM", memory);
}

} // namespace

std::string imageFromDataFile(const std::string &path, RadioImage &image)
{
    QtDataFileStorage storage;
    Document document;
    if (std::string error = readDataFilePair(storage, path, document); !error.empty())
        return error;
    PackDocumentIntoImage(document.working(), image);
    return {};
}

DataFileWriteResult dataFileFromImage(const RadioImage &image, const std::string &path)
{
    return saveDataFilePair(documentFromImage(image, newDocumentBase(todayAsDateText())), path);
}

DataFileWriteResult saveDataFilePair(const DocumentSet &working, const std::string &path)
{
    DataFileWriteResult result{withDataFileExtension(path), {}};
    const PackedPair packed = packForSaving(working);
    QtDataFileStorage storage;
    if (!storage.writePair(result.path, packed.dataFile, companionPath(result.path),
                           packed.channelFile))
        result.error = result.path + ": file error.";
    return result;
}

int runUnpackVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const std::optional<Arguments> parsed = parseArguments(args, true);
    if (!parsed)
        return fail(err, "unpack", "usage: unpack IMAGE --out FILE.dat", kBadArguments);
    QtDataFileStorage storage;
    const std::optional<std::vector<std::uint8_t>> bytes = storage.readFile(parsed->input);
    if (!bytes)
        return fail(err, "unpack", parsed->input + ": cannot be read", kBadInput);
    if (bytes->size() != RadioImage::kSize)
        return fail(err, "unpack",
                    parsed->input + ": an image is " + std::to_string(RadioImage::kSize) +
                        " bytes long, this one " + std::to_string(bytes->size()),
                    kBadInput);

    RadioImage image;
    image.writeBlock(0, *bytes);
    const DataFileWriteResult written = dataFileFromImage(image, parsed->output);
    if (!written.error.empty())
        return fail(err, "unpack", written.error, kBadInput);
    const std::string &path = written.path;
    out << "Wrote " << path << " and " << companionPath(path) << '\n';
    return 0;
}

int runPackVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const std::optional<Arguments> parsed = parseArguments(args, true);
    if (!parsed)
        return fail(err, "pack", "usage: pack FILE.dat --out IMAGE", kBadArguments);
    RadioImage image;
    if (const std::string error = imageFromDataFile(parsed->input, image); !error.empty())
        return fail(err, "pack", error, kBadInput);
    if (!writeFile(parsed->output, image.bytes()))
        return fail(err, "pack", parsed->output + ": cannot be written", kBadInput);
    out << "Wrote " << parsed->output << '\n';
    return 0;
}

int runShowVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    std::vector<std::string> rest = args;
    const bool json = std::erase(rest, std::string("--json")) > 0;
    const std::optional<Arguments> parsed = parseArguments(rest, false);
    if (!parsed)
        return fail(err, "show", "usage: show [--json] FILE.dat", kBadArguments);
    QtDataFileStorage storage;
    auto document = std::make_unique<Document>();
    if (const std::string error = readDataFilePair(storage, parsed->input, *document);
        !error.empty())
        return fail(err, "show", error, kBadInput);
    if (json)
        out << documentToJson(document->working());
    else
        showDocument(out, parsed->input, document->working());
    return 0;
}

int runUnpackVerb(const std::vector<std::string> &args)
{
    return runUnpackVerb(args, std::cout, std::cerr);
}

int runPackVerb(const std::vector<std::string> &args)
{
    return runPackVerb(args, std::cout, std::cerr);
}

int runShowVerb(const std::vector<std::string> &args)
{
    return runShowVerb(args, std::cout, std::cerr);
}
