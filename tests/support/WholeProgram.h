#pragma once

#include <utility>

#include "app/Subsystems.h"
#include "datafile/QtDataFileStorage.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

// The main window with every subsystem plugged in, as the program composes it, on files on disk;
// not shown yet, so a test can size it first.
struct WholeProgram
{
    explicit WholeProgram(int language = English)
        : harness(language)
        , transfers(harness.context)
    {
        harness.context.dataFiles = &storage;
        MainWindowHooks hooks;
        registerAllSubsystems(hooks, transfers);
        harness.start(std::move(hooks));
    }

    MainWindowHarness harness;
    QtDataFileStorage storage;
    TransferCommands transfers;
};
