#include "datafile/DocumentCompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <memory>

#include "datafile/ChannelColumns.h"
#include "datafile/DataFileFormat.h"
#include "model/FieldList.h"
#include "model/RadioImage.h"
#include "model/RecordText.h"
#include "model/TransferWalk.h"
#include "options/OptionTable.h"
#include "radio/Document.h"
#include "radio/FrequencyCodec.h"
#include "radio/ImagePacking.h"

namespace {

// A record text as the comparison shows it: every stored byte, padding included, so that texts
// the windows show alike ("A" + NUL and "A" + space) can be told apart.
std::string recordText(std::string_view raw)
{
    return visibleRecordBytes(raw);
}

class Collector
{
public:
    explicit Collector(std::vector<Difference> &out)
        : m_out(out)
    {}
    template<typename T>
    void value(const std::string &where, const T &a, const T &b)
    {
        if (!(a == b))
            add(where, text(a), text(b));
    }
    void add(std::string where, std::string a, std::string b)
    {
        m_out.push_back({std::move(where), std::move(a), std::move(b)});
    }
    std::size_t size() const { return m_out.size(); }

    template<std::size_t N>
    static std::string text(const FixedText<N> &value)
    {
        return recordText(value.raw());
    }
    static std::string text(double value) { return plainNumberText(value); }
    template<typename T>
    static std::string text(const T &value)
    {
        return std::to_string(value);
    }

private:
    std::vector<Difference> &m_out;
};

// The field of the second record at the place the first record's field sits in the first.
template<typename Record, typename Field>
const Field &matchingField(const Record &a, const Field &first, const Record &b)
{
    const auto offset = reinterpret_cast<const char *>(&first) - reinterpret_cast<const char *>(&a);
    return *reinterpret_cast<const Field *>(reinterpret_cast<const char *>(&b) + offset);
}

// Every field of a record by its name, as its field list gives them: "identity.bandClass",
// "thresholds[3]", "groupSelection[HAM group 2]". The matching field of the second record sits at
// the same place in it.
template<typename T>
void compareField(Collector &out, const std::string &name, const T &a, const T &b);

template<typename Record>
void compareFields(Collector &out, const std::string &prefix, const Record &a, const Record &b)
{
    fields(a, [&](std::string_view name, const auto &first) {
        compareField(out, prefix + std::string(name), first, matchingField(a, first, b));
    });
}

template<typename T>
void compareField(Collector &out, const std::string &name, const T &a, const T &b)
{
    if constexpr (std::is_same_v<T, double>) {
        if (std::bit_cast<std::uint64_t>(a) != std::bit_cast<std::uint64_t>(b))
            out.add(name, Collector::text(a), Collector::text(b));
    } else if constexpr (std::is_integral_v<T> || IsFixedText<T>::value) {
        if (!(a == b))
            out.add(name, Collector::text(a), Collector::text(b));
    } else if constexpr (IsStdArray<T>::value) {
        for (std::size_t i = 0; i < a.size(); ++i)
            compareField(out, name + "[" + std::to_string(i) + "]", a[i], b[i]);
    } else if constexpr (IsKindGroupArray<T>::value) {
        for (int group = 1; group <= kMaxGroup; ++group)
            for (int kind = 0; kind < kKindCount; ++kind)
                compareField(out,
                             name + "[" + std::string(kindName(kind)) + " group " +
                                 std::to_string(group) + "]",
                             a.at(kind, group), b.at(kind, group));
    } else {
        compareFields(out, name + ".", a, b);
    }
}

std::string groupName(const DocumentSet &document, int kind, int group)
{
    std::string name = std::string(kindName(kind)) + " group " + std::to_string(group);
    if (group == memGroup(kind))
        return name + " (MEM)";
    if (group == vfoGroup(kind))
        return name + " (VFO)";
    const std::string label = document.settings.options.groupNames.names.at(kind, group).trimmed();
    return label.empty() ? name : name + " \"" + label + "\"";
}

std::string channelSummary(const ChannelRecord &record)
{
    const std::string frequency = DigitsToDisplay(record.RxDigits.raw(), {}).text;
    return frequency.empty() ? "present, no frequency" : frequency + " MHz";
}

// Field by field: the named columns first, then what the columns do not show.
void compareChannel(Collector &out, const std::string &where, const ChannelRecord &a,
                    const ChannelRecord &b)
{
    if (a == b)
        return;
    const std::size_t before = out.size();
    for (const ChannelColumn &column : channelColumns()) {
        const std::string first = column.show(a);
        const std::string second = column.show(b);
        if (first != second)
            out.add(where + ", " + std::string(column.name), first, second);
    }
    if (out.size() != before)
        return;
    // What the columns do not show, by the record's own field names.
    compareFields(out, where + ", ", a, b);
}

void compareGroups(Collector &out, const DocumentSet &a, const DocumentSet &b)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const std::string name = groupName(a, kind, group);
            const int countA = std::clamp(a.channelCount(kind, group), 0, kMaxChannelsPerGroup);
            const int countB = std::clamp(b.channelCount(kind, group), 0, kMaxChannelsPerGroup);
            std::vector<int> numbersA;
            std::vector<int> numbersB;
            for (int i = 1; i <= countA; ++i)
                numbersA.push_back(a.channels.entry(kind, group, i).Number);
            for (int i = 1; i <= countB; ++i)
                numbersB.push_back(b.channels.entry(kind, group, i).Number);
            std::vector<int> all = numbersA;
            all.insert(all.end(), numbersB.begin(), numbersB.end());
            std::sort(all.begin(), all.end());
            all.erase(std::unique(all.begin(), all.end()), all.end());
            for (int number : all) {
                const auto find = [&](const DocumentSet &d,
                                      const std::vector<int> &numbers) -> const ChannelRecord * {
                    const auto at = std::find(numbers.begin(), numbers.end(), number);
                    return at == numbers.end()
                               ? nullptr
                               : &d.channels.entry(kind, group, int(at - numbers.begin()) + 1);
                };
                const ChannelRecord *first = find(a, numbersA);
                const ChannelRecord *second = find(b, numbersB);
                const std::string where = name + " channel " + std::to_string(number);
                if (first && second)
                    compareChannel(out, where, *first, *second);
                else
                    out.add(where, first ? channelSummary(*first) : "(no channel)",
                            second ? channelSummary(*second) : "(no channel)");
            }
            if (std::is_permutation(numbersA.begin(), numbersA.end(), numbersB.begin(),
                                    numbersB.end()) &&
                numbersA != numbersB) {
                const auto list = [](const std::vector<int> &numbers) {
                    std::string text;
                    for (int n : numbers)
                        text += (text.empty() ? "" : " ") + std::to_string(n);
                    return text;
                };
                out.add(name + ", order of the channels", list(numbersA), list(numbersB));
            }
        }
    }
}

void compareMemories(Collector &out, const DocumentSet &a, const DocumentSet &b)
{
    for (int n = 1; n <= kMemoryChannelCount; ++n) {
        const ChannelRecord &first = a.memories.at(n);
        const ChannelRecord &second = b.memories.at(n);
        const std::string where = "memory channel " + std::to_string(n);
        if (first.Present && second.Present)
            compareChannel(out, where, first, second);
        else if (first.Present || second.Present)
            out.add(where, first.Present ? channelSummary(first) : "(no channel)",
                    second.Present ? channelSummary(second) : "(no channel)");
    }
}

void compareCurrentGroups(Collector &out, const SettingsRecord &a, const SettingsRecord &b)
{
    out.value("current kind", a.currentKind, b.currentKind);
    for (int kind = 0; kind < kKindCount; ++kind)
        out.value("current group of " + std::string(kindName(kind)),
                  a.currentGroup[std::size_t(kind)], b.currentGroup[std::size_t(kind)]);
}

void compareGroupNames(Collector &out, const GroupNameTable &a, const GroupNameTable &b)
{
    const auto valid = [](int v) { return std::string(v ? "valid" : "not valid"); };
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            const std::string where =
                std::string(kindName(kind)) + " group " + std::to_string(group);
            out.value(where + ", name", a.names.at(kind, group), b.names.at(kind, group));
            if (a.valid.at(kind, group) != b.valid.at(kind, group))
                out.add(where + ", valid", valid(a.valid.at(kind, group)),
                        valid(b.valid.at(kind, group)));
        }
    }
}

// An option by its label and the control that shows it: option "Beep" (Combo1(3)).
std::string optionName(const OptionRow &row)
{
    const std::string where = "option \"" + std::string(textFor(row.label, English)) + "\"";
    const std::string index = "(" + std::to_string(row.index) + "))";
    switch (row.control) {
    case OptionControl::Combo1:
        return where + " (Combo1" + index;
    case OptionControl::PublicBox:
        return where + " of the " + std::string(kindName(row.publicSet)) + " public channel";
    case OptionControl::Check1:
        return where + " (Check1" + index;
    case OptionControl::Text2:
        return where + " (Text2" + index;
    case OptionControl::Text4:
        return where + " (Text4" + index;
    }
    return where;
}

// An option's value as its control shows it, the stored value beside it.
std::string shownOption(const OptionRow &row, const SettingsRecord &settings, int value)
{
    if (row.control == OptionControl::Check1)
        return std::string(shownChecked(row, settings) ? "ticked" : "not ticked");
    if (row.control == OptionControl::Text2 || row.control == OptionControl::Text4)
        return std::to_string(value);
    return "\"" + shownText(row, settings, English) + "\" (" + std::to_string(value) + ")";
}

void compareOptions(Collector &out, const SettingsRecord &a, const SettingsRecord &b)
{
    for (const OptionRow &row : optionRows()) {
        if (!row.field)
            continue;
        const int first = row.field.get(a);
        const int second = row.field.get(b);
        if (first != second)
            out.add(optionName(row), shownOption(row, a, first), shownOption(row, b, second));
    }
    out.value("option \"Bluetooth device name\"", a.options.btDeviceName, b.options.btDeviceName);
}

// The name the report gives a field of a record, where it is not the field's own.
struct FieldLabel
{
    std::string_view field;
    std::string_view label;
};

// The integer, number and text fields of a record, walked in its field list's order, each named by
// its label (by its own name when it has none); lists and records inside it are left to the
// caller.
template<typename Record, std::size_t N>
void compareLabelledFields(Collector &out, const std::string &prefix, const Record &a,
                           const Record &b, const std::array<FieldLabel, N> &labels)
{
    fields(a, [&](std::string_view name, const auto &first) {
        using Field = std::remove_cvref_t<decltype(first)>;
        if constexpr (std::is_integral_v<Field> || std::is_same_v<Field, double> ||
                      IsFixedText<Field>::value) {
            std::string_view label = name;
            for (const FieldLabel &known : labels)
                if (known.field == name)
                    label = known.label;
            out.value(prefix + std::string(label), first, matchingField(a, first, b));
        }
    });
}

// The words of a field's name ("firmwareVersion": "firmware version").
std::string wordsOf(std::string_view name)
{
    std::string words;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') {
            words += ' ';
            words += char(c - 'A' + 'a');
        } else {
            words += c;
        }
    }
    return words;
}

// The model, band and firmware identity, each field named by the words of its name; the two
// fields that repeat another say which one they are.
void compareIdentity(Collector &out, const IdentityRecord &a, const IdentityRecord &b)
{
    fields(a, [&](std::string_view name, const auto &first) {
        const std::string label = name == "modelNameZ"   ? "model name (first field)"
                                  : name == "bandClass2" ? "band class (second field)"
                                                         : wordsOf(name);
        out.value(label, first, matchingField(a, first, b));
    });
}

void compareToneSet(Collector &out, const std::string &where, const ToneSet &a, const ToneSet &b)
{
    const auto text = [](const Tone &t) {
        return std::to_string(t.frequency * 10) + " Hz for " + std::to_string(t.duration * 10) +
               " ms";
    };
    for (std::size_t tone = 0; tone < a.tones.size(); ++tone)
        if (!(a.tones[tone] == b.tones[tone]))
            out.add(where + ", tone " + std::to_string(tone + 1), text(a.tones[tone]),
                    text(b.tones[tone]));
    static constexpr std::array<FieldLabel, 2> kLabels{
        {{"recycleTimes", "plays"}, {"interTime", "pause (10 ms)"}}};
    compareLabelledFields(out, where + ", ", a, b, kLabels);
}

void compareToneTips(Collector &out, const ToneTipTable &a, const ToneTipTable &b)
{
    for (int set = 1; set <= kToneSetCount; ++set)
        compareToneSet(out, "roger-beep tone set " + std::to_string(set), a.set(set), b.set(set));
}

void compareDtmfCodes(Collector &out, const DtmfCodeTable &a, const DtmfCodeTable &b)
{
    for (std::size_t code = 0; code < a.size(); ++code)
        out.value("DTMF code " + std::to_string(code + 1), a[code], b[code]);
}

// The emergency, dual-watch and memory-channel settings: plain lists of values, by position.
template<std::size_t N>
void compareValues(Collector &out, const std::string &prefix, const std::array<std::int16_t, N> &a,
                   const std::array<std::int16_t, N> &b)
{
    for (std::size_t i = 0; i < N; ++i)
        out.value(prefix + std::to_string(i), a[i], b[i]);
}

void compareBroadcast(Collector &out, const BroadcastTable &a, const BroadcastTable &b)
{
    static constexpr std::array<FieldLabel, 7> kTableLabels{{{"weatherOn", "weather on"},
                                                             {"currentChannel", "current channel"},
                                                             {"alert", "alert"},
                                                             {"scanState", "scan state"},
                                                             {"weatherVfo", "weather VFO"},
                                                             {"step", "step"},
                                                             {"squelch", "squelch"}}};
    static constexpr std::array<FieldLabel, 5> kEntryLabels{{{"valid", "valid"},
                                                             {"frequency", "frequency (MHz)"},
                                                             {"onOff", "on/off"},
                                                             {"bandwidth", "bandwidth"},
                                                             {"scan", "scan"}}};
    compareLabelledFields(out, "broadcast: ", a, b, kTableLabels);
    for (int n = 1; n <= kBroadcastEntryCount; ++n)
        compareLabelledFields(out, "broadcast channel " + std::to_string(n) + ", ", a.entry(n),
                              b.entry(n), kEntryLabels);
}

// The settings record part by part, each in the words the windows use for it.
void compareSettings(Collector &out, const DocumentSet &a, const DocumentSet &b)
{
    const SettingsRecord &sa = a.settings;
    const SettingsRecord &sb = b.settings;
    compareIdentity(out, sa.identity, sb.identity);
    compareCurrentGroups(out, sa, sb);
    compareGroupNames(out, sa.options.groupNames, sb.options.groupNames);
    compareOptions(out, sa, sb);
    compareToneTips(out, sa.toneTips, sb.toneTips);
    compareDtmfCodes(out, sa.options.dtmfCodes, sb.options.dtmfCodes);
    compareValues(out, "emergency-channel setting ", sa.emergency.values, sb.emergency.values);
    compareValues(out, "dual-watch setting ", sa.dualWatch.values, sb.dualWatch.values);
    compareValues(out, "memory-channel setting ", sa.memorySettings.values,
                  sb.memorySettings.values);
    compareBroadcast(out, sa.options.broadcast, sb.options.broadcast);
}

// Whatever the comparisons above do not look at still counts, named by the record's fields: the
// second record with everything already compared taken from the first, walked field by field.
void compareRemainingFields(Collector &out, const SettingsRecord &a, const SettingsRecord &b)
{
    auto rest = std::make_unique<SettingsRecord>(b);
    rest->identity = a.identity;
    rest->currentKind = a.currentKind;
    rest->currentGroup = a.currentGroup;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group)
            rest->channelCounts.at(kind, group) = a.channelCounts.at(kind, group);
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            rest->options.groupNames.names.at(kind, group) =
                a.options.groupNames.names.at(kind, group);
            rest->options.groupNames.valid.at(kind, group) =
                a.options.groupNames.valid.at(kind, group);
        }
    }
    rest->options.btDeviceName = a.options.btDeviceName;
    rest->options.dtmfCodes = a.options.dtmfCodes;
    rest->options.broadcast = a.options.broadcast;
    rest->toneTips = a.toneTips;
    rest->emergency = a.emergency;
    rest->dualWatch = a.dualWatch;
    rest->memorySettings = a.memorySettings;
    for (const OptionRow &row : optionRows())
        if (row.field)
            row.field.set(*rest, row.field.get(a));
    if (!(*rest == a))
        compareFields(out, "", a, *rest);
}

} // namespace

std::vector<Difference> compareDocuments(const DocumentSet &first, const DocumentSet &second)
{
    std::vector<Difference> differences;
    Collector out(differences);
    compareGroups(out, first, second);
    compareMemories(out, first, second);
    compareSettings(out, first, second);
    compareRemainingFields(out, first.settings, second.settings);
    return differences;
}

std::vector<Difference> compareImages(const RadioImage &first, const RadioImage &second)
{
    // Only what a transfer moves counts: a byte outside the transferred blocks never reaches
    // the radio, whatever the packing put there.
    const auto unpacked = [](const RadioImage &image) {
        auto sent = std::make_unique<RadioImage>();
        std::array<std::uint8_t, 16> block{};
        for (std::int32_t address = NextTransferAddress(0); address < kTransferEndAddress;
             address = NextTransferAddress(address + 16)) {
            image.readBlock(std::uint32_t(address), block);
            sent->writeBlock(std::uint32_t(address), block);
        }
        auto document = std::make_unique<DocumentSet>();
        UnpackImageIntoDocument(*sent, *document);
        return document;
    };
    std::vector<Difference> differences = compareDocuments(*unpacked(first), *unpacked(second));
    if (!differences.empty())
        return differences;
    for (std::int32_t block = NextTransferAddress(0); block < kTransferEndAddress;
         block = NextTransferAddress(block + 16)) {
        for (std::uint32_t i = 0; i < 16; ++i) {
            const std::uint32_t address = std::uint32_t(block) + i;
            if (first.byteAt(address) != second.byteAt(address)) {
                char where[48];
                std::snprintf(where, sizeof where, "image byte 0x%05X", address);
                char a[16];
                char b[16];
                std::snprintf(a, sizeof a, "0x%02X", first.byteAt(address));
                std::snprintf(b, sizeof b, "0x%02X", second.byteAt(address));
                differences.push_back({where, a, b});
            }
        }
    }
    return differences;
}

std::string formatDifferences(const std::vector<Difference> &differences,
                              std::string_view firstLabel, std::string_view secondLabel)
{
    std::string text;
    for (const Difference &d : differences)
        text += d.where + ": " + std::string(firstLabel) + " " + d.first + ", " +
                std::string(secondLabel) + " " + d.second + "\n";
    return text;
}
