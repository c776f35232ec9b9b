#include "datafile/ChannelColumns.h"

#include <array>
#include <charconv>
#include <cmath>

#include "channels/ToneCodec.h"
#include "model/ChannelLayout.h"
#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/RogerBeep.h"

namespace {

constexpr std::array<std::string_view, 6> kModes{"FM", "AM", "USB", "LSB", "PA", "CW"};
constexpr std::array<std::string_view, 3> kRepeater{"Off", "REP+", "REP-"};

bool isOffWord(std::string_view text)
{
    text = trimmed(text);
    return text.empty() || sameWord(text, "off") || sameWord(text, "none");
}

std::string onOff(int value)
{
    return value == 0 ? "Off" : value == 1 ? "On" : std::to_string(value);
}

std::string readOnOff(std::int16_t &field, std::string_view text)
{
    text = trimmed(text);
    if (sameWord(text, "on") || sameWord(text, "yes") || text == "1")
        field = 1;
    else if (sameWord(text, "off") || sameWord(text, "no") || text == "0" || text.empty())
        field = 0;
    else
        return "\"" + std::string(text) + "\" is neither On nor Off";
    return {};
}

// "Off" or a number from 1 to last, stored as the number plus offset.
template<typename Field>
std::string readNumberOrOff(Field &field, std::string_view text, int last, int offset,
                            std::string_view what)
{
    if (isOffWord(text)) {
        field = 0;
        return {};
    }
    const auto number = wholeNumber(text);
    if (!number || *number < 1 || *number > last)
        return "\"" + std::string(trimmed(text)) + "\" is no " + std::string(what) + " (Off or 1-" +
               std::to_string(last) + ")";
    field = static_cast<Field>(*number + offset);
    return {};
}

std::string showNumberOrOff(int value, int offset)
{
    return value == 0 ? "Off" : std::to_string(value - offset);
}

std::string readTone(std::int16_t &type, std::int16_t &ctcss, std::int16_t &dcs,
                     std::string_view text)
{
    const auto tone = parseToneText(text);
    if (!tone)
        return "\"" + std::string(trimmed(text)) +
               "\" is no tone of the radio (Off, a CTCSS tone such as 67.0 or a DCS code such as "
               "D023N)";
    type = static_cast<std::int16_t>(tone->type);
    // The index of the other kind of tone is kept, as the channel window keeps it.
    if (tone->type == ToneCtcss)
        ctcss = static_cast<std::int16_t>(tone->index);
    else if (tone->type == ToneDcs)
        dcs = static_cast<std::int16_t>(tone->index);
    return {};
}

#define ON_OFF_COLUMN(Field)                                                                       \
    ChannelColumn                                                                                  \
    {                                                                                              \
#Field, [](const ChannelRecord                                                             \
                       &r) { return onOff(r.Field); }, [](ChannelRecord & r,                       \
                                                          std::string_view                         \
                                                              t) { return readOnOff(r.Field, t); } \
    }

const std::array<ChannelColumn, 20> kColumns{{
    {"Frequency", [](const ChannelRecord &r) { return DigitsToDisplay(r.RxDigits.raw(), {}).text; },
     // The range check needs the kind; the CSV reader does it before this.
     [](ChannelRecord &r, std::string_view t) {
         const std::string digits = DisplayToDigits(t, {});
         r.RxDigits.assign(digits);
         r.TxDigits.assign(digits);
         return std::string();
     }},
    {"Mode", [](const ChannelRecord &r) { return std::string(modeName(r.Mode)); },
     [](ChannelRecord &r, std::string_view t) {
         for (std::size_t i = 0; i < kModes.size(); ++i) {
             if (sameWord(trimmed(t), kModes[i])) {
                 r.Mode = static_cast<std::int16_t>(i);
                 return std::string();
             }
         }
         return "\"" + std::string(trimmed(t)) + "\" is no mode of the radio (FM, AM, USB, LSB, " +
                "PA, CW)";
     }},
    {"RxTone", [](const ChannelRecord &r) { return toneText(r.RxToneType, r.RxCtcss, r.RxDcs); },
     [](ChannelRecord &r, std::string_view t) {
         return readTone(r.RxToneType, r.RxCtcss, r.RxDcs, t);
     }},
    {"TxTone", [](const ChannelRecord &r) { return toneText(r.TxToneType, r.TxCtcss, r.TxDcs); },
     [](ChannelRecord &r, std::string_view t) {
         return readTone(r.TxToneType, r.TxCtcss, r.TxDcs, t);
     }},
    ON_OFF_COLUMN(Scan),
    ON_OFF_COLUMN(HiCut),
    ON_OFF_COLUMN(NoiseBlanker),
    ON_OFF_COLUMN(Echo),
    ON_OFF_COLUMN(Plus10k),
    ON_OFF_COLUMN(BusyLockout),
    ON_OFF_COLUMN(Anl),
    {"Repeater",
     [](const ChannelRecord &r) {
         return r.Repeater >= 0 && r.Repeater < 3 ? std::string(kRepeater[std::size_t(r.Repeater)])
                                                  : std::to_string(r.Repeater);
     },
     [](ChannelRecord &r, std::string_view t) {
         for (std::size_t i = 0; i < kRepeater.size(); ++i) {
             if (sameWord(trimmed(t), kRepeater[i]) || (i == 0 && trimmed(t).empty())) {
                 r.Repeater = static_cast<std::int16_t>(i);
                 return std::string();
             }
         }
         return "\"" + std::string(trimmed(t)) + "\" is no repeater shift (Off, REP+, REP-)";
     }},
    ON_OFF_COLUMN(Public),
    {"RogerBeep",
     [](const ChannelRecord &r) { return showNumberOrOff(r.RogerBeep, kRogerReferenceOffset); },
     [](ChannelRecord &r, std::string_view t) {
         return readNumberOrOff(r.RogerBeep, t, 8, kRogerReferenceOffset, "roger-beep tone set");
     }},
    {"DtmfBot", [](const ChannelRecord &r) { return showNumberOrOff(r.DtmfBot, 0); },
     [](ChannelRecord &r, std::string_view t) {
         return readNumberOrOff(r.DtmfBot, t, 16, 0, "DTMF code");
     }},
    {"DtmfEot", [](const ChannelRecord &r) { return showNumberOrOff(r.DtmfEot, 0); },
     [](ChannelRecord &r, std::string_view t) {
         return readNumberOrOff(r.DtmfEot, t, 16, 0, "DTMF code");
     }},
    {"DtmfCall", [](const ChannelRecord &r) { return showNumberOrOff(r.DtmfCall, 0); },
     [](ChannelRecord &r, std::string_view t) {
         return readNumberOrOff(r.DtmfCall, t, 16, 0, "DTMF code");
     }},
    {"MemChannel",
     [](const ChannelRecord &r) {
         return r.MemChannelId == 255 ? std::string("Off") : std::to_string(r.MemChannelId);
     },
     [](ChannelRecord &r, std::string_view t) {
         if (isOffWord(t)) {
             r.MemChannelId = 255;
             return std::string();
         }
         const auto number = wholeNumber(t);
         if (!number || *number < 0 || *number > 254)
             return "\"" + std::string(trimmed(t)) + "\" is no recalled channel (Off or 0-254)";
         r.MemChannelId = static_cast<std::int16_t>(*number);
         return std::string();
     }},
    {"MemBand", [](const ChannelRecord &r) { return std::to_string(r.MemBand); },
     [](ChannelRecord &r, std::string_view t) {
         const auto number = trimmed(t).empty() ? std::optional<int>(0) : wholeNumber(t);
         if (!number || *number < 0 || *number > 65535)
             return "\"" + std::string(trimmed(t)) + "\" is no band choice (0-65535)";
         r.MemBand = static_cast<std::uint16_t>(*number);
         return std::string();
     }},
    {"Spare3", [](const ChannelRecord &r) { return std::to_string(r.Spare3); },
     [](ChannelRecord &r, std::string_view t) {
         const auto number = trimmed(t).empty() ? std::optional<int>(0) : wholeNumber(t);
         if (!number || *number < -32768 || *number > 32767)
             return "\"" + std::string(trimmed(t)) + "\" is no whole number";
         r.Spare3 = static_cast<std::int16_t>(*number);
         return std::string();
     }},
}};

#undef ON_OFF_COLUMN

} // namespace

std::optional<int> wholeNumber(std::string_view text)
{
    text = trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view kindName(int kind)
{
    constexpr std::array<std::string_view, 3> kNames{"CB", "HF", "HAM"};
    return kind >= 0 && kind < 3 ? kNames[std::size_t(kind)] : "?";
}

std::optional<int> kindFromName(std::string_view text)
{
    for (int kind = 0; kind < kKindCount; ++kind)
        if (sameWord(trimmed(text), kindName(kind)))
            return kind;
    return std::nullopt;
}

BandLimits kindBandLimits(int kind)
{
    constexpr std::array<std::string_view, 3> kBands{
        "26.96500 - 27.86125 MHz", "24.7150 - 30.1050 MHz", "28.0000 - 29.7000 MHz"};
    return parseBandLimits(kBands[std::size_t(kind >= 0 && kind < 3 ? kind : 1)]);
}

BandLimits memoryBandLimits()
{
    return kindBandLimits(HF);
}

std::string toneText(int type, int ctcss, int dcs)
{
    std::string shown;
    if (type == ToneOff)
        return "Off";
    if (type == ToneCtcss)
        shown = ctcssShowText(ctcss);
    else if (type == ToneDcs)
        shown = dcsShowText(dcs);
    if (shown.empty())
        return "?" + std::to_string(type) + "/" + std::to_string(type == ToneDcs ? dcs : ctcss);
    return shown;
}

std::optional<ToneValue> parseToneText(std::string_view text)
{
    text = trimmed(text);
    if (isOffWord(text))
        return ToneValue{};
    if (text.front() == 'D' || text.front() == 'd') {
        // D023N: the code's octal digits, normal polarity (the only one the radio has).
        std::string_view digits = text.substr(1);
        if (!digits.empty() && (digits.back() == 'N' || digits.back() == 'n'))
            digits.remove_suffix(1);
        const auto code = wholeNumber(digits);
        for (int index = 0; code && index < kDcsCodeCount; ++index)
            if (kDcsCodes[std::size_t(index)] == *code)
                return ToneValue{ToneDcs, index};
        return std::nullopt;
    }
    const auto hz = parseNumberText(text);
    if (!hz)
        return std::nullopt;
    for (int index = 0; index < kCtcssToneCount; ++index)
        if (std::abs(kCtcssTones[std::size_t(index)] - *hz * 10) < 0.01)
            return ToneValue{ToneCtcss, index};
    return std::nullopt;
}

std::string_view modeName(int mode)
{
    return mode >= 0 && mode < 6 ? kModes[std::size_t(mode)] : "?";
}

std::span<const ChannelColumn> channelColumns()
{
    return kColumns;
}

const ChannelColumn *findChannelColumn(std::string_view name)
{
    for (const ChannelColumn &column : kColumns)
        if (sameWord(column.name, name))
            return &column;
    return nullptr;
}
