#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "DocumentSamples.h"
#include "datafile/BackupStore.h"
#include "datafile/ChannelCsv.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentCompare.h"
#include "datafile/DocumentJson.h"
#include "model/RadioImage.h"
#include "radio/ImagePacking.h"

// Comparing documents and moving them out and in: CSV, JSON, and the rotation of backups.
class TestDocumentExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvBackIntoThePairIsByteIdentical();
    void csvIntoAnEmptyDocumentGivesTheSameChannels();
    void badLineChangesNothing_data();
    void badLineChangesNothing();
    void commonLayoutOfOtherTools();
    void differencesAreNamed();
    void invisibleBytesOfTextsAreShown();
    void everyDataFileByteIsNamed();
    void imagesCompareOnWhatTheRadioHolds();
    void jsonHoldsTheWholeDocument();
    void backupRotationKeepsTheNewest();
};

namespace {

std::unique_ptr<DocumentSet> emptyDocument()
{
    auto document = std::make_unique<DocumentSet>();
    ApplyNewDocumentDefaults(document->settings, "20261208", 1);
    return document;
}

const std::string kHeader = "Kind,Group,Channel,Frequency,Mode,RxTone,TxTone\r\n";

} // namespace

void TestDocumentExchange::csvBackIntoThePairIsByteIdentical()
{
    const auto original = Samples::richDocument();
    const std::string csv = exportChannelCsv(*original);
    auto document = std::make_unique<DocumentSet>(*original);
    const CsvImportResult result = importChannelCsv(csv, *document, std::nullopt);
    QVERIFY(result.errors.empty());
    QCOMPARE(result.channels, 7); // six group channels and one memory channel
    const PackedPair before = packDataFilePair(*original);
    const PackedPair after = packDataFilePair(*document);
    QVERIFY(before.dataFile == after.dataFile);
    QVERIFY(before.channelFile == after.channelFile);
}

void TestDocumentExchange::csvIntoAnEmptyDocumentGivesTheSameChannels()
{
    const auto original = Samples::richDocument();
    const std::string csv = exportChannelCsv(*original);
    auto document = emptyDocument();
    QVERIFY(importChannelCsv(csv, *document, std::nullopt).errors.empty());
    QCOMPARE(exportChannelCsv(*document), csv);
}

void TestDocumentExchange::badLineChangesNothing_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("error");
    QTest::newRow("frequency outside the kind's band")
        << "HAM,1,1,27.00000,FM,Off,Off"
        << "line 3: frequency \"27.00000\" is out of range for HAM (28.00000 - 29.70000 MHz)";
    QTest::newRow("tone the radio lacks") << "HF,1,1,28.00000,FM,69.3,Off"
                                          << "line 3: RxTone: \"69.3\" is no tone of the radio";
    QTest::newRow("reversed DCS code") << "HF,1,1,28.00000,FM,Off,D024N"
                                       << "line 3: TxTone: \"D024N\" is no tone";
    QTest::newRow("unknown mode") << "HF,1,1,28.00000,FM2,Off,Off"
                                  << "line 3: Mode: \"FM2\" is no mode";
    QTest::newRow("unknown kind") << "UHF,1,1,28.00000,FM,Off,Off"
                                  << "line 3: kind \"UHF\" is none of CB, HF, HAM, MEM";
    QTest::newRow("group the kind lacks") << "CB,8,1,27.00000,FM,Off,Off"
                                          << "line 3: group \"8\" does not exist in CB (1-7)";
    QTest::newRow("channel listed twice") << "HF,1,2,28.00000,FM,Off,Off"
                                          << "line 3: channel 2 is listed twice";
    QTest::newRow("channel beyond the group") << "HF,17,2,28.00000,FM,Off,Off"
                                              << "line 3: channel 2 does not exist";
    QTest::newRow("memory 97") << "MEM,,97,27.00000,FM,Off,Off"
                               << "line 3: memory channel 97 does not exist (1-96)";
    QTest::newRow("no frequency") << "HF,1,1,,FM,Off,Off"
                                  << "line 3: no frequency";
}

void TestDocumentExchange::badLineChangesNothing()
{
    QFETCH(QString, lines);
    QFETCH(QString, error);
    const auto original = Samples::richDocument();
    auto document = std::make_unique<DocumentSet>(*original);
    // A good line first: it is not applied either.
    const std::string csv = kHeader + "HF,1,2,28.50000,AM,Off,Off\r\n" + lines.toStdString();
    const CsvImportResult result = importChannelCsv(csv, *document, std::nullopt);
    QCOMPARE(result.errors.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(result.errors.front()).startsWith(error),
             result.errors.front().c_str());
    QVERIFY(*document == *original);
}

void TestDocumentExchange::commonLayoutOfOtherTools()
{
    auto document = emptyDocument();
    const std::string csv = "Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                            "DtcsPolarity,Mode,TStep,Skip\n"
                            "\"Club, north\",28.30000,,0.0,Tone,88.5,88.5,023,NN,FM,5.00,\n"
                            "Rep,29.62000,-,0.1,TSQL,88.5,100.0,023,NN,NFM,5.00,S\n"
                            "Dig,29.60000,+,0.1,DTCS,88.5,88.5,754,NN,USB,5.00,\n";
    const CsvImportResult result = importChannelCsv(csv, *document, CsvTarget{HAM, 2});
    QVERIFY(result.errors.empty());
    QCOMPARE(document->channelCount(HAM, 2), 3);
    const std::string exported = exportChannelCsv(*document);
    QVERIFY(exported.find("HAM,2,1,28.30000,FM,Off,88.5,On,") != std::string::npos);
    QVERIFY(exported.find("HAM,2,2,29.62000,FM,100.0,88.5,Off,") != std::string::npos);
    QVERIFY(exported.find("HAM,2,3,29.60000,USB,D754N,D754N,On,") != std::string::npos);
    QVERIFY(exported.find(",REP-,") != std::string::npos);

    auto unchanged = emptyDocument();
    const CsvImportResult refused = importChannelCsv(
        "Location,Frequency,Tone,DtcsCode,DtcsPolarity\n5,28.1,DTCS,023,RN\n6,28.2,Cross,,\n",
        *unchanged, CsvTarget{HAM, 2});
    QCOMPARE(refused.errors.size(), std::size_t(2));
    QVERIFY(refused.errors[0].starts_with("line 2: DCS polarity \"RN\""));
    QVERIFY(refused.errors[1].starts_with("line 3: Tone \"Cross\""));
    QVERIFY(*unchanged == *emptyDocument());
}

void TestDocumentExchange::differencesAreNamed()
{
    const auto first = Samples::richDocument();
    auto second = std::make_unique<DocumentSet>(*first);
    QVERIFY(compareDocuments(*first, *second).empty());
    second->channels.entry(CB, 2, 2).Mode = 5;
    second->settings.options.batteryMax = 150;
    second->settings.toneTips.set(8).tones[13].duration = 9;
    const std::vector<Difference> differences = compareDocuments(*first, *second);
    const std::vector<Difference> expected{
        {"channels.CB.group 2.channel 14.mode", "\"LSB\"", "\"CW\""},
        {"options.batteryMax", "\"17.1\"", "\"15.0\""},
        {"toneTips.sets.set 8.tones.tone 14.duration", "70", "90"},
    };
    QCOMPARE(differences.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        QCOMPARE(QString::fromStdString(differences[i].where + " = " + differences[i].first +
                                        " / " + differences[i].second),
                 QString::fromStdString(expected[i].where + " = " + expected[i].first + " / " +
                                        expected[i].second));
}

void TestDocumentExchange::invisibleBytesOfTextsAreShown()
{
    const auto first = Samples::richDocument();
    auto second = std::make_unique<DocumentSet>(*first);
    first->settings.options.groupNames.names.at(HF, 2).assign(std::string_view("A\0", 2));
    second->settings.options.groupNames.names.at(HF, 2).assign("A ");
    second->settings.options.dtmfCodes[1].assign("1\"\x01");
    const std::vector<Difference> differences = compareDocuments(*first, *second);
    QCOMPARE(differences.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(differences[0].where),
             QStringLiteral("options.groupNames.names.HF[2]"));
    QCOMPARE(differences[0].first, std::string("\"A\\0\""));
    QCOMPARE(differences[0].second, std::string("\"A\""));
    QCOMPARE(QString::fromStdString(differences[1].where),
             QStringLiteral("options.dtmfCodes.code 2"));
    QCOMPARE(differences[1].second, std::string("\"1\\\"\\x01\""));
}

void TestDocumentExchange::everyDataFileByteIsNamed()
{
    // Whichever byte of a data file changes, the difference is named by a field.
    const auto document = Samples::richDocument();
    const std::vector<std::uint8_t> packed = packSettingsRecord(document->settings);
    auto changed = std::make_unique<DocumentSet>(*document);
    for (std::size_t offset = 0; offset < packed.size(); ++offset) {
        std::vector<std::uint8_t> bytes = packed;
        bytes[offset] ^= 0x41;
        // A channel count its group cannot hold is refused on reading.
        if (unpackSettingsRecord(bytes, changed->settings) == SettingsReadStatus::BadCounts)
            continue;
        const std::vector<Difference> differences = compareDocuments(*document, *changed);
        QVERIFY2(!differences.empty(), qPrintable(QString::number(offset)));
        for (const Difference &difference : differences)
            QVERIFY2(difference.where.find("byte") == std::string::npos, difference.where.c_str());
    }
    // One that no window shows, by its name.
    changed->settings = document->settings;
    changed->settings.groupSelection.at(HAM, 2) = 7;
    const std::vector<Difference> differences = compareDocuments(*document, *changed);
    QCOMPARE(differences.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(differences[0].where), QStringLiteral("groupSelection.HAM[2]"));
}

void TestDocumentExchange::imagesCompareOnWhatTheRadioHolds()
{
    const auto document = Samples::richDocument();
    RadioImage a;
    RadioImage b;
    PackDocumentIntoImage(*document, a);
    PackDocumentIntoImage(*document, b);
    QVERIFY(compareImages(a, b).empty());
    // The DTMF choices of a channel live in the data file only: no difference in the radio.
    auto changed = std::make_unique<DocumentSet>(*document);
    changed->channels.entry(HF, 16, 1).DtmfCall = 3;
    changed->memories.at(9).Scan = 0;
    PackDocumentIntoImage(*changed, b);
    const std::vector<Difference> differences = compareImages(a, b);
    QCOMPARE(differences.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(differences[0].where),
             QStringLiteral("memoryChannels.memory 9.scan"));
    // A byte no field names is still reported, by its address.
    b = a;
    b.writeBlock(0x0A9F0, std::array<std::uint8_t, 1>{0x5A});
    const std::vector<Difference> raw = compareImages(a, b);
    QVERIFY(!raw.empty());
}

void TestDocumentExchange::jsonHoldsTheWholeDocument()
{
    const auto document = Samples::richDocument();
    QJsonParseError error;
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromStdString(documentToJson(*document)), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    // The keys and values of the text form.
    const QJsonObject root = json.object();
    QCOMPARE(root["format"].toString(), QStringLiteral("orx740-config/1"));
    const QJsonObject cbGroup2 = root["channels"]["CB"]["group 2"].toObject();
    QCOMPARE(cbGroup2.keys().size(), 3);
    QCOMPARE(cbGroup2["channel 14"]["mode"].toString(), QStringLiteral("LSB"));
    QCOMPARE(cbGroup2["channel 14"]["rogerBeep"].toString(), QStringLiteral("1"));
    QCOMPARE(cbGroup2["channel 14"]["hiCut"].toString(), QStringLiteral("off"));
    QCOMPARE(root["memoryChannels"].toObject().keys(), QStringList{"memory 9"});
    QCOMPARE(root["options"]["dtmfCodes"]["code 5"].toString(), QStringLiteral("12*#ABCD"));
    // The GBK bytes of a group name are escaped, never passed on as broken UTF-8.
    QCOMPARE(root["options"]["groupNames"]["names"]["HF"][2].toString(), QString("\u00B2\u00E2"));
    QCOMPARE(root["toneTips"]["sets"]["set 8"]["tones"]["tone 14"]["frequency"].toInt(), 2500);
    QCOMPARE(root["options"]["batteryMax"].toString(), QStringLiteral("17.1"));
    QCOMPARE(root["emergency"]["hamMode2"].toString(), QStringLiteral("AM"));
    QCOMPARE(root["extraValues"]["cbPublic"].toString(), QStringLiteral("On"));
}

void TestDocumentExchange::backupRotationKeepsTheNewest()
{
    std::vector<std::string> names{"notes", "20261209-100000_ORX740_read"};
    for (int minute = 10; minute < 62; ++minute)
        names.push_back("20261209-11" + std::to_string(minute % 60 + 10).substr(0, 2) + "00" +
                        "_ORX740_" + (minute % 2 ? "write" : "read"));
    names.emplace_back("20261209-100000-2_ORX740_write"); // a second backup in the same second
    std::reverse(names.begin(), names.end());
    const std::vector<std::string> removed = backupsToRemove(names, kBackupsKept);
    QCOMPARE(removed.size(), std::size_t(4));
    // Oldest last: the plain stamp was made before its "-2".
    QCOMPARE(removed[2], std::string("20261209-100000-2_ORX740_write"));
    QCOMPARE(removed[3], std::string("20261209-100000_ORX740_read"));
    QVERIFY(std::find(removed.begin(), removed.end(), "notes") == removed.end());
    QVERIFY(!parseBackupFolderName("20261209-1000_ORX740_read"));
    QCOMPARE(parseBackupFolderName("20261209-100000_ORX740_read")->model, std::string("ORX740"));
}

QTEST_GUILESS_MAIN(TestDocumentExchange)
#include "tst_documentexchange.moc"
