#pragma once

#include "lang/Texts.h"

// Texts of the port window and of the transfer windows beyond the link's own messages.
namespace LinkWindowTexts {
inline constexpr TextEntry kComSetCaption{"", "Communication Port", "通信端口"};
inline constexpr TextEntry kComLabel{"", "COM", "通信口"};

// The connection assistant below the port list.
inline constexpr TextEntry kFindRadio{"", "&Find Radio", "查找电台(&F)"};
inline constexpr TextEntry kFindCable{"", "Find Ca&ble...", "查找编程线(&B)..."};
inline constexpr TextEntry kOtherPort{"", "O&ther...", "其他(&T)..."};
inline constexpr TextEntry kNext{"", "&Next", "下一步(&N)"};
inline constexpr TextEntry kStop{"", "&Stop", "停止(&S)"};
inline constexpr TextEntry kNoPortShown{
    "", "No serial port is listed: plug the programming cable in.", "没有列出串口：请插上编程线。"};
inline constexpr TextEntry kUnplugCable{"", "Unplug the programming cable, then press Next.",
                                        "请拔下编程线，然后按“下一步”。"};
inline constexpr TextEntry kPlugCable{"", "Now plug the programming cable in.",
                                      "现在请插上编程线。"};
// "%1" is the port ("COM101"), "%2" its device and chip.
inline constexpr TextEntry kCableFound{"", "The programming cable is %1 (%2).",
                                       "编程线是 %1（%2）。"};
inline constexpr TextEntry kSearchingRadio{"", "Asking every USB serial port for the radio...",
                                           "正在各个 USB 串口上查找电台..."};
inline constexpr TextEntry kNoUsbPort{
    "",
    "No USB serial port is listed: plug the programming cable in, or name its device with Other...",
    "没有列出 USB 串口：请插上编程线，或用“其他...”指定其设备。"};
// "%1" is the port ("COM101").
inline constexpr TextEntry kRadioFoundOn{"", "The radio answers on %1.", "电台在 %1 上应答。"};
inline constexpr TextEntry kNoRadioAnswered{
    "",
    "No radio answered. Check that the radio is switched on and in programming mode, and that "
    "the cable is seated in the radio and the computer.",
    "没有电台应答。请确认电台已开机并处于编程模式，编程线两端都已插好。"};
inline constexpr TextEntry kSeveralRadios{"", "Several radios answered; the first is chosen.",
                                          "有多台电台应答，已选择第一台。"};
inline constexpr TextEntry kOtherPortPrompt{
    "", "Device path of the serial port (a Bluetooth or other serial device):",
    "串口的设备路径（蓝牙或其他串口设备）："};
// "%1" is the device path.
inline constexpr TextEntry kOtherPortMissing{"", "%1 does not exist.", "%1 不存在。"};
// "%1" is the device path, "%2" the port ("COM4").
inline constexpr TextEntry kOtherPortKept{"", "%1 is kept as %2.", "%1 已保存为 %2。"};
// The save dialog's filter for a serial trace.
inline constexpr TextEntry kTraceFilter{"", "Serial trace (*.txt)|*.txt", "通信记录 (*.txt)|*.txt"};
} // namespace LinkWindowTexts
