#pragma once

#include "lang/Texts.h"

// Texts of the channel grid's tools: moving, sorting, finding, editing several rows, the chart.
namespace GridToolTexts {
inline constexpr TextEntry kMoveUp{"", "Move &Up", "上移(&U)"};
inline constexpr TextEntry kMoveDown{"", "Move &Down", "下移(&D)"};
inline constexpr TextEntry kSortByFrequency{"", "&Sort by Frequency", "按频率排序(&S)"};
inline constexpr TextEntry kFind{"", "&Find...", "查找(&F)..."};
inline constexpr TextEntry kPrintChart{"", "Print Channel Chart...", "打印信道表..."};
inline constexpr TextEntry kCbFixed{"", "CB channels keep their numbers: the band plan fixes them.",
                                    "CB 信道的编号由频道表固定，不能移动。"};
inline constexpr TextEntry kVfoSingle{"",
                                      "A VFO group holds one channel; there is nothing to move.",
                                      "VFO 组只有一个信道，无可移动。"};
// "%1" is the number of rows.
inline constexpr TextEntry kSkipped{"", "%1 selected rows without a channel were skipped.",
                                    "已跳过 %1 个没有信道的选中行。"};
inline constexpr TextEntry kFindPrompt{"", "Frequency to find (Enter: next)",
                                       "要查找的频率（回车：下一个）"};
// "%1" the hit's number, "%2" the number of hits, "%3" kind, "%4" group, "%5" channel.
inline constexpr TextEntry kFoundInGroup{"", "%1 of %2: %3 group %4, CH %5",
                                         "第 %1 个，共 %2 个：%3 %4 组，信道 %5"};
// "%1" the hit's number, "%2" the number of hits, "%3" the memory channel.
inline constexpr TextEntry kFoundMemory{"", "%1 of %2: memory channel %3",
                                        "第 %1 个，共 %2 个：存储信道 %3"};
// "%1" is the text looked for.
inline constexpr TextEntry kNotFound{"", "No channel has a frequency with %1.",
                                     "没有频率含 %1 的信道。"};
} // namespace GridToolTexts
