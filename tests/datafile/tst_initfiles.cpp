#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>

#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "datafile/InitFiles.h"
#include "datafile/QtDataFileStorage.h"
#include "radio/Document.h"
#include "radio/GroupNames.h"

// The starting documents the installation ships, and the files the build wrote from them.
class TestInitFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cbGroupsHoldTheirCountriesPlans_data();
    void cbGroupsHoldTheirCountriesPlans();
    void everyGroupStaysInsideItsRange_data();
    void everyGroupStaysInsideItsRange();
    void everyShippedChannelLiesInsideItsBand_data();
    void everyShippedChannelLiesInsideItsBand();
    void stagedFilesLoadAsStartingDocuments_data();
    void stagedFilesLoadAsStartingDocuments();
};

namespace {

int hzOf(const ChannelRecord &record)
{
    return record.RxDigits.trimmed().empty() ? -1 : std::stoi(record.RxDigits.trimmed());
}

double mhzAt(std::string_view text, std::size_t from)
{
    return std::stod(std::string(text.substr(from, 6)));
}

} // namespace

void TestInitFiles::cbGroupsHoldTheirCountriesPlans_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("hz");
    QTest::addColumn<int>("mode");
    QTest::newRow("EU 1") << 1 << 1 << 26965000 << 0;
    QTest::newRow("EU 19") << 1 << 19 << 27185000 << 0;
    QTest::newRow("EU 23 above 24 and 25") << 1 << 23 << 27255000 << 0;
    QTest::newRow("EU 24") << 1 << 24 << 27235000 << 0;
    QTest::newRow("EU 40") << 1 << 40 << 27405000 << 0;
    QTest::newRow("PL 1 in AM") << 2 << 1 << 26965000 << 1;
    QTest::newRow("PL 40") << 2 << 40 << 27405000 << 1;
    QTest::newRow("DE 9") << 3 << 9 << 27065000 << 0;
    QTest::newRow("IN 40 in AM") << 6 << 40 << 27405000 << 1;
    QTest::newRow("UK 1") << 7 << 1 << 27601250 << 0;
    QTest::newRow("UK 27, the top of the band") << 7 << 27 << 27861250 << 0;
}

void TestInitFiles::cbGroupsHoldTheirCountriesPlans()
{
    QFETCH(int, group);
    QFETCH(int, channel);
    QFETCH(int, hz);
    QFETCH(int, mode);
    const auto document = shippedInitDocument(1, "20260101");
    QCOMPARE(document->channelCount(CB, group), group == 7 ? 27 : 40);
    const ChannelRecord &record = document->channels.entry(CB, group, channel);
    QCOMPARE(int(record.Number), channel);
    QCOMPARE(hzOf(record), hz);
    QVERIFY(record.TxDigits == record.RxDigits);
    QCOMPARE(int(record.Mode), mode);
}

void TestInitFiles::everyGroupStaysInsideItsRange_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    for (int kind : {HF, HAM})
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            QTest::newRow(qPrintable(QStringLiteral("kind %1 group %2").arg(kind).arg(group)))
                << kind << group;
}

void TestInitFiles::everyGroupStaysInsideItsRange()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    const auto document = shippedInitDocument(0, "20260101");
    // HF groups hold the range their frequency text names; HAM groups 1-9 the HAM band in
    // 200 kHz slices from 28.000 MHz, the last ending at 29.695 MHz.
    int low = 0;
    int high = 0;
    if (kind == HF && !groupFrequencyText(kind, group).empty()) {
        const std::string_view range = groupFrequencyText(kind, group);
        low = int(std::lround(mhzAt(range, 0) * 1e6));
        high = int(std::lround(mhzAt(range, range.find(" - ") + 3) * 1e6));
    } else if (kind == HAM && group <= 9) {
        low = 28000000 + (group - 1) * 200000;
        high = std::min(low + 195000, 29695000);
    }
    const int count = document->channelCount(kind, group);
    QCOMPARE(int(document->settings.options.groupNames.valid.at(kind, group)), low ? 1 : 0);
    if (low == 0) {
        QCOMPARE(count, 0);
        return;
    }
    QCOMPARE(count, std::min(40, (high - low) / 5000 + 1));
    for (int index = 1; index <= count; ++index) {
        const int hz = hzOf(document->channels.entry(kind, group, index));
        QVERIFY2(hz >= low && hz <= high, qPrintable(QString::number(hz)));
    }
    QCOMPARE(document->channelCount(kind, vfoGroup(kind)), 1);
    QCOMPARE(document->channelCount(kind, memGroup(kind)), 0);
}

void TestInitFiles::everyShippedChannelLiesInsideItsBand_data()
{
    stagedFilesLoadAsStartingDocuments_data();
}

void TestInitFiles::everyShippedChannelLiesInsideItsBand()
{
    // The bands the channel window checks a typed frequency against.
    const std::array<BandLimits, kKindCount> bands{parseBandLimits("26.96500 - 27.86125 MHz"),
                                                   parseBandLimits("24.7150 - 30.1050 MHz"),
                                                   parseBandLimits("28.0000 - 29.7000 MHz")};
    QFETCH(QString, name);
    const std::string path =
        (qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/Init/" + name).toStdString();
    QtDataFileStorage storage;
    Document document;
    QVERIFY(LoadInitFile(document, &storage, path) == InitFileResult::Loaded);
    const DocumentSet &loaded = document.working();
    int checked = 0;
    const auto check = [&](int kind, const ChannelRecord &record, const QString &where) {
        const BandLimits &band = bands[std::size_t(kind)];
        const int hz = hzOf(record);
        QVERIFY2(hz >= int(std::lround(band.lower * 1e6)) &&
                     hz <= int(std::lround(band.upper * 1e6)),
                 qPrintable(where + ": " + QString::number(hz)));
        ++checked;
    };
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= groupCount(kind); ++group)
            for (int index = 1; index <= loaded.channelCount(kind, group); ++index)
                check(kind, loaded.channels.entry(kind, group, index),
                      QStringLiteral("kind %1 group %2 entry %3").arg(kind).arg(group).arg(index));
    for (int number = 1; number <= kMemoryChannelCount; ++number)
        if (loaded.memories.at(number).Present &&
            !loaded.memories.at(number).RxDigits.trimmed().empty())
            check(CB, loaded.memories.at(number), QStringLiteral("memory %1").arg(number));
    QVERIFY(checked > 600);
}

void TestInitFiles::stagedFilesLoadAsStartingDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bandClass");
    for (const InitFileName &file : shippedInitFileNames())
        QTest::newRow(file.dataFile.c_str())
            << QString::fromStdString(file.dataFile) << file.bandClass;
}

void TestInitFiles::stagedFilesLoadAsStartingDocuments()
{
    QFETCH(QString, name);
    QFETCH(int, bandClass);
    const std::string path =
        (qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/Init/" + name).toStdString();
    QtDataFileStorage storage;
    Document document;
    QVERIFY(LoadInitFile(document, &storage, path) == InitFileResult::Loaded);

    const auto expected = shippedInitDocument(bandClass, "");
    const DocumentSet &loaded = document.working();
    QVERIFY(loaded.channels == expected->channels);
    QVERIFY(loaded.settings.options == expected->settings.options);
    QVERIFY(loaded.settings.toneTips == expected->settings.toneTips);
    QCOMPARE(loaded.settings.identity.bandClass, std::int16_t(bandClass));
    QCOMPARE(loaded.settings.options.groupNames.names.at(HF, 1).trimmed(), std::string("A"));
    // The file's kind gives back the band its name stands for.
    QCOMPARE(document.bandClass(), bandClass);
}

QTEST_GUILESS_MAIN(TestInitFiles)
#include "tst_initfiles.moc"
