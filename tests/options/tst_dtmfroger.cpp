#include <QTest>

#include "model/ImageByte.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/DtmfCodes.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"

// The DTMF code table and the roger-beep tone sets.
class TestDtmfRoger : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodeCode_data();
    void encodeCode();
    void decodeCode_data();
    void decodeCode();
    void everyDigitRoundTrips();
    void codeIsEmpty_data();
    void codeIsEmpty();
    void codesTravelWithTheOptions();
    void toneSetDefined_data();
    void toneSetDefined();
    void defaultTones_data();
    void defaultTones();
    void toneImageLayout();
    void revalidation_data();
    void revalidation();
    void imageBytes_data();
    void imageBytes();
};

namespace {

QByteArray codeBytes(const RadioImage &image, int number)
{
    QByteArray bytes;
    for (int k = 0; k < 16; ++k)
        bytes.append(static_cast<char>(image.byteAt(0x20000 + 16 * (number - 1) + k)));
    return bytes;
}

QByteArray values(std::initializer_list<int> head, int fill = 16)
{
    QByteArray bytes;
    for (int v : head)
        bytes.append(static_cast<char>(v));
    while (bytes.size() < 16)
        bytes.append(static_cast<char>(fill));
    return bytes;
}

} // namespace

void TestDtmfRoger::encodeCode_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("A1#") << QByteArray("A1#") << values({10, 1, 15});
    QTest::newRow("empty") << QByteArray() << values({});
    QTest::newRow("every digit") << QByteArray("0123456789ABCD*#")
                                 << values({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    QTest::newRow("lower case") << QByteArray("abcdef") << values({10, 11, 12, 13, 14, 15});
    QTest::newRow("E and F read as * and #") << QByteArray("EF") << values({14, 15});
    // Every character takes its own byte; one the radio has no digit for becomes the end byte 16
    // in its place, and the characters after it still follow.
    QTest::newRow("a stray character takes the end byte in its place")
        << QByteArray("12X3") << values({1, 2, 16, 3});
    QTest::newRow("a stray character first") << QByteArray("-9") << values({16, 9});
    QTest::newRow("spaces trimmed") << QByteArray("  12  ") << values({1, 2});
    QTest::newRow("cut at NUL") << QByteArray("7\0"
                                              "89",
                                              4)
                                << values({7});
}

void TestDtmfRoger::encodeCode()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    DtmfCodeTable codes;
    codes[4].assign(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    RadioImage image;
    EncodeDtmfCodes(codes, image);
    QCOMPARE(codeBytes(image, 5), bytes);
    QCOMPARE(codeBytes(image, 16), values({}));
}

void TestDtmfRoger::decodeCode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("A1#") << values({10, 1, 15}) << QByteArray("A1#");
    QTest::newRow("16 first reads empty") << values({16, 1, 2}) << QByteArray();
    QTest::newRow("0xFF first reads empty") << values({}, 0xFF) << QByteArray();
    QTest::newRow("cleared image: sixteen zeros")
        << values({}, 0) << QByteArray("0000000000000000");
    QTest::newRow("ended by 0x20") << values({14, 15, 0x20, 3}) << QByteArray("*#");
}

void TestDtmfRoger::decodeCode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, text);
    RadioImage image;
    for (int k = 0; k < 16; ++k)
        image.write(0x200F0 + k, static_cast<std::uint8_t>(bytes[k]));
    DtmfCodeTable codes;
    DecodeDtmfCodes(image, codes);
    QCOMPARE(QByteArray::fromStdString(codes[15].trimmed()), text);
}

void TestDtmfRoger::everyDigitRoundTrips()
{
    for (int value = 0; value <= 15; ++value) {
        const char digit = dtmfDigitChar(static_cast<std::uint8_t>(value));
        QCOMPARE(int(dtmfDigitValue(digit)), value);
    }
    for (int c = 0; c < 256; ++c) {
        const std::uint8_t value = dtmfDigitValue(static_cast<char>(c));
        QVERIFY(value <= 16);
        if (value < 16)
            QVERIFY(std::string_view("0123456789ABCDEFabcdef*#").find(char(c)) !=
                    std::string_view::npos);
    }
}

void TestDtmfRoger::codeIsEmpty_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("empty");
    QTest::newRow("blank") << QByteArray("   ") << 1 << true;
    QTest::newRow("NUL first") << QByteArray("\0"
                                             "12",
                                             3)
                               << 1 << true;
    QTest::newRow("a digit") << QByteArray("5") << 1 << false;
    QTest::newRow("leading space") << QByteArray(" 5") << 16 << false;
    QTest::newRow("number 0") << QByteArray("5") << 0 << true;
    QTest::newRow("number 17") << QByteArray("5") << 17 << true;
}

void TestDtmfRoger::codeIsEmpty()
{
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QFETCH(bool, empty);
    DtmfCodeTable codes;
    for (DtmfCode &code : codes)
        code.assign(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    QCOMPARE(IsDtmfCodeEmpty(codes, number), empty);
}

void TestDtmfRoger::codesTravelWithTheOptions()
{
    SettingsRecord settings;
    settings.options.dtmfCodes[0].assign("A1#");
    settings.options.dtmfTiming = {7, 7, 7, 3, 9, 1};
    RadioImage image;
    EncodeOptions(settings, image);
    QCOMPARE(codeBytes(image, 1), values({10, 1, 15}));
    SettingsRecord back;
    back.options.dtmfTiming = kDefaultDtmfTiming;
    DecodeOptions(image, back);
    QCOMPARE(back.options.dtmfCodes[0].trimmed(), std::string("A1#"));
    // The timing settings are not in the radio: a read leaves them as they were.
    QCOMPARE(back.options.dtmfTiming, kDefaultDtmfTiming);
}

void TestDtmfRoger::toneSetDefined_data()
{
    QTest::addColumn<int>("recycle");
    QTest::addColumn<int>("duration");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("defined");
    QTest::addColumn<int>("count");
    QTest::newRow("plays once with a tone") << 1 << 10 << 6 << 6 << 6;
    QTest::newRow("recycle 0 never plays") << 0 << 10 << 6 << 0 << 5;
    QTest::newRow("no tone of any length") << 3 << 0 << 6 << 0 << 5;
    QTest::newRow("number 0") << 1 << 10 << 0 << 0 << 6;
    QTest::newRow("number 9") << 1 << 10 << 9 << 0 << 6;
    QTest::newRow("number -1") << 1 << 10 << -1 << 0 << 6;
}

void TestDtmfRoger::toneSetDefined()
{
    QFETCH(int, recycle);
    QFETCH(int, duration);
    QFETCH(int, number);
    QFETCH(int, defined);
    QFETCH(int, count);
    ToneTipTable table = defaultToneTips();
    ToneSet &set = table.set(6);
    set.recycleTimes = static_cast<std::int16_t>(recycle);
    set.tones[13].duration = static_cast<std::int16_t>(duration);
    QCOMPARE(IsToneSetDefined(table, number), defined);
    QCOMPARE(CountDefinedToneSets(table), count);
}

void TestDtmfRoger::defaultTones_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("duration");
    QTest::addColumn<int>("firstFrequency");
    QTest::addColumn<int>("secondFrequency");
    QTest::addColumn<int>("soundingTones");
    QTest::newRow("set 1") << 1 << 700 << 210 << 0 << 4;
    QTest::newRow("set 2") << 2 << 560 << 80 << 0 << 7;
    QTest::newRow("set 3") << 3 << 210 << 170 << 90 << 7;
    QTest::newRow("set 4") << 4 << 300 << 64 << 94 << 5;
    QTest::newRow("set 5") << 5 << 1200 << 150 << 70 << 6;
    QTest::newRow("set 6") << 6 << 0 << 0 << 0 << 0;
    QTest::newRow("set 8") << 8 << 0 << 0 << 0 << 0;
}

void TestDtmfRoger::defaultTones()
{
    QFETCH(int, number);
    QFETCH(int, duration);
    QFETCH(int, firstFrequency);
    QFETCH(int, secondFrequency);
    QFETCH(int, soundingTones);
    const ToneTipTable table = defaultToneTips();
    const ToneSet &set = table.set(number);
    QCOMPARE(ToneSetDuration(table, number), duration);
    QCOMPARE(int(set.tones[0].frequency), firstFrequency);
    QCOMPARE(int(set.tones[1].frequency), secondFrequency);
    QCOMPARE(int(set.recycleTimes), number <= 5 ? 1 : 0);
    QCOMPARE(int(set.interTime), 0);
    int sounding = 0;
    for (const Tone &tone : set.tones)
        sounding += tone.frequency > 4 && tone.duration > 0;
    QCOMPARE(sounding, soundingTones);
}

void TestDtmfRoger::toneImageLayout()
{
    SettingsRecord settings;
    for (int number = 1; number <= kToneSetCount; ++number) {
        ToneSet &set = settings.toneTips.set(number);
        set.recycleTimes = static_cast<std::int16_t>(number);
        set.interTime = static_cast<std::int16_t>(100 + number);
        for (int k = 0; k < kTonesPerSet; ++k)
            set.tones[static_cast<std::size_t>(k)] = {std::int16_t(40 + k + number),
                                                      std::int16_t(200 + k + number)};
    }
    RadioImage image;
    image.write(0x2013E, 0x55); // +30 and +31 of set 2 are not touched
    image.write(0x2013F, 0x66);
    EncodeToneTips(settings, image);
    QCOMPARE(int(image.byteAt(0x20140)), 3); // set 3: recycle times
    QCOMPARE(int(image.byteAt(0x20141)), 103);
    QCOMPARE(int(image.byteAt(0x20142)), 43);  // tone 1 frequency
    QCOMPARE(int(image.byteAt(0x2014F)), 56);  // tone 14 frequency
    QCOMPARE(int(image.byteAt(0x20150)), 203); // tone 1 duration
    QCOMPARE(int(image.byteAt(0x2015D)), 216); // tone 14 duration
    QCOMPARE(int(image.byteAt(0x201E0)), 8);   // set 8 at 0x201E0
    QCOMPARE(int(image.byteAt(0x2013E)), 0x55);
    QCOMPARE(int(image.byteAt(0x2013F)), 0x66);
    SettingsRecord back;
    DecodeToneTips(image, back);
    QCOMPARE(back.toneTips, settings.toneTips);
}

void TestDtmfRoger::revalidation_data()
{
    QTest::addColumn<int>("reference");
    QTest::addColumn<bool>("set1Defined");
    QTest::addColumn<int>("after");
    QTest::newRow("none stays none") << 0 << true << 0;
    QTest::newRow("defined set kept") << 128 << true << 128;
    QTest::newRow("undefined set dropped") << 128 << false << 0;
    QTest::newRow("set 5 kept") << 132 << false << 132;
    QTest::newRow("set 6 never defined") << 133 << true << 0;
    QTest::newRow("not a reference") << 5 << true << 0;
    QTest::newRow("beyond set 8") << 136 << true << 0;
}

void TestDtmfRoger::revalidation()
{
    QFETCH(int, reference);
    QFETCH(bool, set1Defined);
    QFETCH(int, after);
    DocumentSet document;
    document.settings.toneTips = defaultToneTips();
    if (!set1Defined)
        document.settings.toneTips.set(1).recycleTimes = 0;
    const auto ref = static_cast<std::uint16_t>(reference);
    document.settings.channelCounts.at(CB, 1) = 2;
    document.channels.entry(CB, 1, 2).RogerBeep = ref;
    document.settings.channelCounts.at(HAM, 13) = 1;
    document.channels.entry(HAM, 13, 1).RogerBeep = ref;
    // Every slot a write sends is swept, not only the first two kinds' groups 1-10: a HAM, an
    // HF group 15 or a memory channel left naming an undefined set would reach the radio so.
    document.settings.channelCounts.at(HAM, 1) = 1;
    document.channels.entry(HAM, 1, 1).RogerBeep = ref;
    document.settings.channelCounts.at(HF, 15) = 1;
    document.channels.entry(HF, 15, 1).RogerBeep = ref;
    document.channels.entry(HF, 3, 1).RogerBeep = ref; // beyond the group's count: left alone
    document.memories.at(96).RogerBeep = ref;
    document.settings.options.publicSets[PublicHf].roger = static_cast<std::int16_t>(reference);
    RevalidateToneRefs(document);
    QCOMPARE(int(document.channels.entry(CB, 1, 2).RogerBeep), after);
    QCOMPARE(int(document.channels.entry(HAM, 13, 1).RogerBeep), after);
    QCOMPARE(int(document.channels.entry(HAM, 1, 1).RogerBeep), after);
    QCOMPARE(int(document.channels.entry(HF, 15, 1).RogerBeep), after);
    QCOMPARE(int(document.channels.entry(HF, 3, 1).RogerBeep), reference);
    QCOMPARE(int(document.memories.at(96).RogerBeep), after);
    QCOMPARE(int(document.settings.options.publicSets[PublicHf].roger), after);
}

void TestDtmfRoger::imageBytes_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("byte");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("255") << 255 << 255;
    QTest::newRow("none") << -1 << 0xFF;
    QTest::newRow("256") << 256 << 0xFF;
    QTest::newRow("very negative") << -32768 << 0xFF;
}

void TestDtmfRoger::imageBytes()
{
    QFETCH(int, value);
    QFETCH(int, byte);
    QCOMPARE(int(toImageByte(value)), byte);
}

QTEST_APPLESS_MAIN(TestDtmfRoger)
#include "tst_dtmfroger.moc"
