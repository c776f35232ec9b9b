#pragma once

#include "lang/Texts.h"

// Texts of the serial link's own windows and lines. The messages it shares with the rest of the
// program (port error, questions, completion, wrong model) are in lang/Messages.h, the version
// question in model/VersionRegistry.h.
namespace LinkTexts {
inline constexpr TextEntry kProgressCaptionRead{"", "Read data from radio", "从对讲机读取数据"};
inline constexpr TextEntry kProgressCaptionWrite{"", "Write data to radio", "向对讲机写入数据"};
inline constexpr TextEntry kProgressCaptionVerify{"", "Verify radio: reading data from radio",
                                                  "校验对讲机：从对讲机读取数据"};
inline constexpr TextEntry kCompletionPercentage{"", "Completion percentage:", "完成进度:"};
} // namespace LinkTexts
