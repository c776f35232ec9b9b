#pragma once

class IniStore;

// The size of every text in the program (View > Text Size), as a percentage of the system's own
// font size, kept per user. Larger and Smaller walk a fixed ladder of sizes, so that a few presses
// reach twice the size and back again to exactly the system's.
class TextSize
{
public:
    static constexpr int kNormalPercent = 100;
    static constexpr int kSmallestPercent = 80;
    static constexpr int kLargestPercent = 200;

    explicit TextSize(IniStore &settings);

    // The stored size, on the ladder; the system's size when none is stored or it is unreadable.
    int percent() const;
    // Stores the next size up or down (staying at the end of the ladder) and returns it.
    int larger();
    int smaller();
    int reset();

private:
    int store(int percent);

    IniStore *m_settings;
};
