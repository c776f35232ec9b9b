#include "datafile/ChangedCheck.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "model/Document.h"

namespace {

bool sameCompared(const ChannelRecord &a, const ChannelRecord &b)
{
    return a.Number == b.Number && a.Present == b.Present && a.Scan == b.Scan &&
           a.RxDigits == b.RxDigits && a.TxCtcss == b.TxCtcss && a.Spare3 == b.Spare3 &&
           a.Mode == b.Mode && a.HiCut == b.HiCut && a.NoiseBlanker == b.NoiseBlanker &&
           a.Echo == b.Echo && a.Plus10k == b.Plus10k && a.BusyLockout == b.BusyLockout &&
           a.Repeater == b.Repeater && a.Public == b.Public && a.DtmfBot == b.DtmfBot &&
           a.DtmfEot == b.DtmfEot && a.DtmfCall == b.DtmfCall;
}

// The saved channel a working channel is compared with; null when the group has none with its
// number.
const ChannelRecord *savedCounterpart(const DocumentSet &saved, int kind, int group, int index,
                                      int count, std::int16_t number)
{
    const ChannelRecord &samePosition = saved.channels.entry(kind, group, index);
    if (samePosition.Number == number)
        return &samePosition;
    for (int other = 1; other <= count; ++other) {
        const ChannelRecord &record = saved.channels.entry(kind, group, other);
        if (record.Number == number)
            return &record;
    }
    return nullptr;
}

bool channelsChanged(const DocumentSet &working, const DocumentSet &saved)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = working.channelCount(kind, group);
            if (count != saved.channelCount(kind, group))
                return true;
            const int stored = std::clamp(count, 0, kMaxChannelsPerGroup);
            for (int index = 1; index <= stored; ++index) {
                const ChannelRecord &mine = working.channels.entry(kind, group, index);
                const ChannelRecord *theirs =
                    savedCounterpart(saved, kind, group, index, stored, mine.Number);
                if (!theirs || !sameCompared(mine, *theirs))
                    return true;
            }
        }
    }
    return false;
}

bool identityChanged(const IdentityRecord &a, const IdentityRecord &b)
{
    return a.modelNameZ != b.modelNameZ || a.modelName != b.modelName ||
           a.firmwareVersion != b.firmwareVersion || a.date != b.date ||
           a.modelCode != b.modelCode || a.bandClass != b.bandClass ||
           a.bandClass2 != b.bandClass2 || a.identityCode != b.identityCode;
}

// The entry of a group in the option record's per-group tables, or 0 for a group without one.
std::int16_t groupTableEntry(const OptionRecord &options, int kind, int group)
{
    std::span<const std::int16_t> table = options.hamGroupTable;
    if (kind == CB)
        table = options.cbGroupTable;
    else if (kind == HF)
        table = options.hfGroupTable;
    return group >= 1 && static_cast<std::size_t>(group) <= table.size()
               ? table[static_cast<std::size_t>(group - 1)]
               : std::int16_t{0};
}

bool optionsChanged(const OptionRecord &a, const OptionRecord &b)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            if (a.groupNames.names.at(kind, group).trimmed() !=
                    b.groupNames.names.at(kind, group).trimmed() ||
                a.groupNames.valid.at(kind, group) != b.groupNames.valid.at(kind, group) ||
                groupTableEntry(a, kind, group) != groupTableEntry(b, kind, group))
                return true;
        }
    }
    if (a.selectorA != b.selectorA || a.setting18002 != b.setting18002 ||
        a.selectorB != b.selectorB || a.hfUseVfo != b.hfUseVfo || a.selectorC != b.selectorC ||
        a.hamUseVfo != b.hamUseVfo)
        return true;
    for (std::size_t code = 0; code < a.dtmfCodes.size(); ++code) {
        if (a.dtmfCodes[code].trimmed() != b.dtmfCodes[code].trimmed())
            return true;
    }
    return a.publicSets != b.publicSets;
}

} // namespace

bool ChangedCheck(const DocumentSet &working, const DocumentSet &saved)
{
    const SettingsRecord &mine = working.settings;
    const SettingsRecord &theirs = saved.settings;
    return channelsChanged(working, saved) || identityChanged(mine.identity, theirs.identity) ||
           optionsChanged(mine.options, theirs.options) || mine.thresholds != theirs.thresholds ||
           mine.toneTips != theirs.toneTips;
}
