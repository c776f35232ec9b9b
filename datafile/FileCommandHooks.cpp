#include "datafile/FileCommandHooks.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "datafile/ChartPreview.h"
#include "datafile/FileCommands.h"
#include "datafile/QtDataFileStorage.h"
#include "datafile/QtFileDialogs.h"
#include "datafile/QtProgramLauncher.h"
#include "datafile/TextCommands.h"
#include "kernel/AppContext.h"
#include "kernel/IniFile.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "kernel/StartFolderDialogs.h"
#include "lang/QtText.h"

namespace {

// The main window as the file commands see it.
class HostAdapter : public FileCommandHost
{
public:
    explicit HostAdapter(MainWindowHost &host)
        : m_host(host)
    {}
    void closeAllChildWindows() override { m_host.closeAllChildWindows(); }
    void documentReplaced() override { m_host.documentReplaced(); }
    void commitPendingEdits() override { m_host.commitPendingEdits(); }
    bool settlePendingChoices() override { return m_host.settlePendingChoices(); }
    void showStatus(std::string_view text) override { m_host.showStatusMessage(qText(text)); }

private:
    MainWindowHost &m_host;
};

template<typename Command>
MainWindowHooks::CommandHandler fileCommand(Command command)
{
    return [command](AppContext &context, MainWindowHost &host) {
        HostAdapter adapter(host);
        FileCommands commands(context, adapter);
        command(commands);
    };
}

} // namespace

void registerFileCommands(MainWindowHooks &hooks)
{
    hooks.setCommand(MainCommand::FileNew, fileCommand([](FileCommands &c) { c.New(); }));
    hooks.setCommand(MainCommand::FileOpen, fileCommand([](FileCommands &c) { c.Open(); }));
    hooks.setCommand(MainCommand::FileSave, fileCommand([](FileCommands &c) { c.Save(); }));
    hooks.setCommand(MainCommand::FileSaveAs, fileCommand([](FileCommands &c) { c.SaveAs(); }));
    hooks.setCommand(MainCommand::FileExportText, [](AppContext &context, MainWindowHost &host) {
        HostAdapter adapter(host);
        TextFileCommands(context, adapter).ExportText();
    });
    hooks.setCommand(MainCommand::FileImportText, [](AppContext &context, MainWindowHost &host) {
        HostAdapter adapter(host);
        TextFileCommands(context, adapter).ImportText();
    });
    // At start the main window closes the windows before this one and shows the document after it.
    hooks.setCommand(MainCommand::LoadNewDocument,
                     fileCommand([](FileCommands &c) { c.LoadNewDocument(); }));
    hooks.setCommand(MainCommand::ToolbarNew,
                     fileCommand([](FileCommands &c) { c.ReplaceByNewDocument(); }));
    hooks.setCommand(MainCommand::InitialSetting,
                     fileCommand([](FileCommands &c) { c.InitialSetting(); }));
    registerChartCommand(hooks);
    hooks.setSaveQuestion([](AppContext &context, MainWindowHost &host) {
        HostAdapter adapter(host);
        return FileCommands(context, adapter).OfferToSave();
    });
}

namespace {

// The user's documents folder; the home folder where the system names none.
std::string documentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return folder.toStdString();
}

} // namespace

struct FileServices::Adapters
{
    explicit Adapters(AppContext &context)
        : versionIni(QString::fromStdString(context.layout.versionIniPath()))
        , startFolders(context, dialogs, documentsFolder(), [](const std::string &folder) {
            return QFileInfo(QString::fromStdString(folder)).isDir();
        })
    {}
    IniFile versionIni;
    QtDataFileStorage storage;
    QtFileDialogs dialogs;
    StartFolderDialogs startFolders;
    QtProgramLauncher launcher;
};

FileServices::FileServices(AppContext &context)
    : m_context(context)
    , m_adapters(std::make_unique<Adapters>(context))
{
    context.versionIni = &m_adapters->versionIni;
    context.dataFiles = &m_adapters->storage;
    context.fileDialogs = &m_adapters->startFolders;
    context.launcher = &m_adapters->launcher;
    context.switchVersion = [&context](const std::string &firmwareVersion, MainWindowHost &host) {
        HostAdapter adapter(host);
        FileCommands(context, adapter).SwitchVersion(firmwareVersion);
    };
}

void FileServices::setShownDialogs(FileDialogs &dialogs)
{
    m_adapters->startFolders.setShownDialogs(dialogs);
    m_context.fileDialogs = &m_adapters->startFolders;
}

FileServices::~FileServices()
{
    m_context.versionIni = &m_context.none.versionIni;
    m_context.dataFiles = &m_context.none.dataFiles;
    m_context.fileDialogs = &m_context.none.fileDialogs;
    m_context.launcher = &m_context.none.launcher;
    m_context.switchVersion = [](const std::string &, MainWindowHost &) {};
}
