#pragma once

#include "lang/SettingHelp.h"

// The help of the group name window ("Frm_GroupName"): the grid, its columns by their English
// titles and the two one-character boxes of a rename.
WindowHelp groupNameWindowHelp();
