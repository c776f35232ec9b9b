#include <QTest>

#include <array>

#include "model/RadioImage.h"
#include "radio/GroupNames.h"

namespace {

// The name tables and group-valid bit maps as the radio's memory map lists them.
constexpr std::array<std::uint32_t, 3> kNameBase{0x22000, 0x22020, 0x22040};
constexpr std::array<std::uint32_t, 3> kValidBase{0x16460, 0x16462, 0x16464};
constexpr std::array<int, 3> kNamedGroups{7, 15, 12};

QByteArray twoBytes(const RadioImage &image, std::uint32_t address)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(image.byteAt(address)));
    bytes.append(static_cast<char>(image.byteAt(address + 1)));
    return bytes;
}

} // namespace

class TestGroupNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodeName_data();
    void encodeName();
    void decodeName_data();
    void decodeName();
    void everyNameAddress_data();
    void everyNameAddress();
    void everyValidBit_data();
    void everyValidBit();
    void encodeClearsTheValidBytesFirst();
    void unusedGroupsStayOutOfTheImage();
    void lookup_data();
    void lookup();
    void frequencyTexts();
};

void TestGroupNames::encodeName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("A1") << QByteArray("A1") << QByteArray("A1");
    QTest::newRow("blank and 7") << QByteArray(" 7") << QByteArray("\x20\x37");
    QTest::newRow("one character") << QByteArray("7") << QByteArray("7\0", 2);
    QTest::newRow("one character and a blank") << QByteArray("7 ") << QByteArray("7\0", 2);
    QTest::newRow("two blanks") << QByteArray("  ") << QByteArray(2, '\0');
    QTest::newRow("empty") << QByteArray("") << QByteArray(2, '\0');
    QTest::newRow("cut at NUL") << QByteArray("\0A", 2) << QByteArray(2, '\0');
}

void TestGroupNames::encodeName()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, bytes);
    GroupNameTable table;
    table.names.at(1, 3).bytes = {name.size() > 0 ? name[0] : ' ', name.size() > 1 ? name[1] : ' '};
    RadioImage image;
    image.write(0x22024, 0x55);
    image.write(0x22025, 0x55);
    EncodeGroupNames(table, image);
    QCOMPARE(twoBytes(image, 0x22024), bytes);
}

void TestGroupNames::decodeName_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("A1") << QByteArray("A1") << QByteArray("A1");
    QTest::newRow("blank and 7") << QByteArray("\x20\x37") << QByteArray(" 7");
    QTest::newRow("00 00") << QByteArray(2, '\0') << QByteArray("");
    QTest::newRow("FF FF") << QByteArray("\xFF\xFF") << QByteArray("");
    QTest::newRow("FF then A") << QByteArray("\xFF"
                                             "A")
                               << QByteArray("A");
    QTest::newRow("A then FF") << QByteArray("A\xFF") << QByteArray("A");
    QTest::newRow("00 then 7") << QByteArray("\0"
                                             "7",
                                             2)
                               << QByteArray("7");
}

void TestGroupNames::decodeName()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, name);
    RadioImage image;
    image.write(0x22048, std::uint8_t(bytes[0]));
    image.write(0x22049, std::uint8_t(bytes[1]));
    GroupNameTable table;
    table.names.at(2, 5).assign("ZZ");
    DecodeGroupNames(image, table);
    QCOMPARE(QByteArray::fromStdString(table.names.at(2, 5).trimmed()), name);
    // The stored field is blank-padded to 2 characters.
    QCOMPARE(table.names.at(2, 5).raw().size(), std::size_t{2});
}

void TestGroupNames::everyNameAddress_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    for (int kind = 0; kind < 3; ++kind)
        for (int group = 1; group <= kNamedGroups[std::size_t(kind)]; ++group)
            QTest::addRow("kind %d group %d", kind, group) << kind << group;
}

void TestGroupNames::everyNameAddress()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    const std::uint32_t address = kNameBase[std::size_t(kind)] + 2u * std::uint32_t(group - 1);
    QCOMPARE(groupNameAddress(kind, group), address);
    GroupNameTable table;
    table.names.at(kind, group).assign("Q9");
    RadioImage image;
    EncodeGroupNames(table, image);
    QCOMPARE(twoBytes(image, address), QByteArray("Q9"));
    // No other name byte is touched: every other group packs as an empty name.
    for (std::uint32_t other = 0x22000; other < 0x22060; ++other)
        if (other != address && other != address + 1)
            QCOMPARE(int(image.byteAt(other)), 0);
    GroupNameTable decoded;
    DecodeGroupNames(image, decoded);
    QCOMPARE(decoded.names.at(kind, group).trimmed(), std::string("Q9"));
}

void TestGroupNames::everyValidBit_data()
{
    everyNameAddress_data();
}

void TestGroupNames::everyValidBit()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    GroupNameTable table;
    table.valid.at(kind, group) = 1;
    RadioImage image;
    EncodeGroupNames(table, image);
    const std::uint32_t byte = kValidBase[std::size_t(kind)] + std::uint32_t(group - 1) / 8;
    const std::uint8_t mask = std::uint8_t(1u << ((group - 1) % 8));
    for (std::uint32_t address = 0x16460; address <= 0x16465; ++address)
        QCOMPARE(int(image.byteAt(address)), address == byte ? int(mask) : 0);

    GroupNameTable decoded;
    decoded.valid.at(kind, group == 1 ? 2 : 1) = 1; // cleared by the decoder
    DecodeGroupNames(image, decoded);
    for (int other = 1; other <= kNamedGroups[std::size_t(kind)]; ++other)
        QCOMPARE(int(decoded.valid.at(kind, other)), other == group ? 1 : 0);
}

void TestGroupNames::encodeClearsTheValidBytesFirst()
{
    RadioImage image;
    for (std::uint32_t address = 0x16460; address <= 0x16465; ++address)
        image.write(address, 0xFF);
    GroupNameTable table;
    table.valid.at(0, 7) = 1;
    table.valid.at(1, 15) = 1;
    table.valid.at(2, 9) = 1;
    EncodeGroupNames(table, image);
    QCOMPARE(int(image.byteAt(0x16460)), 0x40);
    QCOMPARE(int(image.byteAt(0x16461)), 0x00);
    QCOMPARE(int(image.byteAt(0x16462)), 0x00);
    QCOMPARE(int(image.byteAt(0x16463)), 0x40);
    QCOMPARE(int(image.byteAt(0x16464)), 0x00);
    QCOMPARE(int(image.byteAt(0x16465)), 0x01);
}

void TestGroupNames::unusedGroupsStayOutOfTheImage()
{
    GroupNameTable table;
    table.names.at(0, 8).assign("XX");
    table.valid.at(0, 8) = 1;
    table.names.at(1, 16).assign("XX");
    table.valid.at(1, 16) = 1;
    table.valid.at(2, 13) = 1;
    RadioImage image;
    EncodeGroupNames(table, image);
    for (std::uint32_t address = 0; address <= RadioImage::kLastAddress; ++address)
        QCOMPARE(int(image.byteAt(address)), 0);
    QCOMPARE(groupNameAddress(0, 8), 0u);
    QCOMPARE(groupNameAddress(3, 1), 0u);
}

void TestGroupNames::lookup_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("group");
    QTest::newRow("name") << 1 << QByteArray("A1") << 1;
    QTest::newRow("duplicate name gives the higher group") << 1 << QByteArray("DX") << 12;
    QTest::newRow("blank first") << 1 << QByteArray(" 7") << 3;
    QTest::newRow("trailing blanks") << 1 << QByteArray("A1  ") << 1;
    QTest::newRow("cut at NUL") << 1 << QByteArray("A1\0zz", 5) << 1;
    QTest::newRow("7 alone is not blank and 7") << 1 << QByteArray("7") << 0;
    QTest::newRow("empty name") << 1 << QByteArray("") << 15;
    QTest::newRow("HF MEM") << 1 << QByteArray("MEM") << 16;
    QTest::newRow("HF VFO") << 1 << QByteArray("VFO") << 17;
    QTest::newRow("HAM MEM") << 2 << QByteArray("MEM") << 13;
    QTest::newRow("HAM VFO") << 2 << QByteArray("VFO") << 14;
    QTest::newRow("CB has no MEM") << 0 << QByteArray("MEM") << 0;
    QTest::newRow("lower case") << 1 << QByteArray("mem") << 0;
    QTest::newRow("no match") << 1 << QByteArray("ZZ") << 0;
    QTest::newRow("name of an unused group") << 1 << QByteArray("UU") << 0;
    QTest::newRow("CB name") << 0 << QByteArray("C7") << 7;
    QTest::newRow("no such kind") << 3 << QByteArray("A1") << 0;
}

void TestGroupNames::lookup()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, text);
    QFETCH(int, group);
    GroupNameTable table;
    for (int k = 0; k < 3; ++k)
        for (int g = 1; g <= 17; ++g)
            table.names.at(k, g).assign("--");
    table.names.at(1, 1).assign("A1");
    table.names.at(1, 3).assign(" 7");
    table.names.at(1, 4).assign("DX");
    table.names.at(1, 12).assign("DX");
    table.names.at(1, 15).assign("");
    table.names.at(1, 16).assign("UU");
    table.names.at(0, 7).assign("C7");
    const std::string wanted(text.constData(), std::size_t(text.size()));
    QCOMPARE(GroupFromText(table, kind, wanted), group);
}

void TestGroupNames::frequencyTexts()
{
    QCOMPARE(groupFrequencyText(1, 1), std::string_view("28.000 - 28.195 MHz"));
    QCOMPARE(groupFrequencyText(1, 10), std::string_view("24.890 - 24.990 MHz"));
    QVERIFY(groupFrequencyText(1, 11).empty());
    QCOMPARE(groupFrequencyText(2, 1), std::string_view("26.965 - 27.405 MHz"));
    QCOMPARE(groupFrequencyText(2, 12), std::string_view("29.665 - 30.105 MHz"));
    QVERIFY(groupFrequencyText(2, 13).empty());
    QVERIFY(groupFrequencyText(0, 1).empty());
    QVERIFY(groupFrequencyText(1, 0).empty());
}

QTEST_APPLESS_MAIN(TestGroupNames)
#include "tst_groupnames.moc"
