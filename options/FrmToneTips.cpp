#include "options/FrmToneTips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/MainWindowHost.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "options/QtWavFile.h"
#include "options/TonePreview.h"
#include "options/ToneTipsHelp.h"

namespace {

namespace T = RogerBeepTexts;

constexpr int kHighestRecycleTimes = 10;
constexpr int kHighestTimeField = 255; // 2550 ms
constexpr int kLowestFrequencyField = 40;
constexpr int kHighestFrequencyField = 255;
constexpr int kRowsPerColumn = kTonesPerSet / 2;
// Labels stand 100 twips left of their list boxes (at 96 dots an inch).
constexpr int kLabelGap = 7;

QStringList tenSteps(int firstField, int lastField)
{
    QStringList items;
    for (int field = firstField; field <= lastField; ++field)
        items << QString::number(field * 10);
    return items;
}

QComboBox *namedCombo(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setMaxVisibleItems(20);
    // The wheel changes a box only once it has been clicked or tabbed into.
    combo->setFocusPolicy(Qt::StrongFocus);
    return combo;
}

QLabel *rightLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// The list position of a stored frequency: "None" for no tone and for a rest below the list.
int frequencyIndex(int field)
{
    return field >= kLowestFrequencyField && field <= kHighestFrequencyField
               ? field - kLowestFrequencyField + 1
               : 0;
}

// A stored value outside its list shows the first item.
int listIndex(int value, const QComboBox *combo)
{
    return value >= 0 && value < combo->count() ? value : 0;
}

} // namespace

void TonePicture::showSet(const ToneSet &set)
{
    m_bars = toneBars(set);
    update();
}

void TonePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    const QRectF area = QRectF(frame).adjusted(4, 4, -4, -2);
    for (const ToneBar &bar : m_bars) {
        const double height = bar.height * area.height();
        const QRectF shape(area.left() + bar.left * area.width(), area.bottom() - height,
                           std::max(1.0, bar.width * area.width()), height);
        if (bar.alternate) {
            painter.setPen(QColor(0, 110, 70));
            painter.setBrush(QBrush(QColor(60, 170, 110), Qt::Dense3Pattern));
        } else {
            painter.setPen(QColor(0, 60, 130));
            painter.setBrush(QColor(40, 110, 200));
        }
        painter.drawRect(shape);
    }
}

FrmToneTips::FrmToneTips(AppContext &context, MainWindowHost &host,
                         std::unique_ptr<TonePlayer> player, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
    , m_player(player ? std::move(player) : makeSystemTonePlayer())
{
    setObjectName(QStringLiteral("FrmToneTips"));
    buildControls();
    fillLists();
    relabel();
    m_noSound = !m_player->available();
    showSet();
    showSoundState();

    DocumentNotifier &notifier = host.notifier();
    connect(&notifier, &DocumentNotifier::documentReplaced, this, [this] {
        stopPlaying();
        showSet();
    });
    connect(&notifier, &DocumentNotifier::languageChanged, this, &FrmToneTips::relabel);
    connect(m_player.get(), &TonePlayer::finished, this, [this] { m_play->setEnabled(true); });
}

FrmToneTips::~FrmToneTips()
{
    m_player->disconnect(this);
    m_player->stop();
}

int FrmToneTips::currentSet() const
{
    return m_tabs->currentIndex() + 1;
}

ToneSet &FrmToneTips::set()
{
    return m_context.document.working().settings.toneTips.set(currentSet());
}

void FrmToneTips::buildControls()
{
    // The set's controls scroll where the window has less room than they need (a large scale);
    // the buttons below stay in view.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("ToneTipsContent"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    for (int number = 1; number <= kToneSetCount; ++number)
        m_tabs->addTab(QString());
    layout->addWidget(m_tabs);

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(kLabelGap);
    m_recycleLabel = rightLabel(frame);
    m_recycle = namedCombo(QStringLiteral("Combo1"), frame);
    m_interLabel = rightLabel(frame);
    m_inter = namedCombo(QStringLiteral("Combo2"), frame);
    grid->addWidget(m_recycleLabel, 0, 0);
    grid->addWidget(m_recycle, 0, 1);
    grid->addWidget(m_interLabel, 0, 4);
    grid->addWidget(m_inter, 0, 5);
    grid->setRowMinimumHeight(1, 8);
    for (int column = 0; column < 2; ++column) {
        m_frequencyHeaders[column] = new QLabel(frame);
        m_durationHeaders[column] = new QLabel(frame);
        grid->addWidget(m_frequencyHeaders[column], 2, 3 * column + 1);
        grid->addWidget(m_durationHeaders[column], 2, 3 * column + 2);
    }
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        const int row = 3 + tone % kRowsPerColumn;
        const int column = 3 * (tone / kRowsPerColumn);
        m_toneLabels[tone] = rightLabel(frame);
        m_frequencies[tone] = namedCombo(QStringLiteral("Combo3_%1").arg(tone), frame);
        m_durations[tone] = namedCombo(QStringLiteral("Combo4_%1").arg(tone), frame);
        m_toneLabels[tone]->setBuddy(m_frequencies[tone]);
        grid->addWidget(m_toneLabels[tone], row, column);
        grid->addWidget(m_frequencies[tone], row, column + 1);
        grid->addWidget(m_durations[tone], row, column + 2);
        connect(m_frequencies[tone], &QComboBox::currentIndexChanged, this,
                [this, tone] { frequencyChosen(tone); });
        connect(m_durations[tone], &QComboBox::currentIndexChanged, this,
                [this, tone](int index) { durationChosen(tone, index); });
    }
    grid->setColumnMinimumWidth(3, 16);
    layout->addWidget(frame);

    m_picture = new TonePicture(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setMinimumHeight(90);
    layout->addWidget(m_picture, 1);

    m_soundState = new QLabel(this);
    m_soundState->setObjectName(QStringLiteral("LabelSoundOutput"));
    layout->addWidget(m_soundState);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name) {
        auto *made = new QPushButton(this);
        made->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(made);
        return made;
    };
    m_play = button("Command1");
    m_stop = button("Command2");
    m_saveWav = button("CommandWav");
    buttons->addStretch(1);
    m_close = button("CommandClose");
    m_help = button("CommandHelp");
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ToneTipsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    scroll->setWidget(content);
    auto *window = new QVBoxLayout(this);
    window->addWidget(scroll, 1);
    window->addLayout(buttons);

    setReadingOrder();

    connect(m_tabs, &QTabBar::currentChanged, this, &FrmToneTips::showSet);
    connect(m_recycle, &QComboBox::currentIndexChanged, this, &FrmToneTips::recycleTimesChosen);
    connect(m_inter, &QComboBox::currentIndexChanged, this, &FrmToneTips::interTimeChosen);
    connect(m_play, &QPushButton::clicked, this, &FrmToneTips::play);
    connect(m_stop, &QPushButton::clicked, this, &FrmToneTips::stopPlaying);
    connect(m_saveWav, &QPushButton::clicked, this, &FrmToneTips::saveWav);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_help, &QPushButton::clicked, this, [this] { m_host.showHelp(objectName()); });
}

void FrmToneTips::setReadingOrder()
{
    // The tabs, the recycle and inter times, the tones column by column (frequency, then
    // duration), the buttons.
    // The tab strip's arrows are for the mouse; the keyboard moves between tabs with the arrow
    // keys.
    for (QToolButton *arrow : m_tabs->findChildren<QToolButton *>())
        arrow->setFocusPolicy(Qt::NoFocus);
    std::vector<QWidget *> order{m_tabs, m_recycle, m_inter};
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        order.push_back(m_frequencies[tone]);
        order.push_back(m_durations[tone]);
    }
    for (QWidget *button : {m_play, m_stop, m_saveWav, m_close, m_help})
        order.push_back(button);
    for (std::size_t n = 1; n < order.size(); ++n)
        setTabOrder(order[n - 1], order[n]);
}

void FrmToneTips::fillLists()
{
    // "Off" and "None" are relabelled in place; the numbers are the same in both languages.
    QSignalBlocker recycleBlocker(m_recycle);
    m_recycle->addItem(QString());
    for (int times = 1; times <= kHighestRecycleTimes; ++times)
        m_recycle->addItem(QString::number(times));
    QSignalBlocker interBlocker(m_inter);
    const QStringList times = tenSteps(0, kHighestTimeField);
    m_inter->addItems(times);
    const QStringList frequencies =
        QStringList{QString()} + tenSteps(kLowestFrequencyField, kHighestFrequencyField);
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        QSignalBlocker frequencyBlocker(m_frequencies[tone]);
        QSignalBlocker durationBlocker(m_durations[tone]);
        m_frequencies[tone]->addItems(frequencies);
        m_durations[tone]->addItems(times);
    }
}

void FrmToneTips::relabel()
{
    const auto text = [this](const TextEntry &entry) { return qText(m_context.text(entry)); };
    setWindowTitle(text(T::kCaption));
    for (int number = 1; number <= kToneSetCount; ++number)
        m_tabs->setTabText(number - 1, text(T::kTab) + QLatin1Char(' ') + QString::number(number));
    m_recycleLabel->setText(text(T::kRecycleTimes));
    m_interLabel->setText(text(T::kInterTime));
    for (int column = 0; column < 2; ++column) {
        m_frequencyHeaders[column]->setText(text(T::kFrequency));
        m_durationHeaders[column]->setText(text(T::kToneLong));
    }
    m_recycle->setItemText(0, text(T::kOff));
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        m_toneLabels[tone]->setText(text(T::kToneNames[tone]));
        m_frequencies[tone]->setItemText(0, text(T::kNone));
    }
    m_play->setText(text(T::kPlay));
    m_stop->setText(text(T::kStop));
    m_saveWav->setText(text(T::kSaveWav));
    m_close->setText(text(ButtonTexts::kClose));
    m_help->setText(text(ButtonTexts::kHelp));
    static const WindowHelp help = toneTipsWindowHelp();
    applySettingHelp(*this, help, m_context.language.languageIndex);
    showSoundState();
}

void FrmToneTips::showSet()
{
    const ToneSet &shown = set();
    {
        QSignalBlocker blocker(m_recycle);
        m_recycle->setCurrentIndex(listIndex(shown.recycleTimes, m_recycle));
    }
    {
        QSignalBlocker blocker(m_inter);
        m_inter->setCurrentIndex(listIndex(shown.interTime, m_inter));
    }
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        const Tone &field = shown.tones[static_cast<std::size_t>(tone)];
        QSignalBlocker frequencyBlocker(m_frequencies[tone]);
        QSignalBlocker durationBlocker(m_durations[tone]);
        m_frequencies[tone]->setCurrentIndex(frequencyIndex(field.frequency));
        m_durations[tone]->setCurrentIndex(listIndex(field.duration, m_durations[tone]));
    }
    m_picture->showSet(shown);
}

void FrmToneTips::showSoundState()
{
    m_soundState->setText(m_noSound ? qText(m_context.text(T::kNoSoundOutput)) : QString());
    m_soundState->setVisible(m_noSound);
}

bool FrmToneTips::storeUnlessLastDefined(const ToneSet &changed)
{
    DocumentSet &document = m_context.document.working();
    if (!keepsADefinedToneSet(document.settings.toneTips, currentSet(), changed)) {
        showSet();
        return false;
    }
    set() = changed;
    // A set that is no longer defined must not stay chosen by a channel or a public channel.
    RevalidateToneRefs(document);
    toneSetsChanged();
    return true;
}

void FrmToneTips::recycleTimesChosen(int index)
{
    ToneSet changed = set();
    changed.recycleTimes = static_cast<std::int16_t>(index);
    storeUnlessLastDefined(changed);
}

void FrmToneTips::interTimeChosen(int index)
{
    set().interTime = static_cast<std::int16_t>(index);
    toneSetsChanged();
}

void FrmToneTips::frequencyChosen(int tone)
{
    const std::string chosen = stdText(m_frequencies[tone]->currentText());
    set().tones[static_cast<std::size_t>(tone)].frequency =
        static_cast<std::int16_t>(toneFrequencyField(chosen));
    toneSetsChanged();
}

void FrmToneTips::durationChosen(int tone, int index)
{
    ToneSet changed = set();
    changed.tones[static_cast<std::size_t>(tone)].duration = static_cast<std::int16_t>(index);
    storeUnlessLastDefined(changed);
}

void FrmToneTips::toneSetsChanged()
{
    m_picture->showSet(set());
    Q_EMIT m_host.notifier().toneSetsChanged();
}

void FrmToneTips::play()
{
    const ToneSet &current = set();
    if (ToneSetDuration(current) <= kShortestPlayedToneMilliseconds ||
        toneSchedule(current).empty())
        return;
    if (!m_player->play(current)) {
        m_noSound = true;
        showSoundState();
        return;
    }
    m_noSound = false;
    showSoundState();
    m_play->setEnabled(false);
}

void FrmToneTips::stopPlaying()
{
    m_player->stop();
    m_play->setEnabled(true);
}

void FrmToneTips::saveWav()
{
    const ToneSet current = set();
    if (toneSchedule(current).empty()) {
        m_context.messages->inform(m_context.text(T::kNothingToPlay));
        return;
    }
    const std::string filter = std::string(m_context.text(T::kWavFilterLabel)) + "|*.wav";
    const std::string preset = "RB_Tone_" + std::to_string(currentSet()) + ".wav";
    const std::optional<std::string> path = m_context.fileDialogs->saveFileName(filter, preset);
    if (!path)
        return;
    if (!saveToneSetWav(qText(*path), current))
        m_context.messages->inform(m_context.text(Messages::kFileError), MessageIcon::Warning);
}

void FrmToneTips::closeEvent(QCloseEvent *event)
{
    stopPlaying();
    QWidget::closeEvent(event);
}
