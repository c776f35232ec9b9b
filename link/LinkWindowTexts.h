#pragma once

#include "lang/Texts.h"

// Texts of the port window and of the transfer windows beyond the link's own messages.
namespace LinkWindowTexts {
inline constexpr TextEntry kComSetCaption{"", "Communication Port", "通信端口"};
inline constexpr TextEntry kComLabel{"", "COM", "通信口"};
// A write stopped by the user after blocks went out: the radio holds old and new data mixed.
inline constexpr TextEntry kPartlyWritten{
    "", "Writing was stopped. The radio was only partly written; write the data again.",
    "写入已停止，对讲机只写入了部分数据，请重新写入。"};
} // namespace LinkWindowTexts
