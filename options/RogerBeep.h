#pragma once

#include <array>
#include <cstdint>

class RadioImage;
struct SettingsRecord;

// One tone set: 14 entries of 4 bytes followed by 4 bytes (60 bytes in the data file).
struct ToneSet
{
    std::array<std::array<std::int16_t, 2>, 14> entries{};
    std::array<std::int16_t, 2> tail{};
    friend bool operator==(const ToneSet &, const ToneSet &) = default;
};

// The eight tone-tip and roger-beep sets (480 bytes in the data file).
struct ToneTipTable
{
    std::array<ToneSet, 8> sets{};
    friend bool operator==(const ToneTipTable &, const ToneTipTable &) = default;
};

// Image steps of the tone-tip and roger-beep region.
void EncodeToneTips(const SettingsRecord &settings, RadioImage &image);
void DecodeToneTips(const RadioImage &image, SettingsRecord &settings);
