#pragma once

class MainWindowHooks;

// The option window the main window opens: the option features window (FrmOptFeatures).
void registerOptionWindows(MainWindowHooks &hooks);
