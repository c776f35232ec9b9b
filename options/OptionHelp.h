#pragma once

#include "lang/SettingHelp.h"

// The help of the option features window ("FrmOptFeatures"): one setting a control that holds a
// value, keyed by the control's objectName ("Combo1_9", "Combo7_0", "check1_3", "Text4_12").
// The offered items and the new document's value come from the option table itself, so the help
// follows the lists the window shows.
WindowHelp optionWindowHelp();

// The tooltip of a box the window keeps out of sight and that holds no value of the document.
HelpText parkedControlHelp();
