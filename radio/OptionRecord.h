#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/FieldList.h"
#include "model/FixedText.h"
#include "radio/BroadcastTable.h"
#include "radio/DtmfCodes.h"
#include "radio/GroupNames.h"
#include "radio/OptionItems.h"

class ByteReader;
class ByteWriter;
class RadioImage;
struct SettingsRecord;

// One public-channel parameter set (CB, HF or HAM): 11 values, 22 bytes in the data file. The first
// eight come from the radio's four bytes at 0x18108 / 0x18118 / 0x18128; the DTMF choices live in
// the document only.
struct PublicParamSet
{
    std::int16_t hiCut = 0;        // byte +0 bit 0
    std::int16_t noiseBlanker = 0; // byte +0 bits 4-5
    std::int16_t echo = 0;         // byte +0 bit 1
    std::int16_t plus10k = 0;      // byte +0 bit 2
    std::int16_t anl = 0;          // byte +0 bits 6-7
    std::int16_t fourthFlag = 0;   // byte +0 bit 3, not shown, kept and written back
    std::int16_t roger = 0;        // byte +2: 0 off, 127 + n = tone set n
    std::int16_t mode = 0;         // byte +3: "FM", "AM", "USB", "LSB", "PA", "CW"
    std::int16_t dtmfBot = 0;      // DTMF code number, 0 none
    std::int16_t dtmfEot = 0;
    std::int16_t dtmfCall = 0;

    friend bool operator==(const PublicParamSet &, const PublicParamSet &) = default;
};

// The boxes of the CB public-channel frame (Combo2) describe every set's fields.
template<RecordOf<PublicParamSet> R, typename V>
void fields(R &r, V &&v)
{
    using namespace OptionTexts;
    constexpr std::string_view w = "FrmOptFeatures";
    LIST_FIELD(
        v, r.hiCut,
        FieldDescription("hiCut").list(fixedItems(kOffOnPair)).initially(0).help(w, "Combo2_0"));
    LIST_FIELD(v, r.noiseBlanker,
               FieldDescription("noiseBlanker")
                   .list(fixedItems(kNoiseBlanker))
                   .initially(1)
                   .help(w, "Combo2_1"));
    LIST_FIELD(
        v, r.echo,
        FieldDescription("echo").list(fixedItems(kOffOnPair)).initially(0).help(w, "Combo2_2"));
    LIST_FIELD(
        v, r.plus10k,
        FieldDescription("plus10k").list(fixedItems(kOffOnPair)).initially(0).help(w, "Combo2_3"));
    LIST_FIELD(
        v, r.anl,
        FieldDescription("anl").list(fixedItems(kOffOnUpper)).initially(0).help(w, "Combo2_4"));
    LIST_FIELD(v, r.fourthFlag,
               FieldDescription("fourthFlag")
                   .range(0, 1)
                   .initially(0)
                   .describe("Bit 3 of the set's first byte: not shown, kept and written back."));
    LIST_FIELD(v, r.roger,
               FieldDescription("roger")
                   .list(itemsFrom(ItemSource::RogerTones), ShowRule::Roger)
                   .initially(0)
                   .help(w, "Combo2_9"));
    LIST_FIELD(
        v, r.mode,
        FieldDescription("mode").list(fixedItems(kPublicMode)).initially(1).help(w, "Combo2_5"));
    LIST_FIELD(v, r.dtmfBot,
               FieldDescription("dtmfBot")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo2_6"));
    LIST_FIELD(v, r.dtmfEot,
               FieldDescription("dtmfEot")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo2_7"));
    LIST_FIELD(v, r.dtmfCall,
               FieldDescription("dtmfCall")
                   .list(itemsFrom(ItemSource::DtmfCodes), ShowRule::NumberText)
                   .help(w, "Combo2_8"));
}

enum PublicBand : int
{
    PublicCb = 0,
    PublicHf = 1,
    PublicHam = 2
};

// All option settings of a document: 1964 bytes in the data file. Every field starts at zero, as
// at program start; DefaultOptions gives a new document its values. The radio keeps most of them in
// the option blocks 0x18000-0x1812B and 0x22100-0x22144; a few live in the document only. Values
// kept beside the record are in SettingsRecord (see BesideValue below).
struct OptionRecord
{
    // Leading fields (114 bytes).
    std::int16_t selectorA = 0;                   // 0x18001, stored +1
    std::int16_t setting18002 = 0;                // 0x18002
    std::int16_t selectorB = 0;                   // 0x18003, stored +1
    std::int16_t hfUseVfo = 0;                    // 0x18004
    std::int16_t selectorC = 0;                   // 0x18005, stored +1
    std::int16_t hamUseVfo = 0;                   // 0x18006
    std::array<std::int16_t, 6> cbGroupTable{};   // 0x18007-0x1800C, each +1
    std::array<std::int16_t, 15> hfGroupTable{};  // 0x1800D-0x1801B, each +1
    std::array<std::int16_t, 12> hamGroupTable{}; // 0x1801C-0x18027, each +1
    std::int16_t workMode = 0;                    // document only from here on to keyAssign
    std::int16_t beep = 0;
    std::int16_t volData = 0;
    std::int16_t volPath = 0;
    std::int16_t sql = 0;
    std::int16_t aop = 0;
    std::int16_t powerOffDisplay = 0;
    std::int16_t handType = 0;
    std::array<std::int16_t, 4> keyAssign{}; // "P1".."P4": positions in the key function list
    std::int16_t voxFunction = 0;
    std::int16_t memMenu = 0;
    std::array<std::uint8_t, 8> reserved1{}; // carried unchanged

    // Three 22-byte sets: CB, HF, HAM.
    std::array<PublicParamSet, 3> publicSets{};

    // The eight Bluetooth settings 0x22128-0x2212F (16 bytes).
    std::int16_t bluetoothOn = 0;
    std::int16_t pttHold = 0;
    std::int16_t micGain = 0;
    std::int16_t spkGain = 0;
    std::int16_t holdTime = 0;
    std::int16_t holdDelay = 0;
    std::int16_t btIntSpk = 0;
    std::int16_t pttSleep = 0;

    BroadcastTable broadcast; // 670 bytes

    GroupNameTable groupNames; // valid flags (102 bytes), then names (102 bytes)

    // Second option block (235 bytes). The 16-bit values of the radio are unsigned: a repeater
    // offset of 5 MHz is 50000.
    std::uint16_t batteryMax = 0; // 0x22100, tenths of a volt
    std::uint16_t batteryMin = 0; // 0x22102
    std::uint16_t cwFreq = 0;     // 0x22104, list index + 30
    std::int16_t cwBeep = 0;
    std::int16_t maxSwr = 0; // tenths
    std::int16_t nrcAble = 0;
    std::int16_t indic = 0;
    std::int16_t mic = 0;
    std::int16_t nogSet = 0;
    std::int16_t tot = 0; // units of 10 s, list index x 3
    std::int16_t swrProtect = 0;
    std::int16_t tdcSet = 0;
    std::int16_t scanType = 0;
    std::int16_t menuColour = 0;
    std::uint16_t txRepeatOffset = 0; // 0x22113, units of 0.0001 MHz
    std::int16_t asqLevel = 0;        // low 7 bits of 0x22115
    std::int16_t micType = 0;
    std::int16_t voxOnOff = 0;
    std::int16_t voxLevel = 0;
    std::int16_t voxDelay = 0;
    std::int16_t rxNr = 0;
    std::int16_t txNr = 0;
    std::int16_t claSet = 0;
    std::int16_t claFrq = 0;
    std::int16_t echoVol = 0;
    std::int16_t echoTime = 0;
    std::int16_t vfoStep = 0;
    std::int16_t fmDeviation = 0;
    std::int16_t ssbTone = 0;
    std::int16_t dim = 0;
    std::int16_t agc = 0;
    std::int16_t cwRxMode = 0;
    std::int16_t cwBkin = 0;
    std::int16_t cwOffset = 0;
    std::int16_t voxSpk = 0;
    std::int16_t pfKey = 0;
    std::int16_t txDrcCon = 0;
    std::array<std::uint8_t, 161> reserved2{};

    // 25 bytes.
    DtmfTiming dtmfTiming;
    std::array<std::uint8_t, 13> reserved3{};

    std::array<std::uint8_t, 338> reserved4{};

    DtmfCodeTable dtmfCodes;

    std::array<std::int16_t, 12> reservedValues{};

    FixedText<16> btDeviceName; // 0x22130-0x2213F

    friend bool operator==(const OptionRecord &, const OptionRecord &) = default;
};

namespace OptionSpecs {
inline constexpr std::string_view kWindow = "FrmOptFeatures";
// A list box of the option window.
constexpr FieldDescription combo(std::string_view name, ItemList items, std::string_view control,
                                 ShowRule rule = ShowRule::Index)
{
    return FieldDescription(name).list(items, rule).help(kWindow, control);
}
constexpr FieldDescription checkBox(std::string_view name, std::string_view control)
{
    return FieldDescription(name).flag().help(kWindow, control);
}
inline constexpr std::string_view kChannelWindowName = "frmCommChInfo";
// The work group of a kind, and the current work channel of each group: bytes of the radio
// stored + 1.
constexpr FieldDescription workGroup(std::string_view name)
{
    return FieldDescription(name).range(1, 256).initially(1).help(kChannelWindowName, "Combo3");
}
constexpr FieldDescription workChannel(std::string_view name)
{
    return FieldDescription(name).range(1, 256).initially(1).elements("group").help(
        kChannelWindowName, "Combo1_4");
}
constexpr std::string_view kCarried = "Bytes no setting uses, carried unchanged.";
inline constexpr std::string_view kPublicSetKeys[] = {"CB", "HF", "HAM"};
inline constexpr std::string_view kKeyAssignKeys[] = {"P1", "P2", "P3", "P4"};
} // namespace OptionSpecs

// The option record up to the group names (0x18000 on, the public sets, Bluetooth, broadcast).
template<RecordOf<OptionRecord> R, typename V>
void leadingOptionFields(R &o, V &&v)
{
    using namespace OptionTexts;
    using namespace OptionSpecs;
    LIST_FIELD(v, o.selectorA, workGroup("cbWorkGroup"));
    LIST_FIELD(v, o.setting18002,
               FieldDescription("memoryRow")
                   .range(0, 255)
                   .initially(0)
                   .help(kChannelWindowName, "Combo1_5"));
    LIST_FIELD(v, o.selectorB, workGroup("hfWorkGroup"));
    LIST_FIELD(v, o.hfUseVfo, combo("hfUseVfo", fixedItems(kOffOnLower), "Combo1_64").initially(0));
    LIST_FIELD(v, o.selectorC, workGroup("hamWorkGroup"));
    LIST_FIELD(v, o.hamUseVfo,
               combo("hamUseVfo", fixedItems(kOffOnLower), "Combo1_65").initially(0));
    LIST_FIELD(v, o.cbGroupTable, workChannel("cbWorkChannel"));
    LIST_FIELD(v, o.hfGroupTable, workChannel("hfWorkChannel"));
    LIST_FIELD(v, o.hamGroupTable, workChannel("hamWorkChannel"));
    LIST_FIELD(v, o.workMode, combo("workMode", fixedItems(kWorkMode), "Combo1_19").initially(1));
    LIST_FIELD(v, o.beep, combo("beep", fixedItems(kOffOnPair), "Combo1_39").initially(1));
    LIST_FIELD(v, o.volData, combo("volData", numberItems(1, 64), "Combo1_37"));
    LIST_FIELD(v, o.volPath, combo("volPath", fixedItems(kVolPath), "Combo1_31"));
    LIST_FIELD(v, o.sql, combo("sql", numberItems(1, 79, 1, {}, kOffUpperHead), "Combo1_53"));
    LIST_FIELD(v, o.aop, combo("aop", fixedItems(kOffOnPair), "Combo1_57"));
    LIST_FIELD(v, o.powerOffDisplay,
               combo("powerOffDisplay", fixedItems(kPowerOffDisplay), "Combo1_63"));
    LIST_FIELD(v, o.handType, combo("handType", fixedItems(kHandType), "Combo1_66"));
    LIST_FIELD(
        v, o.keyAssign,
        combo("keyAssign", itemsFrom(ItemSource::KeyFunctions), "Combo1_42", ShowRule::KeyFunction)
            .elements(kKeyAssignKeys));
    LIST_FIELD(v, o.voxFunction, checkBox("voxFunction", "check1_0").initially(0));
    LIST_FIELD(v, o.memMenu, checkBox("memMenu", "check1_1").initially(0));
    LIST_FIELD(v, o.reserved1,
               FieldDescription("reserved1").as(FieldForm::Bytes).describe(kCarried));

    LIST_FIELD(v, o.publicSets, FieldDescription("publicSets").elements(kPublicSetKeys));

    LIST_FIELD(v, o.bluetoothOn, combo("bluetoothOn", fixedItems(kOffOnPair), "Combo1_0"));
    LIST_FIELD(v, o.pttHold, combo("pttHold", fixedItems(kOffOnPair), "Combo1_12"));
    LIST_FIELD(v, o.micGain, combo("micGain", numberItems(1, 5), "Combo1_13"));
    LIST_FIELD(v, o.spkGain, combo("spkGain", numberItems(1, 5), "Combo1_14"));
    LIST_FIELD(
        v, o.holdTime,
        combo("holdTime", numberItems(1, 30, 1, "S", kOffUpperHead, kInfiniteTail), "Combo1_15"));
    LIST_FIELD(v, o.holdDelay, combo("holdDelay", fixedItems(kHoldDelay), "Combo1_16"));
    LIST_FIELD(v, o.btIntSpk, combo("btIntSpk", fixedItems(kOffOnPair), "Combo1_38"));
    LIST_FIELD(v, o.pttSleep, combo("pttSleep", fixedItems(kPttSleep), "Combo1_44"));

    LIST_FIELD(v, o.broadcast, FieldDescription("broadcast"));
    LIST_FIELD(v, o.groupNames, FieldDescription("groupNames"));
}

// The second option block (0x22100 on), the DTMF settings and what the record carries.
template<RecordOf<OptionRecord> R, typename V>
void secondOptionFields(R &o, V &&v)
{
    using namespace OptionTexts;
    using namespace OptionSpecs;

    LIST_FIELD(v, o.batteryMax,
               FieldDescription("batteryMax")
                   .scaled(0, 1, 1, "V")
                   .range(90, 290)
                   .initially(168)
                   .help(kWindow, "Text2_2"));
    LIST_FIELD(v, o.batteryMin,
               FieldDescription("batteryMin")
                   .scaled(0, 1, 1, "V")
                   .range(90, 290)
                   .initially(97)
                   .help(kWindow, "Text2_1"));
    LIST_FIELD(v, o.cwFreq,
               combo("cwFreq", numberItems(300, 271, 10), "Combo1_47", ShowRule::CwFreq));
    LIST_FIELD(v, o.cwBeep, combo("cwBeep", numberItems(1, 63, 1, {}, kOffUpperHead), "Combo1_48"));
    LIST_FIELD(v, o.maxSwr,
               FieldDescription("maxSwr")
                   .scaled(0, 1, 1, {})
                   .range(12, 200)
                   .initially(160)
                   .help(kWindow, "Text2_0"));
    LIST_FIELD(v, o.nrcAble, combo("nrcAble", fixedItems(kOffOnPair), "Combo1_18"));
    LIST_FIELD(v, o.indic, combo("indic", fixedItems(kIndic), "Combo1_2").initially(0));
    LIST_FIELD(v, o.mic, combo("mic", numberItems(1, 45), "Combo1_3").initially(30));
    LIST_FIELD(v, o.nogSet,
               combo("nogSet", numberItems(1, 32, 1, {}, kOffWordHead), "Combo1_8").initially(0));
    LIST_FIELD(v, o.tot,
               combo("tot", numberItems(30, 20, 30, "s", kOffWordHead), "Combo1_9", ShowRule::Tot)
                   .initially(0));
    LIST_FIELD(v, o.swrProtect, checkBox("swrProtect", "check1_3").initially(1));
    LIST_FIELD(v, o.tdcSet, checkBox("tdcSet", "check1_4").initially(1));
    LIST_FIELD(v, o.scanType, combo("scanType", fixedItems(kScanType), "Combo1_10").initially(0));
    LIST_FIELD(v, o.menuColour, combo("menuColour", fixedItems(kMenuColour), "Combo1_61"));
    LIST_FIELD(v, o.txRepeatOffset,
               FieldDescription("txRepeatOffset")
                   .scaled(0, 1, 4, "MHz")
                   .range(1, 50000)
                   .initially(100)
                   .help(kWindow, "Text4_12"));
    LIST_FIELD(v, o.asqLevel,
               combo("asqLevel", fixedItems(kOffOnPair), "Combo1_24", ShowRule::DirectIndex));
    LIST_FIELD(v, o.micType, combo("micType", fixedItems(kMicType), "Combo1_29"));
    LIST_FIELD(v, o.voxOnOff, combo("voxOnOff", fixedItems(kOffOnUpper), "Combo1_69"));
    LIST_FIELD(v, o.voxLevel, combo("voxLevel", numberItems(1, 9), "Combo1_27"));
    LIST_FIELD(v, o.voxDelay, combo("voxDelay", numberItems(1, 9), "Combo1_28"));
    LIST_FIELD(v, o.rxNr, combo("rxNr", numberItems(1, 5), "Combo1_25"));
    LIST_FIELD(v, o.txNr, combo("txNr", numberItems(1, 5), "Combo1_26"));
    LIST_FIELD(v, o.claSet,
               combo("claSet", itemsFrom(ItemSource::ClaSet), "Combo1_11").initially(0));
    LIST_FIELD(v, o.claFrq, combo("claFrq", fixedItems(kClaFrq), "Combo1_35"));
    LIST_FIELD(v, o.echoVol, combo("echoVol", numberItems(1, 32), "Combo1_32"));
    LIST_FIELD(v, o.echoTime, combo("echoTime", numberItems(1, 32), "Combo1_33"));
    LIST_FIELD(v, o.vfoStep, combo("vfoStep", fixedItems(kVfoStep), "Combo1_36"));
    LIST_FIELD(v, o.fmDeviation, combo("fmDeviation", fixedItems(kFmDeviation), "Combo1_40"));
    LIST_FIELD(v, o.ssbTone, combo("ssbTone", fixedItems(kSsbTone), "Combo1_41"));
    LIST_FIELD(v, o.dim, combo("dim", numberItems(1, 9), "Combo1_49"));
    LIST_FIELD(v, o.agc, combo("agc", fixedItems(kAgc), "Combo1_52"));
    LIST_FIELD(v, o.cwRxMode, combo("cwRxMode", fixedItems(kCwRxMode), "Combo1_59"));
    LIST_FIELD(v, o.cwBkin,
               combo("cwBkin", numberItems(10, 100, 10, "ms", kOffLowerHead), "Combo1_55"));
    LIST_FIELD(v, o.cwOffset, combo("cwOffset", fixedItems(kOffOnPair), "Combo1_56"));
    LIST_FIELD(v, o.voxSpk, combo("voxSpk", fixedItems(kOffOnLower), "Combo1_51"));
    LIST_FIELD(
        v, o.pfKey,
        combo("pfKey", itemsFrom(ItemSource::KeyFunctions), "Combo1_67", ShowRule::KeyFunction));
    LIST_FIELD(v, o.txDrcCon, combo("txDrcCon", fixedItems(kOffOnLower), "Combo1_70"));
    LIST_FIELD(v, o.reserved2,
               FieldDescription("reserved2").as(FieldForm::Bytes).describe(kCarried));

    LIST_FIELD(v, o.dtmfTiming, FieldDescription("dtmfTiming"));
    LIST_FIELD(v, o.reserved3,
               FieldDescription("reserved3").as(FieldForm::Bytes).describe(kCarried));
    LIST_FIELD(v, o.reserved4,
               FieldDescription("reserved4").as(FieldForm::Bytes).describe(kCarried));
    LIST_FIELD(v, o.dtmfCodes,
               FieldDescription("dtmfCodes")
                   .as(FieldForm::Text)
                   .elements("code")
                   .describe("A DTMF code of up to 16 characters: 0-9, A-D, * and #."));
    LIST_FIELD(v, o.reservedValues,
               FieldDescription("reservedValues")
                   .elements("value")
                   .describe("Values no setting uses, carried unchanged."));
    LIST_FIELD(v, o.btDeviceName,
               FieldDescription("btDeviceName").as(FieldForm::Text).help(kWindow, "Text4_13"));
}

// The 1964-byte option record of the data file, field by field.
template<RecordOf<OptionRecord> R, typename V>
void fields(R &o, V &&v)
{
    leadingOptionFields(o, v);
    secondOptionFields(o, v);
}

inline constexpr std::size_t kOptionRecordPackedSize = 1964;
inline constexpr std::size_t kPublicParamSetPackedSize = 22;

// Byte offsets of the segments of the packed option record; a data file depends on them.
namespace OptionSegment {
inline constexpr std::size_t kLeading = 0;
inline constexpr std::size_t kPublicSets = 114;
inline constexpr std::size_t kBluetooth = 180;
inline constexpr std::size_t kBroadcast = 196;
inline constexpr std::size_t kGroupValid = 866;
inline constexpr std::size_t kGroupNames = 968;
inline constexpr std::size_t kSecondBlock = 1070;
inline constexpr std::size_t kDtmfTiming = 1305;
inline constexpr std::size_t kReserved = 1330;
inline constexpr std::size_t kDtmfCodes = 1668;
inline constexpr std::size_t kReservedValues = 1924;
inline constexpr std::size_t kDeviceName = 1948;
} // namespace OptionSegment

// Option values kept beside the record, in the SettingsRecord's own arrays, which the data file
// stores after the sub-records:
//   singleBytes[0]      the variant byte at 0x18000; singleBytes[1..6] are carried unchanged
//   thresholds[0..11]   the RSSI thresholds, FM/AM 0-5 and USB/LSB 6-11
//   extraValues[0..13]  the indices below
namespace BesideValue {
inline constexpr std::size_t kVariantByte = 0; // in singleBytes
inline constexpr std::size_t kKeyLock = 0;
inline constexpr std::size_t kEmergencyMode = 1;
inline constexpr std::size_t kFmEnable = 2; // the six mode enables of 0x22141 bits 0-5
inline constexpr std::size_t kAmEnable = 3;
inline constexpr std::size_t kUsbEnable = 4;
inline constexpr std::size_t kLsbEnable = 5;
inline constexpr std::size_t kPaEnable = 6;
inline constexpr std::size_t kCwEnable = 7;
inline constexpr std::size_t kKeyBeep = 8; // 0x22109: bit 7 on/off, bits 0-6 level
inline constexpr std::size_t kChVolKind = 9;
inline constexpr std::size_t kCbPublic = 10;
inline constexpr std::size_t kHfPublic = 11;
inline constexpr std::size_t kHamPublic = 12;
inline constexpr std::size_t kFreqCh = 13;
} // namespace BesideValue

// Stored values of a record kept as a plain array, each element named by its meaning in the
// record's field list.
template<typename T, std::size_t N, typename Tag>
struct ValueArray
{
    std::array<T, N> values{};

    T &operator[](std::size_t index) { return values[index]; }
    const T &operator[](std::size_t index) const { return values[index]; }

    friend bool operator==(const ValueArray &, const ValueArray &) = default;
};

inline constexpr std::array<std::int16_t, 12> kDefaultRssiThresholds{0, 3, 10, 14, 24, 35,
                                                                     0, 5, 8,  12, 23, 35};

// The RSSI thresholds of the FM/AM and USB/LSB frames (Text4 0-11), each above the one before.
using RssiThresholds = ValueArray<std::int16_t, 12, struct RssiThresholdsTag>;
// The variant byte at 0x18000, then six bytes carried unchanged.
using SingleBytes = ValueArray<std::uint8_t, 7, struct SingleBytesTag>;
// The option values kept beside the record, at the indices of BesideValue.
using BesideValues = ValueArray<std::int16_t, 14, struct BesideValuesTag>;

template<RecordOf<RssiThresholds> R, typename V>
void fields(R &r, V &&v)
{
    constexpr std::string_view kKeys[] = {"fmAm1",   "fmAm3",   "fmAm5",   "fmAm7",
                                          "fmAm9",   "fmAm30",  "usbLsb1", "usbLsb3",
                                          "usbLsb5", "usbLsb7", "usbLsb9", "usbLsb30"};
    constexpr std::string_view kControls[] = {"Text4_0", "Text4_1", "Text4_2",  "Text4_3",
                                              "Text4_4", "Text4_5", "Text4_6",  "Text4_7",
                                              "Text4_8", "Text4_9", "Text4_10", "Text4_11"};
    for (std::size_t k = 0; k < r.values.size(); ++k)
        v(FieldDescription(kKeys[k])
              .initially(kDefaultRssiThresholds[k])
              .help(OptionSpecs::kWindow, kControls[k]),
          r.values[k]);
}

template<RecordOf<SingleBytes> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(
        v, r.values[0],
        FieldDescription("variantByte")
            .range(0, 255)
            .initially(1)
            .describe(
                "The radio's variant byte (0x18000): when it is not 0, CLA.SET offers T and RT."));
    constexpr std::string_view kKeys[] = {"unused1", "unused2", "unused3",
                                          "unused4", "unused5", "unused6"};
    for (std::size_t k = 1; k < r.values.size(); ++k)
        v(FieldDescription(kKeys[k - 1]).describe("A byte no setting uses, carried unchanged."),
          r.values[k]);
}

template<RecordOf<BesideValues> R, typename V>
void fields(R &r, V &&v)
{
    using namespace OptionTexts;
    using namespace OptionSpecs;
    using namespace BesideValue;
    LIST_FIELD(v, r.values[kKeyLock], combo("keyLock", fixedItems(kOffOnPair), "Combo1_30"));
    LIST_FIELD(v, r.values[kEmergencyMode],
               combo("emergencyMode", fixedItems(kEmergencyModeItems), "Combo1_34"));
    LIST_FIELD(v, r.values[kFmEnable], checkBox("fmEnable", "check1_5"));
    LIST_FIELD(v, r.values[kAmEnable], checkBox("amEnable", "check1_6"));
    LIST_FIELD(v, r.values[kUsbEnable], checkBox("usbEnable", "check1_7"));
    LIST_FIELD(v, r.values[kLsbEnable], checkBox("lsbEnable", "check1_8"));
    LIST_FIELD(v, r.values[kPaEnable], checkBox("paEnable", "check1_9"));
    LIST_FIELD(v, r.values[kCwEnable], checkBox("cwEnable", "check1_10"));
    LIST_FIELD(
        v, r.values[kKeyBeep],
        FieldDescription("keyBeep")
            .range(0, 255)
            .help(kWindow, "Combo1_71")
            .describe("Bit 7 switches the key beep on, bits 0-6 hold its level (0-4 for 1-5)."));
    LIST_FIELD(v, r.values[kChVolKind],
               combo("chVolKind", fixedItems(kChVolKindItems), "Combo1_68"));
    LIST_FIELD(v, r.values[kCbPublic], combo("cbPublic", fixedItems(kOnOffLower), "Combo1_58"));
    LIST_FIELD(v, r.values[kHfPublic], combo("hfPublic", fixedItems(kOnOffLower), "Combo1_60"));
    LIST_FIELD(v, r.values[kHamPublic], combo("hamPublic", fixedItems(kOnOffLower), "Combo1_62"));
    LIST_FIELD(v, r.values[kFreqCh],
               combo("freqCh", fixedItems(kFreqChItems), "Combo1_23").initially(0));
}

// Image steps of the option blocks, the group-valid maps and group names, and the DTMF codes,
// in one pass: group names, 0x18000-0x18006, the per-group tables, the three public-channel sets,
// the DTMF codes, then 0x22100-0x22144 in address order. The encoder writes only the bytes the
// decoder reads; a "CW Freq" of any 16-bit value is decoded and written back whole.
void EncodeOptions(const SettingsRecord &settings, RadioImage &image);
void DecodeOptions(const RadioImage &image, SettingsRecord &settings);

// Option defaults of a new document: the option values above, the variant byte 1, the RSSI
// thresholds and "Freq_CH" beside the record, the DTMF timing defaults, every named group valid
// and the default group names. Fields without a default keep their values.
void DefaultOptions(SettingsRecord &settings);
// Default group names: CB "EU", "PL", "DE", "EC", "U ", "IN", "UK"; HF "A".."O" and HAM "A".."L",
// each letter followed by NUL.
void defaultGroupNames(GroupNameTable &table);

// Identity defaults of a new document; the date is "YYYYMMDD".
void DefaultIdentity(SettingsRecord &settings, std::string_view date, int bandClass);

// Everything of a new document that the options own: option and group-name defaults (built in a
// scratch copy and stored in one piece), identity defaults and the roger-beep defaults.
void ApplyNewDocumentDefaults(SettingsRecord &settings, std::string_view date, int bandClass);
