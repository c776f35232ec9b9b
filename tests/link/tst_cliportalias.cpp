#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "LinkHarness.h"

// The command-line companion resolves "COM<n>" through the aliases of the mysetup.ini of its
// installation, as the program does. It runs here from an installation of its own in a temporary
// folder, so the staged settings stay as they are.
class TestCliPortAlias : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readThroughAnAlias_data();
    void readThroughAnAlias();

private:
    QString m_stagedCli;
    QString m_cli;
    QTemporaryDir m_dir;
};

void TestCliPortAlias::initTestCase()
{
    m_stagedCli = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/orx740-cli";
    QVERIFY2(QFile::exists(m_stagedCli), qPrintable(m_stagedCli));
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath("bin"));
    QVERIFY(QDir(m_dir.path()).mkpath("language"));
    m_cli = m_dir.filePath("bin/orx740-cli");
    QVERIFY(QFile::copy(m_stagedCli, m_cli));
}

void TestCliPortAlias::readThroughAnAlias_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("alias") << "COM77" << 0;
    QTest::newRow("alias in lower case in the file") << "COM78" << 0;
    QTest::newRow("no such alias") << "COM79" << 1;
}

void TestCliPortAlias::readThroughAnAlias()
{
    QFETCH(QString, port);
    QFETCH(int, exitCode);
    RadioImage memory;
    fillPattern(memory, 41);
    const QString image = m_dir.filePath("memory.bin");
    {
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(memory.bytes().data()),
                   qint64(memory.bytes().size()));
    }
    QProcess simulator;
    simulator.start(m_stagedCli, {"simulate", "--image", image});
    QVERIFY(simulator.waitForStarted() && simulator.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    QFile setup(m_dir.filePath("language/mysetup.ini"));
    QVERIFY(setup.open(QIODevice::WriteOnly));
    setup.write("[language]\r\ncomPort=1\r\n[ports]\r\nCOM77=" + device.toLocal8Bit() +
                "\r\ncom78=" + device.toLocal8Bit() + "\r\n");
    setup.close();

    const QString out = m_dir.filePath("read.bin");
    QFile::remove(out);
    QProcess read;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    read.setProcessEnvironment(environment);
    read.start(m_cli, {"read", "--port", port, "--image-out", out});
    QVERIFY(read.waitForFinished(30000));
    const QString errors = QString::fromUtf8(read.readAllStandardError());
    QCOMPARE(read.exitCode(), exitCode);
    simulator.terminate();
    if (!simulator.waitForFinished(5000)) {
        simulator.kill();
        simulator.waitForFinished();
    }
    if (exitCode != 0) {
        QVERIFY(errors.contains("Cannot Open Communication Port."));
        QVERIFY(errors.contains("no serial port " + port));
        QVERIFY(!QFile::exists(out));
        return;
    }
    QVERIFY(errors.contains("Read Data Completed."));
    QFile result(out);
    QVERIFY(result.open(QIODevice::ReadOnly));
    const QByteArray bytes = result.readAll();
    for (std::uint32_t block : transferredBlocks())
        QCOMPARE(std::uint8_t(bytes.at(block + 5)), memory.byteAt(block + 5));
}

QTEST_GUILESS_MAIN(TestCliPortAlias)
#include "tst_cliportalias.moc"
