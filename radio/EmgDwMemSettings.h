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

// A channel value is shown as the channel number (stored + 1), -1 as "none"; a band as the group
// number (stored + 1).
constexpr FieldDescription specialChannel(std::string_view name)
{
    return FieldDescription(name).scaled(1, 1, 0, {}).range(0, 254).none(kNoChannel);
}
constexpr FieldDescription specialMode(std::string_view name)
{
    return FieldDescription(name).list(fixedItems(kSpecialModeItems));
}
constexpr FieldDescription specialBand(std::string_view name, int groups)
{
    return FieldDescription(name).scaled(1, 1, 0, {}).range(0, groups - 1);
}

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
    constexpr std::string_view w = "frm_emg";
    LIST_FIELD(v, r.values[0], specialChannel("euChannel1").help(w, "Combo1_0"));
    LIST_FIELD(v, r.values[1], specialChannel("plChannel1").help(w, "Combo1_4"));
    LIST_FIELD(v, r.values[2], specialChannel("deChannel1").help(w, "Combo1_8"));
    LIST_FIELD(v, r.values[3], specialChannel("ecChannel1").help(w, "Combo1_12"));
    LIST_FIELD(v, r.values[4], specialChannel("uUkChannel1").help(w, "Combo1_16"));
    LIST_FIELD(v, r.values[5], specialChannel("inChannel1").help(w, "Combo1_20"));
    LIST_FIELD(v, r.values[6], specialChannel("euChannel2").help(w, "Combo1_2"));
    LIST_FIELD(v, r.values[7], specialChannel("plChannel2").help(w, "Combo1_6"));
    LIST_FIELD(v, r.values[8], specialChannel("deChannel2").help(w, "Combo1_10"));
    LIST_FIELD(v, r.values[9], specialChannel("ecChannel2").help(w, "Combo1_14"));
    LIST_FIELD(v, r.values[10], specialChannel("uUkChannel2").help(w, "Combo1_18"));
    LIST_FIELD(v, r.values[11], specialChannel("inChannel2").help(w, "Combo1_22"));
    LIST_FIELD(v, r.values[12], specialMode("euMode1").help(w, "Combo1_1"));
    LIST_FIELD(v, r.values[13], specialMode("plMode1").help(w, "Combo1_5"));
    LIST_FIELD(v, r.values[14], specialMode("deMode1").help(w, "Combo1_9"));
    LIST_FIELD(v, r.values[15], specialMode("ecMode1").help(w, "Combo1_13"));
    LIST_FIELD(v, r.values[16], specialMode("uUkMode1").help(w, "Combo1_17"));
    LIST_FIELD(v, r.values[17], specialMode("inMode1").help(w, "Combo1_21"));
    LIST_FIELD(v, r.values[18], specialMode("euMode2").help(w, "Combo1_3"));
    LIST_FIELD(v, r.values[19], specialMode("plMode2").help(w, "Combo1_7"));
    LIST_FIELD(v, r.values[20], specialMode("deMode2").help(w, "Combo1_11"));
    LIST_FIELD(v, r.values[21], specialMode("ecMode2").help(w, "Combo1_15"));
    LIST_FIELD(v, r.values[22], specialMode("uUkMode2").help(w, "Combo1_19"));
    LIST_FIELD(v, r.values[23], specialMode("inMode2").help(w, "Combo1_23"));
    LIST_FIELD(v, r.values[24], specialBand("hfBand1", 15).help(w, "Combo1_28"));
    LIST_FIELD(v, r.values[25], specialBand("hfBand2", 15).help(w, "Combo1_31"));
    LIST_FIELD(v, r.values[26], specialChannel("hfChannel1").help(w, "Combo1_29"));
    LIST_FIELD(v, r.values[27], specialChannel("hfChannel2").help(w, "Combo1_32"));
    LIST_FIELD(v, r.values[28], specialMode("hfMode1").help(w, "Combo1_30"));
    LIST_FIELD(v, r.values[29], specialMode("hfMode2").help(w, "Combo1_33"));
    LIST_FIELD(v, r.values[30], specialBand("hamBand1", 12).help(w, "Combo1_34"));
    LIST_FIELD(v, r.values[31], specialBand("hamBand2", 12).help(w, "Combo1_37"));
    LIST_FIELD(v, r.values[32], specialChannel("hamChannel1").help(w, "Combo1_35"));
    LIST_FIELD(v, r.values[33], specialChannel("hamChannel2").help(w, "Combo1_38"));
    LIST_FIELD(v, r.values[34], specialMode("hamMode1").help(w, "Combo1_36"));
    LIST_FIELD(v, r.values[35], specialMode("hamMode2").help(w, "Combo1_39"));
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
    constexpr std::string_view w = "frm_dw";
    LIST_FIELD(v, r.values[0], specialChannel("euChannel").help(w, "Combo1_0"));
    LIST_FIELD(v, r.values[1], specialChannel("plChannel").help(w, "Combo1_2"));
    LIST_FIELD(v, r.values[2], specialChannel("deChannel").help(w, "Combo1_4"));
    LIST_FIELD(v, r.values[3], specialChannel("ecChannel").help(w, "Combo1_6"));
    LIST_FIELD(v, r.values[4], specialChannel("uUkChannel").help(w, "Combo1_8"));
    LIST_FIELD(v, r.values[5], specialChannel("inChannel").help(w, "Combo1_10"));
    LIST_FIELD(v, r.values[6], specialMode("euMode").help(w, "Combo1_1"));
    LIST_FIELD(v, r.values[7], specialMode("plMode").help(w, "Combo1_3"));
    LIST_FIELD(v, r.values[8], specialMode("deMode").help(w, "Combo1_5"));
    LIST_FIELD(v, r.values[9], specialMode("ecMode").help(w, "Combo1_7"));
    LIST_FIELD(v, r.values[10], specialMode("uUkMode").help(w, "Combo1_9"));
    LIST_FIELD(v, r.values[11], specialMode("inMode").help(w, "Combo1_11"));
    LIST_FIELD(v, r.values[12], specialBand("hfBand", 15).help(w, "Combo1_12"));
    LIST_FIELD(v, r.values[13], specialChannel("hfChannel").help(w, "Combo1_13"));
    LIST_FIELD(v, r.values[14], specialMode("hfMode").help(w, "Combo1_14"));
    LIST_FIELD(v, r.values[15], specialBand("hamBand", 12).help(w, "Combo1_15"));
    LIST_FIELD(v, r.values[16], specialChannel("hamChannel").help(w, "Combo1_16"));
    LIST_FIELD(v, r.values[17], specialMode("hamMode").help(w, "Combo1_17"));
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
    constexpr std::string_view w = "frm_MEM";
    LIST_FIELD(v, r.values[0], specialChannel("euChannel").help(w, "Combo1_0"));
    LIST_FIELD(v, r.values[1], specialChannel("plChannel").help(w, "Combo1_2"));
    LIST_FIELD(v, r.values[2], specialChannel("deChannel").help(w, "Combo1_4"));
    LIST_FIELD(v, r.values[3], specialChannel("ecChannel").help(w, "Combo1_6"));
    LIST_FIELD(v, r.values[4], specialChannel("uUkChannel").help(w, "Combo1_8"));
    LIST_FIELD(v, r.values[5], specialChannel("inChannel").help(w, "Combo1_10"));
    LIST_FIELD(v, r.values[6], FieldDescription("euState").flag().help(w, "Combo1_1"));
    LIST_FIELD(v, r.values[7], FieldDescription("plState").flag().help(w, "Combo1_3"));
    LIST_FIELD(v, r.values[8], FieldDescription("deState").flag().help(w, "Combo1_5"));
    LIST_FIELD(v, r.values[9], FieldDescription("ecState").flag().help(w, "Combo1_7"));
    LIST_FIELD(v, r.values[10], FieldDescription("uUkState").flag().help(w, "Combo1_9"));
    LIST_FIELD(v, r.values[11], FieldDescription("inState").flag().help(w, "Combo1_11"));
    LIST_FIELD(v, r.values[12], specialChannel("hfChannel").help(w, "Combo1_12"));
    LIST_FIELD(v, r.values[13], FieldDescription("hfState").flag().help(w, "Combo1_13"));
    LIST_FIELD(v, r.values[14], specialChannel("hamChannel").help(w, "Combo1_14"));
    LIST_FIELD(v, r.values[15], FieldDescription("hamState").flag().help(w, "Combo1_15"));
}

inline constexpr std::size_t kEmergencyPackedSize = 72;
inline constexpr std::size_t kDualWatchPackedSize = 36;
inline constexpr std::size_t kMemorySettingsPackedSize = 32;

// Image steps: emergency 0x18040-0x18063 (CB part row-interleaved), dual-watch 0x18080-0x18091,
// memory channels 0x180C0-0x180CF.
void EncodeSpecialChannels(const SettingsRecord &settings, RadioImage &image);
void DecodeSpecialChannels(const RadioImage &image, SettingsRecord &settings);

// Image address of each value of the three sub-records.
std::uint32_t emergencyAddress(int valueIndex);
std::uint32_t dualWatchAddress(int valueIndex);
std::uint32_t memorySettingsAddress(int valueIndex);
