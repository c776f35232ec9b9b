#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <array>

#include "LinkHarness.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

// The dealer's batch end to end: "batch" programs the radios a simulator serves on its
// pseudo-terminal, one session after another.
class TestBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void twoRadiosOneAfterAnother();
    void refusedRadio_data();
    void refusedRadio();
    void radioStopsAnsweringMidWrite();
    void keepOptionsKeepsTheRadiosOwn();
    void threePortsAtOnceOneDiesMidWrite();
    void unitsCountEveryPort();
    void badNamePattern_data();
    void badNamePattern();

private:
    struct Result
    {
        int exitCode{-1};
        QString errors;
        QString output;
    };
    // Starts "simulate" with the arguments, runs "batch" against its terminal with `input` on
    // stdin, and waits for both; a simulator still serving is stopped (at once when it is not
    // expected to end by itself).
    Result runBatch(const QStringList &simulateArgs, const QStringList &batchArgs,
                    const QByteArray &input = {}, bool simulatorEnds = true);
    int runCli(const QStringList &args);
    QString writeImage(const RadioImage &image, const QString &name);
    RadioImage readImage(const QString &path);
    QStringList logLines(const QString &path);

    QString m_cli;
    QTemporaryDir m_dir;
    QString m_plan;  // the template
    QString m_radio; // the image the simulated radio starts with, another document
    QString m_log;
};

void TestBatch::initTestCase()
{
    m_cli = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/orx740-cli";
    QVERIFY2(QFile::exists(m_cli), qPrintable(m_cli));
    QVERIFY(m_dir.isValid());
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    // Two different documents: the template, and what the radio holds before the batch.
    for (const auto &[seed, name] : {std::pair{41u, QString("plan")}, {42u, QString("radio")}}) {
        RadioImage pattern;
        fillPattern(pattern, seed);
        const QString dat = m_dir.filePath(name + ".dat");
        QCOMPARE(runCli({"unpack", writeImage(pattern, name + "-pattern.bin"), "--out", dat}), 0);
        QCOMPARE(runCli({"pack", dat, "--out", m_dir.filePath(name + ".bin")}), 0);
    }
    m_plan = m_dir.filePath("plan.dat");
    m_radio = m_dir.filePath("radio.bin");
    QCOMPARE(runCli({"diff", m_plan, m_radio}), 1);
    m_log = m_dir.filePath("units.csv");
}

void TestBatch::init()
{
    QFile::remove(m_log);
}

int TestBatch::runCli(const QStringList &args)
{
    QProcess process;
    process.start(m_cli, args);
    process.waitForFinished(30000);
    return process.exitCode();
}

QString TestBatch::writeImage(const RadioImage &image, const QString &name)
{
    return writeImageFile(image, m_dir.filePath(name));
}

RadioImage TestBatch::readImage(const QString &path)
{
    return readImageFile(path);
}

QStringList TestBatch::logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

TestBatch::Result TestBatch::runBatch(const QStringList &simulateArgs, const QStringList &batchArgs,
                                      const QByteArray &input, bool simulatorEnds)
{
    Result result;
    QProcess simulator;
    simulator.start(m_cli, QStringList{"simulate", "--image", m_radio} + simulateArgs);
    if (!simulator.waitForStarted() || !simulator.waitForReadyRead(10000)) {
        QTest::qFail("the simulator did not start", __FILE__, __LINE__);
        return result;
    }
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    QProcess batch;
    batch.start(m_cli,
                QStringList{"batch", "--template", m_plan, "--port", device, "--log", m_log} +
                    batchArgs);
    batch.write(input);
    batch.closeWriteChannel();
    if (!batch.waitForFinished(60000))
        QTest::qFail("the batch did not end", __FILE__, __LINE__);
    result.exitCode = batch.exitCode();
    result.errors = QString::fromUtf8(batch.readAllStandardError());
    result.output = QString::fromUtf8(batch.readAllStandardOutput());
    if (!simulatorEnds || !simulator.waitForFinished(3000)) {
        simulator.terminate();
        simulator.waitForFinished();
    }
    return result;
}

void TestBatch::twoRadiosOneAfterAnother()
{
    const QString dump = m_dir.filePath("dump-two.bin");
    // A log kept from an earlier day: the radios are numbered on from its last unit.
    const QByteArray earlier = "time,unit,port,model,firmware,result,differences,backup\n"
                               "2026-12-01 10:00:00,7,/dev/ttyUSB0,ORX740,V1.00,ok,0,/b\n";
    QFile kept(m_log);
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write(earlier) == earlier.size());
    kept.close();
    // Each radio: the ask, the read, the write and the read-back.
    const Result result =
        runBatch({"--sessions", "8", "--dump", dump}, {"--units", "2", "--next", "enter"}, "\n");
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
    QCOMPARE(result.output.count("Waiting for a radio on "), 2);
    QCOMPARE(result.output.count("Disconnect the radio and connect the next one"), 1);
    QCOMPARE(result.output.count("Press Enter when the next radio is connected"), 1);
    QVERIFY(result.output.contains("Unit 8: ORX740, firmware V1.00"));
    QVERIFY(result.output.contains("Summary: 2 done, 0 refused, 0 failed"));
    const QStringList log = logLines(m_log);
    QCOMPARE(log.size(), 4);
    QCOMPARE(log[0], "time,unit,port,model,firmware,result,differences,backup");
    for (int unit = 8; unit <= 9; ++unit) {
        const QStringList fields = log[unit - 6].split(',');
        QCOMPARE(fields.size(), 8);
        QCOMPARE(fields[1], QString::number(unit));
        // The firmware as the screen shows it.
        QCOMPARE(fields.mid(3, 4), (QStringList{"ORX740", "V1.00", "ok", "0"}));
        QVERIFY(QFile::exists(fields[7]));
    }
    // The radio holds the template.
    QCOMPARE(runCli({"diff", dump, m_plan}), 0);
}

void TestBatch::refusedRadio_data()
{
    QTest::addColumn<QStringList>("simulateArgs");
    QTest::addColumn<QString>("reason");
    QTest::newRow("another firmware")
        << QStringList{"--firmware", "V101"} << "firmware V1.01 does not fit";
    QTest::newRow("another model") << QStringList{"--model", "ORX741"} << "the radio is a ORX741";
}

void TestBatch::refusedRadio()
{
    QFETCH(QStringList, simulateArgs);
    QFETCH(QString, reason);
    const QString dump = m_dir.filePath("dump-refused.bin");
    const Result result =
        runBatch(QStringList{"--dump", dump} + simulateArgs, {"--units", "1", "--json"});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.errors.contains("Unit 1: refused: " + reason), qPrintable(result.errors));
    QCOMPARE(result.errors.count("refused:"), 1);
    QVERIFY(result.errors.contains("Summary: 0 done, 1 refused, 0 failed"));
    QVERIFY2(result.output.startsWith("{\"unit\":1,") &&
                 result.output.contains("\"result\":\"refused\""),
             qPrintable(result.output));
    const QStringList log = logLines(m_log);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[1].section(',', 5, 5), "refused");
    QVERIFY(readImage(dump) == readImage(m_radio));
}

void TestBatch::radioStopsAnsweringMidWrite()
{
    // The read takes the 1872 blocks; the radio goes silent after the write's third.
    const Result result = runBatch({"--die-after", "1875", "--sessions", "3"},
                                   {"--units", "1", "--keep-going"}, {}, false);
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.errors.contains("Writing to the radio failed: the radio did not answer "
                                    "after five tries at block 4 of 1872") &&
                 result.errors.contains("The radio is only partly written: write again"),
             qPrintable(result.errors));
    QVERIFY(!result.output.contains("Press Enter"));
    QVERIFY(result.output.contains("Summary: 0 done, 0 refused, 1 failed"));
    const QStringList log = logLines(m_log);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[1].section(',', 5, 6), "failed,0");
}

void TestBatch::keepOptionsKeepsTheRadiosOwn()
{
    const QString dump = m_dir.filePath("dump-keep.bin");
    const Result result =
        runBatch({"--sessions", "4", "--dump", dump}, {"--units", "1", "--keep", "options"});
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
    Document plan;
    Document before;
    Document after;
    UnpackImageIntoDocument(readImage(m_dir.filePath("plan.bin")), plan.working());
    UnpackImageIntoDocument(readImage(m_radio), before.working());
    UnpackImageIntoDocument(readImage(dump), after.working());
    const SettingsRecord &kept = after.working().settings;
    QCOMPARE(kept.options.groupNames, plan.working().settings.options.groupNames);
    OptionRecord options = kept.options;
    options.groupNames = before.working().settings.options.groupNames;
    QVERIFY(options == before.working().settings.options);
    QVERIFY(kept.toneTips == before.working().settings.toneTips);
    QVERIFY(kept.emergency == plan.working().settings.emergency);
    QVERIFY(after.working().channels == plan.working().channels);
    QVERIFY(after.working().memories == plan.working().memories);
    QVERIFY(!(options == plan.working().settings.options));
}

// A production line: three simulated radios on three ports in one batch; the second stops
// answering in the middle of its write while the others are written, verified and named.
void TestBatch::threePortsAtOnceOneDiesMidWrite()
{
    std::array<QProcess, 3> simulators;
    QStringList ports;
    for (std::size_t i = 0; i < simulators.size(); ++i) {
        QStringList args{"simulate",
                         "--image",
                         m_radio,
                         "--sessions",
                         "4",
                         "--dump",
                         m_dir.filePath(QString("dump-line-%1.bin").arg(i))};
        if (i == 1)
            args << "--die-after"
                 << "2500"; // the read's 1872 blocks, then 628 of the write
        simulators[i].start(m_cli, args);
        QVERIFY(simulators[i].waitForStarted() && simulators[i].waitForReadyRead(10000));
        ports << "--port" << QString::fromLocal8Bit(simulators[i].readLine()).trimmed();
    }
    QProcess batch;
    batch.start(m_cli, QStringList{"batch", "--template", m_plan, "--log", m_log, "--units", "3",
                                   "--keep-going", "--name-pattern", "ORX-{unit:04}", "--json"} +
                           ports);
    batch.closeWriteChannel();
    QVERIFY(batch.waitForFinished(60000));
    const QString errors = QString::fromUtf8(batch.readAllStandardError());
    QCOMPARE(batch.exitCode(), 1);
    QVERIFY2(errors.contains("Summary: 2 done, 0 refused, 1 failed"), qPrintable(errors));
    // Every line of a port starts with the port.
    const QString dying = ports[3];
    QVERIFY2(errors.contains(dying + ": unit ") &&
                 errors.contains("The radio is only partly written"),
             qPrintable(errors));
    const QStringList json =
        QString::fromUtf8(batch.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(json.size(), 3);
    for (const QString &line : json)
        QVERIFY2(line.contains("\"port\":\"/dev/") && line.contains("\"name\":\"ORX-000"),
                 qPrintable(line));

    const QStringList log = logLines(m_log);
    QCOMPARE(log.size(), 4);
    QCOMPARE(log[0], "time,unit,port,model,firmware,result,differences,backup,cable,name");
    QSet<QString> names;
    for (const QString &line : log.mid(1)) {
        const QStringList fields = line.split(',');
        QCOMPARE(fields.size(), 10);
        const int port = int(ports.indexOf(fields[2]) / 2);
        QCOMPARE(fields[5], port == 1 ? "failed" : "ok");
        QCOMPARE(fields[9], QString("ORX-%1").arg(fields[1].toInt(), 4, 10, QChar('0')));
        names << fields[9];
        if (port == 1)
            continue;
        // The radio holds the template, with its own name.
        simulators[std::size_t(port)].waitForFinished(3000);
        QProcess diff;
        diff.start(m_cli, {"diff", m_dir.filePath(QString("dump-line-%1.bin").arg(port)), m_plan});
        QVERIFY(diff.waitForFinished(30000));
        const QStringList differences =
            QString::fromUtf8(diff.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(differences.size(), 2);
        QVERIFY2(differences[0].startsWith("options.btDeviceName: A \"" + fields[9] + "\", B "),
                 qPrintable(differences[0]));
    }
    QCOMPARE(names.size(), 3);
    for (QProcess &simulator : simulators) {
        simulator.terminate();
        simulator.waitForFinished();
    }
}

// Two units on three ports: once the second radio is taken, the third port ends at once.
void TestBatch::unitsCountEveryPort()
{
    std::array<QProcess, 3> simulators;
    QStringList ports;
    for (QProcess &simulator : simulators) {
        simulator.start(m_cli, {"simulate", "--image", m_radio, "--sessions", "4"});
        QVERIFY(simulator.waitForStarted() && simulator.waitForReadyRead(10000));
        ports << "--port" << QString::fromLocal8Bit(simulator.readLine()).trimmed();
    }
    QProcess batch;
    batch.start(m_cli,
                QStringList{"batch", "--template", m_plan, "--log", m_log, "--units", "2"} + ports);
    batch.closeWriteChannel();
    QVERIFY(batch.waitForFinished(60000));
    const QString output = QString::fromUtf8(batch.readAllStandardOutput());
    QVERIFY2(batch.exitCode() == 0, qPrintable(output + batch.readAllStandardError()));
    QVERIFY(output.contains("Summary: 2 done, 0 refused, 0 failed"));
    const QStringList log = logLines(m_log);
    QCOMPARE(log.size(), 3);
    QCOMPARE(QSet<QString>({log[1].section(',', 1, 1), log[2].section(',', 1, 1)}),
             QSet<QString>({"1", "2"}));
    for (QProcess &simulator : simulators) {
        simulator.terminate();
        simulator.waitForFinished();
    }
}

void TestBatch::badNamePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("reason");
    QTest::newRow("too long") << "PRODUCTION-{unit:06}"
                              << "has 17 characters";
    QTest::newRow("too long for the last unit") << "ORX740-RADIOS-{unit}"
                                                << "unit 100 has 17 characters";
    QTest::newRow("not single-byte") << "电台-{unit}"
                                     << "other than single-byte";
    QTest::newRow("unknown field") << "ORX-{serial}"
                                   << "{serial}";
}

void TestBatch::badNamePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, reason);
    QProcess batch;
    batch.start(m_cli, {"batch", "--template", m_plan, "--port", "/dev/null", "--units", "100",
                        "--name-pattern", pattern});
    QVERIFY(batch.waitForFinished(10000));
    QCOMPARE(batch.exitCode(), 2);
    const QString errors = QString::fromUtf8(batch.readAllStandardError());
    QVERIFY2(errors.contains("--name-pattern") && errors.contains(reason), qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
