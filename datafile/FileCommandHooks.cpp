#include "datafile/FileCommandHooks.h"

#include "app/AppContext.h"
#include "app/IniFile.h"
#include "app/MainWindowHooks.h"
#include "app/frmMain.h"
#include "datafile/FileCommands.h"
#include "datafile/QtDataFileStorage.h"
#include "datafile/QtFileDialogs.h"
#include "datafile/QtProgramLauncher.h"

namespace {

class MainWindowHost : public FileCommandHost
{
public:
    explicit MainWindowHost(frmMain &window)
        : m_window(window)
    {}
    void closeAllChildWindows() override { m_window.closeAllChildWindows(); }
    void relabel() override { m_window.relabel(); }
    void openChannelWindow() override
    {
        m_window.openChildWindow(QString::fromLatin1(
            kChannelWindow.data(), static_cast<qsizetype>(kChannelWindow.size())));
    }
    void cascade() override { m_window.cascade(); }

private:
    frmMain &m_window;
};

template<typename Command>
MainWindowHooks::CommandHandler fileCommand(Command command)
{
    return [command](AppContext &context, frmMain &window) {
        MainWindowHost host(window);
        FileCommands commands(context, host);
        command(commands);
    };
}

} // namespace

void addFileCommands(MainWindowHooks &hooks)
{
    hooks.setCommand(MainCommand::FileNew, fileCommand([](FileCommands &c) { c.New(); }));
    hooks.setCommand(MainCommand::FileOpen, fileCommand([](FileCommands &c) { c.Open(); }));
    hooks.setCommand(MainCommand::FileSave, fileCommand([](FileCommands &c) { c.Save(); }));
    hooks.setCommand(MainCommand::FileSaveAs, fileCommand([](FileCommands &c) { c.SaveAs(); }));
    // The main window closes and reopens the windows around this one itself.
    hooks.setCommand(MainCommand::LoadNewDocument,
                     fileCommand([](FileCommands &c) { c.LoadNewDocument(); }));
    hooks.setCommand(MainCommand::InitialSetting,
                     fileCommand([](FileCommands &c) { c.InitialSetting(); }));
}

struct FileServices::Adapters
{
    explicit Adapters(const AppContext &context)
        : versionIni(QString::fromStdString(context.layout.versionIniPath()))
    {}
    IniFile versionIni;
    QtDataFileStorage storage;
    QtFileDialogs dialogs;
    QtProgramLauncher launcher;
};

FileServices::FileServices(AppContext &context)
    : m_context(context)
    , m_adapters(std::make_unique<Adapters>(context))
{
    context.versionIni = &m_adapters->versionIni;
    context.dataFiles = &m_adapters->storage;
    context.fileDialogs = &m_adapters->dialogs;
    context.launcher = &m_adapters->launcher;
    context.switchVersion = [&context](const std::string &firmwareVersion) {
        SwitchToVersion(context, firmwareVersion);
    };
}

FileServices::~FileServices()
{
    m_context.versionIni = nullptr;
    m_context.dataFiles = nullptr;
    m_context.fileDialogs = nullptr;
    m_context.launcher = nullptr;
    m_context.switchVersion = nullptr;
}
