#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/FieldList.h"
#include "model/FixedText.h"
#include "radio/BroadcastTable.h"
#include "radio/DtmfCodes.h"
#include "radio/GroupNames.h"

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

template<RecordOf<PublicParamSet> R, typename V>
void fields(R &r, V &&v)
{
    v("hiCut", r.hiCut);
    v("noiseBlanker", r.noiseBlanker);
    v("echo", r.echo);
    v("plus10k", r.plus10k);
    v("anl", r.anl);
    v("fourthFlag", r.fourthFlag);
    v("roger", r.roger);
    v("mode", r.mode);
    v("dtmfBot", r.dtmfBot);
    v("dtmfEot", r.dtmfEot);
    v("dtmfCall", r.dtmfCall);
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

// The 1964-byte option record of the data file, field by field.
template<RecordOf<OptionRecord> R, typename V>
void fields(R &o, V &&v)
{
    v("selectorA", o.selectorA);
    v("setting18002", o.setting18002);
    v("selectorB", o.selectorB);
    v("hfUseVfo", o.hfUseVfo);
    v("selectorC", o.selectorC);
    v("hamUseVfo", o.hamUseVfo);
    v("cbGroupTable", o.cbGroupTable);
    v("hfGroupTable", o.hfGroupTable);
    v("hamGroupTable", o.hamGroupTable);
    v("workMode", o.workMode);
    v("beep", o.beep);
    v("volData", o.volData);
    v("volPath", o.volPath);
    v("sql", o.sql);
    v("aop", o.aop);
    v("powerOffDisplay", o.powerOffDisplay);
    v("handType", o.handType);
    v("keyAssign", o.keyAssign);
    v("voxFunction", o.voxFunction);
    v("memMenu", o.memMenu);
    v("reserved1", o.reserved1);

    v("publicSets", o.publicSets);

    v("bluetoothOn", o.bluetoothOn);
    v("pttHold", o.pttHold);
    v("micGain", o.micGain);
    v("spkGain", o.spkGain);
    v("holdTime", o.holdTime);
    v("holdDelay", o.holdDelay);
    v("btIntSpk", o.btIntSpk);
    v("pttSleep", o.pttSleep);

    v("broadcast", o.broadcast);
    v("groupNames", o.groupNames);

    v("batteryMax", o.batteryMax);
    v("batteryMin", o.batteryMin);
    v("cwFreq", o.cwFreq);
    v("cwBeep", o.cwBeep);
    v("maxSwr", o.maxSwr);
    v("nrcAble", o.nrcAble);
    v("indic", o.indic);
    v("mic", o.mic);
    v("nogSet", o.nogSet);
    v("tot", o.tot);
    v("swrProtect", o.swrProtect);
    v("tdcSet", o.tdcSet);
    v("scanType", o.scanType);
    v("menuColour", o.menuColour);
    v("txRepeatOffset", o.txRepeatOffset);
    v("asqLevel", o.asqLevel);
    v("micType", o.micType);
    v("voxOnOff", o.voxOnOff);
    v("voxLevel", o.voxLevel);
    v("voxDelay", o.voxDelay);
    v("rxNr", o.rxNr);
    v("txNr", o.txNr);
    v("claSet", o.claSet);
    v("claFrq", o.claFrq);
    v("echoVol", o.echoVol);
    v("echoTime", o.echoTime);
    v("vfoStep", o.vfoStep);
    v("fmDeviation", o.fmDeviation);
    v("ssbTone", o.ssbTone);
    v("dim", o.dim);
    v("agc", o.agc);
    v("cwRxMode", o.cwRxMode);
    v("cwBkin", o.cwBkin);
    v("cwOffset", o.cwOffset);
    v("voxSpk", o.voxSpk);
    v("pfKey", o.pfKey);
    v("txDrcCon", o.txDrcCon);
    v("reserved2", o.reserved2);

    v("dtmfTiming", o.dtmfTiming);
    v("reserved3", o.reserved3);
    v("reserved4", o.reserved4);
    v("dtmfCodes", o.dtmfCodes);
    v("reservedValues", o.reservedValues);
    v("btDeviceName", o.btDeviceName);
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

inline constexpr std::array<std::int16_t, 12> kDefaultRssiThresholds{0, 3, 10, 14, 24, 35,
                                                                     0, 5, 8,  12, 23, 35};

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
