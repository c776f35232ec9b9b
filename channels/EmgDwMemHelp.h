#pragma once

#include "lang/SettingHelp.h"

// The help of the emergency ("frm_emg"), dual-watch ("frm_dw") and memory-channel ("frm_MEM")
// windows: one setting a Combo1 element, built from the windows' own table.
WindowHelp emergencyWindowHelp();
WindowHelp dualWatchWindowHelp();
WindowHelp memorySettingsWindowHelp();
