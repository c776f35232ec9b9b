#include <QTest>

#include "DocumentSamples.h"
#include "channels/ChannelRecords.h"
#include "datafile/DataFileFormat.h"
#include "model/VersionRegistry.h"
#include "radio/Document.h"

// The data file (one 2893-byte settings record) and its companion channel file, byte by byte.
class TestDataFileFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsFieldsSitAtTheirOffsets_data();
    void settingsFieldsSitAtTheirOffsets();
    void anySettingsBytesReadBackUnchanged_data();
    void anySettingsBytesReadBackUnchanged();
    void channelFileHoldsGroupsThenEveryMemory();
    void documentThroughFilesComesBackIdentical_data();
    void documentThroughFilesComesBackIdentical();
    void badPairsLeaveTheDocumentUntouched_data();
    void badPairsLeaveTheDocumentUntouched();
    void openChecks_data();
    void openChecks();
    void companionNames_data();
    void companionNames();
    void eightyChannelsInCbGroupThreeReadBack();
};

namespace {

std::uint16_t u16At(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

QByteArray textAt(const std::vector<std::uint8_t> &bytes, std::size_t offset, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data() + offset),
                      static_cast<qsizetype>(size));
}

std::size_t kindGroup(int kind, int group)
{
    return static_cast<std::size_t>(group - 1) * 3 + static_cast<std::size_t>(kind);
}

// A settings record of random bytes whose channel counts the groups can hold.
std::vector<std::uint8_t> randomSettingsBytes(unsigned seed)
{
    std::vector<std::uint8_t> bytes = Samples::randomBytes(kDataFileSize, seed);
    for (std::size_t i = 0; i < 51; ++i) {
        bytes[114 + 2 * i] = static_cast<std::uint8_t>(i % 2);
        bytes[115 + 2 * i] = 0;
    }
    return bytes;
}

} // namespace

void TestDataFileFormat::settingsFieldsSitAtTheirOffsets_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("expected");

    auto le = [](int value) {
        return QByteArray(1, char(value & 0xFF)) + QByteArray(1, char((value >> 8) & 0xFF));
    };
    QTest::newRow("version") << 0 << QByteArray("V100");
    QTest::newRow("current kind") << 4 << le(2);
    QTest::newRow("current group of HAM") << 10 << le(5);
    QTest::newRow("selection (2, 17)") << int(12 + 2 * kindGroup(2, 17)) << le(int(50 % 7));
    QTest::newRow("count CB 2") << int(114 + 2 * kindGroup(CB, 2)) << le(3);
    QTest::newRow("count HF 16") << int(114 + 2 * kindGroup(HF, 16)) << le(1);
    QTest::newRow("model name with NUL") << 216 << QByteArray("ORX740\0", 7);
    QTest::newRow("model code") << 223 << le(248);
    QTest::newRow("band class") << 225 << le(1);
    QTest::newRow("date") << 227 << QByteArray("20261231");
    QTest::newRow("firmware") << 235 << QByteArray("V2.00");
    QTest::newRow("model name") << 240 << QByteArray("ORX740");
    QTest::newRow("second band class") << 246 << le(1);
    QTest::newRow("identity value") << 248 << le(67);
    QTest::newRow("option record starts with selector A") << 250 << le(1);
    QTest::newRow("group name HF 3")
        << int(250 + 968 + 2 * kindGroup(HF, 3)) << QByteArray("\xB2\xE2");
    QTest::newRow("group name CB 5") << int(250 + 968 + 2 * kindGroup(CB, 5)) << QByteArray("U ");
    QTest::newRow("DTMF code 5") << int(250 + 1668 + 16 * 4) << QByteArray("12*#ABCD        ");
    QTest::newRow("device name") << int(250 + 1948) << QByteArray("Radio\xFF          ");
    QTest::newRow("last emergency value") << int(2214 + 70) << le(1);
    QTest::newRow("second dual-watch value") << int(2286 + 2) << le(0xFFFF);
    QTest::newRow("last memory setting") << int(2322 + 30) << le(1);
    QTest::newRow("tone 14 of set 8") << int(2354 + 7 * 60 + 13 * 4) << le(250) + le(7);
    QTest::newRow("last threshold") << int(2834 + 22) << le(99);
    QTest::newRow("variant byte") << 2858 << QByteArray("\x01");
    QTest::newRow("last single byte") << 2864 << QByteArray("\xAB");
    QTest::newRow("last integer ends the file") << 2891 << le(0xFFFE);
}

void TestDataFileFormat::settingsFieldsSitAtTheirOffsets()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);
    const std::vector<std::uint8_t> bytes = packSettingsRecord(Samples::richDocument()->settings);
    QCOMPARE(bytes.size(), kDataFileSize);
    QCOMPARE(textAt(bytes, std::size_t(offset), std::size_t(expected.size())), expected);
}

void TestDataFileFormat::anySettingsBytesReadBackUnchanged_data()
{
    QTest::addColumn<unsigned>("seed");
    for (unsigned seed : {1u, 2u, 3u, 99u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestDataFileFormat::anySettingsBytesReadBackUnchanged()
{
    // Text fields are kept as bytes and every value as stored, so a file round-trips exactly.
    QFETCH(unsigned, seed);
    const std::vector<std::uint8_t> bytes = randomSettingsBytes(seed);
    SettingsRecord settings;
    QVERIFY(unpackSettingsRecord(bytes, settings) == SettingsReadStatus::Ok);
    QVERIFY(packSettingsRecord(settings) == bytes);
}

void TestDataFileFormat::channelFileHoldsGroupsThenEveryMemory()
{
    DocumentSet document;
    for (int n = 1; n <= 3; ++n)
        AddChannel(document, CB, 2, n, "27.00500", Samples::kWide);
    AddMemoryChannel(document.memories, 5, "27.00500", Samples::kWide);

    const std::vector<std::uint8_t> bytes = packChannelFile(document);
    QCOMPARE(bytes.size(), std::size_t(6930));
    QCOMPARE(channelFileSize(document.settings), std::size_t(6930));
    // Records: the three channels in their order, then memories 1..96, empty ones included.
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(u16At(bytes, std::size_t(n - 1) * 70), std::uint16_t(n));
    QCOMPARE(u16At(bytes, std::size_t{3 + 4} * 70), std::uint16_t(5)); // memory 5's number
    QCOMPARE(u16At(bytes, std::size_t{3 + 4} * 70 + 2), std::uint16_t(1));
    QCOMPARE(u16At(bytes, (3 + 5) * 70 + 2), std::uint16_t(0)); // memory 6 is empty
}

void TestDataFileFormat::documentThroughFilesComesBackIdentical_data()
{
    QTest::addColumn<int>("seed");
    QTest::newRow("rich document") << 1;
    QTest::newRow("another rich document") << 5;
    QTest::newRow("empty document") << 0;
}

void TestDataFileFormat::documentThroughFilesComesBackIdentical()
{
    QFETCH(int, seed);
    const std::unique_ptr<DocumentSet> original =
        seed == 0 ? std::make_unique<DocumentSet>() : Samples::richDocument(seed);
    const PackedPair packed = packDataFilePair(*original);
    QCOMPARE(packed.channelFile.size(), channelFileSize(original->settings));

    auto read = std::make_unique<DocumentSet>();
    QVERIFY(unpackDataFilePair(packed.dataFile, packed.channelFile, *read) == PairReadStatus::Ok);
    QVERIFY(*read == *original);
    QCOMPARE(read->memories.count, original->memories.count);
}

void TestDataFileFormat::badPairsLeaveTheDocumentUntouched_data()
{
    QTest::addColumn<QByteArray>("dataFile");
    QTest::addColumn<QByteArray>("channelFile");
    QTest::addColumn<bool>("channelFileExists");
    QTest::addColumn<int>("status");

    const std::unique_ptr<DocumentSet> sample = Samples::richDocument(3);
    const PackedPair packed = packDataFilePair(*sample);
    const QByteArray data(reinterpret_cast<const char *>(packed.dataFile.data()),
                          qsizetype(packed.dataFile.size()));
    const QByteArray channels(reinterpret_cast<const char *>(packed.channelFile.data()),
                              qsizetype(packed.channelFile.size()));
    auto withCount = [&](int kind, int group, int count) {
        QByteArray bytes = data;
        const auto at = qsizetype{114} + 2 * qsizetype(kindGroup(kind, group));
        bytes[at] = char(count & 0xFF);
        bytes[at + 1] = char((count >> 8) & 0xFF);
        return bytes;
    };
    const int settingsShort = int(PairReadStatus::SettingsShort);
    const int badCounts = int(PairReadStatus::BadCounts);
    QTest::newRow("empty data file") << QByteArray() << channels << true << settingsShort;
    QTest::newRow("data file one byte short")
        << data.left(2892) << channels << true << settingsShort;
    QTest::newRow("41 channels in a CB group")
        << withCount(CB, 1, 41) << channels << true << badCounts;
    QTest::newRow("100 channels in the MEM group")
        << withCount(HF, 16, 100) << channels << true << badCounts;
    QTest::newRow("2 channels in the VFO group")
        << withCount(HAM, 14, 2) << channels << true << badCounts;
    QTest::newRow("81 channels in CB group 3")
        << withCount(CB, 3, 81) << channels << true << badCounts;
    QTest::newRow("negative count") << withCount(CB, 7, -1) << channels << true << badCounts;
    QTest::newRow("no channel file")
        << data << QByteArray() << false << int(PairReadStatus::ChannelFileMissing);
    QTest::newRow("empty channel file")
        << data << QByteArray() << true << int(PairReadStatus::ChannelFileShort);
    QTest::newRow("channel file without its last memory")
        << data << channels.left(channels.size() - 70) << true
        << int(PairReadStatus::ChannelFileShort);
    QTest::newRow("channel file one byte short") << data << channels.left(channels.size() - 1)
                                                 << true << int(PairReadStatus::ChannelFileShort);
    // An old channel file beside a new data file with fewer channels, as an interrupted save of
    // another program could leave them.
    QTest::newRow("channel file one record long")
        << data << channels + QByteArray(70, '\0') << true << int(PairReadStatus::ChannelFileLong);
    QTest::newRow("channel file one byte long")
        << data << channels + QByteArray(1, 'x') << true << int(PairReadStatus::ChannelFileLong);
}

void TestDataFileFormat::badPairsLeaveTheDocumentUntouched()
{
    QFETCH(QByteArray, dataFile);
    QFETCH(QByteArray, channelFile);
    QFETCH(bool, channelFileExists);
    QFETCH(int, status);

    const std::vector<std::uint8_t> data(dataFile.begin(), dataFile.end());
    std::optional<std::vector<std::uint8_t>> channels;
    if (channelFileExists)
        channels.emplace(channelFile.begin(), channelFile.end());
    const std::unique_ptr<DocumentSet> before = Samples::richDocument(7);
    auto document = std::make_unique<DocumentSet>(*before);
    QCOMPARE(int(unpackDataFilePair(data, channels, *document)), status);
    QVERIFY(*document == *before);
}

void TestDataFileFormat::openChecks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("check");

    const QByteArray body(int(kDataFileSize) - 4, '\0');
    const int ok = int(DataFileCheck::Ok);
    const int unknown = int(DataFileCheck::UnknownVersion);
    QTest::newRow("V100, 2893 bytes") << QByteArray("V100") + body << ok;
    QTest::newRow("V10 and a letter") << QByteArray("V10X") + body << unknown;
    QTest::newRow("lower-case v") << QByteArray("v100") + body << unknown;
    QTest::newRow("empty file") << QByteArray() << unknown;
    QTest::newRow("three bytes") << QByteArray("V10") << unknown;
    QTest::newRow("random bytes") << QByteArray("\x93\x11\xFE\x00", 4) + body << unknown;
    QTest::newRow("V101, no pair for it")
        << QByteArray("V101") + body << int(DataFileCheck::Incompatible);
    QTest::newRow("V100, 2894 bytes")
        << QByteArray("V100") + body + "x" << int(DataFileCheck::WrongLength);
    QTest::newRow("V100, 2892 bytes")
        << QByteArray("V100") + body.left(body.size() - 1) << int(DataFileCheck::WrongLength);
    QTest::newRow("V100 alone") << QByteArray("V100") << int(DataFileCheck::WrongLength);
}

void TestDataFileFormat::openChecks()
{
    QFETCH(QByteArray, file);
    QFETCH(int, check);
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    QCOMPARE(int(checkDataFile(bytes, VersionRegistry())), check);
}

void TestDataFileFormat::companionNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("dataFile");
    QTest::addColumn<QString>("channelFile");
    QTest::newRow("plain") << "x.dat"
                           << "x.dat"
                           << "x.fre";
    QTest::newRow("folder") << "/home/u/radio.dat"
                            << "/home/u/radio.dat"
                            << "/home/u/radio.fre";
    QTest::newRow("upper case") << "C:\\A\\B.DAT"
                                << "C:\\A\\B.DAT"
                                << "C:\\A\\B.fre";
    QTest::newRow("no extension") << "/home/u/radio"
                                  << "/home/u/radio.dat"
                                  << "/home/u/radio.fre";
    QTest::newRow("dotted folder") << "/a.dat/b"
                                   << "/a.dat/b.dat"
                                   << "/a.dat/b.fre";
    QTest::newRow("other extension") << "notes.txt"
                                     << "notes.txt.dat"
                                     << "notes.txt.fre";
    QTest::newRow("only the extension") << ".dat"
                                        << ".dat.dat"
                                        << ".dat.fre";
}

void TestDataFileFormat::companionNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, dataFile);
    QFETCH(QString, channelFile);
    const std::string path = withDataFileExtension(chosen.toStdString());
    QCOMPARE(QString::fromStdString(path), dataFile);
    QCOMPARE(QString::fromStdString(companionPath(path)), channelFile);
}

void TestDataFileFormat::eightyChannelsInCbGroupThreeReadBack()
{
    // CB group 3 owns 80 slots; a list the program itself fills that far must open again.
    DocumentSet document;
    for (int number = 1; number <= 80; ++number)
        QVERIFY(AddChannel(document, CB, 3, number, "27.00500", BandLimits{26.0, 28.0}));
    QCOMPARE(document.channelCount(CB, 3), 80);
    const PackedPair packed = packDataFilePair(document);
    DocumentSet read;
    QCOMPARE(unpackDataFilePair(packed.dataFile, packed.channelFile, read), PairReadStatus::Ok);
    QCOMPARE(read.channelCount(CB, 3), 80);
    QCOMPARE(read.channels.entry(CB, 3, 80).Number, std::int16_t(80));
}

QTEST_APPLESS_MAIN(TestDataFileFormat)
#include "tst_datafileformat.moc"
