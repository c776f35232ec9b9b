#include <QTest>

#include "channels/ChannelRecordForm.h"
#include "model/ByteIO.h"
#include "radio/ChannelRecord.h"

namespace {

// Every field a different value, so that a swapped or shifted field shows.
ChannelRecord distinctRecord()
{
    ChannelRecord record;
    record.Number = 0x0102;
    record.Present = 1;
    record.Scan = -2;
    record.RxDigits.assign("2740500");
    record.TxDigits.bytes = {'2', '8', '\0', 'x', 'y', 'z', ' ', ' '};
    record.Spare1 = 0x0304;
    record.Spare2 = 0x0506;
    record.TxToneType = 2;
    record.TxCtcss = 37;
    record.TxDcs = 103;
    record.Spare3 = 0x0708;
    record.Mode = 5;
    record.HiCut = 11;
    record.NoiseBlanker = 12;
    record.Echo = 13;
    record.Plus10k = 14;
    record.BusyLockout = 15;
    record.RogerBeep = 0xFF81;
    record.Repeater = 16;
    record.Public = 17;
    record.DtmfBot = 18;
    record.DtmfEot = 19;
    record.DtmfCall = 20;
    record.RxToneType = 21;
    record.RxCtcss = 22;
    record.RxDcs = 23;
    record.Anl = 24;
    record.MemBand = 0xABCD;
    record.MemChannelId = 255;
    return record;
}

} // namespace

class TestChannelRecordForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldOffsets_data();
    void fieldOffsets();
    void texts();
    void roundTrip();
    void recordsFollowEachOther();
    void shortInput();
};

void TestChannelRecordForm::fieldOffsets_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::newRow("Number") << 0 << 0x0102;
    QTest::newRow("Present") << 2 << 1;
    QTest::newRow("Scan") << 4 << 0xFFFE;
    QTest::newRow("Spare1") << 22 << 0x0304;
    QTest::newRow("Spare2") << 24 << 0x0506;
    QTest::newRow("TxToneType") << 26 << 2;
    QTest::newRow("TxCtcss") << 28 << 37;
    QTest::newRow("TxDcs") << 30 << 103;
    QTest::newRow("Spare3") << 32 << 0x0708;
    QTest::newRow("Mode") << 34 << 5;
    QTest::newRow("HiCut") << 36 << 11;
    QTest::newRow("NoiseBlanker") << 38 << 12;
    QTest::newRow("Echo") << 40 << 13;
    QTest::newRow("Plus10k") << 42 << 14;
    QTest::newRow("BusyLockout") << 44 << 15;
    QTest::newRow("RogerBeep") << 46 << 0xFF81;
    QTest::newRow("Repeater") << 48 << 16;
    QTest::newRow("Public") << 50 << 17;
    QTest::newRow("DtmfBot") << 52 << 18;
    QTest::newRow("DtmfEot") << 54 << 19;
    QTest::newRow("DtmfCall") << 56 << 20;
    QTest::newRow("RxToneType") << 58 << 21;
    QTest::newRow("RxCtcss") << 60 << 22;
    QTest::newRow("RxDcs") << 62 << 23;
    QTest::newRow("Anl") << 64 << 24;
    QTest::newRow("MemBand") << 66 << 0xABCD;
    QTest::newRow("MemChannelId") << 68 << 255;
}

void TestChannelRecordForm::fieldOffsets()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    ByteWriter writer;
    packFields(writer, distinctRecord());
    QCOMPARE(writer.size(), kChannelRecordFormSize);
    QCOMPARE(writer.size(), std::size_t{70});
    const auto &bytes = writer.bytes();
    QCOMPARE(int(bytes[std::size_t(offset)]), value & 0xFF);
    QCOMPARE(int(bytes[std::size_t(offset) + 1]), value >> 8);
}

void TestChannelRecordForm::texts()
{
    ByteWriter writer;
    packFields(writer, distinctRecord());
    const auto &bytes = writer.bytes();
    const QByteArray rx(reinterpret_cast<const char *>(bytes.data()) + 6, 8);
    const QByteArray tx(reinterpret_cast<const char *>(bytes.data()) + 14, 8);
    QCOMPARE(rx, QByteArray("2740500 "));
    // Kept byte for byte, NUL and all.
    QCOMPARE(tx, QByteArray("28\0xyz  ", 8));
}

void TestChannelRecordForm::roundTrip()
{
    const ChannelRecord record = distinctRecord();
    ByteWriter writer;
    packFields(writer, record);
    ByteReader reader(writer.bytes());
    ChannelRecord read;
    unpackFields(reader, read);
    QVERIFY(reader.ok());
    QVERIFY(reader.atEnd());
    QVERIFY(read == record);
}

void TestChannelRecordForm::recordsFollowEachOther()
{
    ChannelRecord second;
    second.Number = 40;
    second.RxDigits.assign("29690000");
    ByteWriter writer;
    packFields(writer, distinctRecord());
    packFields(writer, second);
    QCOMPARE(writer.size(), std::size_t{140});
    ByteReader reader(writer.bytes());
    ChannelRecord first;
    ChannelRecord read;
    unpackFields(reader, first);
    unpackFields(reader, read);
    QVERIFY(reader.ok());
    QVERIFY(first == distinctRecord());
    QVERIFY(read == second);
}

void TestChannelRecordForm::shortInput()
{
    ByteWriter writer;
    packFields(writer, distinctRecord());
    std::vector<std::uint8_t> bytes = writer.take();
    bytes.resize(69);
    ByteReader reader(bytes);
    ChannelRecord read;
    unpackFields(reader, read);
    QVERIFY(!reader.ok());
}

QTEST_APPLESS_MAIN(TestChannelRecordForm)
#include "tst_channelrecordform.moc"
