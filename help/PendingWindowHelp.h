#pragma once

// The windows' pages come from their own folders; a page whose texts are not there yet is a
// title-only page, so the manual and the help window list every window from the start.
#include "lang/SettingHelp.h"

#if __has_include("options/OptionHelp.h")
#include "options/OptionHelp.h"
#else
inline WindowHelp optionWindowHelp()
{
    return {"FrmOptFeatures", {"Option Features", "选项功能"}, {}, {}};
}
#endif

#if __has_include("options/ToneTipsHelp.h")
#include "options/ToneTipsHelp.h"
#else
inline WindowHelp toneTipsWindowHelp()
{
    return {"FrmToneTips", {"Roger Beep Tones", "尾音"}, {}, {}};
}
#endif

#if __has_include("channels/ChannelHelp.h")
#include "channels/ChannelHelp.h"
#else
inline WindowHelp channelWindowHelp()
{
    return {"frmCommChInfo", {"Channel Information", "信道信息"}, {}, {}};
}
#endif

#if __has_include("channels/GroupNameHelp.h")
#include "channels/GroupNameHelp.h"
#else
inline WindowHelp groupNameWindowHelp()
{
    return {"Frm_GroupName", {"Group Names", "组名"}, {}, {}};
}
#endif

#if __has_include("channels/EmgDwMemHelp.h")
#include "channels/EmgDwMemHelp.h"
#else
inline WindowHelp emergencyWindowHelp()
{
    return {"frm_emg", {"Emergency Channel", "紧急信道"}, {}, {}};
}
inline WindowHelp dualWatchWindowHelp()
{
    return {"frm_dw", {"Dual Watch Channel", "双守信道"}, {}, {}};
}
inline WindowHelp memorySettingsWindowHelp()
{
    return {"frm_MEM", {"Memory Channel Setting", "存储信道设置"}, {}, {}};
}
#endif
