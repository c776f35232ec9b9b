#include "radio/FrequencyCodec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "lang/Messages.h"
#include "model/RadioImage.h"
#include "radio/ChannelTexts.h"
#include "radio/NumberRounding.h"

namespace {

constexpr double kHzPerMhz = 1'000'000.0;
constexpr std::size_t kDigitCount = 8;

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::uint8_t hexDigitValue(char c)
{
    return static_cast<std::uint8_t>(c - '0');
}

} // namespace

std::string_view frequencyMessageText(FrequencyMessage message, int language)
{
    switch (message) {
    case FrequencyMessage::OutOfRange:
        return textFor(Messages::kOutOfRange, language);
    case FrequencyMessage::NotNumeric:
        return textFor(ChannelTexts::kNotIsNumeric, language);
    case FrequencyMessage::None:
        break;
    }
    return {};
}

bool isDigitText(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<double> parseNumberText(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // from_chars reads "5." and ".5" alike; a lone point was refused above.
    std::string canonical(text);
    if (canonical.front() == '.')
        canonical.insert(canonical.begin(), '0');
    if (canonical.back() == '.')
        canonical.pop_back();
    double value = 0;
    const char *end = canonical.data() + canonical.size();
    const auto [stop, error] =
        std::from_chars(canonical.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return negative ? -value : value;
}

std::string formatMhz(double mhz)
{
    if (mhz == 0)
        mhz = 0; // no "-0.00000"
    std::array<char, 400> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), mhz,
                                            std::chars_format::fixed, 5);
    if (error != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string plainNumberText(double value)
{
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string trimRecordText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

std::string UnpackFrequency(const RadioImage &image, std::uint32_t address)
{
    std::array<std::uint8_t, 4> bytes{};
    if (!image.readBlock(address, bytes))
        return std::string(kErasedFrequencyDigits);
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string digits;
    for (std::uint8_t byte : bytes) {
        digits += kHex[byte >> 4];
        digits += kHex[byte & 0x0F];
    }
    return digits;
}

bool PackFrequency(std::string_view digits, RadioImage &image, std::uint32_t address)
{
    std::string text = trimRecordText(digits);
    std::array<std::uint8_t, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};
    if (!text.empty() && text != kErasedFrequencyDigits) {
        if (text.size() < kDigitCount)
            text.append(kDigitCount - text.size(), '0');
        // Only digits make BCD; anything else (a sign, a point, letters) is no frequency.
        if (text.size() == kDigitCount && isDigitText(text)) {
            for (std::size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<std::uint8_t>((hexDigitValue(text[2 * i]) << 4) |
                                                     hexDigitValue(text[2 * i + 1]));
        }
    }
    return image.writeBlock(address, bytes);
}

DisplayedFrequency DigitsToDisplay(std::string_view digits, const BandLimits &limits)
{
    const std::string text = trimRecordText(digits);
    if (text.empty() || text == kErasedFrequencyDigits)
        return {};
    if (!isDigitText(text))
        return {plainNumberText(limits.lower), FrequencyMessage::NotNumeric};
    // The first two digits are whole MHz, the rest its fraction. Rounded to five decimals on the
    // digits themselves (a 5 in the sixth place rounds up), so no binary fraction can tip it.
    const std::size_t wholeDigits = std::min<std::size_t>(2, text.size());
    const std::string_view whole = std::string_view(text).substr(0, wholeDigits);
    std::string fraction = text.substr(wholeDigits);
    constexpr std::size_t kDecimals = 5;
    const bool roundUp = fraction.size() > kDecimals && fraction[kDecimals] >= '5';
    fraction.resize(kDecimals, '0');
    long long units = std::stoll(std::string(whole)) * 100'000 + std::stoll(fraction);
    if (roundUp)
        ++units;
    const std::string decimals = std::to_string(100'000 + units % 100'000).substr(1);
    return {std::to_string(units / 100'000) + "." + decimals, FrequencyMessage::None};
}

std::string DisplayToDigits(std::string_view text, const BandLimits &limits)
{
    std::string value(trimBlanks(text));
    if (value.empty())
        return {};
    if (!parseNumberText(value))
        value = plainNumberText(limits.lower);
    const auto point = value.find('.');
    // A point in the first two places would mean a frequency below 10 MHz, which the range check
    // has already refused; such a text is kept as it is and never packs as a frequency.
    if (point != std::string::npos && point >= 2)
        value = value.substr(0, 2) + value.substr(point + 1);
    return value.substr(0, kDigitCount);
}

double SnapToStep(double mhz, const BandLimits &limits)
{
    // Far outside every band the 10 Hz grid means nothing, and the Hz counts would not fit.
    constexpr double kLargest = 1e9;
    if (!std::isfinite(mhz) || !std::isfinite(limits.lower) || std::fabs(mhz) > kLargest ||
        std::fabs(limits.lower) > kLargest)
        return mhz;
    // Whole Hz by rounding, never by cutting: 28.000015 MHz is 28000014.999... Hz as a double.
    const long long lower = roundHalfEvenToInteger(limits.lower * kHzPerMhz);
    long long frequency = roundHalfEvenToInteger(mhz * kHzPerMhz);
    const long long remainder = (frequency - lower) % 10;
    frequency -= remainder;
    return static_cast<double>(frequency) / kHzPerMhz;
}

CheckedFrequency CheckFrequency(double mhz, bool clamp, bool warn, const BandLimits &limits)
{
    const FrequencyMessage message = warn ? FrequencyMessage::OutOfRange : FrequencyMessage::None;
    // A value that is no number at all counts as below the band.
    if (!(mhz >= limits.lower))
        return {clamp ? limits.lower : 0.0, message};
    if (mhz > limits.upper)
        return {clamp ? limits.upper : 0.0, message};
    return {SnapToStep(mhz, limits), FrequencyMessage::None};
}

CheckedFrequencyText CheckFrequencyText(std::string_view text, bool clamp, bool warn,
                                        const BandLimits &limits)
{
    CheckedFrequency checked;
    if (const auto value = parseNumberText(text)) {
        checked = CheckFrequency(*value, clamp, warn, limits);
    } else {
        checked.mhz = clamp ? limits.lower : 0.0;
        checked.message = warn ? FrequencyMessage::OutOfRange : FrequencyMessage::None;
    }
    std::string formatted = formatMhz(checked.mhz);
    if (parseNumberText(formatted).value_or(0) == 0)
        formatted.clear();
    return {formatted, checked.message};
}
