#include "radio/Frequency.h"

#include "radio/NumberRounding.h"

namespace {

constexpr double kHzPerMhz = 1'000'000.0;

} // namespace

std::string Frequency::mhzText() const
{
    return formatMhz(static_cast<double>(m_hz) / kHzPerMhz);
}

std::string Frequency::digits() const
{
    // The MHz text without its point; below 10 MHz (which no band reaches) the text stays as it
    // is and never packs as a frequency.
    std::string text = mhzText();
    const auto point = text.find('.');
    if (point != std::string::npos && point >= 2)
        text = text.substr(0, 2) + text.substr(point + 1);
    return text.substr(0, 8);
}

TypedFrequency readTypedFrequency(std::string_view text, bool clamp, bool warn,
                                  const BandLimits &limits)
{
    CheckedFrequency checked;
    if (const auto value = parseNumberText(text)) {
        checked = CheckFrequency(*value, clamp, warn, limits);
    } else {
        checked.mhz = clamp ? limits.lower : 0.0;
        checked.message = warn ? FrequencyMessage::OutOfRange : FrequencyMessage::None;
    }
    const Frequency frequency(roundHalfEvenToInteger(checked.mhz * kHzPerMhz));
    // A frequency that shows as 0.00000 is none.
    if (parseNumberText(frequency.mhzText()).value_or(0) == 0)
        return {std::nullopt, checked.message};
    return {frequency, checked.message};
}
