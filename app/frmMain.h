#pragma once

#include <QHash>
#include <QMainWindow>

#include "app/MainWindowHooks.h"
#include "app/MainWindowTexts.h"

class AppContext;
class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// A child window that holds edits not yet written into the document; the main window asks it to
// write them before the document is sent to the radio.
class PendingEdits
{
public:
    virtual ~PendingEdits() = default;
    virtual void commitPendingEdits() = 0;
};

// The program's single top-level window: a multiple-document frame holding the editor windows, with
// the menu bar, the main toolbar, the tree pane and its splitter, and the status bar. It dispatches
// every command and relabels itself when the language changes.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(AppContext &context, MainWindowHooks hooks = builtInMainWindowHooks(),
                     QWidget *parent = nullptr);
    ~frmMain() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // Brings the child window of that name to the front when it is open; otherwise makes it, shows
    // it and cascades all child windows. Null when no such window is known.
    QWidget *openChildWindow(const QString &name);
    QWidget *childWindow(const QString &name) const;
    // The open child windows in the order they were opened.
    QList<QMdiSubWindow *> openSubWindows() const;
    void closeAllChildWindows();
    void cascade();

    // Runs a command as its menu item, toolbar button or tree node does.
    void dispatch(MainCommand command);

    // Sets every caption from the text tables in the language in force.
    void relabel();
    void updateTitle();
    // After a read from the radio: fresh captions and the channel window on the new data.
    void showData();
    // The filter of the open and save dialogs, "Data File (*.dat)" in the language in force.
    QString dataFileFilter() const;

    // The tree pane's width in pixels; refused (false) below 300 twips or beyond the frame.
    bool setTreePaneWidth(int pixels);
    int treePaneWidth() const;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildTreePane();
    void buildStatusBar();
    void restorePlacement();
    void storePlacement();
    void openInitialDocument();
    void fillWindowMenu();
    void rebuildTree();
    void drawBackground();
    void activated();

    void runHook(MainCommand command);
    void setTreeViewVisible(bool visible);
    void languageSetup();
    void about();
    void writeToRadio();
    void rowOperation(MainCommand command);
    void openTreeNode(QTreeWidgetItem *item);

    AppContext &m_context;
    MainWindowHooks m_hooks;
    QMdiArea *m_mdiArea = nullptr;
    QHash<QString, QAction *> m_actions; // menus and menu items by name
    QHash<QString, QAction *> m_toolButtons;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowEntries;
    QToolBar *m_toolbar1 = nullptr;
    QFrame *m_treePane = nullptr;
    QToolBar *m_toolbar2 = nullptr;
    QTreeWidget *m_treeView1 = nullptr;
    QWidget *m_splitter = nullptr;
    QLabel *m_panels[3] = {};
    bool m_splitterDragging = false;
    bool m_shownOnce = false;
    int m_dragX = 0;
};
