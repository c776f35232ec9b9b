#include "options/OptionRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "model/RecordText.h"
#include "radio/SettingsRecord.h"

namespace {

constexpr int kSwrBox = 0;
constexpr int kBatteryMinBox = 1;
constexpr int kBatteryMaxBox = 2;
constexpr int kThresholdBoxes = 12;
constexpr int kThresholdGroup = 6;
constexpr int kRepeaterOffsetBox = 12;
constexpr int kDeviceNameBox = 13;
constexpr int kVoxOnOffBox = 69;
constexpr int kHandTypeBox = 66;
constexpr int kFirstModeEnable = 5;
constexpr int kLastModeEnable = 10;

// The number a whole text holds ("12", "1.5", ".5", "3."), or nothing.
std::optional<double> numberIn(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A number in a range with a fallback for a text that is no number, scaled and rounded.
int scaledEntry(std::string_view entry, double low, double high, double fallback, int scale)
{
    const double value = std::clamp(numberIn(entry).value_or(fallback), low, high);
    return static_cast<int>(std::lround(value * scale));
}

bool isRow(const OptionRow &row, OptionControl control, int index)
{
    return row.control == control && row.index == index;
}

void storeThreshold(const OptionRow &row, SettingsRecord &settings, std::string_view entry)
{
    const auto number = numberIn(entry);
    if (!number || *number != std::floor(*number))
        return;
    const int value = static_cast<int>(std::clamp(*number - 1, 0.0, 35.0));
    const auto at = [&](int index) {
        return static_cast<int>(settings.thresholds[static_cast<std::size_t>(index)]);
    };
    const int position = row.index % kThresholdGroup;
    const bool aboveLower = position == 0 || value > at(row.index - 1);
    const bool belowUpper = position == kThresholdGroup - 1 || value < at(row.index + 1);
    if (aboveLower && belowUpper)
        row.field.set(settings, value);
}

} // namespace

std::string fixedText(int scaled, int decimals)
{
    int divisor = 1;
    for (int n = 0; n < decimals; ++n)
        divisor *= 10;
    const int magnitude = std::abs(scaled);
    std::string fraction = std::to_string(magnitude % divisor);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return (scaled < 0 ? "-" : "") + std::to_string(magnitude / divisor) +
           (decimals > 0 ? "." + fraction : std::string());
}

std::string textBoxText(const OptionRow &row, const SettingsRecord &settings,
                        const RecordTextCodec &codec)
{
    if (row.control == OptionControl::Text2)
        return fixedText(row.field.get(settings), 1);
    if (isRow(row, OptionControl::Text4, kDeviceNameBox)) {
        // A NUL or 0xFF byte ends the name, as in the radio.
        const std::string stored = settings.options.btDeviceName.raw();
        return recordTextToUtf8(codec, stored.substr(0, stored.find('\xFF')));
    }
    if (isRow(row, OptionControl::Text4, kRepeaterOffsetBox))
        return fixedText(row.field.get(settings), 4);
    if (row.control == OptionControl::Text4 && row.index < kThresholdBoxes)
        return std::to_string(row.field.get(settings) + 1);
    return {};
}

bool textBoxTakesKey(const OptionRow &row, char32_t key)
{
    constexpr char32_t kCopy = 3, kPaste = 22, kCut = 24;
    if (key == kCopy || key == kPaste || key == kCut || key > 127)
        return false;
    if (key < 32 || key == 127)
        return true;
    const bool digit = key >= U'0' && key <= U'9';
    if (row.control == OptionControl::Text2 || isRow(row, OptionControl::Text4, kRepeaterOffsetBox))
        return digit || key == U'.';
    if (row.control == OptionControl::Text4 && row.index < kThresholdBoxes)
        return digit;
    return true;
}

bool enterText(const OptionRow &row, SettingsRecord &settings, std::string_view entry,
               const RecordTextCodec &codec)
{
    OptionRecord &options = settings.options;
    if (isRow(row, OptionControl::Text2, kSwrBox)) {
        row.field.set(settings, scaledEntry(entry, 1.2, 20.0, 20.0, 10));
    } else if (isRow(row, OptionControl::Text2, kBatteryMinBox) ||
               isRow(row, OptionControl::Text2, kBatteryMaxBox)) {
        row.field.set(settings, scaledEntry(entry, 9.0, 29.0, 9.0, 10));
        if (options.batteryMax < options.batteryMin)
            std::swap(options.batteryMax, options.batteryMin);
    } else if (isRow(row, OptionControl::Text4, kRepeaterOffsetBox)) {
        row.field.set(settings, scaledEntry(entry, 0.0001, 5.0, 5.0, 10000));
    } else if (isRow(row, OptionControl::Text4, kDeviceNameBox)) {
        const EncodedRecordText name = encodeRecordText(codec, entry, FixedText<16>::size());
        if (name.status == RecordTextStatus::NotInCodePage)
            return false;
        options.btDeviceName.assign(name.bytes);
    } else if (row.control == OptionControl::Text4 && row.index < kThresholdBoxes) {
        storeThreshold(row, settings, entry);
    }
    return true;
}

int modeEnableAfterChoice(const SettingsRecord &settings, int checkIndex, int wanted)
{
    if (wanted != 0)
        return wanted;
    for (int index = kFirstModeEnable; index <= kLastModeEnable; ++index) {
        const OptionRow *other = findOptionRow(OptionControl::Check1, index);
        if (index != checkIndex && other && shownChecked(*other, settings))
            return 0;
    }
    return 1;
}

bool voxEnabled(const SettingsRecord &settings)
{
    return findOptionRow(OptionControl::Combo1, kVoxOnOffBox)->field.get(settings) != 0;
}

bool voxDelayEnabledByLevel(int levelIndex)
{
    return levelIndex != 0;
}

bool handTypeUsesPKeys(const SettingsRecord &settings)
{
    return findOptionRow(OptionControl::Combo1, kHandTypeBox)->field.get(settings) == 2;
}
