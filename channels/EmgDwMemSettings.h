#pragma once

#include <array>
#include <cstdint>

class RadioImage;
struct SettingsRecord;

// Emergency-channel settings: 72 bytes in the data file.
struct EmergencySettings
{
    std::array<std::int16_t, 36> values{};
    friend bool operator==(const EmergencySettings &, const EmergencySettings &) = default;
};

// Dual-watch settings: 36 bytes in the data file.
struct DualWatchSettings
{
    std::array<std::int16_t, 18> values{};
    friend bool operator==(const DualWatchSettings &, const DualWatchSettings &) = default;
};

// Memory-channel settings: 32 bytes in the data file.
struct MemorySettings
{
    std::array<std::int16_t, 16> values{};
    friend bool operator==(const MemorySettings &, const MemorySettings &) = default;
};

// Image steps of the emergency, dual-watch and memory-channel settings.
void EncodeSpecialChannels(const SettingsRecord &settings, RadioImage &image);
void DecodeSpecialChannels(const RadioImage &image, SettingsRecord &settings);
