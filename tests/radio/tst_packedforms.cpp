#include <QTest>

#include <functional>
#include <random>

#include "model/ByteIO.h"
#include "radio/BroadcastTable.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"

// The packed data-file forms of the option record and the special sub-records.
class TestPackedForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizes_data();
    void sizes();
    void anyBytesReadBackUnchanged_data();
    void anyBytesReadBackUnchanged();
    void optionSegmentsSitAtTheirOffsets_data();
    void optionSegmentsSitAtTheirOffsets();
    void optionRecordRoundTrip();
    void broadcastFrequencyKeepsItsBits();
    void shortInputIsReported();
};

namespace {

using Writer = std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t> &)>;

// Reads bytes into a fresh record and writes it again.
template<typename Record>
std::vector<std::uint8_t> rewrite(const std::vector<std::uint8_t> &bytes)
{
    Record record{};
    ByteReader reader(bytes);
    unpackFields(reader, record);
    ByteWriter writer;
    packFields(writer, record);
    return writer.take();
}

Writer rewriterFor(const QString &name)
{
    if (name == "option record")
        return [](const auto &b) { return rewrite<OptionRecord>(b); };
    if (name == "emergency")
        return [](const auto &b) { return rewrite<EmergencySettings>(b); };
    if (name == "dual-watch")
        return [](const auto &b) { return rewrite<DualWatchSettings>(b); };
    if (name == "memory settings")
        return [](const auto &b) { return rewrite<MemorySettings>(b); };
    if (name == "tone tips")
        return [](const auto &b) { return rewrite<ToneTipTable>(b); };
    if (name == "broadcast table")
        return [](const auto &b) { return rewrite<BroadcastTable>(b); };
    if (name == "public set")
        return [](const auto &b) { return rewrite<PublicParamSet>(b); };
    return {};
}

void addRecordRows()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("size");
    QTest::newRow("option record") << "option record" << 1964;
    QTest::newRow("emergency") << "emergency" << 72;
    QTest::newRow("dual-watch") << "dual-watch" << 36;
    QTest::newRow("memory settings") << "memory settings" << 32;
    QTest::newRow("tone tips") << "tone tips" << 480;
    QTest::newRow("broadcast table") << "broadcast table" << 670;
    QTest::newRow("public set") << "public set" << 22;
}

} // namespace

void TestPackedForms::sizes_data()
{
    addRecordRows();
}

void TestPackedForms::sizes()
{
    QFETCH(QString, record);
    QFETCH(int, size);
    const std::vector<std::uint8_t> none(static_cast<std::size_t>(size) + 10, 0);
    // Reading consumes exactly the record and writing produces exactly as much.
    QCOMPARE(rewriterFor(record)(none).size(), static_cast<std::size_t>(size));
}

void TestPackedForms::anyBytesReadBackUnchanged_data()
{
    addRecordRows();
}

void TestPackedForms::anyBytesReadBackUnchanged()
{
    QFETCH(QString, record);
    QFETCH(int, size);
    // Whatever a data file holds comes back byte for byte, unknown bytes included.
    std::mt19937 random(static_cast<unsigned>(size));
    for (int pass = 0; pass < 20; ++pass) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        for (auto &b : bytes)
            b = static_cast<std::uint8_t>(pass == 0 ? 0xFF : random());
        QCOMPARE(rewriterFor(record)(bytes), bytes);
    }
}

void TestPackedForms::optionSegmentsSitAtTheirOffsets_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("first public set: NB of CB at byte 2")
        << int(OptionSegment::kPublicSets + 2) << QByteArray("\x07\x00", 2);
    QTest::newRow("Bluetooth on") << int(OptionSegment::kBluetooth) << QByteArray("\x01\x00", 2);
    QTest::newRow("broadcast weather on")
        << int(OptionSegment::kBroadcast) << QByteArray("\x01\x00", 2);
    QTest::newRow("group valid CB 1")
        << int(OptionSegment::kGroupValid) << QByteArray("\x01\x00", 2);
    QTest::newRow("group name CB 1") << int(OptionSegment::kGroupNames) << QByteArray("EU");
    QTest::newRow("battery maximum")
        << int(OptionSegment::kSecondBlock) << QByteArray("\xA8\x00", 2);
    QTest::newRow("DTMF send time") << int(OptionSegment::kDtmfTiming) << QByteArray("\x01\x00", 2);
    QTest::newRow("DTMF code 1") << int(OptionSegment::kDtmfCodes) << QByteArray("A1#  ");
    QTest::newRow("DTMF code 16") << int(OptionSegment::kDtmfCodes + std::size_t{15} * 16)
                                  << QByteArray("*0");
    QTest::newRow("twelve values")
        << int(OptionSegment::kReservedValues) << QByteArray("\x34\x12", 2);
    QTest::newRow("device name") << int(OptionSegment::kDeviceName) << QByteArray("MyRadio   ");
}

void TestPackedForms::optionSegmentsSitAtTheirOffsets()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);
    OptionRecord record;
    record.publicSets[PublicCb].noiseBlanker = 7;
    record.bluetoothOn = 1;
    record.broadcast.weatherOn = 1;
    record.groupNames.valid.at(CB, 1) = 1;
    record.groupNames.names.at(CB, 1).assign("EU");
    record.batteryMax = 168;
    record.dtmfTiming.sendTime = 1;
    record.dtmfCodes[0].assign("A1#");
    record.dtmfCodes[15].assign("*0");
    record.reservedValues[0] = 0x1234;
    record.btDeviceName.assign("MyRadio");
    ByteWriter writer;
    packFields(writer, record);
    const auto &bytes = writer.bytes();
    QCOMPARE(bytes.size(), kOptionRecordPackedSize);
    const QByteArray actual(reinterpret_cast<const char *>(bytes.data()) + offset, expected.size());
    QCOMPARE(actual, expected);
}

void TestPackedForms::optionRecordRoundTrip()
{
    OptionRecord record;
    record.cwFreq = 300;
    record.txRepeatOffset = 50000; // 5 MHz needs the full 16 bits
    record.keyAssign = {1, 2, 3, 16};
    record.publicSets[PublicHam].roger = 135;
    record.publicSets[PublicHf].dtmfCall = 16;
    record.broadcast.entry(41) = {1, 162.55, 1, 1, 1};
    record.dtmfTiming = {49, 10, 24, 3, 16, 1};
    record.groupNames.names.at(HF, 15).assign(std::string_view("O\0", 2));
    record.btDeviceName.assign("Headset");
    ByteWriter writer;
    packFields(writer, record);
    OptionRecord back;
    ByteReader reader(writer.bytes());
    unpackFields(reader, back);
    QVERIFY(reader.ok());
    QVERIFY(reader.atEnd());
    QVERIFY(back == record);
}

void TestPackedForms::broadcastFrequencyKeepsItsBits()
{
    BroadcastTable table;
    table.entry(1).frequency = 162.55;
    table.entry(2).frequency = 0.1 + 0.2; // not a short decimal: every bit must survive
    ByteWriter writer;
    packFields(writer, table);
    BroadcastTable back;
    ByteReader reader(writer.bytes());
    unpackFields(reader, back);
    QCOMPARE(back.entry(1).frequency, 162.55);
    QVERIFY(back.entry(2).frequency == 0.1 + 0.2);
    // The frequency is the 8-byte little-endian double after the 2-byte valid flag.
    const auto &bytes = writer.bytes();
    QCOMPARE(bytes[14 + 2 + 7], std::uint8_t{0x40}); // sign and exponent of 162.55
}

void TestPackedForms::shortInputIsReported()
{
    const std::vector<std::uint8_t> bytes(kOptionRecordPackedSize - 1, 0);
    OptionRecord record;
    ByteReader reader(bytes);
    unpackFields(reader, record);
    QVERIFY(!reader.ok());
}

QTEST_APPLESS_MAIN(TestPackedForms)
#include "tst_packedforms.moc"
