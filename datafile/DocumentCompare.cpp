#include "datafile/DocumentCompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <memory>

#include "channels/FrequencyCodec.h"
#include "datafile/ChannelColumns.h"
#include "datafile/DataFileFormat.h"
#include "model/Document.h"
#include "model/FieldList.h"
#include "model/ImagePacking.h"
#include "model/RadioImage.h"
#include "model/RecordText.h"
#include "model/TransferWalk.h"
#include "options/OptionTable.h"

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

// Every field of a record by its name, as its field list gives them: "identity.bandClass",
// "thresholds[3]", "groupSelection[HAM group 2]". The matching field of the second record sits at
// the same place in it.
template<typename T>
void compareField(Collector &out, const std::string &name, const T &a, const T &b);

template<typename Record>
void compareFields(Collector &out, const std::string &prefix, const Record &a, const Record &b)
{
    fields(a, [&](std::string_view name, const auto &first) {
        using Field = std::remove_cvref_t<decltype(first)>;
        const auto offset =
            reinterpret_cast<const char *>(&first) - reinterpret_cast<const char *>(&a);
        const Field &second =
            *reinterpret_cast<const Field *>(reinterpret_cast<const char *>(&b) + offset);
        compareField(out, prefix + std::string(name), first, second);
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

void compareSettings(Collector &out, const DocumentSet &a, const DocumentSet &b)
{
    const SettingsRecord &sa = a.settings;
    const SettingsRecord &sb = b.settings;
    const IdentityRecord &ia = sa.identity;
    const IdentityRecord &ib = sb.identity;
    out.value("model name", ia.modelName, ib.modelName);
    out.value("model name (first field)", ia.modelNameZ, ib.modelNameZ);
    out.value("model code", ia.modelCode, ib.modelCode);
    out.value("band class", ia.bandClass, ib.bandClass);
    out.value("band class (second field)", ia.bandClass2, ib.bandClass2);
    out.value("date", ia.date, ib.date);
    out.value("firmware version", ia.firmwareVersion, ib.firmwareVersion);
    out.value("identity code", ia.identityCode, ib.identityCode);
    out.value("current kind", sa.currentKind, sb.currentKind);
    for (int kind = 0; kind < kKindCount; ++kind)
        out.value("current group of " + std::string(kindName(kind)),
                  sa.currentGroup[std::size_t(kind)], sb.currentGroup[std::size_t(kind)]);

    const GroupNameTable &ga = sa.options.groupNames;
    const GroupNameTable &gb = sb.options.groupNames;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            const std::string where =
                std::string(kindName(kind)) + " group " + std::to_string(group);
            out.value(where + ", name", ga.names.at(kind, group), gb.names.at(kind, group));
            const auto valid = [](int v) { return std::string(v ? "valid" : "not valid"); };
            if (ga.valid.at(kind, group) != gb.valid.at(kind, group))
                out.add(where + ", valid", valid(ga.valid.at(kind, group)),
                        valid(gb.valid.at(kind, group)));
        }
    }

    for (const OptionRow &row : optionRows()) {
        if (!row.field)
            continue;
        const int first = row.field.get(sa);
        const int second = row.field.get(sb);
        if (first == second)
            continue;
        std::string where = "option \"" + std::string(textFor(row.label, English)) + "\"";
        switch (row.control) {
        case OptionControl::Combo1:
            where += " (Combo1(" + std::to_string(row.index) + "))";
            break;
        case OptionControl::PublicBox:
            where += " of the " + std::string(kindName(row.publicSet)) + " public channel";
            break;
        case OptionControl::Check1:
            where += " (Check1(" + std::to_string(row.index) + "))";
            break;
        case OptionControl::Text2:
            where += " (Text2(" + std::to_string(row.index) + "))";
            break;
        case OptionControl::Text4:
            where += " (Text4(" + std::to_string(row.index) + "))";
            break;
        }
        const auto shown = [&row](const SettingsRecord &s, int value) {
            if (row.control == OptionControl::Check1)
                return std::string(shownChecked(row, s) ? "ticked" : "not ticked");
            if (row.control == OptionControl::Text2 || row.control == OptionControl::Text4)
                return std::to_string(value);
            return "\"" + shownText(row, s, English) + "\" (" + std::to_string(value) + ")";
        };
        out.add(where, shown(sa, first), shown(sb, second));
    }
    out.value("option \"Bluetooth device name\"", sa.options.btDeviceName, sb.options.btDeviceName);

    for (int set = 1; set <= kToneSetCount; ++set) {
        const ToneSet &ta = sa.toneTips.set(set);
        const ToneSet &tb = sb.toneTips.set(set);
        const std::string where = "roger-beep tone set " + std::to_string(set);
        for (int tone = 0; tone < kTonesPerSet; ++tone) {
            const Tone &x = ta.tones[std::size_t(tone)];
            const Tone &y = tb.tones[std::size_t(tone)];
            const auto text = [](const Tone &t) {
                return std::to_string(t.frequency * 10) + " Hz for " +
                       std::to_string(t.duration * 10) + " ms";
            };
            if (!(x == y))
                out.add(where + ", tone " + std::to_string(tone + 1), text(x), text(y));
        }
        out.value(where + ", plays", ta.recycleTimes, tb.recycleTimes);
        out.value(where + ", pause (10 ms)", ta.interTime, tb.interTime);
    }

    for (int code = 1; code <= kDtmfCodeCount; ++code)
        out.value("DTMF code " + std::to_string(code), sa.options.dtmfCodes[std::size_t(code - 1)],
                  sb.options.dtmfCodes[std::size_t(code - 1)]);

    for (std::size_t i = 0; i < sa.emergency.values.size(); ++i)
        out.value("emergency-channel setting " + std::to_string(i), sa.emergency.values[i],
                  sb.emergency.values[i]);
    for (std::size_t i = 0; i < sa.dualWatch.values.size(); ++i)
        out.value("dual-watch setting " + std::to_string(i), sa.dualWatch.values[i],
                  sb.dualWatch.values[i]);
    for (std::size_t i = 0; i < sa.memorySettings.values.size(); ++i)
        out.value("memory-channel setting " + std::to_string(i), sa.memorySettings.values[i],
                  sb.memorySettings.values[i]);

    const BroadcastTable &ba = sa.options.broadcast;
    const BroadcastTable &bb = sb.options.broadcast;
    out.value("broadcast: weather on", ba.weatherOn, bb.weatherOn);
    out.value("broadcast: current channel", ba.currentChannel, bb.currentChannel);
    out.value("broadcast: alert", ba.alert, bb.alert);
    out.value("broadcast: scan state", ba.scanState, bb.scanState);
    out.value("broadcast: weather VFO", ba.weatherVfo, bb.weatherVfo);
    out.value("broadcast: step", ba.step, bb.step);
    out.value("broadcast: squelch", ba.squelch, bb.squelch);
    for (int n = 1; n <= kBroadcastEntryCount; ++n) {
        const BroadcastEntry &x = ba.entry(n);
        const BroadcastEntry &y = bb.entry(n);
        const std::string where = "broadcast channel " + std::to_string(n);
        out.value(where + ", valid", x.valid, y.valid);
        out.value(where + ", frequency (MHz)", x.frequency, y.frequency);
        out.value(where + ", on/off", x.onOff, y.onOff);
        out.value(where + ", bandwidth", x.bandwidth, y.bandwidth);
        out.value(where + ", scan", x.scan, y.scan);
    }
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
        UnpackDocument(*sent, *document);
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
