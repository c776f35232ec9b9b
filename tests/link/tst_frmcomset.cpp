#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/frmMain.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/IniFile.h"
#include "link/FrmComSet.h"
#include "link/PtyRadioHost.h"
#include "link/RadioSimulator.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

namespace {

// Aliases naming devices that are not there: they are listed all the same.
const QByteArray kSetup = "[language]\r\nIsFirstRun=0\r\ncomPort=250\r\n; the cable\r\n"
                          "CurrentLanguage=1\r\n\r\n[ports]\r\nCOM250=/dev/orx740-none-a\r\n"
                          "COM3=/dev/orx740-none-b\r\n";

struct Harness : FindsControls<Harness>
{
    explicit Harness(int comPort, const QByteArray &setup = kSetup, int language = English)
    {
        path = dir.filePath(QStringLiteral("mysetup.ini"));
        writeSetup(setup);
        ini = std::make_unique<IniFile>(path);
        context.setupIni = ini.get();
        context.messages = &messages;
        context.language.languageIndex = context.language.shownLanguage = language;
        context.serial.comPort = comPort;
    }

    void writeSetup(const QByteArray &bytes) const
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray setupBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void open() { window = std::make_unique<FrmComSet>(context); }

    QComboBox *combo() const { return find<QComboBox>("Combo1"); }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<IniFile> ini;
    ScriptedMessageService messages;
    AppContext context;
    std::unique_ptr<FrmComSet> window;
};

} // namespace

class TestFrmComSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void captions_data();
    void captions();
    void listsAliasesFirst();
    void showsTheConfiguredPortOrTheFirst_data();
    void showsTheConfiguredPortOrTheFirst();
    void okStoresTheChoiceAndKeepsEveryOtherByte();
    void cancelChangesNothing();
    void refreshFollowsThePortsPresent();
    void theTimerRefreshesWhileOpen();
    void okWithNoPortListed();
    void theMenuCommandOpensItAndTheStatusBarFollows();
    void otherPortIsKeptAsAnAlias_data();
    void otherPortIsKeptAsAnAlias();
    void findCableShowsThePortThatAppears();
    void findRadioShowsThePortThatAnswers();
};

void TestFrmComSet::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestFrmComSet::captions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << 1 << QStringList{"Communication Port", "COM", "&OK", "&Cancel"};
    QTest::newRow("Chinese") << 2 << QStringList{"通信端口", "通信口", "确定(&O)", "取消(&C)"};
}

void TestFrmComSet::captions()
{
    QFETCH(int, language);
    QFETCH(QStringList, captions);
    Harness harness(250, kSetup, language);
    harness.open();
    QCOMPARE(harness.window->windowTitle(), captions[0]);
    QCOMPARE(harness.find<QLabel>("Label1")->text(), captions[1]);
    QCOMPARE(harness.find<QPushButton>("CommandOK")->text(), captions[2]);
    QCOMPARE(harness.find<QPushButton>("CommandCancel")->text(), captions[3]);
}

void TestFrmComSet::listsAliasesFirst()
{
    Harness harness(250);
    harness.open();
    const QStringList items = harness.items("Combo1");
    QVERIFY(items.size() >= 2);
    QCOMPARE(items.mid(0, 2), (QStringList{"COM3", "COM250"}));
    // Every other entry is a port the system lists, named "COM" + number, each once.
    for (const QString &item : items) {
        QVERIFY(item.startsWith("COM"));
        QCOMPARE(items.count(item), 1);
    }
}

void TestFrmComSet::showsTheConfiguredPortOrTheFirst_data()
{
    QTest::addColumn<int>("comPort");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("selected");
    QTest::newRow("configured port listed") << 250 << "COM250" << 250;
    QTest::newRow("configured port absent") << 998 << "COM3" << 3;
    QTest::newRow("no port chosen") << 0 << "COM3" << 3;
}

void TestFrmComSet::showsTheConfiguredPortOrTheFirst()
{
    QFETCH(int, comPort);
    QFETCH(QString, shown);
    QFETCH(int, selected);
    Harness harness(comPort);
    harness.open();
    QCOMPARE(harness.combo()->currentText(), shown);
    QCOMPARE(harness.window->selectedPort(), selected);
    // Showing a port is no choice yet: nothing is stored until OK.
    QCOMPARE(harness.setupBytes(), kSetup);
    QCOMPARE(harness.context.serial.comPort, comPort);
}

void TestFrmComSet::okStoresTheChoiceAndKeepsEveryOtherByte()
{
    Harness harness(250);
    harness.open();
    harness.combo()->setCurrentIndex(harness.combo()->findText("COM3"));
    QCOMPARE(harness.window->selectedPort(), 3);
    QTest::mouseClick(harness.find<QPushButton>("CommandOK"), Qt::LeftButton);
    QCOMPARE(harness.window->result(), int(QDialog::Accepted));
    QCOMPARE(harness.context.serial.comPort, 3);
    QByteArray expected = kSetup;
    expected.replace("comPort=250", "comPort=3");
    QCOMPARE(harness.setupBytes(), expected);
    QVERIFY(harness.messages.questions.empty());
}

void TestFrmComSet::cancelChangesNothing()
{
    Harness harness(250);
    harness.open();
    harness.combo()->setCurrentIndex(harness.combo()->findText("COM3"));
    QTest::mouseClick(harness.find<QPushButton>("CommandCancel"), Qt::LeftButton);
    QCOMPARE(harness.window->result(), int(QDialog::Rejected));
    QCOMPARE(harness.context.serial.comPort, 250);
    QCOMPARE(harness.setupBytes(), kSetup);
}

void TestFrmComSet::refreshFollowsThePortsPresent()
{
    Harness harness(250);
    harness.open();
    harness.combo()->setCurrentIndex(harness.combo()->findText("COM250"));
    // A new port shows up; the one shown stays shown.
    QByteArray setup = kSetup + "COM40=/dev/orx740-none-c\r\n";
    harness.writeSetup(setup);
    harness.window->refresh();
    QCOMPARE(harness.items("Combo1").mid(0, 3), (QStringList{"COM3", "COM40", "COM250"}));
    QCOMPARE(harness.combo()->currentText(), QStringLiteral("COM250"));
    QCOMPARE(harness.window->selectedPort(), 250);
    // The port shown goes away: the first listed takes its place.
    setup.replace("COM250=/dev/orx740-none-a\r\n", "");
    harness.writeSetup(setup);
    harness.window->refresh();
    QCOMPARE(harness.items("Combo1").mid(0, 2), (QStringList{"COM3", "COM40"}));
    QVERIFY(!harness.items("Combo1").contains("COM250"));
    QCOMPARE(harness.combo()->currentText(), QStringLiteral("COM3"));
    QCOMPARE(harness.window->selectedPort(), 3);
}

void TestFrmComSet::theTimerRefreshesWhileOpen()
{
    Harness harness(250);
    harness.open();
    harness.window->show();
    const auto *timer = harness.find<QTimer>("ReShowComPortTimer");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    harness.writeSetup(kSetup + "COM41=/dev/orx740-none-d\r\n");
    QTRY_VERIFY(harness.items("Combo1").contains("COM41"));
    harness.window->close();
    QVERIFY(!timer->isActive());
}

void TestFrmComSet::okWithNoPortListed()
{
    if (!QSerialPortInfo::availablePorts().isEmpty())
        QSKIP("this computer has serial ports, so the list cannot be empty");
    const QByteArray setup = "[language]\r\ncomPort=4\r\n";
    Harness harness(4, setup);
    harness.open();
    QCOMPARE(harness.combo()->count(), 0);
    QCOMPARE(harness.combo()->currentIndex(), -1);
    QCOMPARE(harness.window->selectedPort(), 0);
    QTest::mouseClick(harness.find<QPushButton>("CommandOK"), Qt::LeftButton);
    QCOMPARE(harness.context.serial.comPort, 0);
    QCOMPARE(harness.setupBytes(), setup);
}

void TestFrmComSet::theMenuCommandOpensItAndTheStatusBarFollows()
{
    Harness harness(250);
    harness.context.layout = InstallLayout::forProgramFolder(
        qEnvironmentVariable("ORX740_STAGE_ROOT").toStdString() + "/bin", '/');
    DocumentNotifier notifier;
    TransferCommands transfers(harness.context);
    MainWindowHooks hooks;
    registerTransferCommands(hooks, transfers);
    frmMain main(harness.context, notifier, std::move(hooks));
    const auto panel = [&main] {
        return main.findChild<QLabel *>(QStringLiteral("Panel3"))->text();
    };
    QCOMPARE(panel(), QStringLiteral("COM250"));
    main.findChild<QAction *>(QStringLiteral("mnuComPort"))->trigger();
    auto *window = main.findChild<FrmComSet *>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    // The toolbar button brings the same window forward rather than a second one.
    main.findChild<QAction *>(QStringLiteral("CommSet"))->trigger();
    QCOMPARE(main.findChildren<FrmComSet *>().size(), 1);
    auto *combo = window->findChild<QComboBox *>(QStringLiteral("Combo1"));
    combo->setCurrentIndex(combo->findText("COM3"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("CommandOK")),
                      Qt::LeftButton);
    QCOMPARE(harness.context.serial.comPort, 3);
    QCOMPARE(panel(), QStringLiteral("COM3"));
}

void TestFrmComSet::otherPortIsKeptAsAnAlias_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("status");
    QTest::newRow("missing") << "/dev/orx740-none-z" << false
                             << "/dev/orx740-none-z does not exist.";
    QTest::newRow("a file, not a port") << "SETUP" << false << "not a serial port";
    QTest::newRow("a pseudo-terminal") << "PTY" << true << " is kept as COM";
}

void TestFrmComSet::otherPortIsKeptAsAnAlias()
{
    QFETCH(QString, device);
    QFETCH(bool, kept);
    QFETCH(QString, status);
    RadioSimulator radio;
    PtyRadioHost host(radio);
    QVERIFY(host.open());
    Harness harness(250);
    device.replace("SETUP", harness.path).replace("PTY", host.devicePath());
    harness.open();
    const QByteArray before = harness.setupBytes();
    QCOMPARE(harness.window->addOtherPort(device), kept);
    QVERIFY2(harness.find<QLabel>("LabelAssistant")->text().contains(status),
             qPrintable(harness.find<QLabel>("LabelAssistant")->text()));
    if (!kept) {
        QCOMPARE(harness.setupBytes(), before);
        return;
    }
    // The device is shown under its new number, and named there in the settings file.
    const QString shown = harness.combo()->currentText();
    QVERIFY(harness.setupBytes().contains((shown + "=" + device).toUtf8()));
    QVERIFY(harness.find<QLabel>("LabelPortFacts")->text().startsWith(device));
    // Naming it again keeps its number.
    QVERIFY(harness.window->addOtherPort(device));
    QCOMPARE(harness.setupBytes().count(device.toUtf8()), 1);
}

void TestFrmComSet::findCableShowsThePortThatAppears()
{
    Harness harness(250);
    harness.open();
    auto *findCable = harness.find<QPushButton>("CommandFindCable");
    const auto status = [&] { return harness.find<QLabel>("LabelAssistant")->text(); };
    QTest::mouseClick(findCable, Qt::LeftButton);
    QVERIFY(status().startsWith("Unplug the programming cable"));
    QCOMPARE(findCable->text(), QStringLiteral("&Next"));
    QTest::mouseClick(findCable, Qt::LeftButton);
    QVERIFY(status().startsWith("Now plug the programming cable in."));
    harness.window->refresh();
    QCOMPARE(harness.combo()->currentText(), QStringLiteral("COM250"));
    harness.writeSetup(kSetup + "COM77=/dev/orx740-none-c\r\n");
    harness.window->refresh();
    QCOMPARE(harness.combo()->currentText(), QStringLiteral("COM77"));
    QVERIFY2(status().startsWith("The programming cable is COM77 (/dev/orx740-none-c"),
             qPrintable(status()));
    QCOMPARE(findCable->text(), QStringLiteral("Find Ca&ble..."));
}

void TestFrmComSet::findRadioShowsThePortThatAnswers()
{
    RadioSimulator radio;
    PtyRadioHost host(radio);
    QVERIFY(host.open());
    Harness harness(250, kSetup + "COM60=" + host.devicePath().toUtf8() + "\r\n");
    harness.open();
    QTest::mouseClick(harness.find<QPushButton>("CommandFindRadio"), Qt::LeftButton);
    QVERIFY(harness.window->isFindingRadio());
    QCOMPARE(harness.find<QPushButton>("CommandFindRadio")->text(), QStringLiteral("&Stop"));
    QTRY_VERIFY_WITH_TIMEOUT(!harness.window->isFindingRadio(), 15000);
    const QString status = harness.find<QLabel>("LabelAssistant")->text();
    QVERIFY2(status.startsWith("The radio answers on COM60."), qPrintable(status));
    QVERIFY2(status.contains("COM3: "), qPrintable(status)); // the other named ports, each why not
    QCOMPARE(harness.combo()->currentText(), QStringLiteral("COM60"));
}

QTEST_MAIN(TestFrmComSet)
#include "tst_frmcomset.moc"
