#include "channels/ToneCodec.h"

#include <algorithm>
#include <cmath>

#include "radio/ChannelTexts.h"
#include "radio/FrequencyCodec.h"
#include "radio/NumberRounding.h"

namespace {

// At least `width` digits, left-padded with "0".
std::string padded(long long value, std::size_t width)
{
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -value : value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

// The number the leading digits of a text make, 0 when it starts with none (so "023N" is 23).
int leadingNumber(std::string_view text)
{
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Tenths as "#0.0": 670 is "67.0".
std::string tenthsText(int tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string_view trimBothEnds(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool isCtcssIndex(int index)
{
    return index >= 0 && index < kCtcssToneCount;
}
bool isDcsIndex(int index)
{
    return index >= 0 && index < kDcsCodeCount;
}

} // namespace

std::string ctcssDisplayText(int index)
{
    if (!isCtcssIndex(index))
        return {};
    return "C_" + padded(index + 1, 3) + "(" + ctcssShowText(index) + "Hz)";
}

std::string dcsDisplayText(int index)
{
    if (!isDcsIndex(index))
        return {};
    return "D_" + padded(index + 1, 3) + "(" + padded(kDcsCodes[std::size_t(index)], 3) + "N)";
}

std::string ctcssShowText(int index)
{
    return isCtcssIndex(index) ? tenthsText(kCtcssTones[std::size_t(index)]) : std::string();
}

std::string dcsShowText(int index)
{
    return isDcsIndex(index) ? "D" + padded(kDcsCodes[std::size_t(index)], 3) + "N" : std::string();
}

std::string ctcssToneCode(int index)
{
    return isCtcssIndex(index) ? padded(kCtcssTones[std::size_t(index)], 4) : std::string();
}

std::string dcsToneCode(int index)
{
    return isDcsIndex(index) ? "8" + padded(kDcsCodes[std::size_t(index)], 3) : std::string();
}

std::string_view toneTypeText(int toneType, int language)
{
    switch (toneType) {
    case ToneCtcss:
        return textFor(ChannelTexts::kToneCtcss, language);
    case ToneDcs:
        return textFor(ChannelTexts::kToneDcs, language);
    default:
        return textFor(ChannelTexts::kToneOff, language);
    }
}

ToneChoice toneFromCode(std::string_view code)
{
    const std::string_view text = trimBothEnds(code);
    if (text.size() != 4 || !isDigitText(text))
        return {};
    const int value = leadingNumber(text);
    if (text.front() == '8') {
        const auto found = std::find(kDcsCodes.begin(), kDcsCodes.end(), value - 8000);
        if (found != kDcsCodes.end())
            return {ToneDcs, static_cast<int>(found - kDcsCodes.begin())};
        return {};
    }
    const auto found = std::find(kCtcssTones.begin(), kCtcssTones.end(), value);
    if (found != kCtcssTones.end())
        return {ToneCtcss, static_cast<int>(found - kCtcssTones.begin())};
    return {};
}

std::string GetCTCSS_DCSByShow(std::string_view text, int language)
{
    if (text == textFor(ChannelTexts::kToneOff, language))
        return "0";
    if (!text.empty() && text.front() == 'D')
        return "8" + padded(leadingNumber(text.substr(1, 3)), 3);
    if (const auto value = parseNumberText(text)) {
        // A code has four digits; a number that makes no 4-digit code is no tone.
        if (std::isfinite(*value) && *value >= 0 && *value < 1000) {
            const long long tenths = roundHalfEvenToInteger(*value * 10);
            if (tenths <= 9999)
                return padded(tenths, 4);
        }
    }
    return "0";
}

std::string ShowCTCSS_DCS(std::string_view code, int language)
{
    const std::string_view text = trimBothEnds(code);
    std::string off(textFor(ChannelTexts::kToneOff, language));
    if (text.size() != 4)
        return off;
    if (text.front() == '8')
        return "D" + padded(leadingNumber(text.substr(1)), 3) + "N";
    if (text.front() >= '0' && text.front() <= '9')
        return tenthsText(leadingNumber(text));
    return off;
}
