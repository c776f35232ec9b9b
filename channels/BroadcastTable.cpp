#include "channels/BroadcastTable.h"

#include "model/RadioImage.h"
#include "model/SettingsRecord.h"

void EncodeBroadcast(const SettingsRecord &, RadioImage &) {}

void DecodeBroadcast(const RadioImage &, SettingsRecord &) {}
