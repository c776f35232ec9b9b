#pragma once

class MainWindowHooks;
class TransferCommands;

// Every window and command the main window can reach, one register call a subsystem: the one
// list the program's start and the tests of the whole program use.
void registerAllSubsystems(MainWindowHooks &hooks, TransferCommands &transfers);
