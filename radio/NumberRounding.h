#pragma once

#include <cmath>

// Rounds to the nearest whole number, a tie going to the even neighbour, as the radio's own
// program converts a number to an integer. Explicit so that no floating-point mode can change it.
inline long long roundHalfEvenToInteger(double value)
{
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    return static_cast<long long>(rounded);
}
