#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "LinkHarness.h"
#include "app/frmMain.h"
#include "channels/ChannelGrid.h"
#include "channels/ChannelWindows.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/InitFiles.h"
#include "datafile/QtBackupStore.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/IniDocument.h"
#include "link/FrmProgress.h"
#include "link/FrmVerifyResult.h"
#include "link/PtyRadioHost.h"
#include "link/TransferCommands.h"
#include "model/TransferWalk.h"
#include "radio/ImagePacking.h"
#include "support/ScriptedMessageService.h"
#include "support/WindowHarness.h"

namespace {

const char kOptionWindow[] = "FrmOptFeatures";
const char kEmergencyWindow[] = "frm_emg";

// Answers from a script and notes, for every box, whether the port was open and the progress
// window still there when it was shown.
class WatchingMessages : public ScriptedMessageService
{
public:
    MessageAnswer ask(std::string_view text, MessageButtons buttons, MessageIcon icon) override
    {
        portOpen.push_back(commands && commands->port().isOpen());
        progressShown.push_back(commands && commands->progressWindow());
        return ScriptedMessageService::ask(text, buttons, icon);
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Question &question : questions)
            result << QString::fromStdString(question.text);
        return result;
    }

    TransferCommands *commands = nullptr;
    std::vector<bool> portOpen;
    std::vector<bool> progressShown;
};

// An editor that holds one edit back until it is asked to commit it: a scan flag on the first
// channel of an HF group.
class HoldingEditor : public QLabel, public PendingEdits
{
public:
    HoldingEditor(const char *name, DocumentSet &document, int group)
        : m_document(document)
        , m_group(group)
    {
        setObjectName(QString::fromLatin1(name));
    }
    void commitPendingEdits() override
    {
        ++commits;
        m_document.channels.entry(HF, m_group, 1).Scan = 1;
        m_document.settings.channelCounts.at(HF, m_group) = 1;
    }
    int commits = 0;

private:
    DocumentSet &m_document;
    int m_group;
};

const QString kReadQuestion = QStringLiteral("Read data from radio.\r\nDo you wish continue?");
const QString kWriteQuestion = QStringLiteral("Write data to radio.\r\nDo you wish continue?");

// The main window with its real commands, a simulated radio on a pseudo-terminal and the port
// set through an alias in mysetup.ini.
struct Harness
{
    Harness()
        : host(radio)
    {
        if (!host.open())
            QTest::qFail(qPrintable(host.errorString()), __FILE__, __LINE__);
        ini.document = IniDocument(
            "[language]\r\ncomPort=7\r\n[ports]\r\nCOM7=" + host.devicePath().toStdString() +
            "\r\nCOM9=/dev/orx740-no-such-port\r\n");
        context.setupIni = &ini;
        context.messages = &messages;
        context.serial.comPort = 7;
        context.layout = InstallLayout::forProgramFolder(
            qEnvironmentVariable("ORX740_STAGE_ROOT").toStdString() + "/bin", '/');
        commands = std::make_unique<TransferCommands>(context);
        MainWindowHooks hooks;
        registerFileCommands(hooks);
        registerChannelWindows(hooks);
        registerTransferCommands(hooks, *commands);
        hooks.addWindow(kOptionWindow, [this](AppContext &c, MainWindowHost &) {
            editors[0] = new HoldingEditor(kOptionWindow, c.document.working(), 1);
            return editors[0];
        });
        hooks.addWindow(kEmergencyWindow, [this](AppContext &c, MainWindowHost &) {
            editors[1] = new HoldingEditor(kEmergencyWindow, c.document.working(), 2);
            return editors[1];
        });
        main = std::make_unique<frmMain>(context, notifier, std::move(hooks));
        messages.commands = commands.get();
        commands->runner().setReplyTimeout(std::chrono::milliseconds(40));
        ended = std::make_unique<QSignalSpy>(commands.get(), &TransferCommands::transferEnded);
    }

    void run(MainCommand command)
    {
        main->dispatch(command);
        QTRY_COMPARE_WITH_TIMEOUT(ended->count(), 1, 30000);
    }
    TransferOutcome outcome() const { return ended->at(0).at(0).value<TransferOutcome>(); }
    QStringList openWindows() const
    {
        QStringList names;
        for (QMdiSubWindow *sub : main->openSubWindows())
            names << sub->widget()->objectName();
        return names;
    }

    RadioSimulator radio;
    PtyRadioHost host;
    MemoryIniStore ini;
    WatchingMessages messages;
    AppContext context;
    DocumentNotifier notifier;
    std::unique_ptr<TransferCommands> commands;
    std::unique_ptr<frmMain> main;
    HoldingEditor *editors[2] = {};
    std::unique_ptr<QSignalSpy> ended;
};

bool sameBlocks(const RadioImage &a, const RadioImage &b)
{
    for (std::uint32_t block : transferredBlocks()) {
        for (std::uint32_t i = 0; i < 16; ++i) {
            if (a.byteAt(block + i) != b.byteAt(block + i))
                return false;
        }
    }
    return true;
}

int channelTotal(const DocumentSet &document)
{
    int total = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= kMaxGroup; ++group) {
            if (isValidKindGroup(kind, group))
                total += document.channelCount(kind, group);
        }
    }
    return total;
}

} // namespace

class TestTransferCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readFillsTheDocument();
    void writePutsThePackedDocumentIntoTheRadio();
    void declinedQuestionClosesThePort_data();
    void declinedQuestionClosesThePort();
    void radioThatStopsAnswering();
    void readsAndWritesKeepBackups();
    void wrongModelIsShownOnceAfterThePortIsClosed();
    void versionQuestionAndSwitch_data();
    void versionQuestionAndSwitch();
    void versionSwitchKeepsAnOpenEdit();
    void cancelEndsCleanly_data();
    void cancelEndsCleanly();
    void portThatCannotBeOpened_data();
    void portThatCannotBeOpened();
    void verifyRadioLeavesTheDocument_data();
    void verifyRadioLeavesTheDocument();
};

void TestTransferCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<TransferOutcome>();
}

void TestTransferCommands::readFillsTheDocument()
{
    Harness harness;
    fillPattern(harness.radio.memory(), 31);
    DocumentSet expected = harness.context.document.working();
    UnpackImageIntoDocument(harness.radio.memory(), expected);
    QVERIFY(channelTotal(expected) > 0);
    harness.context.document.documentPath = "/tmp/old.dat";
    harness.context.document.untitled = false;
    harness.main->openChildWindow(QString::fromLatin1(kOptionWindow));

    QList<int> shown;
    bool resized = false;
    connect(&harness.commands->link(), &LinkController::progressChanged, this, [&](int percent) {
        if (FrmProgress *progress = harness.commands->progressWindow()) {
            shown << progress->progress();
            QCOMPARE(progress->windowTitle(), QStringLiteral("Read data from radio"));
            QCOMPARE(progress->windowModality(), Qt::ApplicationModal);
        }
        // Resizing the main window leaves the transfer's timers alone.
        if (percent >= 50 && !resized) {
            resized = true;
            harness.main->resize(harness.main->size() + QSize(30, 20));
        }
    });
    // The open editor's edit makes the document a changed one: the save question comes first.
    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Ok};
    harness.run(MainCommand::ReadFromRadio);

    QCOMPARE(harness.outcome().result, TransferResult::Success);
    QCOMPARE(harness.messages.texts(),
             (QStringList{"Save changes to old.dat?", kReadQuestion, "Read Data Completed."}));
    QCOMPARE(harness.messages.questions[1].buttons, MessageButtons::OkCancel);
    QCOMPARE(harness.messages.questions[1].icon, MessageIcon::Question);
    QCOMPARE(harness.messages.questions[2].icon, MessageIcon::None);
    // The save question comes before the port is opened, the read question with the port open,
    // the completion after it is closed.
    QCOMPARE(harness.messages.portOpen, (std::vector<bool>{false, true, false}));
    QCOMPARE(harness.messages.progressShown, (std::vector<bool>{false, false, false}));
    QVERIFY(harness.radio.sessionEnded());
    // Every block was asked for; a late answer under load may have been asked for twice.
    QVERIFY(harness.radio.blocksRead() >= kTransferBlockCount);
    QVERIFY(sameBlocks(harness.context.image, harness.radio.memory()));
    QVERIFY(harness.context.document.working() == expected);
    QCOMPARE(harness.context.document.documentPath, std::string("new.dat"));
    QVERIFY(harness.context.document.untitled);
    // What was read is not saved yet: the title says so.
    QVERIFY(shownTitle(harness.main.get()).endsWith("[File Name:new.dat]*"));
    // The editors were closed; the channel window shows the new data.
    QTRY_COMPARE(harness.openWindows(), QStringList{"frmCommChInfo"});
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last(), 100);
    QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    QVERIFY(resized);
    QVERIFY(!harness.commands->isBusy());

    // The status bar says what was done, and Save As names the file by the day of the read.
    QCOMPARE(harness.main->findChild<QLabel *>(QStringLiteral("Panel1"))->text(),
             QStringLiteral("Read the radio's data into the program"));
    ScriptedFileDialogs dialogs;
    harness.context.fileDialogs = &dialogs;
    harness.main->dispatch(MainCommand::FileSaveAs);
    QCOMPARE(QString::fromStdString(dialogs.shown.at(0).presetPath),
             QDate::currentDate().toString(QStringLiteral("'ORX740-'yyyy-MM-dd'.dat'")));
}

void TestTransferCommands::writePutsThePackedDocumentIntoTheRadio()
{
    Harness harness;
    fillPattern(harness.radio.memory(), 32);
    harness.main->openChildWindow(QString::fromLatin1(kOptionWindow));
    harness.main->openChildWindow(QString::fromLatin1(kEmergencyWindow));
    const DocumentSet uncommitted = harness.context.document.working();
    harness.messages.answers = {MessageAnswer::Ok};
    harness.main->findChild<QAction *>(QStringLiteral("WriteRadio"))->trigger();
    // Every open editor has committed, once; the write itself waits for TimerWrite.
    QCOMPARE(harness.editors[0]->commits, 1);
    QCOMPARE(harness.editors[1]->commits, 1);
    QVERIFY(!(harness.context.document.working() == uncommitted));
    QCOMPARE(harness.context.document.working().channels.entry(HF, 2, 1).Scan, 1);
    QVERIFY(harness.commands->timerWrite().isActive());
    QCOMPARE(harness.commands->timerWrite().interval(), 200);
    QVERIFY(harness.commands->timerWrite().isSingleShot());
    QVERIFY(harness.messages.questions.empty());
    const DocumentSet before = harness.context.document.working();
    QTRY_COMPARE_WITH_TIMEOUT(harness.ended->count(), 1, 30000);

    QCOMPARE(harness.outcome().result, TransferResult::Success);
    QCOMPARE(harness.messages.texts(), (QStringList{kWriteQuestion, "Write Data Completed."}));
    QCOMPARE(harness.messages.portOpen, (std::vector<bool>{true, false}));
    RadioImage packed;
    PackDocumentIntoImage(before, packed);
    QCOMPARE(withoutResends(harness.radio.writtenAddresses()), transferredBlocks());
    QVERIFY(sameBlocks(harness.radio.memory(), packed));
    QVERIFY(harness.context.image == packed);
    QVERIFY(harness.context.document.working() == before);
    QVERIFY(harness.radio.sessionEnded());
}

void TestTransferCommands::declinedQuestionClosesThePort_data()
{
    QTest::addColumn<MainCommand>("command");
    QTest::newRow("read") << MainCommand::ReadFromRadio;
    QTest::newRow("write") << MainCommand::WriteToRadio;
}

void TestTransferCommands::declinedQuestionClosesThePort()
{
    QFETCH(MainCommand, command);
    Harness harness;
    fillPattern(harness.context.image, 33);
    const RadioImage image = harness.context.image;
    const DocumentSet document = harness.context.document.working();
    harness.messages.answers = {MessageAnswer::Cancel};
    harness.main->dispatch(command);
    QTRY_COMPARE(harness.messages.questions.size(), std::size_t(1));
    QVERIFY(!harness.commands->port().isOpen());
    QVERIFY(!harness.commands->isBusy());
    QVERIFY(!harness.commands->progressWindow());
    QVERIFY(harness.context.image == image);
    QVERIFY(harness.context.document.working() == document);
    QCOMPARE(harness.radio.framesReceived(), 0);
}

void TestTransferCommands::radioThatStopsAnswering()
{
    Harness harness;
    harness.radio.knobs().dieAfterBlocks = 300;
    fillPattern(harness.radio.memory(), 34);
    harness.context.document.documentPath = "/tmp/kept.dat";
    harness.main->openChildWindow(QString::fromLatin1(kEmergencyWindow));
    harness.main->commitPendingEdits();
    const DocumentSet before = harness.context.document.working();
    // The failure box's Save Trace... writes the frames where the user says.
    QTemporaryDir traceDir;
    const std::string tracePath = traceDir.filePath("trace.txt").toStdString();
    ScriptedFileDialogs dialogs;
    dialogs.answers = {tracePath};
    harness.context.fileDialogs = &dialogs;
    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Ok,
                                MessageAnswer::SaveTrace};
    harness.run(MainCommand::ReadFromRadio);
    // The editors stay open on the old document.
    QCOMPARE(harness.openWindows(), (QStringList{"frmCommChInfo", kEmergencyWindow}));

    QCOMPARE(harness.outcome().result, TransferResult::Failure);
    QCOMPARE(harness.outcome().failure, TransferFailure::NoAnswer);
    // One box, once the port is closed and the progress window gone. The radio dies after
    // serving 300 blocks; under load a late answer is asked for again and served twice, so the
    // block that goes unanswered may come earlier.
    QStringList texts = harness.messages.texts();
    texts.replaceInStrings(QRegularExpression("block \\d+ of 1872 \\(\\d+%\\)"),
                           "block N of 1872 (N%)");
    QCOMPARE(texts,
             (QStringList{"Save changes to kept.dat?", kReadQuestion,
                          "Reading from the radio failed: the radio did not answer after five "
                          "tries at block N of 1872 (N%).\r\nThe document was not "
                          "changed.\r\nCheck that the radio is switched on and in programming "
                          "mode, that the programming cable is seated at both ends, and the port "
                          "chosen under Communication Port (its Find Radio button asks every "
                          "port for the radio)."}));
    QCOMPARE(harness.messages.portOpen, (std::vector<bool>{false, true, false}));
    QCOMPARE(harness.messages.progressShown, (std::vector<bool>{false, false, false}));
    QCOMPARE(harness.messages.questions.back().buttons, MessageButtons::OkSaveTrace);
    QFile trace(QString::fromStdString(tracePath));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    QVERIFY(trace.readAll().contains("reply time-out"));
    QVERIFY(harness.context.document.working() == before);
    QCOMPARE(harness.context.document.documentPath, std::string("/tmp/kept.dat"));
    QVERIFY(!harness.commands->port().isOpen());
    QVERIFY(!harness.commands->progressWindow());
    QVERIFY(!harness.commands->link().waitTimer().isActive());
}

void TestTransferCommands::readsAndWritesKeepBackups()
{
    QTemporaryDir folder;
    QtBackupStore store(folder.path().toStdString());
    Harness harness;
    harness.commands->setBackupStore(&store);
    fillPattern(harness.radio.memory(), 36);
    harness.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    harness.run(MainCommand::ReadFromRadio);
    QCOMPARE(harness.outcome().result, TransferResult::Success);
    std::vector<BackupInfo> backups = store.list();
    QCOMPARE(backups.size(), std::size_t(1));
    QCOMPARE(backups[0].reason, BackupReason::Read);
    QVERIFY(backups[0].hasImage && backups[0].hasPair);
    QFile image(QString::fromStdString(backups[0].folder + "/" + backups[0].name + ".img"));
    QVERIFY(image.open(QIODevice::ReadOnly));
    QVERIFY(image.readAll() ==
            QByteArray(reinterpret_cast<const char *>(harness.context.image.bytes().data()),
                       qsizetype(harness.context.image.bytes().size())));

    // A write keeps the pair it is about to send, before anything goes out.
    harness.ended->clear();
    harness.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    harness.run(MainCommand::WriteToRadio);
    backups = store.list();
    QCOMPARE(backups.size(), std::size_t(2));
    QCOMPARE(backups[0].reason, BackupReason::Write);
    QVERIFY(backups[0].hasPair);
}

void TestTransferCommands::wrongModelIsShownOnceAfterThePortIsClosed()
{
    Harness harness;
    harness.radio.knobs().modelName = "ORX741";
    harness.radio.knobs().firmwareVersion = "V101";
    const DocumentSet before = harness.context.document.working();
    harness.messages.answers = {MessageAnswer::Ok};
    harness.run(MainCommand::ReadFromRadio);

    QCOMPARE(harness.outcome().result, TransferResult::Failure);
    // No version question for a model that is wrong anyway.
    QCOMPARE(harness.messages.texts(), (QStringList{kReadQuestion, "Model type is wrong."}));
    QCOMPARE(harness.messages.questions[1].buttons, MessageButtons::Ok);
    QCOMPARE(harness.messages.portOpen, (std::vector<bool>{true, false}));
    QCOMPARE(harness.messages.progressShown, (std::vector<bool>{false, false}));
    QVERIFY(harness.radio.sessionEnded());
    QCOMPARE(harness.radio.blocksRead(), 0);
    QVERIFY(harness.context.document.working() == before);
    QVERIFY(harness.context.messageQueue.empty());
}

void TestTransferCommands::versionQuestionAndSwitch_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("compatible");
    QTest::newRow("No") << false << false;
    QTest::newRow("Yes") << true << false;
    QTest::newRow("compatible by the table") << false << true;
}

void TestTransferCommands::versionQuestionAndSwitch()
{
    QFETCH(bool, yes);
    QFETCH(bool, compatible);
    Harness harness;
    harness.radio.knobs().firmwareVersion = "V101";
    if (compatible) {
        harness.context.versions = VersionRegistry::load(
            [](std::string_view section, std::string_view key) -> std::string {
                if (section == "Version" && key == "FirmVersionCount")
                    return "1";
                return section == "Firm" && key == "Firm0" ? "V100V101" : "";
            });
    }
    QStringList switched;
    bool portOpenAtSwitch = true;
    harness.context.switchVersion = [&](const std::string &version, MainWindowHost &) {
        switched << QString::fromStdString(version);
        portOpenAtSwitch = harness.commands->port().isOpen();
    };
    harness.messages.answers = {MessageAnswer::Ok, yes ? MessageAnswer::Yes : MessageAnswer::No};
    harness.run(MainCommand::ReadFromRadio);

    if (compatible) {
        QCOMPARE(harness.outcome().result, TransferResult::Success);
        QVERIFY(switched.isEmpty());
        return;
    }
    QCOMPARE(harness.outcome().result, TransferResult::Failure);
    const QString question =
        "incompatible version. It may cause unknown error.To start the corresponding software "
        "version, or not?\r\nFirmware version is V1.01\r\nprogramming software is V1.00";
    QCOMPARE(harness.messages.texts(), (QStringList{kReadQuestion, question}));
    QCOMPARE(harness.messages.questions[1].buttons, MessageButtons::YesNo);
    QCOMPARE(harness.messages.questions[1].icon, MessageIcon::None);
    QCOMPARE(harness.radio.blocksRead(), 0);
    QCOMPARE(switched, yes ? QStringList{"V101"} : QStringList{});
    if (yes)
        QVERIFY(!portOpenAtSwitch);
}

// A frequency still in the channel window's editor when the radio's firmware asks for another
// program version: the edit is in the document before the save question, and Cancel there keeps
// this program running with the edit.
void TestTransferCommands::versionSwitchKeepsAnOpenEdit()
{
    Harness harness;
    FileServices files(harness.context);
    struct Launcher : ProgramLauncher
    {
        std::string programBaseName() const override { return "orx740"; }
        std::string executableSuffix() const override { return {}; }
        bool startDetached(const std::string &) override { return ++starts, true; }
        void endProcess() override {}
        int starts = 0;
    } launcher;
    harness.context.launcher = &launcher;
    harness.context.versions =
        VersionRegistry::load([](std::string_view section, std::string_view key) -> std::string {
            if (section == "Version" && key == "FirmVersionCount")
                return "2";
            return key == "Firm0" ? "V100V100" : key == "Firm1" ? "V200V101" : "";
        });
    harness.radio.knobs().firmwareVersion = "V101";
    Document &document = harness.context.document;
    document.working().settings.currentKind = HF;
    document.setBandText("24.7150 - 30.1050 MHz");
    document.documentPath = "new.dat";
    document.untitled = true;
    harness.main->documentReplaced();
    document.takeSnapshot();
    harness.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(harness.main.get()));

    auto *grid = harness.main->childWindow("frmCommChInfo")->findChild<QTableView *>("MSFlexGrid1");
    const QModelIndex row5 = grid->model()->index(4, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row5).center());
    // A digit typed on the cell opens its editor, which takes the rest.
    QTest::keyClick(grid, '2');
    auto *editor = grid->findChild<QLineEdit *>("Text1");
    QTest::keyClicks(editor, "8.7");
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("28.7"));

    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Ok, MessageAnswer::Yes,
                                MessageAnswer::Cancel};
    harness.run(MainCommand::ReadFromRadio);
    const QStringList texts = harness.messages.texts();
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[0], QStringLiteral("Save changes to new.dat?"));
    QCOMPARE(texts[1], kReadQuestion);
    QVERIFY(texts[2].startsWith(QStringLiteral("incompatible version.")));
    QCOMPARE(texts[3], QStringLiteral("Save changes to new.dat?"));
    QCOMPARE(launcher.starts, 0);
    QCOMPARE(QString::fromStdString(
                 DigitsToDisplay(
                     ChannelGrid::rowRecord(document.working(), HF, 1, 5)->RxDigits.raw(), {})
                     .text),
             QStringLiteral("28.70000"));
}

void TestTransferCommands::cancelEndsCleanly_data()
{
    QTest::addColumn<MainCommand>("command");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("read") << MainCommand::ReadFromRadio
                          << QStringList{kReadQuestion, "Reading from the radio was cancelled at "
                                                        "block N of 1872 (20%).\r\nThe "
                                                        "document was not changed."};
    QTest::newRow("write") << MainCommand::WriteToRadio
                           << QStringList{kWriteQuestion,
                                          "Writing to the radio was cancelled at block N of "
                                          "1872 (20%).\r\nThe radio is only partly written: "
                                          "write again before using it."};
}

void TestTransferCommands::cancelEndsCleanly()
{
    QFETCH(MainCommand, command);
    QFETCH(QStringList, messages);
    Harness harness;
    fillPattern(harness.radio.memory(), 35);
    const RadioImage radioBefore = harness.radio.memory();
    const DocumentSet before = harness.context.document.working();
    bool cancelled = false;
    connect(&harness.commands->link(), &LinkController::progressChanged, this, [&](int percent) {
        if (percent >= 20 && !cancelled) {
            cancelled = true;
            QTimer::singleShot(0, this, [&] {
                QTest::mouseClick(harness.commands->progressWindow()->findChild<QPushButton *>(
                                      QStringLiteral("CommandCancel")),
                                  Qt::LeftButton);
            });
        }
    });
    harness.messages.answers = {MessageAnswer::Ok};
    harness.run(command);

    QCOMPARE(harness.outcome().result, TransferResult::Cancelled);
    // The block in progress depends on how far the radio got before the click arrived.
    QStringList texts = harness.messages.texts();
    texts.replaceInStrings(QRegularExpression("block \\d+ of"), "block N of");
    QCOMPARE(texts, messages);
    QCOMPARE(harness.messages.portOpen.back(), false);
    QVERIFY(harness.radio.sessionEnded());
    QVERIFY(!harness.commands->port().isOpen());
    QVERIFY(!harness.commands->progressWindow());
    QVERIFY(harness.context.document.working() == before);
    if (command == MainCommand::ReadFromRadio) {
        QVERIFY(harness.radio.blocksRead() < kTransferBlockCount);
    } else {
        QVERIFY(harness.radio.blocksWritten() > 0);
        QVERIFY(harness.radio.blocksWritten() < kTransferBlockCount);
        QVERIFY(!(harness.radio.memory() == radioBefore));
    }
}

void TestTransferCommands::portThatCannotBeOpened_data()
{
    QTest::addColumn<MainCommand>("command");
    QTest::addColumn<int>("comPort");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason");
    const QString english = QStringLiteral("Cannot Open Communication Port.");
    QTest::newRow("read, missing device")
        << MainCommand::ReadFromRadio << 9 << 1 << english << "the cable is unplugged";
    QTest::newRow("write, missing device")
        << MainCommand::WriteToRadio << 9 << 1 << english << "the cable is unplugged";
    QTest::newRow("read, port not listed")
        << MainCommand::ReadFromRadio << 997 << 1 << english << "no serial port COM997";
    QTest::newRow("read, no port chosen")
        << MainCommand::ReadFromRadio << 0 << 1 << english << "No port is chosen";
    QTest::newRow("write, Chinese")
        << MainCommand::WriteToRadio << 9 << 2 << QStringLiteral("无法打开通信端口。")
        << QStringLiteral("线缆已拔出");
}

void TestTransferCommands::portThatCannotBeOpened()
{
    QFETCH(MainCommand, command);
    QFETCH(int, comPort);
    QFETCH(int, language);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    Harness harness;
    harness.context.serial.comPort = comPort;
    harness.context.language.languageIndex = language;
    fillPattern(harness.context.image, 36);
    const RadioImage image = harness.context.image;
    harness.main->dispatch(command);
    // The program's message, then on the next line why.
    QTRY_COMPARE(harness.messages.texts().size(), 1);
    const QStringList lines = harness.messages.texts()[0].split("\r\n");
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], message);
    QVERIFY2(lines[1].contains(reason), qPrintable(lines[1]));
    QCOMPARE(harness.messages.questions[0].icon, MessageIcon::Critical);
    QCOMPARE(harness.messages.questions[0].buttons, MessageButtons::Ok);
    QVERIFY(!harness.commands->isBusy());
    QVERIFY(!harness.commands->progressWindow());
    QVERIFY(harness.context.image == image);
    QCOMPARE(harness.radio.framesReceived(), 0);
}

void TestTransferCommands::verifyRadioLeavesTheDocument_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("address"); // the byte changed in the radio; -1: none
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("silent");        // the radio stops answering
    QTest::addColumn<QStringList>("listed"); // "field|program's value|radio's value"
    QTest::addColumn<QString>("copied");
    QTest::newRow("one byte changed behind the program's back")
        << int(English) << 0x0035B << 2 << false
        << QStringList{"channels.CB.group 2.channel 14.mode|\"AM\"|\"USB\""}
        << "The radio differs from the program in 1 field:\nchannels.CB.group 2.channel 14.mode: "
           "program \"AM\", radio \"USB\"\n";
    QTest::newRow("nothing changed") << int(English) << -1 << 0 << false << QStringList{}
                                     << "The radio holds what the program shows.\n";
    QTest::newRow("nothing changed, Chinese") << int(Chinese) << -1 << 0 << false << QStringList{}
                                              << "对讲机中的数据与程序显示的相同。\n";
    QTest::newRow("radio stops answering")
        << int(English) << 0x0035B << 2 << true << QStringList{} << QString();
}

// Program > Verify Radio against a radio that holds what the program shows, but for the bytes
// changed behind the program's back: the result window lists what differs, and the document, its
// file name and the program's image stay as they were.
void TestTransferCommands::verifyRadioLeavesTheDocument()
{
    QFETCH(int, language);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(bool, silent);
    QFETCH(QStringList, listed);
    QFETCH(QString, copied);
    Harness harness;
    harness.context.language.languageIndex = language;
    Document &document = harness.context.document;
    // The shipped document: CB group 2 holds the 40 channels of the standard plan.
    document.working() = *shippedInitDocument(0, "2026-01-01");
    PackDocumentIntoImage(document.working(), harness.radio.memory());
    if (address >= 0)
        harness.radio.memory().write(std::uint32_t(address), std::uint8_t(value));
    if (silent)
        harness.radio.knobs().dieAfterBlocks = 300;
    fillPattern(harness.context.image, 37);
    const RadioImage image = harness.context.image;
    const DocumentSet before = document.working();
    const std::string version = document.dataFileVersion();
    document.documentPath = "/tmp/mine.dat";
    document.untitled = false;
    QStringList captions;
    connect(&harness.commands->link(), &LinkController::progressChanged, this, [&] {
        if (FrmProgress *progress = harness.commands->progressWindow())
            captions << progress->windowTitle();
    });
    harness.messages.answers = {MessageAnswer::Ok};
    harness.main->findChild<QAction *>(QStringLiteral("mnuVerifyRadio"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(harness.ended->count(), 1, 30000);

    QVERIFY(document.working() == before);
    QCOMPARE(document.dataFileVersion(), version);
    QCOMPARE(document.documentPath, std::string("/tmp/mine.dat"));
    QVERIFY(!document.untitled);
    QVERIFY(harness.context.image == image);
    QCOMPARE(harness.radio.sessionEnded(), !silent);
    QVERIFY(!harness.commands->port().isOpen());
    QVERIFY(!harness.commands->progressWindow());
    QVERIFY(!captions.isEmpty());
    captions.removeDuplicates();
    QCOMPARE(captions, QStringList{language == English ? "Verify radio: reading data from radio"
                                                       : "校验对讲机：从对讲机读取数据"});
    FrmVerifyResult *result = harness.commands->verifyResultWindow();
    if (silent) {
        // The failure box of a read, and no result. The radio dies after serving 300 blocks; a
        // block asked for again under load is served twice, so the unanswered one may come earlier.
        QCOMPARE(harness.messages.texts().size(), 1);
        QVERIFY(harness.messages.texts()[0].contains(QRegularExpression(
            "^Reading from the radio failed: the radio did not answer after five tries at block "
            "\\d+ of 1872 \\(\\d+%\\)\\.\r\nThe document was not changed\\.")));
        QVERIFY(!result);
        return;
    }
    // Nothing is asked before or after: the window is the answer.
    QVERIFY(harness.messages.texts().isEmpty());
    QVERIFY(result);
    QVERIFY(result->isVisible());
    QVERIFY(!result->isModal());
    QCOMPARE(result->objectName(), QStringLiteral("FrmVerifyResult"));
    auto *grid = result->findChild<QTableView *>(QStringLiteral("GridDifferences"));
    QAbstractItemModelTester tester(grid->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QStringList rows;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 3; ++column)
            cells << grid->model()->index(row, column).data().toString();
        rows << cells.join('|');
    }
    QCOMPARE(rows, listed);
    QCOMPARE(grid->isVisible(), !listed.isEmpty());
    QCOMPARE(result->findChild<QLabel *>(QStringLiteral("LabelSummary"))->text() + '\n',
             copied.section('\n', 0, 0) + '\n');
    QTest::mouseClick(result->findChild<QPushButton *>(QStringLiteral("CommandCopy")),
                      Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QTest::mouseClick(result->findChild<QPushButton *>(QStringLiteral("CommandClose")),
                      Qt::LeftButton);
    QTRY_VERIFY(!harness.commands->verifyResultWindow());
}

QTEST_MAIN(TestTransferCommands)
#include "tst_transfercommands.moc"
