#include <QTest>

#include <memory>

#include "channels/ChannelRecords.h"
#include "model/Band.h"
#include "radio/Document.h"

Q_DECLARE_METATYPE(ChannelRemoval)

namespace {

const BandLimits kHam = parseBandLimits("28.0000 - 29.7000 MHz");
const BandLimits kHf = parseBandLimits("24.7150 - 30.1050 MHz");

// A record with every field set to something a new channel must not keep.
ChannelRecord usedRecord()
{
    ChannelRecord record;
    record.Number = 33;
    record.Present = 1;
    record.Scan = 0;
    record.RxDigits.assign("29999990");
    record.TxDigits.assign("29999990");
    record.Spare1 = 7;
    record.Spare2 = 8;
    record.TxToneType = 2;
    record.TxCtcss = 12;
    record.TxDcs = 99;
    record.Spare3 = 9;
    record.Mode = 3;
    record.HiCut = 1;
    record.NoiseBlanker = 0;
    record.Echo = 1;
    record.Plus10k = 1;
    record.BusyLockout = 1;
    record.RogerBeep = 130;
    record.Repeater = 2;
    record.Public = 1;
    record.DtmfBot = 3;
    record.DtmfEot = 4;
    record.DtmfCall = 5;
    record.RxToneType = 1;
    record.RxCtcss = 37;
    record.RxDcs = 103;
    record.Anl = 1;
    return record;
}

ChannelRecord newChannel(int number, const char *digits)
{
    ChannelRecord record;
    record.Number = std::int16_t(number);
    record.Present = 1;
    record.Scan = 1;
    record.NoiseBlanker = 1;
    record.RxDigits.assign(digits);
    record.TxDigits.assign(digits);
    return record;
}

void addNumbers(DocumentSet &document, int kind, int group, std::initializer_list<int> numbers)
{
    for (int number : numbers)
        QVERIFY(AddChannel(document, kind, group, number, "28.50000", kHam).has_value());
}

} // namespace

class TestChannelRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addChannelStartsFresh();
    void addChannelRefuses_data();
    void addChannelRefuses();
    void findChannel();
    void removeEntryMovesTheRestUp();
    void removeEntryRefusesOutsideTheList_data();
    void removeEntryRefusesOutsideTheList();
    void addMemoryChannel();
    void removalRule_data();
    void removalRule();
};

void TestChannelRecords::addChannelStartsFresh()
{
    auto document = std::make_unique<DocumentSet>();
    // The entry that the new channel takes held another channel before.
    document->channels.entry(2, 3, 1) = usedRecord();
    const auto index = AddChannel(*document, 2, 3, 7, "28.50000", kHam);
    QCOMPARE(index, std::optional<int>(1));
    QCOMPARE(int(document->channelCount(2, 3)), 1);
    QVERIFY(document->channels.entry(2, 3, 1) == newChannel(7, "2850000"));
    QCOMPARE(document->channels.entry(2, 3, 1).RxDigits.raw(), std::string("2850000 "));

    QCOMPARE(AddChannel(*document, 2, 3, 8, "29.12345", kHam), std::optional<int>(2));
    QCOMPARE(document->channels.entry(2, 3, 2).RxDigits.trimmed(), std::string("2912345"));
}

void TestChannelRecords::addChannelRefuses_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("added");
    QTest::newRow("HAM 1, channel 40") << 2 << 1 << 40 << true;
    QTest::newRow("HAM 1, channel 41") << 2 << 1 << 41 << false;
    QTest::newRow("HAM 1, channel 0") << 2 << 1 << 0 << false;
    QTest::newRow("HAM MEM, channel 99") << 2 << 13 << 99 << true;
    QTest::newRow("HAM MEM, channel 100") << 2 << 13 << 100 << false;
    QTest::newRow("HAM VFO, channel 1") << 2 << 14 << 1 << true;
    QTest::newRow("HAM VFO, channel 2") << 2 << 14 << 2 << false;
    QTest::newRow("HAM has no group 15") << 2 << 15 << 1 << false;
    QTest::newRow("CB has no group 8") << 0 << 8 << 1 << false;
    QTest::newRow("CB group 3, channel 80") << 0 << 3 << 80 << true;
    QTest::newRow("CB group 2, channel 80") << 0 << 2 << 80 << false;
    QTest::newRow("kind 3") << 3 << 1 << 1 << false;
    QTest::newRow("kind -1") << -1 << 1 << 1 << false;
}

void TestChannelRecords::addChannelRefuses()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(int, number);
    QFETCH(bool, added);
    auto document = std::make_unique<DocumentSet>();
    QCOMPARE(AddChannel(*document, kind, group, number, "28.5", kHam).has_value(), added);
    if (added) {
        QCOMPARE(int(document->channelCount(kind, group)), 1);
        // The same number twice would put two channels into one slot.
        QVERIFY(!AddChannel(*document, kind, group, number, "28.6", kHam));
        QCOMPARE(int(document->channelCount(kind, group)), 1);
    }
}

void TestChannelRecords::findChannel()
{
    auto document = std::make_unique<DocumentSet>();
    addNumbers(*document, 1, 2, {5, 1, 40});
    QCOMPARE(FindChannel(*document, 1, 2, 5), std::optional<int>(1));
    QCOMPARE(FindChannel(*document, 1, 2, 1), std::optional<int>(2));
    QCOMPARE(FindChannel(*document, 1, 2, 40), std::optional<int>(3));
    QCOMPARE(FindChannel(*document, 1, 2, 2), std::nullopt);
    QCOMPARE(FindChannel(*document, 1, 3, 5), std::nullopt);
    QCOMPARE(FindChannel(*document, 1, 18, 5), std::nullopt);
    // An entry behind the list's end is no channel.
    document->channels.entry(1, 2, 4).Number = 9;
    QCOMPARE(FindChannel(*document, 1, 2, 9), std::nullopt);
}

void TestChannelRecords::removeEntryMovesTheRestUp()
{
    auto document = std::make_unique<DocumentSet>();
    addNumbers(*document, 1, 1, {1, 2, 3, 4});
    document->channels.entry(1, 1, 3).Mode = 2;
    QVERIFY(RemoveChannelEntry(*document, 1, 1, 2));
    QCOMPARE(int(document->channelCount(1, 1)), 3);
    QCOMPARE(int(document->channels.entry(1, 1, 1).Number), 1);
    QCOMPARE(int(document->channels.entry(1, 1, 2).Number), 3);
    QCOMPARE(int(document->channels.entry(1, 1, 2).Mode), 2);
    QCOMPARE(int(document->channels.entry(1, 1, 3).Number), 4);
    QCOMPARE(int(document->channels.entry(1, 1, 4).Number), 0);
    QVERIFY(RemoveChannelEntry(*document, 1, 1, 3));
    QCOMPARE(int(document->channelCount(1, 1)), 2);
    QCOMPARE(FindChannel(*document, 1, 1, 4), std::nullopt);
}

void TestChannelRecords::removeEntryRefusesOutsideTheList_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::newRow("entry 0") << 1 << 0;
    QTest::newRow("behind the end") << 1 << 3;
    QTest::newRow("empty group") << 2 << 1;
    QTest::newRow("no such group") << 18 << 1;
}

void TestChannelRecords::removeEntryRefusesOutsideTheList()
{
    QFETCH(int, group);
    QFETCH(int, index);
    auto document = std::make_unique<DocumentSet>();
    addNumbers(*document, 1, 1, {1, 2});
    const auto before = std::make_unique<DocumentSet>(*document);
    QVERIFY(!RemoveChannelEntry(*document, 1, group, index));
    QVERIFY(*document == *before);
}

void TestChannelRecords::addMemoryChannel()
{
    MemoryChannels memories;
    memories.at(5) = usedRecord();
    memories.at(5).Present = 0;
    memories.at(5).MemChannelId = 12;
    memories.at(5).MemBand = 1;
    QVERIFY(AddMemoryChannel(memories, 5, "27.40500", kHf));
    QCOMPARE(memories.count, 1);
    ChannelRecord expected = newChannel(5, "2740500");
    expected.Spare1 = 7;
    expected.Spare2 = 8;
    expected.MemChannelId = 12;
    expected.MemBand = 1;
    QVERIFY(memories.at(5) == expected);
    // Adding a present memory again does not count it twice.
    QVERIFY(AddMemoryChannel(memories, 5, "27.50000", kHf));
    QCOMPARE(memories.count, 1);
    QVERIFY(!AddMemoryChannel(memories, 0, "27.5", kHf));
    QVERIFY(!AddMemoryChannel(memories, 97, "27.5", kHf));
    QCOMPARE(memories.count, 1);
}

void TestChannelRecords::removalRule_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<QList<int>>("numbers"); // channels of the group; the first is cleared
    QTest::addColumn<bool>("groupValid");
    QTest::addColumn<int>("otherGroup");
    QTest::addColumn<QList<int>>("otherNumbers");
    QTest::addColumn<bool>("otherValid");
    QTest::addColumn<ChannelRemoval>("outcome");
    const auto removed = ChannelRemoval::Removed;
    const auto invalid = ChannelRemoval::RemovedGroupInvalid;
    const auto kept = ChannelRemoval::Kept;
    QTest::newRow("two regular channels")
        << 2 << 1 << QList<int>{3, 7} << true << 2 << QList<int>{} << false << removed;
    QTest::newRow("channel 40 counts as regular")
        << 2 << 1 << QList<int>{3, 40} << true << 2 << QList<int>{} << false << removed;
    QTest::newRow("last channel, another valid group has one")
        << 2 << 1 << QList<int>{3} << true << 2 << QList<int>{1} << true << invalid;
    QTest::newRow("last channel, the other group is not valid")
        << 2 << 1 << QList<int>{3} << true << 2 << QList<int>{1} << false << kept;
    QTest::newRow("last channel, other group holds only channel 40")
        << 2 << 1 << QList<int>{3} << true << 2 << QList<int>{40} << true << kept;
    QTest::newRow("last channel, other valid group is group 9")
        << 2 << 1 << QList<int>{3} << true << 9 << QList<int>{5} << true << invalid;
    QTest::newRow("last channel, other valid group is group 10")
        << 2 << 1 << QList<int>{3} << true << 10 << QList<int>{5} << true << kept;
    QTest::newRow("last channel of an invalid group, another valid group has one")
        << 1 << 4 << QList<int>{3} << false << 1 << QList<int>{2} << true << invalid;
    QTest::newRow("CB group 7, valid group 6 has one")
        << 0 << 7 << QList<int>{3} << true << 6 << QList<int>{2} << true << invalid;
    QTest::newRow("only channel, nothing elsewhere")
        << 1 << 1 << QList<int>{3} << true << 1 << QList<int>{} << true << kept;
}

void TestChannelRecords::removalRule()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(QList<int>, numbers);
    QFETCH(bool, groupValid);
    QFETCH(int, otherGroup);
    QFETCH(QList<int>, otherNumbers);
    QFETCH(bool, otherValid);
    QFETCH(ChannelRemoval, outcome);
    auto document = std::make_unique<DocumentSet>();
    auto &valid = document->settings.options.groupNames.valid;
    for (int number : numbers)
        QVERIFY(AddChannel(*document, kind, group, number, "28.5", kHam));
    for (int number : otherNumbers)
        QVERIFY(AddChannel(*document, kind, otherGroup, number, "28.5", kHam));
    valid.at(kind, group) = groupValid;
    if (otherGroup != group)
        valid.at(kind, otherGroup) = otherValid;
    const auto before = std::make_unique<DocumentSet>(*document);

    QCOMPARE(RemoveClearedChannel(*document, kind, group, 1), outcome);
    if (outcome == ChannelRemoval::Kept) {
        QVERIFY(*document == *before);
        return;
    }
    QCOMPARE(int(document->channelCount(kind, group)), int(numbers.size()) - 1);
    QCOMPARE(FindChannel(*document, kind, group, numbers.first()), std::nullopt);
    QCOMPARE(bool(valid.at(kind, group)), outcome == ChannelRemoval::Removed ? groupValid : false);
    QCOMPARE(bool(valid.at(kind, otherGroup)), otherGroup == group ? groupValid : otherValid);
}

QTEST_APPLESS_MAIN(TestChannelRecords)
#include "tst_channelrecords.moc"
