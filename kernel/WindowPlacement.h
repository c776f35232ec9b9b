#pragma once

#include <cmath>

inline constexpr double kTwipsPerInch = 1440.0;

// The main window's place on the screen, in twips, as the settings store keeps it.
struct WindowPlacement
{
    int left = 100;
    int top = 100;
    int width = 14500;
    int height = 10500;

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

inline int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline int pixelsToTwips(int pixels, double dotsPerInch)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}
