#include "channels/ChannelRecords.h"

#include <algorithm>

#include "channels/ChannelReferences.h"
#include "radio/ChannelAddresses.h"
#include "radio/Document.h"
#include "radio/Frequency.h"
#include "radio/FrequencyCodec.h"

namespace {

// The highest number of a regular (non-memory) channel row.
constexpr int kLastRegularChannel = 40;

bool isGroupOf(int kind, int group)
{
    return group >= 1 && group <= groupCount(kind);
}

// The fields every new channel starts with, whatever the reused entry held before.
void setNewChannelDefaults(ChannelRecord &record, int number, std::string_view digits)
{
    record.Number = static_cast<std::int16_t>(number);
    record.Present = 1;
    record.Scan = 1;
    record.NoiseBlanker = 1;
    record.RxDigits.assign(digits);
    record.TxDigits.assign(digits);
    record.TxToneType = 0;
    record.TxCtcss = 0;
    record.TxDcs = 0;
    record.Spare3 = 0;
    record.Mode = 0;
    record.HiCut = 0;
    record.Echo = 0;
    record.Plus10k = 0;
    record.BusyLockout = 0;
    record.RogerBeep = 0;
    record.Repeater = 0;
    record.Public = 0;
    record.DtmfBot = 0;
    record.DtmfEot = 0;
    record.DtmfCall = 0;
    record.RxToneType = 0;
    record.RxCtcss = 0;
    record.RxDcs = 0;
    record.Anl = 0;
}

} // namespace

std::optional<int> FindChannel(const DocumentSet &document, int kind, int group, int number)
{
    if (!isGroupOf(kind, group))
        return std::nullopt;
    const int count = std::min<int>(document.channelCount(kind, group), kMaxChannelsPerGroup);
    for (int index = 1; index <= count; ++index)
        if (document.channels.entry(kind, group, index).Number == number)
            return index;
    return std::nullopt;
}

namespace {

std::optional<int> addChannelWithDigits(DocumentSet &document, int kind, int group, int number,
                                        std::string_view digits)
{
    if (!isGroupOf(kind, group) || number < 1 || number > slotAreaSize(kind, group))
        return std::nullopt;
    std::int16_t &count = document.settings.channelCounts.at(kind, group);
    if (count < 0 || count >= kMaxChannelsPerGroup || FindChannel(document, kind, group, number))
        return std::nullopt;
    ++count;
    // A fresh record: nothing of the entry's earlier channel carries over.
    ChannelRecord &record = document.channels.entry(kind, group, count);
    record = ChannelRecord{};
    setNewChannelDefaults(record, number, digits);
    return count;
}

} // namespace

std::optional<int> AddChannel(DocumentSet &document, int kind, int group, int number,
                              std::string_view displayText, const BandLimits &limits)
{
    return addChannelWithDigits(document, kind, group, number,
                                DisplayToDigits(displayText, limits));
}

std::optional<int> AddChannel(DocumentSet &document, int kind, int group, int number,
                              Frequency frequency)
{
    return addChannelWithDigits(document, kind, group, number, frequency.digits());
}

bool AddMemoryChannel(MemoryChannels &memories, int number, std::string_view displayText,
                      const BandLimits &limits)
{
    if (number < 1 || number > kMemoryChannelCount)
        return false;
    ChannelRecord &memory = memories.at(number);
    // A memory that is already present is not counted twice.
    if (memory.Present == 0)
        ++memories.count;
    setNewChannelDefaults(memory, number, DisplayToDigits(displayText, limits));
    return true;
}

bool RemoveChannelEntry(DocumentSet &document, int kind, int group, int index)
{
    if (!isGroupOf(kind, group))
        return false;
    std::int16_t &count = document.settings.channelCounts.at(kind, group);
    const int oldCount = std::min<int>(count, kMaxChannelsPerGroup);
    if (index < 1 || index > oldCount)
        return false;
    for (int next = index + 1; next <= oldCount; ++next)
        document.channels.entry(kind, group, next - 1) = document.channels.entry(kind, group, next);
    // The place left free at the end holds no channel.
    ChannelRecord &freed = document.channels.entry(kind, group, oldCount);
    freed.Number = 0;
    freed.Present = 0;
    count = static_cast<std::int16_t>(oldCount - 1);
    return true;
}

ChannelRemoval RemoveClearedChannel(DocumentSet &document, int kind, int group, int index)
{
    if (!isGroupOf(kind, group) || index < 1 ||
        index > std::min<int>(document.channelCount(kind, group), kMaxChannelsPerGroup))
        return ChannelRemoval::Kept;
    const int removedNumber = document.channels.entry(kind, group, index).Number;

    const int groupEntries =
        std::min<int>(document.channelCount(kind, group), kMaxChannelsPerGroup);
    int regularInGroup = 0;
    for (int entry = 1; entry <= groupEntries; ++entry)
        if (document.channels.entry(kind, group, entry).Number <= kLastRegularChannel)
            ++regularInGroup;
    if (regularInGroup >= 2) {
        RemoveChannelEntry(document, kind, group, index);
        DropChannelReferences(document.settings, kind, group, removedNumber);
        return ChannelRemoval::Removed;
    }

    // The radio must keep a channel in some valid group: look for one in the first groups of the
    // kind (1..9, or 1..10 for CB as far as the kind has groups), this channel left out.
    KindGroupArray<std::int16_t> &valid = document.settings.options.groupNames.valid;
    const int lastGroup = std::min(kind == CB ? 10 : 9, groupCount(kind));
    int elsewhere = 0;
    for (int other = 1; other <= lastGroup; ++other) {
        if (valid.at(kind, other) == 0)
            continue;
        const int count = std::min<int>(document.channelCount(kind, other), kMaxChannelsPerGroup);
        for (int entry = 1; entry <= count; ++entry) {
            if (other == group && entry == index)
                continue;
            if (document.channels.entry(kind, other, entry).Number < kLastRegularChannel)
                ++elsewhere;
        }
    }
    if (elsewhere == 0)
        return ChannelRemoval::Kept;
    valid.at(kind, group) = 0;
    RemoveChannelEntry(document, kind, group, index);
    // Settings must not go on referring to a channel that no longer exists.
    DropChannelReferences(document.settings, kind, group, removedNumber);
    return ChannelRemoval::RemovedGroupInvalid;
}
