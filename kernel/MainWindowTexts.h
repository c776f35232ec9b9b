#pragma once

#include <string>
#include <string_view>

#include "lang/Texts.h"

// Every command the main window dispatches.
enum class MainCommand
{
    None,
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExportText,
    FileImportText,
    // File > Recent Files: the submenu of the last data files, and its Clear item.
    RecentFiles,
    ClearRecentFiles,
    Exit,
    ChannelInformation,
    OptionFeatures,
    RogerBeep,
    ReadFromRadio,
    WriteToRadio,
    // Reads the radio and lists where it differs from the document, which stays as it is.
    VerifyRadio,
    // A production line: radios programmed on several ports at once.
    BatchProgramming,
    CommunicationPort,
    LanguageSetup,
    InitialSetting,
    Copy,
    Cut,
    Paste,
    InsertPaste,
    Delete,
    TreeView,
    Toolbar,
    StatusBar,
    Cascade,
    CloseAllWindows,
    About,
    // Not on the menu: the main window loads the new document when it opens; the toolbar's New
    // loads it after the save question, without the menu item's "All data will be cleared.".
    LoadNewDocument,
    ToolbarNew,
    Print,
    // The channel window's right-button menu: the chart of every channel, previewed for printing.
    PrintChannelChart,
    // The Help menu's ways into the manual and the problem report.
    HelpContents,
    HelpConnecting,
    SaveProblemReport,
    // The Edit menu's history of the window in front.
    Undo,
    Redo,
    // View > Text Size: the submenu, and the size of every text one step up, down or back.
    TextSize,
    TextLarger,
    TextSmaller,
    TextReset,
};

// One menu or menu item of the main window. A menu has no parent and no command.
struct MenuItemText
{
    std::string_view name;
    std::string_view parent;
    TextEntry caption;
    std::string_view shortcut; // portable key text, empty for none
    MainCommand command;
    bool checkable = false;
};

// The menu bar in order, with the captions of both languages.
inline constexpr MenuItemText kMainMenu[]{
    {"mnuFile", "", {"", "&File", "文件&F"}, "", MainCommand::None},
    {"mnuFileNew", "mnuFile", {"", "&New", "新建(&N)"}, "Ctrl+N", MainCommand::FileNew},
    {"mnuFileOpen", "mnuFile", {"", "&Open", "打开(&O)"}, "Ctrl+O", MainCommand::FileOpen},
    {"mnuFileSave", "mnuFile", {"", "&Save", "保存(&S)"}, "Ctrl+S", MainCommand::FileSave},
    {"mnuFileSaveAs",
     "mnuFile",
     {"", "Save &As", "另存为(&A)"},
     "Ctrl+Shift+S",
     MainCommand::FileSaveAs},
    {"mnuFileExportText",
     "mnuFile",
     {"", "&Export Text...", "导出文本(&E)..."},
     "",
     MainCommand::FileExportText},
    {"mnuFileImportText",
     "mnuFile",
     {"", "&Import Text...", "导入文本(&I)..."},
     "",
     MainCommand::FileImportText},
    // A submenu: the recent files are listed above its Clear item each time it opens.
    {"mnuFileRecent",
     "mnuFile",
     {"", "Recent &Files", "最近的文件(&F)"},
     "",
     MainCommand::RecentFiles},
    {"mnuFileRecentClear",
     "mnuFileRecent",
     {"", "&Clear Recent Files", "清除最近的文件(&C)"},
     "",
     MainCommand::ClearRecentFiles},
    {"mnuFileExit", "mnuFile", {"", "E&xit", "退出(&X)"}, "Ctrl+Q", MainCommand::Exit},
    {"mnuEdit", "", {"", "&Edit", "编辑(&E)"}, "", MainCommand::None},
    // Their captions name the step they take back or again (historyCaption).
    {"mnuEditUndo", "mnuEdit", {"", "&Undo", "撤销(&U)"}, "Ctrl+Z", MainCommand::Undo},
    {"mnuEditRedo", "mnuEdit", {"", "Re&do", "重做(&D)"}, "Ctrl+Shift+Z", MainCommand::Redo},
    {"mnuChannelInfo",
     "mnuEdit",
     {"", "&Channel Information", "信道信息(&C)"},
     "",
     MainCommand::ChannelInformation},
    {"mnuOptFeatures",
     "mnuEdit",
     {"", "&Option Features", "可选功能(&O)"},
     "",
     MainCommand::OptionFeatures},
    {"mnuToneTips", "mnuEdit", {"", "&Roger Beep", "RB音(&R)"}, "", MainCommand::RogerBeep},
    {"mnuProgram", "", {"", "&Program", "编程(&P)"}, "", MainCommand::None},
    {"mnuReadFromRadio",
     "mnuProgram",
     {"", "&Read from Radio", "从对讲机读取数据(&R)"},
     "",
     MainCommand::ReadFromRadio},
    {"mnuWriteToRadio",
     "mnuProgram",
     {"", "&Write to Radio", "向对讲机写入数据(&W)"},
     "",
     MainCommand::WriteToRadio},
    {"mnuVerifyRadio",
     "mnuProgram",
     {"", "&Verify Radio", "校验对讲机(&V)"},
     "",
     MainCommand::VerifyRadio},
    {"mnuBatchProgramming",
     "mnuProgram",
     {"", "&Batch Programming...", "批量编程(&B)..."},
     "",
     MainCommand::BatchProgramming},
    {"mnuSetup", "", {"", "&Setup", "设置(&S)"}, "", MainCommand::None},
    {"mnuComPort",
     "mnuSetup",
     {"", "&Communication Port", "通讯端口(&C)"},
     "",
     MainCommand::CommunicationPort},
    {"mnuLanguage",
     "mnuSetup",
     {"", "&Language Setup", "语言设置(&L)"},
     "",
     MainCommand::LanguageSetup},
    {"mnuInitialSetting",
     "mnuSetup",
     {"", "&Initial Setting", "初始化设置(&I)"},
     "",
     MainCommand::InitialSetting},
    // The row operations of the channel grid are offered in English only.
    {"MnuLE", "", {"", "Tools", "Tools"}, "", MainCommand::None},
    {"MnuLECopy", "MnuLE", {"", "Copy", "Copy"}, "Ctrl+C", MainCommand::Copy},
    {"MnuLECut", "MnuLE", {"", "Cut", "Cut"}, "Ctrl+X", MainCommand::Cut},
    {"MnuLEPaste", "MnuLE", {"", "Paste", "Paste"}, "Ctrl+V", MainCommand::Paste},
    {"MnuLEInsertPaste",
     "MnuLE",
     {"", "Insert&Paste", "Insert&Paste"},
     "Ctrl+I",
     MainCommand::InsertPaste},
    {"MnuLEDelete", "MnuLE", {"", "Delete", "Delete"}, "Del", MainCommand::Delete},
    {"mnuView", "", {"", "&View", "视图(&V)"}, "", MainCommand::None},
    {"mnuTreeView", "mnuView", {"", "Tree &View", "树视图(&V)"}, "", MainCommand::TreeView, true},
    {"mnuToolbar", "mnuView", {"", "&Toolbar", "工具栏(&T)"}, "", MainCommand::Toolbar, true},
    {"mnuStatusBar",
     "mnuView",
     {"", "&Status Bar", "状态栏(&S)"},
     "",
     MainCommand::StatusBar,
     true},
    {"mnuTextSize", "mnuView", {"", "Text Si&ze", "文字大小(&Z)"}, "", MainCommand::TextSize},
    {"mnuTextLarger",
     "mnuTextSize",
     {"", "&Larger", "放大(&L)"},
     "Ctrl++",
     MainCommand::TextLarger},
    {"mnuTextSmaller",
     "mnuTextSize",
     {"", "&Smaller", "缩小(&S)"},
     "Ctrl+-",
     MainCommand::TextSmaller},
    {"mnuTextReset", "mnuTextSize", {"", "&Reset", "还原(&R)"}, "Ctrl+0", MainCommand::TextReset},
    {"mnuWindow", "", {"", "&Window", "窗口(&W)"}, "", MainCommand::None},
    {"mnuCascade", "mnuWindow", {"", "&Cascade", "层叠(&C)"}, "", MainCommand::Cascade},
    {"mnuCloseAll",
     "mnuWindow",
     {"", "Close All &Windows", "关闭所有窗口(&W)"},
     "",
     MainCommand::CloseAllWindows},
    {"mnuHelp", "", {"", "&Help", "帮助(&H)"}, "", MainCommand::None},
    {"mnuHelpContents",
     "mnuHelp",
     {"", "Help &Contents...", "帮助目录(&C)..."},
     "",
     MainCommand::HelpContents},
    {"mnuHelpConnecting",
     "mnuHelp",
     {"", "Connecting the &Radio...", "连接对讲机(&R)..."},
     "",
     MainCommand::HelpConnecting},
    {"mnuProblemReport",
     "mnuHelp",
     {"", "Save &Problem Report...", "保存问题报告(&P)..."},
     "",
     MainCommand::SaveProblemReport},
    {"mnuAbout", "mnuHelp", {"", "&About ORX-740", "关于 ORX-740(&A)"}, "", MainCommand::About},
};

const MenuItemText *menuItem(std::string_view name);
const MenuItemText *menuItemFor(MainCommand command);

// A button of the main toolbar at its position (1-based; skipped positions are separators). Its
// tool tip is the caption of a menu item, when it has one, or its own text, where the caption
// alone would not say what the button opens.
struct ToolButtonText
{
    int position;
    std::string_view key;
    MainCommand command;
    std::string_view menuItem;
    TextEntry toolTip{};
};

inline constexpr ToolButtonText kMainToolbar[]{
    {1, "新建", MainCommand::ToolbarNew, "mnuFileNew"},
    {2, "打开", MainCommand::FileOpen, "mnuFileOpen"},
    {3, "保存", MainCommand::FileSave, "mnuFileSave"},
    {5, "打印", MainCommand::Print, ""},
    {7, "ReadRadio", MainCommand::ReadFromRadio, "mnuReadFromRadio"},
    {8, "CommSet", MainCommand::CommunicationPort, "mnuComPort"},
    {9, "WriteRadio", MainCommand::WriteToRadio, "mnuWriteToRadio"},
    // Its "?" is easily taken for the manual's button.
    {13,
     "About",
     MainCommand::About,
     "mnuAbout",
     {"", "About ORX-740: the program's name and version (F1 opens the manual)",
      "关于 ORX-740：程序名称和版本（F1 打开使用手册）"}},
};

// The tool tip of a toolbar button in the language given.
std::string toolButtonTip(const ToolButtonText &button, int language);

// A node of the tree pane under the root "N0": its text is a menu item's caption (without its "&"
// markers) or a text of its own, and it opens a child window by name.
struct TreeNodeText
{
    std::string_view key;
    std::string_view menuItem;
    TextEntry text;
    std::string_view window;
};

inline constexpr std::string_view kTreeRootKey = "N0";
// What the tree pane and its hide button are called for a screen reader and in a tooltip.
inline constexpr TextEntry kTreeViewName{"", "Editor windows", "编辑窗口"};
inline constexpr TextEntry kHideTreeView{"", "Hide the tree view", "隐藏树视图"};
inline constexpr TreeNodeText kTreeNodes[]{
    {"N1", "mnuChannelInfo", {}, "frmCommChInfo"},
    {"N2", "mnuOptFeatures", {}, "FrmOptFeatures"},
    {"N12", "", {"", "Roger Beep", "RB音"}, "FrmToneTips"},
    {"N3", "", {"", "Emg Channel Setting", "Emg Channel Setting"}, "frm_emg"},
    {"N4", "", {"", "DW Channel Setting", "DW Channel Setting"}, "frm_dw"},
    {"N6", "", {"", "MEM Channel Setting", "MEM Channel Setting"}, "frm_MEM"},
    {"N8", "", {"", "Group Name", "Group Name"}, "Frm_GroupName"},
};

std::string treeNodeText(const TreeNodeText &node, int language);
// A menu caption as plain text: "&" markers removed, a Chinese-style "(&C)" removed whole, "&&"
// kept as one "&".
std::string captionWithoutMarkers(std::string_view caption);

// The caption of Edit > Undo or Redo naming the step it takes ("Undo Move Up", "撤销 上移(&U)");
// the bare caption when there is no step.
std::string historyCaption(MainCommand command, std::string_view step, int language);

// The child window a command opens; empty for commands that open none.
std::string_view windowForCommand(MainCommand command);

inline constexpr std::string_view kChannelWindow = "frmCommChInfo";

// "ORX-740[<band>][File Name:<file>]", the file name being the path after its last separator.
std::string mainTitle(std::string_view bandText, int language, std::string_view documentPath);
// Status-bar panel 2: "ORX-740[<band>]".
std::string bandPanelText(std::string_view bandText);
// Status-bar panel 3: "COM1" / "通信口1".
std::string portPanelText(int comPort, int language);
