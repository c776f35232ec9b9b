#include "channels/ChannelGrid.h"

#include <algorithm>
#include <charconv>

#include "channels/ChannelRecords.h"
#include "radio/Document.h"

namespace ChannelGrid {

namespace {

constexpr int kLastRegularChannel = 40;
constexpr int kMemoryRowsPerCbGroup = 16;

bool isNamedGroup(int kind, int group)
{
    return group >= 1 && group <= namedGroupCount(kind);
}

int entryCount(const DocumentSet &document, int kind, int group)
{
    return std::clamp<int>(document.channelCount(kind, group), 0, kMaxChannelsPerGroup);
}

// Removes the channel numbered `number` from the group's list; false when there is none.
bool removeNumber(DocumentSet &document, int kind, int group, int number)
{
    const auto index = FindChannel(document, kind, group, number);
    return index && RemoveChannelEntry(document, kind, group, *index);
}

// The record becomes the channel numbered `number`, replacing the one there or appended.
bool putRecord(DocumentSet &document, int kind, int group, int number, const ChannelRecord &record)
{
    ChannelRecord placed = record;
    placed.Number = static_cast<std::int16_t>(number);
    if (const auto index = FindChannel(document, kind, group, number)) {
        ChannelRecord &existing = document.channels.entry(kind, group, *index);
        if (existing == placed)
            return false;
        existing = placed;
        return true;
    }
    std::int16_t &count = document.settings.channelCounts.at(kind, group);
    if (count >= kMaxChannelsPerGroup)
        return false;
    ++count;
    document.channels.entry(kind, group, count) = placed;
    return true;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? text.npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

int rowCount(int kind, int group)
{
    if (group < 1 || group > groupCount(kind))
        return 0;
    if (kind == CB)
        return channelRowCount(kind, group) + kMemoryRowsPerCbGroup;
    return groupCapacity(kind, group);
}

int channelRowCount(int kind, int group)
{
    if (group < 1 || group > groupCount(kind))
        return 0;
    return kind == CB && group == 3 ? 80 : groupCapacity(kind, group);
}

bool isMemoryRow(int kind, int group, int row)
{
    return kind == CB && row > channelRowCount(kind, group) && row <= rowCount(kind, group);
}

int memoryBlock(int group)
{
    return group == 7 ? 5 : group;
}

int memoryNumber(int kind, int group, int row)
{
    if (!isMemoryRow(kind, group, row))
        return 0;
    return kMemoryRowsPerCbGroup * (memoryBlock(group) - 1) + row - channelRowCount(kind, group);
}

std::string rowName(int kind, int group, int row)
{
    if (isMemoryRow(kind, group, row))
        return "M" + std::to_string(row - channelRowCount(kind, group));
    if (group == memGroup(kind))
        return "M" + std::to_string(row);
    return std::to_string(row);
}

int frequencyColumnTwips(int kind, int group)
{
    const bool wide =
        (kind == CB && group == 3) || group == memGroup(kind) || group == vfoGroup(kind);
    return wide ? 1520 : 1260;
}

int GetCHID(std::string_view text)
{
    text = trimmed(text);
    int offset = 0;
    if (!text.empty() && (text.front() == 'M' || text.front() == 'm')) {
        text.remove_prefix(1);
        offset = kLastRegularChannel;
    }
    if (text.empty() || !isDigitText(text))
        return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return 0;
    return value + offset;
}

std::string GetCHName(int number)
{
    return number > kLastRegularChannel ? "M" + std::to_string(number - kLastRegularChannel)
                                        : std::to_string(number);
}

const ChannelRecord *rowRecord(const DocumentSet &document, int kind, int group, int row)
{
    if (const int memory = memoryNumber(kind, group, row))
        return &document.memories.at(memory);
    if (row < 1 || row > channelRowCount(kind, group))
        return nullptr;
    const auto index = FindChannel(document, kind, group, row);
    return index ? &document.channels.entry(kind, group, *index) : nullptr;
}

ChannelRecord *rowRecord(DocumentSet &document, int kind, int group, int row)
{
    return const_cast<ChannelRecord *>(
        rowRecord(static_cast<const DocumentSet &>(document), kind, group, row));
}

std::string rowFrequencyText(const DocumentSet &document, int kind, int group, int row,
                             const BandLimits &limits)
{
    const ChannelRecord *record = rowRecord(document, kind, group, row);
    if (!record)
        return {};
    if (isMemoryRow(kind, group, row)) {
        if (record->Present == 0 || record->MemChannelId == 255)
            return {};
        record = rowRecord(document, kind, group, record->MemChannelId);
        if (!record || isMemoryRow(kind, group, record->Number))
            return {};
    }
    return DigitsToDisplay(record->RxDigits.raw(), limits).text;
}

int editGroupSize(int kind, int group)
{
    return groupCapacity(kind, group);
}

std::vector<ClipRow> copyRows(const DocumentSet &document, int kind, int group, int first, int last)
{
    std::vector<ClipRow> rows;
    first = std::max(first, 1);
    const bool memories = isMemoryRow(kind, group, first);
    last = std::min(last, memories ? rowCount(kind, group) : editGroupSize(kind, group));
    for (int row = first; row <= last; ++row) {
        const ChannelRecord *record = rowRecord(document, kind, group, row);
        const bool empty = !record || (memories && record->Present == 0);
        rows.push_back(empty ? ClipRow() : ClipRow(*record));
    }
    return rows;
}

bool deleteRows(DocumentSet &document, int kind, int group, int first, int last)
{
    if (group == vfoGroup(kind))
        return false;
    bool changed = false;
    for (int row = std::max(first, 1); row <= std::min(last, editGroupSize(kind, group)); ++row)
        changed = removeNumber(document, kind, group, row) || changed;
    return changed;
}

bool pasteRows(DocumentSet &document, int kind, int group, int row,
               const std::vector<ClipRow> &rows)
{
    const int size = editGroupSize(kind, group);
    if (row < 1 || row > size)
        return false;
    bool changed = false;
    for (std::size_t i = 0; i < rows.size() && row + static_cast<int>(i) <= size; ++i) {
        const int number = row + static_cast<int>(i);
        if (rows[i])
            changed = putRecord(document, kind, group, number, *rows[i]) || changed;
        else
            changed = removeNumber(document, kind, group, number) || changed;
    }
    return changed;
}

bool insertRows(DocumentSet &document, int kind, int group, int row,
                const std::vector<ClipRow> &rows)
{
    const int size = editGroupSize(kind, group);
    if (group == vfoGroup(kind) || row < 1 || row > size || rows.empty())
        return false;
    const int shift = std::min<int>(static_cast<int>(rows.size()), size - row + 1);
    // The channels pushed past the group's end drop out; the others move down by the block.
    for (int number = size - shift + 1; number <= size; ++number)
        removeNumber(document, kind, group, number);
    const int count = entryCount(document, kind, group);
    for (int index = 1; index <= count; ++index) {
        ChannelRecord &record = document.channels.entry(kind, group, index);
        if (record.Number >= row && record.Number <= size - shift)
            record.Number = static_cast<std::int16_t>(record.Number + shift);
    }
    pasteRows(document, kind, group, row, rows);
    return true;
}

FrequencyCommit CommitFrequencyText(DocumentSet &document, int kind, int group, int row,
                                    std::string_view text, bool warn, const BandLimits &limits)
{
    FrequencyCommit commit;
    if (kind == CB || row < 1 || row > channelRowCount(kind, group))
        return commit;
    std::string checked;
    if (!trimmed(text).empty()) {
        const CheckedFrequencyText result = CheckFrequencyText(text, false, warn, limits);
        checked = result.text;
        commit.message = result.message;
        if (checked.empty()) {
            commit.outcome = FrequencyOutcome::Refused;
            return commit;
        }
    }
    const auto index = FindChannel(document, kind, group, row);
    if (!index) {
        if (!checked.empty() && AddChannel(document, kind, group, row, checked, limits))
            commit.outcome = FrequencyOutcome::Added;
        return commit;
    }
    if (!checked.empty()) {
        ChannelRecord &record = document.channels.entry(kind, group, *index);
        const std::string digits = DisplayToDigits(checked, limits);
        if (record.RxDigits == FixedText<8>(digits) && record.TxDigits == FixedText<8>(digits))
            return commit;
        record.RxDigits.assign(digits);
        record.TxDigits.assign(digits);
        commit.outcome = FrequencyOutcome::Changed;
        return commit;
    }
    switch (RemoveClearedChannel(document, kind, group, *index)) {
    case ChannelRemoval::Removed:
        commit.outcome = FrequencyOutcome::Removed;
        break;
    case ChannelRemoval::RemovedGroupInvalid:
        commit.outcome = FrequencyOutcome::RemovedGroupInvalid;
        break;
    case ChannelRemoval::Kept:
        commit.outcome = FrequencyOutcome::Kept;
        break;
    }
    return commit;
}

std::string defaultGroupFrequency(int kind, int group)
{
    // The CB band lies below every default of the table, so a CB group starts on its first
    // channel frequency instead.
    if (kind == CB)
        return group <= 10 ? "26.965000" : "";
    switch (group) {
    case 1:
    case 7:
        return "28.015000";
    case 2:
    case 8:
        return "28.145000";
    case 3:
    case 9:
        return "28.115000";
    case 4:
    case 10:
        return "28.085000";
    case 5:
        return "28.055000";
    case 6:
        return "28.025000";
    default:
        return {};
    }
}

GroupValidChange SetGroupValid(DocumentSet &document, int kind, int group, bool valid,
                               const BandLimits &limits)
{
    if (!isNamedGroup(kind, group))
        return GroupValidChange::Unchanged;
    KindGroupArray<std::int16_t> &flags = document.settings.options.groupNames.valid;
    const bool wasValid = flags.at(kind, group) != 0;
    if (wasValid == valid)
        return GroupValidChange::Unchanged;
    if (!valid) {
        const int lastGroup = std::min(kind == CB ? 15 : 12, namedGroupCount(kind));
        bool otherValid = false;
        for (int other = 1; other <= lastGroup; ++other)
            otherValid = otherValid || (other != group && flags.at(kind, other) != 0);
        if (!otherValid)
            return GroupValidChange::Refused;
        flags.at(kind, group) = 0;
        return GroupValidChange::Changed;
    }
    flags.at(kind, group) = 1;
    bool hasRegular = false;
    for (int index = 1; index <= entryCount(document, kind, group); ++index)
        hasRegular =
            hasRegular || document.channels.entry(kind, group, index).Number <= kLastRegularChannel;
    const std::string frequency = defaultGroupFrequency(kind, group);
    if (!hasRegular && !frequency.empty()) {
        // The table's texts carry six decimals; the record holds the shown five.
        const std::string shown = formatMhz(*parseNumberText(frequency));
        if (!FindChannel(document, kind, group, 1))
            AddChannel(document, kind, group, 1, shown, limits);
    }
    return GroupValidChange::Changed;
}

TextPaste parseFrequencyLines(std::string_view text, const BandLimits &limits)
{
    TextPaste paste;
    std::vector<std::string_view> lines = split(text, '\n');
    while (!lines.empty() && trimmed(lines.back()).empty())
        lines.pop_back();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = split(trimmed(lines[i]), '\t');
        std::string_view frequency = trimmed(fields[0]);
        // A first column that is a row name ("12", "M3") followed by more columns is skipped.
        if (fields.size() >= 2 && GetCHID(fields[0]) != 0 &&
            trimmed(fields[0]).find('.') == std::string_view::npos)
            frequency = trimmed(fields[1]);
        if (frequency.empty()) {
            paste.frequencies.emplace_back();
            continue;
        }
        paste.holdsFrequencies = paste.holdsFrequencies || parseNumberText(frequency).has_value();
        const CheckedFrequencyText checked = CheckFrequencyText(frequency, false, false, limits);
        if (checked.text.empty())
            paste.badLines.push_back(static_cast<int>(i) + 1);
        paste.frequencies.push_back(checked.text);
    }
    return paste;
}

bool pasteFrequencyLines(DocumentSet &document, int kind, int group, int row, TextPaste &paste,
                         const BandLimits &limits)
{
    if (kind == CB || row < 1)
        return false;
    const int rows = channelRowCount(kind, group);
    for (std::size_t i = 0; i < paste.frequencies.size(); ++i)
        if (row + static_cast<int>(i) > rows)
            paste.badLines.push_back(static_cast<int>(i) + 1);
    if (!paste.badLines.empty() || paste.frequencies.empty())
        return false;
    for (std::size_t i = 0; i < paste.frequencies.size(); ++i)
        CommitFrequencyText(document, kind, group, row + static_cast<int>(i), paste.frequencies[i],
                            false, limits);
    return true;
}

std::int16_t &workGroupValue(OptionRecord &options, int kind)
{
    return kind == CB ? options.selectorA : kind == HF ? options.selectorB : options.selectorC;
}

std::int16_t workGroupValue(const OptionRecord &options, int kind)
{
    return workGroupValue(const_cast<OptionRecord &>(options), kind);
}

std::int16_t *workChannelValue(OptionRecord &options, int kind, int group)
{
    const auto at = [group](auto &table) -> std::int16_t * {
        return group >= 1 && group <= static_cast<int>(table.size())
                   ? &table[static_cast<std::size_t>(group - 1)]
                   : nullptr;
    };
    if (kind == CB)
        return at(options.cbGroupTable);
    if (kind == HF)
        return at(options.hfGroupTable);
    if (kind == HAM)
        return at(options.hamGroupTable);
    return nullptr;
}

std::int16_t &memChxValue(OptionRecord &options)
{
    return options.setting18002;
}

namespace {

GroupPanelValues panelOf(const OptionRecord &o)
{
    return {o.selectorA,    o.setting18002, o.selectorB,    o.selectorC,
            o.cbGroupTable, o.hfGroupTable, o.hamGroupTable};
}

void setPanel(OptionRecord &o, const GroupPanelValues &v)
{
    o.selectorA = v.selectorA;
    o.setting18002 = v.setting18002;
    o.selectorB = v.selectorB;
    o.selectorC = v.selectorC;
    o.cbGroupTable = v.cbGroupTable;
    o.hfGroupTable = v.hfGroupTable;
    o.hamGroupTable = v.hamGroupTable;
}

} // namespace

GroupState takeGroupState(const DocumentSet &document, int kind, int group)
{
    GroupState state;
    state.kind = kind;
    state.group = group;
    for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
        state.entries[static_cast<std::size_t>(index - 1)] =
            document.channels.entry(kind, group, index);
    state.count = document.settings.channelCounts.at(kind, group);
    state.memories = document.memories;
    const SettingsRecord &s = document.settings;
    state.groupNames = s.options.groupNames;
    state.emergency = s.emergency;
    state.dualWatch = s.dualWatch;
    state.memorySettings = s.memorySettings;
    state.groupPanel = panelOf(s.options);
    return state;
}

void applyGroupState(DocumentSet &document, const GroupState &from, const GroupState &to)
{
    if (from.entries != to.entries || from.count != to.count) {
        for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
            document.channels.entry(to.kind, to.group, index) =
                to.entries[static_cast<std::size_t>(index - 1)];
        document.settings.channelCounts.at(to.kind, to.group) = to.count;
    }
    SettingsRecord &s = document.settings;
    if (from.memories != to.memories)
        document.memories = to.memories;
    if (from.groupNames != to.groupNames)
        s.options.groupNames = to.groupNames;
    if (from.emergency != to.emergency)
        s.emergency = to.emergency;
    if (from.dualWatch != to.dualWatch)
        s.dualWatch = to.dualWatch;
    if (from.memorySettings != to.memorySettings)
        s.memorySettings = to.memorySettings;
    if (from.groupPanel != to.groupPanel)
        setPanel(s.options, to.groupPanel);
}

MoveRefusal channelMoveRefusal(int kind, int group)
{
    if (kind == CB)
        return MoveRefusal::FixedChannelPlan;
    if (group == vfoGroup(kind))
        return MoveRefusal::SingleChannel;
    return MoveRefusal::None;
}

bool moveRow(DocumentSet &document, int kind, int group, int row, int by)
{
    const int other = row + by;
    const int size = editGroupSize(kind, group);
    if (channelMoveRefusal(kind, group) != MoveRefusal::None || (by != -1 && by != 1) || row < 1 ||
        row > size || other < 1 || other > size)
        return false;
    const int first = std::min(row, other);
    std::vector<ClipRow> rows = copyRows(document, kind, group, first, first + 1);
    if (!rows[0] && !rows[1])
        return false;
    std::swap(rows[0], rows[1]);
    return pasteRows(document, kind, group, first, rows);
}

bool sortGroupByFrequency(DocumentSet &document, int kind, int group, int *followedRow)
{
    if (channelMoveRefusal(kind, group) != MoveRefusal::None)
        return false;
    const int size = editGroupSize(kind, group);
    std::vector<ClipRow> rows = copyRows(document, kind, group, 1, size);
    // Each channel with the row it came from.
    std::vector<std::pair<ChannelRecord, int>> channels;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i])
            channels.emplace_back(*rows[i], static_cast<int>(i) + 1);
    // The digits are of one width, so their text order is their frequency order.
    std::stable_sort(channels.begin(), channels.end(), [](const auto &a, const auto &b) {
        return a.first.RxDigits.raw() < b.first.RxDigits.raw();
    });
    auto next = channels.begin();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i])
            continue;
        if (followedRow && next->second == *followedRow) {
            *followedRow = static_cast<int>(i) + 1;
            followedRow = nullptr;
        }
        rows[i] = (next++)->first;
    }
    return pasteRows(document, kind, group, 1, rows);
}

std::vector<ChannelHit> findFrequency(const DocumentSet &document, std::string_view typed)
{
    const std::string wanted(trimmed(typed));
    std::vector<ChannelHit> hits;
    if (wanted.empty())
        return hits;
    const bool digitsOnly = wanted.find_first_not_of("0123456789") == std::string::npos;
    const auto matches = [&](const ChannelRecord &record) {
        const std::string shown = DigitsToDisplay(record.RxDigits.raw(), {}).text;
        if (shown.find(wanted) != std::string::npos)
            return true;
        std::string digits = shown;
        std::erase(digits, '.');
        return digitsOnly && digits.find(wanted) != std::string::npos;
    };
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= groupCount(kind); ++group)
            for (int index = 1; index <= document.channelCount(kind, group); ++index) {
                const ChannelRecord &record = document.channels.entry(kind, group, index);
                if (matches(record))
                    hits.push_back({kind, group, record.Number});
            }
    for (int number = 1; number <= kMemoryChannelCount; ++number)
        if (document.memories.at(number).Present && matches(document.memories.at(number)))
            hits.push_back({-1, 0, number});
    return hits;
}

} // namespace ChannelGrid
