#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Band.h"
#include "radio/FrequencyCodec.h"

// A frequency in whole hertz: the one value between the text a user types and a channel record.
// A typed text is read and checked against the band once; the MHz text the grid shows and the
// digits the record keeps are both written from the value.
class Frequency
{
public:
    constexpr explicit Frequency(std::int64_t hz)
        : m_hz(hz)
    {}

    constexpr std::int64_t hz() const { return m_hz; }
    // "#0.00000" with "." as the point, as the grid shows it.
    std::string mhzText() const;
    // What a channel record keeps (`FrequencyDigits`): the two whole-MHz digits and the five
    // decimals of the MHz text, "27405000" for 27.40500 MHz.
    std::string digits() const;

    friend constexpr bool operator==(Frequency, Frequency) = default;

private:
    std::int64_t m_hz;
};

// A typed frequency and the message to show for it.
struct TypedFrequency
{
    std::optional<Frequency> frequency; // none: the text is refused (or empty)
    FrequencyMessage message = FrequencyMessage::None;
};

// Reads a typed text once and checks it against the band as CheckFrequencyText does: inside the
// band it is snapped to the band's 10 Hz grid; outside, or no number at all, it is refused (or,
// with clamp, set to the nearest limit), with the out-of-range message when warn is set.
TypedFrequency readTypedFrequency(std::string_view text, bool clamp, bool warn,
                                  const BandLimits &limits);
