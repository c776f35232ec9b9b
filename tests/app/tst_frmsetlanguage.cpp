#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/FrmSetLanguage.h"
#include "kernel/AppContext.h"
#include "kernel/IniDocument.h"
#include "support/WindowHarness.h"

namespace {

const char kSetup[] = "[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=1\r\n";

struct Harness : FindsControls<Harness>
{
    Harness(int systemClass, int language)
        : ini(kSetup)
    {
        context.setupIni = &ini;
        context.messages = &messages;
        context.language.systemLanguageClass = systemClass;
        context.language.languageIndex = language;
        context.language.shownLanguage = language;
        window = std::make_unique<FrmSetLanguage>(context);
    }

    QComboBox *combo() const { return find<QComboBox>("Combo1"); }
    QString shownChoice() const
    {
        return combo()->currentIndex() < 0 ? combo()->placeholderText() : combo()->currentText();
    }
    QString stored() const
    {
        return QString::fromStdString(ini.document.valueOr("language", "CurrentLanguage"));
    }

    MemoryIniStore ini;
    ScriptedMessageService messages;
    AppContext context;
    std::unique_ptr<FrmSetLanguage> window;
};

} // namespace

class TestFrmSetLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void offersWhatTheSystemAllows_data();
    void offersWhatTheSystemAllows();
    void captions_data();
    void captions();
    void okChangesTheLanguageAndStoresIt_data();
    void okChangesTheLanguageAndStoresIt();
    void cancelChangesNothing();
    void enterInTheListMovesToTheNextControl();
    void chineseCanBeLeftOnAnySystem();
};

void TestFrmSetLanguage::offersWhatTheSystemAllows_data()
{
    QTest::addColumn<int>("systemClass");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("shown");

    QTest::newRow("other system, English") << 1 << 1 << QStringList{"English"} << "English";
    QTest::newRow("other system, stored Chinese")
        << 1 << 2 << QStringList{"英语", "中文"} << "中文";
    QTest::newRow("Chinese system, English")
        << 2 << 1 << QStringList{"English", "Chinese"} << "English";
    QTest::newRow("Chinese system, Chinese") << 2 << 2 << QStringList{"英语", "中文"} << "中文";
}

void TestFrmSetLanguage::offersWhatTheSystemAllows()
{
    QFETCH(int, systemClass);
    QFETCH(int, language);
    QFETCH(QStringList, items);
    QFETCH(QString, shown);
    Harness harness(systemClass, language);
    QCOMPARE(harness.items("Combo1"), items);
    QCOMPARE(harness.shownChoice(), shown);
}

void TestFrmSetLanguage::captions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << 1
                             << QStringList{"Language Setup", "Language Mode", "&OK", "&Cancel"};
    QTest::newRow("Chinese") << 2 << QStringList{"语言设置", "语言模式", "确定(&O)", "取消(&C)"};
}

void TestFrmSetLanguage::captions()
{
    QFETCH(int, language);
    QFETCH(QStringList, captions);
    Harness harness(2, language);
    QCOMPARE(harness.window->windowTitle(), captions[0]);
    QCOMPARE(harness.find<QLabel>("Label1")->text(), captions[1]);
    QCOMPARE(harness.find<QPushButton>("Command1")->text(), captions[2]);
    QCOMPARE(harness.find<QPushButton>("Command2")->text(), captions[3]);
}

void TestFrmSetLanguage::okChangesTheLanguageAndStoresIt_data()
{
    QTest::addColumn<int>("systemClass");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("choice"); // list row, -1 for the one shown at open
    QTest::addColumn<int>("newLanguage");
    QTest::addColumn<int>("shownLanguage");

    QTest::newRow("English to Chinese") << 2 << 1 << 1 << 2 << 1;
    QTest::newRow("Chinese to English") << 2 << 2 << 0 << 1 << 2;
    QTest::newRow("same language: stored again, nothing to relabel") << 2 << 2 << 1 << 2 << 2;
    QTest::newRow("stored Chinese kept where Chinese is not offered") << 1 << 2 << -1 << 2 << 2;
    QTest::newRow("stored Chinese to English where Chinese is not offered")
        << 1 << 2 << 0 << 1 << 2;
}

void TestFrmSetLanguage::okChangesTheLanguageAndStoresIt()
{
    QFETCH(int, systemClass);
    QFETCH(int, language);
    QFETCH(int, choice);
    QFETCH(int, newLanguage);
    QFETCH(int, shownLanguage);
    Harness harness(systemClass, language);
    harness.ini.document.setValue("language", "CurrentLanguage", "9");
    if (choice >= 0)
        harness.combo()->setCurrentIndex(choice);
    QTest::mouseClick(harness.find<QPushButton>("Command1"), Qt::LeftButton);

    QCOMPARE(harness.window->result(), int(QDialog::Accepted));
    QCOMPARE(harness.context.language.languageIndex, newLanguage);
    QCOMPARE(harness.context.language.shownLanguage, shownLanguage);
    QCOMPARE(harness.stored(), QString::number(newLanguage));
    // The window relabels nothing, itself included.
    QCOMPARE(harness.find<QLabel>("Label1")->text(),
             language == 1 ? QStringLiteral("Language Mode") : QStringLiteral("语言模式"));
}

void TestFrmSetLanguage::cancelChangesNothing()
{
    Harness harness(2, 1);
    harness.combo()->setCurrentIndex(1);
    QTest::mouseClick(harness.find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(harness.window->result(), int(QDialog::Rejected));
    QCOMPARE(harness.context.language.languageIndex, 1);
    QCOMPARE(harness.context.language.shownLanguage, 1);
    QCOMPARE(QByteArray::fromStdString(harness.ini.document.bytes()), QByteArray(kSetup));
}

void TestFrmSetLanguage::enterInTheListMovesToTheNextControl()
{
    Harness harness(2, 1);
    harness.window->show();
    harness.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    harness.combo()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), harness.combo());
    QTest::keyClick(harness.combo(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(harness.find<QPushButton>("Command1")));
    QVERIFY(harness.window->isVisible());
    QCOMPARE(harness.stored(), QStringLiteral("1"));
}

// Chinese chosen on a Chinese system and the program started on another: Setup > Language Setup
// offers English beside the Chinese in force, and choosing it switches the program back.
void TestFrmSetLanguage::chineseCanBeLeftOnAnySystem()
{
    MainWindowHarness harness(Chinese);
    harness.context.language.systemLanguageClass = English;
    harness.start(MainWindowHooks());
    harness.showAndActivate();
    QStringList offered;
    QString shown;
    QTimer::singleShot(0, harness.window.get(), [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("FrmSetLanguage"))
            return;
        auto *list = modal->findChild<QComboBox *>(QStringLiteral("Combo1"));
        offered = itemTexts(list);
        shown = list->currentText();
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Home);
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    });
    harness.window->findChild<QAction *>(QStringLiteral("mnuLanguage"))->trigger();
    QCOMPARE(offered, (QStringList{"英语", "中文"}));
    QCOMPARE(shown, QStringLiteral("中文"));
    QCOMPARE(harness.context.language.languageIndex, English);
    QCOMPARE(QString::fromStdString(harness.ini.document.valueOr("language", "CurrentLanguage")),
             QStringLiteral("1"));
    QCOMPARE(harness.window->findChild<QAction *>(QStringLiteral("mnuFile"))->text(),
             QStringLiteral("&File"));
}

QTEST_MAIN(TestFrmSetLanguage)
#include "tst_frmsetlanguage.moc"
