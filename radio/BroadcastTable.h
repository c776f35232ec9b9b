#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "lang/Texts.h"
#include "model/FieldList.h"

class ByteReader;
class ByteWriter;
class RadioImage;
struct SettingsRecord;

inline constexpr int kBroadcastChannelCount = 40;
inline constexpr int kBroadcastEntryCount = 41;
inline constexpr int kBroadcastVfoEntry = 41;

// One receive-only broadcast (weather) channel: 16 bytes in the data file.
struct BroadcastEntry
{
    std::int16_t valid = 0;
    double frequency = 0.0;     // MHz
    std::int16_t onOff = 0;     // kept in the document only, never written to the radio
    std::int16_t bandwidth = 0; // 0 "Narrow", 1 "Wide"
    std::int16_t scan = 0;      // 0 "Del", 1 "Add"

    friend bool operator==(const BroadcastEntry &, const BroadcastEntry &) = default;
};

inline constexpr std::array<TextEntry, 9> kBroadcastStepItems{{
    {"", "100Hz", "100Hz"},
    {"", "1KHz", "1KHz"},
    {"", "5KHz", "5KHz"},
    {"", "6.25KHz", "6.25KHz"},
    {"", "10KHz", "10KHz"},
    {"", "12.5KHz", "12.5KHz"},
    {"", "25KHz", "25KHz"},
    {"", "100KHz", "100KHz"},
    {"", "1MHz", "1MHz"},
}};

namespace BroadcastItems {
inline constexpr std::array<TextEntry, 2> kBandwidth{
    {{"", "Narrow", "Narrow"}, {"", "Wide", "Wide"}}};
inline constexpr std::array<TextEntry, 2> kScan{{{"", "Del", "Del"}, {"", "Add", "Add"}}};
inline constexpr std::array<TextEntry, 1> kOff{{{"", "Off", "Off"}}};
} // namespace BroadcastItems

template<RecordOf<BroadcastEntry> R, typename V>
void fields(R &r, V &&v)
{
    using namespace BroadcastItems;
    LIST_FIELD(v, r.valid,
               FieldDescription("valid").flag().describe("Whether the entry holds a frequency."));
    LIST_FIELD(v, r.frequency,
               FieldDescription("frequency")
                   .as(FieldForm::BroadcastFrequency)
                   .describe("Receive frequency in MHz, in steps of 10 Hz (136-174 MHz)."));
    LIST_FIELD(v, r.onOff,
               FieldDescription("onOff").flag().describe(
                   "Kept in the data file only; never sent to the radio."));
    LIST_FIELD(
        v, r.bandwidth,
        FieldDescription("bandwidth").list(fixedItems(kBandwidth)).describe("Narrow or Wide."));
    LIST_FIELD(v, r.scan,
               FieldDescription("scan")
                   .list(fixedItems(kScan))
                   .describe("Del: not scanned; Add: scanned."));
}

// The weather settings and the 40 broadcast channels plus the "VFO" entry: 670 bytes in the data
// file. No window edits it: it travels unchanged between radio and data file.
struct BroadcastTable
{
    std::int16_t weatherOn = 0;
    std::int16_t currentChannel = 0; // channel number - 1
    std::int16_t alert = 0;
    std::int16_t scanState = 0;
    std::int16_t weatherVfo = 0;
    std::int16_t step = 0;    // position in kBroadcastStepItems
    std::int16_t squelch = 0; // 0 "Off", 1-9 the levels
    std::array<BroadcastEntry, kBroadcastEntryCount> entries{};

    BroadcastEntry &entry(int number) { return entries.at(static_cast<std::size_t>(number - 1)); }
    const BroadcastEntry &entry(int number) const
    {
        return entries.at(static_cast<std::size_t>(number - 1));
    }

    friend bool operator==(const BroadcastTable &, const BroadcastTable &) = default;
};

template<RecordOf<BroadcastTable> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(v, r.weatherOn,
               FieldDescription("weatherOn").flag().describe("Weather reception switch."));
    LIST_FIELD(v, r.currentChannel,
               FieldDescription("currentChannel")
                   .scaled(1, 1, 0, {})
                   .range(0, 40)
                   .describe("The weather channel in use, 1-40 (41: the VFO entry)."));
    LIST_FIELD(v, r.alert, FieldDescription("alert").flag().describe("Weather alert switch."));
    LIST_FIELD(v, r.scanState,
               FieldDescription("scanState").flag().describe("Weather scan switch."));
    LIST_FIELD(v, r.weatherVfo,
               FieldDescription("weatherVfo").flag().describe("Weather VFO switch."));
    LIST_FIELD(v, r.step,
               FieldDescription("step")
                   .list(fixedItems(kBroadcastStepItems))
                   .describe("Tuning step of the weather VFO."));
    LIST_FIELD(v, r.squelch,
               FieldDescription("squelch")
                   .list(numberItems(1, 9, 1, {}, BroadcastItems::kOff))
                   .describe("Weather squelch: Off or level 1-9."));
    LIST_FIELD(v, r.entries,
               FieldDescription("entries").elements("channel").describe(
                   "The 40 broadcast channels, then the VFO entry (channel 41)."));
}

inline constexpr std::size_t kBroadcastEntryPackedSize = 16;
inline constexpr std::size_t kBroadcastTablePackedSize = 670;

// Broadcast frequencies count in units of 10 Hz: MHz x 100000 as 8 decimal digits, packed BCD with
// the most significant pair first (162.55 MHz -> 0x16 0x25 0x50 0x00). Rounded to the nearest
// unit; nothing for a frequency that 8 digits cannot hold (negative, too large, not a number).
std::optional<std::array<std::uint8_t, 4>> packBroadcastFrequency(double megahertz);
// The reverse; nothing when a byte holds a hexadecimal digit A-F.
std::optional<double> unpackBroadcastFrequency(const std::array<std::uint8_t, 4> &bytes);

// Image steps: entries at 0x1C000 + 8(n-1) (VFO at 0x1C180), settings and bit tables at 0x22060.
void EncodeBroadcast(const SettingsRecord &settings, RadioImage &image);
void DecodeBroadcast(const RadioImage &image, SettingsRecord &settings);
