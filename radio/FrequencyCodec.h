#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Band.h"

class RadioImage;

// A frequency takes three forms: 4 bytes of packed BCD in the image (most significant byte first,
// FF FF FF FF when empty), the 8 digits in Hz kept in a channel record (`FrequencyDigits`), and
// the MHz text with five decimals shown to the user. These operations convert between them,
// snap to the 10 Hz grid of the band and check the band's range.

inline constexpr std::string_view kErasedFrequencyDigits = "FFFFFFFF";

// A message an operation asks its caller to show. The core never shows anything itself: the
// window that called the operation shows the text in the current language.
enum class FrequencyMessage
{
    None,
    OutOfRange, // "Frequency is out of range.", with the exclamation icon
    NotNumeric  // "Not IsNumeric", a plain OK box
};

// The text of a message in a language; empty for None.
std::string_view frequencyMessageText(FrequencyMessage message, int language);

struct DisplayedFrequency
{
    std::string text; // MHz text, or empty for no frequency
    FrequencyMessage message = FrequencyMessage::None;
};

struct CheckedFrequency
{
    double mhz = 0; // 0 means rejected
    FrequencyMessage message = FrequencyMessage::None;
};

struct CheckedFrequencyText
{
    std::string text; // MHz text, or empty when rejected
    FrequencyMessage message = FrequencyMessage::None;
};

// A text of decimal digits only, at least one.
bool isDigitText(std::string_view text);
// A decimal number as the user may type it: optional blanks around, an optional sign, digits
// with at most one "." and at least one digit. "." is the point whatever the locale.
std::optional<double> parseNumberText(std::string_view text);
// "#0.00000": at least one integer digit, exactly five decimals, "." as the point.
std::string formatMhz(double mhz);
// The shortest text that reads back as the same number ("28", "26.965").
std::string plainNumberText(double value);
// A record text as records compare it: cut at the first NUL, trailing blanks removed.
std::string trimRecordText(std::string_view text);

// The 4 bytes at address as 8 upper-case hexadecimal digits: BCD gives the frequency's digits,
// an erased slot gives "FFFFFFFF". A range outside the image reads as erased.
std::string UnpackFrequency(const RadioImage &image, std::uint32_t address);
// Writes the digits as BCD, completing a short text with "0" on the right; empty, "FFFFFFFF" or
// anything but digits writes FF FF FF FF. False when the 4 bytes lie outside the image.
bool PackFrequency(std::string_view digits, RadioImage &image, std::uint32_t address);

// Record digits -> MHz text; empty for no frequency. Digits that are no number display the band's
// lower limit and ask for "Not IsNumeric".
DisplayedFrequency DigitsToDisplay(std::string_view digits, const BandLimits &limits);
// MHz text -> record digits (the two integer digits and every fractional digit, at most 8).
std::string DisplayToDigits(std::string_view text, const BandLimits &limits);

// Cuts a frequency down to the 10 Hz grid that starts at the band's lower limit.
double SnapToStep(double mhz, const BandLimits &limits);
// Outside the band: the nearest limit when clamping, else 0; the out-of-range message only when
// warn is set. Inside: snapped to the grid.
CheckedFrequency CheckFrequency(double mhz, bool clamp, bool warn, const BandLimits &limits);
// A typed text checked as CheckFrequency does; a text that is no number counts as out of range.
CheckedFrequencyText CheckFrequencyText(std::string_view text, bool clamp, bool warn,
                                        const BandLimits &limits);
