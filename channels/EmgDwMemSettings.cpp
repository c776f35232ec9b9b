#include "channels/EmgDwMemSettings.h"

#include "model/RadioImage.h"
#include "model/SettingsRecord.h"

void EncodeSpecialChannels(const SettingsRecord &, RadioImage &) {}

void DecodeSpecialChannels(const RadioImage &, SettingsRecord &) {}
