#include "options/RogerBeep.h"

#include "model/RadioImage.h"
#include "model/SettingsRecord.h"

void EncodeToneTips(const SettingsRecord &, RadioImage &) {}

void DecodeToneTips(const RadioImage &, SettingsRecord &) {}
