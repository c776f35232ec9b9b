#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/InstallLayout.h"
#include "lang/DeferredMessageQueue.h"
#include "lang/LanguageState.h"
#include "model/Document.h"
#include "model/RadioImage.h"
#include "model/VersionRegistry.h"

class DataFileStorage;
class FileDialogs;
class IniStore;
class MessageService;
class ProgramLauncher;

// The serial settings kept in mysetup.ini.
struct SerialSettings
{
    int comPort = 1;
    int handshaking = 0;
    int stopBit = 0;
};

// Everything the program keeps for the whole run, made once at start and handed to every window.
// The services are owned by whoever starts the program (the real files and message boxes, or the
// fakes of a test) and must outlive the context.
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

    IniStore *setupIni = nullptr;         // mysetup.ini
    MessageService *messages = nullptr;   // questions and notices to the user
    IniStore *versionIni = nullptr;       // Version.ini; none reads as the single pair V100/V100
    DataFileStorage *dataFiles = nullptr; // data file pairs and InitFiles
    FileDialogs *fileDialogs = nullptr;   // the open and save dialogs
    ProgramLauncher *launcher = nullptr;  // starts the program of another version

    // Starts the program version that handles a radio's firmware, after the user said Yes to the
    // version question; the file services set it.
    std::function<void(const std::string &firmwareVersion)> switchVersion;

    // A text of a table in the language in force.
    std::string_view text(const TextEntry &entry) const { return language.text(entry); }
};
