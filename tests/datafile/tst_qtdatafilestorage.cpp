#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "DocumentSamples.h"
#include "datafile/DataFileFormat.h"
#include "datafile/QtDataFileStorage.h"

// Data file pairs on disk: both files or neither, and reading what is there.
class TestQtDataFileStorage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writesBothFilesAndReadsThemBack();
    void overwriteReplacesALongerFile();
    void failedWritesLeaveThePreviousPair_data();
    void failedWritesLeaveThePreviousPair();
    void readingMissingAndOversizedFiles();
    void interruptedSaveIsSettled_data();
    void interruptedSaveIsSettled();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    static QByteArray contents(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static std::vector<std::uint8_t> bytesOf(const QByteArray &text)
    {
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQtDataFileStorage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestQtDataFileStorage::writesBothFilesAndReadsThemBack()
{
    const PackedPair packed = packDataFilePair(*Samples::richDocument());
    const std::string dataPath = path("x.dat").toStdString();
    QtDataFileStorage storage;
    QVERIFY(
        storage.writePair(dataPath, packed.dataFile, companionPath(dataPath), packed.channelFile));
    QCOMPARE(storage.readFile(dataPath).value(), packed.dataFile);
    QCOMPARE(storage.readFile(path("x.fre").toStdString()).value(), packed.channelFile);
    // No temporary files are left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"x.dat", "x.fre"}));
}

void TestQtDataFileStorage::overwriteReplacesALongerFile()
{
    put(path("x.dat"), QByteArray(5000, 'o'));
    put(path("x.fre"), QByteArray(9000, 'o'));
    QtDataFileStorage storage;
    QVERIFY(storage.writePair(path("x.dat").toStdString(), bytesOf("new data"),
                              path("x.fre").toStdString(), bytesOf("")));
    QCOMPARE(contents(path("x.dat")), QByteArray("new data"));
    QCOMPARE(contents(path("x.fre")), QByteArray());
}

void TestQtDataFileStorage::failedWritesLeaveThePreviousPair_data()
{
    QTest::addColumn<QString>("dataName");
    QTest::addColumn<QString>("channelName");
    QTest::newRow("folder does not exist") << "missing/x.dat"
                                           << "missing/x.fre";
    QTest::newRow("channel file's folder does not exist") << "x.dat"
                                                          << "missing/x.fre";
    QTest::newRow("data file is a folder") << "folder.dat"
                                           << "x.fre";
}

void TestQtDataFileStorage::failedWritesLeaveThePreviousPair()
{
    QFETCH(QString, dataName);
    QFETCH(QString, channelName);
    put(path("x.dat"), "old data");
    put(path("x.fre"), "old channels");
    QVERIFY(QDir(m_dir->path()).mkdir("folder.dat"));

    QtDataFileStorage storage;
    QVERIFY(!storage.writePair(path(dataName).toStdString(), bytesOf("new data"),
                               path(channelName).toStdString(), bytesOf("new channels")));
    QCOMPARE(contents(path("x.dat")), QByteArray("old data"));
    QCOMPARE(contents(path("x.fre")), QByteArray("old channels"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"x.dat", "x.fre"}));
}

void TestQtDataFileStorage::readingMissingAndOversizedFiles()
{
    QtDataFileStorage storage;
    QVERIFY(!storage.readFile(path("none.dat").toStdString()));
    QVERIFY(!storage.readFile(m_dir->path().toStdString())); // a folder is no file

    put(path("huge.dat"), QByteArray(3 << 20, 'V'));
    const auto bytes = storage.readFile(path("huge.dat").toStdString());
    QVERIFY(bytes);
    QCOMPARE(bytes->size(), std::size_t(QtDataFileStorage::kMaxReadBytes + 1));
    QVERIFY(bytes->size() != kDataFileSize); // still too long to be taken for a data file
}

// The states a save can be cut off in, each followed by the next read of the pair: before the
// commit mark the old pair stays, after it the new one is finished; nothing else is left.
void TestQtDataFileStorage::interruptedSaveIsSettled_data()
{
    QTest::addColumn<QStringList>("leftovers"); // files present besides the old pair
    QTest::addColumn<bool>("newPairWins");
    QTest::newRow("half-written new data file") << QStringList{"x.dat~new"} << false;
    QTest::newRow("both new files, no mark") << QStringList{"x.dat~new", "x.fre~new"} << false;
    QTest::newRow("mark, nothing renamed")
        << QStringList{"x.dat~new", "x.fre~new", "x.dat~commit"} << true;
    QTest::newRow("mark, channel file renamed")
        << QStringList{"x.dat~new", "x.dat~commit", "renamed:x.fre"} << true;
    QTest::newRow("mark, both renamed")
        << QStringList{"x.dat~commit", "renamed:x.fre", "renamed:x.dat"} << true;
}

void TestQtDataFileStorage::interruptedSaveIsSettled()
{
    QFETCH(QStringList, leftovers);
    QFETCH(bool, newPairWins);
    put(path("x.dat"), "old data");
    put(path("x.fre"), "old channels");
    for (const QString &name : leftovers) {
        if (name.startsWith("renamed:"))
            put(path(name.mid(8)), name.endsWith(".dat") ? "new data" : "new channels");
        else if (name.endsWith("~commit"))
            put(path(name), "ORX740\n");
        else
            put(path(name), name.startsWith("x.dat") ? "new data" : "new channels");
    }

    QtDataFileStorage storage;
    QVERIFY(storage.settlePair(path("x.dat").toStdString(), path("x.fre").toStdString()));
    const QByteArray prefix = newPairWins ? "new " : "old ";
    QCOMPARE(contents(path("x.dat")), prefix + "data");
    QCOMPARE(contents(path("x.fre")), prefix + "channels");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"x.dat", "x.fre"}));

    // A save after the interruption works as usual.
    QVERIFY(storage.writePair(path("x.dat").toStdString(), bytesOf("third data"),
                              path("x.fre").toStdString(), bytesOf("third channels")));
    QCOMPARE(contents(path("x.fre")), QByteArray("third channels"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"x.dat", "x.fre"}));
}

QTEST_GUILESS_MAIN(TestQtDataFileStorage)
#include "tst_qtdatafilestorage.moc"
