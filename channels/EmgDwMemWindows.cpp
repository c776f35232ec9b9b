#include "channels/EmgDwMemWindows.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

#include "channels/EmgDwMemHelp.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "model/QtRecordTextCodec.h"
#include "radio/EmgDwMemSettings.h"

namespace {

constexpr TextEntry kSave{"", "Save", "保存"};
constexpr std::array<TextEntry, 3> kFrameCaptions{{
    {"", "CB", "CB"},
    {"", "HF Band", "HF Band"},
    {"", "HAM Band", "HAM Band"},
}};
constexpr std::array<const char *, 3> kFrameNames{"FraCBBAND", "FraHFBand", "FraHANBand"};

} // namespace

void closeFrame(QWidget *window)
{
    // A child window closes through its frame, which the main window deletes with it.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

EmgDwMemWindow::EmgDwMemWindow(AppContext &context, MainWindowHost &host, SpecialWindowId id,
                               QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
    , m_table(specialWindow(id))
    , m_cmdSave(new QPushButton(this))
{
    setObjectName(qText(m_table.name));
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    const std::span<const std::int16_t> stored =
        specialValues(id, m_context.document.working().settings);
    m_values.assign(stored.begin(), stored.end());
    m_valuesAtOpen = m_values;

    buildFrames();

    connect(m_cmdSave, &QPushButton::clicked, this, &EmgDwMemWindow::save);
    // The lists follow the channels and group names while the window is open; the copy's values
    // stay as chosen.
    DocumentNotifier &notifier = m_host.notifier();
    connect(&notifier, &DocumentNotifier::channelsChanged, this, &EmgDwMemWindow::fillLists);
    connect(&notifier, &DocumentNotifier::groupNamesChanged, this, &EmgDwMemWindow::fillLists);
    connect(&notifier, &DocumentNotifier::languageChanged, this, &EmgDwMemWindow::relabel);

    relabel();
}

void EmgDwMemWindow::buildFrames()
{
    auto *content = new QWidget;
    m_content = content;
    auto *contentLayout = new QVBoxLayout(content);
    std::array<QGridLayout *, 3> grids{};
    for (std::size_t f = 0; f < grids.size(); ++f) {
        m_frames[f] = new QGroupBox(content);
        m_frames[f]->setObjectName(QString::fromLatin1(kFrameNames[f]));
        grids[f] = new QGridLayout(m_frames[f]);
    }
    for (QGroupBox *frame : m_frames)
        contentLayout->addWidget(frame);
    contentLayout->addStretch();

    std::array<std::vector<int>, 3> nextColumn;
    m_elements.reserve(m_table.combos.size());
    for (const SpecialCombo &combo : m_table.combos) {
        const auto f = static_cast<std::size_t>(combo.frame);
        auto *label = new QLabel(m_frames[f]);
        auto *box = new QComboBox(m_frames[f]);
        label->setObjectName(QStringLiteral("lblEuEmg_%1").arg(combo.element));
        box->setObjectName(QStringLiteral("Combo1_%1").arg(combo.element));
        label->setBuddy(box);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMinimumContentsLength(3);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        // The wheel changes a box only once it has been clicked or tabbed into.
        box->setFocusPolicy(Qt::StrongFocus);
        auto &columns = nextColumn[f];
        if (columns.size() <= static_cast<std::size_t>(combo.line))
            columns.resize(static_cast<std::size_t>(combo.line) + 1, 0);
        int &column = columns[static_cast<std::size_t>(combo.line)];
        grids[f]->addWidget(label, combo.line, column++);
        grids[f]->addWidget(box, combo.line, column++);
        m_elements.push_back({&combo, label, box, {}});
    }
    for (std::size_t f = 0; f < grids.size(); ++f) {
        grids[f]->setColumnStretch(grids[f]->columnCount(), 1);
        m_frames[f]->setVisible(grids[f]->count() > 0);
    }
    for (Element &element : m_elements)
        connect(element.box, &QComboBox::currentIndexChanged, this,
                [this, &element](int position) { choose(element, position); });

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from box to box and the area follows the focus; the area is no stop of its own.
    scroll->setFocusPolicy(Qt::NoFocus);
    // "Save" stays below the scrolled lists, in view however small the window is made.
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    setReadingOrder();
}

void EmgDwMemWindow::setReadingOrder()
{
    // Frame by frame, line by line, left to right along a line; "Save" last.
    std::vector<const Element *> order;
    for (const Element &element : m_elements)
        order.push_back(&element);
    std::stable_sort(order.begin(), order.end(), [](const Element *a, const Element *b) {
        return std::pair(a->combo->frame, a->combo->line) <
               std::pair(b->combo->frame, b->combo->line);
    });
    QWidget *previous = nullptr;
    for (const Element *element : order) {
        if (previous)
            setTabOrder(previous, element->box);
        previous = element->box;
    }
    if (previous)
        setTabOrder(previous, m_cmdSave);
}

QSize EmgDwMemWindow::sizeHint() const
{
    // Every control in sight when the main window has room for it; scroll bars otherwise.
    return m_content->sizeHint() + QSize(4, 4 + m_cmdSave->sizeHint().height() + 6);
}

void EmgDwMemWindow::fillLists()
{
    const DocumentSet &document = m_context.document.working();
    const int language = m_context.language.languageIndex;
    for (Element &element : m_elements) {
        const QSignalBlocker blocker(element.box);
        element.items = specialItems(*element.combo, document, m_valuesAtOpen, language);
        element.box->clear();
        // Group names are record texts in the system's code page; the other items are ours.
        const bool names = element.combo->list == SpecialList::Bands;
        for (const SpecialItem &item : element.items)
            element.box->addItem(names ? shownRecordText(item.text) : qText(item.text));
        const int value = element.combo->value == kNotStored
                              ? kNoChannel
                              : m_values[static_cast<std::size_t>(element.combo->value)];
        element.box->setCurrentIndex(shownItem(*element.combo, element.items, value));
    }
}

void EmgDwMemWindow::relabel()
{
    const int language = m_context.language.languageIndex;
    setWindowTitle(qText(m_context.text(m_table.caption)));
    for (std::size_t f = 0; f < kFrameCaptions.size(); ++f)
        m_frames[f]->setTitle(qText(m_context.text(kFrameCaptions[f])));
    for (Element &element : m_elements)
        element.label->setText(qText(specialLabel(*element.combo, language)));
    m_cmdSave->setText(qText(m_context.text(kSave)));
    static const std::array<WindowHelp, 3> help{emergencyWindowHelp(), dualWatchWindowHelp(),
                                                memorySettingsWindowHelp()};
    applySettingHelp(*this, help.at(static_cast<std::size_t>(m_table.id)), language);
    fillLists();
}

void EmgDwMemWindow::choose(Element &element, int position)
{
    // Row 7 "UK" of the emergency window is offered but has no place in the settings.
    if (element.combo->value == kNotStored || position < 0 ||
        position >= static_cast<int>(element.items.size()))
        return;
    m_values[static_cast<std::size_t>(element.combo->value)] =
        element.items[static_cast<std::size_t>(position)].value;
}

void EmgDwMemWindow::writeChoices()
{
    const std::span<std::int16_t> stored =
        specialValues(m_table.id, m_context.document.working().settings);
    std::copy(m_values.begin(), m_values.end(), stored.begin());
    m_valuesAtOpen = m_values;
    Q_EMIT m_host.notifier().settingsChanged();
}

void EmgDwMemWindow::save()
{
    writeChoices();
    closeFrame(this);
}

bool EmgDwMemWindow::settlePendingChoices()
{
    if (!hasPendingChoices())
        return true;
    const std::string question = withArgument(m_context.text(Messages::kSaveWindowChangesQuestion),
                                              m_context.text(m_table.caption));
    switch (m_context.messages->ask(question, MessageButtons::SaveDiscardCancel,
                                    MessageIcon::Warning)) {
    case MessageAnswer::Save:
        writeChoices();
        return true;
    case MessageAnswer::Discard:
        m_values = m_valuesAtOpen;
        fillLists();
        return true;
    default:
        return false;
    }
}

void EmgDwMemWindow::closeEvent(QCloseEvent *event)
{
    // Cancel keeps the window open with its choices.
    if (!settlePendingChoices()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void registerEmgDwMemWindows(MainWindowHooks &hooks)
{
    for (SpecialWindowId id :
         {SpecialWindowId::Emergency, SpecialWindowId::DualWatch, SpecialWindowId::Memory})
        hooks.addWindow(qText(specialWindow(id).name),
                        [id](AppContext &context, MainWindowHost &host) -> QWidget * {
                            return new EmgDwMemWindow(context, host, id);
                        });
}
