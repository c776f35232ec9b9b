#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>

#include "app/FrmSetLanguage.h"
#include "app/PlatformServices.h"
#include "app/Startup.h"
#include "app/frmAbout.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/FileHistory.h"
#include "kernel/HelpKey.h"
#include "kernel/ListSearch.h"
#include "kernel/TextSize.h"
#include "kernel/WheelGuard.h"
#include "lang/AccessibleTexts.h"
#include "lang/Messages.h"
#include "lang/QtText.h"

namespace {

constexpr int kMinimumTreeTwips = 300;
constexpr int kStartTreeTwips = 3300;
constexpr int kSplitterPixels = 5;
constexpr int kKeyRole = Qt::UserRole;
constexpr QSize kMinimumAreaPixels(160, 120);
constexpr int kStatusMessageMs = 10000;

// The one data file a drag carries, or empty: several files, another kind of file or no file.
QString droppedDataFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive) ? path : QString();
}

QIcon toolIcon(const QStyle *style, MainCommand command)
{
    switch (command) {
    case MainCommand::ToolbarNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case MainCommand::FileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case MainCommand::FileSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case MainCommand::Print:
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case MainCommand::ReadFromRadio:
        return style->standardIcon(QStyle::SP_ArrowDown);
    case MainCommand::CommunicationPort:
        return style->standardIcon(QStyle::SP_ComputerIcon);
    case MainCommand::WriteToRadio:
        return style->standardIcon(QStyle::SP_ArrowUp);
    default:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
}

double dotsPerInch(const QWidget *widget, bool horizontal)
{
    const QScreen *screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

} // namespace

frmMain::frmMain(AppContext &context, DocumentNotifier &notifier, MainWindowHooks hooks,
                 QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_notifier(notifier)
    , m_hooks(std::move(hooks))
    , m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMain"));
    // In every editor window the wheel scrolls the window past the boxes it has not been given.
    installWheelGuard(QCoreApplication::instance());
    // Every list box finds an item by its value too: "88.5" picks "C_008(88.5Hz)".
    installListSearch(QCoreApplication::instance());
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    buildMenus();
    buildToolbars();
    buildTreePane();
    buildStatusBar();
    buildHelpKey();
    buildPrintKey();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::followHistory);
    m_context.document.onTitleChanged = [this] { updateTitle(); };
    setAcceptDrops(true);
    // Every edit is announced by the notifier: the title's modified marker follows each one.
    for (auto signal : {&DocumentNotifier::documentReplaced, &DocumentNotifier::settingsChanged,
                        &DocumentNotifier::publicChannelsChanged,
                        &DocumentNotifier::toneSetsChanged, &DocumentNotifier::dtmfCodesChanged})
        connect(&m_notifier, signal, this, &frmMain::showModified);
    connect(&m_notifier, &DocumentNotifier::channelsChanged, this, &frmMain::showModified);
    connect(&m_notifier, &DocumentNotifier::groupNamesChanged, this, &frmMain::showModified);

    applyTextSize(TextSize(*m_context.userSettings).percent());
    restorePlacement();
    relabel();
    openInitialDocument();
}

frmMain::~frmMain()
{
    m_context.document.onTitleChanged = nullptr;
    // The child windows go after this part of the frame: their activation and their histories'
    // ends no longer concern it.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (const QMetaObject::Connection &link : std::as_const(m_historyLinks))
        disconnect(link);
}

void frmMain::buildMenus()
{
    for (const MenuItemText &item : kMainMenu) {
        const QString name = qText(item.name);
        QAction *action = nullptr;
        if (item.parent.empty()) {
            QMenu *menu = menuBar()->addMenu(QString());
            menu->setObjectName(name);
            action = menu->menuAction();
            if (item.name == "mnuWindow")
                m_windowMenu = menu;
        } else if (item.command == MainCommand::RecentFiles ||
                   item.command == MainCommand::TextSize) {
            QMenu *submenu = m_actions.value(qText(item.parent))->menu()->addMenu(QString());
            submenu->setObjectName(name + QStringLiteral("Menu"));
            action = submenu->menuAction();
            if (item.command == MainCommand::RecentFiles)
                m_recentMenu = submenu;
        } else {
            QMenu *menu = m_actions.value(qText(item.parent))->menu();
            action = menu->addAction(QString());
            if (!item.shortcut.empty())
                action->setShortcut(QKeySequence(qText(item.shortcut)));
            // Ctrl+Y redoes as well, as in the programs of the other desktop.
            if (item.command == MainCommand::Redo)
                action->setShortcuts({action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y)});
            // Ctrl and the "=" key beneath "+" makes the text larger too, without Shift.
            if (item.command == MainCommand::TextLarger)
                action->setShortcuts({action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
            action->setCheckable(item.checkable);
            action->setChecked(item.checkable);
            const MainCommand command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { dispatch(command); });
            // The history's two items stand apart from the windows the Edit menu opens.
            if (command == MainCommand::Redo)
                menu->addSeparator();
        }
        action->setObjectName(name);
        m_actions.insert(name, action);
    }
    showHistorySteps();
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowMenu);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &frmMain::fillRecentMenu);
}

void frmMain::buildToolbars()
{
    m_toolbar1 = addToolBar(QString());
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    int position = 1;
    for (const ToolButtonText &button : kMainToolbar) {
        for (; position < button.position; ++position)
            m_toolbar1->addSeparator();
        QAction *action = m_toolbar1->addAction(toolIcon(style(), button.command), QString());
        action->setObjectName(qText(button.key));
        action->setData(qText(button.key));
        // The print button has never had anything to print.
        action->setEnabled(button.command != MainCommand::Print);
        const MainCommand command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { dispatch(command); });
        m_toolButtons.insert(action->objectName(), action);
        ++position;
    }
}

void frmMain::buildTreePane()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralFrame"));
    m_treePane = new QFrame(central);
    m_treePane->setObjectName(QStringLiteral("Frame1"));
    m_treePane->setFrameShape(QFrame::StyledPanel);
    m_toolbar2 = new QToolBar(m_treePane);
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar2->setIconSize(QSize(12, 12));
    m_hideTree =
        m_toolbar2->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    m_hideTree->setObjectName(QStringLiteral("删除"));
    m_hideTree->setData(QStringLiteral("删除"));
    connect(m_hideTree, &QAction::triggered, this, [this] { setTreeViewVisible(false); });
    m_treeView1 = new QTreeWidget(m_treePane);
    m_treeView1->setObjectName(QStringLiteral("TreeView1"));
    m_treeView1->header()->hide();
    connect(m_treeView1, &QTreeWidget::itemClicked, this, &frmMain::openTreeNode);
    connect(m_treeView1, &QTreeWidget::itemActivated, this, &frmMain::openTreeNode);

    auto *paneLayout = new QVBoxLayout(m_treePane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);
    paneLayout->addWidget(m_toolbar2);
    paneLayout->addWidget(m_treeView1);
    m_treePane->setFixedWidth(twipsToPixels(kStartTreeTwips, dotsPerInch(this, true)));

    m_splitter = new QWidget(central);
    m_splitter->setObjectName(QStringLiteral("picSplitter"));
    m_splitter->setFixedWidth(kSplitterPixels);
    m_splitter->setCursor(Qt::SizeHorCursor);
    m_splitter->installEventFilter(this);

    // The frame's own minimum must not follow the child windows: they are fitted into whatever
    // room the frame has (QMdiArea would otherwise ask for the largest child's minimum).
    m_mdiArea->setMinimumSize(kMinimumAreaPixels);
    m_mdiArea->viewport()->installEventFilter(this);

    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_treePane);
    layout->addWidget(m_splitter);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);
}

void frmMain::buildStatusBar()
{
    for (int index = 0; index < 3; ++index) {
        m_panels[index] = new QLabel(statusBar());
        m_panels[index]->setObjectName(QStringLiteral("Panel%1").arg(index + 1));
        statusBar()->addWidget(m_panels[index], index == 0 ? 1 : 0);
    }
    // Messages go into panel 1, so the band and port panels stay in sight beside them.
    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    m_statusTimer->setInterval(kStatusMessageMs);
    connect(m_statusTimer, &QTimer::timeout, m_panels[0], &QLabel::clear);
}

void frmMain::showStatusMessage(const QString &text)
{
    m_panels[0]->setText(text);
    m_statusTimer->start();
}

void frmMain::restorePlacement()
{
    const WindowPlacement placement = SettingsStore::readPlacement();
    const double dpiX = dotsPerInch(this, true);
    const double dpiY = dotsPerInch(this, false);
    QRect frame(twipsToPixels(placement.left, dpiX), twipsToPixels(placement.top, dpiY),
                twipsToPixels(placement.width, dpiX), twipsToPixels(placement.height, dpiY));
    // A place on a screen that is no longer there would leave the window out of reach.
    const WindowPlacement defaults;
    if (frame.width() < 200 || frame.height() < 150 || !QGuiApplication::screenAt(frame.center()))
        frame = QRect(twipsToPixels(defaults.left, dpiX), twipsToPixels(defaults.top, dpiY),
                      twipsToPixels(defaults.width, dpiX), twipsToPixels(defaults.height, dpiY));
    move(frame.topLeft());
    resize(frame.size());
    fitIntoScreen();
}

void frmMain::fitIntoScreen()
{
    // A stored or default size larger than the screen (a smaller screen, a larger scale factor)
    // would put the status bar and the windows' buttons out of reach.
    const QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect available = screen->availableGeometry();
    // At a fractional scale the screen's size in device-independent pixels is rounded up
    // (1366 / 1.5 gives 911): one pixel less keeps the frame on the real screen.
    const qreal ratio = screen->devicePixelRatio();
    if (!qFuzzyCompare(ratio, std::round(ratio)))
        available.adjust(0, 0, -1, -1);
    // Before the frame is shown its decorations are not known; a title bar's worth is kept free.
    const QSize decorations = isVisible()
                                  ? frameGeometry().size() - geometry().size()
                                  : QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QSize room = available.size() - decorations;
    if (size().width() <= room.width() && size().height() <= room.height() &&
        available.contains(frameGeometry()))
        return;
    resize(size().boundedTo(room));
    const QSize outer = size() + decorations;
    move(qBound(available.left(), x(),
                qMax(available.left(), available.right() + 1 - outer.width())),
         qBound(available.top(), y(),
                qMax(available.top(), available.bottom() + 1 - outer.height())));
}

void frmMain::storePlacement()
{
    const QRect frame = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    const QPoint topLeft = isMaximized() || isFullScreen() ? frame.topLeft() : pos();
    const double dpiX = dotsPerInch(this, true);
    const double dpiY = dotsPerInch(this, false);
    SettingsStore::writePlacement(
        {pixelsToTwips(topLeft.x(), dpiX), pixelsToTwips(topLeft.y(), dpiY),
         pixelsToTwips(frame.width(), dpiX), pixelsToTwips(frame.height(), dpiY)});
}

void frmMain::openInitialDocument()
{
    closeAllChildWindows();
    runHook(MainCommand::LoadNewDocument);
    documentReplaced();
}

void frmMain::documentReplaced()
{
    closeAllChildWindows();
    relabel();
    openChildWindow(qText(kChannelWindow));
    updateTitle();
    cascade();
    Q_EMIT m_notifier.documentReplaced();
}

void frmMain::commitPendingEdits()
{
    for (QMdiSubWindow *window : openSubWindows()) {
        if (auto *edits = dynamic_cast<PendingEdits *>(window->widget()))
            edits->commitPendingEdits();
    }
}

bool frmMain::settlePendingChoices()
{
    for (QMdiSubWindow *window : openSubWindows()) {
        auto *choices = dynamic_cast<PendingChoices *>(window->widget());
        if (!choices || !choices->hasPendingChoices())
            continue;
        // The window that asks comes to the front, so the user sees what the question is about.
        m_mdiArea->setActiveSubWindow(window);
        if (!choices->settlePendingChoices())
            return false;
    }
    return true;
}

void frmMain::relabel()
{
    const int language = m_context.language.languageIndex;
    m_panels[2]->setText(qText(portPanelText(m_context.serial.comPort, language)));
    drawBackground();
    updateTitle();
    for (const MenuItemText &item : kMainMenu)
        m_actions.value(qText(item.name))->setText(qText(textFor(item.caption, language)));
    showHistorySteps();
    for (const ToolButtonText &button : kMainToolbar) {
        QAction *action = m_toolButtons.value(qText(button.key));
        const QString tip = qText(toolButtonTip(button, language));
        action->setToolTip(tip);
        // The buttons show a picture only: a screen reader says what the tooltip says.
        setAccessibleTexts(m_toolbar1->widgetForAction(action), tip, QString());
    }
    const QString hideTree = qText(textFor(kHideTreeView, language));
    m_hideTree->setToolTip(hideTree);
    setAccessibleTexts(m_toolbar2->widgetForAction(m_hideTree), hideTree, QString());
    setAccessibleTexts(m_treeView1, qText(textFor(kTreeViewName, language)), QString());
    rebuildTree();
}

void frmMain::updateTitle()
{
    // The band text of the status bar follows the title's wherever the title changes.
    m_panels[1]->setText(qText(bandPanelText(m_context.document.bandText())));
    // "[*]" is where the frame shows that there are unsaved edits.
    setWindowTitle(qText(mainTitle(m_context.document.bandText(), m_context.language.languageIndex,
                                   m_context.document.documentPath)) +
                   QStringLiteral("[*]"));
    showModified();
}

void frmMain::showModified()
{
    setWindowModified(documentChanged(m_context));
}

QString frmMain::dataFileFilter() const
{
    return qText(m_context.text(Messages::kDataFileFilterLabel)) + QStringLiteral(" (*.dat)");
}

void frmMain::showHelp(const QString &page)
{
    if (const MainWindowHooks::HelpHandler &help = m_hooks.help())
        help(m_context, static_cast<MainWindowHost &>(*this), page);
}

// F1 in the main window or any child window opens the page of the window in front.
void frmMain::buildHelpKey()
{
    auto *help = new QAction(this);
    help->setObjectName(QStringLiteral("HelpKey"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    addAction(help);
    connect(help, &QAction::triggered, this, [this] {
        const QWidget *front = activeChildWindow();
        showHelp(front ? front->objectName() : objectName());
    });
}

// Ctrl+P prints the channel chart from wherever the focus is in the main window.
void frmMain::buildPrintKey()
{
    auto *print = new QAction(this);
    print->setObjectName(QStringLiteral("PrintKey"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setShortcutContext(Qt::WindowShortcut);
    addAction(print);
    connect(print, &QAction::triggered, this, [this] { dispatch(MainCommand::PrintChannelChart); });
}

void frmMain::followHistory()
{
    for (const QMetaObject::Connection &link : std::as_const(m_historyLinks))
        disconnect(link);
    m_historyLinks.clear();
    const auto *target = dynamic_cast<const EditCommandTarget *>(activeChildWindow());
    m_history = target ? target->editHistory() : nullptr;
    if (m_history) {
        m_historyLinks << connect(m_history, &QUndoStack::indexChanged, this,
                                  &frmMain::showHistorySteps);
        m_historyLinks << connect(m_history, &QObject::destroyed, this, &frmMain::followHistory);
    }
    showHistorySteps();
}

void frmMain::showHistorySteps()
{
    QAction *undo = m_actions.value(QStringLiteral("mnuEditUndo"));
    QAction *redo = m_actions.value(QStringLiteral("mnuEditRedo"));
    if (!undo || !redo)
        return;
    const int language = m_context.language.languageIndex;
    const bool canUndo = m_history && m_history->canUndo();
    const bool canRedo = m_history && m_history->canRedo();
    undo->setText(qText(historyCaption(MainCommand::Undo,
                                       canUndo ? stdText(m_history->undoText()) : "", language)));
    redo->setText(qText(historyCaption(MainCommand::Redo,
                                       canRedo ? stdText(m_history->redoText()) : "", language)));
    undo->setEnabled(canUndo);
    redo->setEnabled(canRedo);
}

void frmMain::rebuildTree()
{
    const int language = m_context.language.languageIndex;
    m_treeView1->clear();
    auto *root = new QTreeWidgetItem(m_treeView1, {qText(textFor(Texts::kProgramName, language))});
    root->setData(0, kKeyRole, qText(kTreeRootKey));
    for (const TreeNodeText &node : kTreeNodes) {
        auto *child = new QTreeWidgetItem(root, {qText(treeNodeText(node, language))});
        child->setData(0, kKeyRole, qText(node.key));
    }
    root->setExpanded(true);
}

// Every text of the program follows the application's font, which is the system's font scaled
// by the user's choice; the system's size is taken once, before the first change.
void frmMain::applyTextSize(int percent)
{
    static const QFont systemFont = QApplication::font();
    QFont font = systemFont;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * percent / TextSize::kNormalPercent);
    else
        font.setPixelSize(std::max(1, font.pixelSize() * percent / TextSize::kNormalPercent));
    if (font != QApplication::font())
        QApplication::setFont(font);
}

void frmMain::drawBackground()
{
    const QPixmap picture(
        qText(m_context.layout.backgroundPicture(m_context.language.languageIndex)));
    // The picture's outermost pixels are its frame; the tiles are cut inside it. The picture is
    // light: under a dark palette the area stays dark with the rest of the program.
    const bool darkPalette = palette().color(QPalette::Window).lightness() < 128;
    if (darkPalette || picture.width() <= 2 || picture.height() <= 2) {
        m_mdiArea->setBackground(palette().brush(QPalette::Dark));
        return;
    }
    m_mdiArea->setBackground(QBrush(picture.copy(1, 1, picture.width() - 2, picture.height() - 2)));
}

void frmMain::fillWindowMenu()
{
    // The fixed items stay; the list of open windows below them is made afresh each time.
    qDeleteAll(m_windowEntries);
    m_windowEntries.clear();
    const QList<QMdiSubWindow *> windows = openSubWindows();
    if (!windows.isEmpty())
        m_windowEntries << m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow *window : windows) {
        QAction *action = m_windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(window->widget()->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, window,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
        m_windowEntries << action;
    }
}

void frmMain::fillRecentMenu()
{
    // The Clear item stays; the files above it are listed afresh each time.
    qDeleteAll(m_recentEntries);
    m_recentEntries.clear();
    QAction *clear = m_actions.value(QStringLiteral("mnuFileRecentClear"));
    const std::vector<std::string> files = FileHistory(*m_context.userSettings).recentFiles();
    clear->setEnabled(!files.empty());
    int number = 1;
    for (const std::string &file : files) {
        const QFileInfo info(qText(file));
        auto *action = new QAction(QStringLiteral("&%1 %2 [%3]")
                                       .arg(number)
                                       .arg(info.fileName(), QDir::toNativeSeparators(info.path())),
                                   m_recentMenu);
        action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(number++));
        action->setData(qText(file));
        connect(action, &QAction::triggered, this,
                [this, path = qText(file)] { openRecentFile(path); });
        m_recentMenu->insertAction(clear, action);
        m_recentEntries << action;
    }
    if (!files.empty())
        m_recentEntries << m_recentMenu->insertSeparator(clear);
}

void frmMain::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        FileHistory(*m_context.userSettings).removeRecentFile(stdText(path));
        m_context.messages->inform(withArgument(m_context.text(RecentFileTexts::kMissing),
                                                stdText(QDir::toNativeSeparators(path))),
                                   MessageIcon::Warning);
        return;
    }
    openDataFile(path);
}

void frmMain::openDataFile(const QString &path)
{
    Startup::openNamedFile(m_context, stdText(QFileInfo(path).absoluteFilePath()),
                           [this] { dispatch(MainCommand::FileOpen); });
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedDataFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = droppedDataFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The save question and the file's own messages come after the drag has ended.
    QTimer::singleShot(0, this, [this, path] { openDataFile(path); });
}

QList<QMdiSubWindow *> frmMain::openSubWindows() const
{
    // A closed window stays listed until it is deleted at the next turn of the event loop.
    QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    windows.removeIf([](const QMdiSubWindow *window) { return window->isHidden(); });
    return windows;
}

QWidget *frmMain::childWindow(const QString &name) const
{
    for (QMdiSubWindow *window : openSubWindows()) {
        if (window->widget() && window->widget()->objectName() == name)
            return window->widget();
    }
    return nullptr;
}

QWidget *frmMain::activeChildWindow() const
{
    const QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    return active && !active->isHidden() ? active->widget() : nullptr;
}

QWidget *frmMain::openChildWindow(const QString &name)
{
    if (QWidget *open = childWindow(name)) {
        auto *window = qobject_cast<QMdiSubWindow *>(open->parentWidget());
        if (window->isMinimized())
            window->showNormal();
        m_mdiArea->setActiveSubWindow(window);
        window->raise();
        return open;
    }
    const MainWindowHooks::WindowFactory *factory = m_hooks.window(name);
    if (!factory)
        return nullptr;
    QWidget *widget = (*factory)(m_context, static_cast<MainWindowHost &>(*this));
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *window = m_mdiArea->addSubWindow(widget);
    window->show();
    cascade();
    window->installEventFilter(this);
    return widget;
}

void frmMain::closeAllChildWindows()
{
    m_mdiArea->closeAllSubWindows();
}

void frmMain::cascade()
{
    m_mdiArea->cascadeSubWindows();
    for (QMdiSubWindow *window : openSubWindows())
        fitIntoArea(window);
}

void frmMain::fitIntoArea(QMdiSubWindow *window)
{
    // A window larger than the frame would hide its own buttons past the frame's edge: it takes
    // no more room than the frame has and its content scrolls or is cut inside it.
    if (window->isMaximized() || window->isMinimized())
        return;
    const QSize room = m_mdiArea->viewport()->size();
    if (room.isEmpty())
        return;
    QRect frame = window->geometry();
    frame.setSize(frame.size().boundedTo(room));
    frame.moveLeft(qMax(0, qMin(frame.x(), room.width() - frame.width())));
    frame.moveTop(qMax(0, qMin(frame.y(), room.height() - frame.height())));
    window->setGeometry(frame);
}

void frmMain::dispatch(MainCommand command)
{
    switch (command) {
    case MainCommand::Exit:
        close();
        break;
    case MainCommand::ChannelInformation:
    case MainCommand::OptionFeatures:
    case MainCommand::RogerBeep:
        openChildWindow(qText(windowForCommand(command)));
        break;
    case MainCommand::LanguageSetup:
        languageSetup();
        break;
    case MainCommand::TreeView:
        setTreeViewVisible(m_actions.value(QStringLiteral("mnuTreeView"))->isChecked());
        break;
    case MainCommand::Toolbar:
        m_toolbar1->setVisible(m_actions.value(QStringLiteral("mnuToolbar"))->isChecked());
        break;
    case MainCommand::StatusBar:
        statusBar()->setVisible(m_actions.value(QStringLiteral("mnuStatusBar"))->isChecked());
        break;
    case MainCommand::Cascade:
        cascade();
        break;
    case MainCommand::CloseAllWindows:
        closeAllChildWindows();
        break;
    case MainCommand::About:
        about();
        break;
    case MainCommand::Copy:
    case MainCommand::Cut:
    case MainCommand::Paste:
    case MainCommand::InsertPaste:
    case MainCommand::Delete:
    case MainCommand::Undo:
    case MainCommand::Redo:
        editCommand(command);
        break;
    case MainCommand::LoadNewDocument:
        openInitialDocument();
        break;
    case MainCommand::RecentFiles:
    case MainCommand::TextSize:
        break;
    case MainCommand::TextLarger:
        applyTextSize(TextSize(*m_context.userSettings).larger());
        break;
    case MainCommand::TextSmaller:
        applyTextSize(TextSize(*m_context.userSettings).smaller());
        break;
    case MainCommand::TextReset:
        applyTextSize(TextSize(*m_context.userSettings).reset());
        break;
    case MainCommand::ClearRecentFiles:
        FileHistory(*m_context.userSettings).clearRecentFiles();
        break;
    default:
        runHook(command);
        break;
    }
}

bool frmMain::offerToSave()
{
    if (!settlePendingChoices())
        return false;
    const MainWindowHooks::SaveQuestion &question = m_hooks.saveQuestion();
    return !question || question(m_context, static_cast<MainWindowHost &>(*this));
}

void frmMain::runHook(MainCommand command)
{
    if (const MainWindowHooks::CommandHandler *handler = m_hooks.command(command))
        (*handler)(m_context, static_cast<MainWindowHost &>(*this));
}

void frmMain::editCommand(MainCommand command)
{
    // The edit commands act on the window in front, when it takes them.
    if (auto *target = dynamic_cast<EditCommandTarget *>(activeChildWindow()))
        target->runEditCommand(command);
}

void frmMain::setTreeViewVisible(bool visible)
{
    m_treePane->setVisible(visible);
    m_splitter->setVisible(visible);
    m_actions.value(QStringLiteral("mnuTreeView"))->setChecked(visible);
}

void frmMain::languageSetup()
{
    FrmSetLanguage window(m_context, this);
    addHelpKey(window, *this, window.objectName());
    window.exec();
    // The frame is not always activated again when the dialog closes (it may never have lost
    // the activation on some platforms): the new language shows at once all the same.
    activated();
}

void frmMain::about()
{
    frmAbout window(m_context.language.languageIndex == English ? English : Chinese, this);
    window.exec();
}

void frmMain::openTreeNode(QTreeWidgetItem *item)
{
    const QString key = item ? item->data(0, kKeyRole).toString() : QString();
    for (const TreeNodeText &node : kTreeNodes) {
        if (key == qText(node.key)) {
            openChildWindow(qText(node.window));
            return;
        }
    }
}

bool frmMain::setTreePaneWidth(int pixels)
{
    const int minimum = twipsToPixels(kMinimumTreeTwips, dotsPerInch(this, true));
    if (pixels < minimum || pixels > centralWidget()->contentsRect().width())
        return false;
    m_treePane->setFixedWidth(pixels);
    return true;
}

int frmMain::treePaneWidth() const
{
    return m_treePane->width();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A child window that grows after it opened (its layout settling, a larger text) is fitted
    // into the frame again.
    if (auto *child = qobject_cast<QMdiSubWindow *>(watched)) {
        if (event->type() == QEvent::Resize && child->isVisible())
            fitIntoArea(child);
        return QMainWindow::eventFilter(watched, event);
    }
    // So is every window when the room shrinks (a wider tree pane, a smaller frame).
    if (watched == m_mdiArea->viewport()) {
        if (event->type() == QEvent::Resize)
            for (QMdiSubWindow *child : m_mdiArea->subWindowList())
                fitIntoArea(child);
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched != m_splitter)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_splitterDragging = true;
        m_dragX = static_cast<QMouseEvent *>(event)->globalPosition().toPoint().x();
        return true;
    case QEvent::MouseMove:
        if (m_splitterDragging) {
            const int x = static_cast<QMouseEvent *>(event)->globalPosition().toPoint().x();
            if (setTreePaneWidth(m_treePane->width() + x - m_dragX))
                m_dragX = x;
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_splitterDragging = false;
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
    // The system switched between its light and dark colours.
    if (event->type() == QEvent::PaletteChange)
        drawBackground();
    // A larger text widens the tree pane to its longest window name, never narrows it.
    if (event->type() == QEvent::FontChange && m_treeView1) {
        const auto *view = static_cast<const QAbstractItemView *>(m_treeView1);
        const int needed =
            view->sizeHintForColumn(0) + m_treeView1->indentation() + 2 * m_treeView1->frameWidth();
        if (needed > m_treePane->width())
            m_treePane->setFixedWidth(needed);
    }
}

void frmMain::activated()
{
    LanguageState &language = m_context.language;
    // The question below takes the activation and gives it back: no second round meanwhile.
    if (!language.relabelPending() || m_switchingLanguage)
        return;
    const QScopedValueRollback switching(m_switchingLanguage, true);
    // The switch closes every window: choices still pending are asked about first, in the
    // language still on the screen, and Cancel keeps that language.
    const int chosen = language.languageIndex;
    language.languageIndex = language.shownLanguage;
    if (!settlePendingChoices()) {
        storeLanguage(m_context);
        return;
    }
    language.languageIndex = chosen;
    language.shownLanguage = language.languageIndex;
    relabel();
    closeAllChildWindows();
    openChildWindow(qText(kChannelWindow));
    cascade();
    Q_EMIT m_notifier.languageChanged();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The windows opened while the frame was hidden are cascaded again in its real size.
    if (!m_shownOnce) {
        m_shownOnce = true;
        fitIntoScreen();
        cascade();
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!offerToSave()) {
        event->ignore();
        return;
    }
    if (!isMinimized())
        storePlacement();
    QMainWindow::closeEvent(event);
}
