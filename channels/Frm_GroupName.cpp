#include "channels/Frm_GroupName.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "channels/EmgDwMemWindows.h"
#include "channels/GroupNameEditing.h"
#include "channels/GroupNameHelp.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/WindowPlacement.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "model/QtRecordTextCodec.h"
#include "radio/GroupNames.h"

namespace {

constexpr TextEntry kCaption{"", "Group Name", "Group Name"};
constexpr std::array<TextEntry, GroupNameModel::ColumnCount> kHeaders{{
    {"", "Name", "组名"},
    {"", "Group Frequency", "组频率"},
    {"", "Rename", "重命名"},
}};
// Column widths in twips; the frequency column is there but never seen.
constexpr std::array<int, GroupNameModel::ColumnCount> kColumnTwips{1500, 0, 1500};

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

GroupNameModel::GroupNameModel(AppContext &context, int kind, QObject *parent)
    : QAbstractTableModel(parent)
    , m_context(context)
    , m_kind(kind)
{}

int GroupNameModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : namedGroupCount(m_kind);
}

int GroupNameModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::string GroupNameModel::name(int row) const
{
    return m_context.document.working()
        .settings.options.groupNames.names.at(m_kind, row + 1)
        .trimmed();
}

QString GroupNameModel::shownName(int row) const
{
    return shownRecordText(
        m_context.document.working().settings.options.groupNames.names.at(m_kind, row + 1).raw());
}

QVariant GroupNameModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.column() == FrequencyColumn)
        return qText(groupFrequencyText(m_kind, index.row() + 1));
    return shownName(index.row());
}

QVariant GroupNameModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    const TextEntry &title = kHeaders[static_cast<std::size_t>(section)];
    if (role == Qt::ToolTipRole) {
        static const WindowHelp help = groupNameWindowHelp();
        const SettingHelp *setting = findSettingHelp(help, std::string(title[English]));
        return setting ? qText(setting->tooltip.in(m_context.language.languageIndex)) : QVariant();
    }
    if (role != Qt::DisplayRole)
        return {};
    return qText(m_context.text(title));
}

Qt::ItemFlags GroupNameModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == RenameColumn && m_kind != CB)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool GroupNameModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole ||
        !(flags(index) & Qt::ItemIsEditable))
        return false;
    FixedText<2> &stored =
        m_context.document.working().settings.options.groupNames.names.at(m_kind, index.row() + 1);
    const EncodedRecordText encoded = typedRecordText(value.toString(), FixedText<2>::size());
    if (encoded.status == RecordTextStatus::NotInCodePage)
        return false;
    const FixedText<2> renamed(encoded.bytes);
    if (renamed == stored)
        return true;
    stored = renamed;
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void GroupNameModel::refresh()
{
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

Frm_GroupName::Frm_GroupName(AppContext &context, MainWindowHost &host, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
    , m_model(new GroupNameModel(context, context.document.working().settings.currentKind, this))
    , m_grid(new QTableView(this))
    , m_commandClose(new QPushButton(this))
    , m_commandHelp(new QPushButton(this))
{
    setObjectName(QStringLiteral("Frm_GroupName"));
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_commandClose->setObjectName(QStringLiteral("CommandClose"));
    m_commandHelp->setObjectName(QStringLiteral("CommandHelp"));

    m_grid->setModel(m_model);
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the buttons; the arrow keys move between the cells.
    m_grid->setTabKeyNavigation(false);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const double dpi = logicalDpiX();
    int gridWidth = 2 * m_grid->frameWidth();
    for (int column = 0; column < GroupNameModel::ColumnCount; ++column) {
        const int twips = kColumnTwips[static_cast<std::size_t>(column)];
        m_grid->setColumnHidden(column, twips == 0);
        m_grid->setColumnWidth(column, twipsToPixels(twips, dpi));
        gridWidth += twipsToPixels(twips, dpi);
    }
    m_grid->setFixedWidth(gridWidth);
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             m_model->rowCount() * m_grid->verticalHeader()->defaultSectionSize() +
                             2 * m_grid->frameWidth());
    // In the CB kind the names are shown but cannot be changed.
    m_grid->setEnabled(kind() != CB);

    for (std::size_t i = 0; i < m_text1.size(); ++i) {
        auto *editor = new QLineEdit(m_grid->viewport());
        editor->setObjectName(QStringLiteral("Text1_%1").arg(i));
        editor->setMaxLength(1);
        editor->setAlignment(Qt::AlignCenter);
        // Only typed characters pass the key filter: no pasting through a menu, a drop or an
        // input method.
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        editor->setAcceptDrops(false);
        editor->setAttribute(Qt::WA_InputMethodEnabled, false);
        editor->hide();
        editor->installEventFilter(this);
        m_text1[i] = editor;
    }
    m_grid->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_commandClose);
    buttons->addWidget(m_commandHelp);
    // The grid shows every group at once; where the window has less room (a large scale) it
    // scrolls, and the buttons stay in view.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("GroupNameScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto *content = new QWidget;
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(m_grid);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    // After the grid has moved into the scrolled part, which puts it last in the chain.
    setTabOrder(m_text1[0], m_text1[1]);
    setTabOrder(m_text1[1], m_grid);
    setTabOrder(m_grid, m_commandClose);
    setTabOrder(m_commandClose, m_commandHelp);

    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.column() == GroupNameModel::RenameColumn)
            startRename(index.row());
    });
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &Frm_GroupName::placeEditors);
    connect(m_commandClose, &QPushButton::clicked, this, [this] { closeFrame(this); });
    connect(m_commandHelp, &QPushButton::clicked, this, [this] { m_host.showHelp(objectName()); });
    DocumentNotifier &notifier = m_host.notifier();
    connect(&notifier, &DocumentNotifier::groupNamesChanged, this, [this](int changedKind) {
        if (changedKind == kind())
            m_model->refresh();
    });
    connect(&notifier, &DocumentNotifier::documentReplaced, m_model, &GroupNameModel::refresh);
    connect(&notifier, &DocumentNotifier::languageChanged, this, &Frm_GroupName::relabel);

    relabel();
}

void Frm_GroupName::relabel()
{
    setWindowTitle(qText(m_context.text(kCaption)));
    m_commandClose->setText(qText(m_context.text(ButtonTexts::kClose)));
    m_commandHelp->setText(qText(m_context.text(ButtonTexts::kHelp)));
    static const WindowHelp help = groupNameWindowHelp();
    applySettingHelp(*this, help, m_context.language.languageIndex);
    m_model->refresh();
}

bool Frm_GroupName::renameOpen() const
{
    return !m_text1[0]->isHidden() && !m_text1[1]->isHidden();
}

void Frm_GroupName::startRename(int row)
{
    if (!m_grid->isEnabled() || row < 0 || row >= m_model->rowCount())
        return;
    SaveOldData();
    m_editRow = row;
    m_grid->setCurrentIndex(m_model->index(row, GroupNameModel::RenameColumn));
    // One character each, as the name shows (a double-byte character fills the left one).
    const QString shown = m_model->shownName(row);
    m_text1[0]->setText(shown.left(1));
    m_text1[1]->setText(shown.mid(1, 1));
    placeEditors();
    for (QLineEdit *editor : m_text1)
        editor->show();
    m_text1[0]->setFocus(Qt::OtherFocusReason);
    m_text1[0]->selectAll();
}

void Frm_GroupName::placeEditors()
{
    if (m_editRow < 0)
        return;
    const QRect cell = m_grid->visualRect(m_model->index(m_editRow, GroupNameModel::RenameColumn));
    const int half = cell.width() / 2;
    m_text1[0]->setGeometry(cell.x(), cell.y(), half, cell.height());
    m_text1[1]->setGeometry(cell.x() + half, cell.y(), cell.width() - half, cell.height());
}

void Frm_GroupName::SaveOldData()
{
    if (!renameOpen())
        return;
    const std::string name =
        RenamedGroupName(stdText(m_text1[0]->text()), stdText(m_text1[1]->text()));
    const int row = m_editRow;
    m_editRow = -1;
    for (QLineEdit *editor : m_text1)
        editor->hide();
    const std::string before = m_model->name(row);
    if (!m_model->setData(m_model->index(row, GroupNameModel::RenameColumn),
                          QString::fromStdString(name), Qt::EditRole))
        m_context.messages->inform(stdText(qText(m_context.text(Messages::kTextNotInCodePage))
                                               .arg(systemRecordTextCodec().codePage())),
                                   MessageIcon::Warning);
    if (m_model->name(row) != before)
        Q_EMIT m_host.notifier().groupNamesChanged(kind());
}

bool Frm_GroupName::editorKey(QLineEdit *editor, QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Paste))
        return true;
    const bool left = editor == m_text1[0];
    if (isEnterKey(event)) {
        // As Tab does: from the left editor to the right one, from there to the grid, which
        // writes the rename.
        if (left) {
            m_text1[1]->setFocus(Qt::TabFocusReason);
            m_text1[1]->selectAll();
        } else {
            m_grid->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    // Other shortcuts (select all, undo) and keys without a character are the editor's.
    if (event->modifiers() & Qt::ControlModifier || event->text().isEmpty())
        return false;
    const GroupNameKey key = FilterGroupNameKey(event->text().at(0).unicode());
    switch (key.action) {
    case GroupNameKey::Pass:
        return false;
    case GroupNameKey::Ignore:
    case GroupNameKey::MoveOn:
        return true;
    case GroupNameKey::Accept:
        break;
    }
    editor->insert(QString(QChar::fromLatin1(key.character)));
    // A filled left character goes on to the right one, so "A" then "1" types "A1".
    if (left && editor->text().size() == 1) {
        m_text1[1]->setFocus(Qt::TabFocusReason);
        m_text1[1]->selectAll();
    }
    return true;
}

bool Frm_GroupName::eventFilter(QObject *watched, QEvent *event)
{
    const bool editor = watched == m_text1[0] || watched == m_text1[1];
    switch (event->type()) {
    case QEvent::KeyPress:
        if (editor)
            return editorKey(static_cast<QLineEdit *>(watched), static_cast<QKeyEvent *>(event));
        if (watched == m_grid && isEnterKey(static_cast<QKeyEvent *>(event))) {
            startRename(m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : 0);
            return true;
        }
        break;
    case QEvent::FocusIn:
        if (watched == m_grid)
            SaveOldData();
        break;
    case QEvent::FocusOut: {
        // Leaving the pair of editors for anything else (the grid, a button, another window, a
        // menu) writes the rename.
        const QWidget *next = QApplication::focusWidget();
        if (editor && next != m_text1[0] && next != m_text1[1])
            SaveOldData();
        break;
    }
    case QEvent::Close:
        // The program is closing: the rename counts before the save question is asked.
        if (watched == window())
            SaveOldData();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Frm_GroupName::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_watchingFrame && window() != this) {
        m_watchingFrame = true;
        window()->installEventFilter(this);
    }
}

void Frm_GroupName::closeEvent(QCloseEvent *event)
{
    SaveOldData();
    QWidget::closeEvent(event);
}
