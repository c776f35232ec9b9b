#include "options/OptionHelp.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "options/OptionRules.h"
#include "options/OptionTable.h"
#include "options/OptionTexts.h"
#include "radio/OptionRecord.h"
#include "radio/SettingsRecord.h"

namespace {

// What a setting is, and where the program keeps it: the radio memory address it is read from
// and written to, or 0 for a setting kept in the option record and the data file only.
struct Meaning
{
    constexpr Meaning() = default;
    constexpr Meaning(std::string_view name, std::string_view english, std::string_view chinese,
                      int at = 0)
        : control(name)
        , text(english, chinese)
        , address(at)
    {}

    std::string_view control; // objectName; the public-channel boxes as "Public_n"
    TextEntry text;
    int address = 0;
};

constexpr Meaning kComboMeanings[] = {
    {"Combo1_0", "Bluetooth switch of the BLE frame.", "BLE框中的蓝牙开关。", 0x22128},
    {"Combo1_2", "What the LCD shows while transmitting.", "发射时LCD显示的内容。", 0x2210A},
    {"Combo1_3", "The MIC setting; a stored 30 shows as 31.", "MIC设置；存储值30显示为31。",
     0x2210B},
    {"Combo1_8", "The NOG.SET. setting.", "NOG.SET.设置。", 0x2210C},
    {"Combo1_9", "The TOT time, stored in units of 10 seconds.", "TOT时间，以10秒为单位存储。",
     0x2210D},
    {"Combo1_10", "Scan type: squelch scan or time scan.", "扫描方式：静噪扫描或时间扫描。",
     0x22110},
    {"Combo1_11",
     "The CLA.SET setting; T and RT are offered only when the radio's variant byte is not 0.",
     "CLA.SET设置；只有电台的型号字节不为0时才提供T和RT。", 0x2211C},
    {"Combo1_12", "Bluetooth setting: PTT hold.", "蓝牙设置：PTT保持。", 0x22129},
    {"Combo1_13", "Bluetooth setting: microphone gain.", "蓝牙设置：麦克风增益。", 0x2212A},
    {"Combo1_14", "Bluetooth setting: speaker gain.", "蓝牙设置：扬声器增益。", 0x2212B},
    {"Combo1_15", "Bluetooth setting: hold time.", "蓝牙设置：保持时间。", 0x2212C},
    {"Combo1_16", "Bluetooth setting: hold delay.", "蓝牙设置：保持延时。", 0x2212D},
    {"Combo1_18", "The NRC Able switch.", "NRC Able开关。", 0x22108},
    {"Combo1_19", "Work mode: CB or HAM.", "工作模式：CB或HAM。"},
    {"Combo1_23", "Choice between Channel and Frequency.", "信道与频率之间的选择。"},
    {"Combo1_24", "ASQ level, off or on; a stored value above 1 selects no item.",
     "ASQ等级，关或开；存储值大于1时不选中任何项。", 0x22115},
    {"Combo1_25", "The NR level for receiving.", "接收NR等级。", 0x2211A},
    {"Combo1_26", "The NR level for transmitting.", "发射NR等级。", 0x2211B},
    {"Combo1_27",
     "Voice control (VOX) level; editable while VOX ON/OFF is ON. Level 1 disables VOX Delay.",
     "声控（VOX）等级；VOX ON/OFF为ON时可编辑。选1时声控延时不可用。", 0x22118},
    {"Combo1_28", "Voice control (VOX) delay; editable while VOX ON/OFF is ON.",
     "声控（VOX）延时；VOX ON/OFF为ON时可编辑。", 0x22119},
    {"Combo1_29", "Microphone type: EL or DY.", "麦克风类型：EL或DY。", 0x22116},
    {"Combo1_30", "Key lock.", "锁键。"},
    {"Combo1_31", "Volume path: main, microphone jack or both.", "音量通道：主机、MIC插孔或两者。"},
    {"Combo1_32", "Echo volume.", "回声音量。", 0x2211E},
    {"Combo1_33", "Echo time.", "回声时间。", 0x2211F},
    {"Combo1_34", "Emergency mode: off, EMG 1 or EMG 2.", "紧急模式：关、EMG 1或EMG 2。"},
    {"Combo1_35", "The CLA.FRQ setting: 500 Hz or 5 kHz.", "CLA.FRQ设置：500Hz或5kHz。", 0x2211D},
    {"Combo1_36", "VFO step.", "VFO步进。", 0x22120},
    {"Combo1_37", "The Vol Data value.", "Vol Data数值。"},
    {"Combo1_38", "Bluetooth setting: BhtIntSpk.", "蓝牙设置：BhtIntSpk。", 0x2212E},
    {"Combo1_39", "Prompt tone (beep).", "提示音。"},
    {"Combo1_40", "FM modulation range (deviation).", "FM调制范围。", 0x22121},
    {"Combo1_41", "SSB modulation range.", "SSB调制范围。", 0x22122},
    {"Combo1_42", "Function of key P1; used with hand type 3.", "P1键的功能；手柄类型3时使用。"},
    {"Combo1_44", "Bluetooth setting: PTT sleep time.", "蓝牙设置：PTT休眠时间。", 0x2212F},
    {"Combo1_45", "Function of key P2; used with hand type 3.", "P2键的功能；手柄类型3时使用。"},
    {"Combo1_46", "Function of key P3; used with hand type 3.", "P3键的功能；手柄类型3时使用。"},
    {"Combo1_47", "CW frequency.", "CW频率。", 0x22104},
    {"Combo1_48", "CW beep.", "CW提示音。", 0x22106},
    {"Combo1_49", "Dim level.", "Dim等级。", 0x22123},
    {"Combo1_51", "The VOX SPK switch.", "VOX SPK开关。", 0x22142},
    {"Combo1_52", "AGC speed: slow or fast.", "AGC速度：慢或快。", 0x22124},
    {"Combo1_53", "Squelch (SQL) level.", "静噪（SQL）等级。"},
    {"Combo1_54", "Function of key P4; used with hand type 3.", "P4键的功能；手柄类型3时使用。"},
    {"Combo1_55", "CW break-in time (Cw Bkin).", "CW插入时间（Cw Bkin）。", 0x22126},
    {"Combo1_56", "CW offset switch.", "CW偏移开关。", 0x22127},
    {"Combo1_57", "The AOP switch.", "AOP开关。"},
    {"Combo1_58",
     "Whether the CB public-channel parameters are in use; the channel window follows at once.",
     "是否使用CB公共信道参数；信道窗口立即随之更新。"},
    {"Combo1_59", "Receive sideband for CW: USB or LSB.", "CW接收边带：USB或LSB。", 0x22125},
    {"Combo1_60",
     "Whether the HF public-channel parameters are in use; the channel window follows at once.",
     "是否使用HF公共信道参数；信道窗口立即随之更新。"},
    {"Combo1_61", "Colour of the radio's menu.", "电台菜单的颜色。", 0x22111},
    {"Combo1_62",
     "Whether the HAM public-channel parameters are in use; the channel window follows at once.",
     "是否使用HAM公共信道参数；信道窗口立即随之更新。"},
    {"Combo1_63", "What is shown at power off: nothing or the clock.", "关机显示：无或时钟。"},
    {"Combo1_64", "Whether HF uses the VFO.", "HF是否使用VFO。", 0x18004},
    {"Combo1_65", "Whether HAM uses the VFO.", "HAM是否使用VFO。", 0x18006},
    {"Combo1_66", "Hand type: types 1 and 2 use the Pf key, type 3 the keys P1 to P4.",
     "手柄类型：类型1和2使用Pf键，类型3使用P1至P4键。"},
    {"Combo1_67", "Function of the Pf key; used with hand types 1 and 2.",
     "Pf键的功能；手柄类型1和2时使用。", 0x22143},
    {"Combo1_68", "The Ch Vol Kind choice: CH or VOL.", "Ch Vol Kind选择：CH或VOL。"},
    {"Combo1_69", "Voice control (VOX) on or off; VOX Level and VOX Delay follow it.",
     "声控（VOX）开关；声控等级和声控延时随之启用或停用。", 0x22117},
    {"Combo1_70", "The TX DrcCon switch.", "TX DrcCon开关。", 0x22144},
    {"Combo1_71", "Key beep on or off (bit 7 of the key-beep byte).",
     "按键音开关（按键音字节的第7位）。", 0x22109},
    {"Combo1_72", "Key beep level (bits 0-6 of the key-beep byte).",
     "按键音等级（按键音字节的第0-6位）。", 0x22109},
};

// Box n of each public-channel frame; the address is the offset within the frame's four bytes
// (CB 0x18108, HF 0x18118, HAM 0x18128), -1 for the values kept in the data file only.
constexpr Meaning kPublicMeanings[] = {
    {"Public_0", "HI-CUT switch of the public-channel parameters.", "公共信道参数的HI-CUT开关。",
     0},
    {"Public_1", "Noise blanker (NB) of the public-channel parameters.",
     "公共信道参数的噪声抑制（NB）。", 0},
    {"Public_2", "ECHO switch of the public-channel parameters.", "公共信道参数的ECHO开关。", 0},
    {"Public_3", "+10KHz switch of the public-channel parameters.", "公共信道参数的+10KHz开关。",
     0},
    {"Public_4", "ANL switch of the public-channel parameters.", "公共信道参数的ANL开关。", 0},
    {"Public_5", "Modulation mode of the public-channel parameters.", "公共信道参数的调制方式。",
     3},
    {"Public_6", "DTMF code for BOT.", "BOT使用的DTMF码。", -1},
    {"Public_7", "DTMF code for EOT.", "EOT使用的DTMF码。", -1},
    {"Public_8", "DTMF code for CALL.", "CALL使用的DTMF码。", -1},
    {"Public_9", "Roger-beep tone set of the public-channel parameters.", "公共信道参数的尾音组。",
     2},
};

constexpr Meaning kCheckMeanings[] = {
    {"check1_0", "The VOX function switch.", "VOX功能开关。"},
    {"check1_1", "The MEM menu switch.", "MEM菜单开关。"},
    {"check1_3", "SWR protection; while ticked the maximum SWR can be edited.",
     "驻波保护；勾选时可编辑最大驻波比。", 0x2210E},
    {"check1_4", "Battery voltage protection; while ticked Min[V] and Max[V] can be edited.",
     "电池电压保护；勾选时可编辑Min[V]和Max[V]。", 0x2210F},
    {"check1_5", "FM mode enabled; at least one mode stays enabled.",
     "启用FM模式；至少保留一个模式启用。", 0x22141},
    {"check1_6", "AM mode enabled; at least one mode stays enabled.",
     "启用AM模式；至少保留一个模式启用。", 0x22141},
    {"check1_7", "USB mode enabled; at least one mode stays enabled.",
     "启用USB模式；至少保留一个模式启用。", 0x22141},
    {"check1_8", "LSB mode enabled; at least one mode stays enabled.",
     "启用LSB模式；至少保留一个模式启用。", 0x22141},
    {"check1_9", "PA mode enabled; at least one mode stays enabled.",
     "启用PA模式；至少保留一个模式启用。", 0x22141},
    {"check1_10", "CW mode enabled; at least one mode stays enabled.",
     "启用CW模式；至少保留一个模式启用。", 0x22141},
};

constexpr Meaning kTextMeanings[] = {
    {"Text2_0", "Maximum SWR.", "最大驻波比。", 0x22107},
    {"Text2_1", "Battery voltage minimum.", "电池电压下限。", 0x22102},
    {"Text2_2", "Battery voltage maximum; below the minimum the two are exchanged.",
     "电池电压上限；低于下限时两者互换。", 0x22100},
    {"Text4_12", "Repeater offset (TX.REP).", "中继差频（TX.REP）。", 0x22113},
    {"Text4_13", "Name of the radio as a Bluetooth device.", "电台的蓝牙设备名。", 0x22130},
};

// Text boxes: the values the window accepts and the unit shown beside the box.
struct Accepted
{
    constexpr Accepted(std::string_view name, std::string_view english, std::string_view chinese,
                       std::string_view shownUnit)
        : control(name)
        , text(english, chinese)
        , unit(shownUnit)
    {}

    std::string_view control;
    TextEntry text;
    std::string_view unit;
};

constexpr Accepted kAccepted[] = {
    {"Text2_0", "1.2 to 20.0", "1.2 至 20.0", ""},
    {"Text2_1", "9.0 to 29.0 V", "9.0 至 29.0 V", "V"},
    {"Text2_2", "9.0 to 29.0 V", "9.0 至 29.0 V", "V"},
    {"Text4_12", "0.0001 to 5.0000 MHz", "0.0001 至 5.0000 MHz", "MHz"},
    {"Text4_13", "up to 16 characters", "最多16个字符", ""},
};

constexpr std::array<std::string_view, 3> kPublicArray{"Combo2_", "Combo6_", "Combo7_"};
constexpr std::array<std::string_view, 3> kPublicKind{"CB", "HF", "HAM"};
constexpr std::array<int, 3> kPublicBase{0x18108, 0x18118, 0x18128};

// The words the help puts around a setting's own texts. "%1" stands for the value given with it.
namespace T {
constexpr TextEntry kRogerTones{"", "OFF, then the number of every defined roger-beep tone set",
                                "关，然后每个已定义尾音组的编号"};
constexpr TextEntry kDtmfCodes{"", "OFF, then the number of every DTMF code that is not empty",
                               "关，然后每个非空DTMF码的编号"};
constexpr TextEntry kThen{"", ", then ", "，然后 "};
constexpr TextEntry kRange{"", "%1 to %2", "%1 至 %2"};
constexpr TextEntry kInSteps{"", " in steps of %1", "，步长 %1"};
constexpr TextEntry kTickedOrNot{"", "ticked or not", "勾选或不勾选"};
constexpr TextEntry kRssiRange{"", "1 to 36", "1 至 36"};
constexpr TextEntry kTicked{"", "ticked", "勾选"};
constexpr TextEntry kNotTicked{"", "not ticked", "不勾选"};
constexpr TextEntry kEmpty{"", "empty", "空"};
constexpr TextEntry kNoItem{"", "no item", "无选中项"};
constexpr TextEntry kDataFileOnly{"",
                                  "Kept in the option record and the data file; reading or "
                                  "writing the radio leaves it unchanged.",
                                  "保存在选项记录和数据文件中；读写电台时不改变。"};
constexpr TextEntry kRadioAddress{"", "Read from and written to the radio at address %1.",
                                  "从电台读出并写入电台，地址 %1。"};
constexpr TextEntry kTooltip{"", "%1 Offers: %2. New document: %3.", "%1可选：%2。新文档：%3。"};
constexpr TextEntry kParagraph{"", "%1 The window offers %2. A new document holds %3. %4",
                               "%1窗口提供：%2。新文档中为：%3。%4"};
} // namespace T

std::string controlName(const OptionRow &row)
{
    const std::string index = std::to_string(row.index);
    switch (row.control) {
    case OptionControl::Combo1:
        return "Combo1_" + index;
    case OptionControl::PublicBox:
        return std::string(kPublicArray.at(static_cast<std::size_t>(row.publicSet))) + index;
    case OptionControl::Check1:
        return "check1_" + index;
    case OptionControl::Text2:
        return "Text2_" + index;
    case OptionControl::Text4:
        return "Text4_" + index;
    }
    return {};
}

template<std::size_t N>
const Meaning *findMeaning(const Meaning (&table)[N], std::string_view control)
{
    for (const Meaning &meaning : table)
        if (meaning.control == control)
            return &meaning;
    return nullptr;
}

const Accepted *findAccepted(std::string_view control)
{
    for (const Accepted &accepted : kAccepted)
        if (accepted.control == control)
            return &accepted;
    return nullptr;
}

bool isRssiBox(const OptionRow &row)
{
    return row.control == OptionControl::Text4 && row.index < 12;
}

// The RSSI thresholds are one meaning a box, built from the box's place in its group of six.
Meaning rssiMeaning(const OptionRow &row, std::string &english, std::string &chinese)
{
    const std::string_view frame = row.index < 6 ? "FM/AM" : "USB/LSB";
    const std::string place = std::to_string(row.index % 6 + 1);
    english = std::string(frame) + " RSSI threshold " + place +
              " of 6; each box must be above the one to its left.";
    chinese = std::string(frame) + " RSSI门限第" + place + "个（共6个）；每个值须大于其左边的值。";
    return {"", english, chinese, 0};
}

// The items a list offers, summarised: counted runs as "1 to 45".
std::string itemSummary(const OptionRow &row, const SettingsRecord &defaults, int language)
{
    const ItemList &list = row.items;
    switch (list.source) {
    case ItemSource::RogerTones:
        return std::string(textFor(T::kRogerTones, language));
    case ItemSource::DtmfCodes:
        return std::string(textFor(T::kDtmfCodes, language));
    case ItemSource::KeyFunctions:
    case ItemSource::ClaSet:
    case ItemSource::Fixed:
        break;
    }
    if (list.source != ItemSource::Fixed || list.count == 0) {
        std::string joined;
        for (const std::string &item : optionItems(row, defaults, language))
            joined += (joined.empty() ? "" : ", ") + item;
        return joined;
    }
    std::string text;
    for (const TextEntry &head : list.head)
        text += std::string(textFor(head, language)) + std::string(textFor(T::kThen, language));
    const std::string suffix(list.suffix);
    text += textWith(T::kRange, language,
                     {std::to_string(list.first) + suffix,
                      std::to_string(list.first + (list.count - 1) * list.step) + suffix});
    if (list.step != 1)
        text += textWith(T::kInSteps, language, {std::to_string(list.step) + suffix});
    for (const TextEntry &tail : list.tail)
        text += std::string(textFor(T::kThen, language)) + std::string(textFor(tail, language));
    return text;
}

std::string offered(const OptionRow &row, const SettingsRecord &defaults, int language)
{
    if (row.control == OptionControl::Check1)
        return std::string(textFor(T::kTickedOrNot, language));
    if (isRssiBox(row))
        return std::string(textFor(T::kRssiRange, language));
    if (row.rule == ShowRule::Text) {
        const Accepted *accepted = findAccepted(controlName(row));
        return accepted ? std::string(textFor(accepted->text, language)) : std::string();
    }
    return itemSummary(row, defaults, language);
}

std::string defaultShown(const OptionRow &row, const SettingsRecord &defaults, int language)
{
    if (row.control == OptionControl::Check1)
        return std::string(
            textFor(shownChecked(row, defaults) ? T::kTicked : T::kNotTicked, language));
    if (row.rule == ShowRule::Text) {
        if (!row.field)
            return std::string(textFor(T::kEmpty, language));
        const Accepted *accepted = findAccepted(controlName(row));
        const int value = row.field.get(defaults);
        if (isRssiBox(row))
            return std::to_string(value + 1);
        const int decimals = row.control == OptionControl::Text4 ? 4 : 1;
        const std::string unit =
            accepted && !accepted->unit.empty() ? " " + std::string(accepted->unit) : std::string();
        return fixedText(value, decimals) + unit;
    }
    const std::string shown = shownText(row, defaults, language);
    return shown.empty() ? std::string(textFor(T::kNoItem, language)) : shown;
}

std::string storage(int address, int language)
{
    if (address <= 0)
        return std::string(textFor(T::kDataFileOnly, language));
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%05X", static_cast<unsigned>(address));
    return textWith(T::kRadioAddress, language, {hex});
}

HelpText rowLabel(const OptionRow &row)
{
    using namespace OptionTexts;
    HelpText label{std::string(textFor(row.label, English)),
                   std::string(textFor(row.label, Chinese))};
    if (row.control == OptionControl::PublicBox) {
        const std::string kind(kPublicKind.at(static_cast<std::size_t>(row.publicSet)));
        label.english =
            kind + " " + std::string(textFor(kPublicFrameSuffix, English)) + ": " + label.english;
        label.chinese =
            kind + " " + std::string(textFor(kPublicFrameSuffix, Chinese)) + "：" + label.chinese;
    } else if (isRssiBox(row)) {
        const std::string frame = row.index < 6 ? "FM/AM RSSI " : "USB/LSB RSSI ";
        label.english = frame + label.english;
        label.chinese = frame + label.chinese;
    }
    return label;
}

// The meaning of a row and the radio address it is stored at (0: the data file only).
Meaning rowMeaning(const OptionRow &row, std::string &english, std::string &chinese)
{
    const std::string name = controlName(row);
    const Meaning *found = nullptr;
    switch (row.control) {
    case OptionControl::Combo1:
        found = findMeaning(kComboMeanings, name);
        break;
    case OptionControl::PublicBox: {
        found = findMeaning(kPublicMeanings, "Public_" + std::to_string(row.index));
        if (!found)
            break;
        Meaning meaning = *found;
        const int base = kPublicBase.at(static_cast<std::size_t>(row.publicSet));
        meaning.address = found->address < 0 ? 0 : base + found->address;
        return meaning;
    }
    case OptionControl::Check1:
        found = findMeaning(kCheckMeanings, name);
        break;
    case OptionControl::Text2:
    case OptionControl::Text4:
        if (isRssiBox(row))
            return rssiMeaning(row, english, chinese);
        found = findMeaning(kTextMeanings, name);
        break;
    }
    return found ? *found : Meaning{};
}

SettingHelp rowHelp(const OptionRow &row, const SettingsRecord &defaults)
{
    std::string rssiEnglish;
    std::string rssiChinese;
    const Meaning meaning = rowMeaning(row, rssiEnglish, rssiChinese);
    SettingHelp help{controlName(row), rowLabel(row), {}, {}};
    std::string tooltip[3];
    std::string paragraph[3];
    for (const int language : {English, Chinese}) {
        const std::string_view what = textFor(meaning.text, language);
        const std::string items = offered(row, defaults, language);
        const std::string shown = defaultShown(row, defaults, language);
        tooltip[language] = textWith(T::kTooltip, language, {what, items, shown});
        paragraph[language] = textWith(T::kParagraph, language,
                                       {what, items, shown, storage(meaning.address, language)});
    }
    help.tooltip = HelpText(tooltip[English], tooltip[Chinese]);
    help.paragraph = HelpText(paragraph[English], paragraph[Chinese]);
    return help;
}

} // namespace

WindowHelp optionWindowHelp()
{
    WindowHelp page{
        "FrmOptFeatures",
        {"Option Features", "可选功能"},
        {"The optional features of the radio and the data file: key assignments, levels, timers, "
         "the public-channel parameters of the CB, HF and HAM bands, the Bluetooth settings, the "
         "battery and SWR limits and the enabled modes. Every choice is stored at once; there is "
         "no OK step. Settings marked as kept in the data file are saved with the file but not "
         "sent to the radio.",
         "电台和数据文件的可选功能：按键功能、等级、定时、CB、HF和HAM公共信道参数、蓝牙设置、"
         "电池与驻波比限值以及启用的模式。每个选择立即保存，无需确定。标明保存在数据文件中的"
         "设置随文件保存，但不写入电台。"},
        {}};
    SettingsRecord defaults;
    ApplyNewDocumentDefaults(defaults, "20260101", 1);
    for (const OptionRow &row : optionRows())
        page.settings.push_back(rowHelp(row, defaults));
    return page;
}

HelpText parkedControlHelp()
{
    return {"Not used by this radio: the window keeps this box out of sight, and it holds no value "
            "of the document.",
            "此电台不使用：窗口不显示此框，它不保存文档中的任何值。"};
}
