#include "channels/frmCommChInfo.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <tuple>

#include "channels/ChannelDetails.h"
#include "channels/ChannelGridModel.h"
#include "channels/ChannelHelp.h"
#include "channels/GridToolTexts.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "lang/AccessibleTexts.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "model/QtRecordTextCodec.h"
#include "options/OptionTable.h"
#include "radio/ChannelTexts.h"

using namespace ChannelWindowTexts;

namespace {

// One user action of the window: the parts of the document it changed, before and after, and
// for a move the row its channel left and the row it went to.
class ChannelEditCommand : public QUndoCommand
{
public:
    ChannelEditCommand(frmCommChInfo &window, const QString &name,
                       const ChannelGrid::GroupState &before, const ChannelGrid::GroupState &after,
                       std::pair<int, int> movedRows)
        : QUndoCommand(name)
        , m_window(window)
        , m_before(before)
        , m_after(after)
        , m_movedRows(movedRows)
    {}

    void undo() override { m_window.restoreGroupState(m_after, m_before, m_movedRows.first); }
    void redo() override
    {
        // The action itself has already changed the document when the command is pushed.
        if (m_done)
            m_window.restoreGroupState(m_before, m_after, m_movedRows.second);
        m_done = true;
    }

private:
    frmCommChInfo &m_window;
    ChannelGrid::GroupState m_before;
    ChannelGrid::GroupState m_after;
    std::pair<int, int> m_movedRows; // 0: the selection stays as it is
    bool m_done = false;
};

int twipsToPixels(int twips, const QWidget *widget)
{
    const qreal dpi = widget->logicalDpiY() > 0 ? widget->logicalDpiY() : 96;
    return qRound(twips * dpi / 1440.0);
}

// The editor's own cut, copy and paste, by every key that does them: Ctrl+X/C/V, Shift+Delete,
// Ctrl+Insert, Shift+Insert, the platform's bindings and the keyboard's own keys. A row's text
// pasted into a frequency cell would only end as an out-of-range frequency.
bool isClipboardKey(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) ||
        key->matches(QKeySequence::Paste))
        return true;
    const int k = key->key();
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (k == Qt::Key_Cut || k == Qt::Key_Copy || k == Qt::Key_Paste)
        return true;
    if ((modifiers & Qt::ControlModifier) && (k == Qt::Key_X || k == Qt::Key_C || k == Qt::Key_V))
        return true;
    if (k == Qt::Key_Insert)
        return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) != Qt::NoModifier;
    return k == Qt::Key_Delete && (modifiers & Qt::ShiftModifier);
}

// Gives a new control its name in the design.
template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

template<typename Widget>
Widget *named(Widget *widget, const char *name)
{
    return named(widget, QString::fromLatin1(name));
}

// What a key typed into a frequency cell gives: a character of a frequency (a digit or a dot), a
// character no frequency holds, or no character (an editing key, a control character, a key with
// Ctrl).
enum class TypedKey
{
    FrequencyCharacter,
    OtherCharacter,
    NoCharacter
};

TypedKey typedKey(const QKeyEvent *key)
{
    const QString typed = key->text();
    if ((key->modifiers() & Qt::ControlModifier) || typed.isEmpty())
        return TypedKey::NoCharacter;
    const char16_t code = typed.at(0).unicode();
    if (code > 127)
        return TypedKey::OtherCharacter;
    if (code < 32 || code == 127)
        return TypedKey::NoCharacter;
    return (code >= '0' && code <= '9') || code == '.' ? TypedKey::FrequencyCharacter
                                                       : TypedKey::OtherCharacter;
}

constexpr int kNoGroupPanelValue = -1;
constexpr int kDetailBoxCharacters = 6;
constexpr int kFindBoxCharacters = 14;

// The control arrays of the group panel: Combo1 (4), (5), (6).
constexpr std::size_t kWorkChannelBox = 0;
constexpr std::size_t kMemChxBox = 1;
constexpr std::size_t kGroupValidBox = 2;

} // namespace

frmCommChInfo::frmCommChInfo(AppContext &context, MainWindowHost &host, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
    , m_notifier(&host.notifier())
{
    setObjectName(QStringLiteral("frmCommChInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_undo = new QUndoStack(this);
    trap("frmCommChInfo_Form_Load", [this] {
        buildControls();
        connectNotifier();
        const SettingsRecord &settings = m_context.document.working().settings;
        m_kind = std::clamp<int>(settings.currentKind, CB, HAM);
        m_group = std::clamp<int>(settings.currentGroup[static_cast<std::size_t>(m_kind)], 1,
                                  groupCount(m_kind));
        showKind(m_kind);
        ReShowChInfoByLanguage();
        m_grid->setCurrentIndex(m_model->index(0, 1));
    });
}

frmCommChInfo::~frmCommChInfo() = default;

QString frmCommChInfo::text(const TextEntry &entry) const
{
    return qText(m_context.text(entry));
}

void frmCommChInfo::trap(const char *identifier, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &) {
        inform(identifier, MessageIcon::None);
    }
}

void frmCommChInfo::buildControls()
{
    QLayout *selectors = buildSelectors();
    buildGrid();
    buildDetailPanel();
    QLayout *groupPanel = buildGroupPanel();
    m_checkBand = named(new QPushButton(this), "CommandCheckBand");
    m_close = named(new QPushButton(this), "CommandClose");
    layOutControls(selectors, groupPanel);
    connectControls();
    buildActions();
    setTabOrderFromLayout();
    // A list takes the wheel only while it has the keyboard focus.
    for (QComboBox *box : findChildren<QComboBox *>())
        box->setFocusPolicy(Qt::StrongFocus);
}

QLayout *frmCommChInfo::buildSelectors()
{
    m_label3 = named(new QLabel(this), "Label3");
    m_combo2 = named(new QComboBox(this), "Combo2");
    m_kindLabel = named(new QLabel(this), "LabelKind");
    m_combo7 = named(new QComboBox(this), "Combo7");
    m_label1 = named(new QLabel(this), "Label1");
    m_combo6 = named(new QComboBox(this), "Combo6");
    m_combo6->setMinimumContentsLength(6);
    for (const std::string_view band : kBandTexts)
        m_combo7->addItem(qText(band));
    m_combo2->addItem(qText(kBandTexts[HF]));
    m_combo2->addItem(qText(kBandTexts[HAM]));

    auto *selectors = new QHBoxLayout;
    selectors->addWidget(m_label3);
    selectors->addWidget(m_combo2, 1);
    selectors->addWidget(m_kindLabel);
    selectors->addWidget(m_combo7, 1);
    selectors->addWidget(m_label1);
    selectors->addWidget(m_combo6);
    // Ctrl+F shows the box that finds a frequency in every group; Escape hides it again.
    m_findText = named(new QLineEdit(this), "TextFind");
    m_findText->setClearButtonEnabled(true);
    // The row beside it is full: without a width of its own the box would show nothing typed.
    m_findText->setMinimumWidth(m_findText->fontMetrics().averageCharWidth() * kFindBoxCharacters);
    m_findText->hide();
    selectors->addWidget(m_findText);
    return selectors;
}

void frmCommChInfo::buildGrid()
{
    m_model = new ChannelGridModel(m_context, this);
    m_grid = named(new QTableView(this), "MSFlexGrid1");
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->horizontalHeader()->setFixedHeight(twipsToPixels(ChannelGrid::kHeaderRowTwips, this));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Tab leaves the grid for the next control instead of moving between its two columns.
    m_grid->setTabKeyNavigation(false);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    announceChangedRows();

    m_text1 = named(new QLineEdit(m_grid->viewport()), "Text1");
    m_text1->setMaxLength(8);
    m_text1->setAlignment(Qt::AlignCenter);
    m_text1->setContextMenuPolicy(Qt::NoContextMenu);
    m_text1->setAcceptDrops(false);
    // Whatever gets past the key filter (an input method, say) still cannot put anything but
    // digits and dots into the cell.
    m_text1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), m_text1));
    m_text1->hide();
    m_text1->installEventFilter(this);
}

// A bulk edit, a paste, a move or an undo redraws many rows at once; a screen reader hears of
// them as a change of the table's data (the view itself tells of a single cell only), and speaks
// what it reads from the model.
void frmCommChInfo::announceChangedRows()
{
    connect(m_model, &QAbstractItemModel::dataChanged, m_grid,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                if (!QAccessible::isActive() || topLeft == bottomRight)
                    return;
                QAccessibleTableModelChangeEvent event(
                    m_grid, QAccessibleTableModelChangeEvent::DataChanged);
                event.setFirstRow(topLeft.row());
                event.setLastRow(bottomRight.row());
                event.setFirstColumn(topLeft.column());
                event.setLastColumn(bottomRight.column());
                QAccessible::updateAccessibility(&event);
            });
}

void frmCommChInfo::buildDetailPanel()
{
    m_frame2 = named(new QGroupBox(this), "Frame2");
    auto *details = new QGridLayout(m_frame2);
    int place = 0;
    for (const DetailRow &row : detailRows()) {
        auto *label = named(new QLabel(m_frame2), QStringLiteral("Label5_%1").arg(row.index));
        auto *combo = named(new QComboBox(m_frame2), QStringLiteral("Combo8_%1").arg(row.index));
        m_label5[static_cast<std::size_t>(row.index)] = label;
        m_combo8[static_cast<std::size_t>(row.index)] = combo;
        label->setBuddy(combo);
        // The longest item ("D023N", "REP+", "CTCSS") stays readable however narrow the room.
        combo->setMinimumContentsLength(kDetailBoxCharacters);
        // The CTCSS and DCS lists of a direction share one place; the tone type shows one.
        const bool stacked = row.show == DetailShow::TxDcs || row.show == DetailShow::RxDcs;
        if (stacked)
            --place;
        details->addWidget(label, place % 11, (place / 11) * 2);
        details->addWidget(combo, place % 11, (place / 11) * 2 + 1);
        ++place;
        connect(combo, &QComboBox::activated, this,
                [this, &row](int index) { detailChosen(row, index); });
    }
}

QLayout *frmCommChInfo::buildGroupPanel()
{
    auto *groupPanel = new QGridLayout;
    m_label6 = named(new QLabel(this), "Label6");
    m_combo3 = named(new QComboBox(this), "Combo3");
    groupPanel->addWidget(m_label6, 0, 0);
    groupPanel->addWidget(m_combo3, 0, 1);
    for (int i = 0; i < 3; ++i) {
        auto *label = named(new QLabel(this), QStringLiteral("Label2_%1").arg(4 + i));
        auto *combo = named(new QComboBox(this), QStringLiteral("Combo1_%1").arg(4 + i));
        m_label2[static_cast<std::size_t>(i)] = label;
        m_combo1[static_cast<std::size_t>(i)] = combo;
        groupPanel->addWidget(label, 1 + i, 0);
        groupPanel->addWidget(combo, 1 + i, 1);
    }
    m_label4 = named(new QLabel(this), "Label4");
    m_text2 = named(new QLineEdit(this), "Text2");
    m_text2->setMaxLength(2);
    groupPanel->addWidget(m_label4, 4, 0);
    groupPanel->addWidget(m_text2, 4, 1);
    return groupPanel;
}

void frmCommChInfo::layOutControls(QLayout *selectors, QLayout *groupPanel)
{
    auto *right = new QVBoxLayout;
    right->addWidget(m_frame2);
    auto *lower = new QHBoxLayout;
    lower->addLayout(groupPanel);
    lower->addStretch();
    right->addLayout(lower);
    right->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_grid);
    body->addLayout(right, 1);
    // Where the window has less room than its controls need (a maximised window at a large
    // scale), the content scrolls instead of squeezing the lists or cutting off the buttons.
    m_content = named(new QWidget, "ChannelContent");
    auto *content = new QVBoxLayout(m_content);
    content->addLayout(selectors);
    content->addLayout(body, 1);
    m_scroll = named(new QScrollArea(this), "ChannelScroll");
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_content);
    // The buttons stay in view below the content, however it scrolls.
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_checkBand);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);
    const QMargins margins = content->contentsMargins();
    buttons->setContentsMargins(margins.left(), 0, margins.right(), margins.bottom());
}

QSize frmCommChInfo::sizeHint() const
{
    // The whole content when the room allows; the main window bounds it to its frame.
    if (!m_content)
        return QWidget::sizeHint();
    return {m_content->sizeHint().width(), m_content->sizeHint().height() +
                                               m_close->sizeHint().height() + layout()->spacing() +
                                               m_content->layout()->contentsMargins().bottom()};
}

void frmCommChInfo::connectControls()
{
    connect(m_combo2, &QComboBox::activated, this, [this](int index) {
        trap("frmCommChInfo_Combo2_Click", [&] { chooseKind(index + 1); });
    });
    connect(m_combo7, &QComboBox::activated, this,
            [this](int index) { trap("frmCommChInfo_Combo7_Click", [&] { chooseKind(index); }); });
    connect(m_combo6, &QComboBox::activated, this, [this](int index) {
        trap("frmCommChInfo_Combo6_Click", [&] {
            const SettingsRecord &settings = m_context.document.working().settings;
            // The list shows the names decoded; they are looked up as stored.
            const int group = GroupFromText(
                settings.options.groupNames, m_kind,
                typedRecordText(m_combo6->itemText(index), FixedText<2>::size()).bytes);
            chooseGroup(group > 0 ? group : index + 1, true);
            const QScopedValueRollback own(m_announcing, true);
            Q_EMIT m_notifier->settingsChanged();
        });
    });
    connect(m_combo3, &QComboBox::activated, this, [this](int i) { workGroupChosen(i); });
    connect(m_combo1[kWorkChannelBox], &QComboBox::activated, this,
            [this](int i) { workChannelChosen(i); });
    connect(m_combo1[kMemChxBox], &QComboBox::activated, this, [this](int i) { memChxChosen(i); });
    connect(m_combo1[kGroupValidBox], &QComboBox::activated, this,
            [this](int i) { groupValidChosen(i); });
    connect(m_text2, &QLineEdit::textEdited, this,
            [this](const QString &t) { groupNameEdited(t); });
    connect(m_close, &QPushButton::clicked, this, [this] {
        // Inside the main window the frame around the window closes with it.
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { trap("frmCommChInfo_MSFlexGrid1_EnterCell", [this] { showDetails(); }); });
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.column() == 1) {
            setWindowTitle(text(kCaption));
            EnterGridEdit();
        }
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { showPopup(position); });
}

void frmCommChInfo::buildActions()
{
    // The row operations of the popup menu with their shortcuts, and undo and redo, which the
    // history enables as it fills and empties.
    struct ActionRow
    {
        const TextEntry *label;
        QList<QKeySequence> keys;
        std::function<void()> run;
        void (QUndoStack::*enabledBy)(bool) = nullptr;
    };
    const auto command = [this](MainCommand which) {
        return [this, which] { runEditCommand(which); };
    };
    const std::vector<ActionRow> rows{
        {&kCopy, {}, command(MainCommand::Copy)},
        {&kCut, {}, command(MainCommand::Cut)},
        {&kPaste, {}, command(MainCommand::Paste)},
        {&kInsertPaste, {}, command(MainCommand::InsertPaste)},
        {&kDelete, {}, command(MainCommand::Delete)},
        // Their keys belong to the main window's Edit menu, which sends them here.
        {&kUndo, {}, command(MainCommand::Undo), &QUndoStack::canUndoChanged},
        {&kRedo, {}, command(MainCommand::Redo), &QUndoStack::canRedoChanged},
    };
    for (const ActionRow &row : rows) {
        auto *action = new QAction(this);
        action->setShortcuts(row.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, row.run);
        addAction(action);
        const bool followsHistory = row.enabledBy != nullptr;
        if (followsHistory) {
            connect(m_undo, row.enabledBy, action, &QAction::setEnabled);
            action->setEnabled(false);
        }
        // The history's actions stand apart in the popup menu.
        const bool startsSection =
            followsHistory && !m_actions.empty() && !m_actions.back().followsHistory;
        m_actions.push_back({row.label, action, followsHistory, startsSection});
    }
    buildToolActions();
}

void frmCommChInfo::buildToolActions()
{
    struct ToolRow
    {
        const char *name;
        const TextEntry *label;
        QList<QKeySequence> keys;
        std::function<void()> run;
    };
    const std::vector<ToolRow> tools{
        {"ActionMoveUp",
         &GridToolTexts::kMoveUp,
         {QKeySequence(Qt::CTRL | Qt::Key_Up)},
         [this] { moveCurrentRow(-1); }},
        {"ActionMoveDown",
         &GridToolTexts::kMoveDown,
         {QKeySequence(Qt::CTRL | Qt::Key_Down)},
         [this] { moveCurrentRow(1); }},
        {"ActionSortByFrequency", &GridToolTexts::kSortByFrequency, {}, [this] { sortGroup(); }},
        {"ActionFind",
         &GridToolTexts::kFind,
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         [this] { showFindBar(); }},
        {"ActionPrintChart", &GridToolTexts::kPrintChart, {}, [this] { printChart(); }},
    };
    for (const ToolRow &row : tools) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setShortcuts(row.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, row.run);
        addAction(action);
        m_actions.push_back({row.label, action, false, &row == &tools.front()});
    }
    connect(m_findText, &QLineEdit::returnPressed, this, &frmCommChInfo::findNext);
    auto *hideFind = new QAction(m_findText);
    hideFind->setShortcut(QKeySequence(Qt::Key_Escape));
    hideFind->setShortcutContext(Qt::WidgetShortcut);
    m_findText->addAction(hideFind);
    connect(hideFind, &QAction::triggered, this, [this] {
        m_findText->hide();
        m_grid->setFocus(Qt::ShortcutFocusReason);
    });
    // Several rows chosen at once show the details they share.
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { showDetails(); });
}

void frmCommChInfo::connectNotifier()
{
    DocumentNotifier &notifier = *m_notifier;
    connect(&notifier, &DocumentNotifier::toneSetsChanged, this, [this] { ShowRB(); });
    connect(&notifier, &DocumentNotifier::dtmfCodesChanged, this, [this] { ShowDTMF(); });
    connect(&notifier, &DocumentNotifier::groupNamesChanged, this, [this](int kind) {
        if (!m_announcing && kind == m_kind) {
            ReShow_Group_Name();
            fillGroupPanel();
        }
    });
    connect(&notifier, &DocumentNotifier::publicChannelsChanged, this,
            [this] { m_model->redrawAll(); });
    connect(&notifier, &DocumentNotifier::channelsChanged, this, [this](int kind, int group) {
        if (!m_announcing && kind == m_kind && group == m_group) {
            m_model->redrawAll();
            showDetails();
        }
    });
    connect(&notifier, &DocumentNotifier::settingsChanged, this, [this] {
        if (!m_announcing)
            fillGroupPanel();
    });
    connect(&notifier, &DocumentNotifier::languageChanged, this,
            [this] { ReShowChInfoByLanguage(); });
    connect(&notifier, &DocumentNotifier::documentReplaced, this, [this] {
        // What the history holds belongs to the document that has gone.
        cancelEditor();
        m_undo->clear();
        const SettingsRecord &settings = m_context.document.working().settings;
        m_kind = std::clamp<int>(settings.currentKind, CB, HAM);
        m_group = std::clamp<int>(settings.currentGroup[static_cast<std::size_t>(m_kind)], 1,
                                  groupCount(m_kind));
        showKind(m_kind);
    });
}

void frmCommChInfo::ReShowChInfoByLanguage()
{
    trap("frmCommChInfo_ChangShowByLanguage", [this] {
        setWindowTitle(text(kCaption));
        m_label3->setText(text(kBandLabel));
        m_kindLabel->setText(text(kKindLabel));
        m_label1->setText(text(kGroupLabel));
        m_label6->setText(text(kWorkGroup));
        m_label2[kWorkChannelBox]->setText(text(kWorkChannel));
        m_label2[kMemChxBox]->setText(text(kMemChx));
        m_label2[kGroupValidBox]->setText(text(kGroupValid));
        m_label4->setText(text(kGroupName));
        m_checkBand->setText(text(kCheckBand));
        m_close->setText(text(kClose));
        for (const DetailRow &row : detailRows())
            m_label5[static_cast<std::size_t>(row.index)]->setText(
                qText(detailLabelText(row, m_context.language.languageIndex)));
        for (const WindowAction &entry : m_actions)
            entry.action->setText(text(*entry.label));
        static const WindowHelp help = channelWindowHelp();
        applySettingHelp(*this, help, m_context.language.languageIndex);
        setAccessibleTexts(m_grid, text(kGridName), QString());
        fillDetailLists();
        fillGroupPanel();
        m_model->redrawAll();
        layoutGridColumns();
        showDetails();
    });
}

void frmCommChInfo::showKind(int kind)
{
    m_kind = kind;
    {
        const QSignalBlocker block2(m_combo2);
        const QSignalBlocker block7(m_combo7);
        m_combo2->setCurrentIndex(kind == CB ? -1 : kind - 1);
        m_combo7->setCurrentIndex(kind);
    }
    fillGroupSelector();
    chooseGroup(m_group, false);
}

void frmCommChInfo::chooseKind(int kind)
{
    // A refused frequency keeps the editor open on the kind it belongs to.
    if (!commitEditor())
        kind = m_kind;
    if (kind < CB || kind > HAM)
        return;
    {
        const QSignalBlocker block2(m_combo2);
        const QSignalBlocker block7(m_combo7);
        m_combo2->setCurrentIndex(kind == CB ? -1 : kind - 1);
        m_combo7->setCurrentIndex(kind);
    }
    if (kind == m_kind)
        return;
    SettingsRecord &settings = m_context.document.working().settings;
    settings.currentKind = static_cast<std::int16_t>(kind);
    m_context.document.setBandText(std::string(kKindBandText[kind]));
    m_host.updateTitle();
    m_group =
        std::clamp<int>(settings.currentGroup[static_cast<std::size_t>(kind)], 1, groupCount(kind));
    showKind(kind);
    const QScopedValueRollback own(m_announcing, true);
    Q_EMIT m_notifier->settingsChanged();
}

void frmCommChInfo::chooseGroup(int group, bool record)
{
    if (!commitEditor()) {
        const QSignalBlocker block(m_combo6);
        m_combo6->setCurrentIndex(m_group - 1);
        return;
    }
    if (group < 1 || group > groupCount(m_kind))
        group = 1;
    const int row = std::max(currentRow(), 1);
    const int column = m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : 1;
    m_group = group;
    // Only the user's choice is recorded: showing a document leaves it as it came.
    if (record) {
        SettingsRecord &settings = m_context.document.working().settings;
        settings.currentGroup[static_cast<std::size_t>(m_kind)] = static_cast<std::int16_t>(group);
        // The option features follow the group last chosen among the groups the radio works in.
        const int lastWorkGroup = m_kind == HF ? 15 : m_kind == HAM ? 13 : groupCount(CB);
        if (group <= lastWorkGroup)
            ChannelGrid::workGroupValue(settings.options, m_kind) =
                static_cast<std::int16_t>(group);
    }
    {
        const QSignalBlocker block(m_combo6);
        m_combo6->setCurrentIndex(group - 1);
    }
    m_model->setGroup(m_kind, group);
    layoutGridColumns();
    fillDetailLists();
    fillGroupPanel();
    m_grid->setCurrentIndex(m_model->index(std::min(row, m_model->rowCount()) - 1, column));
    showDetails();
}

void frmCommChInfo::layoutGridColumns()
{
    // The widths in twips of the grid's columns, widened where a header text in the language in
    // force or the widest cell would not fit at the text size in force; the grid itself is as
    // wide as its columns.
    const QFontMetrics metrics(m_grid->horizontalHeader()->font());
    const QFontMetrics cells(m_grid->font());
    int width = 0;
    for (int column = 0; column < 2; ++column) {
        const int twips = column == 0 ? ChannelGrid::kNameColumnTwips
                                      : ChannelGrid::frequencyColumnTwips(m_kind, m_group);
        const QString header = m_model->headerData(column, Qt::Horizontal).toString();
        const QString widest = column == 0 ? QStringLiteral("M00") : QStringLiteral("00.00000");
        const int pixels =
            std::max({twipsToPixels(twips, this), metrics.horizontalAdvance(header) + 16,
                      cells.horizontalAdvance(widest) + 12});
        m_grid->setColumnWidth(column, pixels);
        width += pixels;
    }
    m_grid->setFixedWidth(width + m_grid->verticalScrollBar()->sizeHint().width() +
                          2 * m_grid->frameWidth());
}

void frmCommChInfo::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // View > Text Size changed the program's font: the columns follow it.
    if (event->type() == QEvent::FontChange && m_grid)
        layoutGridColumns();
}

void frmCommChInfo::fillGroupSelector()
{
    const QSignalBlocker block(m_combo6);
    m_combo6->clear();
    const GroupNameTable &names = m_context.document.working().settings.options.groupNames;
    for (int group = 1; group <= namedGroupCount(m_kind); ++group)
        m_combo6->addItem(shownRecordText(names.names.at(m_kind, group).raw()));
    if (m_kind != CB) {
        m_combo6->addItem(text(ChannelTexts::kGroupMem));
        m_combo6->addItem(text(ChannelTexts::kGroupVfo));
    }
    m_combo6->setCurrentIndex(m_group - 1);
}

void frmCommChInfo::ReShow_Group_Name()
{
    fillGroupSelector();
}

void frmCommChInfo::fillGroupPanel()
{
    m_filling = true;
    DocumentSet &document = m_context.document.working();
    OptionRecord &options = document.settings.options;
    const bool mem = m_group == memGroup(m_kind);
    const bool vfo = m_group == vfoGroup(m_kind);
    const bool named = !mem && !vfo;

    {
        const QSignalBlocker block(m_combo3);
        m_combo3->clear();
        for (int i = 0; i < m_combo6->count(); ++i)
            m_combo3->addItem(m_combo6->itemText(i));
        const int workGroup = ChannelGrid::workGroupValue(options, m_kind);
        m_combo3->setCurrentIndex(workGroup >= 1 && workGroup <= m_combo3->count() ? workGroup - 1
                                                                                   : 0);
    }
    {
        QComboBox *box = m_combo1[kWorkChannelBox];
        const QSignalBlocker block(box);
        box->clear();
        const std::int16_t *value = ChannelGrid::workChannelValue(options, m_kind, m_group);
        for (int number = 1; value && number <= 40; ++number)
            if (ChannelGrid::rowRecord(document, m_kind, m_group, number))
                box->addItem(QString::number(number), number);
        box->setCurrentIndex(value ? std::max(0, box->findData(int(*value))) : kNoGroupPanelValue);
    }
    {
        QComboBox *box = m_combo1[kMemChxBox];
        const QSignalBlocker block(box);
        // The memory rows never change their names: the list is made once.
        for (int row = box->count() + 1; row <= 99; ++row)
            box->addItem(QStringLiteral("M%1").arg(row));
        const int value = ChannelGrid::memChxValue(options);
        box->setCurrentIndex(value >= 0 && value < box->count() ? value : 0);
    }
    {
        QComboBox *box = m_combo1[kGroupValidBox];
        const QSignalBlocker block(box);
        box->clear();
        box->addItem(text(kOff));
        box->addItem(text(kOn));
        if (named)
            box->setCurrentIndex(options.groupNames.valid.at(m_kind, m_group) != 0 ? 1 : 0);
    }
    {
        const QSignalBlocker block(m_text2);
        m_text2->setText(named ? shownRecordText(options.groupNames.names.at(m_kind, m_group).raw())
                               : QString());
    }
    const bool workChannelShown =
        named && ChannelGrid::workChannelValue(options, m_kind, m_group) != nullptr;
    m_label6->setVisible(!vfo);
    m_combo3->setVisible(!vfo);
    m_label2[kWorkChannelBox]->setVisible(workChannelShown);
    m_combo1[kWorkChannelBox]->setVisible(workChannelShown);
    m_label2[kMemChxBox]->setVisible(false);
    m_combo1[kMemChxBox]->setVisible(false);
    m_label2[kGroupValidBox]->setVisible(named);
    m_combo1[kGroupValidBox]->setVisible(named);
    m_label4->setVisible(named);
    m_text2->setVisible(named);
    m_filling = false;
}

void frmCommChInfo::fillDetailLists()
{
    m_filling = true;
    const DocumentSet &document = m_context.document.working();
    for (const DetailRow &row : detailRows()) {
        QComboBox *box = m_combo8[static_cast<std::size_t>(row.index)];
        const QSignalBlocker block(box);
        box->clear();
        for (const std::string &item :
             detailItems(row, document, m_kind, m_group, m_context.language.languageIndex))
            box->addItem(qText(item));
    }
    m_filling = false;
}

void frmCommChInfo::ShowRB()
{
    fillDetailLists();
    showDetails();
}

void frmCommChInfo::ShowDTMF()
{
    fillDetailLists();
    showDetails();
}

void frmCommChInfo::SetEditNoVisable()
{
    m_frame2->setVisible(false);
}

int frmCommChInfo::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

void frmCommChInfo::showDetails()
{
    const int row = currentRow();
    const DocumentSet &document = m_context.document.working();
    const ChannelRecord *record =
        row ? ChannelGrid::rowRecord(document, m_kind, m_group, row) : nullptr;
    if (!record) {
        SetEditNoVisable();
        return;
    }
    m_filling = true;
    const bool memoryRow = ChannelGrid::isMemoryRow(m_kind, m_group, row);
    const std::vector<std::string> noItems;
    for (const DetailRow &detail : detailRows()) {
        QComboBox *box = m_combo8[static_cast<std::size_t>(detail.index)];
        const bool visible = detailVisible(detail, *record, m_kind, memoryRow);
        box->setVisible(visible);
        m_label5[static_cast<std::size_t>(detail.index)]->setVisible(visible);
        if (!visible || !detail.get)
            continue;
        const QSignalBlocker block(box);
        box->setCurrentIndex(detailShownIndex(detail, *record, listItems(box)));
    }
    m_frame2->setTitle(text(kDetailCaption) + qText(ChannelGrid::rowName(m_kind, m_group, row)));
    m_frame2->setVisible(true);
    blankDifferingDetails(selectedRowNumbers());
    m_filling = false;
}

std::vector<std::string> frmCommChInfo::listItems(const QComboBox *box)
{
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        items.push_back(stdText(box->itemText(i)));
    return items;
}

void frmCommChInfo::detailChosen(const DetailRow &detail, int listIndex)
{
    if (m_filling || !detail.set)
        return;
    if (const std::vector<int> rows = selectedRowNumbers(); rows.size() > 1) {
        applyDetailToRows(detail, listIndex, rows);
        return;
    }
    const int row = currentRow();
    const std::vector<std::string> items =
        listItems(m_combo8[static_cast<std::size_t>(detail.index)]);
    edit(text(detail.label), [&] {
        ApplyDetailChoice(m_context.document.working(), m_kind, m_group, row, detail, items,
                          listIndex);
    });
    showDetails();
}

void frmCommChInfo::groupValidChosen(int listIndex)
{
    if (m_filling)
        return;
    trap("frmCommChInfo_Combo1_Click", [&] {
        ChannelGrid::GroupValidChange change = ChannelGrid::GroupValidChange::Unchanged;
        edit(text(kGroupValid), [&] {
            change = ChannelGrid::SetGroupValid(m_context.document.working(), m_kind, m_group,
                                                listIndex == 1, m_context.document.bandLimits());
        });
        if (change == ChannelGrid::GroupValidChange::Refused) {
            const QSignalBlocker block(m_combo1[kGroupValidBox]);
            m_combo1[kGroupValidBox]->setCurrentIndex(1);
        }
    });
}

void frmCommChInfo::workGroupChosen(int listIndex)
{
    if (m_filling || listIndex < 0)
        return;
    edit(text(kWorkGroup), [&] {
        ChannelGrid::workGroupValue(m_context.document.working().settings.options, m_kind) =
            static_cast<std::int16_t>(listIndex + 1);
    });
}

void frmCommChInfo::workChannelChosen(int listIndex)
{
    if (m_filling || listIndex < 0)
        return;
    const int number = m_combo1[kWorkChannelBox]->itemData(listIndex).toInt();
    edit(text(kWorkChannel), [&] {
        if (std::int16_t *value = ChannelGrid::workChannelValue(
                m_context.document.working().settings.options, m_kind, m_group))
            *value = static_cast<std::int16_t>(number);
    });
}

void frmCommChInfo::memChxChosen(int listIndex)
{
    if (m_filling || listIndex < 0)
        return;
    edit(text(kMemChx), [&] {
        ChannelGrid::memChxValue(m_context.document.working().settings.options) =
            static_cast<std::int16_t>(listIndex);
    });
}

void frmCommChInfo::groupNameEdited(const QString &name)
{
    if (m_filling || m_group > namedGroupCount(m_kind))
        return;
    FixedText<2> &stored =
        m_context.document.working().settings.options.groupNames.names.at(m_kind, m_group);
    const EncodedRecordText typed = typedRecordText(name, FixedText<2>::size());
    if (typed.status == RecordTextStatus::NotInCodePage) {
        inform(stdText(text(Messages::kTextNotInCodePage).arg(systemRecordTextCodec().codePage())),
               MessageIcon::Warning);
    } else {
        edit(text(kGroupName), [&] { stored.assign(typed.bytes); });
    }
    // The box shows what the name holds: a refused or cut text goes back to the stored name.
    if (typed.status != RecordTextStatus::Ok) {
        const QSignalBlocker block(m_text2);
        m_text2->setText(shownRecordText(stored.raw()));
    }
}

void frmCommChInfo::edit(const QString &name, const std::function<void()> &change,
                         const int *movedTo)
{
    const int rowBefore = currentRow();
    const ChannelGrid::GroupState before =
        ChannelGrid::takeGroupState(m_context.document.working(), m_kind, m_group);
    change();
    ChannelGrid::GroupState after =
        ChannelGrid::takeGroupState(m_context.document.working(), m_kind, m_group);
    if (before == after)
        return;
    announce(before, after);
    const std::pair<int, int> movedRows =
        movedTo ? std::pair(rowBefore, *movedTo) : std::pair(0, 0);
    m_undo->push(new ChannelEditCommand(*this, name, before, after, movedRows));
}

void frmCommChInfo::selectRowAlone(int row)
{
    if (row < 1 || row > m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row - 1, std::max(m_grid->currentIndex().column(), 0));
    // Not setCurrentIndex of the view: with Ctrl held (Ctrl+Up) it would add the row to the
    // selection instead of replacing it.
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}

void frmCommChInfo::announce(const ChannelGrid::GroupState &from, const ChannelGrid::GroupState &to)
{
    // The window has already redrawn what it changed; its own signals need not come back to it.
    m_announcing = true;
    const bool namesChanged = from.groupNames != to.groupNames;
    if (namesChanged) {
        fillGroupSelector();
        fillGroupPanel();
    } else if (from.groupPanel != to.groupPanel) {
        fillGroupPanel();
    }
    if (from.entries != to.entries || from.count != to.count || from.memories != to.memories) {
        m_model->redrawAll();
        if (ChannelGrid::rowCount(m_kind, m_group) > 0 && m_kind == CB)
            fillDetailLists(); // the channel numbers of "CB Mem Chan ID"
        fillGroupPanel();
    }
    DocumentNotifier &notifier = *m_notifier;
    if (from.entries != to.entries || from.count != to.count || from.memories != to.memories)
        Q_EMIT notifier.channelsChanged(to.kind, to.group);
    if (namesChanged)
        Q_EMIT notifier.groupNamesChanged(to.kind);
    if (from.groupPanel != to.groupPanel || from.emergency != to.emergency ||
        from.dualWatch != to.dualWatch || from.memorySettings != to.memorySettings)
        Q_EMIT notifier.settingsChanged();
    m_announcing = false;
}

void frmCommChInfo::restoreGroupState(const ChannelGrid::GroupState &from,
                                      const ChannelGrid::GroupState &to, int selectRow)
{
    cancelEditor();
    ChannelGrid::applyGroupState(m_context.document.working(), from, to);
    // Undo shows the group it changes.
    if (to.kind != m_kind) {
        SettingsRecord &settings = m_context.document.working().settings;
        settings.currentKind = static_cast<std::int16_t>(to.kind);
        m_context.document.setBandText(std::string(kKindBandText[to.kind]));
        m_host.updateTitle();
        m_group = to.group;
        showKind(to.kind);
    } else if (to.group != m_group) {
        chooseGroup(to.group, false);
    }
    announce(from, to);
    selectRowAlone(selectRow);
    showDetails();
}

void frmCommChInfo::reShowGrid(int row)
{
    trap("frmCommChInfo_reShowGrid", [&] { m_model->redrawRows(row, row); });
}

void frmCommChInfo::EnterGridEdit(const QString &startText)
{
    trap("frmCommChInfo_EnterGridEdit", [&] {
        const QModelIndex index = m_grid->currentIndex();
        if (!m_model->isFrequencyEditable(index))
            return;
        if (startText.isEmpty())
            openEditor(index.row() + 1, index.data().toString(), true);
        else
            openEditor(index.row() + 1, startText, false);
    });
}

void frmCommChInfo::openEditor(int row, const QString &text, bool selectAll)
{
    const QModelIndex index = m_model->index(row - 1, 1);
    m_grid->scrollTo(index);
    m_text1->setGeometry(m_grid->visualRect(index));
    m_text1->setText(text);
    if (selectAll)
        m_text1->selectAll();
    else
        m_text1->end(false);
    m_editing = true;
    m_editRow = row;
    m_text1->show();
    m_text1->setFocus();
}

bool frmCommChInfo::commitEditor()
{
    if (!m_editing)
        return true;
    bool committed = true;
    trap("frmCommChInfo_SaveShowGridData", [&] {
        const QString typed = m_text1->text();
        const int row = m_editRow;
        closeEditor();
        ChannelGrid::FrequencyCommit commit;
        edit(text(kHeaderFrequency), [&] { commit = m_model->commitFrequency(row, typed, true); });
        const int language = m_context.language.languageIndex;
        if (commit.outcome == ChannelGrid::FrequencyOutcome::Refused) {
            // A typo costs no channel: the text comes back for correcting, and Escape gives back
            // the channel's own frequency.
            const BandLimits &limits = m_context.document.bandLimits();
            inform(std::string(frequencyMessageText(commit.message, language)) + "\r\n" +
                       formatMhz(limits.lower) + " - " + formatMhz(limits.upper) + " MHz",
                   MessageIcon::Warning);
            openEditor(row, typed, true);
            // Left by a click, the editor is still losing the focus to where the click went, and
            // that would take the selection away: it is given back once the click is over.
            QTimer::singleShot(0, m_text1, [this] {
                if (!m_editing)
                    return;
                m_text1->setFocus();
                m_text1->selectAll();
            });
            committed = false;
            return;
        }
        if (commit.message != FrequencyMessage::None)
            inform(frequencyMessageText(commit.message, language),
                   commit.message == FrequencyMessage::OutOfRange ? MessageIcon::Warning
                                                                  : MessageIcon::None);
        showDetails();
    });
    return committed;
}

void frmCommChInfo::cancelEditor()
{
    closeEditor();
}

void frmCommChInfo::closeEditor()
{
    if (!m_editing)
        return;
    m_editing = false;
    // The grid takes the focus before the editor goes; otherwise the focus would move on to the
    // next cell by itself.
    if (m_text1->hasFocus())
        m_grid->setFocus();
    m_text1->hide();
}

void frmCommChInfo::commitPendingEdits()
{
    commitEditor();
}

void frmCommChInfo::GridNextLine()
{
    trap("frmCommChInfo_GridNextLine", [this] {
        const int rows = m_model->rowCount();
        if (rows == 0)
            return;
        const int row = currentRow() >= rows ? 0 : currentRow();
        m_grid->setCurrentIndex(m_model->index(row, 1));
        m_grid->setFocus();
    });
}

void frmCommChInfo::GridNextCol()
{
    trap("rmCommChInfo_GridNextCol", [this] {
        const QModelIndex index = m_grid->currentIndex();
        if (index.isValid() && index.column() + 1 < m_model->columnCount()) {
            m_grid->setCurrentIndex(index.siblingAtColumn(index.column() + 1));
            m_grid->setFocus();
        } else {
            GridNextLine();
        }
    });
}

bool frmCommChInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1)
        return editorEvent(event);
    if (watched == m_grid && event->type() == QEvent::KeyPress)
        return gridKeyPress(static_cast<QKeyEvent *>(event));
    // The keys that open the popup are taken as keys (above), over the current cell; the window
    // system's own context request for the Menu key, placed at the mouse pointer, is not shown
    // a second time.
    if ((watched == m_grid || watched == m_grid->viewport()) &&
        event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard)
        return true;
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        rightButtonPressed(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

bool frmCommChInfo::editorEvent(QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        return editorKeyPress(static_cast<QKeyEvent *>(event));
    // Leaving the editor commits it; another program's window coming to the front does not.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        commitEditor();
        return false;
    }
    // No context menu, no paste of the selection by the middle button, no text dropped in.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        return true;
    if ((event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
        return true;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
        event->type() == QEvent::Drop) {
        event->ignore();
        return true;
    }
    return false;
}

bool frmCommChInfo::editorKeyPress(QKeyEvent *key)
{
    bool swallowed = false;
    trap("FrmCommChInfo_Text1_KeyPress_Error", [&] {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const bool empty = m_text1->text().isEmpty();
            swallowed = true;
            if (!commitEditor())
                return;
            if (empty)
                GridNextLine();
            else
                GridNextCol();
        } else if (key->key() == Qt::Key_Escape) {
            cancelEditor();
            m_grid->setFocus();
            swallowed = true;
        } else {
            // Only the characters of a frequency get into the cell.
            swallowed = isClipboardKey(key) || typedKey(key) == TypedKey::OtherCharacter;
        }
    });
    return swallowed;
}

bool frmCommChInfo::gridKeyPress(QKeyEvent *key)
{
    // The Menu key and Shift+F10 open the popup over the current cell, as the right button does.
    if (key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
        const QModelIndex index = m_grid->currentIndex();
        showPopup(index.isValid() ? m_grid->visualRect(index).center() : QPoint());
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        EnterGridEdit();
        return true;
    }
    // A digit or a dot typed on a frequency cell opens the editor with it.
    if (typedKey(key) == TypedKey::FrequencyCharacter && key->text().size() == 1 &&
        m_model->isFrequencyEditable(m_grid->currentIndex())) {
        EnterGridEdit(key->text());
        return true;
    }
    return false;
}

void frmCommChInfo::rightButtonPressed(const QPoint &position)
{
    // The right button first moves the current cell to the cell under the pointer, unless it
    // falls inside the selected block that the popup is to act on.
    const QModelIndex index = m_grid->indexAt(position);
    if (index.isValid() && !m_grid->selectionModel()->isRowSelected(index.row()))
        m_grid->setCurrentIndex(index);
    else if (index.isValid())
        m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void frmCommChInfo::showPopup(const QPoint &position)
{
    // Offered in every group: the row operations and the tools (sorting, the chart) are reached
    // from here in the HF named groups too.
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("GridPopup"));
    for (const WindowAction &entry : m_actions) {
        if (entry.startsSection)
            menu.addSeparator();
        menu.addAction(entry.action);
    }
    menu.exec(m_grid->viewport()->mapToGlobal(position));
}

std::pair<int, int> frmCommChInfo::selectedRows() const
{
    const int row = currentRow();
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    if (rows.size() <= 1)
        return {row, row};
    int first = rows.front().row() + 1;
    int last = first;
    for (const QModelIndex &index : rows) {
        first = std::min(first, index.row() + 1);
        last = std::max(last, index.row() + 1);
    }
    if (last - first + 1 != rows.size() || row < first || row > last)
        return {row, row};
    return {first, last};
}

void frmCommChInfo::runEditCommand(MainCommand command)
{
    if (!commitEditor())
        return;
    switch (command) {
    case MainCommand::Copy:
        copyRows(false);
        break;
    case MainCommand::Cut:
        copyRows(true);
        break;
    case MainCommand::Paste:
        pasteRows(false);
        break;
    case MainCommand::InsertPaste:
        pasteRows(true);
        break;
    case MainCommand::Delete:
        deleteRows();
        break;
    case MainCommand::Undo:
        m_undo->undo();
        break;
    case MainCommand::Redo:
        m_undo->redo();
        break;
    default:
        break;
    }
}

void frmCommChInfo::copyRows(bool cut)
{
    const auto [first, last] = selectedRows();
    if (cut && m_group == vfoGroup(m_kind))
        return;
    const DocumentSet &document = m_context.document.working();
    std::vector<ChannelGrid::ClipRow> rows =
        ChannelGrid::copyRows(document, m_kind, m_group, first, last);
    if (rows.empty())
        return;
    m_clip = std::move(rows);
    m_clipFilled = true;
    // The rows as text, as a spreadsheet takes them: row name, frequency, the details as shown.
    QStringList lines;
    const int language = m_context.language.languageIndex;
    for (std::size_t i = 0; i < m_clip.size(); ++i) {
        const int row = first + static_cast<int>(i);
        QStringList fields{qText(ChannelGrid::rowName(m_kind, m_group, row)),
                           qText(ChannelGrid::rowFrequencyText(document, m_kind, m_group, row,
                                                               m_context.document.bandLimits()))};
        if (m_clip[i]) {
            for (const DetailRow &detail : detailRows()) {
                if (!detail.get || !detailVisible(detail, *m_clip[i], m_kind, false) ||
                    detail.show == DetailShow::MemoryRowsOnly)
                    continue;
                const std::vector<std::string> items =
                    detailItems(detail, document, m_kind, m_group, language);
                fields << qText(
                    ListTextForValue(items, detailShownIndex(detail, *m_clip[i], items)));
            }
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    m_clipText = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(m_clipText);
    if (cut)
        deleteRows();
}

void frmCommChInfo::deleteRows()
{
    // Named rows rather than a structured binding: clang before 16 cannot capture those.
    const std::pair<int, int> rows = selectedRows();
    edit(text(kDelete), [&] {
        ChannelGrid::deleteRows(m_context.document.working(), m_kind, m_group, rows.first,
                                rows.second);
    });
    showDetails();
}

void frmCommChInfo::pasteRows(bool insert)
{
    const int row = currentRow();
    if (row < 1)
        return;
    const QString systemText = QGuiApplication::clipboard()->text();
    // Text that another program put on the clipboard after the last Copy is pasted as
    // frequencies where it can be: outside CB, and when its lines hold frequencies. Otherwise
    // the copied rows are pasted; without them the text is refused with its bad lines.
    if (!insert && m_kind != CB && !systemText.isEmpty() && systemText != m_clipText) {
        ChannelGrid::TextPaste paste =
            ChannelGrid::parseFrequencyLines(stdText(systemText), m_context.document.bandLimits());
        if (paste.holdsFrequencies || !m_clipFilled) {
            pasteClipboardText(row, paste);
            return;
        }
    }
    if (!m_clipFilled)
        return;
    edit(text(insert ? kInsertPaste : kPaste), [&] {
        DocumentSet &document = m_context.document.working();
        if (insert)
            ChannelGrid::insertRows(document, m_kind, m_group, row, m_clip);
        else if (m_group != vfoGroup(m_kind) || row == 1)
            ChannelGrid::pasteRows(
                document, m_kind, m_group, row,
                m_group == vfoGroup(m_kind)
                    ? std::vector<ChannelGrid::ClipRow>(m_clip.begin(), m_clip.begin() + 1)
                    : m_clip);
    });
    showDetails();
}

bool frmCommChInfo::pasteClipboardText(int row, ChannelGrid::TextPaste &paste)
{
    if (m_kind == CB)
        return false;
    const BandLimits &limits = m_context.document.bandLimits();
    bool applied = false;
    edit(text(kPaste), [&] {
        applied = ChannelGrid::pasteFrequencyLines(m_context.document.working(), m_kind, m_group,
                                                   row, paste, limits);
    });
    if (!applied && !paste.badLines.empty()) {
        QStringList lines;
        for (int line : paste.badLines)
            lines << QString::number(line);
        inform(stdText(text(kBadPasteLines) + lines.join(QStringLiteral(", "))),
               MessageIcon::Warning);
    }
    showDetails();
    return applied;
}

void frmCommChInfo::inform(std::string_view message, MessageIcon icon)
{
    const QPointer<QWidget> previous = QApplication::focusWidget();
    m_context.messages->inform(message, icon);
    regainFocus(previous.data());
}

void frmCommChInfo::regainFocus(QWidget *previous)
{
    // When a box closes the window system may leave no window active: the grid still gets the
    // arrow keys, but no shortcut fires until a click activates the window again.
    if (!isVisible())
        return;
    QWidget *target =
        previous && previous->isVisible() && previous->isEnabled() && previous->window() == window()
            ? previous
            : nullptr;
    // The focus goes back where it was; a box raised while the focus was in this window (or
    // nowhere) brings this window to the front of the others with the grid focused, unless one
    // of its controls still holds the focus.
    if (!target || target == this || isAncestorOf(target)) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()); frame && frame->mdiArea())
            frame->mdiArea()->setActiveSubWindow(frame);
        if (!target || target == this || (target == m_text1 && !m_editing))
            target = m_grid;
    }
    window()->activateWindow();
    target->setFocus(Qt::OtherFocusReason);
}

void frmCommChInfo::setTabOrderFromLayout()
{
    std::vector<QWidget *> order{m_combo2, m_combo7, m_combo6, m_grid, m_text1};
    // The detail lists by their place in the panel: row by row, left to right; the two tone lists
    // that share a place follow each other.
    struct Placed
    {
        int row;
        int column;
        int sequence;
        QWidget *widget;
    };
    std::vector<Placed> details;
    auto *grid = static_cast<QGridLayout *>(m_frame2->layout());
    for (const DetailRow &row : detailRows()) {
        QComboBox *box = m_combo8[static_cast<std::size_t>(row.index)];
        int gridRow = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(grid->indexOf(box), &gridRow, &column, &rowSpan, &columnSpan);
        details.push_back({gridRow, column, static_cast<int>(details.size()), box});
    }
    std::sort(details.begin(), details.end(), [](const Placed &a, const Placed &b) {
        return std::tie(a.row, a.column, a.sequence) < std::tie(b.row, b.column, b.sequence);
    });
    for (const Placed &placed : details)
        order.push_back(placed.widget);
    // Below the panel: the group settings from top to bottom, then the buttons beside them.
    order.push_back(m_combo3);
    for (QComboBox *box : m_combo1)
        order.push_back(box);
    order.insert(order.end(), {m_text2, m_checkBand, m_close});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
