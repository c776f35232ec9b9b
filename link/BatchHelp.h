#pragma once

#include "lang/SettingHelp.h"

// The manual's page of the Batch Programming window; the window takes its controls' tooltips
// and accessible descriptions from it.
WindowHelp batchWindowHelp();
