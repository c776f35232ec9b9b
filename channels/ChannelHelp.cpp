#include "channels/ChannelHelp.h"

#include <string>
#include <string_view>

#include "channels/ChannelDetails.h"

namespace {

struct DetailMeaning
{
    constexpr DetailMeaning(int row, std::string_view english, std::string_view chinese)
        : index(row)
        , text(english, chinese)
    {}

    int index;
    TextEntry text;
};

// What each detail list of the selected channel is.
constexpr DetailMeaning kDetailMeanings[] = {
    {18, "Receive tone type: Off, CTCSS or DCS; it decides which receive tone list is shown.",
     "接收亚音类型：关、CTCSS或DCS；决定显示哪个接收亚音列表。"},
    {19, "Receive CTCSS tone, one of the 38 tones from 67.0 Hz to 250.3 Hz.",
     "接收CTCSS亚音，67.0 Hz 至 250.3 Hz 共38个。"},
    {20, "Receive DCS code, one of the 104 codes from 023N to 754N.",
     "接收DCS码，023N 至 754N 共104个。"},
    {17, "Transmit tone type: Off, CTCSS or DCS; it decides which transmit tone list is shown.",
     "发射亚音类型：关、CTCSS或DCS；决定显示哪个发射亚音列表。"},
    {0, "Transmit CTCSS tone, one of the 38 tones from 67.0 Hz to 250.3 Hz.",
     "发射CTCSS亚音，67.0 Hz 至 250.3 Hz 共38个。"},
    {16, "Transmit DCS code, one of the 104 codes from 023N to 754N.",
     "发射DCS码，023N 至 754N 共104个。"},
    {10, "Whether the channel is scanned: OFF or ON.", "信道是否参与扫描：关或开。"},
    {9, "The channel's Public switch: OFF or ON.", "信道的Public开关：关或开。"},
    {2, "The channel's HI-CUT switch: OFF or ON.", "信道的HI-CUT开关：关或开。"},
    {3, "The channel's noise blanker (NB): OFF or ON.", "信道的噪声抑制（NB）：关或开。"},
    {4, "The channel's ECHO switch: OFF or ON.", "信道的ECHO开关：关或开。"},
    {5, "The channel's +10KHz switch: OFF or ON; not offered in the CB kind.",
     "信道的+10KHz开关：关或开；CB类型中不提供。"},
    {6, "Busy lockout (BUSY): OFF or ON.", "忙锁定（BUSY）：关或开。"},
    {7, "Repeater shift: OFF, REP+ or REP-; not offered in the CB kind.",
     "中继方向：关、REP+或REP-；CB类型中不提供。"},
    {21, "The channel's ANL switch: OFF or ON.", "信道的ANL开关：关或开。"},
    {11, "Roger-beep tone set: OFF or the number of a defined set.",
     "尾音组：关或已定义的尾音组编号。"},
    {12, "Modulation mode: FM, AM, USB, LSB, PA or CW.", "调制方式：FM、AM、USB、LSB、PA或CW。"},
    {13, "DTMF code for BOT: OFF or the number of a DTMF code that is not empty.",
     "BOT使用的DTMF码：关或非空DTMF码的编号。"},
    {14, "DTMF code for EOT: OFF or the number of a DTMF code that is not empty.",
     "EOT使用的DTMF码：关或非空DTMF码的编号。"},
    {15, "DTMF code for Call: OFF or the number of a DTMF code that is not empty.",
     "Call使用的DTMF码：关或非空DTMF码的编号。"},
    {22, "Which channel of the group this CB memory row recalls; Off empties the memory.",
     "该CB存储行调用本组的哪个信道；选关时清空该存储。"},
    {23, "Band of this CB memory: U or UK.", "该CB存储的频段：U或UK。"},
    {1, "Shown on CB memory rows; holds no value of the channel.",
     "在CB存储行显示；不保存信道的值。"},
    {8, "Shown on CB memory rows; holds no value of the channel.",
     "在CB存储行显示；不保存信道的值。"},
};

constexpr TextEntry kStored{
    "",
    " Stored in the channel record of the selected row (in a CB memory row, in the memory record) "
    "and written to the radio with the channel.",
    "保存在所选行的信道记录中（CB存储行保存在存储记录中），随信道写入电台。"};

// The label of a detail list; the four tone lists share "CTC/DCS", so their tone type leads.
HelpText detailLabel(const DetailRow &row)
{
    HelpText label(row.label);
    const std::string_view lead = row.index == 19 || row.index == 20  ? "RXCTC "
                                  : row.index == 0 || row.index == 16 ? "TXCTC "
                                                                      : "";
    const std::string_view tail = row.items == DetailItems::Ctcss ? " (CTCSS)"
                                  : row.items == DetailItems::Dcs ? " (DCS)"
                                                                  : "";
    label.english = std::string(lead) + label.english + std::string(tail);
    label.chinese = std::string(lead) + label.chinese + std::string(tail);
    if (label.english.empty())
        label = {"Combo8 " + std::to_string(row.index), "Combo8 " + std::to_string(row.index)};
    return label;
}

void addDetails(std::vector<SettingHelp> &settings)
{
    for (const DetailRow &row : detailRows())
        for (const DetailMeaning &meaning : kDetailMeanings)
            if (meaning.index == row.index) {
                const bool holdsValue = row.get != nullptr;
                settings.push_back(
                    {"Combo8_" + std::to_string(row.index),
                     detailLabel(row),
                     HelpText(meaning.text),
                     {std::string(meaning.text.english) +
                          (holdsValue ? std::string(kStored.english) : std::string()),
                      std::string(meaning.text.chinese) +
                          (holdsValue ? std::string(kStored.chinese) : std::string())}});
            }
}

void addSelectorsAndGrid(std::vector<SettingHelp> &settings)
{
    using namespace ChannelWindowTexts;
    const auto text = [](const TextEntry &entry) { return HelpText(entry); };
    settings.push_back(
        {"Combo2",
         text(kBandLabel),
         {"Shows the HF or the HAM channels.", "显示HF或HAM信道。"},
         {"Switches the window between the HF band (24.7150 - 30.1050 MHz) and the HAM band "
          "(28.0000 - 29.7000 MHz); the group list and the grid follow.",
          "在HF频段（24.7150 - 30.1050 MHz）和HAM频段（28.0000 - 29.7000 MHz）之间切换；"
          "组列表和表格随之更新。"}});
    settings.push_back(
        {"Combo7",
         text(kKindLabel),
         {"Channel kind shown: CB, HF or HAM.", "显示的信道类型：CB、HF或HAM。"},
         {"Chooses the channel kind the window shows: CB (26.96500 - 27.86125 MHz), HF or HAM. "
          "In the CB kind frequencies cannot be typed and the +10KHz and REP choices are hidden.",
          "选择窗口显示的信道类型：CB（26.96500 - 27.86125 MHz）、HF或HAM。CB类型中不能输入频率，"
          "也不显示+10KHz和REP选项。"}});
    settings.push_back(
        {"Combo6",
         text(kGroupLabel),
         {"Group shown in the grid: a group name, MEM or VFO.", "表格中显示的组：组名、MEM或VFO。"},
         {"Chooses the group of the kind that the grid shows: the named groups, then MEM (99 "
          "memory channels) and VFO (one channel) for HF and HAM.",
          "选择表格显示的组：各命名组，HF和HAM还有MEM（99个存储信道）和VFO（一个信道）。"}});
    settings.push_back(
        {"Text1",
         {"Frequency editor", "频率编辑框"},
         {"Receive frequency in MHz: digits and \".\", at most 8 characters.",
          "接收频率（MHz）：数字和“.”，最多8个字符。"},
         {"Typed over a frequency cell of an HF or HAM group (Enter, a double-click or a digit). "
          "A frequency outside the band is refused with a message; an empty text removes the "
          "channel.",
          "在HF或HAM组的频率单元格上输入（回车、双击或直接输入数字）。超出频段的频率会被拒绝并"
          "提示；清空文本则删除该信道。"}});
    settings.push_back(
        {std::string(kHeaderName[English]),
         text(kHeaderName),
         {"Channel number of the row; M rows are memory channels.",
          "该行的信道号；M行为存储信道。"},
         {"The channel number of the row. CB groups show 40 channels (group 3: 80) and then the "
          "memory rows M1 to M16; MEM groups show M1 to M99.",
          "该行的信道号。CB组显示40个信道（第3组为80个），然后是存储行M1至M16；MEM组显示M1至M99"
          "。"}});
    settings.push_back(
        {std::string(kHeaderFrequency[English]),
         text(kHeaderFrequency),
         {"Receive frequency in MHz; empty when the row has no channel.",
          "接收频率（MHz）；该行无信道时为空。"},
         {"The channel's receive frequency in MHz with five decimals. Type into the cell of an HF "
          "or HAM group to set it; CB frequencies are fixed.",
          "信道的接收频率，单位MHz，五位小数。在HF或HAM组的单元格中输入即可设置；CB频率固定。"}});
}

void addGroupPanel(std::vector<SettingHelp> &settings)
{
    using namespace ChannelWindowTexts;
    const auto text = [](const TextEntry &entry) { return HelpText(entry); };
    settings.push_back(
        {"Combo3",
         text(kWorkGroup),
         {"The kind's work group.", "该类型的工作组。"},
         {"The work group of the channel kind, one of the group list's entries; kept in the "
          "option record and written to the radio (0x18001 CB, 0x18003 HF, 0x18005 HAM).",
          "该信道类型的工作组，为组列表中的一项；保存在选项记录中并写入电台（CB 0x18001、"
          "HF 0x18003、HAM 0x18005）。"}});
    settings.push_back(
        {"Combo1_4",
         text(kWorkChannel),
         {"The group's current work channel.", "该组的当前工作信道。"},
         {"The current work channel of the group shown; kept in the option record's table of "
          "groups and written to the radio. Lists the group's channels 1 to 40; not offered in CB "
          "group 7, MEM and VFO groups.",
          "所显示组的当前工作信道；保存在选项记录的组表中并写入电台。列出本组信道1至40；CB第7组、"
          "MEM和VFO组中不提供。"}});
    settings.push_back(
        {"Combo1_5",
         text(kMemChx),
         {"A memory row (M1 to M99) kept in the option record.",
          "保存在选项记录中的存储行（M1至M99）。"},
         {"A memory row, M1 to M99, kept at 0x18002 of the option record and written to the "
          "radio; the window keeps this box hidden.",
          "存储行M1至M99，保存在选项记录的0x18002并写入电台；窗口不显示此列表。"}});
    settings.push_back(
        {"Combo1_6",
         text(kGroupValid),
         {"Whether the group is valid: OFF or ON.", "该组是否有效：关或开。"},
         {"The group-valid flag of the group shown. OFF is refused while no other group of the "
          "kind is valid; turning a group on that has no channel gives it channel 1 with a "
          "default frequency.",
          "所显示组的组有效标志。当本类型没有其他有效组时不能选关；打开一个没有信道的组时，"
          "会为它建立带默认频率的信道1。"}});
    settings.push_back(
        {"Text2",
         text(kGroupName),
         {"Name of the group shown, two characters.", "所显示组的组名，两个字符。"},
         {"The two-character name of the group shown, as in the group name window; CB group names "
          "cannot be changed.",
          "所显示组的两字符组名，与组名窗口相同；CB组名不能更改。"}});
}

} // namespace

WindowHelp channelWindowHelp()
{
    WindowHelp page{
        "frmCommChInfo",
        {"Channel Information", "信道信息"},
        {"One group of one channel kind (CB, HF or HAM) as a grid of channels, with a detail panel "
         "for the selected row and the group's work group, current work channel, group-valid "
         "switch and name. Every change goes into the document at once and can be undone.",
         "以信道表格显示某一信道类型（CB、HF或HAM）的一个组，并为所选行提供详细信息面板，以及该组的"
         "工作组、当前工作信道、组有效开关和组名。每个更改立即进入文档，并可撤销。"},
        {}};
    addSelectorsAndGrid(page.settings);
    addDetails(page.settings);
    addGroupPanel(page.settings);
    return page;
}
