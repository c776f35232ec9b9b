#pragma once

#include <QAbstractTableModel>
#include <QWidget>

#include <array>

#include "kernel/MainWindowHost.h"

class AppContext;
class Document;
class QLineEdit;
class QPushButton;
class QTableView;

// The named groups of one kind as three columns: the name, the group's frequency range (a column
// the window keeps hidden) and the name again under "Rename". Reads and writes the working
// group name table directly; the CB names are shown, never changed.
class GroupNameModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        FrequencyColumn,
        RenameColumn,
        ColumnCount
    };

    GroupNameModel(AppContext &context, int kind, QObject *parent = nullptr);

    int kind() const { return m_kind; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The Rename column takes a new name (cut or blank-padded to two characters); refused in the
    // CB kind and in the other columns. True also when the name stays as it was.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The stored name of a row's group, trailing blanks removed.
    std::string name(int row) const;
    // The name as the window shows it, decoded from the system's code page.
    QString shownName(int row) const;
    // The names or the language changed elsewhere: every cell and header is shown again.
    void refresh();

private:
    AppContext &m_context;
    int m_kind;
};

// The group name window: lists the named groups of the kind current when it opened and renames
// them through two one-character editors laid over a Rename cell. A rename is written when the
// editors are left (the grid or any other control gets the focus) and when the window or the
// program closes; the other windows then hear of it through groupNamesChanged.
class Frm_GroupName : public QWidget, public PendingEdits
{
    Q_OBJECT

public:
    Frm_GroupName(AppContext &context, MainWindowHost &host, QWidget *parent = nullptr);

    int kind() const { return m_model->kind(); }
    // Opens the two editors over the Rename cell of a row (0-based); nothing in the CB kind.
    void startRename(int row);
    // Writes an open rename into the group name table and closes the editors.
    void SaveOldData();
    bool renameOpen() const;

    void commitPendingEdits() override { SaveOldData(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void relabel();
    void placeEditors();
    bool editorKey(QLineEdit *editor, QKeyEvent *event);

    AppContext &m_context;
    MainWindowHost &m_host;
    GroupNameModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    std::array<QLineEdit *, 2> m_text1{};
    QPushButton *m_commandClose = nullptr;
    QPushButton *m_commandHelp = nullptr;
    int m_editRow = -1;
    bool m_watchingFrame = false;
};
