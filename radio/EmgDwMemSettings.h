#pragma once

#include <array>
#include <cstdint>

#include "lang/Texts.h"
#include "model/FieldList.h"

class ByteReader;
class ByteWriter;
class RadioImage;
struct SettingsRecord;

// The special-channel settings hold small values, one image byte each: channels as channel
// number - 1, modes, states and bands as list positions from 0. The CB rows are the band variants
// "Eu", "PL", "DE", "EC", "U/UK", "IN" (CB groups 1-6). An empty channel choice is -1; it and any
// value outside 0..255 go to the radio as 0xFF.
inline constexpr int kSpecialCbRows = 6;
inline constexpr std::int16_t kNoChannel = -1;

// Emergency-channel settings: 36 values, 72 bytes in the data file.
//   0-5 channel 1 of CB rows 1-6, 6-11 channel 2, 12-17 mode of channel 1, 18-23 mode of channel 2,
//   24/25 HF band 1/2, 26/27 HF channel 1/2, 28/29 HF mode 1/2, 30-35 the same six for HAM.
struct EmergencySettings
{
    static constexpr int kCbChannel1 = 0;
    static constexpr int kCbChannel2 = 6;
    static constexpr int kCbMode1 = 12;
    static constexpr int kCbMode2 = 18;
    static constexpr int kHfBand = 24;
    static constexpr int kHfChannel = 26;
    static constexpr int kHfMode = 28;
    static constexpr int kHamBand = 30;
    static constexpr int kHamChannel = 32;
    static constexpr int kHamMode = 34;

    std::array<std::int16_t, 36> values{};
    friend bool operator==(const EmergencySettings &, const EmergencySettings &) = default;
};

template<RecordOf<EmergencySettings> R, typename V>
void fields(R &r, V &&v)
{
    v("values", r.values);
}

// Dual-watch settings: 18 values, 36 bytes in the data file.
//   0-5 channel of CB rows 1-6, 6-11 their modes, 12-14 HF band/channel/mode, 15-17 HAM.
struct DualWatchSettings
{
    static constexpr int kCbChannel = 0;
    static constexpr int kCbMode = 6;
    static constexpr int kHfBand = 12;
    static constexpr int kHfChannel = 13;
    static constexpr int kHfMode = 14;
    static constexpr int kHamBand = 15;
    static constexpr int kHamChannel = 16;
    static constexpr int kHamMode = 17;

    std::array<std::int16_t, 18> values{};
    friend bool operator==(const DualWatchSettings &, const DualWatchSettings &) = default;
};

template<RecordOf<DualWatchSettings> R, typename V>
void fields(R &r, V &&v)
{
    v("values", r.values);
}

// Memory-channel settings: 16 values, 32 bytes in the data file.
//   0-5 memory channel of CB rows 1-6, 6-11 their states, 12/13 HF channel (in the HF "MEM"
//   group) and state, 14/15 the same for HAM.
struct MemorySettings
{
    static constexpr int kCbChannel = 0;
    static constexpr int kCbState = 6;
    static constexpr int kHfChannel = 12;
    static constexpr int kHfState = 13;
    static constexpr int kHamChannel = 14;
    static constexpr int kHamState = 15;

    std::array<std::int16_t, 16> values{};
    friend bool operator==(const MemorySettings &, const MemorySettings &) = default;
};

template<RecordOf<MemorySettings> R, typename V>
void fields(R &r, V &&v)
{
    v("values", r.values);
}

inline constexpr std::size_t kEmergencyPackedSize = 72;
inline constexpr std::size_t kDualWatchPackedSize = 36;
inline constexpr std::size_t kMemorySettingsPackedSize = 32;

// Work modes and states as the windows list them (stored value = list position).
inline constexpr std::array<TextEntry, 5> kSpecialModeItems{{
    {"", "FM", "FM"},
    {"", "AM", "AM"},
    {"", "USB", "USB"},
    {"", "LSB", "LSB"},
    {"", "CW", "CW"},
}};
inline constexpr std::array<TextEntry, 2> kSpecialStateItems{{
    {"", "Off", "Off"},
    {"", "On", "On"},
}};

// Image steps: emergency 0x18040-0x18063 (CB part row-interleaved), dual-watch 0x18080-0x18091,
// memory channels 0x180C0-0x180CF.
void EncodeSpecialChannels(const SettingsRecord &settings, RadioImage &image);
void DecodeSpecialChannels(const RadioImage &image, SettingsRecord &settings);

// Image address of each value of the three sub-records.
std::uint32_t emergencyAddress(int valueIndex);
std::uint32_t dualWatchAddress(int valueIndex);
std::uint32_t memorySettingsAddress(int valueIndex);
