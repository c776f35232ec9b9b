#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "kernel/MainWindowTexts.h"

class AppContext;
class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTimer;
class QTreeWidgetItem;
class QUndoStack;

// The program's single top-level window: a multiple-document frame holding the editor windows, with
// the menu bar, the main toolbar, the tree pane and its splitter, and the status bar. It dispatches
// every command and relabels itself when the language changes.
// It is the host that windows and command handlers see (MainWindowHost); the subsystems plug in
// through the hooks the program's start hands it.
class frmMain : public QMainWindow, public MainWindowHost
{
    Q_OBJECT

public:
    frmMain(AppContext &context, DocumentNotifier &notifier, MainWindowHooks hooks,
            QWidget *parent = nullptr);
    ~frmMain() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    // The open child windows in the order they were opened.
    QList<QMdiSubWindow *> openSubWindows() const;

    DocumentNotifier &notifier() override { return m_notifier; }
    QWidget *openChildWindow(const QString &name) override;
    QWidget *childWindow(const QString &name) const override;
    QWidget *activeChildWindow() const override;
    void closeAllChildWindows() override;
    void cascade() override;
    void relabel() override;
    void updateTitle() override;
    void documentReplaced() override;
    void commitPendingEdits() override;
    bool settlePendingChoices() override;
    bool offerToSave() override;
    QWidget *dialogParent() override { return this; }
    void showStatusMessage(const QString &text) override;
    QString dataFileFilter() const override;
    void showHelp(const QString &page) override;

    // Runs a command as its menu item, toolbar button or tree node does.
    void dispatch(MainCommand command);
    void runCommand(MainCommand command) override { dispatch(command); }

    // The tree pane's width in pixels; refused (false) below 300 twips or beyond the frame.
    bool setTreePaneWidth(int pixels);
    int treePaneWidth() const;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildTreePane();
    void buildStatusBar();
    void buildHelpKey();
    void buildPrintKey();
    // Edit > Undo and Redo follow the history of the window in front and name its steps.
    void followHistory();
    void showHistorySteps();
    void restorePlacement();
    void fitIntoScreen();
    void fitIntoArea(QMdiSubWindow *window);
    void storePlacement();
    void openInitialDocument();
    void fillWindowMenu();
    void rebuildTree();
    void drawBackground();
    void applyTextSize(int percent);
    void activated();

    void runHook(MainCommand command);
    void setTreeViewVisible(bool visible);
    void languageSetup();
    void about();
    void editCommand(MainCommand command);
    void openTreeNode(QTreeWidgetItem *item);
    void showModified();
    void fillRecentMenu();
    // Opens a data file as File > Open does (the save question first), without the dialog.
    void openDataFile(const QString &path);
    void openRecentFile(const QString &path);

    AppContext &m_context;
    DocumentNotifier &m_notifier;
    MainWindowHooks m_hooks;
    QMdiArea *m_mdiArea = nullptr;
    QHash<QString, QAction *> m_actions; // menus and menu items by name
    QHash<QString, QAction *> m_toolButtons;
    QAction *m_hideTree = nullptr;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowEntries;
    QPointer<QUndoStack> m_history;
    QList<QMetaObject::Connection> m_historyLinks;
    QMenu *m_recentMenu = nullptr;
    QList<QAction *> m_recentEntries;
    QTimer *m_statusTimer = nullptr;
    QToolBar *m_toolbar1 = nullptr;
    QFrame *m_treePane = nullptr;
    QToolBar *m_toolbar2 = nullptr;
    QTreeWidget *m_treeView1 = nullptr;
    QWidget *m_splitter = nullptr;
    QLabel *m_panels[3] = {};
    bool m_splitterDragging = false;
    bool m_shownOnce = false;
    bool m_switchingLanguage = false;
    int m_dragX = 0;
};
