#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "kernel/IniDocument.h"
#include "kernel/InstallLayout.h"
#include "lang/DeferredMessageQueue.h"
#include "lang/LanguageState.h"
#include "lang/MessageService.h"
#include "model/RadioImage.h"
#include "model/VersionRegistry.h"
#include "radio/Document.h"

class MainWindowHost;

// The serial settings kept in mysetup.ini.
struct SerialSettings
{
    int comPort = 1;
    int handshaking = 0;
    int stopBit = 0;
};

// Everything the program keeps for the whole run, made once at start and handed to every window.
// The services are owned by whoever starts the program (the real files and message boxes, or the
// fakes of a test) and must outlive their use. A service nobody has set is one that does nothing
// (no files, dialogs that are cancelled, boxes answered as if closed), so no caller checks for
// one that is missing.
class AppContext
{
public:
    AppContext() = default;
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Document document;
    RadioImage image;
    LanguageState language;
    SerialSettings serial;
    DeferredMessageQueue messageQueue;
    InstallLayout layout;
    VersionRegistry versions; // compatible version pairs from Version.ini

    // The services that do nothing, in force until real ones are set.
    struct NoServices
    {
        MemoryIniStore setupIni;
        MemoryIniStore userSettings;
        ClosedMessageService messages;
        MemoryIniStore versionIni;
        NoDataFileStorage dataFiles;
        CancelledFileDialogs fileDialogs;
        NoProgramLauncher launcher;
    };
    NoServices none;

    IniStore *setupIni = &none.setupIni;          // mysetup.ini
    IniStore *userSettings = &none.userSettings;  // the per-user settings store
    MessageService *messages = &none.messages;    // questions and notices to the user
    IniStore *versionIni = &none.versionIni;      // Version.ini; an empty one reads as V100/V100
    DataFileStorage *dataFiles = &none.dataFiles; // data file pairs and InitFiles
    FileDialogs *fileDialogs = &none.fileDialogs; // the open and save dialogs
    ProgramLauncher *launcher = &none.launcher;   // starts the program of another version

    // Starts the program version that handles a radio's firmware, after the user said Yes to the
    // version question, once the main window's open edits and the save question are settled; the
    // file services set it.
    std::function<void(const std::string &firmwareVersion, MainWindowHost &host)> switchVersion =
        [](const std::string &, MainWindowHost &) {};

    // A text of a table in the language in force.
    std::string_view text(const TextEntry &entry) const { return language.text(entry); }
};
