#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include "ToneMeasure.h"

// orx740-cli tone on the shipped data files: the WAV file a user shares instead of the preview.
class TestToneVerb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void defaultSetOneIsFourTonesAt2100Hz();
    void refusalsWriteNoFile_data();
    void refusalsWriteNoFile();

private:
    int run(const QStringList &arguments);

    QString m_cli;
    QString m_dataFile;
    QTemporaryDir m_dir;
    QByteArray m_err;
};

namespace {

std::uint32_t le(const QByteArray &bytes, int at, int size)
{
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | std::uint8_t(bytes[at + k]);
    return value;
}

} // namespace

void TestToneVerb::initTestCase()
{
    const QString root = qEnvironmentVariable("ORX740_STAGE_ROOT");
    // With the executable suffix of the system (".exe" on Windows).
    m_cli = QStandardPaths::findExecutable("orx740-cli", {root + "/bin"});
    m_dataFile = root + "/bin/Init/0_KZ6666_New.dat";
    QVERIFY2(!m_cli.isEmpty(), qPrintable(root + "/bin holds no orx740-cli"));
    QVERIFY(QFile::exists(m_dataFile));
    QVERIFY(m_dir.isValid());
}

int TestToneVerb::run(const QStringList &arguments)
{
    QProcess process;
    process.start(m_cli, QStringList{"tone"} + arguments);
    if (!process.waitForFinished(30000))
        return -1;
    m_err = process.readAllStandardError();
    return process.exitCode();
}

void TestToneVerb::defaultSetOneIsFourTonesAt2100Hz()
{
    const QString wav = m_dir.filePath("set1.wav");
    QCOMPARE(run({m_dataFile, "--set", "1", "--wav", wav}), 0);
    QFile file(wav);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 44);
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(le(bytes, 20, 2), 1u);     // PCM
    QCOMPARE(le(bytes, 22, 2), 1u);     // mono
    QCOMPARE(le(bytes, 24, 4), 44100u); // samples a second
    QCOMPARE(le(bytes, 34, 2), 16u);    // bits a sample
    QCOMPARE(bytes.mid(36, 4), QByteArray("data"));
    QCOMPARE(le(bytes, 4, 4), std::uint32_t(bytes.size() - 8));

    // Set 1: tones and rests of 100 ms, seven in all, played once, no inter time.
    const std::uint32_t dataSize = le(bytes, 40, 4);
    QCOMPARE(qsizetype(dataSize), bytes.size() - 44);
    const int recycleTimes = 1;
    const int expectedMs = 7 * 100 * recycleTimes + 0 * recycleTimes;
    QCOMPARE(dataSize / 2, std::uint32_t(expectedMs * 44100 / 1000));

    std::vector<std::int16_t> samples(dataSize / 2);
    std::memcpy(samples.data(), bytes.constData() + 44, dataSize);
    const std::vector<Run> runs = soundingRuns(samples, 44);
    QCOMPARE(runs.size(), std::size_t(4));
    for (const Run &tone : runs) {
        const double hz = measuredFrequency(
            std::span<const std::int16_t>(samples).subspan(tone.begin, tone.end - tone.begin),
            44100);
        QVERIFY2(std::abs(hz - 2100) <= 21, qPrintable(QString::number(hz)));
    }
}

void TestToneVerb::refusalsWriteNoFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString wav = "out.wav";
    QTest::newRow("set 6 plays nothing") << QStringList{"DATA", "--set", "6", "--wav", wav} << 1
                                         << "tone set 6 plays nothing (Recycle Times \"Off\")";
    QTest::newRow("missing file") << QStringList{"missing.dat", "--set", "1", "--wav", wav} << 1
                                  << "cannot be read";
    QTest::newRow("set 9") << QStringList{"DATA", "--set", "9", "--wav", wav} << 2
                           << "--set expects a number from 1 to 8";
    QTest::newRow("no wav") << QStringList{"DATA", "--set", "1"} << 2 << "usage";
    QTest::newRow("unknown option") << QStringList{"DATA", "--set", "1", "--wav", wav, "--loud"}
                                    << 2 << "unknown argument '--loud'";
}

void TestToneVerb::refusalsWriteNoFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    for (QString &argument : arguments) {
        if (argument == "DATA")
            argument = m_dataFile;
        else if (argument.endsWith(".wav") || argument.endsWith(".dat"))
            argument = m_dir.filePath(argument);
    }
    QCOMPARE(run(arguments), status);
    QVERIFY2(m_err.startsWith("orx740-cli tone: ") && m_err.contains(message.toUtf8()), m_err);
    QVERIFY(!QFile::exists(m_dir.filePath("out.wav")));
}

QTEST_GUILESS_MAIN(TestToneVerb)
#include "tst_toneverb.moc"
