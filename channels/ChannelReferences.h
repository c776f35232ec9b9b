#pragma once

struct SettingsRecord;

// When a channel is removed from its group, the settings that refer to it by number drop or move
// those references.
void DropChannelReferences(SettingsRecord &settings, int kind, int group, int removedNumber);
