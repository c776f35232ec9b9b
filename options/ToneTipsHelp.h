#pragma once

#include "lang/SettingHelp.h"

// The help of the roger-beep window ("FrmToneTips"): the set tabs, the recycle and inter times,
// the frequency and duration of each of the fourteen tones (Combo3_n, Combo4_n) and the buttons.
WindowHelp toneTipsWindowHelp();
