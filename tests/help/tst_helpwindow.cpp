#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/Subsystems.h"
#include "datafile/QtDataFileStorage.h"
#include "help/HelpBrowser.h"
#include "help/HelpPages.h"
#include "link/RadioSimulator.h"
#include "link/TransferCommands.h"
#include "support/HelpChecks.h"
#include "support/WindowHarness.h"
#ifdef Q_OS_UNIX
#include "link/PtyRadioHost.h"
#endif

// The help window as a user reaches it: the Help buttons, F1, its contents, search and history.
class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpButtonOpensTheWindowsPage_data();
    void helpButtonOpensTheWindowsPage();
    void f1OpensThePageOfTheWindowInFront_data();
    void f1OpensThePageOfTheWindowInFront();
    void f1InAModalWindowOpensItsPage_data();
    void f1InAModalWindowOpensItsPage();
    void contentsSearchBackAndForward();
    void relabelsOnALanguageChange();
};

namespace {

struct Program
{
    Program()
        : transfers(harness.context)
    {
        harness.context.dataFiles = &storage;
        MainWindowHooks hooks;
        registerAllSubsystems(hooks, transfers);
        harness.start(std::move(hooks));
        harness.showAndActivate();
    }

    // The help windows open, at most one.
    QList<HelpBrowser *> helpWindows() const
    {
        return harness.window->findChildren<HelpBrowser *>(QStringLiteral("HelpBrowser"));
    }

    MainWindowHarness harness;
    QtDataFileStorage storage;
    TransferCommands transfers;
};

QListWidgetItem *itemNamed(QListWidget *list, const QString &name)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toString() == name)
            return list->item(row);
    return nullptr;
}

void click(QListWidget *list, const QString &name)
{
    QListWidgetItem *item = itemNamed(list, name);
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void addWindowRows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("option features") << "FrmOptFeatures";
    QTest::newRow("roger beep tones") << "FrmToneTips";
    QTest::newRow("group names") << "Frm_GroupName";
}

} // namespace

void TestHelpWindow::helpButtonOpensTheWindowsPage_data()
{
    addWindowRows();
}

void TestHelpWindow::helpButtonOpensTheWindowsPage()
{
    QFETCH(QString, window);
    Program program;
    QWidget *child = program.harness.window->openChildWindow(window);
    QVERIFY(child);
    auto *help = findNamed<QPushButton>(child, "CommandHelp");
    for (int press = 0; press < 2; ++press)
        QTest::mouseClick(help, Qt::LeftButton);

    QCOMPARE(program.helpWindows().size(), 1);
    HelpBrowser *browser = program.helpWindows().front();
    QCOMPARE(browser->currentPage(), window);
    QVERIFY(browser->isVisible());
    QVERIFY(browser->isWindow());
    QVERIFY(!browser->isModal());
    // The program goes on beside it: the child window is still open in the frame.
    QCOMPARE(program.harness.window->childWindow(window), child);
}

void TestHelpWindow::f1OpensThePageOfTheWindowInFront_data()
{
    addWindowRows();
    QTest::newRow("batch programming") << "FrmBatchProgramming";
    QTest::newRow("main window only") << "";
}

void TestHelpWindow::f1OpensThePageOfTheWindowInFront()
{
    QFETCH(QString, window);
    Program program;
    if (window.isEmpty()) {
        program.harness.window->closeAllChildWindows();
        program.harness.find<QWidget>("TreeView1")->setFocus();
    } else
        program.harness.window->openChildWindow(window)->setFocus();
    QTRY_VERIFY(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);

    QCOMPARE(program.helpWindows().size(), 1);
    const QString page = window.isEmpty() ? QStringLiteral("frmMain") : window;
    QCOMPARE(program.helpWindows().front()->currentPage(), page);
    // The page shown is the window's own: every control it describes is there. The editor
    // windows' pages are checked with their grid columns by their own tests.
    const std::vector<WindowHelp> pages = allWindowHelp();
    const WindowHelp *help = findWindowHelp(pages, stdText(page));
    QVERIFY(help);
    if (window.isEmpty())
        verifyPageMatchesWindow(*help, *program.harness.window);
    else if (window == QLatin1String("FrmBatchProgramming"))
        verifyPageMatchesWindow(*help, *program.harness.window->childWindow(window));
}

void TestHelpWindow::f1InAModalWindowOpensItsPage_data()
{
    QTest::addColumn<MainCommand>("command");
    QTest::addColumn<QString>("modal"); // the modal window's name
    QTest::addColumn<QString>("page");
    QTest::newRow("port window") << MainCommand::CommunicationPort << "FrmComSet"
                                 << "FrmComSet";
    QTest::newRow("language window") << MainCommand::LanguageSetup << "FrmSetLanguage"
                                     << "FrmSetLanguage";
#ifdef Q_OS_UNIX
    QTest::newRow("progress of a read") << MainCommand::ReadFromRadio << "FrmProgress"
                                        << "task-read";
    QTest::newRow("progress of a write") << MainCommand::WriteToRadio << "FrmProgress"
                                         << "task-write-verify";
    QTest::newRow("progress of a verification") << MainCommand::VerifyRadio << "FrmProgress"
                                                << "task-write-verify";
#endif
}

// F1 in a modal window opens the help window at the modal window's page, usable beside it (a
// modal window blocks every other window but its own), and the help window stays open when the
// modal window closes.
void TestHelpWindow::f1InAModalWindowOpensItsPage()
{
    QFETCH(MainCommand, command);
    QFETCH(QString, modal);
    QFETCH(QString, page);
    Program program;
#ifdef Q_OS_UNIX
    // A slow radio keeps the progress window up until Esc cancels the transfer.
    RadioSimulator radio;
    PtyRadioHost radioHost(radio);
    radioHost.setPace(9600);
    QVERIFY(radioHost.open());
    program.harness.ini.document = IniDocument("[language]\r\ncomPort=7\r\n[ports]\r\nCOM7=" +
                                               radioHost.devicePath().toStdString() + "\r\n");
    program.harness.context.serial.comPort = 7;
#endif
    program.harness.messages.answers = {MessageAnswer::Ok};
    const std::vector<WindowHelp> pages = allWindowHelp();
    bool pressed = false;
    QString shown;
    bool usable = false;
    // Runs inside the modal window's own event loop (the language window's exec()).
    QTimer probe;
    connect(&probe, &QTimer::timeout, this, [&] {
        QWidget *window = QApplication::activeModalWidget();
        if (pressed || !window || window->objectName() != modal)
            return;
        pressed = true;
        // As a window manager makes a window that opens the active one.
        QApplication::setActiveWindow(window);
        QTRY_COMPARE(QApplication::activeWindow(), window);
        if (const WindowHelp *help = findWindowHelp(pages, modal.toStdString()))
            verifyPageMatchesWindow(*help, *window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(program.helpWindows().size(), 1);
        shown = program.helpWindows().front()->currentPage();
        usable = program.helpWindows().front()->parentWidget() == window &&
                 program.helpWindows().front()->isVisible();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    probe.start(10);
    program.harness.window->dispatch(command);
    QTRY_VERIFY_WITH_TIMEOUT(pressed, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 20000);
    QTRY_VERIFY(!program.transfers.isBusy());

    QCOMPARE(shown, page);
    QVERIFY(usable);
    QCOMPARE(program.helpWindows().size(), 1);
    HelpBrowser *browser = program.helpWindows().front();
    QCOMPARE(browser->parentWidget(), program.harness.window.get());
    QVERIFY(browser->isVisible());
    QCOMPARE(browser->currentPage(), page);
}

void TestHelpWindow::contentsSearchBackAndForward()
{
    Program program;
    program.harness.window->showHelp(QString());
    HelpBrowser *browser = program.helpWindows().front();
    auto *contents = findNamed<QListWidget>(browser, "HelpContents");
    auto *back = findNamed<QPushButton>(browser, "HelpBack");
    auto *forward = findNamed<QPushButton>(browser, "HelpForward");
    QCOMPARE(browser->currentPage(), QStringLiteral("index"));
    QVERIFY(!back->isEnabled());

    click(contents, QStringLiteral("task-read"));
    QCOMPARE(browser->currentPage(), QStringLiteral("task-read"));
    QVERIFY(findNamed<QTextBrowser>(browser, "HelpView")->toPlainText().contains("Read a radio"));

    auto *search = findNamed<QLineEdit>(browser, "HelpSearch");
    auto *results = findNamed<QListWidget>(browser, "HelpResults");
    QTest::keyClicks(search, QStringLiteral("BACKUP folder"));
    QVERIFY(itemNamed(results, QStringLiteral("task-backups")));
    QVERIFY(!itemNamed(results, QStringLiteral("task-copy-group")));
    click(results, QStringLiteral("task-backups"));
    QCOMPARE(browser->currentPage(), QStringLiteral("task-backups"));

    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(browser->currentPage(), QStringLiteral("task-read"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(browser->currentPage(), QStringLiteral("index"));
    QVERIFY(!back->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(browser->currentPage(), QStringLiteral("task-read"));
}

void TestHelpWindow::relabelsOnALanguageChange()
{
    Program program;
    program.harness.window->showHelp(QStringLiteral("task-read"));
    HelpBrowser *browser = program.helpWindows().front();
    program.harness.context.language.languageIndex = Chinese;
    Q_EMIT program.harness.notifier.languageChanged();
    QCOMPARE(browser->windowTitle(), QStringLiteral("ORX-740 帮助"));
    QCOMPARE(browser->currentPage(), QStringLiteral("task-read"));
    QVERIFY(findNamed<QTextBrowser>(browser, "HelpView")->toPlainText().contains("读取对讲机"));
    QVERIFY(itemNamed(findNamed<QListWidget>(browser, "HelpContents"), "index")
                ->text()
                .contains("帮助"));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
