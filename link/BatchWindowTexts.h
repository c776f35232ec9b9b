#pragma once

#include "lang/Texts.h"

// The texts of the Batch Programming window, in both languages. "%1" stands for the value given
// with it.
namespace BatchWindowTexts {
inline constexpr TextEntry kCaption{"", "Batch Programming", "批量编程"};
inline constexpr TextEntry kTemplateFrame{"", "Template", "模板"};
inline constexpr TextEntry kTemplateDocument{"", "The document in the program", "程序中的当前文档"};
inline constexpr TextEntry kTemplateFile{"", "A data file:", "数据文件："};
inline constexpr TextEntry kBrowse{"", "Browse...", "浏览..."};
inline constexpr TextEntry kKeepOptions{"", "Keep each radio's option features and tone sets",
                                        "保留每台对讲机自身的可选功能和RB音"};
inline constexpr TextEntry kNamePattern{"", "Bluetooth name pattern:", "蓝牙名称模式："};
inline constexpr TextEntry kPortsFrame{"", "Ports", "端口"};
inline constexpr TextEntry kPortToAdd{"", "Port to add", "要添加的端口"};
inline constexpr TextEntry kAddPort{"", "Add", "添加"};
inline constexpr TextEntry kAddUsbPorts{"", "Add USB Ports", "添加USB端口"};
inline constexpr TextEntry kRemovePort{"", "Remove", "移除"};
inline constexpr TextEntry kLogFile{"", "Log file:", "日志文件："};
inline constexpr TextEntry kLock{"", "Lock template and ports", "锁定模板和端口"};
inline constexpr TextEntry kStart{"", "Start", "开始"};
inline constexpr TextEntry kStop{"", "Stop", "停止"};
inline constexpr TextEntry kRetryFailed{"", "Retry Failed", "重试失败的"};
inline constexpr TextEntry kClose{"", "Close", "关闭"};

inline constexpr TextEntry kColumnPort{"", "Port", "端口"};
inline constexpr TextEntry kColumnCable{"", "Cable", "线缆"};
inline constexpr TextEntry kColumnState{"", "State", "状态"};
inline constexpr TextEntry kColumnProgress{"", "Progress", "进度"};
inline constexpr TextEntry kColumnUnit{"", "Unit", "编号"};
inline constexpr TextEntry kColumnElapsed{"", "Elapsed", "用时"};
inline constexpr TextEntry kColumnResult{"", "Result", "结果"};

inline constexpr TextEntry kStateIdle{"", "Idle", "空闲"};
inline constexpr TextEntry kStateWaiting{"", "Waiting for a radio", "等待对讲机"};
inline constexpr TextEntry kStateReading{"", "Reading", "读取中"};
inline constexpr TextEntry kStateWriting{"", "Writing", "写入中"};
inline constexpr TextEntry kStateVerifying{"", "Verifying", "校验中"};
inline constexpr TextEntry kStateNext{"", "Connect the next radio", "请连接下一台对讲机"};
inline constexpr TextEntry kStateStopped{"", "Stopped", "已停止"};

inline constexpr TextEntry kSummary{"", "%1 done, %2 refused, %3 failed",
                                    "完成 %1 台，拒绝 %2 台，失败 %3 台"};
inline constexpr TextEntry kNoPorts{"", "Add at least one port before starting.",
                                    "开始前请至少添加一个端口。"};
inline constexpr TextEntry kNoUsbPorts{"", "No USB serial port was found.", "未找到USB串口。"};
inline constexpr TextEntry kTemplateNotRead{"", "The template cannot be used: %1",
                                            "无法使用该模板：%1"};
inline constexpr TextEntry kLogNotWritten{"", "The log cannot be written: %1", "无法写入日志：%1"};
} // namespace BatchWindowTexts
