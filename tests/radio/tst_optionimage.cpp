#include <QTest>

#include "model/RadioImage.h"
#include "options/OptionTable.h"
#include "radio/OptionRecord.h"
#include "radio/SettingsRecord.h"

// The option blocks of the radio image and the record fields they decode into.
class TestOptionImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byteLandsInItsField_data();
    void byteLandsInItsField();
    void cwFrequencyAbove255IsKeptWhole();
    void oneBasedTables_data();
    void oneBasedTables();
    void publicSetFlagByte_data();
    void publicSetFlagByte();
    void bytesNoRowReadsAreLeftAlone();
    void deviceName_data();
    void deviceName();
    void variantByteIsKeptBesideTheRecord();
};

namespace {

void putBytes(RadioImage &image, std::uint32_t address, const QByteArray &bytes)
{
    for (int k = 0; k < bytes.size(); ++k)
        image.write(address + static_cast<std::uint32_t>(k), static_cast<std::uint8_t>(bytes[k]));
}

QByteArray takeBytes(const RadioImage &image, std::uint32_t address, int count)
{
    QByteArray bytes;
    for (int k = 0; k < count; ++k)
        bytes.append(static_cast<char>(image.byteAt(address + static_cast<std::uint32_t>(k))));
    return bytes;
}

QByteArray b(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

} // namespace

void TestOptionImage::byteLandsInItsField_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("packed");

    const int combo = int(OptionControl::Combo1);
    const int check = int(OptionControl::Check1);
    const int text2 = int(OptionControl::Text2);
    const int text4 = int(OptionControl::Text4);
    const int pub = int(OptionControl::PublicBox);
    auto row = [](const char *name, int address, const QByteArray &bytes, int control, int index,
                  int set, int value) {
        QTest::newRow(name) << address << bytes << control << index << set << value << bytes;
    };
    row("Hf Use Vfo", 0x18004, b({1}), combo, 64, -1, 1);
    row("Ham Use Vfo", 0x18006, b({1}), combo, 65, -1, 1);
    row("battery maximum", 0x22100, b({0xA8, 0x00}), text2, 2, -1, 168);
    row("battery minimum", 0x22102, b({0x61, 0x00}), text2, 1, -1, 97);
    row("CW Freq", 0x22104, b({0x2C, 0x01}), combo, 47, -1, 300);
    row("CW BEEP", 0x22106, b({63}), combo, 48, -1, 63);
    row("maximum SWR", 0x22107, b({160}), text2, 0, -1, 160);
    row("NRC Able", 0x22108, b({1}), combo, 18, -1, 1);
    row("key beep", 0x22109, b({0x83}), combo, 71, -1, 0x83);
    row("INDIC", 0x2210A, b({3}), combo, 2, -1, 3);
    row("MIC", 0x2210B, b({44}), combo, 3, -1, 44);
    row("NOG.SET.", 0x2210C, b({32}), combo, 8, -1, 32);
    row("TOT", 0x2210D, b({60}), combo, 9, -1, 60);
    row("SWR Protect", 0x2210E, b({1}), check, 3, -1, 1);
    row("TDC.SET", 0x2210F, b({2}), check, 4, -1, 2);
    row("SCN.TYPE", 0x22110, b({1}), combo, 10, -1, 1);
    row("Menu Colour", 0x22111, b({6}), combo, 61, -1, 6);
    row("TX.REP", 0x22113, b({0x50, 0xC3}), text4, 12, -1, 50000);
    row("MicType", 0x22116, b({1}), combo, 29, -1, 1);
    row("VOX ON/OFF", 0x22117, b({1}), combo, 69, -1, 1);
    row("VOX Level", 0x22118, b({8}), combo, 27, -1, 8);
    row("VOX Delay", 0x22119, b({7}), combo, 28, -1, 7);
    row("Rx NR", 0x2211A, b({4}), combo, 25, -1, 4);
    row("Tx NR", 0x2211B, b({3}), combo, 26, -1, 3);
    row("CLA.SET", 0x2211C, b({3}), combo, 11, -1, 3);
    row("CLA.FRQ", 0x2211D, b({1}), combo, 35, -1, 1);
    row("Echo VOL", 0x2211E, b({31}), combo, 32, -1, 31);
    row("Echo Time", 0x2211F, b({30}), combo, 33, -1, 30);
    row("VFO Step", 0x22120, b({6}), combo, 36, -1, 6);
    row("FM Deviation", 0x22121, b({1}), combo, 40, -1, 1);
    row("SSB Tone", 0x22122, b({1}), combo, 41, -1, 1);
    row("Dim", 0x22123, b({8}), combo, 49, -1, 8);
    row("AGC", 0x22124, b({1}), combo, 52, -1, 1);
    row("CW RX Mode", 0x22125, b({1}), combo, 59, -1, 1);
    row("Cw Bkin", 0x22126, b({100}), combo, 55, -1, 100);
    row("Cw OffSet", 0x22127, b({1}), combo, 56, -1, 1);
    row("BlueTooth On", 0x22128, b({1}), combo, 0, -1, 1);
    row("Ptt Hold", 0x22129, b({1}), combo, 12, -1, 1);
    row("Mic Gain", 0x2212A, b({4}), combo, 13, -1, 4);
    row("Spk Gain", 0x2212B, b({2}), combo, 14, -1, 2);
    row("Hold Time", 0x2212C, b({31}), combo, 15, -1, 31);
    row("Hold Delay", 0x2212D, b({10}), combo, 16, -1, 10);
    row("BhtIntSpk", 0x2212E, b({1}), combo, 38, -1, 1);
    row("Ptt Sleep", 0x2212F, b({4}), combo, 44, -1, 4);
    row("FM Enable", 0x22141, b({0x01}), check, 5, -1, 1);
    row("CW Enable", 0x22141, b({0x20}), check, 10, -1, 1);
    row("VOX SPK", 0x22142, b({1}), combo, 51, -1, 1);
    row("Pf Key", 0x22143, b({16}), combo, 67, -1, 16);
    row("TX DrcCon", 0x22144, b({1}), combo, 70, -1, 1);
    row("CB Roger", 0x1810A, b({128}), pub, 9, 0, 128);
    row("HF Mode", 0x1811B, b({5}), pub, 5, 1, 5);
    row("HAM Roger", 0x1812A, b({135}), pub, 9, 2, 135);
    QTest::newRow("ASQ Level keeps to the low 7 bits")
        << 0x22115 << b({0x81}) << combo << 24 << -1 << 1 << b({0x01});
    QTest::newRow("USB Enable among other bits")
        << 0x22141 << b({0x3F}) << check << 7 << -1 << 1 << b({0x3F});
}

void TestOptionImage::byteLandsInItsField()
{
    QFETCH(int, address);
    QFETCH(QByteArray, bytes);
    QFETCH(int, control);
    QFETCH(int, index);
    QFETCH(int, set);
    QFETCH(int, value);
    QFETCH(QByteArray, packed);

    const OptionRow *row = findOptionRow(OptionControl(control), index, set);
    QVERIFY(row);
    RadioImage image;
    putBytes(image, static_cast<std::uint32_t>(address), bytes);
    SettingsRecord settings;
    DecodeOptions(image, settings);
    QCOMPARE(row->field.get(settings), value);

    RadioImage written;
    EncodeOptions(settings, written);
    QCOMPARE(takeBytes(written, static_cast<std::uint32_t>(address), packed.size()), packed);
}

void TestOptionImage::cwFrequencyAbove255IsKeptWhole()
{
    RadioImage image;
    putBytes(image, 0x22104, b({0xB8, 0x0B})); // 3000
    image.write(0x22144, 1);                   // the last byte of the pass
    image.write(0x2210B, 12);
    SettingsRecord settings;
    DecodeOptions(image, settings);
    QCOMPARE(settings.options.cwFreq, std::uint16_t{3000});
    QCOMPARE(settings.options.mic, std::int16_t{12});
    QCOMPARE(settings.options.txDrcCon, std::int16_t{1});

    RadioImage written;
    EncodeOptions(settings, written);
    QCOMPARE(takeBytes(written, 0x22104, 2), b({0xB8, 0x0B}));
    QCOMPARE(written.byteAt(0x22144), std::uint8_t{1});
}

void TestOptionImage::oneBasedTables_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    QTest::newRow("selector A") << 0x18001 << 0 << 1;
    QTest::newRow("selector B") << 0x18003 << 4 << 5;
    QTest::newRow("selector C") << 0x18005 << 254 << 255;
    QTest::newRow("CB group 1") << 0x18007 << 2 << 3;
    QTest::newRow("CB group 6") << 0x1800C << 5 << 6;
    QTest::newRow("HF group 1") << 0x1800D << 7 << 8;
    QTest::newRow("HF group 15") << 0x1801B << 9 << 10;
    QTest::newRow("HAM group 1") << 0x1801C << 1 << 2;
    QTest::newRow("HAM group 12") << 0x18027 << 0xFF << 256;
}

void TestOptionImage::oneBasedTables()
{
    QFETCH(int, address);
    QFETCH(int, byte);
    QFETCH(int, value);
    RadioImage image;
    image.write(static_cast<std::uint32_t>(address), static_cast<std::uint8_t>(byte));
    SettingsRecord settings;
    DecodeOptions(image, settings);
    const OptionRecord &o = settings.options;
    std::vector<int> decoded{o.selectorA, o.setting18002, o.selectorB,
                             o.hfUseVfo,  o.selectorC,    o.hamUseVfo};
    decoded.insert(decoded.end(), o.cbGroupTable.begin(), o.cbGroupTable.end());
    decoded.insert(decoded.end(), o.hfGroupTable.begin(), o.hfGroupTable.end());
    decoded.insert(decoded.end(), o.hamGroupTable.begin(), o.hamGroupTable.end());
    QCOMPARE(decoded.at(static_cast<std::size_t>(address - 0x18001)), value);

    RadioImage written;
    EncodeOptions(settings, written);
    QCOMPARE(int(written.byteAt(static_cast<std::uint32_t>(address))), byte);
}

void TestOptionImage::publicSetFlagByte_data()
{
    QTest::addColumn<int>("hiCut");
    QTest::addColumn<int>("echo");
    QTest::addColumn<int>("plus10k");
    QTest::addColumn<int>("fourth");
    QTest::addColumn<int>("nb");
    QTest::addColumn<int>("anl");
    QTest::addColumn<int>("byte");
    QTest::newRow("all off") << 0 << 0 << 0 << 0 << 0 << 0 << 0x00;
    QTest::newRow("ANL on sets bit 6 only") << 0 << 0 << 0 << 0 << 0 << 1 << 0x40;
    QTest::newRow("ANL on leaves NB alone") << 0 << 0 << 0 << 0 << 1 << 1 << 0x50;
    QTest::newRow("NB 3, ANL 2") << 0 << 0 << 0 << 0 << 3 << 2 << 0xB0;
    QTest::newRow("HI-CUT") << 1 << 0 << 0 << 0 << 0 << 0 << 0x01;
    QTest::newRow("ECHO") << 0 << 1 << 0 << 0 << 0 << 0 << 0x02;
    QTest::newRow("+10KHz") << 0 << 0 << 1 << 0 << 0 << 0 << 0x04;
    QTest::newRow("fourth flag") << 0 << 0 << 0 << 1 << 0 << 0 << 0x08;
    QTest::newRow("every bit") << 1 << 1 << 1 << 1 << 3 << 3 << 0xFF;
}

void TestOptionImage::publicSetFlagByte()
{
    QFETCH(int, hiCut);
    QFETCH(int, echo);
    QFETCH(int, plus10k);
    QFETCH(int, fourth);
    QFETCH(int, nb);
    QFETCH(int, anl);
    QFETCH(int, byte);
    constexpr std::array<std::uint32_t, 3> kBases{0x18108, 0x18118, 0x18128};
    for (std::size_t set = 0; set < 3; ++set) {
        SettingsRecord settings;
        PublicParamSet &p = settings.options.publicSets[set];
        p = {std::int16_t(hiCut),   std::int16_t(nb),  std::int16_t(echo),
             std::int16_t(plus10k), std::int16_t(anl), std::int16_t(fourth)};
        RadioImage image;
        EncodeOptions(settings, image);
        QCOMPARE(int(image.byteAt(kBases[set])), byte);

        SettingsRecord back;
        DecodeOptions(image, back);
        QCOMPARE(back.options.publicSets[set], p);
    }
}

void TestOptionImage::bytesNoRowReadsAreLeftAlone()
{
    // A single-bit field holding 2 keeps to its own bit instead of spilling into the next flag.
    SettingsRecord settings;
    settings.options.publicSets[PublicCb].hiCut = 2;
    settings.options.publicSets[PublicCb].echo = 1;
    settings.extraValues[BesideValue::kFmEnable] = 3;
    RadioImage image;
    for (std::uint32_t address : {0x18109u, 0x18119u, 0x18129u, 0x22112u, 0x22140u})
        image.write(address, 0xAA);
    image.write(0x22141, 0xC0);
    EncodeOptions(settings, image);
    QCOMPARE(image.byteAt(0x18108), std::uint8_t{0x02});
    for (std::uint32_t address : {0x18109u, 0x18119u, 0x18129u, 0x22112u, 0x22140u})
        QCOMPARE(image.byteAt(address), std::uint8_t{0xAA});
    QCOMPARE(image.byteAt(0x22141), std::uint8_t{0xC1});
}

void TestOptionImage::deviceName_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("packed");
    const QByteArray zeros(16, '\0');
    QTest::newRow("ended by NUL") << QByteArray("BT-1", 5) << QByteArray("BT-1")
                                  << QByteArray("BT-1") + zeros.left(12);
    QTest::newRow("ended by 0xFF") << QByteArray("AB\xFF"
                                                 "CD")
                                   << QByteArray("AB") << QByteArray("AB") + zeros.left(14);
    QTest::newRow("all sixteen") << QByteArray("0123456789ABCDEF") << QByteArray("0123456789ABCDEF")
                                 << QByteArray("0123456789ABCDEF");
    QTest::newRow("erased") << QByteArray(16, '\xFF') << QByteArray() << zeros;
    QTest::newRow("bytes above 127 kept") << QByteArray("\xC4\xE3", 3) << QByteArray("\xC4\xE3")
                                          << QByteArray("\xC4\xE3") + zeros.left(14);
}

void TestOptionImage::deviceName()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, packed);
    RadioImage image;
    putBytes(image, 0x22130, bytes);
    SettingsRecord settings;
    DecodeOptions(image, settings);
    QCOMPARE(QByteArray::fromStdString(settings.options.btDeviceName.trimmed()), name);
    RadioImage written;
    EncodeOptions(settings, written);
    QCOMPARE(takeBytes(written, 0x22130, 16), packed);
}

void TestOptionImage::variantByteIsKeptBesideTheRecord()
{
    RadioImage image;
    image.write(0x18000, 0);
    SettingsRecord settings;
    settings.singleBytes[BesideValue::kVariantByte] = 1;
    DecodeOptions(image, settings);
    QCOMPARE(settings.singleBytes[BesideValue::kVariantByte], std::uint8_t{0});
    settings.singleBytes[BesideValue::kVariantByte] = 7;
    EncodeOptions(settings, image);
    QCOMPARE(image.byteAt(0x18000), std::uint8_t{7});
}

QTEST_APPLESS_MAIN(TestOptionImage)
#include "tst_optionimage.moc"
