#include <QTest>

#include <array>

#include "model/ByteIO.h"
#include "model/ChannelLayout.h"
#include "model/RadioImage.h"

class TestRadioImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizeAndClear();
    void boundChecks_data();
    void boundChecks();
    void bitTablePositions_data();
    void bitTablePositions();
    void groupCapacities_data();
    void groupCapacities();
    void kindGroupOrder();
    void packedFormRoundTrip();
    void shortInputMarksReaderFailed();
};

void TestRadioImage::sizeAndClear()
{
    RadioImage image;
    QCOMPARE(image.bytes().size(), std::size_t{0x22201});
    QVERIFY(image.write(0x22200, 0xAB));
    QVERIFY(image.write(0, 0xCD));
    image.clear();
    for (std::uint8_t byte : image.bytes())
        QCOMPARE(byte, std::uint8_t{0});
}

void TestRadioImage::boundChecks_data()
{
    QTest::addColumn<quint32>("address");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("inside");
    QTest::newRow("first byte") << 0u << 1 << true;
    QTest::newRow("last byte") << 0x22200u << 1 << true;
    QTest::newRow("one past the end") << 0x22201u << 1 << false;
    QTest::newRow("block ending on the last byte") << 0x221F1u << 16 << true;
    QTest::newRow("block crossing the end") << 0x221F2u << 16 << false;
    QTest::newRow("far outside") << 0xFFFFFFF0u << 16 << false;
    QTest::newRow("wrapping length") << 0x10u << -1 << false;
}

void TestRadioImage::boundChecks()
{
    QFETCH(quint32, address);
    QFETCH(int, length);
    QFETCH(bool, inside);
    const std::size_t size = length < 0 ? std::size_t(-1) : std::size_t(length);
    QCOMPARE(RadioImage::contains(address, size), inside);

    RadioImage image;
    if (length == 1) {
        QCOMPARE(image.write(address, 0x5A), inside);
        QCOMPARE(image.read(address).has_value(), inside);
    }
    if (length == 16) {
        std::array<std::uint8_t, 16> block;
        block.fill(0x77);
        QCOMPARE(image.writeBlock(address, block), inside);
        QCOMPARE(image.readBlock(address, block), inside);
    }
    // Nothing outside the image can change what is inside.
    if (!inside) {
        for (std::uint8_t byte : image.bytes())
            QCOMPARE(byte, std::uint8_t{0});
    }
}

void TestRadioImage::bitTablePositions_data()
{
    QTest::addColumn<quint32>("base");
    QTest::addColumn<int>("channel");
    QTest::addColumn<quint32>("address");
    QTest::addColumn<int>("mask");
    QTest::newRow("memory 1") << 0x16400u << 1 << 0x16400u << 0x01;
    QTest::newRow("memory 8") << 0x16400u << 8 << 0x16400u << 0x80;
    QTest::newRow("memory 9") << 0x16400u << 9 << 0x16401u << 0x01;
    QTest::newRow("memory 96") << 0x16400u << 96 << 0x1640Bu << 0x80;
    QTest::newRow("channel 40 of a 40 group") << 0x16000u << 40 << 0x16004u << 0x80;
    QTest::newRow("channel 99 of a MEM group") << 0x16410u << 99 << 0x1641Cu << 0x04;
}

void TestRadioImage::bitTablePositions()
{
    QFETCH(quint32, base);
    QFETCH(int, channel);
    QFETCH(quint32, address);
    QFETCH(int, mask);
    const BitPosition position = bitTablePosition(base, channel);
    QCOMPARE(position.address, address);
    QCOMPARE(int(position.mask), mask);

    RadioImage image;
    QVERIFY(!image.testBit(base, channel));
    QVERIFY(image.setBit(base, channel));
    QCOMPARE(int(image.byteAt(address)), mask);
    QVERIFY(image.testBit(base, channel));
    QVERIFY(!image.testBit(base, channel + 1));
    QVERIFY(image.setBit(base, channel, false));
    QCOMPARE(int(image.byteAt(address)), 0);
}

void TestRadioImage::groupCapacities_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("capacity");
    QTest::newRow("CB 1") << 0 << 1 << 40;
    QTest::newRow("CB 7") << 0 << 7 << 40;
    QTest::newRow("CB 8 does not exist") << 0 << 8 << 0;
    QTest::newRow("HF 15") << 1 << 15 << 40;
    QTest::newRow("HF MEM") << 1 << 16 << 99;
    QTest::newRow("HF VFO") << 1 << 17 << 1;
    QTest::newRow("HAM 12") << 2 << 12 << 40;
    QTest::newRow("HAM MEM") << 2 << 13 << 99;
    QTest::newRow("HAM VFO") << 2 << 14 << 1;
    QTest::newRow("HAM 15 does not exist") << 2 << 15 << 0;
    QTest::newRow("group 0") << 1 << 0 << 0;
    QTest::newRow("kind 3") << 3 << 1 << 0;
}

void TestRadioImage::groupCapacities()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(int, capacity);
    QCOMPARE(groupCapacity(kind, group), capacity);
}

void TestRadioImage::kindGroupOrder()
{
    // Element (k, g) is number (g-1)*3 + k: the kind varies fastest.
    QCOMPARE(KindGroupArray<int>::indexOf(0, 1), std::size_t{0});
    QCOMPARE(KindGroupArray<int>::indexOf(2, 1), std::size_t{2});
    QCOMPARE(KindGroupArray<int>::indexOf(0, 2), std::size_t{3});
    QCOMPARE(KindGroupArray<int>::indexOf(2, 17), std::size_t{50});
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, KindGroupArray<int>::indexOf(0, 18));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, KindGroupArray<int>::indexOf(3, 1));
}

void TestRadioImage::packedFormRoundTrip()
{
    ByteWriter writer;
    writer.i16(-2);
    writer.u16(0xBEEF);
    writer.i32(-123456789);
    writer.u8(0x7F);
    writer.text(FixedText<5>("V2"));
    const std::vector<std::uint8_t> expected{0xFE, 0xFF, 0xEF, 0xBE, 0xEB, 0x32, 0xA4,
                                             0xF8, 0x7F, 'V',  '2',  ' ',  ' ',  ' '};
    QCOMPARE(writer.bytes(), expected);

    ByteReader reader(writer.bytes());
    QCOMPARE(reader.i16(), std::int16_t(-2));
    QCOMPARE(reader.u16(), std::uint16_t(0xBEEF));
    QCOMPARE(reader.i32(), -123456789);
    QCOMPARE(reader.u8(), std::uint8_t(0x7F));
    FixedText<5> text;
    reader.text(text);
    QCOMPARE(text.trimmed(), std::string("V2"));
    QVERIFY(reader.ok());
    QVERIFY(reader.atEnd());
}

void TestRadioImage::shortInputMarksReaderFailed()
{
    const std::array<std::uint8_t, 3> bytes{1, 2, 3};
    ByteReader reader(bytes);
    QCOMPARE(reader.u16(), std::uint16_t(0x0201));
    QVERIFY(reader.ok());
    QCOMPARE(reader.u16(), std::uint16_t(0x0003));
    QVERIFY(!reader.ok());
}

QTEST_APPLESS_MAIN(TestRadioImage)
#include "tst_radioimage.moc"
