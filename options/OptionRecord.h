#pragma once

#include <array>
#include <cstdint>

#include "channels/GroupNames.h"
#include "model/FixedText.h"

class RadioImage;
struct SettingsRecord;

// All option settings: 1964 bytes in the data file, including the group names, the DTMF codes
// and the broadcast table.
struct OptionRecord
{
    GroupNameTable groupNames;
    std::array<FixedText<16>, 16> dtmfCodes;

    friend bool operator==(const OptionRecord &, const OptionRecord &) = default;
};

// Image steps of the option blocks, group names and DTMF codes.
void EncodeOptions(const SettingsRecord &settings, RadioImage &image);
void DecodeOptions(const RadioImage &image, SettingsRecord &settings);
