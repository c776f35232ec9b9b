#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lang/Texts.h"
#include "model/ChannelLayout.h"
#include "model/FieldList.h"
#include "model/FixedText.h"

// One channel, in the field order of its packed 70-byte form.
struct ChannelRecord
{
    std::int16_t Number = 0; // channel number within its group, 0 = free entry
    std::int16_t Present = 0;
    std::int16_t Scan = 0;
    FixedText<8> RxDigits; // receive frequency, 8 decimal digits in Hz
    FixedText<8> TxDigits; // kept equal to the receive frequency; not in the radio's memory
    std::int16_t Spare1 = 0;
    std::int16_t Spare2 = 0;
    std::int16_t TxToneType = 0;
    std::int16_t TxCtcss = 0;
    std::int16_t TxDcs = 0;
    std::int16_t Spare3 = 0;
    std::int16_t Mode = 0;
    std::int16_t HiCut = 0;
    std::int16_t NoiseBlanker = 0;
    std::int16_t Echo = 0;
    std::int16_t Plus10k = 0;
    std::int16_t BusyLockout = 0;
    std::uint16_t RogerBeep = 0; // 0 off, 127 + n = tone set n
    std::int16_t Repeater = 0;
    std::int16_t Public = 0;
    std::int16_t DtmfBot = 0;
    std::int16_t DtmfEot = 0;
    std::int16_t DtmfCall = 0;
    std::int16_t RxToneType = 0;
    std::int16_t RxCtcss = 0;
    std::int16_t RxDcs = 0;
    std::int16_t Anl = 0;
    std::uint16_t MemBand = 0;
    std::int16_t MemChannelId = 0; // memory channels: CB channel recalled, 255 = none

    friend bool operator==(const ChannelRecord &, const ChannelRecord &) = default;
};

// List items of the channel fields, as the channel window's detail lists offer them.
namespace ChannelItems {
inline constexpr std::array<TextEntry, 6> kMode{{{"", "FM", "FM"},
                                                 {"", "AM", "AM"},
                                                 {"", "USB", "USB"},
                                                 {"", "LSB", "LSB"},
                                                 {"", "PA", "PA"},
                                                 {"", "CW", "CW"}}};
inline constexpr std::array<TextEntry, 3> kToneType{
    {{"", "Off", "关"}, {"", "CTCSS", "CTCSS"}, {"", "DCS", "DCS"}}};
inline constexpr std::array<TextEntry, 3> kRepeater{
    {{"", "OFF", "关"}, {"", "REP+", "REP+"}, {"", "REP-", "REP-"}}};
inline constexpr std::array<TextEntry, 2> kMemBand{{{"", "U", "U"}, {"", "UK", "UK"}}};
} // namespace ChannelItems

// The 70-byte packed form, field by field. In a group the channel number is the channel's key.
template<RecordOf<ChannelRecord> R, typename V>
void fields(R &r, V &&v)
{
    constexpr std::string_view w = "frmCommChInfo";
    LIST_FIELD(v, r.Number,
               FieldDescription("number").range(0, 99).describe(
                   "The channel number within its group (a memory "
                   "channel's own number); 0 = free entry."));
    LIST_FIELD(v, r.Present,
               FieldDescription("present").flag().describe("Whether the channel exists."));
    LIST_FIELD(v, r.Scan, FieldDescription("scan").flag().help(w, "Combo8_10"));
    LIST_FIELD(v, r.RxDigits, FieldDescription("rx").as(FieldForm::Frequency).help(w, "Frequency"));
    LIST_FIELD(
        v, r.TxDigits,
        FieldDescription("tx")
            .as(FieldForm::Frequency)
            .describe(
                "Transmit frequency, kept equal to the receive frequency; not sent to the radio. "
                "Left out, it follows rx."));
    LIST_FIELD(v, r.Spare1,
               FieldDescription("spare1").describe(
                   "Not used by the radio or the program; carried unchanged."));
    LIST_FIELD(v, r.Spare2,
               FieldDescription("spare2").describe(
                   "Not used by the radio or the program; carried unchanged."));
    LIST_FIELD(v, r.TxToneType,
               FieldDescription("txToneType")
                   .list(fixedItems(ChannelItems::kToneType))
                   .help(w, "Combo8_17"));
    LIST_FIELD(v, r.TxCtcss,
               FieldDescription("txCtcss").as(FieldForm::Ctcss).range(0, 37).help(w, "Combo8_0"));
    LIST_FIELD(v, r.TxDcs,
               FieldDescription("txDcs").as(FieldForm::Dcs).range(0, 103).help(w, "Combo8_16"));
    LIST_FIELD(
        v, r.Spare3,
        FieldDescription("spare3").describe("Set to 0 when a channel is made; carried unchanged."));
    LIST_FIELD(v, r.Mode,
               FieldDescription("mode").list(fixedItems(ChannelItems::kMode)).help(w, "Combo8_12"));
    LIST_FIELD(v, r.HiCut, FieldDescription("hiCut").flag().help(w, "Combo8_2"));
    LIST_FIELD(v, r.NoiseBlanker, FieldDescription("noiseBlanker").flag().help(w, "Combo8_3"));
    LIST_FIELD(v, r.Echo, FieldDescription("echo").flag().help(w, "Combo8_4"));
    LIST_FIELD(v, r.Plus10k, FieldDescription("plus10k").flag().help(w, "Combo8_5"));
    LIST_FIELD(v, r.BusyLockout, FieldDescription("busyLockout").flag().help(w, "Combo8_6"));
    LIST_FIELD(v, r.RogerBeep,
               FieldDescription("rogerBeep")
                   .list(itemsFrom(ItemSource::RogerTones), ShowRule::Roger)
                   .help(w, "Combo8_11"));
    LIST_FIELD(
        v, r.Repeater,
        FieldDescription("repeater").list(fixedItems(ChannelItems::kRepeater)).help(w, "Combo8_7"));
    LIST_FIELD(v, r.Public, FieldDescription("public").flag().help(w, "Combo8_9"));
    LIST_FIELD(v, r.DtmfBot,
               FieldDescription("dtmfBot")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo8_13"));
    LIST_FIELD(v, r.DtmfEot,
               FieldDescription("dtmfEot")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo8_14"));
    LIST_FIELD(v, r.DtmfCall,
               FieldDescription("dtmfCall")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo8_15"));
    LIST_FIELD(v, r.RxToneType,
               FieldDescription("rxToneType")
                   .list(fixedItems(ChannelItems::kToneType))
                   .help(w, "Combo8_18"));
    LIST_FIELD(v, r.RxCtcss,
               FieldDescription("rxCtcss").as(FieldForm::Ctcss).range(0, 37).help(w, "Combo8_19"));
    LIST_FIELD(v, r.RxDcs,
               FieldDescription("rxDcs").as(FieldForm::Dcs).range(0, 103).help(w, "Combo8_20"));
    LIST_FIELD(v, r.Anl, FieldDescription("anl").flag().help(w, "Combo8_21"));
    LIST_FIELD(
        v, r.MemBand,
        FieldDescription("memBand").list(fixedItems(ChannelItems::kMemBand)).help(w, "Combo8_23"));
    LIST_FIELD(v, r.MemChannelId,
               FieldDescription("memChannelId").range(0, 255).none(255).help(w, "Combo8_22"));
}

// The channel lists of every kind and group: entries 1..count of a group are its channels in the
// order they were added or unpacked. The counts live in the settings record.
class ChannelStore
{
public:
    ChannelStore()
        : m_entries(std::size_t{kKindCount} * kMaxGroup * kMaxChannelsPerGroup)
    {}

    // Entry 1..99 of a group; throws std::out_of_range for an index outside the store.
    ChannelRecord &entry(int kind, int group, int index)
    {
        return m_entries.at(offset(kind, group, index));
    }
    const ChannelRecord &entry(int kind, int group, int index) const
    {
        return m_entries.at(offset(kind, group, index));
    }

    friend bool operator==(const ChannelStore &, const ChannelStore &) = default;

private:
    static std::size_t offset(int kind, int group, int index)
    {
        if (!isValidKindGroup(kind, group) || index < 1 || index > kMaxChannelsPerGroup)
            return static_cast<std::size_t>(-1);
        const auto inStore =
            static_cast<std::size_t>((group - 1) * kMaxChannelsPerGroup + index - 1);
        return inStore * kKindCount + static_cast<std::size_t>(kind);
    }

    std::vector<ChannelRecord> m_entries;
};

// The 96 memory channels; entry n is always memory n.
struct MemoryChannels
{
    std::array<ChannelRecord, kMemoryChannelCount> records{};
    int count = 0; // memory channels present

    ChannelRecord &at(int number) { return records.at(static_cast<std::size_t>(number - 1)); }
    const ChannelRecord &at(int number) const
    {
        return records.at(static_cast<std::size_t>(number - 1));
    }

    friend bool operator==(const MemoryChannels &, const MemoryChannels &) = default;
};
