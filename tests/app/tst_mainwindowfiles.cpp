#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <optional>
#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <unistd.h>
#endif

#include "app/Startup.h"
#include "app/Subsystems.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/QtUserSettings.h"
#include "link/PtyRadioHost.h"
#include "link/RadioSimulator.h"
#include "link/SerialTraceFile.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

// The main window's ways with data files, as a user meets them: the title's modified marker, the
// status bar after a command, the recent files and a dropped file, where every file dialog starts,
// and why a save failed.
class TestMainWindowFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void markerFollowsUnsavedEdits_data();
    void markerFollowsUnsavedEdits();
    void dialogsStartInTheRightFolder_data();
    void dialogsStartInTheRightFolder();
    void recentFilesAndDroppedFiles();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void statusAfterPrintAndTransfers_data();
    void statusAfterPrintAndTransfers();

private:
    QTemporaryDir m_home;
};

namespace {

// The program's main window with every subsystem, its real files and per-user settings, and the
// file dialogs of the test behind the program's own start folders.
struct Program
{
    explicit Program(int language = English)
        : harness(language)
        , services(harness.context)
        , transfers(harness.context)
    {
        harness.context.dataFiles = &storage;
        harness.context.userSettings = &settings;
        services.setShownDialogs(dialogs);
        MainWindowHooks hooks;
        registerAllSubsystems(hooks, transfers);
        harness.start(std::move(hooks));
        harness.showAndActivate();
    }

    frmMain &window() { return *harness.window; }
    Document &document() { return harness.context.document; }
    void trigger(const char *action) { harness.find<QAction>(action)->trigger(); }
    QString title() { return shownTitle(&window()); }
    // An edit in the channel window's detail panel, made with the keyboard.
    void editChannel();
    // The recent files as the File menu lists them when it opens.
    QStringList recentMenu();
    // The questions asked since the last look.
    QStringList questions();
    // Ctrl+P, then the preview's Print, then the print dialog's OK. The printer is given a .pdf
    // output file, which makes it write PDF there: nothing reaches a real printer.
    void printChart(const QString &pdf);

    MainWindowHarness harness;
    QtDataFileStorage storage;
    QtUserSettings settings;
    ScriptedFileDialogs dialogs;
    FileServices services;
    TransferCommands transfers;
    std::size_t questionsSeen = 0;
};

void Program::editChannel()
{
    QWidget *channels = window().openChildWindow(QStringLiteral("frmCommChInfo"));
    auto *grid = findNamed<QTableView>(channels, "MSFlexGrid1");
    const QModelIndex cell = grid->model()->index(0, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    for (QComboBox *box : channels->findChildren<QComboBox *>()) {
        if (box->objectName().startsWith(QStringLiteral("Combo8_")) && box->isVisible() &&
            box->isEnabled() && box->count() > 1) {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClick(box,
                            box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
            return;
        }
    }
    QFAIL("no detail box to change");
}

QStringList Program::recentMenu()
{
    auto *menu = harness.find<QMenu>("mnuFileRecentMenu");
    Q_EMIT menu->aboutToShow();
    QStringList files;
    for (QAction *action : menu->actions()) {
        if (action->objectName().startsWith(QStringLiteral("mnuFileRecent")) &&
            action->data().isValid())
            files << QFileInfo(action->data().toString()).fileName();
    }
    return files;
}

QStringList Program::questions()
{
    QStringList texts;
    const auto &asked = harness.messages.questions;
    for (; questionsSeen < asked.size(); ++questionsSeen)
        texts << QString::fromStdString(asked[questionsSeen].text);
    return texts;
}

void Program::printChart(const QString &pdf)
{
    // Each window is modal: the steps run from the event loop of the window they answer.
    QTimer::singleShot(0, &window(), [pdf] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        preview->printer()->setOutputFileName(pdf);
        QTimer::singleShot(0, preview, [] {
            if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction *action : preview->findChildren<QAction *>()) {
            if (action->text() == print) {
                action->trigger();
                return;
            }
        }
        preview->reject();
    });
    QTest::keyClick(&window(), Qt::Key_P, Qt::ControlModifier);
}

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ORX-740"),
                     QStringLiteral("ORX-740"));
}

QString settingsFileText()
{
    QFile file(userSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

// Root writes into any folder. While one of these lives, the file access of this thread (the UI
// thread, where a save writes) is checked as nobody's: with a file system user other than root,
// the kernel takes away root's override of file modes.
class OrdinaryUserFiles
{
public:
    OrdinaryUserFiles()
    {
#ifdef Q_OS_LINUX
        constexpr uid_t nobody = 65534;
        if (geteuid() == 0) {
            setfsuid(nobody);
            m_active = setfsuid(static_cast<uid_t>(-1)) == nobody;
        }
#endif
    }
    ~OrdinaryUserFiles()
    {
#ifdef Q_OS_LINUX
        if (m_active)
            setfsuid(0);
#endif
    }
    OrdinaryUserFiles(const OrdinaryUserFiles &) = delete;
    OrdinaryUserFiles &operator=(const OrdinaryUserFiles &) = delete;

    bool active() const
    {
        return m_active;
    }

private:
    bool m_active = false;
};

// A data file pair of a document.
void writeDataFile(const QString &path, const DocumentSet &document)
{
    const PackedPair pair = packDataFilePair(document);
    QtDataFileStorage().writePair(path.toStdString(), pair.dataFile,
                                  companionPath(path.toStdString()), pair.channelFile);
}

} // namespace

void TestMainWindowFiles::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
}

void TestMainWindowFiles::init()
{
    // Every test starts with no settings of an earlier one.
    userSettings().clear();
}

void TestMainWindowFiles::markerFollowsUnsavedEdits_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("status");
    QTest::newRow("English") << int(English) << QStringList{"Saved a.dat", "Opened b.dat"};
    QTest::newRow("Chinese") << int(Chinese) << QStringList{"已保存 a.dat", "已打开 b.dat"};
}

// The title keeps its own text; "*" follows it while edits are unsaved, and the status bar says
// what Save and Open did.
void TestMainWindowFiles::markerFollowsUnsavedEdits()
{
    QFETCH(int, language);
    QFETCH(QStringList, status);
    QTemporaryDir dir;
    Program program(language);
    const QString title = program.title();
    QVERIFY2(title.endsWith(QStringLiteral(":new.dat]")), qPrintable(title));
    program.editChannel();
    QCOMPARE(program.title(), title + QLatin1Char('*'));
    // Undone, the document is the saved one again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(program.title(), title);

    program.editChannel();
    program.dialogs.answers = {dir.filePath("a.dat").toStdString()};
    program.trigger("mnuFileSaveAs");
    QVERIFY(program.title().endsWith(QStringLiteral(":a.dat]")));
    QCOMPARE(program.harness.find<QLabel>("Panel1")->text(), status[0]);

    program.editChannel();
    QVERIFY(program.title().endsWith(QStringLiteral(":a.dat]*")));
    writeDataFile(dir.filePath("b.dat"), program.document().working());
    program.harness.messages.answers = {MessageAnswer::Discard};
    program.dialogs.answers = {dir.filePath("b.dat").toStdString()};
    program.trigger("mnuFileOpen");
    QVERIFY(program.title().endsWith(QStringLiteral(":b.dat]")));
    QCOMPARE(program.harness.find<QLabel>("Panel1")->text(), status[1]);
}

void TestMainWindowFiles::dialogsStartInTheRightFolder_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("state");
    for (const char *dialog : {"open", "save as", "export text", "import text", "save trace"})
        for (const char *state : {"first use", "last folder", "last folder gone", "current file"})
            QTest::addRow("%s, %s", dialog, state) << dialog << state;
}

// Each dialog starts in the current file's folder, else the last one used, else Documents.
void TestMainWindowFiles::dialogsStartInTheRightFolder()
{
    QFETCH(QString, dialog);
    QFETCH(QString, state);
    QTemporaryDir dir;
    const QString last = dir.filePath("last");
    const QString current = dir.filePath("current");
    QVERIFY(QDir().mkpath(last) && QDir().mkpath(current));
    Program program;
    QString expected = documentsFolder();
    if (state != "first use") {
        // A text exported into a folder makes it the last one used.
        program.dialogs.answers = {QDir(last).filePath("a.yaml").toStdString()};
        program.trigger("mnuFileExportText");
        expected = last;
    }
    if (state == "last folder gone") {
        QVERIFY(QDir(last).removeRecursively());
        expected = documentsFolder();
    } else if (state == "current file") {
        const QString file = QDir(current).filePath("radio.dat");
        writeDataFile(file, program.document().working());
        Startup::openNamedFile(program.harness.context, file.toStdString(),
                               [&] { program.trigger("mnuFileOpen"); });
        expected = current;
    }
    program.dialogs.shown.clear();
    const std::map<QString, const char *> actions{{"open", "mnuFileOpen"},
                                                  {"save as", "mnuFileSaveAs"},
                                                  {"export text", "mnuFileExportText"},
                                                  {"import text", "mnuFileImportText"}};
    if (dialog == "save trace")
        saveSerialTraceAs(*program.harness.context.fileDialogs, program.harness.messages, English);
    else
        program.trigger(actions.at(dialog));
    QCOMPARE(program.dialogs.shown.size(), std::size_t(1));
    const QString preset = QString::fromStdString(program.dialogs.shown.front().presetPath);
    QCOMPARE(dialog == "open" || dialog == "import text" ? preset : QFileInfo(preset).path(),
             expected);
}

// File > Recent Files: the last 8 data files opened or saved, newest first, kept per user across
// runs; a file gone is dropped when chosen; Clear empties the list. A data file dropped on the
// window opens as File > Open opens it, the save question first.
void TestMainWindowFiles::recentFilesAndDroppedFiles()
{
    QTemporaryDir dir;
    auto program = std::make_unique<Program>();
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 3}) {
        const QString path = dir.filePath(QStringLiteral("radio%1.dat").arg(n));
        writeDataFile(path, program->document().working());
        program->dialogs.answers = {path.toStdString()};
        program->trigger("mnuFileOpen");
    }
    const QStringList expected{"radio3.dat", "radio9.dat", "radio8.dat", "radio7.dat",
                               "radio6.dat", "radio5.dat", "radio4.dat", "radio2.dat"};
    QCOMPARE(program->recentMenu(), expected);
    QVERIFY(settingsFileText().contains(QStringLiteral("File1=") + dir.filePath("radio3.dat")));
    // Kept across a restart of the program's window.
    program = std::make_unique<Program>();
    QCOMPARE(program->recentMenu(), expected);

    // A file that is gone is named and dropped; the document stays.
    QVERIFY(QFile::remove(dir.filePath("radio6.dat")));
    program->trigger("mnuFileRecent5");
    QCOMPARE(program->questions(),
             QStringList{dir.filePath("radio6.dat") +
                         " no longer exists; it has been removed from the recent files."});
    QCOMPARE(program->document().documentPath, std::string("new.dat"));
    QVERIFY(!program->recentMenu().contains("radio6.dat"));
    // One that is there opens, after the save question for an edit.
    program->editChannel();
    program->harness.messages.answers = {MessageAnswer::Discard};
    program->trigger("mnuFileRecent4");
    QCOMPARE(program->questions(), QStringList{"Save changes to new.dat?"});
    QCOMPARE(program->document().documentPath, dir.filePath("radio7.dat").toStdString());
    QCOMPARE(program->recentMenu().first(), QStringLiteral("radio7.dat"));

    // A dropped data file; another kind of file is refused at the door.
    for (const QString name : {"notes.txt", "radio1.dat"}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir.filePath(name))});
        const QPoint centre = program->window().rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&program->window(), &enter);
        QCOMPARE(enter.isAccepted(), name.endsWith(".dat"));
        if (!enter.isAccepted())
            continue;
        program->editChannel();
        program->harness.messages.answers = {MessageAnswer::Discard};
        QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&program->window(), &drop);
        QTRY_COMPARE(program->document().documentPath, dir.filePath(name).toStdString());
        QCOMPARE(program->questions(), QStringList{"Save changes to radio7.dat?"});
    }
    QCOMPARE(program->recentMenu().first(), QStringLiteral("radio1.dat"));

    program->trigger("mnuFileRecentClear");
    QCOMPARE(program->recentMenu(), QStringList());
    QVERIFY(!program->harness.find<QAction>("mnuFileRecentClear")->isEnabled());
    QVERIFY(!settingsFileText().contains(QStringLiteral("radio")));
}

void TestMainWindowFiles::failedSaveSaysWhy_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << "missing/new.dat"
                                    << "No such file or directory";
    QTest::newRow("folder in the file's place") << "taken.dat"
                                                << "Is a directory";
    QTest::newRow("folder not writable") << "locked/new.dat"
                                         << "Permission denied";
    QTest::newRow("folder closed to the user") << "closed/new.dat"
                                               << "Permission denied";
}

// "file error." and on a second line what the system said, with the file's path: also for a folder
// the user may not write into or not even enter. Run as root (as CI runs), the save is made with
// an ordinary user's file rights, since root writes anywhere.
void TestMainWindowFiles::failedSaveSaysWhy()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(dir.path(), readable | QFile::WriteOwner));
    for (const char *folder : {"taken.dat", "locked", "closed"})
        QVERIFY(QDir(dir.path()).mkpath(folder));
    QFile::setPermissions(dir.filePath("locked"), readable);
    QFile::setPermissions(dir.filePath("closed"), {});
    Program program;
    program.questions();
    program.dialogs.answers = {dir.filePath(target).toStdString()};
    std::optional<OrdinaryUserFiles> ordinaryUser;
    if (reason == "Permission denied" &&
        QFileInfo(QFileInfo(dir.filePath(target)).path()).isWritable()) {
        ordinaryUser.emplace();
        if (!ordinaryUser->active())
            QSKIP("this user may write into any folder and cannot save as another user");
    }
    program.trigger("mnuFileSaveAs");
    ordinaryUser.reset();
    QCOMPARE(program.questions(),
             QStringList{"file error.\r\n" + reason + ": " + dir.filePath(target)});
    QVERIFY(program.document().untitled);
}

void TestMainWindowFiles::statusAfterPrintAndTransfers_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("status");
    const std::tuple<int, const char *, const char *> rows[] = {
        {English, "print", "Sent the channel chart to the printer"},
        {English, "read", "Read the radio's data into the program"},
        {English, "write", "Wrote the program's data into the radio"},
        {Chinese, "print", "信道表已发送到打印机"},
        {Chinese, "read", "已从对讲机读取数据"},
        {Chinese, "write", "已向对讲机写入数据"}};
    for (const auto &[language, command, status] : rows)
        QTest::addRow("%s, %s", language == English ? "English" : "Chinese", command)
            << language << command << QString::fromUtf8(status);
}

// The status bar says what a finished print, read or write did: the chart printed through the
// preview into a PDF file, the transfers through the menu with a simulated radio on the port.
void TestMainWindowFiles::statusAfterPrintAndTransfers()
{
    QFETCH(int, language);
    QFETCH(QString, command);
    QFETCH(QString, status);
    RadioSimulator radio;
    PtyRadioHost host(radio);
    QVERIFY2(host.open(), qPrintable(host.errorString()));
    Program program(language);
    program.harness.ini.document.setValue("ports", "COM1", host.devicePath().toStdString());
    auto *panel = program.harness.find<QLabel>("Panel1");
    const QString before = panel->text();
    if (command == "print") {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("chart.pdf");
        program.printChart(pdf);
        QVERIFY(QFileInfo(pdf).size() > 0);
    } else {
        QSignalSpy ended(&program.transfers, &TransferCommands::transferEnded);
        program.harness.messages.answers = {MessageAnswer::Ok};
        program.trigger(command == "read" ? "mnuReadFromRadio" : "mnuWriteToRadio");
        QCOMPARE(panel->text(), before);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
        QCOMPARE(ended.at(0).at(0).value<TransferOutcome>().result, TransferResult::Success);
        QVERIFY(radio.sessionEnded());
    }
    QCOMPARE(panel->text(), status);
}

QTEST_MAIN(TestMainWindowFiles)
#include "tst_mainwindowfiles.moc"
