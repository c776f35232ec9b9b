#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "kernel/WheelGuard.h"
#include "model/QtRecordTextCodec.h"
#include "options/OptionWindows.h"
#include "radio/ImagePacking.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"
#include "support/UserInput.h"
#include "support/WindowHarness.h"

class TestFrmOptFeatures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlCarriesItsName();
    void deviceNameShowsThroughTheSystemCodePage();
    void textBoxRules_data();
    void textBoxRules();
    void keyFilterDropsOtherCharacters();
    void voltageBoxesExchange();
    void rssiThresholdsKeepRising_data();
    void rssiThresholdsKeepRising();
    void onlyTickedModeStaysTicked();
    void choiceGivesImageByte_data();
    void choiceGivesImageByte();
    void enablingFollowsChoices();
    void publicChoiceTellsTheChannelWindow();
    void listsFollowToneSetsAndDtmfCodes();
    void languageChangeKeepsEveryChoice();
    void noTextIsClipped_data();
    void noTextIsClipped();
    void pendingEditIsStoredBeforeAWrite();
    void wheelScrollsPastTheBoxes();
    void wheelTakesOnlyABoxTheUserFocused_data();
    void wheelTakesOnlyABoxTheUserFocused();
    void voxDelayFollowsLevelAndSwitch();
    void tabFollowsReadingOrder();
    void textBoxesRefuseDrops();

private:
    SettingsRecord &settings() { return m_harness->context.document.working().settings; }
    template<typename T>
    T *control(const char *name)
    {
        T *found = findNamed<T>(m_window, name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // Types into a text box the way a user does and leaves it with Tab.
    void typeInto(const char *name, const QString &text);
    void choose(const char *name, const QString &item);
    void reopen();

    std::unique_ptr<MainWindowHarness> m_harness;
    QWidget *m_window = nullptr;
};

void TestFrmOptFeatures::initTestCase()
{
    // The program's start installs the same guard.
    installWheelGuard(qApp);
}

void TestFrmOptFeatures::init()
{
    m_harness = std::make_unique<MainWindowHarness>();
    ApplyNewDocumentDefaults(settings(), "20260101", 1);
    MainWindowHooks hooks;
    registerOptionWindows(hooks);
    m_harness->start(std::move(hooks));
    m_harness->showAndActivate();
    reopen();
}

void TestFrmOptFeatures::cleanup()
{
    m_harness.reset();
    m_window = nullptr;
}

void TestFrmOptFeatures::reopen()
{
    m_harness->window->closeAllChildWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_window = m_harness->window->openChildWindow(QStringLiteral("FrmOptFeatures"));
    QVERIFY(m_window);
}

void TestFrmOptFeatures::typeInto(const char *name, const QString &text)
{
    auto *edit = control<QLineEdit>(name);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // The whole old text is selected on entry, so typing replaces it.
    QTRY_COMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_VERIFY(!edit->hasFocus());
}

void TestFrmOptFeatures::choose(const char *name, const QString &item)
{
    auto *combo = control<QComboBox>(name);
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->setFocus();
    // Walks the closed list with the arrow keys as a user does.
    while (combo->currentIndex() != index)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

void TestFrmOptFeatures::everyControlCarriesItsName()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("FrmOptFeatures"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Optional Features"));
    const auto visible = [this](const QString &name) {
        auto *widget = findNamed<QWidget>(m_window, name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget->isVisibleTo(m_window);
    };
    const QList<int> parked{1,  4,  5,  6,  7,  17, 18, 19, 20, 21,
                            22, 23, 30, 31, 34, 43, 50, 57, 63, 68};
    for (int n = 0; n <= 72; ++n) {
        QCOMPARE(visible(QStringLiteral("Combo1_%1").arg(n)), !parked.contains(n));
        QCOMPARE(visible(QStringLiteral("Label1_%1").arg(n)), !parked.contains(n));
    }
    for (const char *array : {"Combo2_%1", "Combo6_%1", "Combo7_%1"})
        for (int n = 0; n <= 9; ++n)
            QVERIFY(visible(QString::fromLatin1(array).arg(n)));
    for (int n = 0; n <= 11; ++n)
        QCOMPARE(visible(QStringLiteral("check1_%1").arg(n)), n >= 3 && n <= 10);
    for (int n = 0; n <= 2; ++n)
        QVERIFY(visible(QStringLiteral("Text2_%1").arg(n)));
    for (int n = 0; n <= 13; ++n)
        QCOMPARE(visible(QStringLiteral("Text4_%1").arg(n)), n >= 6);
    QVERIFY(!visible(QStringLiteral("Combo3")));
    QVERIFY(!visible(QStringLiteral("Combo5")));
    QVERIFY(!visible(QStringLiteral("FrameFmAmRssi")));
    QVERIFY(visible(QStringLiteral("CommandClose")));
    QVERIFY(visible(QStringLiteral("CommandHelp")));
    QCOMPARE(control<QGroupBox>("FrameHfPublic")->title(), QStringLiteral("HF Public"));

    control<QPushButton>("CommandClose")->click();
    QTRY_VERIFY(m_harness->openWindows().isEmpty());
}

void TestFrmOptFeatures::textBoxRules_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("SWR below 1.2") << QByteArray("Text2_0") << "0.5"
                                   << "1.2" << 12;
    QTest::newRow("SWR above 20") << QByteArray("Text2_0") << "25"
                                  << "20.0" << 200;
    QTest::newRow("SWR no number") << QByteArray("Text2_0") << "1.2.3"
                                   << "20.0" << 200;
    QTest::newRow("SWR rounded") << QByteArray("Text2_0") << "3.46"
                                 << "3.5" << 35;
    QTest::newRow("repeater offset") << QByteArray("Text4_12") << "1.25"
                                     << "1.2500" << 12500;
    QTest::newRow("repeater offset below") << QByteArray("Text4_12") << "0"
                                           << "0.0001" << 1;
    QTest::newRow("repeater offset above") << QByteArray("Text4_12") << "7"
                                           << "5.0000" << 50000;
    QTest::newRow("repeater offset empty") << QByteArray("Text4_12") << ""
                                           << "5.0000" << 50000;
}

void TestFrmOptFeatures::textBoxRules()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    QSignalSpy changed(&m_harness->notifier, &DocumentNotifier::settingsChanged);
    if (typed.isEmpty()) {
        auto *edit = control<QLineEdit>(box.constData());
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTRY_COMPARE(edit->selectedText(), edit->text());
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Tab);
    } else {
        typeInto(box.constData(), typed);
    }
    QCOMPARE(control<QLineEdit>(box.constData())->text(), shown);
    const int value =
        box == "Text2_0" ? settings().options.maxSwr : settings().options.txRepeatOffset;
    QCOMPARE(value, stored);
    QCOMPARE(changed.count(), 1);
}

void TestFrmOptFeatures::keyFilterDropsOtherCharacters()
{
    typeInto("Text4_8", QStringLiteral("1x."));
    QCOMPARE(control<QLineEdit>("Text4_8")->text(), QStringLiteral("9")); // 1 - 1 = 0 is refused
    typeInto("Text2_0", QStringLiteral("a7,5"));
    QCOMPARE(control<QLineEdit>("Text2_0")->text(), QStringLiteral("20.0")); // "75" is above 20
    typeInto("Text4_13", QStringLiteral("Car 7#"));
    QCOMPARE(QString::fromStdString(settings().options.btDeviceName.trimmed()),
             QStringLiteral("Car 7#"));
}

void TestFrmOptFeatures::voltageBoxesExchange()
{
    QCOMPARE(control<QLineEdit>("Text2_1")->text(), QStringLiteral("9.7"));
    QCOMPARE(control<QLineEdit>("Text2_2")->text(), QStringLiteral("16.8"));
    typeInto("Text2_1", QStringLiteral("20"));
    QCOMPARE(control<QLineEdit>("Text2_1")->text(), QStringLiteral("16.8"));
    QCOMPARE(control<QLineEdit>("Text2_2")->text(), QStringLiteral("20.0"));
    QCOMPARE(int(settings().options.batteryMin), 168);
    QCOMPARE(int(settings().options.batteryMax), 200);

    // Out of range both ways: 9.0 and 29.0.
    typeInto("Text2_2", QStringLiteral("35"));
    typeInto("Text2_1", QStringLiteral("3"));
    QCOMPARE(int(settings().options.batteryMin), 90);
    QCOMPARE(int(settings().options.batteryMax), 290);
}

void TestFrmOptFeatures::rssiThresholdsKeepRising_data()
{
    // USB/LSB thresholds 0, 5, 8, 12, 23, 35 shown as 1, 6, 9, 13, 24, 36.
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("stored");
    QTest::newRow("40 into the last box keeps 35") << QByteArray("Text4_11") << "40" << 11 << 35;
    QTest::newRow("40 into the fifth box is refused") << QByteArray("Text4_10") << "40" << 10 << 23;
    QTest::newRow("between its neighbours") << QByteArray("Text4_7") << "3" << 7 << 2;
    QTest::newRow("equal to the lower neighbour") << QByteArray("Text4_7") << "1" << 7 << 5;
    QTest::newRow("first box below the second") << QByteArray("Text4_6") << "5" << 6 << 4;
    QTest::newRow("first box at the second") << QByteArray("Text4_6") << "6" << 6 << 0;
    QTest::newRow("0 becomes 0 at the first") << QByteArray("Text4_6") << "0" << 6 << 0;
}

void TestFrmOptFeatures::rssiThresholdsKeepRising()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, typed);
    QFETCH(int, index);
    QFETCH(int, stored);
    typeInto(box.constData(), typed);
    QCOMPARE(int(settings().thresholds[static_cast<std::size_t>(index)]), stored);
    QCOMPARE(control<QLineEdit>(box.constData())->text(), QString::number(stored + 1));
}

void TestFrmOptFeatures::onlyTickedModeStaysTicked()
{
    for (std::size_t k = BesideValue::kFmEnable; k <= BesideValue::kCwEnable; ++k)
        settings().extraValues[k] = k == BesideValue::kUsbEnable ? 1 : 0;
    reopen();
    auto *usb = control<QCheckBox>("check1_7");
    QVERIFY(usb->isChecked());
    QTest::mouseClick(usb, Qt::LeftButton);
    QVERIFY(usb->isChecked());
    QCOMPARE(int(settings().extraValues[BesideValue::kUsbEnable]), 1);

    // With a second mode ticked the first may go.
    QTest::mouseClick(control<QCheckBox>("check1_10"), Qt::LeftButton);
    QTest::mouseClick(usb, Qt::LeftButton);
    QVERIFY(!usb->isChecked());
    QCOMPARE(int(settings().extraValues[BesideValue::kUsbEnable]), 0);
    QCOMPARE(int(settings().extraValues[BesideValue::kCwEnable]), 1);

    PackDocumentIntoImage(m_harness->context.document.working(), m_harness->context.image);
    QCOMPARE(int(m_harness->context.image.byteAt(0x22141)), 0x20);
}

void TestFrmOptFeatures::choiceGivesImageByte_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("byte");
    QTest::newRow("index: INDIC") << QByteArray("Combo1_2") << "TOT" << 0x2210A << 2;
    QTest::newRow("index: MIC") << QByteArray("Combo1_3") << "45" << 0x2210B << 44;
    QTest::newRow("TOT 60s") << QByteArray("Combo1_9") << "60s" << 0x2210D << 6;
    QTest::newRow("TOT 600s") << QByteArray("Combo1_9") << "600s" << 0x2210D << 60;
    QTest::newRow("CW Freq 500") << QByteArray("Combo1_47") << "500" << 0x22104 << 50;
    QTest::newRow("CW Freq high byte") << QByteArray("Combo1_47") << "3000" << 0x22105 << 1;
    QTest::newRow("Roger CB 2") << QByteArray("Combo2_9") << "2" << 0x1810A << 129;
    QTest::newRow("Roger HAM OFF") << QByteArray("Combo7_9") << "OFF" << 0x1812A << 0;
    QTest::newRow("beep switch") << QByteArray("Combo1_71") << "On" << 0x22109 << 0x80;
    QTest::newRow("beep level") << QByteArray("Combo1_72") << "4" << 0x22109 << 3;
    QTest::newRow("Pf Key NB") << QByteArray("Combo1_67") << "NB" << 0x22143 << 3;
    QTest::newRow("Pf Key Scan") << QByteArray("Combo1_67") << "Scan" << 0x22143 << 16;
    QTest::newRow("public mode HF USB") << QByteArray("Combo6_5") << "USB" << 0x1811B << 2;
    QTest::newRow("public ANL HAM") << QByteArray("Combo7_4") << "ON" << 0x18128 << 0x50;
    QTest::newRow("Hold Time Infinite") << QByteArray("Combo1_15") << "Infinite" << 0x2212C << 31;
    QTest::newRow("check: SWR Protect") << QByteArray("check1_3") << "" << 0x2210E << 0;
    QTest::newRow("check: TDC.SET") << QByteArray("check1_4") << "" << 0x2210F << 0;
    QTest::newRow("text: repeater offset") << QByteArray("Text4_12") << "1.25" << 0x22113 << 0xD4;
    QTest::newRow("text: device name") << QByteArray("Text4_13") << "BT" << 0x22131 << int('T');
    QTest::newRow("text: SWR") << QByteArray("Text2_0") << "2.5" << 0x22107 << 25;
}

void TestFrmOptFeatures::choiceGivesImageByte()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, item);
    QFETCH(int, address);
    QFETCH(int, byte);
    if (box.startsWith("check1"))
        QTest::mouseClick(control<QCheckBox>(box.constData()), Qt::LeftButton);
    else if (box.startsWith("Text"))
        typeInto(box.constData(), item);
    else
        choose(box.constData(), item);
    RadioImage &image = m_harness->context.image;
    PackDocumentIntoImage(m_harness->context.document.working(), image);
    QCOMPARE(int(image.byteAt(static_cast<std::uint32_t>(address))), byte);

    // Opened again, the window shows the choice.
    reopen();
    if (box.startsWith("Combo"))
        QCOMPARE(control<QComboBox>(box.constData())->currentText(), item);
}

void TestFrmOptFeatures::enablingFollowsChoices()
{
    auto *level = control<QComboBox>("Combo1_27");
    auto *delay = control<QComboBox>("Combo1_28");
    QVERIFY(!level->isEnabled());
    choose("Combo1_69", QStringLiteral("ON"));
    QVERIFY(level->isEnabled());
    QVERIFY(delay->isEnabled());
    choose("Combo1_27", QStringLiteral("5"));
    QVERIFY(delay->isEnabled());
    choose("Combo1_69", QStringLiteral("OFF"));
    QVERIFY(!level->isEnabled());
    QVERIFY(!delay->isEnabled());

    QVERIFY(control<QComboBox>("Combo1_67")->isEnabled());
    QVERIFY(!control<QComboBox>("Combo1_42")->isEnabled());
    choose("Combo1_66", QStringLiteral("Type 3"));
    QVERIFY(!control<QComboBox>("Combo1_67")->isEnabled());
    for (const char *key : {"Combo1_42", "Combo1_45", "Combo1_46", "Combo1_54"})
        QVERIFY(control<QComboBox>(key)->isEnabled());
    reopen();
    QVERIFY(!control<QComboBox>("Combo1_67")->isEnabled());

    QTest::mouseClick(control<QCheckBox>("check1_3"), Qt::LeftButton);
    QVERIFY(!control<QLineEdit>("Text2_0")->isEnabled());
    QTest::mouseClick(control<QCheckBox>("check1_4"), Qt::LeftButton);
    QVERIFY(!control<QLineEdit>("Text2_1")->isEnabled());
    QVERIFY(!control<QLineEdit>("Text2_2")->isEnabled());
}

void TestFrmOptFeatures::publicChoiceTellsTheChannelWindow()
{
    QSignalSpy publicChanged(&m_harness->notifier, &DocumentNotifier::publicChannelsChanged);
    choose("Combo1_60", QStringLiteral("Off"));
    QCOMPARE(publicChanged.count(), 1);
    QCOMPARE(int(settings().extraValues[BesideValue::kHfPublic]), 1);
    choose("Combo1_61", QStringLiteral("BLUE"));
    QCOMPARE(publicChanged.count(), 1);
}

void TestFrmOptFeatures::listsFollowToneSetsAndDtmfCodes()
{
    auto *bot = control<QComboBox>("Combo6_6");
    QCOMPARE(bot->count(), 1);
    settings().options.dtmfCodes[2].assign("12#");
    settings().options.dtmfCodes[9].assign("A");
    Q_EMIT m_harness->notifier.dtmfCodesChanged();
    QCOMPARE(bot->count(), 3);
    QCOMPARE(bot->itemText(1), QStringLiteral("3"));
    choose("Combo6_6", QStringLiteral("10"));
    QCOMPARE(int(settings().options.publicSets[PublicHf].dtmfBot), 10);

    choose("Combo2_9", QStringLiteral("5"));
    settings().toneTips.set(2).recycleTimes = 0;
    Q_EMIT m_harness->notifier.toneSetsChanged();
    auto *roger = control<QComboBox>("Combo2_9");
    QCOMPARE(roger->count(), 5);
    QCOMPARE(roger->findText(QStringLiteral("2")), -1);
    QVERIFY(roger->findText(QStringLiteral("5")) >= 0);
}

void TestFrmOptFeatures::languageChangeKeepsEveryChoice()
{
    choose("Combo1_9", QStringLiteral("90s"));
    choose("Combo1_10", QStringLiteral("Time Scan"));
    choose("Combo7_0", QStringLiteral("ON"));
    const auto indexes = [this] {
        QList<int> all;
        for (QComboBox *combo : m_window->findChildren<QComboBox *>())
            all << combo->currentIndex();
        for (QCheckBox *check : m_window->findChildren<QCheckBox *>())
            all << check->isChecked();
        return all;
    };
    const QList<int> before = indexes();
    const SettingsRecord stored = settings();
    m_harness->context.language.languageIndex = Chinese;
    Q_EMIT m_harness->notifier.languageChanged();
    QCOMPARE(indexes(), before);
    QVERIFY(settings() == stored);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("可选功能"));
    QCOMPARE(control<QComboBox>("Combo1_10")->currentText(), QStringLiteral("时间扫描"));
    QCOMPARE(control<QComboBox>("Combo7_0")->currentText(), QStringLiteral("开"));
    QCOMPARE(control<QLabel>("Label1_2")->text(), QStringLiteral("发射时LCD显示"));
    QCOMPARE(control<QGroupBox>("FrameCbPublic")->title(), QStringLiteral("CB 公共信道设置"));
    QCOMPARE(control<QCheckBox>("check1_3")->text(), QStringLiteral("驻波保护"));
    QCOMPARE(control<QPushButton>("CommandClose")->text(), QStringLiteral("关闭(&C)"));
}

void TestFrmOptFeatures::noTextIsClipped_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(English);
    QTest::newRow("Chinese") << int(Chinese);
}

void TestFrmOptFeatures::noTextIsClipped()
{
    QFETCH(int, language);
    m_harness->context.language.languageIndex = language;
    Q_EMIT m_harness->notifier.languageChanged();
    QCoreApplication::processEvents();
    for (QLabel *label : m_window->findChildren<QLabel *>()) {
        if (label->isVisibleTo(m_window))
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }
    for (QCheckBox *check : m_window->findChildren<QCheckBox *>()) {
        if (check->isVisibleTo(m_window))
            QVERIFY2(check->width() >= check->sizeHint().width(), qPrintable(check->text()));
    }
    for (QComboBox *combo : m_window->findChildren<QComboBox *>()) {
        if (combo->isVisibleTo(m_window))
            QVERIFY2(combo->width() >= combo->sizeHint().width(), qPrintable(combo->objectName()));
    }
}

void TestFrmOptFeatures::pendingEditIsStoredBeforeAWrite()
{
    auto *edit = control<QLineEdit>("Text2_0");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTRY_COMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, QStringLiteral("0.5"));
    QCOMPARE(int(settings().options.maxSwr), 160);
    m_harness->window->commitPendingEdits();
    QCOMPARE(int(settings().options.maxSwr), 12);
    QCOMPARE(edit->text(), QStringLiteral("1.2"));

    // Closing the window stores an edit too.
    edit = control<QLineEdit>("Text4_11");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTRY_COMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, QStringLiteral("30"));
    m_harness->window->closeAllChildWindows();
    QCOMPARE(int(settings().thresholds[11]), 29);
}

void TestFrmOptFeatures::wheelScrollsPastTheBoxes()
{
    // A window smaller than its options, as on a small screen.
    QCoreApplication::processEvents();
    qobject_cast<QMdiSubWindow *>(m_window->parentWidget())->resize(700, 420);
    auto *scroll = control<QScrollArea>("OptionScroll");
    QScrollBar *bar = scroll->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    control<QPushButton>("CommandHelp")->setFocus();
    QList<QComboBox *> boxes;
    for (QComboBox *box : m_window->findChildren<QComboBox *>())
        if (box->isVisibleTo(m_window))
            boxes << box;
    const auto shown = [&boxes] {
        QStringList texts;
        for (const QComboBox *box : boxes)
            texts << box->currentText();
        return texts;
    };
    const QStringList before = shown();
    const SettingsRecord stored = settings();
    QSignalSpy changed(&m_harness->notifier, &DocumentNotifier::settingsChanged);
    for (QComboBox *box : boxes) {
        scroll->ensureWidgetVisible(box);
        const int start = bar->value();
        turnWheelOver(box, start < bar->maximum() ? -10 : 10);
        QVERIFY2(bar->value() != start, qPrintable(box->objectName()));
    }
    QCOMPARE(shown(), before);
    QVERIFY(settings() == stored);
    QCOMPARE(changed.count(), 0);
    // The boxes take the focus from a click or Tab, never from the wheel.
    for (const QComboBox *box : boxes)
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
}

void TestFrmOptFeatures::wheelTakesOnlyABoxTheUserFocused_data()
{
    QTest::addColumn<QString>("focusedBy");
    QTest::addColumn<bool>("takesTheWheel");
    QTest::newRow("the window, as it opens") << "opening" << false;
    QTest::newRow("Tab") << "Tab" << true;
    QTest::newRow("a click") << "click" << true;
}

// The wheel over a box changes it only when the user gave the box the focus; over the box the
// window focused by itself as it opened, the window scrolls.
void TestFrmOptFeatures::wheelTakesOnlyABoxTheUserFocused()
{
    QFETCH(QString, focusedBy);
    QFETCH(bool, takesTheWheel);
    auto *frame = qobject_cast<QMdiSubWindow *>(m_window->parentWidget());
    frame->resize(700, 420);
    QScrollBar *bar = control<QScrollArea>("OptionScroll")->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    auto *box = qobject_cast<QComboBox *>(QApplication::focusWidget());
    QVERIFY2(box && m_window->isAncestorOf(box), "the window focuses its first box");
    QVERIFY(box->currentIndex() + 1 < box->count());
    if (focusedBy == "Tab") {
        // On to the next control and back.
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != box);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), box);
    } else if (focusedBy == "click") {
        QTest::mouseClick(box, Qt::LeftButton);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), box);
    }
    const int shown = box->currentIndex();
    const SettingsRecord stored = settings();
    const int scrolled = bar->value();
    turnWheelOver(box, -1);
    QCOMPARE(box->currentIndex(), takesTheWheel ? shown + 1 : shown);
    QCOMPARE(settings() == stored, !takesTheWheel);
    QCOMPARE(bar->value() != scrolled, !takesTheWheel);
}

void TestFrmOptFeatures::voxDelayFollowsLevelAndSwitch()
{
    // VOX on with the first level: the delay can be set as soon as VOX is switched on, and is
    // enabled when the window opens on it.
    settings().options.voxOnOff = 1;
    settings().options.voxLevel = 0;
    reopen();
    auto *delay = control<QComboBox>("Combo1_28");
    QVERIFY(delay->isEnabled());
    // A choice of level decides: the first level disables the delay, any other enables it.
    choose("Combo1_27", QStringLiteral("3"));
    QVERIFY(delay->isEnabled());
    choose("Combo1_27", QStringLiteral("1"));
    QVERIFY(!delay->isEnabled());
    QVERIFY(!control<QLabel>("Label1_28")->isEnabled());
    choose("Combo1_69", QStringLiteral("OFF"));
    choose("Combo1_69", QStringLiteral("ON"));
    QVERIFY(delay->isEnabled());
    QCOMPARE(int(settings().options.voxLevel), 0);
}

void TestFrmOptFeatures::tabFollowsReadingOrder()
{
    // Everything enabled: VOX on, and "Hand Type" 3 for the keys P1-P4 (the "Pf Key" then
    // drops out).
    settings().options.voxOnOff = 1;
    settings().options.handType = 2;
    reopen();
    QStringList expected;
    for (const int box :
         {2,  3,  29, 8,  9,  10, 53, 24, 25, 26, 37, 49, 69, 27, 28, 51, 32, 33, 11, 35, 40, 41,
          52, 70, 47, 48, 55, 56, 59, 36, 64, 65, 61, 39, 71, 72, 66, 42, 45, 46, 54, 58, 60, 62})
        expected << QStringLiteral("Combo1_%1").arg(box);
    expected << "check1_5"
             << "check1_6"
             << "check1_7"
             << "check1_8"
             << "check1_9"
             << "check1_10"
             << "check1_3"
             << "Text2_0"
             << "check1_4"
             << "Text2_1"
             << "Text2_2";
    for (int n = 6; n <= 12; ++n)
        expected << QStringLiteral("Text4_%1").arg(n);
    for (const int set : {2, 6, 7})
        for (const int box : {0, 1, 2, 3, 4, 5, 9, 6, 7, 8})
            expected << QStringLiteral("Combo%1_%2").arg(set).arg(box);
    for (const int box : {0, 12, 13, 14, 15, 16, 38, 44})
        expected << QStringLiteral("Combo1_%1").arg(box);
    expected << "Text4_13"
             << "CommandClose"
             << "CommandHelp";
    QCOMPARE(tabChain(m_window, control<QWidget>("Combo1_2")), expected);
}

void TestFrmOptFeatures::textBoxesRefuseDrops()
{
    const SettingsRecord stored = settings();
    for (QLineEdit *edit : m_window->findChildren<QLineEdit *>()) {
        if (!edit->isVisibleTo(m_window))
            continue;
        control<QScrollArea>("OptionScroll")->ensureWidgetVisible(edit);
        const QString before = edit->text();
        dropText(edit, QStringLiteral("7.5"));
        QCOMPARE(edit->text(), before);
    }
    m_harness->window->commitPendingEdits();
    QVERIFY(settings() == stored);
}

void TestFrmOptFeatures::deviceNameShowsThroughTheSystemCodePage()
{
    const int systemPage = systemRecordTextCodec().codePage();
    QVERIFY(setSystemRecordTextCodePage(936));
    settings().options.btDeviceName.assign("\xd6\xd0\xce\xc4 BT\xff");
    reopen();
    QCOMPARE(control<QLineEdit>("Text4_13")->text(), QStringLiteral("中文 BT"));
    setSystemRecordTextCodePage(systemPage);
}

QTEST_MAIN(TestFrmOptFeatures)
#include "tst_frmoptfeatures.moc"
