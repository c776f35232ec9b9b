#include "channels/ChannelReferences.h"

#include <cstdint>

#include "model/ChannelLayout.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/SettingsRecord.h"

namespace {

// A stored channel value (channel number - 1) that names the removed channel becomes "none".
// Channel numbers are slot numbers and stay with their channels when an entry is removed, so no
// other reference has to move.
void dropIfRemoved(std::int16_t &value, int removedNumber)
{
    if (value == removedNumber - 1)
        value = kNoChannel;
}

// A band/channel pair refers to the channel when its band is the group's position (from 0).
void dropPair(std::int16_t band, std::int16_t &channel, int group, int removedNumber)
{
    if (band == group - 1)
        dropIfRemoved(channel, removedNumber);
}

void dropCb(SettingsRecord &s, int group, int removedNumber)
{
    // CB rows 1-6 are groups 1-6; group 7 has no stored row.
    if (group > kSpecialCbRows)
        return;
    const auto row = static_cast<std::size_t>(group - 1);
    dropIfRemoved(s.emergency.values[EmergencySettings::kCbChannel1 + row], removedNumber);
    dropIfRemoved(s.emergency.values[EmergencySettings::kCbChannel2 + row], removedNumber);
    dropIfRemoved(s.dualWatch.values[DualWatchSettings::kCbChannel + row], removedNumber);
}

void dropBand(SettingsRecord &s, int kind, int group, int removedNumber)
{
    auto &emergency = s.emergency.values;
    auto &dualWatch = s.dualWatch.values;
    const bool hf = kind == HF;
    const std::size_t band = hf ? EmergencySettings::kHfBand : EmergencySettings::kHamBand;
    const std::size_t channel = hf ? EmergencySettings::kHfChannel : EmergencySettings::kHamChannel;
    if (group <= namedGroupCount(kind)) {
        for (std::size_t k = 0; k < 2; ++k)
            dropPair(emergency[band + k], emergency[channel + k], group, removedNumber);
        dropPair(dualWatch[hf ? DualWatchSettings::kHfBand : DualWatchSettings::kHamBand],
                 dualWatch[hf ? DualWatchSettings::kHfChannel : DualWatchSettings::kHamChannel],
                 group, removedNumber);
    }
    // The HF and HAM memory-channel settings name a channel of the kind's "MEM" group.
    if (group == memGroup(kind))
        dropIfRemoved(
            s.memorySettings.values[hf ? MemorySettings::kHfChannel : MemorySettings::kHamChannel],
            removedNumber);
}

} // namespace

void DropChannelReferences(SettingsRecord &settings, int kind, int group, int removedNumber)
{
    if (!isValidKindGroup(kind, group) || removedNumber < 1)
        return;
    if (kind == CB)
        dropCb(settings, group, removedNumber);
    else
        dropBand(settings, kind, group, removedNumber);
}
