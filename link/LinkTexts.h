#pragma once

#include "lang/Texts.h"

// Texts of the serial link: identification messages, the version question, the port message and
// the end-of-transfer messages.
namespace LinkTexts {
inline constexpr TextEntry kModelTypeWrong{"", "Model type is wrong.", "机型类型错误。"};
inline constexpr TextEntry kVersionQuestion{
    "",
    "incompatible version. It may cause unknown error.To start the corresponding software "
    "version, or not?",
    "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"};
inline constexpr TextEntry kFirmwareVersionIs{"", "Firmware version is", "固件版本为"};
inline constexpr TextEntry kSoftwareVersionIs{"", "programming software is", "写频软件版本为"};
inline constexpr TextEntry kCannotOpenPort{"", "Cannot Open Communication Port.",
                                           "无法打开通信端口。"};
inline constexpr TextEntry kReadQuestion{"", "Read data from radio.\r\nDo you wish continue?",
                                         "从对讲机读取数据。\r\n是否继续？"};
inline constexpr TextEntry kWriteQuestion{"", "Write data to radio.\r\nDo you wish continue?",
                                          "向对讲机写入数据。\r\n是否继续？"};
inline constexpr TextEntry kReadCompleted{"", "Read Data Completed.", "读取数据完成。"};
inline constexpr TextEntry kWriteCompleted{"", "Write Data Completed.", "写入数据完成。"};
inline constexpr TextEntry kProgressCaptionRead{"", "Read data from radio", "从对讲机读取数据"};
inline constexpr TextEntry kProgressCaptionWrite{"", "Write data to radio", "向对讲机写入数据"};
inline constexpr TextEntry kCompletionPercentage{"", "Completion percentage:", "完成进度:"};
} // namespace LinkTexts
