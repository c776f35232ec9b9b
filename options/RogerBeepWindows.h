#pragma once

class MainWindowHooks;

// The roger-beep window (FrmToneTips) that the main window opens from Edit > Roger Beep and
// the tree.
void registerRogerBeepWindows(MainWindowHooks &hooks);
