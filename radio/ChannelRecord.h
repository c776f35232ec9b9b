#pragma once

#include <array>
#include <cstdint>
#include <vector>

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

// The 70-byte packed form, field by field.
template<RecordOf<ChannelRecord> R, typename V>
void fields(R &r, V &&v)
{
    v("Number", r.Number);
    v("Present", r.Present);
    v("Scan", r.Scan);
    v("RxDigits", r.RxDigits);
    v("TxDigits", r.TxDigits);
    v("Spare1", r.Spare1);
    v("Spare2", r.Spare2);
    v("TxToneType", r.TxToneType);
    v("TxCtcss", r.TxCtcss);
    v("TxDcs", r.TxDcs);
    v("Spare3", r.Spare3);
    v("Mode", r.Mode);
    v("HiCut", r.HiCut);
    v("NoiseBlanker", r.NoiseBlanker);
    v("Echo", r.Echo);
    v("Plus10k", r.Plus10k);
    v("BusyLockout", r.BusyLockout);
    v("RogerBeep", r.RogerBeep);
    v("Repeater", r.Repeater);
    v("Public", r.Public);
    v("DtmfBot", r.DtmfBot);
    v("DtmfEot", r.DtmfEot);
    v("DtmfCall", r.DtmfCall);
    v("RxToneType", r.RxToneType);
    v("RxCtcss", r.RxCtcss);
    v("RxDcs", r.RxDcs);
    v("Anl", r.Anl);
    v("MemBand", r.MemBand);
    v("MemChannelId", r.MemChannelId);
}

// The channel lists of every kind and group: entries 1..count of a group are its channels in the
// order they were added or unpacked. The counts live in the settings record.
class ChannelStore
{
public:
    ChannelStore()
        : m_entries(kKindCount * kMaxGroup * kMaxChannelsPerGroup)
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
        return static_cast<std::size_t>(
            ((group - 1) * kMaxChannelsPerGroup + (index - 1)) * kKindCount + kind);
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
