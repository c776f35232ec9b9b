#pragma once

#include "lang/Texts.h"

// Texts of the port window and of the transfer windows beyond the link's own messages.
namespace LinkWindowTexts {
inline constexpr TextEntry kComSetCaption{"", "Communication Port", "通信端口"};
inline constexpr TextEntry kComLabel{"", "COM", "通信口"};
} // namespace LinkWindowTexts
