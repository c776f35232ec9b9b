#include "options/OptionTable.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "options/OptionTexts.h"
#include "radio/RogerBeep.h"

namespace {

using namespace OptionTexts;
using namespace BesideValue;
using R = OptionRecord;
using P = PublicParamSet;

constexpr ItemList fixed(std::span<const TextEntry> items)
{
    return {ItemSource::Fixed, items};
}

constexpr ItemList numbers(int first, int count, int step = 1, std::string_view suffix = {},
                           std::span<const TextEntry> head = {},
                           std::span<const TextEntry> tail = {})
{
    return {ItemSource::Fixed, head, first, count, step, suffix, tail};
}

constexpr ItemList from(ItemSource source)
{
    return {source};
}

constexpr OptionRow combo(int index, TextEntry label, ItemList items, OptionField field,
                          ShowRule rule = ShowRule::Index)
{
    return {OptionControl::Combo1, index, -1, label, items, rule, field};
}

constexpr OptionRow check(int index, TextEntry label, OptionField field, bool otherValueTicked)
{
    return {OptionControl::Check1, index, -1, label, {}, ShowRule::Check, field, otherValueTicked};
}

constexpr OptionRow text(OptionControl control, int index, TextEntry label, OptionField field)
{
    return {control, index, -1, label, {}, ShowRule::Text, field};
}

constexpr TextEntry same(std::string_view t)
{
    return OptionTexts::same(t);
}

constexpr OptionRow kComboRows[] = {
    combo(0, same("BlueTooth On"), fixed(kOffOnPair), recordField<&R::bluetoothOn>()),
    combo(2, {"", "INDIC", "发射时LCD显示"}, fixed(kIndic), recordField<&R::indic>()),
    combo(3, same("MIC"), numbers(1, 45), recordField<&R::mic>()),
    combo(8, same("NOG.SET."), numbers(1, 32, 1, {}, kOffWordHead), recordField<&R::nogSet>()),
    combo(9, same("TOT"), numbers(30, 20, 30, "s", kOffWordHead), recordField<&R::tot>(),
          ShowRule::Tot),
    combo(10, same("SCN.TYPE"), fixed(kScanType), recordField<&R::scanType>()),
    combo(11, same("CLA.SET"), from(ItemSource::ClaSet), recordField<&R::claSet>()),
    combo(12, same("Ptt Hold"), fixed(kOffOnPair), recordField<&R::pttHold>()),
    combo(13, same("Mic Gain"), numbers(1, 5), recordField<&R::micGain>()),
    combo(14, same("Spk Gain"), numbers(1, 5), recordField<&R::spkGain>()),
    combo(15, same("Hold Time"), numbers(1, 30, 1, "S", kOffUpperHead, kInfiniteTail),
          recordField<&R::holdTime>()),
    combo(16, same("Hold Delay"), fixed(kHoldDelay), recordField<&R::holdDelay>()),
    combo(18, same("NRC Able"), fixed(kOffOnPair), recordField<&R::nrcAble>()),
    combo(19, {"", "Work Mode", "工作模式"}, fixed(kWorkMode), recordField<&R::workMode>()),
    combo(23, same("Freq_CH"), fixed(kFreqChItems), besideValue<kFreqCh>()),
    combo(24, {"", "ASQ Level", "ASQ等级"}, fixed(kOffOnPair), recordField<&R::asqLevel>(),
          ShowRule::DirectIndex),
    combo(25, {"", "Rx NR", "接收NR"}, numbers(1, 5), recordField<&R::rxNr>()),
    combo(26, {"", "Tx NR", "发射NR"}, numbers(1, 5), recordField<&R::txNr>()),
    combo(27, {"", "VOX Level", "声控等级"}, numbers(1, 9), recordField<&R::voxLevel>()),
    combo(28, {"", "VOX Delay", "声控延时"}, numbers(1, 9), recordField<&R::voxDelay>()),
    combo(29, {"", "MicType", "MIC类型"}, fixed(kMicType), recordField<&R::micType>()),
    combo(30, {"", "KeyLock", "锁键"}, fixed(kOffOnPair), besideValue<kKeyLock>()),
    combo(31, {"", "VOL Path", "音量通道"}, fixed(kVolPath), recordField<&R::volPath>()),
    combo(32, same("Echo VOL"), numbers(1, 32), recordField<&R::echoVol>()),
    combo(33, same("Echo Time"), numbers(1, 32), recordField<&R::echoTime>()),
    combo(34, same("EMG"), fixed(kEmergencyModeItems), besideValue<kEmergencyMode>()),
    combo(35, same("CLA.FRQ"), fixed(kClaFrq), recordField<&R::claFrq>()),
    combo(36, {"", "VFO Step", "VFO步进"}, fixed(kVfoStep), recordField<&R::vfoStep>()),
    combo(37, same("Vol Data"), numbers(1, 64), recordField<&R::volData>()),
    combo(38, same("BhtIntSpk"), fixed(kOffOnPair), recordField<&R::btIntSpk>()),
    combo(39, {"", "Beep", "提示音"}, fixed(kOffOnPair), recordField<&R::beep>()),
    combo(40, {"", "FM Deviation", "FM调制范围"}, fixed(kFmDeviation),
          recordField<&R::fmDeviation>()),
    combo(41, {"", "SSB Tone", "SSB调制范围"}, fixed(kSsbTone), recordField<&R::ssbTone>()),
    combo(42, same("P1"), from(ItemSource::KeyFunctions), keyAssignField<0>(),
          ShowRule::KeyFunction),
    combo(44, same("Ptt Sleep"), fixed(kPttSleep), recordField<&R::pttSleep>()),
    combo(45, same("P2"), from(ItemSource::KeyFunctions), keyAssignField<1>(),
          ShowRule::KeyFunction),
    combo(46, same("P3"), from(ItemSource::KeyFunctions), keyAssignField<2>(),
          ShowRule::KeyFunction),
    combo(47, same("CW Freq"), numbers(300, 271, 10), recordField<&R::cwFreq>(), ShowRule::CwFreq),
    combo(48, same("CW BEEP"), numbers(1, 63, 1, {}, kOffUpperHead), recordField<&R::cwBeep>()),
    combo(49, same("Dim"), numbers(1, 9), recordField<&R::dim>()),
    combo(51, same("VOX SPK"), fixed(kOffOnLower), recordField<&R::voxSpk>()),
    combo(52, same("AGC"), fixed(kAgc), recordField<&R::agc>()),
    combo(53, same("SQL"), numbers(1, 79, 1, {}, kOffUpperHead), recordField<&R::sql>()),
    combo(54, same("P4"), from(ItemSource::KeyFunctions), keyAssignField<3>(),
          ShowRule::KeyFunction),
    combo(55, same("Cw Bkin"), numbers(10, 100, 10, "ms", kOffLowerHead),
          recordField<&R::cwBkin>()),
    combo(56, same("Cw OffSet"), fixed(kOffOnPair), recordField<&R::cwOffset>()),
    combo(57, same("AOP"), fixed(kOffOnPair), recordField<&R::aop>()),
    combo(58, same("CB PUBLIC"), fixed(kOnOffLower), besideValue<kCbPublic>()),
    combo(59, same("CW RX Mode"), fixed(kCwRxMode), recordField<&R::cwRxMode>()),
    combo(60, same("HF PUBLIC"), fixed(kOnOffLower), besideValue<kHfPublic>()),
    combo(61, same("Menu Colour"), fixed(kMenuColour), recordField<&R::menuColour>()),
    combo(62, same("HAM PUBLIC"), fixed(kOnOffLower), besideValue<kHamPublic>()),
    combo(63, same("Power Off Dis"), fixed(kPowerOffDisplay), recordField<&R::powerOffDisplay>()),
    combo(64, same("Hf Use Vfo"), fixed(kOffOnLower), recordField<&R::hfUseVfo>()),
    combo(65, same("Ham Use Vfo"), fixed(kOffOnLower), recordField<&R::hamUseVfo>()),
    combo(66, same("Hand Type"), fixed(kHandType), recordField<&R::handType>()),
    combo(67, same("Pf Key"), from(ItemSource::KeyFunctions), recordField<&R::pfKey>(),
          ShowRule::KeyFunction),
    combo(68, same("Ch Vol Kind"), fixed(kChVolKindItems), besideValue<kChVolKind>()),
    combo(69, same("VOX ON/OFF"), fixed(kOffOnUpper), recordField<&R::voxOnOff>()),
    combo(70, same("TX DrcCon"), fixed(kOffOnLower), recordField<&R::txDrcCon>()),
    combo(71, same("Beep"), fixed(kOffOnLower), besideValue<kKeyBeep>(), ShowRule::BeepSwitch),
    combo(72, same("Beep"), numbers(1, 5), besideValue<kKeyBeep>(), ShowRule::BeepLevel),
};

template<std::size_t Set>
constexpr std::array<OptionRow, 10> publicRows()
{
    constexpr int set = static_cast<int>(Set);
    auto box = [](int index, std::string_view label, ItemList items, OptionField field,
                  ShowRule rule = ShowRule::Index) {
        return OptionRow{OptionControl::PublicBox, index, set, same(label), items, rule, field};
    };
    return {
        box(0, "HI-CUT", fixed(kOffOnPair), publicSetField<Set, &P::hiCut>()),
        box(1, "NB", fixed(kNoiseBlanker), publicSetField<Set, &P::noiseBlanker>()),
        box(2, "ECHO", fixed(kOffOnPair), publicSetField<Set, &P::echo>()),
        box(3, "+10KHz", fixed(kOffOnPair), publicSetField<Set, &P::plus10k>()),
        box(4, "ANL", fixed(kOffOnUpper), publicSetField<Set, &P::anl>()),
        box(5, "Mode", fixed(kPublicMode), publicSetField<Set, &P::mode>()),
        box(6, "BOT", from(ItemSource::DtmfCodes), publicSetField<Set, &P::dtmfBot>(),
            ShowRule::NumberText),
        box(7, "EOT", from(ItemSource::DtmfCodes), publicSetField<Set, &P::dtmfEot>(),
            ShowRule::NumberText),
        box(8, "CALL", from(ItemSource::DtmfCodes), publicSetField<Set, &P::dtmfCall>(),
            ShowRule::NumberText),
        box(9, "Roger", from(ItemSource::RogerTones), publicSetField<Set, &P::roger>(),
            ShowRule::Roger),
    };
}

constexpr OptionRow kCheckRows[] = {
    check(0, {"", "VOX Function", "VOX功能"}, recordField<&R::voxFunction>(), true),
    check(1, {"", "MEM Menu", "MEM菜单"}, recordField<&R::memMenu>(), false),
    check(3, {"", "SWR Protect", "驻波保护"}, recordField<&R::swrProtect>(), true),
    check(4, {"", "TDC.SET", "电池电压保护"}, recordField<&R::tdcSet>(), true),
    check(5, same("FM Enable"), besideValue<kFmEnable>(), false),
    check(6, same("AM Enable"), besideValue<kAmEnable>(), false),
    check(7, same("USB Enable"), besideValue<kUsbEnable>(), false),
    check(8, same("LSB Enable"), besideValue<kLsbEnable>(), false),
    check(9, same("PA Enable"), besideValue<kPaEnable>(), false),
    check(10, same("CW Enable"), besideValue<kCwEnable>(), false),
};

constexpr OptionRow kTextRows[] = {
    text(OptionControl::Text2, 0, same("Max"), recordField<&R::maxSwr>()),
    text(OptionControl::Text2, 1, same("Min[V]"), recordField<&R::batteryMin>()),
    text(OptionControl::Text2, 2, same("Max[V]"), recordField<&R::batteryMax>()),
    text(OptionControl::Text4, 0, same("1"), thresholdValue<0>()),
    text(OptionControl::Text4, 1, same("3"), thresholdValue<1>()),
    text(OptionControl::Text4, 2, same("5"), thresholdValue<2>()),
    text(OptionControl::Text4, 3, same("7"), thresholdValue<3>()),
    text(OptionControl::Text4, 4, same("9"), thresholdValue<4>()),
    text(OptionControl::Text4, 5, same("+30"), thresholdValue<5>()),
    text(OptionControl::Text4, 6, same("1"), thresholdValue<6>()),
    text(OptionControl::Text4, 7, same("3"), thresholdValue<7>()),
    text(OptionControl::Text4, 8, same("5"), thresholdValue<8>()),
    text(OptionControl::Text4, 9, same("7"), thresholdValue<9>()),
    text(OptionControl::Text4, 10, same("9"), thresholdValue<10>()),
    text(OptionControl::Text4, 11, same("+30"), thresholdValue<11>()),
    text(OptionControl::Text4, 12, same("TX.REP"), recordField<&R::txRepeatOffset>()),
    text(OptionControl::Text4, 13, same("BT Device Name"), {}),
};

std::vector<OptionRow> buildRows()
{
    std::vector<OptionRow> rows(std::begin(kComboRows), std::end(kComboRows));
    for (const auto &set : {publicRows<0>(), publicRows<1>(), publicRows<2>()})
        rows.insert(rows.end(), set.begin(), set.end());
    rows.insert(rows.end(), std::begin(kCheckRows), std::end(kCheckRows));
    rows.insert(rows.end(), std::begin(kTextRows), std::end(kTextRows));
    return rows;
}

void appendTexts(std::vector<std::string> &items, std::span<const TextEntry> texts, int language)
{
    for (const TextEntry &entry : texts)
        items.emplace_back(textFor(entry, language));
}

// The number a text holds, or nothing ("OFF", empty, trailing characters).
std::optional<int> numberIn(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string directIndexText(const std::vector<std::string> &items, int index)
{
    return index >= 0 && index < static_cast<int>(items.size())
               ? items[static_cast<std::size_t>(index)]
               : std::string();
}

} // namespace

std::span<const OptionRow> optionRows()
{
    static const std::vector<OptionRow> rows = buildRows();
    return rows;
}

const OptionRow *findOptionRow(OptionControl control, int index, int publicSet)
{
    for (const OptionRow &row : optionRows())
        if (row.control == control && row.index == index &&
            (control != OptionControl::PublicBox || row.publicSet == publicSet))
            return &row;
    return nullptr;
}

int saveIdentifier(const OptionRow &row)
{
    constexpr std::array<int, 3> kPublicBase{200, 400, 300};
    switch (row.control) {
    case OptionControl::Combo1:
        return row.index;
    case OptionControl::Check1:
        return 100 + row.index;
    case OptionControl::PublicBox:
        return kPublicBase.at(static_cast<std::size_t>(row.publicSet)) + row.index;
    case OptionControl::Text2:
    case OptionControl::Text4:
        break;
    }
    return -1;
}

std::vector<std::string> optionItems(const OptionRow &row, const SettingsRecord &settings,
                                     int language, bool vfoKeyShown)
{
    std::vector<std::string> items;
    const ItemList &list = row.items;
    switch (list.source) {
    case ItemSource::Fixed:
        appendTexts(items, list.head, language);
        for (int n = 0; n < list.count; ++n)
            items.push_back(std::to_string(list.first + n * list.step) + std::string(list.suffix));
        appendTexts(items, list.tail, language);
        break;
    case ItemSource::RogerTones:
        items.emplace_back(textFor(kOffOnPair[0], language));
        for (int number = 1; number <= kToneSetCount; ++number)
            if (IsToneSetDefined(settings.toneTips, number) != 0)
                items.push_back(std::to_string(number));
        break;
    case ItemSource::DtmfCodes:
        items.emplace_back(textFor(kOffOnPair[0], language));
        for (int number = 1; number <= kDtmfCodeCount; ++number)
            if (!IsDtmfCodeEmpty(settings.options.dtmfCodes, number))
                items.push_back(std::to_string(number));
        break;
    case ItemSource::KeyFunctions:
        for (std::size_t k = 0; k < kKeyFunctions.size(); ++k)
            if (vfoKeyShown || static_cast<int>(k) != kVfoKeyFunction)
                items.emplace_back(textFor(kKeyFunctions[k], language));
        break;
    case ItemSource::ClaSet: {
        const bool variant = settings.singleBytes[kVariantByte] != 0;
        appendTexts(items, std::span(kClaSet).first(variant ? 4 : 2), language);
        break;
    }
    }
    return items;
}

std::string ListTextForValue(const std::vector<std::string> &items, int value)
{
    if (items.empty())
        return {};
    if (value < 0 || value >= static_cast<int>(items.size()))
        return items.front();
    return items[static_cast<std::size_t>(value)];
}

std::string shownText(const OptionRow &row, const SettingsRecord &settings, int language,
                      bool vfoKeyShown)
{
    if (!row.field)
        return {};
    const std::vector<std::string> items = optionItems(row, settings, language, vfoKeyShown);
    const int value = row.field.get(settings);
    switch (row.rule) {
    case ShowRule::Index:
        return ListTextForValue(items, value);
    case ShowRule::DirectIndex:
        return directIndexText(items, value);
    case ShowRule::Tot:
        return ListTextForValue(items, static_cast<int>(std::lround(value / 3.0)));
    case ShowRule::CwFreq:
        return ListTextForValue(items, value - 30);
    case ShowRule::Roger: {
        // The list holds only the defined sets, so a reference is found by its set number; one to
        // a set the list does not offer shows the first item, "OFF".
        const std::string wanted = std::to_string(value - kRogerReferenceOffset);
        for (std::size_t k = 1; k < items.size(); ++k)
            if (items[k] == wanted)
                return items[k];
        return ListTextForValue(items, 0);
    }
    case ShowRule::NumberText: {
        const std::string wanted = std::to_string(value);
        for (const std::string &item : items)
            if (item == wanted)
                return item;
        return ListTextForValue(items, 0);
    }
    case ShowRule::KeyFunction: {
        // The name at the stored position of the master list, when this box lists it.
        std::vector<std::string> master;
        appendTexts(master, kKeyFunctions, language);
        std::string name = ListTextForValue(master, value);
        for (const std::string &item : items)
            if (item == name)
                return name;
        return {};
    }
    case ShowRule::BeepSwitch:
        return directIndexText(items, (value >> 7) & 1);
    case ShowRule::BeepLevel:
        return directIndexText(items, value & 0x7F);
    case ShowRule::Check:
    case ShowRule::Text:
        break;
    }
    return {};
}

bool shownChecked(const OptionRow &row, const SettingsRecord &settings)
{
    if (!row.field)
        return false;
    const int value = row.field.get(settings);
    return value == 1 || (value != 0 && row.otherValueTicked);
}

int storedValueForChoice(const OptionRow &row, const SettingsRecord &settings, int listIndex,
                         std::string_view text)
{
    const int current = row.field ? row.field.get(settings) : 0;
    switch (row.rule) {
    case ShowRule::Index:
    case ShowRule::DirectIndex:
    case ShowRule::Check:
    case ShowRule::Text:
        return listIndex;
    case ShowRule::Tot:
        return listIndex * 3;
    case ShowRule::CwFreq:
        return listIndex + 30;
    case ShowRule::Roger: {
        const auto number = numberIn(text);
        return number ? *number + kRogerReferenceOffset : 0;
    }
    case ShowRule::NumberText:
        return numberIn(text).value_or(0);
    case ShowRule::KeyFunction:
        for (std::size_t k = 0; k < kKeyFunctions.size(); ++k)
            if (kKeyFunctions[k][English] == text || kKeyFunctions[k][Chinese] == text)
                return static_cast<int>(k);
        return 0;
    case ShowRule::BeepSwitch:
        // The other half of the byte keeps its stored value.
        return 128 * listIndex + (current & 0x7F);
    case ShowRule::BeepLevel:
        return (current & 0x80) + listIndex;
    }
    return listIndex;
}

void storeChoice(const OptionRow &row, SettingsRecord &settings, int listIndex,
                 std::string_view text)
{
    if (row.field)
        row.field.set(settings, storedValueForChoice(row, settings, listIndex, text));
}
