#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

#include "DocumentSamples.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/TextVerbs.h"
#include "datafile/DataFileFormat.h"
#include "datafile/InitFiles.h"
#include "datafile/QtDataFileStorage.h"
#include "model/QtRecordTextCodec.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

// The command-line companion's unpack, pack and show verbs on real files.
class TestFileVerbs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void imageThroughFilesComesBackWhole();
    void anyImageKeepsWhatTheDocumentCarries();
    void showSummarisesThePair();
    void badInputGivesOneLineAndNoFile_data();
    void badInputGivesOneLineAndNoFile();
    void pairsOfEveryVerbAreSavedAlike();
    void outputsShowRecordTextsAsTheWindowsDo();
    void textOfAPairComesBackAsThePair();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::string spath(const QString &name) const { return path(name).toStdString(); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray bytesOf(const RadioImage &image)
    {
        return QByteArray(reinterpret_cast<const char *>(image.bytes().data()),
                          qsizetype(image.bytes().size()));
    }
    int run(int (*verb)(const std::vector<std::string> &, std::ostream &, std::ostream &),
            const std::vector<std::string> &args)
    {
        m_out.str({});
        m_err.str({});
        return verb(args, m_out, m_err);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

void TestFileVerbs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFileVerbs::imageThroughFilesComesBackWhole()
{
    // An image as a radio holds it after a write of ours: every region holds what a document
    // gives it, and bits a read takes as fixed (the broadcast VFO entry is always valid) are set.
    auto document = shippedInitDocument(1, "20260101");
    AddMemoryChannel(document->memories, 3, "27.12500", Samples::kWide);
    document->settings.options.dtmfCodes[0].assign("123");
    document->settings.emergency.values[0] = 4;
    RadioImage image;
    PackDocumentIntoImage(*document, image);
    UnpackImageIntoDocument(image, *document);
    PackDocumentIntoImage(*document, image);
    put("radio.img", bytesOf(image));

    QCOMPARE(run(runUnpackVerb, {spath("radio.img"), "--out", spath("copy.dat")}), 0);
    QCOMPARE(contents("copy.dat").size(), qsizetype(kDataFileSize));
    QVERIFY(QFile::exists(path("copy.fre")));
    QCOMPARE(run(runPackVerb, {spath("copy.dat"), "--out", spath("again.img")}), 0);
    QCOMPARE(contents("again.img"), bytesOf(image));
    QVERIFY(m_err.str().empty());
}

void TestFileVerbs::anyImageKeepsWhatTheDocumentCarries()
{
    const std::vector<std::uint8_t> noise = Samples::randomBytes(RadioImage::kSize, 21);
    RadioImage image;
    image.writeBlock(0, noise);
    // What a read followed by a write gives without files in between.
    auto direct = std::make_unique<DocumentSet>();
    UnpackImageIntoDocument(image, *direct);
    RadioImage expected;
    PackDocumentIntoImage(*direct, expected);

    put("noise.img",
        QByteArray(reinterpret_cast<const char *>(noise.data()), qsizetype(noise.size())));
    QCOMPARE(run(runUnpackVerb, {spath("noise.img"), "--out", spath("noise")}), 0);
    QCOMPARE(run(runPackVerb, {"--out", spath("packed.img"), spath("noise.dat")}), 0);
    QCOMPARE(contents("packed.img"), bytesOf(expected));
}

void TestFileVerbs::showSummarisesThePair()
{
    auto document = Samples::richDocument();
    document->settings.version.assign("V100");
    const PackedPair packed = packDataFilePair(*document);
    put("x.dat", QByteArray(reinterpret_cast<const char *>(packed.dataFile.data()),
                            qsizetype(packed.dataFile.size())));
    put("x.fre", QByteArray(reinterpret_cast<const char *>(packed.channelFile.data()),
                            qsizetype(packed.channelFile.size())));

    QCOMPARE(run(runShowVerb, {spath("x.dat")}), 0);
    const QString text = QString::fromStdString(m_out.str());
    for (const char *line :
         {"Version: V100\n", "Model: ORX740, code 248, band class 1, date 20261231, firmware V2.00",
          "  Group 2 \"PL\": 3 channels\n", "  Group 16 MEM: 1 channel\n",
          "    CH  7  27.01500 MHz  FM  TX off  RX off  scan\n",
          "    CH 14  27.02500 MHz  LSB  TX off  RX off  scan\n", "Memory channels: 1\n",
          "    MEM  9  27.40500 MHz  FM"})
        QVERIFY2(text.contains(QString::fromUtf8(line)), line);
}

void TestFileVerbs::badInputGivesOneLineAndNoFile_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("unpack: no arguments") << "unpack" << QStringList{} << "" << 2 << "usage";
    QTest::newRow("unpack: no --out")
        << "unpack" << QStringList{"in.img"} << "image" << 2 << "usage";
    QTest::newRow("unpack: two inputs")
        << "unpack" << QStringList{"in.img", "b", "--out", "out.dat"} << "image" << 2 << "usage";
    QTest::newRow("unpack: missing image")
        << "unpack" << QStringList{"none.img", "--out", "out.dat"} << "" << 1 << "cannot be read";
    QTest::newRow("unpack: empty image")
        << "unpack" << QStringList{"in.img", "--out", "out.dat"} << "empty image" << 1
        << "an image is 139777 bytes long, this one 0";
    QTest::newRow("unpack: truncated image")
        << "unpack" << QStringList{"in.img", "--out", "out.dat"} << "short image" << 1
        << "this one 139776";
    QTest::newRow("unpack: oversized image")
        << "unpack" << QStringList{"in.img", "--out", "out.dat"} << "long image" << 1
        << "this one 139778";
    QTest::newRow("unpack: unwritable folder")
        << "unpack" << QStringList{"in.img", "--out", "missing/out.dat"} << "image" << 1
        << "file error.";
    QTest::newRow("pack: missing data file")
        << "pack" << QStringList{"none.dat", "--out", "out.img"} << "" << 1 << "cannot be read";
    QTest::newRow("pack: empty data file") << "pack" << QStringList{"in.dat", "--out", "out.img"}
                                           << "empty pair" << 1 << "Unknown version Of DataFile!";
    QTest::newRow("pack: random bytes") << "pack" << QStringList{"in.dat", "--out", "out.img"}
                                        << "random pair" << 1 << "Unknown version Of DataFile!";
    QTest::newRow("pack: V10X") << "pack" << QStringList{"in.dat", "--out", "out.img"}
                                << "V10X pair" << 1 << "Unknown version Of DataFile!";
    QTest::newRow("pack: V101") << "pack" << QStringList{"in.dat", "--out", "out.img"}
                                << "V101 pair" << 1 << "version V1.01 is not handled";
    QTest::newRow("pack: 2894 bytes") << "pack" << QStringList{"in.dat", "--out", "out.img"}
                                      << "long pair" << 1 << "this one 2894";
    QTest::newRow("pack: truncated data file")
        << "pack" << QStringList{"in.dat", "--out", "out.img"} << "short pair" << 1
        << "this one 2000";
    QTest::newRow("pack: channel file missing")
        << "pack" << QStringList{"in.dat", "--out", "out.img"} << "no channels" << 1
        << "in.fre: cannot be read";
    QTest::newRow("pack: channel file short")
        << "pack" << QStringList{"in.dat", "--out", "out.img"} << "short channels" << 1
        << "in.fre: shorter than the channel counts ask for";
    QTest::newRow("pack: unwritable folder")
        << "pack" << QStringList{"in.dat", "--out", "missing/out.img"} << "good pair" << 1
        << "cannot be written";
    QTest::newRow("show: no arguments") << "show" << QStringList{} << "" << 2 << "usage";
    QTest::newRow("show: --out is not taken")
        << "show" << QStringList{"in.dat", "--out", "x"} << "good pair" << 2 << "usage";
    QTest::newRow("show: random bytes")
        << "show" << QStringList{"in.dat"} << "random pair" << 1 << "Unknown version";
    QTest::newRow("show: channel file short")
        << "show" << QStringList{"in.dat"} << "short channels" << 1 << "shorter than";
    QTest::newRow("export: no arguments") << "export" << QStringList{} << "" << 2 << "usage";
    QTest::newRow("export: random bytes") << "export" << QStringList{"in.dat", "--out", "o.yaml"}
                                          << "random pair" << 1 << "Unknown version";
    QTest::newRow("import: no --out")
        << "import" << QStringList{"in.yaml"} << "text" << 2 << "usage";
    QTest::newRow("import: missing text")
        << "import" << QStringList{"none.yaml", "--out", "o.dat"} << "" << 1 << "cannot be read";
    QTest::newRow("import: missing base")
        << "import" << QStringList{"in.yaml", "--out", "o.dat", "--base", "none.dat"} << "text" << 1
        << "none.dat: cannot be read";
    QTest::newRow("import: unwritable folder")
        << "import" << QStringList{"in.yaml", "--out", "missing/o.dat"} << "text" << 1
        << "file error.";
    QTest::newRow("schema: a file word") << "schema" << QStringList{"x"} << "" << 2 << "usage";
}

void TestFileVerbs::badInputGivesOneLineAndNoFile()
{
    QFETCH(QString, verb);
    QFETCH(QStringList, args);
    QFETCH(QString, setup);
    QFETCH(int, status);
    QFETCH(QString, message);

    const QByteArray image(RadioImage::kSize, '\0');
    const PackedPair packed = packDataFilePair(*Samples::richDocument());
    QByteArray data(reinterpret_cast<const char *>(packed.dataFile.data()),
                    qsizetype(packed.dataFile.size()));
    data.replace(0, 4, "V100");
    const QByteArray channels(reinterpret_cast<const char *>(packed.channelFile.data()),
                              qsizetype(packed.channelFile.size()));
    const std::vector<std::uint8_t> noise = Samples::randomBytes(kDataFileSize, 5);
    if (setup == "image")
        put("in.img", image);
    else if (setup == "empty image")
        put("in.img", {});
    else if (setup == "short image")
        put("in.img", image.left(image.size() - 1));
    else if (setup == "long image")
        put("in.img", image + QByteArray(1, '\0'));
    else if (setup == "text")
        put("in.yaml", "format: orx740-config/1\noptions:\n  mic: \"12\"\n");
    if (setup.endsWith("pair") || setup.endsWith("channels")) {
        QByteArray dataFile = data;
        if (setup == "empty pair")
            dataFile.clear();
        else if (setup == "random pair")
            dataFile =
                QByteArray(reinterpret_cast<const char *>(noise.data()), qsizetype(noise.size()));
        else if (setup == "V10X pair")
            dataFile.replace(0, 4, "V10X");
        else if (setup == "V101 pair")
            dataFile.replace(0, 4, "V101");
        else if (setup == "long pair")
            dataFile += 'x';
        else if (setup == "short pair")
            dataFile.truncate(2000);
        put("in.dat", dataFile);
        if (setup == "short channels")
            put("in.fre", channels.left(channels.size() - 70));
        else if (setup != "no channels")
            put("in.fre", channels);
    }
    const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);

    std::vector<std::string> words;
    for (const QString &arg : args)
        words.push_back(arg.startsWith("--") || arg == "b" ? arg.toStdString() : spath(arg));
    using Verb = int (*)(const std::vector<std::string> &, std::ostream &, std::ostream &);
    const Verb function = verb == "unpack"   ? Verb(runUnpackVerb)
                          : verb == "pack"   ? Verb(runPackVerb)
                          : verb == "export" ? Verb(runExportVerb)
                          : verb == "import" ? Verb(runImportVerb)
                          : verb == "schema" ? Verb(runSchemaVerb)
                                             : Verb(runShowVerb);
    QCOMPARE(run(function, words), status);

    const QString error = QString::fromStdString(m_err.str());
    QVERIFY2(error.startsWith("orx740-cli " + verb + ": "), qPrintable(error));
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(m_out.str().empty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
}

void TestFileVerbs::pairsOfEveryVerbAreSavedAlike()
{
    // The shipped document of band class 1: a save gives it the class of its current kind.
    auto document = shippedInitDocument(1, "20260101");
    RadioImage image;
    PackDocumentIntoImage(*document, image);
    put("radio.img", bytesOf(image));

    // unpack, then its own CSV imported into a copy of the pair: not one byte changes.
    QCOMPARE(run(runUnpackVerb, {spath("radio.img"), "--out", spath("a.dat")}), 0);
    QCOMPARE(run(runExportCsvVerb, {spath("a.dat"), "--out", spath("a.csv")}), 0);
    put("b.dat", contents("a.dat"));
    put("b.fre", contents("a.fre"));
    QCOMPARE(run(runImportCsvVerb, {spath("a.csv"), "--into", spath("b.dat")}), 0);
    QCOMPARE(contents("b.dat"), contents("a.dat"));
    QCOMPARE(contents("b.fre"), contents("a.fre"));
    // Opened and saved again, as the program does: the same bytes.
    Document opened;
    QtDataFileStorage storage;
    QCOMPARE(readDataFilePair(storage, spath("a.dat"), opened), std::string());
    const PackedPair saved = packForSaving(opened);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(saved.dataFile.data()),
                        qsizetype(saved.dataFile.size())),
             contents("a.dat"));
}

void TestFileVerbs::outputsShowRecordTextsAsTheWindowsDo()
{
    // A pair written on a Chinese system: GBK names, one of them cut inside a character by an
    // older program. Every output shows the names as the windows do, in valid UTF-8.
    QVERIFY(setSystemRecordTextCodePage(936));
    auto document = Samples::richDocument();
    document->settings.version.assign("V100");
    document->settings.options.groupNames.names.at(HF, 1).assign("\xd6\xd0");
    document->settings.options.groupNames.names.at(HAM, 3).assign("\xd6 ");
    const auto putPair = [&](const QString &name, const DocumentSet &set) {
        const PackedPair packed = packDataFilePair(set);
        put(name + ".dat", QByteArray(reinterpret_cast<const char *>(packed.dataFile.data()),
                                      qsizetype(packed.dataFile.size())));
        put(name + ".fre", QByteArray(reinterpret_cast<const char *>(packed.channelFile.data()),
                                      qsizetype(packed.channelFile.size())));
    };
    putPair("x", *document);
    document->settings.options.groupNames.names.at(HF, 1).assign(std::string_view("A\0", 2));
    putPair("y", *document);

    const auto validUtf8 = [](const std::string &text) {
        return QString::fromUtf8(text).toUtf8().toStdString() == text;
    };
    QCOMPARE(run(runShowVerb, {spath("x.dat")}), 0);
    QVERIFY(validUtf8(m_out.str()));
    QVERIFY(QString::fromStdString(m_out.str()).contains(QStringLiteral("\"中\"")));
    QCOMPARE(run(runShowVerb, {"--json", spath("x.dat")}), 0);
    QVERIFY(validUtf8(m_out.str()));
    QVERIFY(QString::fromStdString(m_out.str()).contains(QStringLiteral("\"中\"")));
    QCOMPARE(run(runDiffVerb, {spath("x.dat"), spath("y.dat")}), 1);
    QVERIFY(validUtf8(m_out.str()));
    const QString differences = QString::fromStdString(m_out.str());
    QVERIFY2(differences.contains(QStringLiteral("\"中\"")) &&
                 differences.contains(QStringLiteral("\"A\\0\"")),
             m_out.str().c_str());
    setSystemRecordTextCodePage(1252);
}

void TestFileVerbs::textOfAPairComesBackAsThePair()
{
    const PackedPair packed = packDataFilePair(*shippedInitDocument(0, "20261209"));
    put("a.dat", QByteArray(reinterpret_cast<const char *>(packed.dataFile.data()),
                            qsizetype(packed.dataFile.size())));
    put("a.fre", QByteArray(reinterpret_cast<const char *>(packed.channelFile.data()),
                            qsizetype(packed.channelFile.size())));
    QCOMPARE(run(runExportVerb, {spath("a.dat"), "--out", spath("a.yaml")}), 0);
    QCOMPARE(run(runExportVerb, {spath("a.dat")}), 0);
    QCOMPARE(QByteArray::fromStdString(m_out.str()), contents("a.yaml"));
    QCOMPARE(run(runImportVerb, {spath("a.yaml"), "--out", spath("b")}), 0);
    QCOMPARE(contents("b.dat"), contents("a.dat"));
    QCOMPARE(contents("b.fre"), contents("a.fre"));

    // A part over a base: only what the text names changes.
    put("part.yaml", "format: orx740-config/1\nchannels:\n  HAM:\n    group 1: {}\n");
    QCOMPARE(
        run(runImportVerb, {spath("part.yaml"), "--base", spath("a.dat"), "--out", spath("c.dat")}),
        0);
    QCOMPARE(run(runDiffVerb, {spath("a.dat"), spath("c.dat")}), 1);
    const QStringList lines = QString::fromStdString(m_out.str()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 1);
    QCOMPARE(
        lines.filter(QRegularExpression("^channels\\.HAM\\.group 1\\.channel \\d+: A ")).size(),
        lines.size() - 1);

    // A text with problems: each with its place, and no file.
    put("bad.yaml", "format: orx740-config/1\noptions:\n  micc: \"12\"\n  mic: \"99\"\n");
    QCOMPARE(run(runImportVerb, {spath("bad.yaml"), "--out", spath("d.dat")}), 1);
    const QString errors = QString::fromStdString(m_err.str());
    QVERIFY2(errors.contains(path("bad.yaml") + ":3:3: options.micc: unknown key \"micc\"; did "
                                                "you mean \"mic\"?"),
             qPrintable(errors));
    QVERIFY2(errors.contains(path("bad.yaml") + ":4:8: options.mic: expected one of"),
             qPrintable(errors));
    QVERIFY(errors.endsWith("orx740-cli import: nothing was written\n"));
    QVERIFY(!QFile::exists(path("d.dat")));
}

QTEST_GUILESS_MAIN(TestFileVerbs)
#include "tst_fileverbs.moc"
