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
    LIST_FIELD(v, r.modelNameZ,
               FieldDescription("modelNameZ")
                   .as(FieldForm::Text)
                   .describe("The model name followed by NUL."));
    LIST_FIELD(
        v, r.modelCode,
        FieldDescription("modelCode").initially(kModelCode).describe("The model code, 248."));
    LIST_FIELD(
        v, r.bandClass,
        FieldDescription("bandClass").describe("The band class: 0 the wide band, 1 any other."));
    LIST_FIELD(v, r.date,
               FieldDescription("date")
                   .as(FieldForm::Text)
                   .describe("The date of the document, YYYYMMDD."));
    LIST_FIELD(v, r.firmwareVersion,
               FieldDescription("firmwareVersion")
                   .as(FieldForm::Text)
                   .describe("Firmware version text, V2.00."));
    LIST_FIELD(
        v, r.modelName,
        FieldDescription("modelName").as(FieldForm::Text).describe("The model name, ORX740."));
    LIST_FIELD(v, r.bandClass2,
               FieldDescription("bandClass2").describe("The band class once more."));
    LIST_FIELD(v, r.identityCode,
               FieldDescription("identityCode")
                   .initially('C')
                   .describe("67 (the letter C) in a new document."));
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
    RssiThresholds thresholds;
    SingleBytes singleBytes;
    BesideValues extraValues;

    int channelCount(int kind, int group) const { return channelCounts.at(kind, group); }

    friend bool operator==(const SettingsRecord &, const SettingsRecord &) = default;
};

inline constexpr std::array<TextEntry, 3> kKindItems{
    {{"", "CB", "CB"}, {"", "HF", "HF"}, {"", "HAM", "HAM"}}};

// The 2893-byte data file, field by field.
template<RecordOf<SettingsRecord> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(
        v, r.version,
        FieldDescription("version").as(FieldForm::Text).describe("The data-file version, V100."));
    LIST_FIELD(v, r.currentKind,
               FieldDescription("currentKind")
                   .list(fixedItems(kKindItems))
                   .initially(HF)
                   .describe("The channel kind the channel window shows."));
    LIST_FIELD(v, r.currentGroup,
               FieldDescription("currentGroup")
                   .range(1, kMaxGroup)
                   .initially(1)
                   .elements(kKindKeys)
                   .describe("The group last shown of each kind."));
    LIST_FIELD(v, r.groupSelection,
               FieldDescription("groupSelection")
                   .describe("One value per kind and group 1-17, used by the channel grid."));
    LIST_FIELD(v, r.channelCounts, FieldDescription("channelCounts").followsFromOthers());
    LIST_FIELD(v, r.identity, FieldDescription("identity"));
    LIST_FIELD(v, r.options, FieldDescription("options"));
    LIST_FIELD(v, r.emergency, FieldDescription("emergency"));
    LIST_FIELD(v, r.dualWatch, FieldDescription("dualWatch"));
    LIST_FIELD(v, r.memorySettings, FieldDescription("memorySettings"));
    LIST_FIELD(v, r.toneTips, FieldDescription("toneTips"));
    LIST_FIELD(v, r.thresholds, FieldDescription("thresholds"));
    LIST_FIELD(v, r.singleBytes, FieldDescription("singleBytes"));
    LIST_FIELD(v, r.extraValues, FieldDescription("extraValues"));
}
