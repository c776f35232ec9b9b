#include "app/Startup.h"

#include <charconv>
#include <optional>

#include "datafile/ChangedCheck.h"
#include "datafile/FileCommands.h"
#include "kernel/AppContext.h"
#include "kernel/FileDialogs.h"
#include "kernel/IniDocument.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"

namespace {

constexpr std::string_view kSection = "language";

std::optional<int> parseInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> readInteger(IniStore &ini, std::string_view key)
{
    return parseInteger(ini.readString(kSection, key));
}

void writeInteger(IniStore &ini, std::string_view key, int value)
{
    ini.writeString(kSection, key, std::to_string(value));
}

// A value that is missing or no number takes its first-start value, which is written back.
int readOrRepair(IniStore &ini, std::string_view key, int firstStartValue, int lowest)
{
    const std::optional<int> value = readInteger(ini, key);
    if (value && *value >= lowest)
        return *value;
    writeInteger(ini, key, firstStartValue);
    return firstStartValue;
}

// The open dialog answered once with a path known beforehand; every other dialog is the real one.
class NamedFileDialog : public FileDialogs
{
public:
    NamedFileDialog(std::string path, FileDialogs &next)
        : m_path(std::move(path))
        , m_next(next)
    {}

    std::optional<std::string> openFileName(std::string_view filter,
                                            std::string_view startFolder = {}) override
    {
        if (!m_path)
            return m_next.openFileName(filter, startFolder);
        std::optional<std::string> path = std::move(m_path);
        m_path.reset();
        return path;
    }
    std::optional<std::string> saveFileName(std::string_view filter,
                                            std::string_view presetPath) override
    {
        return m_next.saveFileName(filter, presetPath);
    }

private:
    std::optional<std::string> m_path;
    FileDialogs &m_next;
};

} // namespace

namespace Startup {

void runBeforeSplash(AppContext &context, const StartupEnvironment &environment)
{
    loadVersionRegistry(context);
    checkOperatingSystem(context, environment.operatingSystem);
    loadSettings(context, environment.systemLocaleId);
}

void runAfterSplash(AppContext &context)
{
    buildNewDocument(context);
    loadTextTables(context);
}

void loadVersionRegistry(AppContext &context)
{
    IniStore &ini = *context.versionIni;
    context.versions =
        VersionRegistry::load([&ini](std::string_view section, std::string_view key) {
            return ini.readString(section, key);
        });
}

void checkOperatingSystem(AppContext &context, std::string_view operatingSystem)
{
    if (operatingSystem.empty())
        context.messages->inform(textFor(Messages::kUnknownOperatingSystem, English),
                                 MessageIcon::None);
}

void loadSettings(AppContext &context, int systemLocaleId)
{
    IniStore &ini = *context.setupIni;
    context.serial.comPort = 1;
    context.language.startFromLocale(systemLocaleId);

    const std::optional<int> firstRunValue = readInteger(ini, "IsFirstRun");
    const bool firstRun = !firstRunValue || *firstRunValue != 0;

    context.document.working().settings.currentKind = HF;
    context.document.setBandText(kStartBandText);

    context.serial.comPort = readOrRepair(ini, "comPort", 1, 1);
    context.serial.handshaking = readOrRepair(ini, "Handshaking", 0, 0);
    context.serial.stopBit = readOrRepair(ini, "StopBit", 0, 0);

    if (firstRun) {
        writeInteger(ini, "IsFirstRun", 0);
    } else {
        // A stored language that is none of ours leaves the locale's language in force.
        const std::optional<int> stored = readInteger(ini, "CurrentLanguage");
        if (stored && isLanguageIndex(*stored))
            context.language.languageIndex = *stored;
    }

    writeInteger(ini, "comPort", context.serial.comPort);
    writeInteger(ini, "CurrentLanguage", context.language.languageIndex);
}

void buildNewDocument(AppContext &context)
{
    Document &document = context.document;
    document.untitled = true;
    document.documentPath = "new.dat";
    document.previousPath = "new.dat";

    SettingsRecord &settings = document.working().settings;
    settings.version.assign(kDataFileVersion);
    settings.currentKind = HF;
    settings.currentGroup = {1, 1, 1};
    for (int group = 1; group <= kMaxGroup; ++group)
        settings.groupSelection.at(CB, group) = 1;
    for (int group = 1; group <= 13; ++group)
        settings.groupSelection.at(HF, group) = 1;
    ApplyNewDocumentDefaults(settings, todayAsDateText(), document.bandClass());

    LoadInitFile(document, context.dataFiles, initFilePath(context, InitFileUse::NewDocument));
    document.takeSnapshot();
}

void loadTextTables(AppContext &)
{
    // The text tables are constants, complete before the first window is made.
}

void openNamedFile(AppContext &context, const std::string &path,
                   const std::function<void()> &openCommand)
{
    FileDialogs *const dialogs = context.fileDialogs;
    NamedFileDialog named(path, *dialogs);
    context.fileDialogs = &named;
    openCommand();
    context.fileDialogs = dialogs;
}

} // namespace Startup

bool documentChanged(const AppContext &context)
{
    return ChangedCheck(context.document.working(), context.document.saved());
}

bool saveDocument(AppContext &context)
{
    FileCommandHost noWindows;
    return FileCommands(context, noWindows).SaveForQuestion();
}

bool confirmClose(AppContext &context, bool changed, const std::function<bool()> &save)
{
    return !changed || AskSaveQuestion(context, save);
}
