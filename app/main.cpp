#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QWindow>

#include <cstdio>
#include <memory>

#include "app/PlatformServices.h"
#include "app/Startup.h"
#include "app/Subsystems.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/QtBackupStore.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/IniFile.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/QtUserSettings.h"
#include "lang/QtMessageService.h"
#include "link/TransferCommands.h"

namespace {

// With ORX740_BENCH set, the moments of launch and of the main window being shown go to stderr
// (milliseconds since the epoch) for the start-up benchmark.
void benchMark(const char *what)
{
    static const bool enabled = qEnvironmentVariableIsSet("ORX740_BENCH");
    if (enabled)
        std::fprintf(stderr, "ORX740_BENCH %s %lld\n", what,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

class ExposeWatcher : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            benchMark("main-window");
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// Marks the moment the main window is first on the screen.
void markWhenShown(QWidget *window)
{
    if (!qEnvironmentVariableIsSet("ORX740_BENCH"))
        return;
    auto *filter = new ExposeWatcher(window);
    window->windowHandle()->installEventFilter(filter);
}

// A data file named on the command line (the first argument Qt leaves), as an absolute path;
// empty when there is none.
QString namedDataFile()
{
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();
}

// An incomplete installation is named on stderr, one missing file a line; the program goes on.
void reportMissingSharedFiles(const InstallLayout &layout)
{
    for (const std::string &path : layout.sharedFiles()) {
        if (!QFileInfo::exists(QString::fromStdString(path)))
            std::fprintf(stderr, "orx740: missing shared file %s\n", path.c_str());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    benchMark("launch");
    QApplication::setOrganizationName(QStringLiteral("ORX-740"));
    QApplication::setApplicationName(QStringLiteral("ORX-740"));
    useDotDecimalPoint();

    AppContext context;
    context.layout = installLayoutForProgram();
    reportMissingSharedFiles(context.layout);
    const QString dataFile = namedDataFile();
    IniFile setupIni(resolveSetupIniPath(QString::fromStdString(context.layout.setupIniPath())));
    QtMessageService messages(context.language);
    QtUserSettings userSettings;
    context.setupIni = &setupIni;
    context.userSettings = &userSettings;
    context.messages = &messages;
    FileServices fileServices(context);
    DocumentNotifier notifier;
    TransferCommands transfers(context);
    QtBackupStore backups;
    transfers.setBackupStore(&backups);

    MainWindowHooks hooks;
    registerAllSubsystems(hooks, transfers);

    Startup::runBeforeSplash(context, {systemLocaleId(), operatingSystemVersion()});

    frmSplash splash(
        QString::fromStdString(context.layout.splashPicture(context.language.languageIndex)));
    splash.show();
    splash.repaint();
    splash.start();

    Startup::runAfterSplash(context);

    std::unique_ptr<frmMain> mainWindow;
    QObject::connect(&splash, &frmSplash::finished, &application, [&] {
        mainWindow = std::make_unique<frmMain>(context, notifier, std::move(hooks));
        mainWindow->show();
        splash.close();
        markWhenShown(mainWindow.get());
        if (!dataFile.isEmpty())
            Startup::openNamedFile(context, dataFile.toStdString(),
                                   [&] { mainWindow->dispatch(MainCommand::FileOpen); });
    });
    return QApplication::exec();
}
