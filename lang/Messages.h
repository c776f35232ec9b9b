#pragma once

#include <string>
#include <string_view>

#include "lang/Texts.h"

// The general messages and captions shared by every part of the program ("\r\n" marks a line
// break inside a text).
namespace Messages {
inline constexpr TextEntry kNewDocument{"", "All data will be cleared.", "所有数据将被清空。"};
inline constexpr TextEntry kDataFileFilterLabel{"", "Data File", "数据文件"};
inline constexpr TextEntry kFileError{"", "file error.", "文件错误。"};
inline constexpr TextEntry kTextFilterLabel{"", "Configuration Text", "配置文本"};
inline constexpr TextEntry kTextRefused{"", "The text was not imported; nothing was changed.",
                                        "未导入该文本，未做任何更改。"};
inline constexpr TextEntry kPortError{"", "Cannot Open Communication Port.", "无法打开通信端口。"};
inline constexpr TextEntry kReadQuestion{"", "Read data from radio.\r\nDo you wish continue?",
                                         "从对讲机读取数据。\r\n是否继续？"};
inline constexpr TextEntry kWriteQuestion{"", "Write data to radio.\r\nDo you wish continue?",
                                          "向对讲机写入数据。\r\n是否继续？"};
// The one save question before a command replaces or drops a changed document; "%1" is the
// document's file name ("new.dat" while untitled).
inline constexpr TextEntry kSaveChangesQuestion{"", "Save changes to %1?",
                                                "是否保存对 %1 的更改？"};
// Asked when a window whose choices wait for its own "Save" closes; "%1" is its caption.
inline constexpr TextEntry kSaveWindowChangesQuestion{"", "Save the changes of the %1?",
                                                      "是否保存“%1”的更改？"};
inline constexpr TextEntry kOverwriteQuestion{"", "file will be Overwrite,Continue?",
                                              "文件将被覆盖，是否继续？"};
inline constexpr TextEntry kReadCompleted{"", "Read Data Completed.", "读取数据完成。"};
inline constexpr TextEntry kWriteCompleted{"", "Write Data Completed.", "写入数据完成。"};
inline constexpr TextEntry kModelMismatch{"", "Model type is wrong.", "机型类型错误。"};
inline constexpr TextEntry kOutOfRange{"", "Frequency is out of range.", "频率超出范围。"};
// A name typed with a character that the record texts' code page has no code for.
inline constexpr TextEntry kTextNotInCodePage{
    "", "This text holds a character that cannot be stored in the radio's text (code page %1).",
    "文本中含有无法保存到电台文本中的字符（代码页 %1）。"};
// The operating-system check speaks Chinese in both languages.
inline constexpr TextEntry kUnknownOperatingSystem{"", "未知操作系统", "未知操作系统"};
// Stands for the texts a full message queue could not keep; "%1" is their number.
inline constexpr TextEntry kMoreMessages{"", "... and %1 more messages", "……另有 %1 条消息"};
} // namespace Messages

// What the status bar says after a command; "%1" is a file's name.
namespace StatusTexts {
inline constexpr TextEntry kSaved{"", "Saved %1", "已保存 %1"};
inline constexpr TextEntry kOpened{"", "Opened %1", "已打开 %1"};
inline constexpr TextEntry kPrinted{"", "Sent the channel chart to the printer",
                                    "信道表已发送到打印机"};
inline constexpr TextEntry kRead{"", "Read the radio's data into the program",
                                 "已从对讲机读取数据"};
inline constexpr TextEntry kWritten{"", "Wrote the program's data into the radio",
                                    "已向对讲机写入数据"};
} // namespace StatusTexts

namespace RecentFileTexts {
// A recent file chosen after it was moved or deleted; "%1" is its path.
inline constexpr TextEntry kMissing{"",
                                    "%1 no longer exists; it has been removed from the recent "
                                    "files.",
                                    "%1 已不存在，已从最近的文件中删除。"};
} // namespace RecentFileTexts

// Captions of the standard buttons of dialog-style windows.
namespace ButtonTexts {
inline constexpr TextEntry kOk{"", "&OK", "确定(&O)"};
inline constexpr TextEntry kCancel{"", "&Cancel", "取消(&C)"};
inline constexpr TextEntry kClose{"", "&Close", "关闭(&C)"};
inline constexpr TextEntry kHelp{"", "&Help", "帮助(&H)"};
} // namespace ButtonTexts

// Language names, index (language - 1) * 2 + item with item 1 English and 2 Chinese.
inline constexpr std::string_view kLanguageNames[5]{"", "English", "Chinese", "英语", "中文"};

// The name of a language (English or Chinese) written in the shown language.
constexpr std::string_view languageName(int language, int shownIn)
{
    const int item = isLanguageIndex(language) ? language : English;
    const int in = isLanguageIndex(shownIn) ? shownIn : English;
    return kLanguageNames[(in - 1) * 2 + item];
}

// The open and save dialogs' filter: "Data File (*.dat)|*.dat" in the language given.
std::string dataFileFilter(int language);
// The filter of the configuration texts: "Configuration Text (*.yaml *.yml)|*.yaml;*.yml".
std::string textFileFilter(int language);
// Replaces "%1" in a text with a value.
std::string withArgument(std::string_view text, std::string_view value);
