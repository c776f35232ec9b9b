#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

#include "DocumentSamples.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentText.h"
#include "datafile/InitFiles.h"
#include "model/RadioImage.h"
#include "radio/ImagePacking.h"

// The text form both ways: every pair through export and import comes back byte for byte, a
// partial text takes the rest from its base, and every kind of bad text is refused with its
// place, its key path, what was expected and what was found.
class TestDocumentText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPairComesBackByteForByte_data();
    void everyPairComesBackByteForByte();
    void valuesAreWrittenAsAPersonReadsThem_data();
    void valuesAreWrittenAsAPersonReadsThem();
    void aPartialTextTakesTheRestFromItsBase();
    void badTextsAreRefusedWithTheirPlace_data();
    void badTextsAreRefusedWithTheirPlace();
};

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return Bytes(bytes.begin(), bytes.end());
}

// The pair a read from the radio saves for an image (as orx740-cli unpack writes it).
PackedPair pairOfImage(const RadioImage &image)
{
    auto document = std::make_unique<Document>();
    ApplyNewDocumentDefaults(document->working().settings, "20261209", document->bandClass());
    UnpackImageIntoDocument(image, document->working());
    document->setBandText(bandTextAfterRestore(document->working().settings.currentKind));
    document->takeSnapshot();
    return packDataFilePair(document->saved());
}

RadioImage imageOf(const std::vector<std::uint8_t> &bytes)
{
    RadioImage image;
    image.writeBlock(0, bytes);
    return image;
}

// The images the tests read: radio noise, a distinct byte pattern, a cleared image and the
// images of the shipped and the rich document.
RadioImage patternImage(std::uint32_t seed)
{
    RadioImage image;
    std::uint32_t x = seed;
    for (std::uint32_t a = 0; a <= RadioImage::kLastAddress; ++a) {
        x = x * 1103515245u + 12345u;
        image.write(a, static_cast<std::uint8_t>(x >> 16));
    }
    return image;
}

RadioImage documentImage(const DocumentSet &document)
{
    RadioImage image;
    PackDocumentIntoImage(document, image);
    return image;
}

QByteArray bytesOf(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

std::string problemsText(const std::vector<TextProblem> &problems)
{
    return formatTextProblems(problems, "t.yaml");
}

} // namespace

void TestDocumentText::everyPairComesBackByteForByte_data()
{
    QTest::addColumn<QByteArray>("dataFile");
    QTest::addColumn<QByteArray>("channelFile");
    const QDir init(qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/Init");
    for (const InitFileName &name : shippedInitFileNames()) {
        const QString path = init.filePath(QString::fromStdString(name.dataFile));
        const Bytes data = fileBytes(path);
        QVERIFY2(data.size() == kDataFileSize, qPrintable(path));
        QTest::newRow(name.dataFile.c_str())
            << bytesOf(data)
            << bytesOf(fileBytes(QString::fromStdString(companionPath(path.toStdString()))));
    }
    const auto addImage = [](const char *row, const RadioImage &image) {
        const PackedPair pair = pairOfImage(image);
        QTest::newRow(row) << bytesOf(pair.dataFile) << bytesOf(pair.channelFile);
    };
    for (unsigned seed : {21u, 22u, 23u})
        addImage(qPrintable(QStringLiteral("noise image %1").arg(seed)),
                 imageOf(Samples::randomBytes(RadioImage::kSize, seed)));
    addImage("pattern image", patternImage(7));
    addImage("cleared image", RadioImage());
    addImage("shipped document image", documentImage(*shippedInitDocument(1, "20261209")));
    addImage("rich document image", documentImage(*Samples::richDocument()));
}

void TestDocumentText::everyPairComesBackByteForByte()
{
    QFETCH(QByteArray, dataFile);
    QFETCH(QByteArray, channelFile);
    const Bytes data(dataFile.begin(), dataFile.end());
    const Bytes channels(channelFile.begin(), channelFile.end());
    auto read = std::make_unique<DocumentSet>();
    QCOMPARE(unpackDataFilePair(data, channels, *read), PairReadStatus::Ok);

    const std::string text = documentToYaml(*read, "file:///x/orx740-config.schema.json");
    QVERIFY(
        text.starts_with("# yaml-language-server: $schema=file:///x/orx740-config.schema.json\n"));
    // Over another base: the text is whole, nothing comes from the base.
    auto imported = Samples::richDocument(9);
    const std::vector<TextProblem> problems =
        readDocumentText(text, *Samples::richDocument(5), *imported);
    QVERIFY2(problems.empty(), problemsText(problems).c_str());
    const PackedPair again = packDataFilePair(*imported);
    QCOMPARE(bytesOf(again.dataFile), dataFile);
    QCOMPARE(bytesOf(again.channelFile), channelFile);
    QCOMPARE(documentToYaml(*imported, "file:///x/orx740-config.schema.json"), text);
}

void TestDocumentText::valuesAreWrittenAsAPersonReadsThem_data()
{
    QTest::addColumn<QString>("line");
    // The rich document: CB group 2 holds channels 7, 14 and 21; channel 14 is tuned.
    QTest::newRow("format first") << "format: \"orx740-config/1\"\n";
    QTest::newRow("frequency, five decimals") << "        rx: \"27.02500\"\n";
    QTest::newRow("CTCSS tone") << "        txCtcss: \"103.5\"\n";
    QTest::newRow("DCS code") << "        rxDcs: \"D205N\"\n";
    QTest::newRow("list item") << "        mode: \"LSB\"\n";
    QTest::newRow("switch") << "        noiseBlanker: on\n";
    QTest::newRow("roger-beep set") << "        rogerBeep: \"1\"\n";
    QTest::newRow("a value no list holds") << "        memBand: {stored: 65535}\n";
    QTest::newRow("help as a comment") << "  # MIC: ";
    QTest::newRow("tenths of a volt") << "  batteryMax: \"17.1\"\n";
    QTest::newRow("repeater offset in MHz") << "  txRepeatOffset: \"0.0100\"\n";
    QTest::newRow("DTMF code") << "    code 5: \"12*#ABCD\"\n";
    QTest::newRow("emergency setting by name") << "  hamMode2: \"AM\"\n";
    QTest::newRow("tone of a set") << "        tone 14: {frequency: 2500, duration: 70}\n";
    QTest::newRow("NUL in a group name") << "\"A\\0\"";
    QTest::newRow("device name") << "  btDeviceName: \"Radio\u00FF\"\n";
    QTest::newRow("carried bytes") << "  reserved4: \"00 00 00 00 00 00 00 00 00 00 00 00 00 "
                                      "00 00 00 00 EE\"\n";
}

void TestDocumentText::valuesAreWrittenAsAPersonReadsThem()
{
    QFETCH(QString, line);
    const std::string text = documentToYaml(*Samples::richDocument(), {});
    QVERIFY2(text.find(line.toStdString()) != std::string::npos, qPrintable(line));
}

void TestDocumentText::aPartialTextTakesTheRestFromItsBase()
{
    const auto base = Samples::richDocument();
    auto document = std::make_unique<DocumentSet>();
    const std::string text = "format: orx740-config/1\n"
                             "channels:\n"
                             "  HAM:\n"
                             "    group 2:\n"
                             "      channel 5: {rx: \"28.30000\", mode: USB, txCtcss: \"88.5\"}\n"
                             "      channel 1:\n"
                             "        rx: \"28.400001\"\n"
                             "        scan: off\n"
                             "options:\n"
                             "  mic: \"31\"\n"
                             "  publicSets:\n"
                             "    HF: {mode: CW}\n";
    const std::vector<TextProblem> problems = readDocumentText(text, *base, *document);
    QVERIFY2(problems.empty(), problemsText(problems).c_str());
    // The group lists exactly its channels, in the text's order, each a new channel where the
    // text leaves a field out; the receive frequency is also the transmit frequency.
    QCOMPARE(document->channelCount(HAM, 2), 2);
    const ChannelRecord &fifth = document->channels.entry(HAM, 2, 1);
    QCOMPARE(fifth.Number, std::int16_t(5));
    // The 8 digits the radio keeps (a channel typed into the grid keeps 7 and a blank: the same
    // frequency, written alike).
    QCOMPARE(fifth.RxDigits.raw(), std::string("28300000"));
    QCOMPARE(fifth.TxDigits.raw(), std::string("28300000"));
    QCOMPARE(fifth.Mode, std::int16_t(2));
    QCOMPARE(fifth.TxCtcss, std::int16_t(7));
    QCOMPARE(fifth.Scan, std::int16_t(1));
    QCOMPARE(fifth.NoiseBlanker, std::int16_t(1));
    QCOMPARE(document->channels.entry(HAM, 2, 2).RxDigits.raw(), std::string("28400001"));
    QCOMPARE(document->channels.entry(HAM, 2, 2).Scan, std::int16_t(0));
    QCOMPARE(document->settings.options.mic, std::int16_t(30));
    QCOMPARE(document->settings.options.publicSets[1].mode, std::int16_t(5));
    // Everything else is the base's.
    auto expected = std::make_unique<DocumentSet>(*base);
    expected->settings.channelCounts.at(HAM, 2) = 2;
    expected->channels.entry(HAM, 2, 1) = document->channels.entry(HAM, 2, 1);
    expected->channels.entry(HAM, 2, 2) = document->channels.entry(HAM, 2, 2);
    expected->settings.options.mic = 30;
    expected->settings.options.publicSets[1].mode = 5;
    QVERIFY(packDataFilePair(*document).dataFile == packDataFilePair(*expected).dataFile);
    QVERIFY(packDataFilePair(*document).channelFile == packDataFilePair(*expected).channelFile);

    // A memoryChannels section holds exactly its memories.
    const std::string memories = "format: orx740-config/1\nmemoryChannels:\n"
                                 "  memory 4: {rx: \"27.12500\"}\n";
    QVERIFY(readDocumentText(memories, *base, *document).empty());
    QCOMPARE(document->memories.count, 1);
    QCOMPARE(document->memories.at(4).Present, std::int16_t(1));
    QCOMPARE(document->memories.at(9).Present, std::int16_t(0));
}

void TestDocumentText::badTextsAreRefusedWithTheirPlace_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("message");
    const QString ham = "channels:\n  HAM:\n    group 2:\n      channel 5:\n        rx: ";
    QTest::newRow("frequency outside the band")
        << ham + "\"30.5\"\n"
        << "t.yaml:6:13: channels.HAM.group 2.channel 5.rx: expected a frequency in MHz of the "
           "HAM band (28.00000 - 29.70000 MHz) with at most six decimals (1 Hz), such as "
           "\"28.00000\", found \"30.5\"";
    QTest::newRow("frequency as a float") << ham + "28.0000000000002\n"
                                          << "found \"28.0000000000002\"";
    QTest::newRow("frequency beyond six decimals")
        << ham + "\"28.1234567\"\n"
        << "(the radio keeps whole hertz; nothing is rounded), found \"28.1234567\"";
    QTest::newRow("unknown key")
        << "options:\n  micc: \"31\"\n"
        << "t.yaml:3:3: options.micc: unknown key \"micc\"; did you mean \"mic\"?";
    QTest::newRow("wrong type") << "options:\n  mic: [1, 2]\n"
                                << "t.yaml:3:8: options.mic: expected one of \"1\", \"2\" ... "
                                   "\"45\", found a list";
    QTest::newRow("list item that does not exist")
        << ham + "\"28.3\"\n        mode: FN\n"
        << "t.yaml:7:15: channels.HAM.group 2.channel 5.mode: expected one of \"FM\", \"AM\", "
           "\"USB\", \"LSB\", \"PA\", \"CW\", found \"FN\"";
    QTest::newRow("number out of range") << "options:\n  batteryMax: \"35.0\"\n"
                                         << "expected a number with at most one decimal from "
                                            "9.0 to 29.0 (V), found \"35.0\"";
    QTest::newRow("tone not of the radio") << ham + "\"28.3\"\n        txCtcss: \"69.3\"\n"
                                           << "txCtcss: expected a CTCSS tone";
    QTest::newRow("channel the group cannot hold")
        << "channels:\n  CB:\n    group 1:\n      channel 41: {}\n"
        << "t.yaml:5:7: channels.CB.group 1.channel 41: expected \"channel N\" with N from 1 to "
           "40";
    QTest::newRow("group the kind lacks") << "channels:\n  HAM:\n    group 15: {}\n"
                                          << "expected \"group N\" with N from 1 to 14";
    QTest::newRow("key given twice") << "options:\n  mic: \"3\"\n  mic: \"4\"\n"
                                     << "t.yaml:4:3: options.mic: the key \"mic\" is given twice";
    QTest::newRow("name too long") << "options:\n  btDeviceName: \"12345678901234567\"\n"
                                   << "expected a text of at most 16 bytes";
    QTest::newRow("stored value beyond its field")
        << "options:\n  mic: {stored: 40000}\n"
        << "expected a stored whole number from -32768 to 32767";
    QTest::newRow("not YAML") << "options: [\n"
                              << "not readable as YAML";
    // A body marked "!" is the whole text, its own first line included.
    QTest::newRow("newer format") << "!format: orx740-config/2\nchannels: {}\n"
                                  << "t.yaml:1:9: format: the file is in a newer format "
                                     "(orx740-config/2) than this program reads "
                                     "(orx740-config/1); use a newer program";
    QTest::newRow("format not first") << "!options: {}\nformat: orx740-config/1\n"
                                      << "t.yaml:1:1: expected \"format: orx740-config/1\" as "
                                         "the first key";
    QTest::newRow("empty text") << "!"
                                << "t.yaml:1:1: expected \"format: orx740-config/1\"";
}

void TestDocumentText::badTextsAreRefusedWithTheirPlace()
{
    QFETCH(QString, body);
    QFETCH(QString, message);
    const auto base = Samples::richDocument();
    auto document = Samples::richDocument(4);
    const auto before = packDataFilePair(*document);
    const std::string text = body.startsWith('!')
                                 ? body.mid(1).toStdString()
                                 : "format: orx740-config/1\n" + body.toStdString();
    const std::string problems = problemsText(readDocumentText(text, *base, *document));
    QVERIFY2(problems.find(message.toStdString()) != std::string::npos, problems.c_str());
    // Nothing of a refused text reaches the document.
    QVERIFY(packDataFilePair(*document).dataFile == before.dataFile);
    QVERIFY(packDataFilePair(*document).channelFile == before.channelFile);
}

QTEST_APPLESS_MAIN(TestDocumentText)
#include "tst_documenttext.moc"
