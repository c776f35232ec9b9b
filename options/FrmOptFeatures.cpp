#include "options/FrmOptFeatures.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "model/QtRecordTextCodec.h"
#include "options/OptionBinder.h"
#include "options/OptionHelp.h"
#include "options/OptionRules.h"
#include "options/OptionTexts.h"

namespace {

using namespace OptionTexts;

// The list boxes of the general options, column by column.
constexpr std::array<std::array<int, 12>, 4> kGeneralColumns{{
    {2, 3, 29, 8, 9, 10, 53, 24, 25, 26, 37, 49},
    {69, 27, 28, 51, 32, 33, 11, 35, 40, 41, 52, 70},
    {47, 48, 55, 56, 59, 36, 64, 65, 61, 39, 71, 72},
    {66, 67, 42, 45, 46, 54, 58, 60, 62, -1, -1, -1},
}};
// The eight Bluetooth settings of the "BLE" frame.
constexpr std::array<int, 8> kBleBoxes{0, 12, 13, 14, 15, 16, 38, 44};
// Boxes the window keeps out of sight: they hold document values the radio's own menus set.
constexpr int kParkedBoxes[] = {1,  4,  5,  6,  7,  17, 18, 19, 20, 21,
                                22, 23, 30, 31, 34, 43, 50, 57, 63, 68};
constexpr std::array<int, 4> kParkedChecks{0, 1, 2, 11};
constexpr std::array<int, 4> kKeyBoxes{42, 45, 46, 54};
constexpr int kPfKeyBox = 67;
constexpr int kVoxLevelBox = 27;
constexpr int kVoxDelayBox = 28;
constexpr int kVoxOnOffBox = 69;
constexpr std::array<int, 3> kPublicSwitches{58, 60, 62};
constexpr int kSwrProtectCheck = 3;
constexpr int kTdcSetCheck = 4;
constexpr int kFirstModeEnable = 5;
constexpr int kLastModeEnable = 10;
constexpr std::array<TextEntry, 3> kPublicFramePrefix{kCbFramePrefix, kHfFramePrefix,
                                                      kHamFramePrefix};
constexpr std::array<const char *, 3> kPublicFrameName{"FrameCbPublic", "FrameHfPublic",
                                                       "FrameHamPublic"};
// The boxes of a public-channel frame line by line: the roger beep follows the mode, before the
// DTMF choices, as the radio's menu has it.
constexpr std::array<int, 10> kPublicLines{0, 1, 2, 3, 4, 5, 9, 6, 7, 8};

// The gap between a label's right edge and its box: 100 twips.
int labelGap(const QWidget *widget)
{
    return qRound(100.0 * widget->logicalDpiX() / 1440.0);
}

QGridLayout *labelledGrid(QWidget *parent)
{
    auto *grid = new QGridLayout(parent);
    grid->setHorizontalSpacing(labelGap(parent));
    grid->setVerticalSpacing(4);
    return grid;
}

QGroupBox *frame(const char *name, QWidget *parent)
{
    auto *box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

bool contains(std::span<const int> list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

FrmOptFeatures::FrmOptFeatures(AppContext &context, MainWindowHost &host, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
{
    setObjectName(QStringLiteral("FrmOptFeatures"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("OptionScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control, and the area follows the focus; the area itself is no
    // stop of its own.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_content = new QWidget(m_scroll);
    m_content->setObjectName(QStringLiteral("OptionContent"));
    m_binder = new OptionBinder(m_content, [this]() -> SettingsRecord & { return settings(); });
    makeParkedControls();
    layOut();

    connect(m_binder, &OptionBinder::choiceMade, this, &FrmOptFeatures::onChoice);
    connect(m_binder, &OptionBinder::textEdited, this,
            [this](const OptionRow &row) { m_editedTexts.insert(&row); });
    connect(m_binder, &OptionBinder::textLeft, this, &FrmOptFeatures::onTextLeft);
    connect(m_close, &QPushButton::clicked, this, [this] {
        // Inside the main window the frame around the window closes, and with it the window.
        auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
        if (frame)
            frame->close();
        else
            close();
    });
    connect(m_help, &QPushButton::clicked, this, [this] { m_host.showHelp(objectName()); });

    DocumentNotifier &notifier = m_host.notifier();
    connect(&notifier, &DocumentNotifier::documentReplaced, this, &FrmOptFeatures::ReShowData);
    connect(&notifier, &DocumentNotifier::languageChanged, this, [this] {
        relabel();
        ReShowData();
    });
    connect(&notifier, &DocumentNotifier::toneSetsChanged, this, &FrmOptFeatures::ShowRB);
    connect(&notifier, &DocumentNotifier::dtmfCodesChanged, this, &FrmOptFeatures::ShowDTMF);

    // The model offers the "VFO" key function; the key boxes list it from now on.
    m_binder->vfoKeyShown = true;
    relabel();
    ReShowData();
}

SettingsRecord &FrmOptFeatures::settings()
{
    return m_context.document.working().settings;
}

int FrmOptFeatures::language() const
{
    return m_context.language.languageIndex;
}

void FrmOptFeatures::makeParkedControls()
{
    // Never shown: the boxes the window keeps out of sight, the "FM/AM RSSI" frame, and the two
    // lists that turn a stored mode or key function into its text.
    m_parked = new QWidget(m_content);
    m_parked->setObjectName(QStringLiteral("ParkedControls"));
    m_parked->hide();
    auto *grid = labelledGrid(m_parked);
    int line = 0;
    for (const int index : kParkedBoxes) {
        const OptionRow *row = findOptionRow(OptionControl::Combo1, index);
        if (row) {
            grid->addWidget(m_binder->label(*row), line, 0);
            grid->addWidget(m_binder->combo1(index), line++, 1);
            continue;
        }
        // Boxes that hold nothing of the document keep their names for completeness.
        auto *box = new QComboBox(m_parked);
        box->setObjectName(QStringLiteral("Combo1_%1").arg(index));
        box->setFocusPolicy(Qt::StrongFocus);
        auto *label = new QLabel(m_parked);
        label->setObjectName(QStringLiteral("Label1_%1").arg(index));
        grid->addWidget(label, line, 0);
        grid->addWidget(box, line++, 1);
    }
    for (const int index : kParkedChecks) {
        QWidget *check = m_binder->check1(index);
        if (!check) {
            check = new QCheckBox(m_parked);
            check->setObjectName(QStringLiteral("check1_%1").arg(index));
        }
        grid->addWidget(check, line++, 0, 1, 2);
    }
    m_fmAmRssiFrame = frame("FrameFmAmRssi", m_parked);
    auto *rssi = labelledGrid(m_fmAmRssiFrame);
    for (int index = 0; index < 6; ++index) {
        const OptionRow *row = findOptionRow(OptionControl::Text4, index);
        rssi->addWidget(m_binder->label(*row), 0, index);
        rssi->addWidget(m_binder->text4(index), 1, index);
    }
    grid->addWidget(m_fmAmRssiFrame, line++, 0, 1, 2);

    m_modeList = new QComboBox(m_parked);
    m_modeList->setObjectName(QStringLiteral("Combo3"));
    m_functionList = new QComboBox(m_parked);
    m_functionList->setObjectName(QStringLiteral("Combo5"));
    for (QComboBox *list : {m_modeList, m_functionList})
        list->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(m_modeList, line++, 0);
    grid->addWidget(m_functionList, line, 0);
}

void FrmOptFeatures::layOut()
{
    // The general options with the radio settings beside them; below, the public-channel frames
    // and the Bluetooth frame.
    auto *content = new QVBoxLayout(m_content);
    auto *top = new QHBoxLayout;
    auto *bottom = new QHBoxLayout;
    top->setSpacing(10);
    bottom->setSpacing(10);
    content->addLayout(top);
    content->addLayout(bottom);
    content->addStretch(1);

    top->addWidget(layOutGeneralOptions(), 0, Qt::AlignTop);
    for (int set = 0; set < 3; ++set)
        bottom->addWidget(layOutPublicFrame(set), 0, Qt::AlignTop);
    bottom->addWidget(layOutBleFrame(), 0, Qt::AlignTop);
    bottom->addStretch(1);
    top->addWidget(layOutRadioSettings(), 0, Qt::AlignTop);
    top->addStretch(1);
    fitTextBoxes();
    layOutWindow();
    setReadingOrder();
}

QWidget *FrmOptFeatures::layOutGeneralOptions()
{
    // Four columns of labelled boxes.
    auto *general = new QWidget(m_content);
    general->setObjectName(QStringLiteral("GeneralOptions"));
    auto *generalGrid = labelledGrid(general);
    generalGrid->setHorizontalSpacing(labelGap(general));
    for (std::size_t column = 0; column < kGeneralColumns.size(); ++column) {
        int line = 0;
        for (const int index : kGeneralColumns[column]) {
            const OptionRow *row =
                index >= 0 ? findOptionRow(OptionControl::Combo1, index) : nullptr;
            if (!row)
                continue;
            const int labelColumn = static_cast<int>(column) * 3;
            generalGrid->addWidget(m_binder->label(*row), line, labelColumn);
            generalGrid->addWidget(m_binder->combo1(index), line++, labelColumn + 1);
        }
        // Room between the column pairs.
        if (column + 1 < kGeneralColumns.size())
            generalGrid->setColumnMinimumWidth(static_cast<int>(column) * 3 + 2, 12);
    }
    return general;
}

QWidget *FrmOptFeatures::layOutPublicFrame(int set)
{
    QGroupBox *box = frame(kPublicFrameName[static_cast<std::size_t>(set)], m_content);
    auto *grid = labelledGrid(box);
    for (int line = 0; line < static_cast<int>(kPublicLines.size()); ++line) {
        const int index = kPublicLines[static_cast<std::size_t>(line)];
        const OptionRow *row = findOptionRow(OptionControl::PublicBox, index, set);
        grid->addWidget(m_binder->label(*row), line, 0);
        grid->addWidget(m_binder->publicBox(set, index), line, 1);
    }
    grid->setRowStretch(10, 1);
    m_publicFrames[set] = box;
    return box;
}

QWidget *FrmOptFeatures::layOutBleFrame()
{
    m_bleFrame = frame("FrameBLE", m_content);
    auto *ble = labelledGrid(m_bleFrame);
    int line = 0;
    for (const int index : kBleBoxes) {
        const OptionRow *row = findOptionRow(OptionControl::Combo1, index);
        ble->addWidget(m_binder->label(*row), line, 0);
        ble->addWidget(m_binder->combo1(index), line++, 1);
    }
    const OptionRow *nameRow = findOptionRow(OptionControl::Text4, 13);
    ble->addWidget(m_binder->label(*nameRow), line, 0);
    ble->addWidget(m_binder->text4(13), line++, 1);
    ble->setRowStretch(line, 1);
    return m_bleFrame;
}

QWidget *FrmOptFeatures::layOutRadioSettings()
{
    // Mode enables, protections, the USB/LSB thresholds and the repeater offset.
    auto *right = new QWidget(m_content);
    right->setObjectName(QStringLiteral("RadioSettings"));
    auto *column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(layOutModeEnableFrame(right));
    column->addWidget(layOutProtections(right));
    column->addWidget(layOutUsbLsbRssiFrame(right));
    column->addLayout(layOutRepeaterOffset(right));
    column->addStretch(1);
    return right;
}

QWidget *FrmOptFeatures::layOutModeEnableFrame(QWidget *parent)
{
    m_modeEnableFrame = frame("FrameModeEnable", parent);
    auto *modes = new QGridLayout(m_modeEnableFrame);
    for (int index = kFirstModeEnable; index <= kLastModeEnable; ++index) {
        const int n = index - kFirstModeEnable;
        modes->addWidget(m_binder->check1(index), n % 3, n / 3);
    }
    return m_modeEnableFrame;
}

QWidget *FrmOptFeatures::layOutProtections(QWidget *parent)
{
    auto *protections = new QWidget(parent);
    protections->setObjectName(QStringLiteral("Protections"));
    auto *protect = labelledGrid(protections);
    protect->setContentsMargins(0, 0, 0, 0);
    const auto textPair = [&](int index, int atLine, int atColumn) {
        const OptionRow *row = findOptionRow(OptionControl::Text2, index);
        protect->addWidget(m_binder->label(*row), atLine, atColumn);
        protect->addWidget(m_binder->text2(index), atLine, atColumn + 1);
    };
    protect->addWidget(m_binder->check1(kSwrProtectCheck), 0, 0, 1, 2);
    textPair(0, 0, 2);
    protect->addWidget(m_binder->check1(kTdcSetCheck), 1, 0, 1, 2);
    textPair(1, 2, 0);
    textPair(2, 2, 2);
    return protections;
}

QWidget *FrmOptFeatures::layOutUsbLsbRssiFrame(QWidget *parent)
{
    m_usbLsbRssiFrame = frame("FrameUsbLsbRssi", parent);
    auto *rssi = labelledGrid(m_usbLsbRssiFrame);
    for (int index = 6; index < 12; ++index) {
        const OptionRow *row = findOptionRow(OptionControl::Text4, index);
        QLabel *label = m_binder->label(*row);
        label->setAlignment(Qt::AlignCenter);
        rssi->addWidget(label, 0, index - 6);
        rssi->addWidget(m_binder->text4(index), 1, index - 6);
    }
    return m_usbLsbRssiFrame;
}

QLayout *FrmOptFeatures::layOutRepeaterOffset(QWidget *parent)
{
    auto *repeater = new QHBoxLayout;
    repeater->setSpacing(labelGap(parent));
    const OptionRow *offsetRow = findOptionRow(OptionControl::Text4, 12);
    repeater->addWidget(m_binder->label(*offsetRow));
    repeater->addWidget(m_binder->text4(12));
    auto *megahertz = new QLabel(parent);
    megahertz->setObjectName(QStringLiteral("LabelMHz"));
    m_megahertz = megahertz;
    repeater->addWidget(megahertz);
    repeater->addStretch(1);
    return repeater;
}

void FrmOptFeatures::fitTextBoxes()
{
    // Short numbers need no wide boxes.
    for (const OptionRow &row : optionRows()) {
        if (row.control != OptionControl::Text2 && row.control != OptionControl::Text4)
            continue;
        auto *edit = static_cast<QLineEdit *>(m_binder->control(row));
        const bool threshold = row.control == OptionControl::Text4 && row.index < 12;
        const bool name = row.control == OptionControl::Text4 && row.index == 13;
        const int characters = threshold ? 3 : name ? 16 : 6;
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters +
                            12);
    }
}

void FrmOptFeatures::layOutWindow()
{
    // The scrolled options above the buttons.
    m_scroll->setWidget(m_content);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("CommandClose"));
    m_help = new QPushButton(this);
    m_help->setObjectName(QStringLiteral("CommandHelp"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_help);
    auto *window = new QVBoxLayout(this);
    window->addWidget(m_scroll, 1);
    window->addLayout(buttons);
}

void FrmOptFeatures::setReadingOrder()
{
    std::vector<QWidget *> order;
    for (const auto &column : kGeneralColumns)
        for (const int index : column)
            if (QWidget *box = index >= 0 ? m_binder->combo1(index) : nullptr)
                order.push_back(box);
    // The mode enables stand in two columns of three.
    for (int index = kFirstModeEnable; index <= kLastModeEnable; ++index)
        order.push_back(m_binder->check1(index));
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_binder->check1(kSwrProtectCheck), m_binder->text2(0), m_binder->check1(kTdcSetCheck),
             m_binder->text2(1), m_binder->text2(2)})
        order.push_back(control);
    for (int index = 6; index <= 12; ++index)
        order.push_back(m_binder->text4(index));
    for (int set = 0; set < 3; ++set)
        for (const int index : kPublicLines)
            order.push_back(m_binder->publicBox(set, index));
    for (const int index : kBleBoxes)
        order.push_back(m_binder->combo1(index));
    order.push_back(m_binder->text4(13));
    order.push_back(m_close);
    order.push_back(m_help);
    for (std::size_t n = 1; n < order.size(); ++n)
        setTabOrder(order[n - 1], order[n]);
}

void FrmOptFeatures::relabel()
{
    const int lang = language();
    setWindowTitle(qText(textFor(kCaption, lang)));
    m_binder->relabel(lang);
    const QString suffix = qText(textFor(kPublicFrameSuffix, lang));
    for (std::size_t set = 0; set < kPublicFramePrefix.size(); ++set)
        m_publicFrames[set]->setTitle(qText(textFor(kPublicFramePrefix[set], lang)) + suffix);
    m_bleFrame->setTitle(qText(textFor(kBleFrame, lang)));
    m_modeEnableFrame->setTitle(qText(textFor(kModeEnableFrame, lang)));
    m_fmAmRssiFrame->setTitle(qText(textFor(kFmAmRssiFrame, lang)));
    m_usbLsbRssiFrame->setTitle(qText(textFor(kUsbLsbRssiFrame, lang)));
    static_cast<QLabel *>(m_megahertz)->setText(qText(textFor(kMegahertz, lang)));
    m_close->setText(qText(textFor(ButtonTexts::kClose, lang)));
    m_help->setText(qText(textFor(ButtonTexts::kHelp, lang)));
    static const WindowHelp help = optionWindowHelp();
    applySettingHelp(*this, help, lang);
    // The boxes out of sight that hold nothing still say what they are.
    const QString parked = qText(parkedControlHelp().in(lang));
    for (QWidget *control : m_parked->findChildren<QWidget *>())
        if ((qobject_cast<QComboBox *>(control) || qobject_cast<QCheckBox *>(control)) &&
            !findSettingHelp(help, stdText(control->objectName())))
            control->setToolTip(parked);
}

void FrmOptFeatures::ReShowData()
{
    m_loaded = false;
    const int lang = language();
    m_binder->fill(lang);
    const QSignalBlocker modes(m_modeList);
    const QSignalBlocker functions(m_functionList);
    m_modeList->clear();
    for (const TextEntry &mode : kPublicMode)
        m_modeList->addItem(qText(textFor(mode, lang)));
    m_functionList->clear();
    for (const TextEntry &function : kKeyFunctions)
        m_functionList->addItem(qText(textFor(function, lang)));
    m_editedTexts.clear();
    applyEnabling();
    const bool vox = voxEnabled(settings());
    enableVox(vox, vox);
    m_loaded = true;
}

void FrmOptFeatures::ShowRB()
{
    m_binder->fill(language(), ItemSource::RogerTones);
}

void FrmOptFeatures::ShowDTMF()
{
    m_binder->fill(language(), ItemSource::DtmfCodes);
}

void FrmOptFeatures::applyEnabling()
{
    const SettingsRecord &record = settings();
    const auto enable = [this](const OptionRow *row, bool on) {
        if (!row)
            return;
        m_binder->control(*row)->setEnabled(on);
        if (QLabel *label = m_binder->label(*row))
            label->setEnabled(on);
    };
    const bool swr = m_binder->check1(kSwrProtectCheck)->isChecked();
    const bool battery = m_binder->check1(kTdcSetCheck)->isChecked();
    enable(findOptionRow(OptionControl::Text2, 0), swr);
    enable(findOptionRow(OptionControl::Text2, 1), battery);
    enable(findOptionRow(OptionControl::Text2, 2), battery);
    const bool pKeys = handTypeUsesPKeys(record);
    enable(findOptionRow(OptionControl::Combo1, kPfKeyBox), !pKeys);
    for (const int index : kKeyBoxes)
        enable(findOptionRow(OptionControl::Combo1, index), pKeys);
}

void FrmOptFeatures::enableVox(bool level, bool delay)
{
    for (const auto &[index, on] :
         {std::pair{kVoxLevelBox, level}, std::pair{kVoxDelayBox, delay}}) {
        QComboBox *box = m_binder->combo1(index);
        box->setEnabled(on);
        m_binder->label(*findOptionRow(OptionControl::Combo1, index))->setEnabled(on);
    }
}

void FrmOptFeatures::onChoice(const OptionRow &row)
{
    if (!m_loaded)
        return;
    if (row.control == OptionControl::Combo1 && row.index == kVoxLevelBox) {
        QComboBox *level = m_binder->combo1(kVoxLevelBox);
        enableVox(level->isEnabled(), voxDelayEnabledByLevel(level->currentIndex()));
    }
    SaveOptFeat(saveIdentifier(row));
}

void FrmOptFeatures::SaveOptFeat(int identifier)
{
    SettingsRecord record = settings();
    const OptionRow *row = OptionBinder::rowForIdentifier(identifier);
    if (row) {
        m_binder->storeControl(*row, record);
        const bool modeEnable = row->control == OptionControl::Check1 &&
                                row->index >= kFirstModeEnable && row->index <= kLastModeEnable;
        if (modeEnable)
            row->field.set(record,
                           modeEnableAfterChoice(record, row->index, row->field.get(record)));
    }
    settings() = record;
    if (!row)
        return;
    // A refused choice shows the stored value again.
    m_binder->showRow(*row, language());
    applyEnabling();
    if (row->control == OptionControl::Combo1 && row->index == kVoxOnOffBox) {
        const bool vox = voxEnabled(settings());
        enableVox(vox, vox);
    }
    DocumentNotifier &notifier = m_host.notifier();
    Q_EMIT notifier.settingsChanged();
    if (row->control == OptionControl::Combo1 && contains(kPublicSwitches, row->index))
        Q_EMIT notifier.publicChannelsChanged();
}

void FrmOptFeatures::onTextLeft(const OptionRow &row)
{
    if (!m_loaded)
        return;
    m_editedTexts.erase(&row);
    auto *edit = static_cast<QLineEdit *>(m_binder->control(row));
    SettingsRecord record = settings();
    if (!enterText(row, record, stdText(edit->text()), systemRecordTextCodec()))
        m_context.messages->inform(stdText(qText(m_context.text(Messages::kTextNotInCodePage))
                                               .arg(systemRecordTextCodec().codePage())),
                                   MessageIcon::Warning);
    const bool changed = !(record == settings());
    settings() = record;
    // The box shows what was kept; the voltage boxes may have been exchanged.
    for (const OptionRow &other : optionRows())
        if (other.control == row.control)
            m_binder->showRow(other, language());
    if (changed)
        Q_EMIT m_host.notifier().settingsChanged();
}

void FrmOptFeatures::commitPendingEdits()
{
    const std::set<const OptionRow *> pending = m_editedTexts;
    for (const OptionRow *row : pending)
        onTextLeft(*row);
}

void FrmOptFeatures::closeEvent(QCloseEvent *event)
{
    commitPendingEdits();
    // A text box that loses the focus while the window goes away stores nothing more.
    m_loaded = false;
    QWidget::closeEvent(event);
}

QSize FrmOptFeatures::sizeHint() const
{
    const QSize content = m_content->sizeHint();
    const QMargins margins = contentsMargins() + layout()->contentsMargins();
    const int scrollBar = m_scroll->verticalScrollBar()->sizeHint().width();
    QSize wanted(content.width() + margins.left() + margins.right() + scrollBar,
                 content.height() + margins.top() + margins.bottom() +
                     m_close->sizeHint().height() + layout()->spacing());
    // No larger than the main window's frame, so that its cascade keeps the window inside.
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub && sub->mdiArea() && sub->isVisible())
        wanted = wanted.boundedTo(sub->mdiArea()->viewport()->size() - (sub->size() - size()));
    return wanted;
}

void FrmOptFeatures::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // After the main window has placed it.
    QTimer::singleShot(0, this, &FrmOptFeatures::fitIntoFrame);
}

void FrmOptFeatures::fitIntoFrame()
{
    // Inside the main window's frame the window takes no more room than the frame has; the
    // options scroll where they must.
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!sub || !sub->mdiArea() || sub->isMaximized() || sub->isMinimized())
        return;
    const QSize room = sub->mdiArea()->viewport()->size();
    QRect frame = sub->geometry();
    const QSize wanted = (sizeHint() + (sub->size() - size())).boundedTo(room);
    frame.setSize(wanted);
    frame.moveLeft(qMax(0, qMin(frame.x(), room.width() - frame.width())));
    frame.moveTop(qMax(0, qMin(frame.y(), room.height() - frame.height())));
    sub->setGeometry(frame);
}
