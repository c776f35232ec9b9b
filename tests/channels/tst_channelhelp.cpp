#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

#include "channels/ChannelHelp.h"
#include "channels/ChannelWindows.h"
#include "channels/EmgDwMemHelp.h"
#include "channels/EmgDwMemWindows.h"
#include "channels/GroupNameHelp.h"
#include "radio/OptionRecord.h"
#include "support/HelpChecks.h"
#include "support/WindowHarness.h"

using HelpPage = std::function<WindowHelp()>;
Q_DECLARE_METATYPE(HelpPage)

class TestChannelHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowShowsItsHelp_data();
    void windowShowsItsHelp();
    void channelDetailsAllHaveTooltips();

private:
    void switchLanguage(int language);
    std::unique_ptr<MainWindowHarness> m_harness;
};

void TestChannelHelp::init()
{
    m_harness = std::make_unique<MainWindowHarness>();
    ApplyNewDocumentDefaults(m_harness->context.document.working().settings, "20260101", 1);
    MainWindowHooks hooks;
    registerChannelWindows(hooks);
    registerEmgDwMemWindows(hooks);
    m_harness->start(std::move(hooks));
}

void TestChannelHelp::cleanup()
{
    m_harness.reset();
}

void TestChannelHelp::switchLanguage(int language)
{
    m_harness->context.language.languageIndex = language;
    Q_EMIT m_harness->notifier.languageChanged();
}

void TestChannelHelp::windowShowsItsHelp_data()
{
    QTest::addColumn<HelpPage>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("channel window: receive tone type")
        << HelpPage(channelWindowHelp) << "Combo8_18"
        << "Receive tone type"
        << "接收亚音类型" << QStringList{"CH No.", "Frequency"};
    QTest::newRow("channel window: group valid")
        << HelpPage(channelWindowHelp) << "Combo1_6"
        << "valid"
        << "组是否有效" << QStringList{"CH No.", "Frequency"};
    QTest::newRow("group names: rename box") << HelpPage(groupNameWindowHelp) << "Text1_1"
                                             << "One character"
                                             << "一个字符" << QStringList{"Name", "Rename"};
    QTest::newRow("emergency") << HelpPage(emergencyWindowHelp) << "Combo1_0"
                               << "CB group"
                               << "CB组" << QStringList{};
    QTest::newRow("dual watch") << HelpPage(dualWatchWindowHelp) << "Combo1_0"
                                << "CB group"
                                << "CB组" << QStringList{};
    QTest::newRow("memory settings") << HelpPage(memorySettingsWindowHelp) << "Combo1_0"
                                     << "memory channel"
                                     << "存储信道" << QStringList{};
}

void TestChannelHelp::windowShowsItsHelp()
{
    QFETCH(HelpPage, page);
    QFETCH(QString, control);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QFETCH(QStringList, columns);
    const WindowHelp help = page();
    QWidget *window = m_harness->window->openChildWindow(qText(help.window));
    QVERIFY(window);
    verifyPageMatchesWindow(help, *window, columns);
    auto *widget = findNamed<QWidget>(window, control);
    QVERIFY(widget);
    QVERIFY2(widget->toolTip().contains(english), qPrintable(widget->toolTip()));
    // The grid's column headers carry their help as well.
    auto *grid = findNamed<QAbstractItemView>(window, "MSFlexGrid1");
    const auto headerTip = [grid](int section) {
        return grid->model()->headerData(section, Qt::Horizontal, Qt::ToolTipRole).toString();
    };
    const QString englishHeader = grid ? headerTip(0) : QString();
    QCOMPARE(englishHeader.isEmpty(), columns.isEmpty());
    switchLanguage(Chinese);
    QVERIFY2(widget->toolTip().contains(chinese), qPrintable(widget->toolTip()));
    if (!columns.isEmpty()) {
        QVERIFY(!headerTip(0).isEmpty());
        QVERIFY(headerTip(0) != englishHeader);
    }
}

void TestChannelHelp::channelDetailsAllHaveTooltips()
{
    QWidget *window = m_harness->window->openChildWindow(qText(channelWindowHelp().window));
    QVERIFY(window);
    const QStringList panelControls{"Combo2",   "Combo7",   "Combo6", "Combo3",
                                    "Combo1_4", "Combo1_6", "Text2"};
    QList<QWidget *> controls;
    for (QWidget *control : editableControls(*window))
        if (control->objectName().startsWith(QLatin1String("Combo8_")) ||
            panelControls.contains(control->objectName()))
            controls << control;
    QCOMPARE(controls.size(), 24 + panelControls.size());
    QHash<QWidget *, QString> english;
    for (QWidget *control : controls) {
        QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        english.insert(control, control->toolTip());
    }
    switchLanguage(Chinese);
    for (QWidget *control : controls)
        QVERIFY2(control->toolTip() != english.value(control), qPrintable(control->objectName()));
}

QTEST_MAIN(TestChannelHelp)
#include "tst_channelhelp.moc"
