#include <QApplication>
#include <QTest>

#include <memory>

#include "options/OptionHelp.h"
#include "options/OptionWindows.h"
#include "options/RogerBeepWindows.h"
#include "options/ToneTipsHelp.h"
#include "radio/OptionRecord.h"
#include "support/HelpChecks.h"
#include "support/WindowHarness.h"

class TestOptionHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pageNamesTheWindowsControls();
    void everyEditableControlHasItsTooltipInTheLanguage();
    void tooltipTellsItemsAndNewDocumentValue_data();
    void tooltipTellsItemsAndNewDocumentValue();
    void toneWindowShowsItsHelp_data();
    void toneWindowShowsItsHelp();

private:
    QWidget *open(const char *name);
    void switchLanguage(int language);

    std::unique_ptr<MainWindowHarness> m_harness;
};

void TestOptionHelp::init()
{
    m_harness = std::make_unique<MainWindowHarness>();
    ApplyNewDocumentDefaults(m_harness->context.document.working().settings, "20260101", 1);
    MainWindowHooks hooks;
    registerOptionWindows(hooks);
    registerRogerBeepWindows(hooks);
    m_harness->start(std::move(hooks));
}

void TestOptionHelp::cleanup()
{
    m_harness.reset();
}

QWidget *TestOptionHelp::open(const char *name)
{
    return m_harness->window->openChildWindow(QString::fromLatin1(name));
}

void TestOptionHelp::switchLanguage(int language)
{
    m_harness->context.language.languageIndex = language;
    Q_EMIT m_harness->notifier.languageChanged();
}

void TestOptionHelp::pageNamesTheWindowsControls()
{
    QWidget *window = open("FrmOptFeatures");
    QVERIFY(window);
    verifyPageMatchesWindow(optionWindowHelp(), *window);
}

void TestOptionHelp::everyEditableControlHasItsTooltipInTheLanguage()
{
    QWidget *window = open("FrmOptFeatures");
    QVERIFY(window);
    // Every box and check box, the ones out of sight too; the two lists that only translate
    // stored values carry no help.
    QList<QWidget *> controls;
    for (QWidget *control : editableControls(*window))
        if (control->objectName() != "Combo3" && control->objectName() != "Combo5")
            controls << control;
    QVERIFY(controls.size() > 120);
    for (int n = 1; n <= 50; ++n)
        if (auto *box = window->findChild<QComboBox *>(QStringLiteral("Combo1_%1").arg(n)))
            QVERIFY2(controls.contains(box), qPrintable(box->objectName()));
    QHash<QWidget *, QString> english;
    for (QWidget *control : controls) {
        QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        english.insert(control, control->toolTip());
    }
    switchLanguage(Chinese);
    for (QWidget *control : controls) {
        QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        QVERIFY2(control->toolTip() != english.value(control), qPrintable(control->objectName()));
    }
    switchLanguage(English);
    for (QWidget *control : controls)
        QCOMPARE(control->toolTip(), english.value(control));
}

void TestOptionHelp::tooltipTellsItemsAndNewDocumentValue_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("tooltipHolds");
    QTest::addColumn<QString>("paragraphHolds");
    const auto row = [](const char *name, const char *control, int language,
                        const QStringList &holds, const char *paragraph) {
        QTest::newRow(name) << QString::fromLatin1(control) << language << holds
                            << QString::fromUtf8(paragraph);
    };
    row("TOT: counted run after Off", "Combo1_9", English,
        {"Off, then 30s to 600s in steps of 30s", "New document: Off."}, "address 0x2210D.");
    row("TOT in Chinese", "Combo1_9", Chinese, {"关，然后 30s 至 600s，步长 30s", "新文档：关"},
        "地址 0x2210D");
    row("MIC shows the index plus one", "Combo1_3", English, {"1 to 45", "New document: 31."},
        "0x2210B");
    row("Hold Time ends with Infinite", "Combo1_15", English,
        {"OFF, then 1S to 30S, then Infinite"}, "0x2212C");
    row("key list", "Combo1_42", English, {"Off, VOX, VFO, NB", "Scan"}, "data file");
    row("variant byte offers four CLA.SET items", "Combo1_11", English, {"Off, R, T, RT"},
        "0x2211C");
    row("HAM roger tone at its set's address", "Combo7_9", English,
        {"defined roger-beep tone set", "New document: OFF."}, "0x1812A");
    row("HF mode", "Combo6_5", English, {"FM, AM, USB, LSB, PA, CW", "New document: AM."},
        "0x1811B");
    row("DTMF box kept in the file", "Combo2_6", English, {"DTMF code that is not empty"},
        "data file");
    row("battery maximum with its unit", "Text2_2", English,
        {"9.0 to 29.0 V", "New document: 16.8 V."}, "0x22100");
    row("repeater offset", "Text4_12", English, {"New document: 0.0100 MHz."}, "0x22113");
    row("RSSI threshold shows plus one", "Text4_8", English, {"1 to 36", "New document: 9."},
        "data file");
    row("SWR protection ticked", "check1_3", English, {"New document: ticked."}, "0x2210E");
    row("work mode kept in the file", "Combo1_19", Chinese, {"CB, HAM", "新文档：HAM"}, "数据文件");
}

void TestOptionHelp::tooltipTellsItemsAndNewDocumentValue()
{
    QFETCH(QString, control);
    QFETCH(int, language);
    QFETCH(QStringList, tooltipHolds);
    QFETCH(QString, paragraphHolds);
    const WindowHelp page = optionWindowHelp();
    const SettingHelp *help = findSettingHelp(page, stdText(control));
    QVERIFY(help);
    const QString tooltip = qText(help->tooltip.in(language));
    for (const QString &part : tooltipHolds)
        QVERIFY2(tooltip.contains(part), qPrintable(tooltip));
    const QString paragraph = qText(help->paragraph.in(language));
    QVERIFY2(paragraph.contains(paragraphHolds), paragraph.toUtf8().constData());
}

void TestOptionHelp::toneWindowShowsItsHelp_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("recycle times") << "Combo1"
                                   << "1 to 10"
                                   << "1 至 10";
    QTest::newRow("frequency of the last tone")
        << "Combo3_13"
        << "Pitch of tone 14: None (a rest) or 400 to 2550 Hz"
        << "第14个音的频率";
    QTest::newRow("length of the first tone") << "Combo4_0"
                                              << "Length of tone 1"
                                              << "第1个音的音长";
    QTest::newRow("play") << "Command1"
                          << "speaker"
                          << "扬声器";
}

void TestOptionHelp::toneWindowShowsItsHelp()
{
    QFETCH(QString, control);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QWidget *window = open("FrmToneTips");
    QVERIFY(window);
    verifyPageMatchesWindow(toneTipsWindowHelp(), *window);
    auto *widget = findNamed<QWidget>(window, control);
    QVERIFY(widget);
    QVERIFY2(widget->toolTip().contains(english), qPrintable(widget->toolTip()));
    switchLanguage(Chinese);
    QVERIFY2(widget->toolTip().contains(chinese), qPrintable(widget->toolTip()));
}

QTEST_MAIN(TestOptionHelp)
#include "tst_optionhelp.moc"
