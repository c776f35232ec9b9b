#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "channels/ChannelRecords.h"
#include "channels/EmgDwMemWindows.h"
#include "datafile/InitFiles.h"
#include "kernel/WheelGuard.h"
#include "model/RadioImage.h"
#include "radio/EmgDwMemSettings.h"
#include "support/UserInput.h"
#include "support/WindowHarness.h"

// The emergency, dual-watch and memory-channel windows as a user drives them.
class TestEmgDwMemWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void emergencyChannelsPackAsTheRadioReadsThem();
    void dualWatchHamChannelPacks();
    void pendingChoicesAreAskedAbout_data();
    void pendingChoicesAreAskedAbout();
    void listsComeFromTheChannelsThatExist_data();
    void listsComeFromTheChannelsThatExist();
    void storedValuesAreShown();
    void wheelChangesOnlyTheBoxWithFocus();
    void tabFollowsReadingOrder_data();
    void tabFollowsReadingOrder();

private:
    QWidget *open(const char *name);
    QComboBox *combo(int element) const;
    // Picks the item with that text, as a click in the drop-down list does.
    void choose(int element, const QString &text);
    void save();
    DocumentSet &working() { return m_harness->context.document.working(); }

    std::unique_ptr<MainWindowHarness> m_harness;
    QWidget *m_window = nullptr;
};

void TestEmgDwMemWindows::initTestCase()
{
    // The program's start installs the same guard.
    installWheelGuard(qApp);
}

void TestEmgDwMemWindows::init()
{
    m_harness = std::make_unique<MainWindowHarness>();
    MainWindowHooks hooks;
    registerEmgDwMemWindows(hooks);
    m_harness->start(std::move(hooks));
    working() = *shippedInitDocument(1, "20260101");
    m_harness->showAndActivate();
}

void TestEmgDwMemWindows::cleanup()
{
    m_window = nullptr;
    m_harness.reset();
}

QWidget *TestEmgDwMemWindows::open(const char *name)
{
    m_window = m_harness->window->openChildWindow(QString::fromLatin1(name));
    return m_window;
}

QComboBox *TestEmgDwMemWindows::combo(int element) const
{
    return findNamed<QComboBox>(m_window, QStringLiteral("Combo1_%1").arg(element));
}

void TestEmgDwMemWindows::choose(int element, const QString &text)
{
    QComboBox *box = combo(element);
    QVERIFY2(box, qPrintable(QString::number(element)));
    const int position = box->findText(text);
    QVERIFY2(position >= 0, qPrintable(text));
    box->setCurrentIndex(position);
}

void TestEmgDwMemWindows::save()
{
    QTest::mouseClick(findNamed<QPushButton>(m_window, "cmdSave"), Qt::LeftButton);
    QTRY_VERIFY(m_harness->openWindows().isEmpty());
}

void TestEmgDwMemWindows::emergencyChannelsPackAsTheRadioReadsThem()
{
    QVERIFY(open("frm_emg"));
    QCOMPARE(findNamed<QLabel>(m_window, "lblEuEmg_3")->text(),
             QStringLiteral("Eu Emg Channel 2 Work Mode"));
    QCOMPARE(findNamed<QGroupBox>(m_window, "FraHANBand")->title(), QStringLiteral("HAM Band"));
    choose(0, "9");
    choose(2, "19");
    choose(1, "AM");
    choose(3, "CW");
    save();
    RadioImage image;
    EncodeSpecialChannels(working().settings, image);
    QCOMPARE(int(image.byteAt(0x18040)), 8);
    QCOMPARE(int(image.byteAt(0x18041)), 18);
    QCOMPARE(int(image.byteAt(0x1804C)), 1);
    QCOMPARE(int(image.byteAt(0x1804D)), 4);
}

void TestEmgDwMemWindows::dualWatchHamChannelPacks()
{
    QVERIFY(open("frm_dw"));
    QCOMPARE(findNamed<QLabel>(m_window, "lblEuEmg_15")->text(), QStringLiteral("HAM DW Band"));
    combo(15)->setCurrentIndex(2);
    choose(16, "5");
    choose(17, "USB");
    save();
    RadioImage image;
    EncodeSpecialChannels(working().settings, image);
    QCOMPARE(int(image.byteAt(0x1808F)), 2);
    QCOMPARE(int(image.byteAt(0x18090)), 4);
    QCOMPARE(int(image.byteAt(0x18091)), 2);
}

void TestEmgDwMemWindows::pendingChoicesAreAskedAbout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("elements");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("closedBy");
    QTest::addColumn<int>("answer");
    const struct
    {
        const char *row;
        const char *name;
        int elements;
        const char *caption;
    } windows[]{{"emergency", "frm_emg", 40, "Emg Channel Setting"},
                {"dual watch", "frm_dw", 18, "DW Channel Setting"},
                {"memory channels", "frm_MEM", 16, "MEM Channel Setting"}};
    const struct
    {
        const char *row;
        MessageAnswer answer;
    } answers[]{{"Save", MessageAnswer::Save},
                {"Discard", MessageAnswer::Discard},
                {"Cancel", MessageAnswer::Cancel}};
    for (const auto &window : windows)
        for (const char *closedBy : {"its close button", "Exit", "a language switch"})
            for (const auto &answer : answers)
                QTest::addRow("%s, %s, %s", window.row, closedBy, answer.row)
                    << window.name << window.elements << window.caption << closedBy
                    << int(answer.answer);
}

// Choices made in a window and not saved are asked about whenever the window would close: Save
// writes them into the document, Discard drops them, Cancel keeps the window (and the program,
// and the language) as they were.
void TestEmgDwMemWindows::pendingChoicesAreAskedAbout()
{
    QFETCH(QString, name);
    QFETCH(int, elements);
    QFETCH(QString, caption);
    QFETCH(QString, closedBy);
    QFETCH(int, answer);
    AddMemoryChannel(working().memories, 2, "27.00500", parseBandLimits("26.965 - 27.86125 MHz"));
    working().memories.at(2).MemChannelId = 4;
    const DocumentSet before = working();
    auto *window = static_cast<EmgDwMemWindow *>(open(qPrintable(name)));
    QVERIFY(window);
    QVERIFY(!combo(elements));
    for (int element = 0; element < elements; ++element) {
        QComboBox *box = combo(element);
        QVERIFY(box);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
    }
    const std::vector<std::int16_t> chosen = window->values();
    QVERIFY(working() == before);

    m_harness->messages.answers = {MessageAnswer(answer)};
    if (closedBy == "its close button") {
        window->parentWidget()->close();
    } else if (closedBy == "Exit") {
        m_harness->window->close();
    } else {
        QTimer::singleShot(0, m_harness->window.get(), [] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            auto *list = modal->findChild<QComboBox *>(QStringLiteral("Combo1"));
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, Qt::Key_End);
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        m_harness->window->findChild<QAction *>(QStringLiteral("mnuLanguage"))->trigger();
    }

    const std::vector<ScriptedMessageService::Question> &questions = m_harness->messages.questions;
    QCOMPARE(questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(questions[0].text),
             QStringLiteral("Save the changes of the %1?").arg(caption));
    QCOMPARE(questions[0].buttons, MessageButtons::SaveDiscardCancel);
    const bool cancelled = MessageAnswer(answer) == MessageAnswer::Cancel;
    DocumentSet expected = before;
    if (MessageAnswer(answer) == MessageAnswer::Save) {
        const std::span<std::int16_t> stored =
            specialValues(name == "frm_emg"  ? SpecialWindowId::Emergency
                          : name == "frm_dw" ? SpecialWindowId::DualWatch
                                             : SpecialWindowId::Memory,
                          expected.settings);
        std::copy(chosen.begin(), chosen.end(), stored.begin());
    }
    QVERIFY(working() == expected);
    if (closedBy == "Exit")
        QCOMPARE(m_harness->window->isVisible(), cancelled);
    else
        QCOMPARE(m_harness->window->childWindow(name) != nullptr, cancelled);
    if (cancelled)
        QVERIFY(window->values() == chosen);
    if (closedBy == "a language switch")
        QCOMPARE(m_harness->context.language.languageIndex, cancelled ? English : Chinese);
}

void TestEmgDwMemWindows::listsComeFromTheChannelsThatExist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("element");
    QTest::addColumn<QStringList>("items");
    // Memory channels 50, 70 and 90 recall a CB channel, 71 recalls none.
    QTest::newRow("EC memories 49-64") << "frm_MEM" << 6 << QStringList{"50"};
    QTest::newRow("U/UK memories 65-80") << "frm_MEM" << 8 << QStringList{"70"};
    QTest::newRow("IN memories 81-96") << "frm_MEM" << 10 << QStringList{"90"};
    QTest::newRow("Eu memories 1-16") << "frm_MEM" << 0 << QStringList{};
    QTest::newRow("HAM MEM group") << "frm_MEM" << 14 << QStringList{"3", "99"};
    QTest::newRow("states") << "frm_MEM" << 15 << QStringList{"Off", "On"};
    // CB group 1 lost channels 2 to 40.
    QTest::newRow("Eu channels") << "frm_emg" << 0 << QStringList{"1"};
    QTest::newRow("UK row shown") << "frm_emg" << 24 << QStringList{"1", "2"};
    QTest::newRow("modes") << "frm_dw" << 1 << QStringList{"FM", "AM", "USB", "LSB", "CW"};
    // The HF band stored when the window opened is group 10, whose channels end at 24.990 MHz.
    QTest::newRow("HF channels of the stored band") << "frm_dw" << 13 << QStringList{"1", "2"};
    QTest::newRow("HAM bands") << "frm_emg" << 34 << QStringList{"A", "B", "C", "D", "E", "F",
                                                                 "G", "H", "I", "J", "K", "L"};
}

void TestEmgDwMemWindows::listsComeFromTheChannelsThatExist()
{
    QFETCH(QString, name);
    QFETCH(int, element);
    QFETCH(QStringList, items);
    DocumentSet &document = working();
    const BandLimits anywhere{20.0, 40.0};
    for (int number : {50, 70, 71, 90}) {
        AddMemoryChannel(document.memories, number, "27.00500", anywhere);
        document.memories.at(number).MemChannelId = std::int16_t(number == 71 ? 255 : 3);
    }
    AddChannel(document, HAM, memGroup(HAM), 99, "28.50000", anywhere);
    AddChannel(document, HAM, memGroup(HAM), 3, "28.60000", anywhere);
    while (document.channelCount(CB, 1) > 1)
        RemoveChannelEntry(document, CB, 1, 2);
    while (document.channelCount(CB, 7) > 2)
        RemoveChannelEntry(document, CB, 7, 3);
    while (document.channelCount(HF, 10) > 2)
        RemoveChannelEntry(document, HF, 10, 3);
    document.settings.dualWatch.values[DualWatchSettings::kHfBand] = 9;

    QVERIFY(open(qPrintable(name)));
    QComboBox *box = combo(element);
    QVERIFY(box);
    QCOMPARE(itemTexts(box), items);
}

void TestEmgDwMemWindows::storedValuesAreShown()
{
    EmergencySettings &emergency = working().settings.emergency;
    emergency.values[EmergencySettings::kCbChannel1 + 2] = 11; // DE channel 1 = 12
    emergency.values[EmergencySettings::kCbMode2 + 2] = 3;     // LSB
    emergency.values[EmergencySettings::kHamBand + 1] = 4;     // HAM band 2 = group 5 "E"
    emergency.values[EmergencySettings::kHamChannel + 1] = 6;  // channel 7
    emergency.values[EmergencySettings::kHfMode] = 200;        // no such mode: the first is shown
    emergency.values[EmergencySettings::kCbChannel2] = kNoChannel;
    QVERIFY(open("frm_emg"));
    QCOMPARE(combo(8)->currentText(), QStringLiteral("12"));
    QCOMPARE(combo(11)->currentText(), QStringLiteral("LSB"));
    QCOMPARE(combo(37)->currentText(), QStringLiteral("E"));
    QCOMPARE(combo(38)->currentText(), QStringLiteral("7"));
    QCOMPARE(combo(30)->currentText(), QStringLiteral("FM"));
    QCOMPARE(combo(2)->currentIndex(), -1);
    // Save keeps what was not chosen: the empty channel still packs as 0xFF.
    save();
    QCOMPARE(working().settings.emergency.values[EmergencySettings::kHfMode], std::int16_t(200));
    RadioImage image;
    EncodeSpecialChannels(working().settings, image);
    QCOMPARE(int(image.byteAt(0x18041)), 0xFF);
}

void TestEmgDwMemWindows::wheelChangesOnlyTheBoxWithFocus()
{
    auto *window = static_cast<EmgDwMemWindow *>(open("frm_emg"));
    const std::vector<std::int16_t> before = window->values();
    findNamed<QPushButton>(m_window, "cmdSave")->setFocus();
    const QList<QComboBox *> boxes = m_window->findChildren<QComboBox *>();
    const auto shown = [&boxes] {
        QStringList texts;
        for (const QComboBox *box : boxes)
            texts << box->currentText();
        return texts;
    };
    const QStringList shownBefore = shown();
    for (QComboBox *box : boxes)
        turnWheelOver(box, -10);
    QCOMPARE(shown(), shownBefore);
    QVERIFY(window->values() == before);

    // Mode of emergency channel 1 in row "Eu", with the focus: FM, then AM.
    combo(1)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(combo(1)->hasFocus());
    turnWheelOver(combo(1), -1);
    QCOMPARE(combo(1)->currentText(), QStringLiteral("AM"));
}

void TestEmgDwMemWindows::tabFollowsReadingOrder_data()
{
    // The elements are numbered row by row, left to right: reading order is element order.
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("elements");
    QTest::newRow("emergency") << QByteArray("frm_emg") << 40;
    QTest::newRow("dual watch") << QByteArray("frm_dw") << 18;
    QTest::newRow("memory channels") << QByteArray("frm_MEM") << 16;
}

void TestEmgDwMemWindows::tabFollowsReadingOrder()
{
    QFETCH(QByteArray, window);
    QFETCH(int, elements);
    QVERIFY(open(window.constData()));
    QStringList expected;
    for (int element = 0; element < elements; ++element)
        expected << QStringLiteral("Combo1_%1").arg(element);
    expected << "cmdSave";
    QCOMPARE(tabChain(m_window, combo(0)), expected);
}

QTEST_MAIN(TestEmgDwMemWindows)
#include "tst_emgdwmemwindows.moc"
