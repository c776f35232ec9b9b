#pragma once

#include <array>
#include <cstdint>

#include "model/ChannelLayout.h"
#include "model/FieldList.h"
#include "model/FixedText.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"

inline constexpr const char *kDataFileVersion = "V100";
inline constexpr const char *kModelName = "ORX740";
inline constexpr std::int16_t kModelCode = 248;

// Model, band and firmware identity of a document.
struct IdentityRecord
{
    FixedText<7> modelNameZ; // model name followed by NUL
    std::int16_t modelCode = kModelCode;
    std::int16_t bandClass = 0;
    FixedText<8> date; // "YYYYMMDD"
    FixedText<5> firmwareVersion{"V2.00"};
    FixedText<6> modelName;
    std::int16_t bandClass2 = 0;
    std::int16_t identityCode = 'C';

    friend bool operator==(const IdentityRecord &, const IdentityRecord &) = default;
};

template<RecordOf<IdentityRecord> R, typename V>
void fields(R &r, V &&v)
{
    v("modelNameZ", r.modelNameZ);
    v("modelCode", r.modelCode);
    v("bandClass", r.bandClass);
    v("date", r.date);
    v("firmwareVersion", r.firmwareVersion);
    v("modelName", r.modelName);
    v("bandClass2", r.bandClass2);
    v("identityCode", r.identityCode);
}

// Everything of a document except the channel tables, fields in their data-file order.
struct SettingsRecord
{
    FixedText<4> version{kDataFileVersion};
    std::int16_t currentKind = HF;
    std::array<std::int16_t, kKindCount> currentGroup{1, 1, 1};
    KindGroupArray<std::int16_t> groupSelection;
    KindGroupArray<std::int16_t> channelCounts;
    IdentityRecord identity;
    OptionRecord options;
    EmergencySettings emergency;
    DualWatchSettings dualWatch;
    MemorySettings memorySettings;
    ToneTipTable toneTips;
    std::array<std::int16_t, 12> thresholds{};
    std::array<std::uint8_t, 7> singleBytes{};
    std::array<std::int16_t, 14> extraValues{};

    int channelCount(int kind, int group) const { return channelCounts.at(kind, group); }

    friend bool operator==(const SettingsRecord &, const SettingsRecord &) = default;
};

// The 2893-byte data file, field by field.
template<RecordOf<SettingsRecord> R, typename V>
void fields(R &r, V &&v)
{
    v("version", r.version);
    v("currentKind", r.currentKind);
    v("currentGroup", r.currentGroup);
    v("groupSelection", r.groupSelection);
    v("channelCounts", r.channelCounts);
    v("identity", r.identity);
    v("options", r.options);
    v("emergency", r.emergency);
    v("dualWatch", r.dualWatch);
    v("memorySettings", r.memorySettings);
    v("toneTips", r.toneTips);
    v("thresholds", r.thresholds);
    v("singleBytes", r.singleBytes);
    v("extraValues", r.extraValues);
}
