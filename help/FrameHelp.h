#pragma once

#include "lang/SettingHelp.h"

// The manual's pages of the main window, the port window and the language window.
WindowHelp mainWindowHelp();
WindowHelp portWindowHelp();
WindowHelp languageWindowHelp();
