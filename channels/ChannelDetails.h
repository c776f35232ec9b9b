#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Texts.h"

struct ChannelRecord;
struct DocumentSet;
struct SettingsRecord;

// The detail panel of the channel window: one row per `Combo8` list with its `Label5` text, where
// its items come from and the record field it shows. The window builds, fills, relabels and
// stores every list from this table.
enum class DetailItems
{
    ToneType,   // "Off", "CTCSS", "DCS"
    Ctcss,      // the 38 CTCSS texts
    Dcs,        // the 104 DCS texts
    OffOn,      // "OFF", "ON"
    Repeater,   // "OFF", "REP+", "REP-"
    Roger,      // "OFF" and the number of every defined roger-beep set; n stores n + 127
    Mode,       // "FM", "AM", "USB", "LSB", "PA", "CW"
    Dtmf,       // "OFF" and the number of every code that is not empty; n stores n
    MemChannel, // "Off" and the numbers of the group's channels; "Off" stores 255
    MemBand,    // "U", "UK"
};

// Which tone-type choice decides whether a tone list is shown.
enum class DetailShow
{
    Always,
    NotCb,          // hidden in the CB kind (+10 kHz, REP)
    MemoryRowsOnly, // CB memory rows only
    TxCtcss,        // while the encode tone type is CTCSS
    TxDcs,
    RxCtcss,
    RxDcs,
};

struct DetailRow
{
    int index; // Combo8 / Label5 index
    TextEntry label;
    DetailItems items;
    DetailShow show;
    int (*get)(const ChannelRecord &);
    void (*set)(ChannelRecord &, int);
};

// A row's label with its keyboard mnemonic: the letter marked in a Latin text ("Sc&an"), after a
// Chinese one as Chinese programs write it ("扫描(&A)"); rows without a label have none.
std::string detailLabelText(const DetailRow &row, int language);

// The 24 rows in the order the panel lays them out.
std::span<const DetailRow> detailRows();
const DetailRow *findDetailRow(int index);

// The items of a row's list. `kind` and `group` are those of the grid (for the channel numbers of
// "CB Mem Chan ID").
std::vector<std::string> detailItems(const DetailRow &row, const DocumentSet &document, int kind,
                                     int group, int language);
// The list index a record shows (0 when the stored value has no item).
int detailShownIndex(const DetailRow &row, const ChannelRecord &record,
                     const std::vector<std::string> &items);
// The value a choice stores.
int detailStoredValue(const DetailRow &row, int listIndex, std::string_view text);
bool detailVisible(const DetailRow &row, const ChannelRecord &record, int kind, bool memoryRow);

// A detail choice for one grid row of a group, the one rule of a choice made for one row and of
// one made for many: item `listIndex` of the list's `items` is chosen. A row takes part when it
// has a record (on a CB memory row the memory) that shows the detail; a row that already shows
// the chosen item keeps its value, otherwise the record takes the item's value. "CB Mem Chan ID"
// also decides whether the memory is present: "Off" (255) clears it, a channel number makes it
// present, and the count of present memories follows. False when the row takes no part.
bool ApplyDetailChoice(DocumentSet &document, int kind, int group, int row, const DetailRow &detail,
                       const std::vector<std::string> &items, int listIndex);

namespace ChannelWindowTexts {
inline constexpr TextEntry kCaption{"", "Channel Information", "信道信息"};
inline constexpr TextEntry kBandLabel{"", "Select HF/HAM", "模式选择"};
inline constexpr TextEntry kGroupLabel{"", "Band", "组"};
inline constexpr TextEntry kDetailCaption{"", "More Information -- CH ", "更多信息 -- 信道 "};
inline constexpr TextEntry kWorkChannel{"", "Current Work Channel", "当前工作信道"};
inline constexpr TextEntry kMemChx{"", "MEM CHX", "MEM CHX"};
inline constexpr TextEntry kGroupValid{"", "Group Valid", "组有效"};
inline constexpr TextEntry kWorkGroup{"", "Work Group", "工作组"};
inline constexpr TextEntry kGroupName{"", "Group Name", "组名"};
inline constexpr TextEntry kCheckBand{"", "Check Radio &Band", "检查机器频段(&B)"};
inline constexpr TextEntry kClose{"", "Close", "关闭"};
inline constexpr TextEntry kKindLabel{"", "Kind", "类型"};
inline constexpr TextEntry kHeaderName{"", "CH No.", "信道"};
inline constexpr TextEntry kHeaderFrequency{"", "Frequency", "频率"};
// What a screen reader says of a grid cell: "Channel 12, Frequency 28.41250 MHz".
inline constexpr TextEntry kSpokenChannel{"", "Channel ", "信道 "};
inline constexpr TextEntry kSpokenMegahertz{"", " MHz", " 兆赫"};
inline constexpr TextEntry kSpokenEmpty{"", "empty", "空"};
inline constexpr TextEntry kGridName{"", "Channels", "信道表"};
inline constexpr TextEntry kOff{"", "OFF", "关"};
inline constexpr TextEntry kOn{"", "ON", "开"};
inline constexpr TextEntry kCopy{"", "Copy", "复制"};
inline constexpr TextEntry kCut{"", "Cut", "剪切"};
inline constexpr TextEntry kPaste{"", "Paste", "粘贴"};
inline constexpr TextEntry kInsertPaste{"", "Insert&&Paste", "插入粘贴"};
inline constexpr TextEntry kDelete{"", "Delete", "删除"};
inline constexpr TextEntry kUndo{"", "Undo", "撤销"};
inline constexpr TextEntry kRedo{"", "Redo", "重做"};
inline constexpr TextEntry kBadPasteLines{
    "", "Nothing was pasted. These lines are not frequencies of the band or lie beyond the group: ",
    "未粘贴任何内容。以下行不是本频段的频率或超出本组: "};
inline constexpr std::string_view kBandTexts[3]{
    "CB -- 26.96500 - 27.86125 MHz", "HF -- 24.7150 - 30.1050 MHz", "HAM -- 28.0000 - 29.7000 MHz"};
// The band texts the window sets when the kind changes.
inline constexpr std::string_view kKindBandText[3]{
    "26.96500 - 27.86125 MHz", "24.7150 - 30.1050 MHz", "28.0000 - 29.7000 MHz"};
} // namespace ChannelWindowTexts
