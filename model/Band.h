#pragma once

#include <string>
#include <string_view>

inline constexpr const char *kStartBandText = "28.0000 - 29.6990 MHz";

// Lower and upper frequency limits in MHz.
struct BandLimits
{
    double lower = 100.0;
    double upper = 500.0;
    friend bool operator==(const BandLimits &, const BandLimits &) = default;
};

// The band text a restored document gets from its current channel kind.
std::string bandTextAfterRestore(int kind);
// 0 for the wide HF band "24.7150 - 30.1050 MHz", 1 for every other band text.
int bandClassFor(std::string_view bandText);
// "lower - upper MHz"; 100.0 / 500.0 stand in for a part that is missing or not a number.
BandLimits parseBandLimits(std::string_view bandText);
