#include "datafile/FieldText.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "channels/ToneCodec.h"
#include "model/ChannelLayout.h"
#include "model/RecordText.h"
#include "radio/OptionItems.h"

namespace {

constexpr long long kLargestDigits = 99999999;

std::string numberText(long long value)
{
    return std::to_string(value);
}

// value / 10^places with exactly `places` decimals: 168 and 1 give "16.8".
std::string decimalText(long long value, int places)
{
    if (places == 0)
        return numberText(value);
    long long scale = 1;
    for (int k = 0; k < places; ++k)
        scale *= 10;
    const bool negative = value < 0;
    const long long magnitude = negative ? -value : value;
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
    return (negative ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

// A decimal number written with at most `places` decimals, as an integer count of
// 10^-places: "16.8" with 1 gives 168. Nothing for anything else; `tooPrecise` is set when
// only the number of decimals is wrong.
std::optional<long long> parseDecimal(std::string_view text, int places, bool &tooPrecise)
{
    tooPrecise = false;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 12 || (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(),
                           [](unsigned char c) { return std::isdigit(c) != 0; });
    };
    if (!digits(whole) || !digits(fraction))
        return std::nullopt;
    // Zeros beyond the places change nothing; any other digit there would have to be rounded.
    while (fraction.size() > static_cast<std::size_t>(places) && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (fraction.size() > static_cast<std::size_t>(places)) {
        tooPrecise = true;
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : whole)
        value = value * 10 + (c - '0');
    for (int k = 0; k < places; ++k)
        value =
            value * 10 + (static_cast<std::size_t>(k) < fraction.size() ? fraction[k] - '0' : 0);
    return negative ? -value : value;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

bool isOn(std::string_view text)
{
    const std::string word = lower(text);
    return word == "on" || word == "true" || word == "yes";
}

bool isOff(std::string_view text)
{
    const std::string word = lower(text);
    return word == "off" || word == "false" || word == "no";
}

// The list position a stored value shows, by the field's rule; nothing when it has no item.
std::optional<long long> listPosition(const FieldDescription &description, long long value,
                                      std::size_t count)
{
    long long position = -1;
    switch (description.rule) {
    case ShowRule::Tot:
        position = value % 3 == 0 ? value / 3 : -1;
        break;
    case ShowRule::CwFreq:
        position = value - 30;
        break;
    case ShowRule::Roger:
        position = value == 0 ? 0 : value > 127 ? value - 127 : -1;
        break;
    default:
        position = value;
        break;
    }
    if (position < 0 || position >= static_cast<long long>(count))
        return std::nullopt;
    return position;
}

long long valueAtPosition(const FieldDescription &description, long long position)
{
    switch (description.rule) {
    case ShowRule::Tot:
        return position * 3;
    case ShowRule::CwFreq:
        return position + 30;
    case ShowRule::Roger:
        return position == 0 ? 0 : position + 127;
    default:
        return position;
    }
}

std::string quotedList(const std::vector<std::string> &items)
{
    std::string text;
    if (items.size() > 12)
        return "\"" + items.front() + "\", \"" + items[1] + "\" ... \"" + items.back() + "\"";
    for (std::size_t k = 0; k < items.size(); ++k)
        text += (k ? ", \"" : "\"") + items[k] + "\"";
    return text;
}

// Lower and upper shown value of a ranged number.
std::pair<long long, long long> shownRange(const FieldDescription &description)
{
    return {(description.minimum + description.offset) * description.multiplier,
            (description.maximum + description.offset) * description.multiplier};
}

std::string hexByte(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

} // namespace

FrequencyBand bandOfKind(int kind)
{
    switch (kind) {
    case CB:
        return {26965000, 27861250, "CB band (26.96500 - 27.86125 MHz)"};
    case HAM:
        return {28000000, 29700000, "HAM band (28.00000 - 29.70000 MHz)"};
    default:
        return {24715000, 30105000, "HF band (24.71500 - 30.10500 MHz)"};
    }
}

FrequencyBand bandOfMemoryChannels()
{
    return {24715000, 30105000, "range of the memory channels (24.71500 - 30.10500 MHz)"};
}

namespace {

// The size of a list and one of its items, without making the whole list.
std::size_t itemCount(const ItemList &list)
{
    switch (list.source) {
    case ItemSource::Fixed:
        return list.head.size() + static_cast<std::size_t>(list.count) + list.tail.size();
    case ItemSource::RogerTones:
        return 9;
    case ItemSource::DtmfCodes:
        return 17;
    case ItemSource::KeyFunctions:
        return OptionTexts::kKeyFunctions.size();
    case ItemSource::ClaSet:
        return OptionTexts::kClaSet.size();
    }
    return 0;
}

std::string itemAt(const ItemList &list, std::size_t position)
{
    switch (list.source) {
    case ItemSource::Fixed: {
        if (position < list.head.size())
            return std::string(textFor(list.head[position], English));
        position -= list.head.size();
        if (position < static_cast<std::size_t>(list.count))
            return std::to_string(list.first + static_cast<int>(position) * list.step) +
                   std::string(list.suffix);
        return std::string(
            textFor(list.tail[position - static_cast<std::size_t>(list.count)], English));
    }
    case ItemSource::RogerTones:
    case ItemSource::DtmfCodes:
        return position == 0 ? "OFF" : std::to_string(position);
    case ItemSource::KeyFunctions:
        return std::string(textFor(OptionTexts::kKeyFunctions[position], English));
    case ItemSource::ClaSet:
        return std::string(textFor(OptionTexts::kClaSet[position], English));
    }
    return {};
}

} // namespace

std::vector<std::string> fieldItems(const FieldDescription &description)
{
    std::vector<std::string> items;
    for (std::size_t k = 0; k < itemCount(description.items); ++k)
        items.push_back(itemAt(description.items, k));
    return items;
}

ScalarText integerText(const FieldDescription &description, long long stored)
{
    ScalarText asStored{ScalarKind::Number, numberText(stored), true};
    if (description.hasNone && stored == description.noneValue)
        return {ScalarKind::Word, "none"};
    switch (description.form) {
    case FieldForm::Flag:
        return stored == 0   ? ScalarText{ScalarKind::Word, "off"}
               : stored == 1 ? ScalarText{ScalarKind::Word, "on"}
                             : asStored;
    case FieldForm::List: {
        const auto position = listPosition(description, stored, itemCount(description.items));
        return position ? ScalarText{ScalarKind::Text,
                                     itemAt(description.items, static_cast<std::size_t>(*position))}
                        : asStored;
    }
    case FieldForm::Ctcss:
        return stored >= 0 && stored < kCtcssToneCount
                   ? ScalarText{ScalarKind::Text, ctcssShowText(static_cast<int>(stored))}
                   : asStored;
    case FieldForm::Dcs:
        return stored >= 0 && stored < kDcsCodeCount
                   ? ScalarText{ScalarKind::Text, dcsShowText(static_cast<int>(stored))}
                   : asStored;
    default:
        break;
    }
    if (description.ranged && (stored < description.minimum || stored > description.maximum))
        return asStored;
    const long long shown = (stored + description.offset) * description.multiplier;
    if (description.decimals == 0)
        return {ScalarKind::Number, numberText(shown)};
    return {ScalarKind::Text, decimalText(shown, description.decimals)};
}

ScalarText frequencyDigitsText(std::string_view raw, const FrequencyBand &band)
{
    std::string_view digits = raw;
    while (!digits.empty() && digits.back() == ' ')
        digits.remove_suffix(1);
    if (digits.empty())
        return {ScalarKind::Text, ""};
    const bool allDigits =
        digits.size() >= 3 &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (allDigits) {
        // The radio's 8 digits in Hz: a channel typed in the program keeps 7 and a blank, which
        // is the same frequency.
        std::string hertz(digits);
        hertz.resize(8, '0');
        const long long value = std::stoll(hertz);
        if (value >= band.lowerHz && value <= band.upperHz) {
            std::string text = hertz.substr(0, 2) + "." + hertz.substr(2);
            if (text.back() == '0')
                text.pop_back(); // five decimals unless the 1 Hz digit is set
            return {ScalarKind::Text, text};
        }
    }
    return {ScalarKind::Text, std::string(raw.substr(0, digits.size())), true, true};
}

ScalarText broadcastFrequencyText(double megahertz)
{
    const double scaled = megahertz * 100000.0;
    if (std::isfinite(scaled) && scaled >= 0 && scaled <= static_cast<double>(kLargestDigits)) {
        const long long units = std::llround(scaled);
        if (std::bit_cast<std::uint64_t>(static_cast<double>(units) / 100000.0) ==
            std::bit_cast<std::uint64_t>(megahertz))
            return {ScalarKind::Text, decimalText(units, 5)};
    }
    char bits[24];
    std::snprintf(bits, sizeof bits, "0x%016llX",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(megahertz)));
    return {ScalarKind::Text, bits, true};
}

ScalarText fixedText(std::string_view raw)
{
    std::string_view core = raw;
    while (!core.empty() && core.back() == ' ')
        core.remove_suffix(1);
    const RecordTextCodec &codec = recordTextCodec();
    const std::string decoded = codec.decode(core);
    const EncodedRecordText back = encodeRecordText(codec, decoded, raw.size());
    if (back.status == RecordTextStatus::Ok && back.bytes == raw)
        return {ScalarKind::Text, decoded};
    return {ScalarKind::Text, std::string(core), true, true};
}

ScalarText carriedBytesText(std::span<const std::uint8_t> bytes)
{
    std::size_t used = bytes.size();
    while (used > 0 && bytes[used - 1] == 0)
        --used;
    std::string text;
    for (std::size_t k = 0; k < used; ++k)
        text += (k ? " " : "") + hexByte(bytes[k]);
    return {ScalarKind::Text, text};
}

std::optional<std::string> latin1Bytes(std::string_view utf8)
{
    std::string bytes;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else if ((lead == 0xC2 || lead == 0xC3) && at + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[at + 1]) & 0xC0) == 0x80) {
            bytes += static_cast<char>(((lead & 0x03) << 6) | (utf8[++at] & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

std::string expectedText(const FieldDescription &description)
{
    switch (description.form) {
    case FieldForm::Flag:
        return "on or off";
    case FieldForm::List:
        return "one of " + quotedList(fieldItems(description));
    case FieldForm::Ctcss:
        return "a CTCSS tone in Hz of the radio's 38, such as \"67.0\" or \"88.5\"";
    case FieldForm::Dcs:
        return "a DCS code of the radio's 104, such as \"D023N\"";
    case FieldForm::Frequency:
        return "a frequency in MHz with at most six decimals, such as \"27.40500\"";
    case FieldForm::BroadcastFrequency:
        return "a frequency in MHz with at most five decimals, such as \"162.55000\"";
    case FieldForm::Text:
        return "a text";
    case FieldForm::Bytes:
        return "bytes in hexadecimal, such as \"00 1F\"";
    case FieldForm::Number:
        break;
    }
    std::string text =
        description.decimals == 0 ? "a whole number"
        : description.decimals == 1
            ? "a number with at most one decimal"
            : "a number with at most " + std::to_string(description.decimals) + " decimals";
    if (description.ranged) {
        const auto [low, high] = shownRange(description);
        text += " from " + decimalText(low, description.decimals) + " to " +
                decimalText(high, description.decimals);
    }
    if (!description.unit.empty())
        text += " (" + std::string(description.unit) + ")";
    if (description.hasNone)
        text += ", or none";
    return text;
}

FieldRead<long long> readInteger(const FieldDescription &description, ReadText input,
                                 long long storageLow, long long storageHigh)
{
    const std::string_view text = input.text;
    if (input.stored) {
        bool tooPrecise = false;
        const auto value = parseDecimal(text, 0, tooPrecise);
        if (!value || *value < storageLow || *value > storageHigh)
            return FieldExpectation{"a stored whole number from " + std::to_string(storageLow) +
                                    " to " + std::to_string(storageHigh)};
        return *value;
    }
    if (description.hasNone && lower(text) == "none")
        return static_cast<long long>(description.noneValue);
    switch (description.form) {
    case FieldForm::Flag:
        if (isOn(text))
            return 1LL;
        if (isOff(text))
            return 0LL;
        return FieldExpectation{expectedText(description)};
    case FieldForm::List: {
        const std::vector<std::string> items = fieldItems(description);
        // The exact item first, then one that differs only in case ("off" for "OFF").
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t k = 0; k < items.size(); ++k)
                if (pass == 0 ? items[k] == text : lower(items[k]) == lower(text))
                    return valueAtPosition(description, static_cast<long long>(k));
        return FieldExpectation{expectedText(description)};
    }
    case FieldForm::Ctcss:
        for (int k = 0; k < kCtcssToneCount; ++k)
            if (ctcssShowText(k) == text || (text.find('.') == std::string_view::npos &&
                                             ctcssShowText(k) == std::string(text) + ".0"))
                return static_cast<long long>(k);
        return FieldExpectation{expectedText(description)};
    case FieldForm::Dcs:
        for (int k = 0; k < kDcsCodeCount; ++k)
            if (lower(dcsShowText(k)) == lower(text))
                return static_cast<long long>(k);
        return FieldExpectation{expectedText(description)};
    default:
        break;
    }
    bool tooPrecise = false;
    const auto shown = parseDecimal(text, description.decimals, tooPrecise);
    if (!shown)
        return FieldExpectation{expectedText(description)};
    // Shown = (stored + offset) x multiplier: a value between the steps is refused, never rounded.
    if (*shown % description.multiplier != 0)
        return FieldExpectation{expectedText(description) + " in steps of " +
                                std::to_string(description.multiplier)};
    const long long stored = *shown / description.multiplier - description.offset;
    const long long low = description.ranged ? description.minimum : storageLow;
    const long long high = description.ranged ? description.maximum : storageHigh;
    if (stored < low || stored > high)
        return FieldExpectation{expectedText(description)};
    return stored;
}

FieldRead<std::string> readFrequencyDigits(ReadText input, std::size_t size,
                                           const FrequencyBand &band)
{
    if (input.stored) {
        const auto bytes = latin1Bytes(input.text);
        if (!bytes || bytes->size() > size)
            return FieldExpectation{"a stored text of at most " + std::to_string(size) + " bytes"};
        return *bytes;
    }
    const std::string_view text = input.text;
    if (text.empty())
        return std::string();
    const std::string expected = "a frequency in MHz of the " + std::string(band.name) +
                                 " with at most six decimals (1 Hz), such as \"" +
                                 decimalText(band.lowerHz / 10, 5) + "\"";
    bool tooPrecise = false;
    const std::size_t point = text.find('.');
    const auto hertz = parseDecimal(text, 6, tooPrecise);
    if (tooPrecise)
        return FieldExpectation{expected + " (the radio keeps whole hertz; nothing is rounded)"};
    if (!hertz || text.front() == '-' || text.front() == '+' || *hertz < band.lowerHz ||
        *hertz > band.upperHz || point != 2)
        return FieldExpectation{expected};
    // The 8 digits in Hz, as the radio keeps them.
    std::string digits = std::to_string(*hertz);
    digits.insert(0, 8 - std::min<std::size_t>(8, digits.size()), '0');
    return digits;
}

FieldRead<double> readBroadcastFrequency(ReadText input)
{
    if (input.stored) {
        std::uint64_t bits = 0;
        const std::string_view text = input.text;
        if (text.size() == 18 && text.starts_with("0x")) {
            const auto [end, error] = std::from_chars(text.data() + 2, text.data() + 18, bits, 16);
            if (error == std::errc() && end == text.data() + 18)
                return std::bit_cast<double>(bits);
        }
        return FieldExpectation{"the stored bits of a number, \"0x\" and 16 hexadecimal digits"};
    }
    bool tooPrecise = false;
    const auto units = parseDecimal(input.text, 5, tooPrecise);
    if (!units || *units < 0 || *units > kLargestDigits)
        return FieldExpectation{
            "a frequency from 0 to 999.99999 MHz with at most five decimals (10 Hz)"};
    return static_cast<double>(*units) / 100000.0;
}

FieldRead<std::string> readFixedText(ReadText input, std::size_t size)
{
    if (input.stored) {
        const auto bytes = latin1Bytes(input.text);
        if (!bytes || bytes->size() > size)
            return FieldExpectation{"stored bytes (\\x00 to \\xFF), at most " +
                                    std::to_string(size)};
        std::string padded = *bytes;
        padded.resize(size, ' ');
        return padded;
    }
    const EncodedRecordText encoded = encodeRecordText(recordTextCodec(), input.text, size);
    if (encoded.status == RecordTextStatus::NotInCodePage)
        return FieldExpectation{"a text whose characters the system's code page holds"};
    if (encoded.status == RecordTextStatus::Cut)
        return FieldExpectation{"a text of at most " + std::to_string(size) + " bytes"};
    return encoded.bytes;
}

FieldRead<std::vector<std::uint8_t>> readCarriedBytes(ReadText input, std::size_t size)
{
    std::vector<std::uint8_t> bytes;
    std::string_view text = input.text;
    const std::string expected =
        "at most " + std::to_string(size) + " bytes in hexadecimal, such as \"00 1F\"";
    while (!text.empty()) {
        if (text.front() == ' ') {
            text.remove_prefix(1);
            continue;
        }
        unsigned value = 0;
        if (text.size() < 2)
            return FieldExpectation{expected};
        const auto [end, error] = std::from_chars(text.data(), text.data() + 2, value, 16);
        if (error != std::errc() || end != text.data() + 2 || bytes.size() == size)
            return FieldExpectation{expected};
        bytes.push_back(static_cast<std::uint8_t>(value));
        text.remove_prefix(2);
    }
    bytes.resize(size, 0);
    return bytes;
}
