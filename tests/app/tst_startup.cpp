#include <QTest>

#include <set>

#include "app/Startup.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "kernel/AppContext.h"
#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "kernel/IniDocument.h"
#include "kernel/InstallLayout.h"
#include "kernel/MainWindowTexts.h"
#include "kernel/WindowPlacement.h"
#include "support/ScriptedMessageService.h"

namespace {

constexpr int kChinaLocale = 0x0804;
constexpr int kOtherLocale = 0x0409;

// The file as the installation ships it.
const QByteArray kShipped = "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nHandshaking=0\r\n"
                            "StopBit=0\r\n";

struct Harness
{
    explicit Harness(const QByteArray &setup)
        : ini(setup.toStdString())
    {
        context.setupIni = &ini;
        context.messages = &messages;
    }

    void start(int localeId, std::string operatingSystem = "Debian GNU/Linux 12")
    {
        Startup::runBeforeSplash(context, {localeId, std::move(operatingSystem)});
        Startup::runAfterSplash(context);
    }

    QByteArray file() const { return QByteArray::fromStdString(ini.document.bytes()); }
    QString value(const char *key) const
    {
        return QString::fromStdString(ini.document.valueOr("language", key, "<missing>"));
    }

    MemoryIniStore ini;
    ScriptedMessageService messages;
    AppContext context;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartTakesTheLocaleLanguage_data();
    void firstStartTakesTheLocaleLanguage();
    void storedLanguageWinsAfterTheFirstStart_data();
    void storedLanguageWinsAfterTheFirstStart();
    void damagedSettingsTakeFirstStartValues_data();
    void damagedSettingsTakeFirstStartValues();
    void serialSettingsAreRead();
    void unknownOperatingSystemIsReported();
    void startsWithTheUnchangedStartDocument();
    void closeQuestion_data();
    void closeQuestion();
    void installLayout_data();
    void installLayout();
    void installedProgramFindsTheDataFolder_data();
    void installedProgramFindsTheDataFolder();
    void namedFileOpensAsFileOpen_data();
    void namedFileOpensAsFileOpen();
    void twipsAndPixels();
    void titleShowsTheFileName_data();
    void titleShowsTheFileName();
};

void TestStartup::firstStartTakesTheLocaleLanguage_data()
{
    QTest::addColumn<int>("localeId");
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("Chinese system")
        << kChinaLocale << 2
        << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=0\r\nStopBit=0\r\n"
                      "CurrentLanguage=2\r\n");
    QTest::newRow("other system")
        << kOtherLocale << 1
        << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=0\r\nStopBit=0\r\n"
                      "CurrentLanguage=1\r\n");
}

void TestStartup::firstStartTakesTheLocaleLanguage()
{
    QFETCH(int, localeId);
    QFETCH(int, language);
    QFETCH(QByteArray, written);
    Harness harness(kShipped);
    harness.start(localeId);
    QCOMPARE(harness.context.language.languageIndex, language);
    QCOMPARE(harness.context.language.shownLanguage, language);
    QCOMPARE(harness.context.language.systemLanguageClass, language);
    QCOMPARE(harness.file(), written);
    QVERIFY(harness.messages.questions.empty());

    // The next start is no first start: the stored language stays, whatever the locale says.
    Harness next(harness.file());
    next.start(localeId == kChinaLocale ? kOtherLocale : kChinaLocale);
    QCOMPARE(next.context.language.languageIndex, language);
    QCOMPARE(next.file(), written);
}

void TestStartup::storedLanguageWinsAfterTheFirstStart_data()
{
    QTest::addColumn<int>("localeId");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("relabelPending");
    QTest::newRow("Chinese stored, other system") << kOtherLocale << QByteArray("2") << 2 << true;
    QTest::newRow("English stored, Chinese system") << kChinaLocale << QByteArray("1") << 1 << true;
    QTest::newRow("same as the locale") << kChinaLocale << QByteArray(" 2 ") << 2 << false;
    QTest::newRow("zero falls back to the locale") << kChinaLocale << QByteArray("0") << 2 << false;
    QTest::newRow("three falls back to the locale")
        << kOtherLocale << QByteArray("3") << 1 << false;
    QTest::newRow("no number falls back to the locale")
        << kChinaLocale << QByteArray("Chinese") << 2 << false;
}

void TestStartup::storedLanguageWinsAfterTheFirstStart()
{
    QFETCH(int, localeId);
    QFETCH(QByteArray, stored);
    QFETCH(int, language);
    QFETCH(bool, relabelPending);
    Harness harness("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=0\r\nStopBit=0\r\n"
                    "CurrentLanguage=" +
                    stored + "\r\n");
    harness.start(localeId);
    QCOMPARE(harness.context.language.languageIndex, language);
    QCOMPARE(harness.context.language.shownLanguage, localeId == kChinaLocale ? 2 : 1);
    QCOMPARE(harness.context.language.relabelPending(), relabelPending);
    QCOMPARE(harness.value("CurrentLanguage"), QString::number(language));
    QCOMPARE(harness.value("IsFirstRun"), QStringLiteral("0"));
}

void TestStartup::damagedSettingsTakeFirstStartValues_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<int>("comPort");
    QTest::addColumn<int>("handshaking");
    QTest::addColumn<int>("stopBit");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("missing file")
        << QByteArray() << 1 << 0 << 0
        << QByteArray("[language]\r\ncomPort=1\r\nHandshaking=0\r\nStopBit=0\r\nIsFirstRun=0\r\n"
                      "CurrentLanguage=2\r\n");
    QTest::newRow("keys missing, the rest kept")
        << QByteArray("; by hand\r\n[Language]\r\ncomport=4\r\n") << 4 << 0 << 0
        << QByteArray("; by hand\r\n[Language]\r\ncomport=4\r\nHandshaking=0\r\nStopBit=0\r\n"
                      "IsFirstRun=0\r\nCurrentLanguage=2\r\n");
    QTest::newRow("no numbers")
        << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=COM3\r\nHandshaking=x\r\n"
                      "StopBit=1.5\r\nCurrentLanguage=1\r\n")
        << 1 << 0 << 0
        << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=0\r\n"
                      "StopBit=0\r\nCurrentLanguage=1\r\n");
    QTest::newRow("port zero") << QByteArray(
                                      "[language]\r\nIsFirstRun=0\r\ncomPort=0\r\nHandshaking=1\r\n"
                                      "StopBit=1\r\nCurrentLanguage=1\r\n")
                               << 1 << 1 << 1
                               << QByteArray(
                                      "[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=1\r\n"
                                      "StopBit=1\r\nCurrentLanguage=1\r\n");
}

void TestStartup::damagedSettingsTakeFirstStartValues()
{
    QFETCH(QByteArray, setup);
    QFETCH(int, comPort);
    QFETCH(int, handshaking);
    QFETCH(int, stopBit);
    QFETCH(QByteArray, written);
    Harness harness(setup);
    harness.start(kChinaLocale);
    QCOMPARE(harness.context.serial.comPort, comPort);
    QCOMPARE(harness.context.serial.handshaking, handshaking);
    QCOMPARE(harness.context.serial.stopBit, stopBit);
    QCOMPARE(harness.file(), written);
}

void TestStartup::serialSettingsAreRead()
{
    Harness harness("[language]\r\nIsFirstRun=0\r\ncomPort=12\r\nHandshaking=2\r\nStopBit=1\r\n"
                    "CurrentLanguage=1\r\n");
    harness.start(kOtherLocale);
    QCOMPARE(harness.context.serial.comPort, 12);
    QCOMPARE(harness.context.serial.handshaking, 2);
    QCOMPARE(harness.context.serial.stopBit, 1);
    QCOMPARE(harness.value("comPort"), QStringLiteral("12"));
}

void TestStartup::unknownOperatingSystemIsReported()
{
    Harness harness(kShipped);
    harness.start(kOtherLocale, "");
    QCOMPARE(harness.messages.questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(harness.messages.questions[0].text),
             QStringLiteral("未知操作系统"));
    QVERIFY(harness.messages.questions[0].buttons == MessageButtons::Ok);
    // Start-up went on.
    QCOMPARE(harness.value("IsFirstRun"), QStringLiteral("0"));
}

void TestStartup::startsWithTheUnchangedStartDocument()
{
    Harness harness(kShipped);
    harness.context.document.working().settings.currentKind = 0;
    harness.start(kOtherLocale);
    const Document &document = harness.context.document;
    QCOMPARE(document.working().settings.currentKind, std::int16_t(1));
    QCOMPARE(document.bandText(), std::string("28.0000 - 29.6990 MHz"));
    QCOMPARE(document.bandLimits().lower, 28.0);
    QCOMPARE(document.documentPath, std::string("new.dat"));
    QVERIFY(document.working() == document.saved());
    QVERIFY(!documentChanged(harness.context));
}

void TestStartup::closeQuestion_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("questions");

    const int save = int(MessageAnswer::Save);
    const int discard = int(MessageAnswer::Discard);
    const int cancel = int(MessageAnswer::Cancel);
    QTest::newRow("unchanged: no question") << false << save << true << true << false << 0;
    QTest::newRow("Save saves, then closes") << true << save << true << true << true << 1;
    QTest::newRow("Save, save failed: stays open") << true << save << false << false << true << 1;
    QTest::newRow("Discard closes without saving") << true << discard << true << true << false << 1;
    QTest::newRow("Cancel stays open") << true << cancel << true << false << false << 1;
}

void TestStartup::closeQuestion()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    QFETCH(int, questions);

    Harness harness(kShipped);
    harness.context.language.languageIndex = Chinese;
    harness.messages.answers.push_back(MessageAnswer(answer));
    bool saveCalled = false;
    const bool closed = confirmClose(harness.context, changed, [&] {
        saveCalled = true;
        return saveSucceeds;
    });
    QCOMPARE(closed, closes);
    QCOMPARE(saveCalled, saved);
    QCOMPARE(int(harness.messages.questions.size()), questions);
    if (questions > 0) {
        const auto &question = harness.messages.questions[0];
        QCOMPARE(QString::fromStdString(question.text),
                 QStringLiteral("是否保存对 new.dat 的更改？"));
        QVERIFY(question.buttons == MessageButtons::SaveDiscardCancel);
        QVERIFY(question.icon == MessageIcon::Warning);
    }
}

void TestStartup::installLayout_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("setupIni");
    QTest::addColumn<QString>("chineseSplash");
    QTest::addColumn<QString>("background");

    QTest::newRow("Linux install") << "/opt/orx740/bin" << '/' << "/opt/orx740/language/mysetup.ini"
                                   << "/opt/orx740/bin/StartC.jpg"
                                   << "/opt/orx740/bin/PIC/BK_2.jpg";
    QTest::newRow("Windows install")
        << "C:\\ORX740\\bin" << '\\' << "C:\\ORX740\\language\\mysetup.ini"
        << "C:\\ORX740\\bin\\StartC.jpg"
        << "C:\\ORX740\\bin\\PIC\\BK_2.jpg";
    QTest::newRow("program at the file-system root") << "/" << '/' << "/language/mysetup.ini"
                                                     << "/StartC.jpg"
                                                     << "/PIC/BK_2.jpg";
    QTest::newRow("only a leading separator") << "/bin" << '/' << "/bin/language/mysetup.ini"
                                              << "/bin/StartC.jpg"
                                              << "/bin/PIC/BK_2.jpg";
}

void TestStartup::installLayout()
{
    QFETCH(QString, programFolder);
    QFETCH(char, separator);
    QFETCH(QString, setupIni);
    QFETCH(QString, chineseSplash);
    QFETCH(QString, background);
    const InstallLayout layout =
        InstallLayout::forProgramFolder(programFolder.toStdString(), separator);
    QCOMPARE(QString::fromStdString(layout.setupIniPath()), setupIni);
    QCOMPARE(QString::fromStdString(layout.splashPicture(Chinese)), chineseSplash);
    QCOMPARE(QString::fromStdString(layout.backgroundPicture(Chinese)), background);
}

void TestStartup::installedProgramFindsTheDataFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("existing"); // the one folder that exists
    QTest::addColumn<QString>("setupIni");
    QTest::addColumn<QString>("versionIni");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("initFolder");
    QTest::newRow("system install") << "/usr/bin"
                                    << "/usr/share/orx740"
                                    << "/usr/share/orx740/language/mysetup.ini"
                                    << "/usr/share/orx740/Version.ini"
                                    << "/usr/share/orx740/PIC/BK_2.jpg"
                                    << "/usr/share/orx740/Init";
    QTest::newRow("extracted package") << "/tmp/r/usr/bin"
                                       << "/tmp/r/usr/share/orx740"
                                       << "/tmp/r/usr/share/orx740/language/mysetup.ini"
                                       << "/tmp/r/usr/share/orx740/Version.ini"
                                       << "/tmp/r/usr/share/orx740/PIC/BK_2.jpg"
                                       << "/tmp/r/usr/share/orx740/Init";
    QTest::newRow("build tree") << "/src/build/bin"
                                << "/src/build/language"
                                << "/src/build/language/mysetup.ini"
                                << "/src/build/Version.ini"
                                << "/src/build/bin/PIC/BK_2.jpg"
                                << "/src/build/bin/Init";
    QTest::newRow("data folder beside a folder not named bin") << "/opt/orx/sbin"
                                                               << "/opt/orx/share/orx740"
                                                               << "/opt/orx/language/mysetup.ini"
                                                               << "/opt/orx/Version.ini"
                                                               << "/opt/orx/sbin/PIC/BK_2.jpg"
                                                               << "/opt/orx/sbin/Init";
}

void TestStartup::installedProgramFindsTheDataFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, existing);
    QFETCH(QString, setupIni);
    QFETCH(QString, versionIni);
    QFETCH(QString, background);
    QFETCH(QString, initFolder);
    std::set<std::string> asked;
    const InstallLayout layout = InstallLayout::forInstalledProgram(
        programFolder.toStdString(), '/', [&](const std::string &folder) {
            asked.insert(folder);
            return folder == existing.toStdString();
        });
    QCOMPARE(QString::fromStdString(layout.setupIniPath()), setupIni);
    QCOMPARE(QString::fromStdString(layout.versionIniPath()), versionIni);
    QCOMPARE(QString::fromStdString(layout.backgroundPicture(Chinese)), background);
    QCOMPARE(QString::fromStdString(layout.initFolder()), initFolder);
    for (const std::string &path : layout.sharedFiles())
        QVERIFY2(path.starts_with(layout.dataFolder.empty() ? layout.root : layout.dataFolder),
                 path.c_str());
    QVERIFY(asked.size() <= 1);
}

void TestStartup::namedFileOpensAsFileOpen_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("readable pair") << true << QString();
    QTest::newRow("missing file") << false << "file error.";
}

void TestStartup::namedFileOpensAsFileOpen()
{
    QFETCH(bool, stored);
    QFETCH(QString, message);
    Harness harness(kShipped);
    MemoryDataFileStorage files;
    ScriptedFileDialogs dialogs;
    harness.context.dataFiles = &files;
    harness.context.fileDialogs = &dialogs;
    harness.start(kOtherLocale);
    const std::string path = "/home/ann/shop.dat";
    if (stored) {
        DocumentSet document = harness.context.document.working();
        document.settings.thresholds[0] = 77;
        PackedPair packed = packDataFilePair(document);
        files.files[path] = packed.dataFile;
        files.files[companionPath(path)] = packed.channelFile;
    }

    FileCommandHost host;
    Startup::openNamedFile(harness.context, path,
                           [&] { FileCommands(harness.context, host).Open(); });

    const Document &document = harness.context.document;
    QCOMPARE(document.documentPath, stored ? path : std::string("new.dat"));
    QCOMPARE(document.untitled, !stored);
    QCOMPARE(document.working().settings.thresholds[0] == 77, stored);
    QVERIFY(!documentChanged(harness.context));
    QCOMPARE(harness.messages.questions.empty(), message.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(QString::fromStdString(harness.messages.questions.back().text), message);
    // The named file answered the one open dialog; File > Open afterwards shows the real one.
    QVERIFY(dialogs.shown.empty());
    FileCommands(harness.context, host).Open();
    QCOMPARE(dialogs.shown.size(), std::size_t(1));
}

void TestStartup::twipsAndPixels()
{
    QCOMPARE(twipsToPixels(1440, 96), 96);
    QCOMPARE(twipsToPixels(14500, 96), 967);
    QCOMPARE(twipsToPixels(300, 192), 40);
    QCOMPARE(pixelsToTwips(twipsToPixels(10500, 96), 96), 10500);
}

void TestStartup::titleShowsTheFileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("new document") << "new.dat" << 1
                                  << "ORX-740[28.0000 - 29.6990 MHz][File Name:new.dat]";
    QTest::newRow("Windows path") << "C:\\radios\\shop.dat" << 2
                                  << "ORX-740[28.0000 - 29.6990 MHz][文件名:shop.dat]";
    QTest::newRow("Linux path") << "/home/ann/radio one.dat" << 1
                                << "ORX-740[28.0000 - 29.6990 MHz][File Name:radio one.dat]";
}

void TestStartup::titleShowsTheFileName()
{
    QFETCH(QString, path);
    QFETCH(int, language);
    QFETCH(QString, title);
    QCOMPARE(
        QString::fromStdString(mainTitle("28.0000 - 29.6990 MHz", language, path.toStdString())),
        title);
}

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
