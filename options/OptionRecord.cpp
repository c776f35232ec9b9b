#include "options/OptionRecord.h"

#include "model/RadioImage.h"
#include "model/SettingsRecord.h"

void EncodeOptions(const SettingsRecord &, RadioImage &) {}

void DecodeOptions(const RadioImage &, SettingsRecord &) {}
