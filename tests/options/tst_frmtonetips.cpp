#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "kernel/FileDialogs.h"
#include "kernel/WheelGuard.h"
#include "options/FrmToneTips.h"
#include "options/RogerBeepWindows.h"
#include "options/TonePreview.h"
#include "support/UserInput.h"
#include "support/WindowHarness.h"

// The roger-beep window driven as a user drives it, inside the main window.
class TestFrmToneTips : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void showsTheSetOfTheChosenTab();
    void refusalsKeepOneSetDefined_data();
    void refusalsKeepOneSetDefined();
    void undefinedSetLeavesTheRogerListsOfOpenWindows();
    void frequencyFoundInTheFullListAndDrawn_data();
    void frequencyFoundInTheFullListAndDrawn();
    void playIsDisabledWhileASetPlays();
    void closingOrReplacingTheDocumentEndsThePreview();
    void noSoundOutputIsSaidInTheWindow();
    void languageChangeRelabelsAndKeepsTheChoices();
    void saveAsWavWritesThePreview();
    void soundDeviceReadsTheGeneratorsSamples();
    void wheelChangesOnlyTheBoxWithFocus();
    void tabFollowsReadingOrder();
};

namespace {

// A player that plays until the test says the set is over.
class FakePlayer : public TonePlayer
{
public:
    bool available() const override { return true; }
    bool play(const ToneSet &set) override
    {
        played.push_back(set);
        playing = true;
        return true;
    }
    void stop() override
    {
        if (playing)
            finish();
    }
    bool isPlaying() const override { return playing; }
    void finish()
    {
        playing = false;
        Q_EMIT finished();
    }

    std::vector<ToneSet> played;
    bool playing = false;
};

// What a channel window does with the notifier: reads its roger-beep choice again when the tone
// sets change.
struct RogerListener : QObject
{
    RogerListener(DocumentNotifier &notifier, const DocumentSet &document)
    {
        connect(&notifier, &DocumentNotifier::toneSetsChanged, this,
                [this, &document] { seen.push_back(document.channels.entry(CB, 1, 1).RogerBeep); });
    }
    std::vector<int> seen;
};

} // namespace

struct ToneWindowFixture : MainWindowHarness
{
    ToneWindowFixture()
    {
        DocumentSet &document = context.document.working();
        document.settings.toneTips = defaultToneTips();
        context.fileDialogs = &dialogs;
        MainWindowHooks hooks;
        hooks.addWindow("FrmToneTips", [this](AppContext &c, MainWindowHost &host) -> QWidget * {
            auto fake = std::make_unique<FakePlayer>();
            player = fake.get();
            return new FrmToneTips(c, host, useRealPlayer ? nullptr : std::move(fake));
        });
        start(std::move(hooks));
    }

    FrmToneTips *open()
    {
        return qobject_cast<FrmToneTips *>(window->openChildWindow("FrmToneTips"));
    }
    ToneTipTable &table() { return context.document.working().settings.toneTips; }
    // Leaves only set 1 defined.
    void onlySetOneDefined()
    {
        for (int number = 2; number <= kToneSetCount; ++number)
            table().set(number).recycleTimes = 0;
    }

    ScriptedFileDialogs dialogs;
    FakePlayer *player = nullptr;
    bool useRealPlayer = false;
};

static std::unique_ptr<ToneWindowFixture> fixture;

template<typename T>
T *control(const char *name)
{
    return findNamed<T>(fixture->window->childWindow("FrmToneTips"), name);
}

void TestFrmToneTips::initTestCase()
{
    // The program's start installs the same guard.
    installWheelGuard(qApp);
}

void TestFrmToneTips::init()
{
    fixture = std::make_unique<ToneWindowFixture>();
}

void TestFrmToneTips::cleanup()
{
    fixture.reset();
}

void TestFrmToneTips::showsTheSetOfTheChosenTab()
{
    fixture->table().set(4).interTime = 12;
    FrmToneTips *window = fixture->open();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Roger Beep"));
    auto *tabs = control<QTabBar>("TabStrip1");
    QCOMPARE(tabs->count(), 8);
    QCOMPARE(tabs->tabText(7), QStringLiteral("RB Tone 8"));
    QCOMPARE(control<QComboBox>("Combo3_0")->currentText(), QStringLiteral("2100"));
    QCOMPARE(control<QComboBox>("Combo3_1")->currentText(), QStringLiteral("None"));
    QCOMPARE(control<QComboBox>("Combo4_1")->currentText(), QStringLiteral("100"));
    QCOMPARE(control<QComboBox>("Combo3_0")->count(), 1 + 216);
    QCOMPARE(control<QComboBox>("Combo2")->count(), 256);

    QTest::keyClick(tabs, Qt::Key_Right);
    QTest::keyClick(tabs, Qt::Key_Right);
    QTest::keyClick(tabs, Qt::Key_Right);
    QCOMPARE(window->currentSet(), 4);
    QCOMPARE(control<QComboBox>("Combo2")->currentText(), QStringLiteral("120"));
    QCOMPARE(control<QComboBox>("Combo3_4")->currentText(), QStringLiteral("1920"));
    QCOMPARE(control<QComboBox>("Combo4_5")->currentText(), QStringLiteral("0"));
    QCOMPARE(control<QComboBox>("Combo1")->currentText(), QStringLiteral("1"));
}

void TestFrmToneTips::refusalsKeepOneSetDefined_data()
{
    QTest::addColumn<bool>("onlyOne");
    QTest::addColumn<bool>("clearRecycle"); // else clear every duration, first to last
    QTest::newRow("Off for the only defined set") << true << true;
    QTest::newRow("the last duration of the only defined set") << true << false;
    QTest::newRow("Off while another set is defined") << false << true;
    QTest::newRow("every duration while another set is defined") << false << false;
}

void TestFrmToneTips::refusalsKeepOneSetDefined()
{
    QFETCH(bool, onlyOne);
    QFETCH(bool, clearRecycle);
    if (onlyOne)
        fixture->onlySetOneDefined();
    fixture->open();
    QSignalSpy changes(&fixture->notifier, &DocumentNotifier::toneSetsChanged);
    const ToneSet before = fixture->table().set(1);
    if (clearRecycle) {
        auto *recycle = control<QComboBox>("Combo1");
        QTest::keyClick(recycle, Qt::Key_Up);
        QCOMPARE(recycle->currentText(), onlyOne ? QStringLiteral("1") : QStringLiteral("Off"));
        QCOMPARE(int(fixture->table().set(1).recycleTimes), onlyOne ? 1 : 0);
    } else {
        for (int tone = 0; tone < 7; ++tone) {
            auto *duration = control<QComboBox>(qPrintable(QStringLiteral("Combo4_%1").arg(tone)));
            duration->setCurrentIndex(0);
            const bool refused = onlyOne && tone == 6;
            QCOMPARE(duration->currentText(),
                     refused ? QStringLiteral("100") : QStringLiteral("0"));
            QCOMPARE(int(fixture->table().set(1).tones[std::size_t(tone)].duration),
                     refused ? 10 : 0);
        }
    }
    QCOMPARE(CountDefinedToneSets(fixture->table()), onlyOne ? 1 : 4);
    if (onlyOne && clearRecycle) {
        QCOMPARE(fixture->table().set(1), before);
        QCOMPARE(changes.count(), 0);
    }
    QVERIFY(fixture->messages.questions.empty());
}

void TestFrmToneTips::undefinedSetLeavesTheRogerListsOfOpenWindows()
{
    DocumentSet &document = fixture->context.document.working();
    document.settings.channelCounts.at(CB, 1) = 1;
    document.channels.entry(CB, 1, 1).RogerBeep = 128; // set 1
    document.settings.options.publicSets[PublicCb].roger = 128;
    RogerListener listener(fixture->notifier, document);
    fixture->open();

    // Set 1 off while sets 2-5 stay defined: every reference to it is cleared before the windows
    // are told, so the lists they rebuild no longer show it.
    QTest::keyClick(control<QComboBox>("Combo1"), Qt::Key_Up);
    QCOMPARE(listener.seen, std::vector<int>{0});
    QCOMPARE(int(document.settings.options.publicSets[PublicCb].roger), 0);

    // Back on: the cleared choices stay cleared, the windows are told again.
    QTest::keyClick(control<QComboBox>("Combo1"), Qt::Key_Down);
    QCOMPARE(listener.seen, (std::vector<int>{0, 0}));
    QVERIFY(hasPlayableTones(fixture->table().set(1)));
}

void TestFrmToneTips::frequencyFoundInTheFullListAndDrawn_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("bars");
    QTest::newRow("lowest") << "400" << 40 << 5;
    QTest::newRow("highest") << "2550" << 255 << 5;
    QTest::newRow("None makes a rest") << "None" << 0 << 4;
}

void TestFrmToneTips::frequencyFoundInTheFullListAndDrawn()
{
    QFETCH(QString, chosen);
    QFETCH(int, field);
    QFETCH(int, bars);
    fixture->table().set(1).tones[1].frequency = 123; // a rest turned into a tone of 1230 Hz
    fixture->open();
    auto *picture = findNamed<TonePicture>(fixture->window->childWindow("FrmToneTips"), "Picture1");
    QCOMPARE(picture->bars().size(), std::size_t(5));
    auto *frequency = control<QComboBox>("Combo3_1");
    QCOMPARE(frequency->currentText(), QStringLiteral("1230"));
    frequency->setCurrentIndex(frequency->findText(chosen));
    QCOMPARE(int(fixture->table().set(1).tones[1].frequency), field);
    QCOMPARE(picture->bars().size(), std::size_t(bars));

    // Durations and a cleared set follow too; nothing is drawn for a total of 0.
    fixture->table().set(1) = ToneSet{};
    fixture->table().set(1).recycleTimes = 1;
    fixture->table().set(1).tones[0] = {210, 0};
    control<QTabBar>("TabStrip1")->setCurrentIndex(1);
    control<QTabBar>("TabStrip1")->setCurrentIndex(0);
    QVERIFY(picture->bars().empty());
    control<QComboBox>("Combo4_0")->setCurrentIndex(3);
    QCOMPARE(picture->bars().size(), std::size_t(1));
}

void TestFrmToneTips::playIsDisabledWhileASetPlays()
{
    fixture->open();
    auto *play = control<QPushButton>("Command1");
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(fixture->player->played.size(), std::size_t(1));
    QCOMPARE(fixture->player->played[0], fixture->table().set(1));
    QVERIFY(!play->isEnabled());
    fixture->player->finish();
    QVERIFY(play->isEnabled());

    QTest::mouseClick(play, Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(!fixture->player->playing);
    QVERIFY(play->isEnabled());

    // A set that plays nothing is not started.
    fixture->table().set(1).recycleTimes = 0;
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(fixture->player->played.size(), std::size_t(2));
    QVERIFY(play->isEnabled());
}

void TestFrmToneTips::closingOrReplacingTheDocumentEndsThePreview()
{
    fixture->open();
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(fixture->player->playing);
    Q_EMIT fixture->notifier.documentReplaced();
    QVERIFY(!fixture->player->playing);

    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(fixture->player->playing);
    bool stoppedOnClose = false;
    connect(fixture->player, &TonePlayer::finished, this, [&] { stoppedOnClose = true; });
    QTest::mouseClick(control<QPushButton>("CommandClose"), Qt::LeftButton);
    QVERIFY(stoppedOnClose);
    QTRY_VERIFY(!fixture->window->childWindow("FrmToneTips"));
}

void TestFrmToneTips::noSoundOutputIsSaidInTheWindow()
{
    if (makeSystemTonePlayer()->available())
        QSKIP("this machine has a sound output");
    fixture->useRealPlayer = true;
    fixture->open();
    auto *state = control<QLabel>("LabelSoundOutput");
    QVERIFY(!state->isHidden());
    QCOMPARE(state->text(), QStringLiteral("No sound output is available."));
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QVERIFY(fixture->messages.questions.empty());
}

void TestFrmToneTips::languageChangeRelabelsAndKeepsTheChoices()
{
    fixture->open();
    control<QTabBar>("TabStrip1")->setCurrentIndex(5); // set 6: recycle times Off
    control<QComboBox>("Combo2")->setCurrentIndex(7);
    fixture->context.language.languageIndex = Chinese;
    Q_EMIT fixture->notifier.languageChanged();
    QCOMPARE(control<QTabBar>("TabStrip1")->tabText(0), QStringLiteral("RB音 1"));
    QCOMPARE(control<QTabBar>("TabStrip1")->currentIndex(), 5);
    QCOMPARE(control<QComboBox>("Combo1")->currentText(), QStringLiteral("关"));
    QCOMPARE(control<QComboBox>("Combo3_0")->currentText(), QStringLiteral("无"));
    QCOMPARE(control<QComboBox>("Combo2")->currentText(), QStringLiteral("70"));
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("播放(&P)"));
    QCOMPARE(control<QPushButton>("CommandClose")->text(), QStringLiteral("关闭(&C)"));
    QCOMPARE(int(fixture->table().set(6).interTime), 7);
}

void TestFrmToneTips::saveAsWavWritesThePreview()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("set5.wav").toStdString();
    fixture->dialogs.answers = {path};
    fixture->table().set(5).recycleTimes = 2;
    fixture->open();
    control<QTabBar>("TabStrip1")->setCurrentIndex(4);
    QTest::mouseClick(control<QPushButton>("CommandWav"), Qt::LeftButton);
    QCOMPARE(fixture->dialogs.shown.size(), std::size_t(1));
    QCOMPARE(fixture->dialogs.shown[0].filter, std::string("WAV File|*.wav"));
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Six tones of 200 ms, played twice.
    QCOMPARE(file.size(), 44 + 2 * 2 * 1200 * 44100 / 1000);

    // A set that plays nothing is not written; the window says so.
    control<QTabBar>("TabStrip1")->setCurrentIndex(6);
    QTest::mouseClick(control<QPushButton>("CommandWav"), Qt::LeftButton);
    QCOMPARE(fixture->dialogs.shown.size(), std::size_t(1));
    QCOMPARE(fixture->messages.questions.size(), std::size_t(1));
    QCOMPARE(fixture->messages.questions[0].text,
             std::string("This roger-beep set plays nothing."));
}

void TestFrmToneTips::soundDeviceReadsTheGeneratorsSamples()
{
    // What QAudioSink pulls, in the odd sizes a device asks for, is the rendered set and then ends.
    const ToneSet set = defaultToneTips().set(3);
    ToneSource source(set, kToneSampleRate);
    QVERIFY(source.isReadable());
    QByteArray pulled;
    while (!source.atEnd()) {
        QVERIFY(source.bytesAvailable() > 0);
        const QByteArray piece = source.read(1234);
        QVERIFY(!piece.isEmpty());
        pulled += piece;
    }
    QCOMPARE(source.read(100), QByteArray());
    const std::vector<std::int16_t> rendered = renderToneSet(set);
    QCOMPARE(pulled, QByteArray(reinterpret_cast<const char *>(rendered.data()),
                                qsizetype(rendered.size() * 2)));
}

void TestFrmToneTips::wheelChangesOnlyTheBoxWithFocus()
{
    fixture->showAndActivate();
    FrmToneTips *window = fixture->open();
    const ToneTipTable before = fixture->table();
    control<QPushButton>("CommandHelp")->setFocus();
    for (QComboBox *box : window->findChildren<QComboBox *>()) {
        turnWheelOver(box, -10);
        turnWheelOver(box, 10);
    }
    QVERIFY(fixture->table() == before);

    auto *frequency = control<QComboBox>("Combo3_2");
    frequency->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(frequency->hasFocus());
    turnWheelOver(frequency, -1);
    QCOMPARE(frequency->currentText(), QStringLiteral("2110"));
    QCOMPARE(int(fixture->table().set(1).tones[2].frequency), 211);
}

void TestFrmToneTips::tabFollowsReadingOrder()
{
    fixture->showAndActivate();
    FrmToneTips *window = fixture->open();
    QStringList expected{"TabStrip1", "Combo1", "Combo2"};
    for (int tone = 0; tone < kTonesPerSet; ++tone)
        expected << QStringLiteral("Combo3_%1").arg(tone) << QStringLiteral("Combo4_%1").arg(tone);
    expected << "Command1"
             << "Command2"
             << "CommandWav"
             << "CommandClose"
             << "CommandHelp";
    QCOMPARE(tabChain(window, control<QWidget>("TabStrip1")), expected);
}

QTEST_MAIN(TestFrmToneTips)
#include "tst_frmtonetips.moc"
