#include <QTest>

#include <array>
#include <memory>
#include <vector>

#include "model/RadioImage.h"
#include "radio/ChannelPacking.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

namespace {

// Where the description of the radio's memory puts each group, typed in here from its tables so
// that the packer is checked against them and not against itself.
struct ListedGroup
{
    int kind;
    int group;
    std::uint32_t base;
    int capacity;
    std::uint32_t validBase;
    std::uint32_t scanBase;
    const char *name;
};

std::vector<ListedGroup> listedGroups()
{
    std::vector<ListedGroup> groups;
    const std::array<std::uint32_t, 7> cb{0x0000, 0x0280, 0x0500, 0x0A00, 0x2000, 0x2280, 0x2500};
    for (int g = 1; g <= 7; ++g)
        groups.push_back({0, g, cb[std::size_t(g - 1)], 40, 0x16000 + 5u * (g - 1),
                          0x16200 + 5u * (g - 1), "CB"});
    const std::array<std::uint32_t, 15> hf{0x4000, 0x4280, 0x4500, 0x4780, 0x4A00,
                                           0x6000, 0x6280, 0x6500, 0x6780, 0x6A00,
                                           0x8000, 0x8280, 0x8500, 0x8780, 0x8A00};
    for (int g = 1; g <= 15; ++g)
        groups.push_back({1, g, hf[std::size_t(g - 1)], 40, 0x16080 + 5u * (g - 1),
                          0x16280 + 5u * (g - 1), "HF"});
    groups.push_back({1, 16, 0x12000, 99, 0x16410, 0x16440, "HF MEM"});
    groups.push_back({1, 17, 0x12640, 1, 0x16080 + 5 * 16, 0x16280 + 5 * 16, "HF VFO"});
    const std::array<std::uint32_t, 12> ham{0xA000, 0xA280, 0xA500, 0xA780, 0xC000, 0xC280,
                                            0xC500, 0xC780, 0xE000, 0xE280, 0xE500, 0xE780};
    for (int g = 1; g <= 12; ++g)
        groups.push_back({2, g, ham[std::size_t(g - 1)], 40, 0x16100 + 5u * (g - 1),
                          0x16300 + 5u * (g - 1), "HAM"});
    groups.push_back({2, 13, 0x14000, 99, 0x16420, 0x16450, "HAM MEM"});
    groups.push_back({2, 14, 0x14640, 1, 0x16100 + 5 * 13, 0x16300 + 5 * 13, "HAM VFO"});
    return groups;
}

std::uint32_t memoryIdAddress(int n)
{
    return n <= 80 ? 0x10600 + std::uint32_t(n - 1) : 0x10660 + std::uint32_t(n - 81);
}

void setBitByHand(RadioImage &image, std::uint32_t base, int channel)
{
    const std::uint32_t address = base + std::uint32_t(channel - 1) / 8;
    image.write(address, std::uint8_t(image.byteAt(address) | (1u << ((channel - 1) % 8))));
}

void putBcd(RadioImage &image, std::uint32_t address, const char *digits)
{
    for (std::size_t i = 0; i < 4; ++i)
        image.write(address + std::uint32_t(i),
                    std::uint8_t(((digits[2 * i] - '0') << 4) | (digits[2 * i + 1] - '0')));
}

void putSlot(RadioImage &image, std::uint32_t address, const char *digits,
             std::array<std::uint8_t, 8> fields)
{
    putBcd(image, address, digits);
    image.writeBlock(address + 4, fields);
}

// What PackChannels writes for a document without memory channels: erased memory slots and
// extra bytes that recall nothing.
void putEmptyMemories(RadioImage &image)
{
    for (int n = 1; n <= 96; ++n) {
        image.writeBlock(0x10000 + 16u * (n - 1),
                         std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF});
        image.write(memoryIdAddress(n), 0xFF);
    }
}

std::unique_ptr<DocumentSet> emptyDocument()
{
    return std::make_unique<DocumentSet>();
}

std::int16_t &switchField(ChannelRecord &record, const QString &name)
{
    if (name == "HiCut")
        return record.HiCut;
    if (name == "Echo")
        return record.Echo;
    if (name == "Plus10k")
        return record.Plus10k;
    if (name == "BusyLockout")
        return record.BusyLockout;
    if (name == "NoiseBlanker")
        return record.NoiseBlanker;
    if (name == "Anl")
        return record.Anl;
    if (name == "Repeater")
        return record.Repeater;
    if (name == "TxToneType")
        return record.TxToneType;
    if (name == "RxToneType")
        return record.RxToneType;
    return record.Public;
}

bool sameRegion(const RadioImage &a, const RadioImage &b, std::uint32_t first, std::uint32_t last,
                QString &where)
{
    for (std::uint32_t address = first; address <= last; ++address) {
        if (a.byteAt(address) != b.byteAt(address)) {
            where = QStringLiteral("0x%1: %2 instead of %3")
                        .arg(address, 5, 16, QChar('0'))
                        .arg(b.byteAt(address), 2, 16, QChar('0'))
                        .arg(a.byteAt(address), 2, 16, QChar('0'));
            return false;
        }
    }
    return true;
}

} // namespace

class TestChannelPacking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySlotAndBitOfAGroup_data();
    void everySlotAndBitOfAGroup();
    void switchBits_data();
    void switchBits();
    void unpackIgnoresTheToneBitAndUnusedSwitchBits_data();
    void unpackIgnoresTheToneBitAndUnusedSwitchBits();
    void clearedImage();
    void vfoGroupsIgnoreTheBitTables();
    void onlySlot40Valid();
    void gapsInAGroupComeBackUnchanged();
    void damagedSlotsAreDropped();
    void memoriesAndTheirExtraBytes();
    void memoryBitPositions();
    void memoryReadingZerosIsAbsent();
    void handBuiltImage();
    void numbersOutsideTheGroupStayOutOfOtherGroups();
    void absentRecordsLeaveTheValidBitClear();
};

void TestChannelPacking::everySlotAndBitOfAGroup_data()
{
    QTest::addColumn<int>("row");
    const auto groups = listedGroups();
    for (std::size_t i = 0; i < groups.size(); ++i)
        QTest::addRow("%s group %d", groups[i].name, groups[i].group) << int(i);
}

void TestChannelPacking::everySlotAndBitOfAGroup()
{
    QFETCH(int, row);
    const ListedGroup place = listedGroups()[std::size_t(row)];
    auto document = emptyDocument();
    RadioImage expected;
    putEmptyMemories(expected);
    // Every channel of the group, in reverse order so that list order and slot order differ.
    std::vector<ChannelRecord> records;
    for (int n = place.capacity; n >= 1; --n) {
        ChannelRecord record;
        record.Number = std::int16_t(n);
        record.Present = 1;
        record.Scan = std::int16_t(n % 2);
        char digits[9];
        std::snprintf(digits, sizeof digits, "2%d%02d%02d00", place.kind, place.group, n % 100);
        record.RxDigits.assign(digits);
        record.RxCtcss = std::int16_t(n % 38);
        record.RxDcs = std::int16_t((n * 3) % 104);
        record.TxCtcss = std::int16_t((n + 5) % 38);
        record.TxDcs = std::int16_t((n * 7) % 104);
        record.HiCut = std::int16_t(n & 1);
        record.Echo = std::int16_t((n >> 1) & 1);
        record.Plus10k = std::int16_t((n >> 2) & 1);
        record.BusyLockout = std::int16_t((n >> 3) & 1);
        record.NoiseBlanker = std::int16_t((n >> 4) & 1);
        record.Anl = std::int16_t((n >> 5) & 1);
        record.Repeater = std::int16_t(n % 3);
        record.TxToneType = std::int16_t((n / 3) % 3);
        record.RxToneType = std::int16_t((n / 9) % 3);
        record.Public = std::int16_t((n / 2) % 2);
        record.RogerBeep = std::uint16_t(n % 2 ? 127 + n % 9 : 0);
        record.Mode = std::int16_t(n % 6);
        records.push_back(record);

        const std::uint32_t slot = place.base + 16u * std::uint32_t(n - 1);
        const bool anyTone = record.TxToneType > 0 || record.RxToneType > 0;
        putSlot(expected, slot, digits,
                {std::uint8_t(record.RxCtcss), std::uint8_t(record.RxDcs),
                 std::uint8_t(record.TxCtcss), std::uint8_t(record.TxDcs), std::uint8_t(n & 0x3F),
                 std::uint8_t(record.Repeater | record.TxToneType << 2 | record.RxToneType << 4 |
                              (anyTone ? 0x40 : 0) | record.Public << 7),
                 std::uint8_t(record.RogerBeep), std::uint8_t(record.Mode)});
        setBitByHand(expected, place.validBase, n);
        if (record.Scan)
            setBitByHand(expected, place.scanBase, n);
    }
    for (std::size_t i = 0; i < records.size(); ++i)
        document->channels.entry(place.kind, place.group, int(i) + 1) = records[i];
    document->settings.channelCounts.at(place.kind, place.group) = std::int16_t(records.size());

    RadioImage packed;
    PackChannels(*document, packed);
    QString where;
    QVERIFY2(sameRegion(expected, packed, 0, RadioImage::kLastAddress, where), qPrintable(where));

    // Back again: the channels come in slot order, each with every field the image carries.
    auto unpacked = emptyDocument();
    UnpackImageIntoDocument(packed, *unpacked);
    QCOMPARE(int(unpacked->channelCount(place.kind, place.group)), place.capacity);
    for (int index = 1; index <= place.capacity; ++index) {
        const ChannelRecord &record = unpacked->channels.entry(place.kind, place.group, index);
        QCOMPARE(int(record.Number), index);
        QVERIFY(record == records[std::size_t(place.capacity - index)]);
    }
    for (const ListedGroup &other : listedGroups()) {
        if (other.kind == place.kind && other.group == place.group)
            continue;
        // The VFO groups always hold their slot's channel, here the cleared 00000000.
        QCOMPARE(int(unpacked->channelCount(other.kind, other.group)), other.capacity == 1 ? 1 : 0);
    }
}

void TestChannelPacking::switchBits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("byte8");
    QTest::addColumn<int>("byte9");
    QTest::newRow("HiCut") << "HiCut" << 1 << 0x01 << 0x00;
    QTest::newRow("Echo") << "Echo" << 1 << 0x02 << 0x00;
    QTest::newRow("+10 kHz") << "Plus10k" << 1 << 0x04 << 0x00;
    QTest::newRow("busy lockout") << "BusyLockout" << 1 << 0x08 << 0x00;
    QTest::newRow("noise blanker") << "NoiseBlanker" << 1 << 0x10 << 0x00;
    QTest::newRow("ANL") << "Anl" << 1 << 0x20 << 0x00;
    QTest::newRow("REP+") << "Repeater" << 1 << 0x00 << 0x01;
    QTest::newRow("REP-") << "Repeater" << 2 << 0x00 << 0x02;
    QTest::newRow("TX CTCSS") << "TxToneType" << 1 << 0x00 << 0x44;
    QTest::newRow("TX DCS") << "TxToneType" << 2 << 0x00 << 0x48;
    QTest::newRow("RX CTCSS") << "RxToneType" << 1 << 0x00 << 0x50;
    QTest::newRow("RX DCS") << "RxToneType" << 2 << 0x00 << 0x60;
    QTest::newRow("public") << "Public" << 1 << 0x00 << 0x80;
}

void TestChannelPacking::switchBits()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(int, byte8);
    QFETCH(int, byte9);
    ChannelRecord record;
    record.RxDigits.assign("28500000");
    switchField(record, field) = std::int16_t(value);
    RadioImage image;
    PackChannelSlot(record, image, 0x4280);
    QCOMPARE(int(image.byteAt(0x4288)), byte8);
    QCOMPARE(int(image.byteAt(0x4289)), byte9);

    ChannelRecord unpacked;
    UnpackChannelSlotFields(image, 0x4280, unpacked);
    unpacked.RxDigits = record.RxDigits;
    QVERIFY(unpacked == record);
}

void TestChannelPacking::unpackIgnoresTheToneBitAndUnusedSwitchBits_data()
{
    QTest::addColumn<int>("byte8");
    QTest::addColumn<int>("byte9");
    QTest::addColumn<int>("noiseBlanker");
    QTest::addColumn<int>("anl");
    QTest::addColumn<int>("hiCut");
    QTest::addColumn<int>("toneTypes");
    QTest::newRow("byte 8 = 0x30") << 0x30 << 0x00 << 1 << 1 << 0 << 0;
    QTest::newRow("bits 6 and 7 of byte 8") << 0xC0 << 0x00 << 0 << 0 << 0 << 0;
    QTest::newRow("tone bit alone") << 0x00 << 0x40 << 0 << 0 << 0 << 0;
    QTest::newRow("tone types without the tone bit") << 0x01 << 0x14 << 0 << 0 << 1 << 0x11;
}

void TestChannelPacking::unpackIgnoresTheToneBitAndUnusedSwitchBits()
{
    QFETCH(int, byte8);
    QFETCH(int, byte9);
    QFETCH(int, noiseBlanker);
    QFETCH(int, anl);
    QFETCH(int, hiCut);
    QFETCH(int, toneTypes);
    RadioImage image;
    image.write(0x8, std::uint8_t(byte8));
    image.write(0x9, std::uint8_t(byte9));
    ChannelRecord record;
    UnpackChannelSlotFields(image, 0, record);
    QCOMPARE(int(record.NoiseBlanker), noiseBlanker);
    QCOMPARE(int(record.Anl), anl);
    QCOMPARE(int(record.HiCut), hiCut);
    QCOMPARE(int(record.Echo + record.Plus10k + record.BusyLockout), 0);
    QCOMPARE(record.TxToneType | record.RxToneType << 4, toneTypes);
    QCOMPARE(int(record.Repeater + record.Public), 0);
}

void TestChannelPacking::clearedImage()
{
    RadioImage image;
    auto document = emptyDocument();
    document->memories.count = 7; // left from an earlier document
    UnpackImageIntoDocument(image, *document);
    for (const ListedGroup &place : listedGroups()) {
        const bool vfo = place.capacity == 1;
        QCOMPARE(int(document->channelCount(place.kind, place.group)), vfo ? 1 : 0);
        if (vfo)
            QCOMPARE(document->channels.entry(place.kind, place.group, 1).RxDigits.raw(),
                     std::string("00000000"));
    }
    QCOMPARE(document->memories.count, 0);
    for (const ChannelRecord &memory : document->memories.records)
        QCOMPARE(int(memory.Present), 0);
}

void TestChannelPacking::vfoGroupsIgnoreTheBitTables()
{
    RadioImage image;
    putBcd(image, 0x12640, "29600000");
    for (std::uint32_t address = 0x16000; address < 0x16460; ++address)
        image.write(address, 0);
    std::array<std::uint8_t, 4> erased{0xFF, 0xFF, 0xFF, 0xFF};
    image.writeBlock(0x14640, erased);
    setBitByHand(image, 0x16100 + 5 * 13, 1); // the HAM VFO bit does not bring back an erased slot
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(int(document->channelCount(1, 17)), 1);
    QCOMPARE(document->channels.entry(1, 17, 1).RxDigits.raw(), std::string("29600000"));
    QCOMPARE(int(document->channels.entry(1, 17, 1).Number), 1);
    QCOMPARE(int(document->channelCount(2, 14)), 0);
}

void TestChannelPacking::onlySlot40Valid()
{
    RadioImage image;
    putBcd(image, 0x4000 + 16 * 39, "28400000");
    image.write(0x16084, 0x80);
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(int(document->channelCount(1, 1)), 1);
    QCOMPARE(int(document->channels.entry(1, 1, 1).Number), 40);
    QCOMPARE(int(document->channels.entry(1, 1, 1).Present), 1);
    QCOMPARE(int(document->channels.entry(1, 1, 1).Scan), 0);
}

void TestChannelPacking::gapsInAGroupComeBackUnchanged()
{
    RadioImage image;
    putEmptyMemories(image);
    for (int n : {1, 2, 5, 6}) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "2810%02d00", n);
        putSlot(image, 0xA280 + 16u * (n - 1), digits, {1, 2, 3, 4, 0x10, 0x00, 0, 0});
        setBitByHand(image, 0x16105, n);
        if (n != 2)
            setBitByHand(image, 0x16305, n);
    }
    // The cleared VFO slots come back as VFO channels: keep their bits as the packer writes them.
    setBitByHand(image, 0x16080 + 80, 1);
    setBitByHand(image, 0x16100 + 65, 1);
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(int(document->channelCount(2, 2)), 4);
    const std::array<int, 4> numbers{1, 2, 5, 6};
    for (int index = 1; index <= 4; ++index) {
        const ChannelRecord &record = document->channels.entry(2, 2, index);
        QCOMPARE(int(record.Number), numbers[std::size_t(index - 1)]);
        QCOMPARE(int(record.Scan), record.Number == 2 ? 0 : 1);
    }
    RadioImage packed;
    PackDocumentIntoImage(*document, packed);
    QString where;
    QVERIFY2(sameRegion(image, packed, 0x00000, 0x1066F, where), qPrintable(where));
    QVERIFY2(sameRegion(image, packed, 0x12000, 0x1464F, where), qPrintable(where));
    QVERIFY2(sameRegion(image, packed, 0x16000, 0x16455, where), qPrintable(where));
}

void TestChannelPacking::damagedSlotsAreDropped()
{
    RadioImage image;
    putBcd(image, 0x4500, "28100000");
    image.writeBlock(0x4510, std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF});
    image.writeBlock(0x4520, std::array<std::uint8_t, 4>{0x28, 0x1A, 0x00, 0x00});
    putBcd(image, 0x4530, "28130000");
    image.write(0x1608A, 0x0F); // HF group 3, channels 1-4 valid
    auto document = emptyDocument();
    document->channels.entry(1, 3, 3).Number = 77; // stale entry from an earlier document
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(int(document->channelCount(1, 3)), 2);
    QCOMPARE(int(document->channels.entry(1, 3, 1).Number), 1);
    QCOMPARE(int(document->channels.entry(1, 3, 2).Number), 4);
    // Nothing of the dropped slots is left behind the list's end.
    QCOMPARE(int(document->channels.entry(1, 3, 3).Number), 0);
    QCOMPARE(int(document->channels.entry(1, 3, 3).Present), 0);
}

void TestChannelPacking::memoriesAndTheirExtraBytes()
{
    auto document = emptyDocument();
    for (int n = 1; n <= 96; ++n) {
        ChannelRecord &memory = document->memories.at(n);
        memory.Number = std::int16_t(n);
        memory.Present = 1;
        memory.Scan = std::int16_t(n % 3 == 0);
        memory.RxDigits.assign("27" + std::to_string(100000 + n * 10));
        memory.MemChannelId = std::int16_t(n % 2 ? 255 : 5);
        memory.MemBand = std::uint16_t(n % 2);
        memory.Mode = std::int16_t(n % 6);
    }
    document->memories.count = 96;
    RadioImage image;
    PackChannels(*document, image);
    for (int n = 1; n <= 96; ++n) {
        const std::uint32_t slot = 0x10000 + 16u * std::uint32_t(n - 1);
        QCOMPARE(int(image.byteAt(slot)), 0x27);
        QCOMPARE(int(image.byteAt(slot + 11)), n % 6);
        QCOMPARE(int(image.byteAt(memoryIdAddress(n))), n % 2 ? 255 : 4);
        const std::uint32_t validByte = 0x16400 + std::uint32_t(n - 1) / 8;
        const std::uint8_t mask = std::uint8_t(1u << ((n - 1) % 8));
        QVERIFY(image.byteAt(validByte) & mask);
        QCOMPARE(bool(image.byteAt(validByte + 0x30) & mask), n % 3 == 0);
    }
    for (int n = 65; n <= 80; ++n)
        QCOMPARE(int(image.byteAt(0x10650 + std::uint32_t(n - 65))), n % 2);

    auto unpacked = emptyDocument();
    UnpackImageIntoDocument(image, *unpacked);
    QCOMPARE(unpacked->memories.count, 96);
    for (int n = 1; n <= 96; ++n) {
        ChannelRecord expected = document->memories.at(n);
        // Only memories 65..80 have a band byte.
        if (n < 65 || n > 80)
            expected.MemBand = 0;
        QVERIFY2(unpacked->memories.at(n) == expected, qPrintable(QString::number(n)));
    }
}

void TestChannelPacking::memoryBitPositions()
{
    for (int n = 1; n <= 96; ++n) {
        auto document = emptyDocument();
        document->memories.at(n).Present = 1;
        document->memories.at(n).RxDigits.assign("28000000");
        RadioImage image;
        PackChannels(*document, image);
        for (std::uint32_t address = 0x16400; address < 0x1640C; ++address) {
            const std::uint8_t expected = address == 0x16400 + std::uint32_t(n - 1) / 8
                                              ? std::uint8_t(1u << ((n - 1) % 8))
                                              : 0;
            QCOMPARE(image.byteAt(address), expected);
        }
    }
    RadioImage image;
    image.write(0x16401, 0x01);
    putBcd(image, 0x10080, "28000000");
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(document->memories.count, 1);
    QCOMPARE(int(document->memories.at(9).Present), 1);
    QCOMPARE(int(document->memories.at(9).Number), 9);
}

void TestChannelPacking::memoryReadingZerosIsAbsent()
{
    RadioImage image;
    image.write(0x16400, 0x03);
    putBcd(image, 0x10010, "28000000");
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);
    QCOMPARE(document->memories.count, 1);
    QCOMPARE(int(document->memories.at(1).Present), 0);
    QCOMPARE(int(document->memories.at(2).Present), 1);
    // Extra bytes of 0 recall channel 1, for present and absent memories alike.
    QCOMPARE(int(document->memories.at(1).MemChannelId), 1);
}

// Channels of every kind, the MEM and VFO groups and memory channels, set byte by byte.
static RadioImage handBuiltChannelImage()
{
    RadioImage image;
    putEmptyMemories(image);
    // CB group 4 (its area starts at 0x0A00): channels 1 and 40.
    putSlot(image, 0x0A00, "27405000", {0x05, 0x00, 0x11, 0x00, 0x01, 0x54, 0x80, 0x01});
    putSlot(image, 0x0A00 + 16 * 39, "27855000", {0x00, 0x67, 0x00, 0x03, 0x30, 0x6A, 0x00, 0x00});
    image.write(0x1600F, 0x01);
    image.write(0x16013, 0x80);
    image.write(0x1620F, 0x01);
    // HF group 15: channel 3. HF MEM: channel 99. HF VFO.
    putSlot(image, 0x8A20, "24890000", {0x25, 0x00, 0x00, 0x00, 0x3F, 0x81, 0x87, 0x05});
    image.write(0x160C6, 0x04);
    putSlot(image, 0x12620, "30105000", {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x02});
    image.write(0x1641C, 0x04);
    image.write(0x1644C, 0x04);
    putSlot(image, 0x12640, "29600000", {0x00, 0x00, 0x00, 0x00, 0x10, 0x02, 0x00, 0x00});
    image.write(0x160D0, 0x01);
    // HAM group 12: channel 20. HAM MEM: channel 41. HAM VFO.
    putSlot(image, 0xE780 + 16 * 19, "28495000", {0x00, 0x00, 0x25, 0x00, 0x10, 0x44, 0x00, 0x03});
    image.write(0x16139, 0x08);
    putSlot(image, 0x14000 + 16 * 40, "29000000", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    image.write(0x16425, 0x01);
    putSlot(image, 0x14640, "28000000", {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00});
    image.write(0x16141, 0x01);
    image.write(0x16341, 0x01);
    // Memory 1 recalls CB channel 5; memory 70 is a UK-band memory; memory 96 is absent but its
    // extra byte still says channel 17.
    putSlot(image, 0x10000, "26965000", {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x01});
    putSlot(image, 0x10000 + 16 * 69, "27601250", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    image.write(0x16400, 0x01);
    image.write(0x16408, 0x20);
    image.write(0x16430, 0x01);
    image.write(0x10600, 4);
    image.write(0x10600 + 69, 0xFF);
    image.write(0x10650 + 5, 1);
    image.write(0x1066F, 16);
    return image;
}

void TestChannelPacking::handBuiltImage()
{
    const RadioImage image = handBuiltChannelImage();
    auto document = emptyDocument();
    UnpackImageIntoDocument(image, *document);

    QCOMPARE(int(document->channelCount(0, 4)), 2);
    ChannelRecord cb1;
    cb1.Number = 1;
    cb1.Present = 1;
    cb1.Scan = 1;
    cb1.RxDigits.assign("27405000");
    cb1.RxCtcss = 5;
    cb1.TxCtcss = 17;
    cb1.HiCut = 1;
    cb1.TxToneType = 1;
    cb1.RxToneType = 1;
    cb1.RogerBeep = 128;
    cb1.Mode = 1;
    QVERIFY(document->channels.entry(0, 4, 1) == cb1);
    ChannelRecord cb40;
    cb40.Number = 40;
    cb40.Present = 1;
    cb40.RxDigits.assign("27855000");
    cb40.RxDcs = 0x67;
    cb40.TxDcs = 3;
    cb40.NoiseBlanker = 1;
    cb40.Anl = 1;
    cb40.Repeater = 2;
    cb40.TxToneType = 2;
    cb40.RxToneType = 2;
    QVERIFY(document->channels.entry(0, 4, 2) == cb40);

    QCOMPARE(int(document->channelCount(1, 15)), 1);
    const ChannelRecord &hf = document->channels.entry(1, 15, 1);
    QCOMPARE(int(hf.Number), 3);
    QCOMPARE(int(hf.Scan), 0);
    QCOMPARE(int(hf.HiCut + hf.Echo + hf.Plus10k + hf.BusyLockout + hf.NoiseBlanker + hf.Anl), 6);
    QCOMPARE(int(hf.Public), 1);
    QCOMPARE(int(hf.Repeater), 1);
    QCOMPARE(int(hf.RogerBeep), 135);
    QCOMPARE(int(hf.Mode), 5);
    QCOMPARE(int(document->channelCount(1, 16)), 1);
    QCOMPARE(int(document->channels.entry(1, 16, 1).Number), 99);
    QCOMPARE(int(document->channels.entry(1, 16, 1).Scan), 1);
    QCOMPARE(int(document->channelCount(1, 17)), 1);
    QCOMPARE(int(document->channels.entry(1, 17, 1).Repeater), 2);
    QCOMPARE(int(document->channelCount(2, 12)), 1);
    QCOMPARE(int(document->channels.entry(2, 12, 1).Number), 20);
    QCOMPARE(int(document->channels.entry(2, 12, 1).TxCtcss), 0x25);
    QCOMPARE(int(document->channelCount(2, 13)), 1);
    QCOMPARE(int(document->channels.entry(2, 13, 1).Number), 41);
    QCOMPARE(int(document->channelCount(2, 14)), 1);
    QCOMPARE(int(document->channels.entry(2, 14, 1).Scan), 1);

    QCOMPARE(document->memories.count, 2);
    QCOMPARE(int(document->memories.at(1).Present), 1);
    QCOMPARE(int(document->memories.at(1).Scan), 1);
    QCOMPARE(int(document->memories.at(1).MemChannelId), 5);
    QCOMPARE(int(document->memories.at(70).Present), 1);
    QCOMPARE(document->memories.at(70).RxDigits.raw(), std::string("27601250"));
    QCOMPARE(int(document->memories.at(70).MemChannelId), 255);
    QCOMPARE(int(document->memories.at(70).MemBand), 1);
    QCOMPARE(int(document->memories.at(96).Present), 0);
    QCOMPARE(int(document->memories.at(96).MemChannelId), 17);

    RadioImage packed;
    PackDocumentIntoImage(*document, packed);
    QString where;
    QVERIFY2(sameRegion(image, packed, 0x00000, 0x1066F, where), qPrintable(where));
    QVERIFY2(sameRegion(image, packed, 0x12000, 0x1464F, where), qPrintable(where));
    QVERIFY2(sameRegion(image, packed, 0x16000, 0x16455, where), qPrintable(where));
}

void TestChannelPacking::numbersOutsideTheGroupStayOutOfOtherGroups()
{
    auto document = emptyDocument();
    auto add = [&](int kind, int group, int number) {
        std::int16_t &count = document->settings.channelCounts.at(kind, group);
        ChannelRecord &record = document->channels.entry(kind, group, ++count);
        record.Number = std::int16_t(number);
        record.Present = 1;
        record.Scan = 1;
        record.RxDigits.assign("28500000");
    };
    add(1, 1, 41); // would be slot 1 of HF group 2
    add(1, 1, 0);
    add(1, 1, -3);
    add(0, 1, 99);
    add(0, 3, 60); // inside the 80-slot area of CB group 3
    RadioImage image;
    PackChannels(*document, image);
    QCOMPARE(int(image.byteAt(0x4280)), 0);
    QCOMPARE(int(image.byteAt(0x3FF0)), 0);
    QCOMPARE(int(image.byteAt(0x0500 + 16 * 59)), 0x28);
    for (std::uint32_t address = 0x16000; address < 0x16400; ++address)
        QCOMPARE(int(image.byteAt(address)), 0);
}

void TestChannelPacking::absentRecordsLeaveTheValidBitClear()
{
    auto document = emptyDocument();
    document->settings.channelCounts.at(2, 1) = 1;
    ChannelRecord &record = document->channels.entry(2, 1, 1);
    record.Number = 7;
    record.Present = 0;
    record.Scan = 1;
    record.RxDigits.assign("28500000");
    RadioImage image;
    PackChannels(*document, image);
    QCOMPARE(int(image.byteAt(0xA060)), 0x28);
    QCOMPARE(int(image.byteAt(0x16100)), 0);
    QCOMPARE(int(image.byteAt(0x16300)), 0x40);
}

QTEST_APPLESS_MAIN(TestChannelPacking)
#include "tst_channelpacking.moc"
