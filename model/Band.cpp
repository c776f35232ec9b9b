#include "model/Band.h"

#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kWideHfBand = "24.7150 - 30.1050 MHz";

std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A whole decimal number with "." as the point, whatever the user's locale.
std::optional<double> parseNumber(std::string_view text)
{
    text = trimSpaces(text);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string bandTextAfterRestore(int kind)
{
    switch (kind) {
    case 0:
        return "28.0000 - 29.6950 MHz";
    case 1:
        return std::string(kWideHfBand);
    default:
        return kStartBandText;
    }
}

int bandClassFor(std::string_view bandText)
{
    return bandText == kWideHfBand ? 0 : 1;
}

BandLimits parseBandLimits(std::string_view bandText)
{
    BandLimits limits;
    const auto dash = bandText.find(" - ");
    if (dash == std::string_view::npos)
        return limits;
    limits.lower = parseNumber(bandText.substr(0, dash)).value_or(100.0);
    const std::string_view rest = bandText.substr(dash + 3);
    const auto unit = rest.find(" MHz");
    limits.upper = parseNumber(rest.substr(0, unit)).value_or(500.0);
    return limits;
}
