#pragma once

#include "lang/SettingHelp.h"

// The help of the channel window ("frmCommChInfo"): the kind and group selectors, the frequency
// editor, every list of the detail panel (Combo8_n), the group panel, and the grid's columns by
// their English titles ("CH No.", "Frequency").
WindowHelp channelWindowHelp();
