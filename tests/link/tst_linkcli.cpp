#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fcntl.h>
#include <unistd.h>

#include "LinkHarness.h"

// The command-line companion end to end: its simulated radio on a pseudo-terminal, read and
// write talking to it as separate processes.
class TestLinkCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readThenDump();
    void writeThenDump();
    void refusedReads_data();
    void refusedReads();
    void stoppedTransfers_data();
    void stoppedTransfers();
    void portThatCannotOpen();
    void dataFileReadThenWrite();
    void refusedReadWritesNoDataFile();
    void transferUsage_data();
    void transferUsage();
    void verifyNamesWhatDiffers();
    void simulatorHoldsTheShippedDocument();
    void portArgumentMistakes_data();
    void portArgumentMistakes();
    void helpOfEveryVerb_data();
    void helpOfEveryVerb();
    void detectFindsTheRadio();
    void detectOnASilentPort();
    void transferTrace_data();
    void transferTrace();

private:
    struct Result
    {
        int exitCode{-1};
        QString errors;
        QString output;
    };
    // Starts "simulate" with the arguments, runs the verb against its terminal, and waits for
    // the simulator to end.
    Result runAgainstSimulator(const QStringList &simulateArgs, const QStringList &verbArgs);
    int runCli(const QStringList &args);
    QString writeImage(const RadioImage &image, const QString &name);
    RadioImage readImage(const QString &path);

    QString m_cli;
    QTemporaryDir m_dir;
};

void TestLinkCli::initTestCase()
{
    m_cli = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/orx740-cli";
    QVERIFY2(QFile::exists(m_cli), qPrintable(m_cli));
    QVERIFY(m_dir.isValid());
    // Backups of the reads and writes below go here, not into the user's own folder.
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
}

QString TestLinkCli::writeImage(const RadioImage &image, const QString &name)
{
    return writeImageFile(image, m_dir.filePath(name));
}

RadioImage TestLinkCli::readImage(const QString &path)
{
    return readImageFile(path);
}

TestLinkCli::Result TestLinkCli::runAgainstSimulator(const QStringList &simulateArgs,
                                                     const QStringList &verbArgs)
{
    Result result;
    QProcess simulator;
    simulator.start(m_cli, QStringList{"simulate"} + simulateArgs);
    if (!simulator.waitForStarted() || !simulator.waitForReadyRead(10000)) {
        QTest::qFail("the simulator did not start", __FILE__, __LINE__);
        return result;
    }
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    QStringList args = verbArgs;
    args.replaceInStrings("DEVICE", device);
    QProcess verb;
    verb.start(m_cli, args);
    if (!verb.waitForFinished(30000))
        QTest::qFail("the transfer did not end", __FILE__, __LINE__);
    result.exitCode = verb.exitCode();
    result.errors = QString::fromUtf8(verb.readAllStandardError());
    result.output = QString::fromUtf8(verb.readAllStandardOutput());
    if (!simulator.waitForFinished(5000)) {
        simulator.kill();
        simulator.waitForFinished();
    }
    return result;
}

void TestLinkCli::readThenDump()
{
    RadioImage memory;
    fillPattern(memory, 31);
    const QString image = writeImage(memory, "memory.bin");
    const QString out = m_dir.filePath("read.bin");
    const QString dump = m_dir.filePath("dump-read.bin");
    const Result result = runAgainstSimulator({"--image", image, "--dump", dump},
                                              {"read", "--port", "DEVICE", "--image-out", out});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.errors.contains("Read Data Completed."));
    const RadioImage read = readImage(out);
    for (std::uint32_t block : transferredBlocks())
        QCOMPARE(read.byteAt(block + 3), memory.byteAt(block + 3));
    // The simulator ended on "END" by itself and dumped the memory it served, unchanged.
    QVERIFY(readImage(dump) == memory);
}

void TestLinkCli::writeThenDump()
{
    RadioImage source;
    fillPattern(source, 32);
    const QString image = writeImage(source, "source.bin");
    const QString dump = m_dir.filePath("dump-write.bin");
    const QString empty = writeImage(RadioImage(), "empty.bin");
    const Result result =
        runAgainstSimulator({"--image", empty, "--dump", dump, "--piece-size", "1"},
                            {"write", "--port", "DEVICE", "--image", image});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.errors.contains("Write Data Completed."));
    RadioImage expected;
    for (std::uint32_t block : transferredBlocks()) {
        std::array<std::uint8_t, 16> bytes;
        source.readBlock(block, bytes);
        expected.writeBlock(block, bytes);
    }
    QVERIFY(readImage(dump) == expected);
}

void TestLinkCli::refusedReads_data()
{
    QTest::addColumn<QStringList>("simulateArgs");
    QTest::addColumn<QStringList>("extraArgs");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong model") << QStringList{"--model", "ORX741"} << QStringList{}
                                 << "Model type is wrong.";
    QTest::newRow("newer firmware, No")
        << QStringList{"--firmware", "V101"} << QStringList{} << "Firmware version is V1.01";
    QTest::newRow("newer firmware, Yes")
        << QStringList{"--firmware", "V101"} << QStringList{"--switch-version"} << "V101";
}

void TestLinkCli::refusedReads()
{
    QFETCH(QStringList, simulateArgs);
    QFETCH(QStringList, extraArgs);
    QFETCH(QString, message);
    const QString out = m_dir.filePath("refused.bin");
    const Result result = runAgainstSimulator(
        simulateArgs, QStringList{"read", "--port", "DEVICE", "--image-out", out} + extraArgs);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.errors.count(message), 1);
    QVERIFY(!result.errors.contains("Read Data Completed."));
    QVERIFY(!QFile::exists(out));
}

void TestLinkCli::stoppedTransfers_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("read")
        << "read"
        << QStringList{"Reading from the radio failed: the radio did not answer "
                       "after five tries at block 3 of 1872 (",
                       "The document was not changed. Check that the radio is switched on"};
    QTest::newRow("write") << "write"
                           << QStringList{"Writing to the radio failed: the radio did not answer "
                                          "after five tries at block 3 of 1872 (",
                                          "The radio is only partly written: write again before "
                                          "using it. Check that the radio is switched on"};
}

// A radio that stops answering is reported with the words of the program's box, on one line.
void TestLinkCli::stoppedTransfers()
{
    QFETCH(QString, verb);
    QFETCH(QStringList, expected);
    const QString file = m_dir.filePath("stopped.bin");
    const QString image = writeImage(RadioImage(), "stopped-source.bin");
    const Result result = runAgainstSimulator(
        {"--die-after", "2"}, verb == "read"
                                  ? QStringList{"read", "--port", "DEVICE", "--image-out", file}
                                  : QStringList{"write", "--port", "DEVICE", "--image", image});
    QCOMPARE(result.exitCode, 1);
    const QStringList lines = result.errors.split('\n', Qt::SkipEmptyParts).filter("orx740-cli:");
    QCOMPARE(lines.size(), 1);
    for (const QString &part : expected)
        QVERIFY2(lines.first().contains(part), qPrintable(lines.first()));
    QVERIFY(!QFile::exists(file));
}

void TestLinkCli::portThatCannotOpen()
{
    QProcess verb;
    verb.start(m_cli, {"read", "--port", "COM0", "--image-out", m_dir.filePath("none.bin")});
    QVERIFY(verb.waitForFinished(10000));
    QCOMPARE(verb.exitCode(), 1);
    // One line: the program's message and the reason.
    const QByteArray errors = verb.readAllStandardError();
    QCOMPARE(errors.count('\n'), 1);
    QVERIFY(errors.startsWith("orx740-cli: Cannot Open Communication Port. "));
    QVERIFY(!QFile::exists(m_dir.filePath("none.bin")));
}

int TestLinkCli::runCli(const QStringList &args)
{
    QProcess process;
    process.start(m_cli, args);
    if (!process.waitForFinished(30000))
        return -1;
    return process.exitCode();
}

void TestLinkCli::dataFileReadThenWrite()
{
    // A radio holding the shipped starting configuration.
    const QString init = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/Init/1_KZ6666_New.dat";
    const QString radio = m_dir.filePath("radio.bin");
    QCOMPARE(runCli({"pack", init, "--out", radio}), 0);

    const QString read = m_dir.filePath("from-radio.dat");
    Result result =
        runAgainstSimulator({"--image", radio}, {"read", "--port", "DEVICE", "--out", read});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(QFile::exists(read));
    QVERIFY(QFile::exists(m_dir.filePath("from-radio.fre")));

    const QString dump = m_dir.filePath("written.bin");
    result = runAgainstSimulator({"--dump", dump}, {"write", "--port", "DEVICE", read});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.errors.contains("Write Data Completed."));

    // What the radio received is what the data file packs to, block for block.
    const QString packed = m_dir.filePath("packed.bin");
    QCOMPARE(runCli({"pack", read, "--out", packed}), 0);
    const RadioImage expected = readImage(packed);
    const RadioImage written = readImage(dump);
    const RadioImage original = readImage(radio);
    for (std::uint32_t block : transferredBlocks()) {
        std::array<std::uint8_t, 16> want;
        std::array<std::uint8_t, 16> got;
        expected.readBlock(block, want);
        written.readBlock(block, got);
        QCOMPARE(got, want);
    }
    QCOMPARE(expected.byteAt(0x0000), original.byteAt(0x0000)); // CB group 1, channel 1 survived
}

void TestLinkCli::refusedReadWritesNoDataFile()
{
    const QString out = m_dir.filePath("refused.dat");
    const Result result =
        runAgainstSimulator({"--model", "ORX741"}, {"read", "--port", "DEVICE", "--out", out});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QFile::exists(m_dir.filePath("refused.fre")));
}

void TestLinkCli::transferUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("read without a file") << QStringList{"read", "--port", "COM1"};
    QTest::newRow("read with two files")
        << QStringList{"read", "--port", "COM1", "--out", "a.dat", "--image-out", "b.bin"};
    QTest::newRow("write without a file") << QStringList{"write", "--port", "COM1"};
    QTest::newRow("write with two files")
        << QStringList{"write", "--port", "COM1", "a.dat", "--image", "b.bin"};
    QTest::newRow("write without a port") << QStringList{"write", "a.dat"};
    QTest::newRow("unknown option") << QStringList{"read", "--port", "COM1", "--fast"};
}

void TestLinkCli::transferUsage()
{
    QFETCH(QStringList, args);
    QCOMPARE(runCli(args), 2);
}

void TestLinkCli::verifyNamesWhatDiffers()
{
    const QString init = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/Init/1_KZ6666_New.dat";
    const QString radio = m_dir.filePath("verify-radio.bin");
    QCOMPARE(runCli({"pack", init, "--out", radio}), 0);

    Result result = runAgainstSimulator({"--image", radio}, {"verify", "--port", "DEVICE", init});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.output.contains("The radio holds what the file packs to."));

    // The same document with one channel's mode changed, through the CSV exchange.
    const QString csv = m_dir.filePath("verify.csv");
    QCOMPARE(runCli({"export-csv", init, "--out", csv}), 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    const qsizetype line = text.indexOf("\nHF,1,1,");
    QVERIFY(line > 0);
    const qsizetype end = text.indexOf("\r\n", line + 1);
    QList<QByteArray> fields = text.mid(line + 1, end - line - 1).split(',');
    fields[4] = "CW"; // Kind, Group, Channel, Frequency, Mode
    text.replace(line + 1, end - line - 1, fields.join(','));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    const QString changed = m_dir.filePath("changed.dat");
    QFile::copy(init, changed);
    QFile::copy(init.left(init.size() - 3) + "fre", m_dir.filePath("changed.fre"));
    QCOMPARE(runCli({"import-csv", csv, "--into", changed}), 0);

    result = runAgainstSimulator({"--image", radio}, {"verify", "--port", "DEVICE", changed});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.output.startsWith("channels.HF.group 1.channel 1.mode: file \"CW\", radio "),
             qPrintable(result.output));

    // Written and read back: now equal.
    result = runAgainstSimulator({"--image", radio, "--sessions", "2"},
                                 {"write", "--port", "DEVICE", "--verify", changed});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.output.contains("The radio holds what the file packs to."));

    // The write left a backup of the pair it wrote, listed first.
    QProcess backups;
    backups.start(m_cli, {"backups"});
    QVERIFY(backups.waitForFinished(10000));
    const QString listing = QString::fromUtf8(backups.readAllStandardOutput());
    QVERIFY2(listing.contains("written to the radio"), qPrintable(listing));
}

void TestLinkCli::simulatorHoldsTheShippedDocument()
{
    const QString read = m_dir.filePath("first-read.dat");
    const Result result = runAgainstSimulator({}, {"read", "--port", "DEVICE", "--out", read});
    QCOMPARE(result.exitCode, 0);
    QProcess show;
    show.start(m_cli, {"show", read});
    QVERIFY(show.waitForFinished(10000));
    QVERIFY(show.readAllStandardOutput().contains(": 40 channels"));
}

void TestLinkCli::portArgumentMistakes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("port without its value")
        << QStringList{"read", "--port", "--out", "x.dat"} << "--port needs a value" << 2;
    QTest::newRow("regular file as port") << QStringList{"read", "--port", "FILE", "--out", "x.dat"}
                                          << "is a regular file, not a serial port" << 1;
    QTest::newRow("verify without a file")
        << QStringList{"verify", "--port", "COM1"} << "usage: verify --port PORT FILE.dat" << 2;
}

void TestLinkCli::portArgumentMistakes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(int, exitCode);
    args.replaceInStrings("FILE", writeImage(RadioImage(), "not-a-port.bin"));
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(m_cli, args);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), exitCode);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QVERIFY(!QFile::exists(m_dir.filePath("x.dat")));
}

void TestLinkCli::helpOfEveryVerb_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("usage");
    QTest::newRow("read --help") << QStringList{"read", "--help"} << "orx740-cli read --port";
    QTest::newRow("help read") << QStringList{"help", "read"} << "orx740-cli read --port";
    QTest::newRow("tone -h") << QStringList{"tone", "-h"} << "orx740-cli tone FILE.dat";
    QTest::newRow("import-csv with --help after other words")
        << QStringList{"import-csv", "x.csv", "--help"} << "--kind K";
    QTest::newRow("help") << QStringList{"help"} << "orx740-cli tone FILE.dat";
}

void TestLinkCli::helpOfEveryVerb()
{
    QFETCH(QStringList, args);
    QFETCH(QString, usage);
    QProcess process;
    process.start(m_cli, args);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains(usage), qPrintable(text));

    // Every verb of the synopsis has its own help.
    process.start(m_cli, {"--help"});
    QVERIFY(process.waitForFinished(10000));
    const QString synopsis = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression verbLine(QStringLiteral("^(?:Usage:)? +orx740-cli ([a-z-]+)"),
                                      QRegularExpression::MultilineOption);
    int verbs = 0;
    for (auto it = verbLine.globalMatch(synopsis); it.hasNext(); ++verbs) {
        const QString verb = it.next().captured(1);
        process.start(m_cli, {verb, "--help"});
        QVERIFY(process.waitForFinished(10000));
        QVERIFY2(process.exitCode() == 0, qPrintable(verb));
    }
    QVERIFY(verbs >= 13);
    QVERIFY(synopsis.contains("orx740-cli tone "));
}

// detect asks the radio who it is and lets it go: nothing is read or written.
void TestLinkCli::detectFindsTheRadio()
{
    RadioImage memory;
    fillPattern(memory, 41);
    const QString image = writeImage(memory, "detect-memory.bin");
    const QString dump = m_dir.filePath("detect-dump.bin");
    const QString trace = m_dir.filePath("detect-trace.txt");
    const Result result =
        runAgainstSimulator({"--image", image, "--dump", dump, "--firmware", "V200"},
                            {"detect", "--port", "DEVICE", "--trace", trace});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.output.contains(
                 QRegularExpression("^/dev/\\S+: radio found: ORX740, firmware V2.00")),
             qPrintable(result.output));
    QVERIFY(readImage(dump) == memory);
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QRegularExpression("identify on /dev/\\S+, started ")));
    QVERIFY(text.contains(QRegularExpression(" ms  sent +50 52 4F 47 52 41 4D\n")));
    QVERIFY(text.contains(QRegularExpression(" ms  received  49 4F 52 58 37 34 30 ")));
    QVERIFY(text.contains(QRegularExpression(" ms  sent +45 4E 44\n")));
}

void TestLinkCli::detectOnASilentPort()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const QString device = QString::fromLocal8Bit(::ptsname(master));
    QProcess detect;
    detect.start(m_cli, {"detect", "--port", device});
    const bool ended = detect.waitForFinished(10000);
    ::close(master);
    QVERIFY(ended);
    QCOMPARE(detect.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(detect.readAllStandardOutput()),
             device + ": no answer within 5 s\n");
}

void TestLinkCli::transferTrace_data()
{
    QTest::addColumn<QStringList>("simulateArgs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read") << QStringList{} << 0 << " ms  received  57 00 00 00 00 10 ";
    QTest::newRow("read the radio stops answering")
        << QStringList{"--die-after", "2"} << 1 << " ms  reply time-out\n";
}

// The trace is written when the verb ends, whether the transfer succeeded or not.
void TestLinkCli::transferTrace()
{
    QFETCH(QStringList, simulateArgs);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    const QString trace = m_dir.filePath("read-trace.txt");
    QFile::remove(trace);
    const Result result =
        runAgainstSimulator(simulateArgs, {"read", "--port", "DEVICE", "--image-out",
                                           m_dir.filePath("traced.bin"), "--trace", trace});
    QCOMPARE(result.exitCode, exitCode);
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QRegularExpression("read on /dev/\\S+, started ")));
    QVERIFY(text.contains(" ms  sent      52 00 00 00 00 10\n"));
    QVERIFY(text.contains(expected));
}

QTEST_GUILESS_MAIN(TestLinkCli)
#include "tst_linkcli.moc"
