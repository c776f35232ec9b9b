#pragma once

#include "lang/Texts.h"

// Texts of the frequency and tone codecs and the group selector, in every language.
namespace ChannelTexts {
// Shown when a stored frequency is not a digit text; the radio's own program says it this way in
// both languages.
inline constexpr TextEntry kNotIsNumeric{"", "Not IsNumeric", "Not IsNumeric"};
// The "Off" item of the tone lists and the text of a tone that is switched off.
inline constexpr TextEntry kToneOff{"", "Off", "关"};
inline constexpr TextEntry kToneCtcss{"", "CTCSS", "CTCSS"};
inline constexpr TextEntry kToneDcs{"", "DCS", "DCS"};
inline constexpr TextEntry kGroupMem{"", "MEM", "MEM"};
inline constexpr TextEntry kGroupVfo{"", "VFO", "VFO"};
} // namespace ChannelTexts
