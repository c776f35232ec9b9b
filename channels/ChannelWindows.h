#pragma once

class MainWindowHooks;

// The windows of channel editing that the main window opens: the channel window and the group
// name window.
void registerChannelWindows(MainWindowHooks &hooks);
