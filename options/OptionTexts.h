#pragma once

#include <array>

#include "lang/Texts.h"
#include "radio/OptionItems.h"

// Texts of the option features: captions and labels; the list items are in radio/OptionItems.h.
namespace OptionTexts {

inline constexpr TextEntry kCaption{"", "Optional Features", "可选功能"};
inline constexpr TextEntry kPublicFrameSuffix{"", "Public", "公共信道设置"};
inline constexpr TextEntry kCbFramePrefix{"", "CB ", "CB "};
inline constexpr TextEntry kHfFramePrefix{"", "HF ", "HF "};
inline constexpr TextEntry kHamFramePrefix{"", "HAM ", "HAM "};
inline constexpr TextEntry kModeEnableFrame{"", "Mode Enable", "Mode Enable"};
inline constexpr TextEntry kBleFrame{"", "BLE", "BLE"};
inline constexpr TextEntry kFmAmRssiFrame{"", "FM/AM RSSI", "FM/AM RSSI"};
inline constexpr TextEntry kUsbLsbRssiFrame{"", "USB/LSB RSSI", "USB/LSB RSSI"};
inline constexpr TextEntry kMegahertz{"", "MHz", "MHz"};

} // namespace OptionTexts
