#include "app/Subsystems.h"

#include "channels/ChannelWindows.h"
#include "channels/EmgDwMemWindows.h"
#include "datafile/FileCommandHooks.h"
#include "help/HelpWindows.h"
#include "kernel/MainWindowHooks.h"
#include "link/FrmBatchProgramming.h"
#include "link/TransferCommands.h"
#include "options/OptionWindows.h"
#include "options/RogerBeepWindows.h"

void registerAllSubsystems(MainWindowHooks &hooks, TransferCommands &transfers)
{
    registerFileCommands(hooks);
    registerTransferCommands(hooks, transfers);
    registerBatchProgramming(hooks, transfers);
    registerChannelWindows(hooks);
    registerEmgDwMemWindows(hooks);
    registerRogerBeepWindows(hooks);
    registerOptionWindows(hooks);
    registerHelp(hooks);
}
