#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "app/PlatformServices.h"
#include "app/frmMain.h"
#include "kernel/AppContext.h"
#include "kernel/IniDocument.h"
#include "lang/MessageService.h"
#include "support/WindowHarness.h"

namespace {

struct MenuRow
{
    const char *name;
    const char *english;
    const char *chinese;
    const char *shortcut;
};

// The menu bar as users know it, in order.
const MenuRow kExpectedMenu[]{
    {"mnuFile", "&File", "文件&F", ""},
    {"mnuFileNew", "&New", "新建(&N)", "Ctrl+N"},
    {"mnuFileOpen", "&Open", "打开(&O)", "Ctrl+O"},
    {"mnuFileSave", "&Save", "保存(&S)", "Ctrl+S"},
    {"mnuFileSaveAs", "Save &As", "另存为(&A)", "Ctrl+Shift+S"},
    {"mnuFileExportText", "&Export Text...", "导出文本(&E)...", ""},
    {"mnuFileImportText", "&Import Text...", "导入文本(&I)...", ""},
    {"mnuFileRecent", "Recent &Files", "最近的文件(&F)", ""},
    {"mnuFileExit", "E&xit", "退出(&X)", "Ctrl+Q"},
    {"mnuEdit", "&Edit", "编辑(&E)", ""},
    {"mnuEditUndo", "&Undo", "撤销(&U)", "Ctrl+Z"},
    {"mnuEditRedo", "Re&do", "重做(&D)", "Ctrl+Shift+Z, Ctrl+Y"},
    {"", "", "", ""},
    {"mnuChannelInfo", "&Channel Information", "信道信息(&C)", ""},
    {"mnuOptFeatures", "&Option Features", "可选功能(&O)", ""},
    {"mnuToneTips", "&Roger Beep", "RB音(&R)", ""},
    {"mnuProgram", "&Program", "编程(&P)", ""},
    {"mnuReadFromRadio", "&Read from Radio", "从对讲机读取数据(&R)", ""},
    {"mnuWriteToRadio", "&Write to Radio", "向对讲机写入数据(&W)", ""},
    {"mnuVerifyRadio", "&Verify Radio", "校验对讲机(&V)", ""},
    {"mnuBatchProgramming", "&Batch Programming...", "批量编程(&B)...", ""},
    {"mnuSetup", "&Setup", "设置(&S)", ""},
    {"mnuComPort", "&Communication Port", "通讯端口(&C)", ""},
    {"mnuLanguage", "&Language Setup", "语言设置(&L)", ""},
    {"mnuInitialSetting", "&Initial Setting", "初始化设置(&I)", ""},
    {"MnuLE", "Tools", "Tools", ""},
    {"MnuLECopy", "Copy", "Copy", "Ctrl+C"},
    {"MnuLECut", "Cut", "Cut", "Ctrl+X"},
    {"MnuLEPaste", "Paste", "Paste", "Ctrl+V"},
    {"MnuLEInsertPaste", "Insert&Paste", "Insert&Paste", "Ctrl+I"},
    {"MnuLEDelete", "Delete", "Delete", "Del"},
    {"mnuView", "&View", "视图(&V)", ""},
    {"mnuTreeView", "Tree &View", "树视图(&V)", ""},
    {"mnuToolbar", "&Toolbar", "工具栏(&T)", ""},
    {"mnuStatusBar", "&Status Bar", "状态栏(&S)", ""},
    {"mnuTextSize", "Text Si&ze", "文字大小(&Z)", ""},
    {"mnuWindow", "&Window", "窗口(&W)", ""},
    {"mnuCascade", "&Cascade", "层叠(&C)", ""},
    {"mnuCloseAll", "Close All &Windows", "关闭所有窗口(&W)", ""},
    {"mnuHelp", "&Help", "帮助(&H)", ""},
    {"mnuHelpContents", "Help &Contents...", "帮助目录(&C)...", ""},
    {"mnuHelpConnecting", "Connecting the &Radio...", "连接对讲机(&R)...", ""},
    {"mnuProblemReport", "Save &Problem Report...", "保存问题报告(&P)...", ""},
    {"mnuAbout", "&About ORX-740", "关于 ORX-740(&A)", ""},
};

const QStringList kTreeKeys{"N1", "N2", "N12", "N3", "N4", "N6", "N8"};

// A main window on a context of its own, with counting stand-ins for three child windows.
struct Harness : MainWindowHarness
{
    explicit Harness(int language = English, int comPort = 1)
        : MainWindowHarness(language, comPort)
    {
        MainWindowHooks hooks;
        for (const char *name : {"frmCommChInfo", "FrmOptFeatures", "FrmToneTips"}) {
            const QString windowName = QString::fromLatin1(name);
            hooks.addWindow(windowName, [this, windowName](AppContext &, MainWindowHost &) {
                ++made[windowName];
                auto *window = new QLabel(windowName);
                window->setObjectName(windowName);
                window->setWindowTitle(windowName);
                window->setMinimumSize(200, 120);
                return window;
            });
        }
        start(std::move(hooks));
    }

    QAction *action(const char *name) const { return find<QAction>(name); }
    QString panel(int number) const
    {
        return window->findChild<QLabel *>(QStringLiteral("Panel%1").arg(number))->text();
    }
    QTreeWidget *tree() const { return find<QTreeWidget>("TreeView1"); }
    QMdiSubWindow *sub(const char *name) const
    {
        QWidget *child = window->childWindow(QString::fromLatin1(name));
        return child ? qobject_cast<QMdiSubWindow *>(child->parentWidget()) : nullptr;
    }

    QHash<QString, int> made;
};

// A stand-in channel window that takes the Tools menu's commands.
class EditTarget : public QLabel, public EditCommandTarget
{
public:
    explicit EditTarget(QList<MainCommand> &ran)
        : m_ran(ran)
    {
        setObjectName(QStringLiteral("frmCommChInfo"));
    }
    void runEditCommand(MainCommand command) override { m_ran << command; }

private:
    QList<MainCommand> &m_ran;
};

void sendMouse(QWidget *widget, QEvent::Type type, int globalX)
{
    const QPointF local(2, 10);
    QMouseEvent event(type, local, QPointF(globalX, 10), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menuCaptionsAndShortcuts_data();
    void menuCaptionsAndShortcuts();
    void menuOrder();
    void titleAndStatusBar_data();
    void titleAndStatusBar();
    void toolbarKeysAndPositions();
    void treeNodesInOrderRebuiltOnRelabel();
    void startsWithTheChannelWindow();
    void languageChangeReachesTheMainWindowOnActivation();
    void languageWindowChangeShowsAfterItCloses();
    void childWindowsAreSingleInstance();
    void closeAllAndWindowMenu();
    void viewTogglesAndTreePaneButton();
    void splitterLimits();
    void commandsReachTheirHandlers();
    void keysReachTheirCommands_data();
    void keysReachTheirCommands();
    void aboutWindowFollowsTheLanguage_data();
    void aboutWindowFollowsTheLanguage();
    void placementStoredUnlessMinimised();
    void placementComesBackFittedToTheScreen_data();
    void placementComesBackFittedToTheScreen();

private:
    QTemporaryDir m_home;
};

void TestFrmMain::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
}

void TestFrmMain::menuCaptionsAndShortcuts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    for (const MenuRow &row : kExpectedMenu) {
        if (!*row.name)
            continue; // a separator
        QTest::addRow("English %s", row.name) << 1 << row.name << row.english << row.shortcut;
        QTest::addRow("Chinese %s", row.name) << 2 << row.name << row.chinese << row.shortcut;
    }
}

void TestFrmMain::menuCaptionsAndShortcuts()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    // Built in the other language first, so the captions come from a relabel.
    Harness harness(language == English ? Chinese : English);
    harness.context.language.languageIndex = language;
    harness.window->relabel();
    QAction *action = harness.window->findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QStringList keys;
    for (const QKeySequence &key : action->shortcuts())
        keys << key.toString(QKeySequence::PortableText);
    QCOMPARE(keys.join(QStringLiteral(", ")), shortcut);
}

void TestFrmMain::menuOrder()
{
    Harness harness;
    QStringList names;
    for (QAction *menu : harness.window->menuBar()->actions()) {
        names << menu->objectName();
        for (QAction *item : menu->menu()->actions())
            names << item->objectName();
    }
    QStringList expected;
    for (const MenuRow &row : kExpectedMenu)
        expected << QString::fromLatin1(row.name);
    QCOMPARE(names, expected);
    for (const char *name : {"mnuTreeView", "mnuToolbar", "mnuStatusBar"})
        QVERIFY2(harness.action(name)->isChecked(), name);
}

void TestFrmMain::titleAndStatusBar_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("comPort");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("portPanel");
    QTest::newRow("English") << 1 << 1 << "ORX-740[28.0000 - 29.6990 MHz][File Name:new.dat]"
                             << "COM1";
    QTest::newRow("Chinese") << 2 << 12 << "ORX-740[28.0000 - 29.6990 MHz][文件名:new.dat]"
                             << "通信口12";
}

void TestFrmMain::titleAndStatusBar()
{
    QFETCH(int, language);
    QFETCH(int, comPort);
    QFETCH(QString, title);
    QFETCH(QString, portPanel);
    Harness harness(language, comPort);
    QCOMPARE(shownTitle(harness.window.get()), title);
    QCOMPARE(harness.panel(1), QString());
    QCOMPARE(harness.panel(2), QStringLiteral("ORX-740[28.0000 - 29.6990 MHz]"));
    QCOMPARE(harness.panel(3), portPanel);

    // The title follows the document's path, cut after the last separator.
    harness.context.document.documentPath = "/home/user/radios/shop.dat";
    harness.context.document.restoreSnapshot();
    QVERIFY(shownTitle(harness.window.get()).endsWith(QStringLiteral(":shop.dat]")));
}

void TestFrmMain::toolbarKeysAndPositions()
{
    Harness harness;
    const auto *toolbar = harness.window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QStringList layout;
    for (QAction *action : toolbar->actions())
        layout << (action->isSeparator() ? QStringLiteral("|") : action->data().toString());
    QCOMPARE(layout, (QStringList{"新建", "打开", "保存", "|", "打印", "|", "ReadRadio", "CommSet",
                                  "WriteRadio", "|", "|", "|", "About"}));
    QCOMPARE(toolbar->findChild<QAction *>(QStringLiteral("ReadRadio"))->toolTip(),
             QStringLiteral("Read from Radio"));
    // The "?" says that it opens About, not the manual.
    QCOMPARE(toolbar->findChild<QAction *>(QStringLiteral("About"))->toolTip(),
             QStringLiteral("About ORX-740: the program's name and version (F1 opens the manual)"));
    harness.context.language.languageIndex = Chinese;
    harness.window->relabel();
    QCOMPARE(toolbar->findChild<QAction *>(QStringLiteral("CommSet"))->toolTip(),
             QStringLiteral("通讯端口"));
    QCOMPARE(toolbar->findChild<QAction *>(QStringLiteral("About"))->toolTip(),
             QStringLiteral("关于 ORX-740：程序名称和版本（F1 打开使用手册）"));
}

void TestFrmMain::treeNodesInOrderRebuiltOnRelabel()
{
    Harness harness;
    QTreeWidget *tree = harness.tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    const auto check = [&](const QStringList &texts) {
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("ORX-740"));
        QCOMPARE(root->data(0, Qt::UserRole).toString(), QStringLiteral("N0"));
        QVERIFY(root->isExpanded());
        QStringList keys;
        QStringList shown;
        for (int i = 0; i < root->childCount(); ++i) {
            keys << root->child(i)->data(0, Qt::UserRole).toString();
            shown << root->child(i)->text(0);
        }
        QCOMPARE(keys, kTreeKeys);
        QCOMPARE(shown, texts);
    };
    // Shown without the menus' "&" markers.
    check({"Channel Information", "Option Features", "Roger Beep", "Emg Channel Setting",
           "DW Channel Setting", "MEM Channel Setting", "Group Name"});
    harness.context.language.languageIndex = Chinese;
    harness.window->relabel();
    check({"信道信息", "可选功能", "RB音", "Emg Channel Setting", "DW Channel Setting",
           "MEM Channel Setting", "Group Name"});

    // A click on a node opens its window; a click on the root does nothing.
    harness.window->closeAllChildWindows();
    QTRY_VERIFY(harness.openWindows().isEmpty());
    QTreeWidgetItem *root = tree->topLevelItem(0);
    Q_EMIT tree->itemClicked(root, 0);
    QVERIFY(harness.openWindows().isEmpty());
    Q_EMIT tree->itemClicked(root->child(1), 0);
    QCOMPARE(harness.openWindows(), QStringList{"FrmOptFeatures"});
}

void TestFrmMain::startsWithTheChannelWindow()
{
    Harness harness;
    QCOMPARE(harness.openWindows(), QStringList{"frmCommChInfo"});
    QCOMPARE(harness.made.value(QStringLiteral("frmCommChInfo")), 1);
}

void TestFrmMain::languageChangeReachesTheMainWindowOnActivation()
{
    Harness harness;
    harness.showAndActivate();
    harness.window->openChildWindow(QStringLiteral("FrmOptFeatures"));
    QCOMPARE(harness.openWindows(), (QStringList{"frmCommChInfo", "FrmOptFeatures"}));

    // The language window changes the language while another window is active.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    harness.context.language.shownLanguage = English;
    harness.context.language.languageIndex = Chinese;
    QCOMPARE(harness.action("mnuFile")->text(), QStringLiteral("&File"));

    harness.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    QTRY_COMPARE(harness.action("mnuFile")->text(), QStringLiteral("文件&F"));
    QCOMPARE(harness.context.language.shownLanguage, Chinese);
    QCOMPARE(shownTitle(harness.window.get()),
             QStringLiteral("ORX-740[28.0000 - 29.6990 MHz][文件名:new.dat]"));
    QCOMPARE(harness.panel(3), QStringLiteral("通信口1"));
    QCOMPARE(harness.tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("信道信息"));
    QTRY_COMPARE(harness.openWindows(), QStringList{"frmCommChInfo"});
    QCOMPARE(harness.made.value(QStringLiteral("frmCommChInfo")), 2);

    // Activated again with nothing changed: the windows stay as they are.
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    harness.window->openChildWindow(QStringLiteral("FrmToneTips"));
    harness.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    QCOMPARE(harness.openWindows(), (QStringList{"frmCommChInfo", "FrmToneTips"}));
    QCOMPARE(harness.made.value(QStringLiteral("frmCommChInfo")), 2);
}

void TestFrmMain::languageWindowChangeShowsAfterItCloses()
{
    Harness harness;
    harness.showAndActivate();
    QString captionWhileOpen;
    QTimer::singleShot(0, harness.window.get(), [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("FrmSetLanguage"))
            return;
        modal->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(1);
        modal->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        captionWhileOpen = harness.action("mnuFile")->text();
    });
    harness.action("mnuLanguage")->trigger();
    QCOMPARE(captionWhileOpen, QStringLiteral("&File"));
    QCOMPARE(harness.context.language.languageIndex, Chinese);
    QCOMPARE(QString::fromStdString(harness.ini.document.valueOr("language", "CurrentLanguage")),
             QStringLiteral("2"));

    // At once when the window closes, whether or not the frame is activated again.
    QCOMPARE(harness.action("mnuFile")->text(), QStringLiteral("文件&F"));
    QCOMPARE(harness.made.value(QStringLiteral("frmCommChInfo")), 2);
    harness.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    QCOMPARE(harness.made.value(QStringLiteral("frmCommChInfo")), 2);
}

void TestFrmMain::childWindowsAreSingleInstance()
{
    Harness harness;
    harness.showAndActivate();
    QWidget *options = harness.window->openChildWindow(QStringLiteral("FrmOptFeatures"));
    QVERIFY(options);
    harness.window->openChildWindow(QStringLiteral("FrmToneTips"));
    QCOMPARE(harness.window->mdiArea()->activeSubWindow(), harness.sub("FrmToneTips"));

    // Opening an open window brings it to the front and leaves every window where it is.
    harness.sub("FrmOptFeatures")->move(170, 90);
    harness.sub("frmCommChInfo")->move(5, 140);
    QCOMPARE(harness.window->openChildWindow(QStringLiteral("FrmOptFeatures")), options);
    QCOMPARE(harness.made.value(QStringLiteral("FrmOptFeatures")), 1);
    QCOMPARE(harness.window->mdiArea()->activeSubWindow(), harness.sub("FrmOptFeatures"));
    QCOMPARE(harness.sub("FrmOptFeatures")->pos(), QPoint(170, 90));
    QCOMPARE(harness.sub("frmCommChInfo")->pos(), QPoint(5, 140));
    QCOMPARE(harness.openWindows().size(), 3);

    // The same through the menu item.
    harness.window->mdiArea()->setActiveSubWindow(harness.sub("frmCommChInfo"));
    harness.action("mnuOptFeatures")->trigger();
    QCOMPARE(harness.window->mdiArea()->activeSubWindow(), harness.sub("FrmOptFeatures"));
    QCOMPARE(harness.made.value(QStringLiteral("FrmOptFeatures")), 1);

    // A new window is shown and every window cascaded.
    harness.window->closeAllChildWindows();
    QTRY_VERIFY(harness.openWindows().isEmpty());
    harness.window->openChildWindow(QStringLiteral("frmCommChInfo"));
    harness.sub("frmCommChInfo")->move(170, 90);
    harness.window->openChildWindow(QStringLiteral("FrmToneTips"));
    QVERIFY(harness.sub("frmCommChInfo")->pos() != QPoint(170, 90));
    QVERIFY(harness.sub("FrmToneTips")->isVisible());

    // A window nobody has built yet opens nothing.
    QVERIFY(!harness.window->openChildWindow(QStringLiteral("frm_emg")));
    QCOMPARE(harness.openWindows().size(), 2);
}

void TestFrmMain::closeAllAndWindowMenu()
{
    Harness harness;
    harness.showAndActivate();
    harness.window->openChildWindow(QStringLiteral("FrmToneTips"));
    auto *windowMenu = harness.window->findChild<QMenu *>(QStringLiteral("mnuWindow"));
    Q_EMIT windowMenu->aboutToShow();
    QStringList entries;
    for (QAction *action : windowMenu->actions()) {
        if (!action->isSeparator())
            entries << action->text();
    }
    QCOMPARE(entries,
             (QStringList{"&Cascade", "Close All &Windows", "&1 frmCommChInfo", "&2 FrmToneTips"}));

    harness.action("mnuCloseAll")->trigger();
    QTRY_VERIFY(harness.openWindows().isEmpty());
    Q_EMIT windowMenu->aboutToShow();
    QCOMPARE(windowMenu->actions().size(), 2);
    QVERIFY(harness.window->isVisible());
}

void TestFrmMain::viewTogglesAndTreePaneButton()
{
    Harness harness;
    harness.showAndActivate();
    QWidget *pane = harness.window->findChild<QWidget *>(QStringLiteral("Frame1"));
    QWidget *toolbar = harness.window->findChild<QWidget *>(QStringLiteral("Toolbar1"));
    QVERIFY(pane->isVisible());

    harness.action("mnuTreeView")->trigger();
    QVERIFY(!pane->isVisible());
    QVERIFY(!harness.action("mnuTreeView")->isChecked());
    harness.action("mnuTreeView")->trigger();
    QVERIFY(pane->isVisible());
    QVERIFY(harness.action("mnuTreeView")->isChecked());

    harness.window->findChild<QAction *>(QStringLiteral("删除"))->trigger();
    QVERIFY(!pane->isVisible());
    QVERIFY(!harness.action("mnuTreeView")->isChecked());

    harness.action("mnuToolbar")->trigger();
    QVERIFY(!toolbar->isVisible());
    QVERIFY(!harness.action("mnuToolbar")->isChecked());
    harness.action("mnuStatusBar")->trigger();
    QVERIFY(!harness.window->statusBar()->isVisible());
    harness.action("mnuStatusBar")->trigger();
    QVERIFY(harness.window->statusBar()->isVisible());
    QVERIFY(harness.action("mnuStatusBar")->isChecked());
}

void TestFrmMain::splitterLimits()
{
    Harness harness;
    harness.window->resize(900, 600);
    harness.showAndActivate();
    const int dpi = harness.window->screen()->logicalDotsPerInchX();
    const int minimum = twipsToPixels(300, dpi);
    const int frameWidth = harness.window->centralWidget()->width();
    const int start = harness.window->treePaneWidth();

    QVERIFY(!harness.window->setTreePaneWidth(minimum - 1));
    QVERIFY(!harness.window->setTreePaneWidth(frameWidth + 1));
    QTRY_COMPARE(harness.window->treePaneWidth(), start);
    QVERIFY(harness.window->setTreePaneWidth(minimum));
    QTRY_COMPARE(harness.window->treePaneWidth(), minimum);

    // Dragging the splitter: a move that would make the pane too narrow has no effect, the next
    // move counts from where the splitter still is.
    QWidget *splitter = harness.window->findChild<QWidget *>(QStringLiteral("picSplitter"));
    QCOMPARE(splitter->cursor().shape(), Qt::SizeHorCursor);
    harness.window->setTreePaneWidth(200);
    QTRY_COMPARE(harness.window->treePaneWidth(), 200);
    sendMouse(splitter, QEvent::MouseButtonPress, 500);
    sendMouse(splitter, QEvent::MouseMove, 500 - 200);
    QTRY_COMPARE(harness.window->treePaneWidth(), 200);
    sendMouse(splitter, QEvent::MouseMove, 530);
    QTRY_COMPARE(harness.window->treePaneWidth(), 230);
    sendMouse(splitter, QEvent::MouseButtonRelease, 530);
    sendMouse(splitter, QEvent::MouseMove, 600);
    QTRY_COMPARE(harness.window->treePaneWidth(), 230);
}

void TestFrmMain::commandsReachTheirHandlers()
{
    Harness harness;
    QList<MainCommand> ran;
    MainWindowHooks hooks;
    hooks.addWindow(QStringLiteral("frmCommChInfo"),
                    [&ran](AppContext &, MainWindowHost &) { return new EditTarget(ran); });
    hooks.addWindow(QStringLiteral("FrmToneTips"), [](AppContext &, MainWindowHost &) {
        auto *window = new QLabel;
        window->setObjectName(QStringLiteral("FrmToneTips"));
        return window;
    });
    for (MainCommand command :
         {MainCommand::FileOpen, MainCommand::ReadFromRadio, MainCommand::WriteToRadio,
          MainCommand::LoadNewDocument, MainCommand::ToolbarNew})
        hooks.setCommand(command,
                         [&ran, command](AppContext &, MainWindowHost &) { ran << command; });
    frmMain window(harness.context, harness.notifier, std::move(hooks));
    QCOMPARE(ran, QList<MainCommand>{MainCommand::LoadNewDocument});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const auto trigger = [&](const char *name) {
        window.findChild<QAction *>(QString::fromLatin1(name))->trigger();
    };
    ran.clear();
    trigger("mnuFileOpen");
    trigger("mnuReadFromRadio");
    trigger("mnuWriteToRadio");
    trigger("MnuLECopy");
    QCOMPARE(ran, (QList<MainCommand>{MainCommand::FileOpen, MainCommand::ReadFromRadio,
                                      MainCommand::WriteToRadio, MainCommand::Copy}));

    // Row operations act only on the window in front, when it takes them.
    window.openChildWindow(QStringLiteral("FrmToneTips"));
    ran.clear();
    trigger("MnuLECopy");
    QVERIFY(ran.isEmpty());

    // The toolbar's New goes to its own handler, which asks the save question first.
    window.findChild<QAction *>(QStringLiteral("新建"))->trigger();
    QCOMPARE(ran, QList<MainCommand>{MainCommand::ToolbarNew});
}

void TestFrmMain::keysReachTheirCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("command");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << int(ctrl | Qt::ShiftModifier)
                                  << int(MainCommand::FileSaveAs);
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << int(MainCommand::FileSave);
    QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << int(MainCommand::PrintChannelChart);
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << int(MainCommand::Exit);
}

// The keys pressed where the focus is, in a child window of the frame, as a user presses them.
void TestFrmMain::keysReachTheirCommands()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, command);
    MainWindowHarness harness;
    QList<MainCommand> ran;
    MainWindowHooks hooks;
    hooks.addWindow(QStringLiteral("frmCommChInfo"), [](AppContext &, MainWindowHost &) {
        auto *window = new QPushButton(QStringLiteral("frmCommChInfo"));
        window->setObjectName(QStringLiteral("frmCommChInfo"));
        return window;
    });
    for (MainCommand handled :
         {MainCommand::FileSave, MainCommand::FileSaveAs, MainCommand::PrintChannelChart})
        hooks.setCommand(handled,
                         [&ran, handled](AppContext &, MainWindowHost &) { ran << handled; });
    frmMain &window = harness.start(std::move(hooks));
    harness.showAndActivate();
    QWidget *child = window.childWindow(QStringLiteral("frmCommChInfo"));
    child->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), child);
    QTest::keyClick(child, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (MainCommand(command) == MainCommand::Exit) {
        QVERIFY(ran.isEmpty());
        QTRY_VERIFY(!window.isVisible());
    } else {
        QCOMPARE(ran, QList<MainCommand>{MainCommand(command)});
        QVERIFY(window.isVisible());
    }
}

void TestFrmMain::aboutWindowFollowsTheLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << 1 << "frmAbout";
    QTest::newRow("Chinese") << 2 << "frmAboutChinese";
}

void TestFrmMain::aboutWindowFollowsTheLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    Harness harness(language);
    harness.showAndActivate();
    QString shown;
    QString version;
    QTimer::singleShot(0, harness.window.get(), [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        shown = modal->objectName();
        version = modal->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
        modal->close();
    });
    harness.action("mnuAbout")->trigger();
    QCOMPARE(shown, name);
    QVERIFY(version.contains(QStringLiteral(ORX740_VERSION_TEXT)));
}

void TestFrmMain::placementStoredUnlessMinimised()
{
    SettingsStore::writePlacement({1500, 1500, 9000, 6000});
    {
        Harness harness;
        harness.showAndActivate();
        harness.window->showMinimized();
        QVERIFY(harness.window->close());
    }
    QCOMPARE(SettingsStore::readPlacement(), (WindowPlacement{1500, 1500, 9000, 6000}));
    {
        Harness harness;
        harness.showAndActivate();
        harness.window->resize(700, 500);
        QVERIFY(harness.window->close());
    }
    const WindowPlacement stored = SettingsStore::readPlacement();
    QCOMPARE(stored.width, pixelsToTwips(700, 96));
    QCOMPARE(stored.height, pixelsToTwips(500, 96));
}

void TestFrmMain::placementComesBackFittedToTheScreen_data()
{
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::newRow("small, as stored") << pixelsToTwips(500, 96) << pixelsToTwips(380, 96);
    QTest::newRow("larger than the screen") << 40000 << 30000;
}

void TestFrmMain::placementComesBackFittedToTheScreen()
{
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    SettingsStore::writePlacement({150, 150, widthTwips, heightTwips});
    Harness harness;
    harness.showAndActivate();
    const QRect available = harness.window->screen()->availableGeometry();
    const QSize stored(twipsToPixels(widthTwips, 96), twipsToPixels(heightTwips, 96));
    if (stored.width() < available.width() && stored.height() < available.height())
        QCOMPARE(harness.window->size(), stored);
    QVERIFY2(
        available.contains(harness.window->frameGeometry()),
        qPrintable(
            QStringLiteral("%1x%2").arg(harness.window->width()).arg(harness.window->height())));
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
