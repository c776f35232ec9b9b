#include "datafile/ChannelCsv.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <set>

#include "channels/ChannelRecords.h"
#include "channels/ToneCodec.h"
#include "datafile/ChannelColumns.h"
#include "radio/Document.h"
#include "radio/FrequencyCodec.h"

namespace {

constexpr int kMemoryKind = -1;

std::string rangeText(const BandLimits &limits)
{
    return formatMhz(limits.lower) + " - " + formatMhz(limits.upper) + " MHz";
}

// One line made ready: where it goes and the texts of its columns.
struct PlannedLine
{
    int line = 0;
    int kind = 0;
    int group = 0;
    int number = 0;
    std::string frequency;
    std::vector<std::pair<const ChannelColumn *, std::string>> columns;
};

class Header
{
public:
    explicit Header(const std::vector<std::string> &names)
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            m_columns.emplace_back(std::string(trimmed(names[i])), i);
    }
    std::optional<std::size_t> find(std::string_view name) const
    {
        for (const auto &[columnName, index] : m_columns)
            if (sameWord(columnName, name))
                return index;
        return std::nullopt;
    }
    const std::vector<std::pair<std::string, std::size_t>> &columns() const { return m_columns; }

private:
    std::vector<std::pair<std::string, std::size_t>> m_columns;
};

std::string fieldAt(const CsvRow &row, std::optional<std::size_t> index)
{
    if (!index || *index >= row.fields.size())
        return {};
    return std::string(trimmed(row.fields[*index]));
}

std::string where(int line)
{
    return "line " + std::to_string(line) + ": ";
}

// The program's own layout: every line names its kind, group and channel.
void planOwnLayout(const Header &header, const std::vector<CsvRow> &rows,
                   std::vector<PlannedLine> &plan, CsvImportResult &result)
{
    const auto kindColumn = header.find("Kind");
    const auto groupColumn = header.find("Group");
    const auto channelColumn = header.find("Channel");
    const auto frequencyColumn = header.find("Frequency");
    if (!channelColumn || !frequencyColumn) {
        result.errors.push_back(where(rows.front().line) +
                                "the header needs the columns Kind, Group, Channel and Frequency");
        return;
    }
    std::vector<std::pair<const ChannelColumn *, std::size_t>> known;
    for (const auto &[name, index] : header.columns()) {
        if (const ChannelColumn *column = findChannelColumn(name);
            column && !sameWord(name, "Frequency"))
            known.emplace_back(column, index);
        else if (!column && !sameWord(name, "Kind") && !sameWord(name, "Group") &&
                 !sameWord(name, "Channel"))
            result.notes.push_back("column " + name + " is not read");
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow &row = rows[r];
        PlannedLine line;
        line.line = row.line;
        const std::string kindText = fieldAt(row, kindColumn);
        if (sameWord(kindText, "MEM")) {
            line.kind = kMemoryKind;
        } else if (const auto kind = kindFromName(kindText)) {
            line.kind = *kind;
            const auto group = wholeNumber(fieldAt(row, groupColumn));
            if (!group || *group < 1 || *group > groupCount(*kind)) {
                result.errors.push_back(where(row.line) + "group \"" + fieldAt(row, groupColumn) +
                                        "\" does not exist in " + kindText + " (1-" +
                                        std::to_string(groupCount(*kind)) + ")");
                continue;
            }
            line.group = *group;
        } else {
            result.errors.push_back(where(row.line) + "kind \"" + kindText +
                                    "\" is none of CB, HF, HAM, MEM");
            continue;
        }
        const auto number = wholeNumber(fieldAt(row, channelColumn));
        if (!number) {
            result.errors.push_back(where(row.line) + "channel \"" + fieldAt(row, channelColumn) +
                                    "\" is no number");
            continue;
        }
        line.number = *number;
        line.frequency = fieldAt(row, frequencyColumn);
        for (const auto &[column, index] : known)
            line.columns.emplace_back(column, fieldAt(row, index));
        plan.push_back(std::move(line));
    }
}

// The common layout of other programming tools, into one group.
void planCommonLayout(const Header &header, const std::vector<CsvRow> &rows,
                      const CsvTarget &target, std::vector<PlannedLine> &plan,
                      CsvImportResult &result)
{
    const auto frequencyColumn = header.find("Frequency");
    if (!frequencyColumn) {
        result.errors.push_back(where(rows.front().line) + "the header has no Frequency column");
        return;
    }
    const auto location = header.find("Location");
    const auto duplex = header.find("Duplex");
    const auto tone = header.find("Tone");
    const auto rTone = header.find("rToneFreq");
    const auto cTone = header.find("cToneFreq");
    const auto dtcsCode = header.find("DtcsCode");
    const auto dtcsPolarity = header.find("DtcsPolarity");
    const auto mode = header.find("Mode");
    const auto skip = header.find("Skip");
    const ChannelColumn *repeaterColumn = findChannelColumn("Repeater");
    const ChannelColumn *rxToneColumn = findChannelColumn("RxTone");
    const ChannelColumn *txToneColumn = findChannelColumn("TxTone");
    const ChannelColumn *modeColumn = findChannelColumn("Mode");
    const ChannelColumn *scanColumn = findChannelColumn("Scan");
    if (header.find("Name"))
        result.notes.emplace_back("the radio keeps no channel names: column Name is not kept");
    if (header.find("Offset"))
        result.notes.emplace_back("the radio has one repeater offset for all channels (an option): "
                                  "column Offset is not kept");

    int next = 1;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow &row = rows[r];
        PlannedLine line;
        line.line = row.line;
        line.kind = target.kind;
        line.group = target.group;
        if (location) {
            const auto number = wholeNumber(fieldAt(row, location));
            if (!number) {
                result.errors.push_back(where(row.line) + "Location \"" + fieldAt(row, location) +
                                        "\" is no number");
                continue;
            }
            line.number = *number;
        } else {
            line.number = next++;
        }
        line.frequency = fieldAt(row, frequencyColumn);

        const std::string duplexText = fieldAt(row, duplex);
        if (duplexText.empty() || duplexText == "+" || duplexText == "-") {
            line.columns.emplace_back(repeaterColumn, duplexText.empty()  ? "Off"
                                                      : duplexText == "+" ? "REP+"
                                                                          : "REP-");
        } else {
            result.errors.push_back(where(row.line) + "Duplex \"" + duplexText +
                                    "\" is not available on this radio (\"\", \"+\" or \"-\")");
            continue;
        }

        const std::string toneMode = fieldAt(row, tone);
        std::string txTone = "Off";
        std::string rxTone = "Off";
        if (sameWord(toneMode, "Tone")) {
            txTone = fieldAt(row, rTone);
        } else if (sameWord(toneMode, "TSQL")) {
            txTone = fieldAt(row, rTone);
            rxTone = fieldAt(row, cTone);
        } else if (sameWord(toneMode, "DTCS")) {
            const std::string polarity = fieldAt(row, dtcsPolarity);
            if (!polarity.empty() && !sameWord(polarity, "NN")) {
                result.errors.push_back(where(row.line) + "DCS polarity \"" + polarity +
                                        "\" is not available on this radio (normal only)");
                continue;
            }
            txTone = rxTone = "D" + fieldAt(row, dtcsCode) + "N";
        } else if (!toneMode.empty()) {
            result.errors.push_back(where(row.line) + "Tone \"" + toneMode +
                                    "\" is not available on this radio (\"\", Tone, TSQL, DTCS)");
            continue;
        }
        line.columns.emplace_back(txToneColumn, txTone);
        line.columns.emplace_back(rxToneColumn, rxTone);

        std::string modeText = fieldAt(row, mode);
        if (sameWord(modeText, "NFM"))
            modeText = "FM";
        if (!modeText.empty())
            line.columns.emplace_back(modeColumn, modeText);
        line.columns.emplace_back(scanColumn, sameWord(fieldAt(row, skip), "S") ? "Off" : "On");
        plan.push_back(std::move(line));
    }
}

// What an import may change, as it was before: the settings, the memory channels and every entry
// of each group the file names. The import works on the document itself and puts these back when
// a line is refused, so no copy of the whole channel store is made.
struct ImportedParts
{
    SettingsRecord settings;
    MemoryChannels memories;
    std::map<std::pair<int, int>, std::vector<ChannelRecord>> groups; // all 99 entries

    ImportedParts(const DocumentSet &document, const std::set<std::pair<int, int>> &named)
        : settings(document.settings)
        , memories(document.memories)
    {
        for (const auto &[kind, group] : named) {
            std::vector<ChannelRecord> &entries = groups[{kind, group}];
            entries.reserve(kMaxChannelsPerGroup);
            for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
                entries.push_back(document.channels.entry(kind, group, index));
        }
    }

    // The channel of that number as the group held it, or nullptr.
    const ChannelRecord *channel(int kind, int group, int number) const
    {
        const auto found = groups.find({kind, group});
        if (found == groups.end())
            return nullptr;
        const int count = std::clamp(settings.channelCount(kind, group), 0, kMaxChannelsPerGroup);
        for (int index = 0; index < count; ++index)
            if (found->second[static_cast<std::size_t>(index)].Number == number)
                return &found->second[static_cast<std::size_t>(index)];
        return nullptr;
    }

    void restore(DocumentSet &document) const
    {
        document.settings = settings;
        document.memories = memories;
        for (const auto &[where, entries] : groups)
            for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
                document.channels.entry(where.first, where.second, index) =
                    entries[static_cast<std::size_t>(index - 1)];
    }
};

// The record a line starts from: the channel with that number as it was, or a new channel.
// Refusals come back as text.
std::string placeLine(const PlannedLine &line, const ImportedParts &before, DocumentSet &document)
{
    const bool memory = line.kind == kMemoryKind;
    const BandLimits limits = memory ? memoryBandLimits() : kindBandLimits(line.kind);
    const ChannelRecord *old = nullptr;
    if (memory) {
        if (line.number < 1 || line.number > kMemoryChannelCount)
            return "memory channel " + std::to_string(line.number) + " does not exist (1-96)";
        if (before.memories.at(line.number).Present)
            old = &before.memories.at(line.number);
    } else {
        old = before.channel(line.kind, line.group, line.number);
    }

    // The frequency check the channel window makes when a frequency is typed in; a channel that
    // keeps its frequency is not typed into.
    const std::string oldText = old ? DigitsToDisplay(old->RxDigits.raw(), limits).text : "";
    const bool unchanged = old && !line.frequency.empty() && parseNumberText(line.frequency) &&
                           parseNumberText(oldText) &&
                           formatMhz(*parseNumberText(line.frequency)) == oldText;
    std::string checkedText;
    if (!unchanged) {
        if (line.frequency.empty())
            return "no frequency";
        checkedText = CheckFrequencyText(line.frequency, false, false, limits).text;
        if (checkedText.empty())
            return "frequency \"" + line.frequency + "\" is out of range for " +
                   (memory ? std::string("memory channels") : std::string(kindName(line.kind))) +
                   " (" + rangeText(limits) + ")";
    }

    ChannelRecord *record = nullptr;
    if (memory) {
        ChannelRecord &target = document.memories.at(line.number);
        if (old)
            target = *old;
        else
            AddMemoryChannel(document.memories, line.number, checkedText, limits);
        record = &target;
    } else {
        const auto index =
            AddChannel(document, line.kind, line.group, line.number, checkedText, limits);
        if (!index) {
            if (FindChannel(document, line.kind, line.group, line.number))
                return "channel " + std::to_string(line.number) + " is listed twice";
            if (document.channelCount(line.kind, line.group) >=
                groupCapacity(line.kind, line.group))
                return std::string(kindName(line.kind)) + " group " + std::to_string(line.group) +
                       " holds at most " + std::to_string(groupCapacity(line.kind, line.group)) +
                       " channels";
            return "channel " + std::to_string(line.number) + " does not exist in " +
                   std::string(kindName(line.kind)) + " group " + std::to_string(line.group);
        }
        record = &document.channels.entry(line.kind, line.group, *index);
        if (old)
            *record = *old;
    }
    if (!unchanged && old) {
        const std::string digits = DisplayToDigits(checkedText, limits);
        record->RxDigits.assign(digits);
        record->TxDigits.assign(digits);
    }
    for (const auto &[column, text] : line.columns) {
        if (std::string error = column->read(*record, text); !error.empty())
            return std::string(column->name) + ": " + error;
    }
    return {};
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::vector<CsvRow> parseCsv(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<CsvRow> rows;
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRow row;
        row.line = line;
        std::string field;
        bool quoted = false;
        bool endOfRow = false;
        while (i < text.size() && !endOfRow) {
            const char c = text[i++];
            if (quoted) {
                if (c == '"' && i < text.size() && text[i] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n')
                        ++line;
                    field += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                row.fields.push_back(std::move(field));
                field.clear();
            } else if (c == '\n') {
                ++line;
                endOfRow = true;
            } else if (c != '\r') {
                field += c;
            }
        }
        row.fields.push_back(std::move(field));
        const bool blank = row.fields.size() == 1 && trimmed(row.fields[0]).empty();
        if (!blank)
            rows.push_back(std::move(row));
    }
    return rows;
}

std::string exportChannelCsv(const DocumentSet &document)
{
    std::string text = "Kind,Group,Channel";
    for (const ChannelColumn &column : channelColumns())
        text += "," + std::string(column.name);
    text += "\r\n";
    const auto addLine = [&text](std::string_view kind, const std::string &group,
                                 const ChannelRecord &record) {
        text += std::string(kind) + "," + group + "," + std::to_string(record.Number);
        for (const ChannelColumn &column : channelColumns())
            text += "," + csvField(column.show(record));
        text += "\r\n";
    };
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count =
                std::clamp(document.channelCount(kind, group), 0, kMaxChannelsPerGroup);
            for (int index = 1; index <= count; ++index)
                addLine(kindName(kind), std::to_string(group),
                        document.channels.entry(kind, group, index));
        }
    }
    for (const ChannelRecord &memory : document.memories.records)
        if (memory.Present)
            addLine("MEM", "", memory);
    return text;
}

CsvImportResult importChannelCsv(std::string_view text, DocumentSet &document,
                                 const std::optional<CsvTarget> &commonLayoutTarget)
{
    CsvImportResult result;
    const std::vector<CsvRow> rows = parseCsv(text);
    if (rows.empty()) {
        result.errors.emplace_back("line 1: the file holds no header line");
        return result;
    }
    const Header header(rows.front().fields);
    std::vector<PlannedLine> plan;
    if (header.find("Kind"))
        planOwnLayout(header, rows, plan, result);
    else if (commonLayoutTarget)
        planCommonLayout(header, rows, *commonLayoutTarget, plan, result);
    else
        result.errors.push_back(
            where(rows.front().line) +
            "no Kind column: a file in the common layout needs --kind and --group");
    if (plan.empty())
        return result;

    // The groups the file names start empty; the rest of the document stays as it is.
    std::set<std::pair<int, int>> groups;
    bool memories = false;
    for (const PlannedLine &line : plan) {
        if (line.kind == kMemoryKind)
            memories = true;
        else
            groups.emplace(line.kind, line.group);
    }
    const auto before = std::make_unique<ImportedParts>(document, groups);
    for (const auto &[kind, group] : groups)
        while (document.channelCount(kind, group) > 0)
            RemoveChannelEntry(document, kind, group, document.channelCount(kind, group));
    if (memories) {
        for (ChannelRecord &memory : document.memories.records)
            memory.Present = 0;
        document.memories.count = 0;
    }
    std::set<int> memoriesSeen;
    for (const PlannedLine &line : plan) {
        if (line.kind == kMemoryKind && !memoriesSeen.insert(line.number).second) {
            result.errors.push_back(where(line.line) + "memory channel " +
                                    std::to_string(line.number) + " is listed twice");
            continue;
        }
        if (std::string error = placeLine(line, *before, document); !error.empty())
            result.errors.push_back(where(line.line) + error);
        else
            ++result.channels;
    }
    if (!result.errors.empty()) {
        before->restore(document);
        const auto lineOf = [](const std::string &error) { return std::stoi(error.substr(5)); };
        std::stable_sort(
            result.errors.begin(), result.errors.end(),
            [&](const std::string &a, const std::string &b) { return lineOf(a) < lineOf(b); });
        return result;
    }
    int present = 0;
    for (const ChannelRecord &memory : document.memories.records)
        present += memory.Present ? 1 : 0;
    if (memories)
        document.memories.count = present;
    return result;
}
