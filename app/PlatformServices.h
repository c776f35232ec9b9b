#pragma once

#include <string>

#include "kernel/InstallLayout.h"
#include "kernel/WindowPlacement.h"

// The locale id the start-up decides the language by: 0x0804 for Chinese as used in the People's
// Republic of China, 0 for every other locale.
int systemLocaleId();
// A readable name of the operating system and its version; empty when unknown.
std::string operatingSystemVersion();
// Makes "." the decimal point of every number the windows format or parse, without touching the
// user's own locale settings.
void useDotDecimalPoint();
// The layout around the running program's folder, in the platform's own separators; a program in
// <prefix>/bin finds its shared files in <prefix>/share/orx740 when that folder exists.
InstallLayout installLayoutForProgram();

// The main window's placement in the per-user settings store, section "Settings".
class SettingsStore
{
public:
    // Values that are missing or no number read as their defaults.
    static WindowPlacement readPlacement();
    static void writePlacement(const WindowPlacement &placement);
};
