#include "kernel/TextSize.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "kernel/IniDocument.h"

namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kKey = "TextSizePercent";
constexpr std::array<int, 8> kLadder{
    TextSize::kSmallestPercent, 90, TextSize::kNormalPercent, 115, 130, 150, 175,
    TextSize::kLargestPercent};

} // namespace

TextSize::TextSize(IniStore &settings)
    : m_settings(&settings)
{}

int TextSize::percent() const
{
    const std::string text = m_settings->readString(kSection, kKey);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return kNormalPercent;
    // A value edited by hand goes to the nearest size of the ladder below it.
    const auto *step = std::upper_bound(kLadder.begin(), kLadder.end(), value);
    return step == kLadder.begin() ? kLadder.front() : *(step - 1);
}

int TextSize::larger()
{
    const auto *step = std::upper_bound(kLadder.begin(), kLadder.end(), percent());
    return store(step == kLadder.end() ? kLadder.back() : *step);
}

int TextSize::smaller()
{
    const auto *step = std::lower_bound(kLadder.begin(), kLadder.end(), percent());
    return store(step == kLadder.begin() ? kLadder.front() : *(step - 1));
}

int TextSize::reset()
{
    return store(kNormalPercent);
}

int TextSize::store(int percent)
{
    m_settings->writeString(kSection, kKey, std::to_string(percent));
    return percent;
}
