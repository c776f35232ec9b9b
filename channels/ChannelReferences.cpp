#include "channels/ChannelReferences.h"

#include "model/SettingsRecord.h"

void DropChannelReferences(SettingsRecord &, int, int, int) {}
