#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

#include "options/ToneGenerator.h"
#include "options/TonePreview.h"
#include "radio/RogerBeep.h"

class AppContext;
class MainWindowHost;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;

// The tone picture: one bar per sounding tone, as wide as its share of the set's duration and as
// high as its frequency, in two alternating styles.
class TonePicture : public QWidget
{
public:
    using QWidget::QWidget;

    void showSet(const ToneSet &set);
    const std::vector<ToneBar> &bars() const { return m_bars; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<ToneBar> m_bars;
};

// The roger-beep window: edits the eight tone sets of the working document, draws the current
// set and plays it on the computer's speaker or into a WAV file.
class FrmToneTips : public QWidget
{
    Q_OBJECT

public:
    // A window without a player of its own plays on the computer's sound output.
    FrmToneTips(AppContext &context, MainWindowHost &host,
                std::unique_ptr<TonePlayer> player = nullptr, QWidget *parent = nullptr);
    ~FrmToneTips() override;

    // The set on show, 1-8.
    int currentSet() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    // Tab goes through the controls in reading order.
    void setReadingOrder();
    void fillLists();
    void relabel();
    void showSet();
    void showSoundState();

    ToneSet &set();
    // Stores a change of recycle times or of a duration unless it would leave no set defined;
    // false, with the box put back, when refused.
    bool storeUnlessLastDefined(const ToneSet &changed);
    void recycleTimesChosen(int index);
    void interTimeChosen(int index);
    void frequencyChosen(int tone);
    void durationChosen(int tone, int index);
    void toneSetsChanged();

    void play();
    void stopPlaying();
    void saveWav();

    AppContext &m_context;
    MainWindowHost &m_host;
    std::unique_ptr<TonePlayer> m_player;

    QTabBar *m_tabs = nullptr;
    QLabel *m_recycleLabel = nullptr;
    QComboBox *m_recycle = nullptr;
    QLabel *m_interLabel = nullptr;
    QComboBox *m_inter = nullptr;
    std::array<QLabel *, kTonesPerSet> m_toneLabels{};
    std::array<QLabel *, 2> m_frequencyHeaders{};
    std::array<QLabel *, 2> m_durationHeaders{};
    std::array<QComboBox *, kTonesPerSet> m_frequencies{};
    std::array<QComboBox *, kTonesPerSet> m_durations{};
    TonePicture *m_picture = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_saveWav = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_help = nullptr;
    QLabel *m_soundState = nullptr;
    bool m_noSound = false;
};
