#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "channels/ChannelGrid.h"
#include "kernel/MainWindowHost.h"
#include "lang/MessageService.h"

class AppContext;
class ChannelGridModel;
class DocumentNotifier;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class QUndoStack;
struct DetailRow;

// The channel window: one group of one kind as a grid of channel rows, the detail panel of the
// selected row, the group panel and the row operations of the Tools menu. Every edit goes into the
// working document at once, is announced on the notifier and can be undone.
class frmCommChInfo : public QWidget, public PendingEdits, public EditCommandTarget
{
    Q_OBJECT

public:
    frmCommChInfo(AppContext &context, MainWindowHost &host, QWidget *parent = nullptr);
    ~frmCommChInfo() override;

    void commitPendingEdits() override;
    void runEditCommand(MainCommand command) override;
    QUndoStack *editHistory() const override { return m_undo; }
    QSize sizeHint() const override;

    void ReShowChInfoByLanguage();
    void ReShow_Group_Name();
    void ShowRB();
    void ShowDTMF();
    void SetEditNoVisable();
    void EnterGridEdit(const QString &startText = {});
    void GridNextLine();
    void GridNextCol();
    void reShowGrid(int row);

    int currentKind() const { return m_kind; }
    int currentGroup() const { return m_group; }
    // The grid row (from 1) of the current cell, 0 when there is none.
    int currentRow() const;
    QUndoStack *undoStack() const { return m_undo; }

    // Puts the document back to `to` where it differs from `from`, and shows the changed group;
    // a row other than 0 becomes the one selected row (a moved channel's place).
    void restoreGroupState(const ChannelGrid::GroupState &from, const ChannelGrid::GroupState &to,
                           int selectRow = 0);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool editorEvent(QEvent *event);
    bool editorKeyPress(QKeyEvent *key);
    bool gridKeyPress(QKeyEvent *key);
    void rightButtonPressed(const QPoint &position);
    void buildControls();
    QLayout *buildSelectors();
    void buildGrid();
    void announceChangedRows();
    void buildDetailPanel();
    QLayout *buildGroupPanel();
    void layOutControls(QLayout *selectors, QLayout *groupPanel);
    void connectControls();
    // The popup menu's actions, made from one table.
    void buildActions();
    // Move Up, Move Down, Sort by Frequency, Find and Print Channel Chart.
    void buildToolActions();
    void connectNotifier();
    void showKind(int kind);
    void chooseKind(int kind);
    void chooseGroup(int group, bool record);
    void fillGroupSelector();
    void layoutGridColumns();
    void fillGroupPanel();
    void fillDetailLists();
    void showDetails();
    // The texts of a list's items, as the detail rules take them.
    static std::vector<std::string> listItems(const QComboBox *box);
    void detailChosen(const DetailRow &row, int listIndex);
    void groupValidChosen(int listIndex);
    void workGroupChosen(int listIndex);
    void workChannelChosen(int listIndex);
    void memChxChosen(int listIndex);
    void groupNameEdited(const QString &text);
    // Writes the frequency typed into the editor; false, with the editor open again on its text,
    // when the text is no frequency of the band (the channel keeps what it had).
    bool commitEditor();
    void openEditor(int row, const QString &text, bool selectAll);
    void cancelEditor();
    void closeEditor();
    void showPopup(const QPoint &position);
    // Grid rows (from 1) of the selection when it is one contiguous block, else the current row.
    std::pair<int, int> selectedRows() const;
    void copyRows(bool cut);
    void pasteRows(bool insert);
    void deleteRows();
    bool pasteClipboardText(int row, ChannelGrid::TextPaste &paste);
    // Shows a message box, then gives the window back the activation and the keyboard focus
    // that the box took, so its shortcuts and the Tools commands work at once.
    void inform(std::string_view message, MessageIcon icon);
    void regainFocus(QWidget *previous);
    // Tab goes through the controls as they are laid out, top left to bottom right.
    void setTabOrderFromLayout();
    // Runs one user action as one undo step: the parts of the document it changed are kept
    // before and after. An action that moves the current row's channel names the row it went to
    // (read after the change), so that undo and redo select it where it is.
    void edit(const QString &name, const std::function<void()> &change,
              const int *movedTo = nullptr);
    // Makes the row the current one and the only one selected.
    void selectRowAlone(int row);
    void announce(const ChannelGrid::GroupState &from, const ChannelGrid::GroupState &to);
    // Runs a handler and, when it fails, shows its identifier in an OK box.
    void trap(const char *identifier, const std::function<void()> &handler);
    QString text(const TextEntry &entry) const;

    // The grid tools (frmCommChInfoTools.cpp): a detail chosen for several rows at once, a row
    // moved, the group sorted, a frequency found anywhere, the channel chart printed.
    std::vector<int> selectedRowNumbers() const;
    void applyDetailToRows(const DetailRow &detail, int listIndex, const std::vector<int> &rows);
    void blankDifferingDetails(const std::vector<int> &rows);
    // False, after saying why, where the group's channels cannot move.
    bool mayMoveChannels();
    void moveCurrentRow(int by);
    void sortGroup();
    void showFindBar();
    void findNext();
    void printChart();
    // A passing note in the main window's status bar.
    void showStatus(const QString &note);

    AppContext &m_context;
    MainWindowHost &m_host;
    DocumentNotifier *m_notifier;
    ChannelGridModel *m_model = nullptr;
    QUndoStack *m_undo = nullptr;
    int m_kind = 1;
    int m_group = 1;
    bool m_filling = false;
    bool m_editing = false;
    int m_editRow = 0; // the grid row the editor is over
    bool m_announcing = false;
    std::vector<ChannelGrid::ClipRow> m_clip;
    bool m_clipFilled = false;
    QString m_clipText;

    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QLabel *m_kindLabel = nullptr;
    QComboBox *m_combo7 = nullptr;
    QLabel *m_label1 = nullptr;
    QComboBox *m_combo6 = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_text1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    std::array<QComboBox *, 24> m_combo8{};
    std::array<QLabel *, 24> m_label5{};
    QLabel *m_label6 = nullptr;
    QComboBox *m_combo3 = nullptr;
    std::array<QLabel *, 3> m_label2{};
    std::array<QComboBox *, 3> m_combo1{}; // Combo1 (4), (5), (6)
    QLabel *m_label4 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QPushButton *m_checkBand = nullptr;
    QPushButton *m_close = nullptr;
    // An action of the popup menu with the text it shows in the language in force.
    struct WindowAction
    {
        const TextEntry *label;
        QAction *action;
        bool followsHistory; // enabled while the history can undo (or redo) a step
        bool startsSection;  // a separator goes before it in the popup menu
    };
    std::vector<WindowAction> m_actions;
    QLineEdit *m_findText = nullptr;
    std::vector<ChannelGrid::ChannelHit> m_hits;
    std::size_t m_nextHit = 0;
    QString m_hitsFor;
};
