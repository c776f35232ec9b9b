#include <QTest>

#include "DocumentSamples.h"
#include "app/Startup.h"
#include "datafile/ChangedCheck.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "kernel/AppContext.h"
#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "kernel/IniDocument.h"
#include "support/ScriptedMessageService.h"

// New, Open, Save, Save As, Initial Setting, the save questions and the version switch, driven
// through scripted messages and dialogs and files kept in memory.
class TestFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveAsWritesThePair_data();
    void saveAsWritesThePair();
    void saveOfATitledDocumentAsksToOverwrite_data();
    void saveOfATitledDocumentAsksToOverwrite();
    void failedSaveIsReportedAndKeepsTheEdits_data();
    void failedSaveIsReportedAndKeepsTheEdits();
    void openReadsTheDocument();
    void rejectedFilesChangeNothing_data();
    void rejectedFilesChangeNothing();
    void incompatibleVersionOffersTheOtherProgram_data();
    void incompatibleVersionOffersTheOtherProgram();
    void openAsksToSaveFirst_data();
    void openAsksToSaveFirst();
    void shutdownSave_data();
    void shutdownSave();
    void changedCheck_data();
    void changedCheck();
    void newReplacesEditsByTheInitFile();
    void newWithoutUsableInitFileKeepsTheEdits_data();
    void newWithoutUsableInitFileKeepsTheEdits();
    void newCancelledChangesNothing();
    void initialSettingLoadsItsOwnFile();
    void startUpBuildsTheDefaultDocument();
    void startUpReadsTheVersionTable();
};

namespace {

constexpr char kNewInit[] = "/opt/orx/bin/Init/1_KZ6666_New.dat";
constexpr char kSettingInit[] = "/opt/orx/bin/Init/1_KZ6666.dat";

class FakeLauncher : public ProgramLauncher
{
public:
    std::string programBaseName() const override { return "orx740"; }
    std::string executableSuffix() const override { return ".exe"; }
    bool startDetached(const std::string &path) override
    {
        started.push_back(path);
        return canStart;
    }
    void endProcess() override { ended = true; }

    bool canStart = true;
    bool ended = false;
    std::vector<std::string> started;
};

class RecordingHost : public FileCommandHost
{
public:
    void closeAllChildWindows() override { calls << "close"; }
    void documentReplaced() override { calls << "replaced"; }
    QStringList calls;
};

struct Harness
{
    Harness()
    {
        context.messages = &messages;
        context.dataFiles = &files;
        context.fileDialogs = &dialogs;
        context.launcher = &launcher;
        context.versionIni = &versionIni;
        context.layout = InstallLayout::forProgramFolder("/opt/orx/bin", '/');
        context.document.onTitleChanged = [this] { ++titles; };
    }

    FileCommands commands() { return FileCommands(context, host); }

    void store(const std::string &path, const DocumentSet &document)
    {
        const PackedPair packed = packDataFilePair(document);
        files.files[path] = packed.dataFile;
        files.files[companionPath(path)] = packed.channelFile;
    }
    // A document tied to a file, unchanged.
    void openSample(const std::string &path, int seed = 2)
    {
        store(path, *Samples::richDocument(seed));
        QVERIFY(commands().ReadDocument(path));
        host.calls.clear();
        titles = 0;
    }
    void edit() { context.document.working().settings.thresholds[0] = 77; }
    bool changed() const
    {
        return ChangedCheck(context.document.working(), context.document.saved());
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &question : messages.questions)
            texts << QString::fromStdString(question.text);
        return texts;
    }

    AppContext context;
    ScriptedMessageService messages;
    MemoryDataFileStorage files;
    ScriptedFileDialogs dialogs;
    FakeLauncher launcher;
    MemoryIniStore versionIni;
    RecordingHost host;
    int titles = 0;
};

const QString kFileError = QStringLiteral("file error.");
const QString kNoSuchVersion =
    QStringLiteral("Fail to start the software. This version does not exist.");

} // namespace

void TestFileCommands::saveAsWritesThePair_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("dataFile");
    QTest::addColumn<QString>("channelFile");
    QTest::newRow("x.dat comes with x.fre") << "/d/x.dat"
                                            << "/d/x.dat"
                                            << "/d/x.fre";
    QTest::newRow("name without extension") << "/d/radio"
                                            << "/d/radio.dat"
                                            << "/d/radio.fre";
}

void TestFileCommands::saveAsWritesThePair()
{
    QFETCH(QString, chosen);
    QFETCH(QString, dataFile);
    QFETCH(QString, channelFile);
    Harness harness;
    harness.context.document.working() = *Samples::richDocument();
    harness.dialogs.answers.emplace_back(chosen.toStdString());

    // An untitled document goes straight to the save dialog, without a question.
    QVERIFY(harness.commands().Save());
    QCOMPARE(harness.messages.questions.size(), std::size_t(0));
    QCOMPARE(harness.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(harness.dialogs.shown[0].dialog, std::string("save"));
    QCOMPARE(harness.dialogs.shown[0].filter, std::string("Data File (*.dat)|*.dat"));
    QCOMPARE(harness.dialogs.shown[0].presetPath, std::string("new.dat"));

    const Document &document = harness.context.document;
    QCOMPARE(QString::fromStdString(document.documentPath), dataFile);
    QVERIFY(!document.untitled);
    QVERIFY(!harness.changed());
    QCOMPARE(harness.titles, 1);
    QCOMPARE(harness.files.files.size(), std::size_t(2));
    QCOMPARE(harness.files.files.at(dataFile.toStdString()).size(), kDataFileSize);
    QCOMPARE(harness.files.files.at(channelFile.toStdString()), packChannelFile(document.saved()));
}

void TestFileCommands::saveOfATitledDocumentAsksToOverwrite_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("question");
    QTest::newRow("OK writes") << 1 << int(MessageAnswer::Ok) << true
                               << "\"a.dat\"file will be Overwrite,Continue?";
    QTest::newRow("Cancel keeps the file")
        << 1 << int(MessageAnswer::Cancel) << false << "\"a.dat\"file will be Overwrite,Continue?";
    QTest::newRow("Chinese") << 2 << int(MessageAnswer::Ok) << true
                             << "\"a.dat\"文件将被覆盖，是否继续？";
}

void TestFileCommands::saveOfATitledDocumentAsksToOverwrite()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(bool, written);
    QFETCH(QString, question);
    Harness harness;
    harness.context.language.languageIndex = language;
    harness.openSample("/d/a.dat");
    harness.edit();
    harness.messages.answers.push_back(MessageAnswer(answer));

    QCOMPARE(harness.commands().Save(), written);
    QCOMPARE(harness.messageTexts(), QStringList{question});
    QVERIFY(harness.messages.questions[0].buttons == MessageButtons::OkCancel);
    QVERIFY(harness.messages.questions[0].icon == MessageIcon::Question);
    QVERIFY(harness.dialogs.shown.empty());
    QCOMPARE(harness.changed(), !written);
    SettingsRecord onDisk;
    QVERIFY(unpackSettingsRecord(harness.files.files.at("/d/a.dat"), onDisk) ==
            SettingsReadStatus::Ok);
    QCOMPARE(onDisk.thresholds[0], std::int16_t(written ? 77 : 0));
}

void TestFileCommands::failedSaveIsReportedAndKeepsTheEdits_data()
{
    QTest::addColumn<QString>("unwritable");
    QTest::newRow("folder cannot be written") << "/ro/x.dat";
    QTest::newRow("channel file cannot be written") << "/ro/x.fre";
}

void TestFileCommands::failedSaveIsReportedAndKeepsTheEdits()
{
    QFETCH(QString, unwritable);
    Harness harness;
    harness.edit();
    harness.files.unwritable.insert(unwritable.toStdString());
    harness.dialogs.answers.emplace_back("/ro/x.dat");

    QVERIFY(!harness.commands().SaveAs());
    QCOMPARE(harness.messageTexts(), QStringList{kFileError});
    QVERIFY(harness.files.files.empty());
    // Still untitled, still changed: closing the program will offer to save again.
    const Document &document = harness.context.document;
    QCOMPARE(document.documentPath, std::string("new.dat"));
    QVERIFY(document.untitled);
    QVERIFY(harness.changed());
    QCOMPARE(harness.titles, 0);
}

void TestFileCommands::openReadsTheDocument()
{
    Harness harness;
    const std::unique_ptr<DocumentSet> sample = Samples::richDocument(4);
    sample->settings.version.assign("V100");
    harness.store("/d/b.dat", *sample);
    harness.dialogs.answers.emplace_back("/d/b.dat");

    harness.commands().Open();
    const Document &document = harness.context.document;
    QCOMPARE(harness.dialogs.shown.at(0).dialog, std::string("open"));
    QCOMPARE(harness.dialogs.shown.at(0).filter, std::string("Data File (*.dat)|*.dat"));
    QVERIFY(harness.messages.questions.empty());
    QCOMPARE(document.documentPath, std::string("/d/b.dat"));
    QCOMPARE(document.previousPath, std::string("new.dat"));
    QVERIFY(!document.untitled);
    QVERIFY(!harness.changed());
    QVERIFY(document.working().channels == sample->channels);
    QVERIFY(document.working().memories == sample->memories);
    QVERIFY(document.working().settings.options == sample->settings.options);
    // Kind 2 restores to the band text of "any other" kind.
    QCOMPARE(document.bandText(), std::string("28.0000 - 29.6990 MHz"));
    QCOMPARE(harness.host.calls, (QStringList{"close", "replaced"}));
    QVERIFY(harness.titles >= 1);
}

void TestFileCommands::rejectedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("dataFile");
    QTest::addColumn<int>("channelFile"); // -1 none, else its length in bytes
    QTest::addColumn<QString>("message");

    const PackedPair packed = packDataFilePair(*Samples::richDocument(6));
    const QByteArray good(reinterpret_cast<const char *>(packed.dataFile.data()),
                          qsizetype(packed.dataFile.size()));
    const int fullChannels = int(packed.channelFile.size());
    const QString unknown = QStringLiteral("Unknown version Of DataFile!");
    QByteArray wrongCount = good;
    wrongCount[114] = 41;
    const std::vector<std::uint8_t> noise = Samples::randomBytes(kDataFileSize, 11);

    QTest::newRow("2894 bytes") << good + QByteArray(1, '\0') << fullChannels << kNoSuchVersion;
    QTest::newRow("truncated to 2000 bytes") << good.left(2000) << fullChannels << kNoSuchVersion;
    QTest::newRow("V10X") << QByteArray("V10X") + good.mid(4) << fullChannels << unknown;
    QTest::newRow("empty") << QByteArray() << fullChannels << unknown;
    QTest::newRow("random bytes") << QByteArray(reinterpret_cast<const char *>(noise.data()),
                                                qsizetype(noise.size()))
                                  << fullChannels << unknown;
    QTest::newRow("oversized, 64 KiB")
        << good + QByteArray(65536, 'x') << fullChannels << kNoSuchVersion;
    QTest::newRow("impossible channel count") << wrongCount << fullChannels << kFileError;
    QTest::newRow("channel file missing") << good << -1 << kFileError;
    QTest::newRow("channel file short") << good << fullChannels - 10 << kFileError;
    QTest::newRow("channel file empty") << good << 0 << kFileError;
}

void TestFileCommands::rejectedFilesChangeNothing()
{
    QFETCH(QByteArray, dataFile);
    QFETCH(int, channelFile);
    QFETCH(QString, message);

    Harness harness;
    harness.openSample("/d/current.dat", 3);
    harness.edit();
    const DocumentSet working = harness.context.document.working();
    const DocumentSet saved = harness.context.document.saved();

    const PackedPair packed = packDataFilePair(*Samples::richDocument(6));
    harness.files.files["/d/bad.dat"].assign(dataFile.begin(), dataFile.end());
    if (channelFile >= 0)
        harness.files.files["/d/bad.fre"].assign(packed.channelFile.begin(),
                                                 packed.channelFile.begin() + channelFile);
    harness.messages.answers.push_back(MessageAnswer::Discard); // the save question
    harness.dialogs.answers.emplace_back("/d/bad.dat");

    harness.commands().Open();
    const QStringList texts = harness.messageTexts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[1], message);
    const Document &document = harness.context.document;
    QVERIFY(document.working() == working);
    QVERIFY(document.saved() == saved);
    QCOMPARE(document.documentPath, std::string("/d/current.dat"));
    QVERIFY(!document.untitled);
    QVERIFY(harness.host.calls.isEmpty());
    QVERIFY(harness.launcher.started.empty());
}

void TestFileCommands::incompatibleVersionOffersTheOtherProgram_data()
{
    QTest::addColumn<QByteArray>("versionIni");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("canStart");
    QTest::addColumn<QString>("started");
    QTest::addColumn<bool>("failureShown");

    const QByteArray single = "[Version]\r\nFirmVersionCount=1\r\n[Firm]\r\nFirm0=V100V100\r\n";
    const QByteArray two =
        "[Version]\r\nFirmVersionCount=2\r\n[Firm]\r\nFirm0=V100V100\r\nFirm1=V200V101\r\n";
    const int yes = int(MessageAnswer::Yes);
    QTest::newRow("No keeps the document") << two << int(MessageAnswer::No) << true << "" << false;
    QTest::newRow("Yes starts the version for V101")
        << two << yes << true << "/opt/orx/V200/KZ_306/orx740.exe" << false;
    QTest::newRow("Yes, no version handles V101") << single << yes << true << "" << true;
    QTest::newRow("Yes, the program cannot be started")
        << two << yes << false << "/opt/orx/V200/KZ_306/orx740.exe" << true;
}

void TestFileCommands::incompatibleVersionOffersTheOtherProgram()
{
    QFETCH(QByteArray, versionIni);
    QFETCH(int, answer);
    QFETCH(bool, canStart);
    QFETCH(QString, started);
    QFETCH(bool, failureShown);

    Harness harness;
    harness.versionIni.document = IniDocument(versionIni.toStdString());
    Startup::loadVersionRegistry(harness.context);
    harness.launcher.canStart = canStart;
    const DocumentSet before = harness.context.document.working();
    auto other = Samples::richDocument();
    other->settings.version.assign("V101");
    harness.store("/d/v101.dat", *other);
    harness.messages.answers.push_back(MessageAnswer(answer));

    QVERIFY(!harness.commands().ReadDocument("/d/v101.dat"));
    const QStringList texts = harness.messageTexts();
    QCOMPARE(texts.value(0),
             QStringLiteral("incompatible version. It may cause unknown error.To start the "
                            "corresponding software version, or not?\r\nDataFile version is "
                            "V1.01\r\nprogramming software is V1.00"));
    QVERIFY(harness.messages.questions[0].buttons == MessageButtons::YesNo);
    QCOMPARE(texts.size(), failureShown ? 2 : 1);
    if (failureShown)
        QCOMPARE(texts[1], kNoSuchVersion);
    QCOMPARE(harness.launcher.started.empty() ? QString()
                                              : QString::fromStdString(harness.launcher.started[0]),
             started);
    QCOMPARE(harness.launcher.ended, !started.isEmpty() && canStart);
    QVERIFY(harness.context.document.working() == before);
    QCOMPARE(harness.context.document.documentPath, std::string("new.dat"));
}

void TestFileCommands::openAsksToSaveFirst_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsName"); // empty: the save dialog is cancelled
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("writes");

    const int save = int(MessageAnswer::Save);
    QTest::newRow("Cancel stops") << true << int(MessageAnswer::Cancel) << "" << false << false
                                  << 0;
    QTest::newRow("Discard goes on without saving")
        << true << int(MessageAnswer::Discard) << "" << false << true << 0;
    QTest::newRow("Save saves to the file, then opens") << true << save << "" << false << true << 1;
    QTest::newRow("Save, save fails: stops") << true << save << "" << true << false << 1;
    QTest::newRow("Save, untitled: asks for a name")
        << false << save << "/d/named.dat" << false << true << 1;
    QTest::newRow("Save, untitled, name dialog cancelled: stops")
        << false << save << "" << false << false << 0;
}

void TestFileCommands::openAsksToSaveFirst()
{
    QFETCH(bool, titled);
    QFETCH(int, answer);
    QFETCH(QString, saveAsName);
    QFETCH(bool, writeFails);
    QFETCH(bool, opens);
    QFETCH(int, writes);

    Harness harness;
    if (titled)
        harness.openSample("/d/mine.dat");
    harness.edit();
    harness.store("/d/other.dat", *Samples::richDocument(9));
    harness.files.writeAttempts = 0;
    if (writeFails)
        harness.files.unwritable.insert("/d/mine.dat");
    harness.messages.answers.push_back(MessageAnswer(answer));
    if (!titled)
        harness.dialogs.answers.emplace_back(
            saveAsName.isEmpty() ? std::nullopt : std::optional(saveAsName.toStdString()));
    harness.dialogs.answers.emplace_back("/d/other.dat");

    harness.commands().Open();
    QCOMPARE(harness.messageTexts().value(0), titled ? QStringLiteral("Save changes to mine.dat?")
                                                     : QStringLiteral("Save changes to new.dat?"));
    QVERIFY(harness.messages.questions[0].buttons == MessageButtons::SaveDiscardCancel);
    QVERIFY(harness.messages.questions[0].icon == MessageIcon::Warning);
    QCOMPARE(harness.files.writeAttempts, writes);
    QCOMPARE(harness.context.document.documentPath == "/d/other.dat", opens);
    // Nothing written into the current folder under the placeholder name.
    QVERIFY(!harness.files.files.contains("new.dat"));
    if (!opens)
        QCOMPARE(harness.context.document.working().settings.thresholds[0], std::int16_t(77));
}

void TestFileCommands::shutdownSave_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("saved");
    QTest::newRow("titled: written to its file") << true << true;
    QTest::newRow("untitled: save dialog cancelled") << false << false;
}

void TestFileCommands::shutdownSave()
{
    QFETCH(bool, titled);
    QFETCH(bool, saved);
    Harness harness;
    if (titled)
        harness.openSample("/d/mine.dat");
    harness.edit();
    QCOMPARE(saveDocument(harness.context), saved);
    QCOMPARE(harness.dialogs.shown.size(), std::size_t(titled ? 0 : 1));
    QVERIFY(harness.messages.questions.empty());
    QCOMPARE(documentChanged(harness.context), !saved);
    QVERIFY(!harness.files.files.contains("new.dat"));
}

void TestFileCommands::changedCheck_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("changed");

    // Every edit that a save would write counts, whichever record it is in.
    const QStringList edits{"channel frequency",
                            "channel mode",
                            "channel count",
                            "VFO channel scan",
                            "group name",
                            "group valid flag",
                            "group table entry",
                            "DTMF code",
                            "threshold",
                            "tone set",
                            "identity date",
                            "band class",
                            "selector A",
                            "Ham Use Vfo",
                            "public set DTMF call",
                            "memory channel",
                            "emergency setting",
                            "dual-watch setting",
                            "memory-channel setting",
                            "channel transmit digits",
                            "channel roger beep",
                            "channel receive tone",
                            "battery maximum",
                            "name padding NUL for space",
                            "DTMF code padding",
                            "channels of a group reordered",
                            "current kind"};
    for (const QString &edit : edits)
        QTest::newRow(qPrintable(edit)) << edit << true;
}

void TestFileCommands::changedCheck()
{
    QFETCH(QString, edit);
    QFETCH(bool, changed);
    Document document;
    document.working() = *Samples::richDocument();
    document.takeSnapshot();
    QVERIFY(!ChangedCheck(document.working(), document.saved()));

    DocumentSet &w = document.working();
    SettingsRecord &s = w.settings;
    ChannelRecord &channel = w.channels.entry(CB, 2, 2);
    if (edit == "channel frequency")
        channel.RxDigits.assign("27123450");
    else if (edit == "channel mode")
        channel.Mode = 1;
    else if (edit == "channel count")
        AddChannel(w, HAM, 1, 1, "26.96500", Samples::kWide);
    else if (edit == "VFO channel scan")
        w.channels.entry(HF, 17, 1).Scan = 0;
    else if (edit == "group name")
        s.options.groupNames.names.at(HAM, 12).assign("ZZ");
    else if (edit == "group valid flag")
        s.options.groupNames.valid.at(CB, 7) = 0;
    else if (edit == "group table entry")
        s.options.hfGroupTable[14] = 9;
    else if (edit == "DTMF code")
        s.options.dtmfCodes[15].assign("9");
    else if (edit == "threshold")
        s.thresholds[5] = 1;
    else if (edit == "tone set")
        s.toneTips.set(1).recycleTimes = 9;
    else if (edit == "identity date")
        s.identity.date.assign("20270101");
    else if (edit == "band class")
        s.identity.bandClass2 = 0;
    else if (edit == "selector A")
        s.options.selectorA = 3;
    else if (edit == "Ham Use Vfo")
        s.options.hamUseVfo = 1;
    else if (edit == "public set DTMF call")
        s.options.publicSets[2].dtmfCall = 4;
    else if (edit == "memory channel")
        AddMemoryChannel(w.memories, 50, "27.00000", Samples::kWide);
    else if (edit == "emergency setting")
        s.emergency.values[0] = 5;
    else if (edit == "dual-watch setting")
        s.dualWatch.values[0] = 5;
    else if (edit == "memory-channel setting")
        s.memorySettings.values[0] = 5;
    else if (edit == "channel transmit digits")
        channel.TxDigits.assign("11111111");
    else if (edit == "channel roger beep")
        channel.RogerBeep = 130;
    else if (edit == "channel receive tone")
        channel.RxCtcss = 7;
    else if (edit == "battery maximum")
        s.options.batteryMax = 1;
    else if (edit == "name padding NUL for space")
        s.options.groupNames.names.at(CB, 5).assign(std::string_view("U\0", 2));
    else if (edit == "DTMF code padding")
        s.options.dtmfCodes[4].assign(std::string_view("12*#ABCD\0", 9));
    else if (edit == "channels of a group reordered")
        std::swap(w.channels.entry(CB, 2, 1), w.channels.entry(CB, 2, 3));
    else if (edit == "current kind")
        s.currentKind = 0;
    else
        QFAIL("unknown edit");
    QCOMPARE(ChangedCheck(document.working(), document.saved()), changed);
}

void TestFileCommands::newReplacesEditsByTheInitFile()
{
    Harness harness;
    harness.openSample("/d/mine.dat");
    harness.edit();
    const std::unique_ptr<DocumentSet> init = Samples::richDocument(8);
    harness.store(kNewInit, *init);
    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Ok};

    harness.commands().New();
    // The save question first, then New's own.
    QCOMPARE(harness.messageTexts(),
             (QStringList{"Save changes to mine.dat?", "All data will be cleared."}));
    QVERIFY(harness.messages.questions[1].buttons == MessageButtons::OkCancel);
    QVERIFY(harness.messages.questions[1].icon == MessageIcon::Warning);
    const Document &document = harness.context.document;
    QVERIFY(document.working().channels == init->channels);
    QVERIFY(document.working().settings.options == init->settings.options);
    QVERIFY(!documentChanged(harness.context)); // closing now asks nothing
    // New does not change the file the document is tied to.
    QCOMPARE(document.documentPath, std::string("/d/mine.dat"));
    QVERIFY(!document.untitled);
    QCOMPARE(harness.host.calls, (QStringList{"close", "replaced"}));
}

void TestFileCommands::newWithoutUsableInitFileKeepsTheEdits_data()
{
    QTest::addColumn<QString>("initFile");
    QTest::newRow("no Init folder") << "none";
    QTest::newRow("blank group name") << "blank name";
    QTest::newRow("channel file missing") << "no channels";
    QTest::newRow("short data file") << "short";
}

void TestFileCommands::newWithoutUsableInitFileKeepsTheEdits()
{
    QFETCH(QString, initFile);
    Harness harness;
    harness.edit();
    auto init = Samples::richDocument(8);
    if (initFile == "blank name")
        init->settings.options.groupNames.names.at(HF, 1).assign(std::string_view("\0 ", 2));
    if (initFile != "none")
        harness.store(kNewInit, *init);
    if (initFile == "no channels")
        harness.files.files.erase(companionPath(kNewInit));
    if (initFile == "short")
        harness.files.files[kNewInit].resize(100);
    const DocumentSet working = harness.context.document.working();
    const DocumentSet saved = harness.context.document.saved();
    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Ok};

    harness.commands().New();
    QVERIFY(harness.context.document.working() == working);
    QVERIFY(harness.context.document.saved() == saved);
    QVERIFY(documentChanged(harness.context));  // the edits are still offered for saving
    QCOMPARE(harness.messageTexts().size(), 2); // nothing reported
}

void TestFileCommands::newCancelledChangesNothing()
{
    Harness harness;
    harness.edit();
    harness.store(kNewInit, *Samples::richDocument(8));
    harness.messages.answers = {MessageAnswer::Discard, MessageAnswer::Cancel};
    harness.commands().New();
    QCOMPARE(harness.messageTexts().value(1), QStringLiteral("All data will be cleared."));
    QCOMPARE(harness.context.document.working().settings.thresholds[0], std::int16_t(77));
    QVERIFY(harness.host.calls.isEmpty());
}

void TestFileCommands::initialSettingLoadsItsOwnFile()
{
    Harness harness;
    harness.store(kNewInit, *Samples::richDocument(8));
    const std::unique_ptr<DocumentSet> setting = Samples::richDocument(9);
    harness.store(kSettingInit, *setting);
    harness.commands().InitialSetting();
    QVERIFY(harness.messages.questions.empty());
    QVERIFY(harness.context.document.working().settings.options == setting->settings.options);
    QCOMPARE(harness.host.calls, (QStringList{"close", "replaced"}));
}

void TestFileCommands::startUpBuildsTheDefaultDocument()
{
    Harness harness;
    auto init = Samples::richDocument(8);
    init->settings.currentKind = HF;
    harness.store(kNewInit, *init);
    Startup::buildNewDocument(harness.context);

    const Document &document = harness.context.document;
    QVERIFY(document.working().channels == init->channels);
    QVERIFY(!documentChanged(harness.context));
    QVERIFY(document.untitled);
    QCOMPARE(document.documentPath, std::string("new.dat"));
    // Restoring kind 1 gives the wide band, whose InitFiles start with 0.
    QCOMPARE(document.bandText(), std::string("24.7150 - 30.1050 MHz"));
    QCOMPARE(QString::fromStdString(initFilePath(harness.context, InitFileUse::NewDocument)),
             QStringLiteral("/opt/orx/bin/Init/0_KZ6666_New.dat"));

    // Without an InitFile: the code defaults with today's date.
    Harness bare;
    Startup::buildNewDocument(bare.context);
    const SettingsRecord &settings = bare.context.document.working().settings;
    QCOMPARE(settings.options.groupNames.names.at(CB, 5).raw(), std::string("U "));
    const std::string today = todayAsDateText();
    QCOMPARE(settings.identity.date.raw(), today);
    QCOMPARE(today.size(), std::size_t(8));
    QVERIFY(today.find_first_not_of("0123456789") == std::string::npos);
    QVERIFY(today >= "20240101");
    QCOMPARE(settings.groupSelection.at(CB, 17), std::int16_t(1));
    QCOMPARE(settings.groupSelection.at(HF, 13), std::int16_t(1));
    QCOMPARE(settings.groupSelection.at(HF, 14), std::int16_t(0));
    QCOMPARE(settings.identity.bandClass, std::int16_t(1));
    QVERIFY(!documentChanged(bare.context));
}

void TestFileCommands::startUpReadsTheVersionTable()
{
    Harness harness;
    harness.versionIni.document = IniDocument(
        "[Version]\r\nCurrentVersion=V100\r\nFirmVersionCount=2\r\n[Firm]\r\nFirm0=V100V100\r\n"
        "Firm1=V200V101\r\n");
    Startup::loadVersionRegistry(harness.context);
    QVERIFY(harness.context.versions.compatible("V200", "V101"));

    // Missing file or a count that is no number: the program's own pair only.
    for (const char *text : {"", "[Version]\r\nFirmVersionCount=x\r\n"}) {
        harness.versionIni.document = IniDocument(text);
        Startup::loadVersionRegistry(harness.context);
        QCOMPARE(harness.context.versions.pairs().size(), std::size_t(1));
        QVERIFY(harness.context.versions.compatible("V100", "V100"));
    }
}

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
