#include <QTest>

#include <array>
#include <string>

#include "lang/Texts.h"
#include "model/Band.h"
#include "model/RadioImage.h"
#include "radio/Frequency.h"
#include "radio/FrequencyCodec.h"
#include "radio/NumberRounding.h"

Q_DECLARE_METATYPE(FrequencyMessage)

namespace {

const BandLimits kCb = parseBandLimits("26.96500 - 27.86125 MHz");
const BandLimits kHf = parseBandLimits("24.7150 - 30.1050 MHz");
const BandLimits kHam = parseBandLimits("28.0000 - 29.7000 MHz");

std::string text(const QByteArray &bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray fourBytes(const RadioImage &image, std::uint32_t address)
{
    QByteArray bytes;
    for (std::uint32_t i = 0; i < 4; ++i)
        bytes.append(static_cast<char>(image.byteAt(address + i)));
    return bytes;
}

BandLimits limitsNamed(const QString &band)
{
    return band == "CB" ? kCb : band == "HF" ? kHf : kHam;
}

} // namespace

class TestFrequencyCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bandLimitsOfTheKinds();
    void packFrequency_data();
    void packFrequency();
    void packOutsideTheImageWritesNothing();
    void unpackFrequency_data();
    void unpackFrequency();
    void everyBcdByteRoundTrips();
    void digitsToDisplay_data();
    void digitsToDisplay();
    void displayToDigits_data();
    void displayToDigits();
    void workedExampleFullCircle();
    void roundHalfEven_data();
    void roundHalfEven();
    void snapToStep_data();
    void snapToStep();
    void checkFrequency_data();
    void checkFrequency();
    void checkFrequencyText_data();
    void checkFrequencyText();
    void everyGridStepOfTheHamBandSurvivesTheCheck();
    void parseNumberText_data();
    void parseNumberText();
    void messageTexts();
    void typedFrequencyReadOnce_data();
    void typedFrequencyReadOnce();
    void typedFrequencyOnEveryGridStep();
};

void TestFrequencyCodec::bandLimitsOfTheKinds()
{
    QCOMPARE(kCb.lower, 26.965);
    QCOMPARE(kCb.upper, 27.86125);
    QCOMPARE(kHf.lower, 24.715);
    QCOMPARE(kHf.upper, 30.105);
    QCOMPARE(kHam.lower, 28.0);
    QCOMPARE(kHam.upper, 29.7);
}

void TestFrequencyCodec::packFrequency_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray empty("\xFF\xFF\xFF\xFF", 4);
    QTest::newRow("eight digits") << QByteArray("27405000") << QByteArray("\x27\x40\x50\x00", 4);
    QTest::newRow("seven digits and a blank")
        << QByteArray("2740500 ") << QByteArray("\x27\x40\x50\x00", 4);
    QTest::newRow("seven digits completed with 0")
        << QByteArray("2740500") << QByteArray("\x27\x40\x50\x00", 4);
    QTest::newRow("two digits") << QByteArray("28") << QByteArray("\x28\x00\x00\x00", 4);
    QTest::newRow("cut at NUL") << QByteArray("2740\0"
                                              "999",
                                              8)
                                << QByteArray("\x27\x40\x00\x00", 4);
    QTest::newRow("all nines") << QByteArray("99999999") << QByteArray("\x99\x99\x99\x99", 4);
    QTest::newRow("all zeros") << QByteArray("00000000") << QByteArray(4, '\0');
    QTest::newRow("empty") << QByteArray("") << empty;
    QTest::newRow("blanks") << QByteArray("        ") << empty;
    QTest::newRow("eight F") << QByteArray("FFFFFFFF") << empty;
    QTest::newRow("eight F and blanks after NUL") << QByteArray("FFFFFFFF\0  ", 11) << empty;
    QTest::newRow("point") << QByteArray("27.405") << empty;
    QTest::newRow("sign") << QByteArray("-2740500") << empty;
    QTest::newRow("hex letters") << QByteArray("2A405000") << empty;
    QTest::newRow("leading blank") << QByteArray(" 2740500") << empty;
    QTest::newRow("nine digits") << QByteArray("274050001") << empty;
}

void TestFrequencyCodec::packFrequency()
{
    QFETCH(QByteArray, digits);
    QFETCH(QByteArray, bytes);
    RadioImage image;
    image.writeBlock(0x100, std::array<std::uint8_t, 6>{0x11, 0x11, 0x11, 0x11, 0x11, 0x11});
    QVERIFY(PackFrequency(text(digits), image, 0x101));
    QCOMPARE(fourBytes(image, 0x101), bytes);
    // Only the four bytes change.
    QCOMPARE(image.byteAt(0x100), std::uint8_t{0x11});
    QCOMPARE(image.byteAt(0x105), std::uint8_t{0x11});
}

void TestFrequencyCodec::packOutsideTheImageWritesNothing()
{
    RadioImage image;
    QVERIFY(!PackFrequency("27405000", image, 0x221FE));
    QCOMPARE(image.byteAt(0x221FE), std::uint8_t{0});
    QCOMPARE(image.byteAt(0x22200), std::uint8_t{0});
    QCOMPARE(UnpackFrequency(image, 0x221FE), std::string("FFFFFFFF"));
}

void TestFrequencyCodec::unpackFrequency_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("27.405 MHz") << QByteArray("\x27\x40\x50\x00", 4) << QByteArray("27405000")
                                << true;
    QTest::newRow("erased") << QByteArray("\xFF\xFF\xFF\xFF", 4) << QByteArray("FFFFFFFF") << false;
    QTest::newRow("cleared") << QByteArray(4, '\0') << QByteArray("00000000") << true;
    QTest::newRow("not BCD") << QByteArray("\x2A\x40\x50\x0b", 4) << QByteArray("2A40500B")
                             << false;
}

void TestFrequencyCodec::unpackFrequency()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, digits);
    QFETCH(bool, numeric);
    RadioImage image;
    for (int i = 0; i < 4; ++i)
        image.write(0x12000 + std::uint32_t(i), static_cast<std::uint8_t>(bytes[i]));
    const std::string result = UnpackFrequency(image, 0x12000);
    QCOMPARE(result, text(digits));
    QCOMPARE(isDigitText(result), numeric);
}

void TestFrequencyCodec::everyBcdByteRoundTrips()
{
    RadioImage image;
    for (int value = 0; value < 100; ++value) {
        const std::uint8_t bcd = static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
        for (std::uint32_t position = 0; position < 4; ++position) {
            std::array<std::uint8_t, 4> bytes{0x12, 0x34, 0x56, 0x78};
            bytes[position] = bcd;
            image.writeBlock(0x40, bytes);
            const std::string digits = UnpackFrequency(image, 0x40);
            QVERIFY(isDigitText(digits));
            image.clear();
            QVERIFY(PackFrequency(digits, image, 0x40));
            QCOMPARE(image.byteAt(0x40 + position), bcd);
        }
    }
}

void TestFrequencyCodec::digitsToDisplay_data()
{
    QTest::addColumn<QString>("band");
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QString>("display");
    QTest::addColumn<FrequencyMessage>("message");
    const auto none = FrequencyMessage::None;
    const auto bad = FrequencyMessage::NotNumeric;
    QTest::newRow("eight digits") << "HAM" << QByteArray("27405000") << "27.40500" << none;
    QTest::newRow("seven digits and a blank")
        << "HAM" << QByteArray("2740500 ") << "27.40500" << none;
    QTest::newRow("ten hertz") << "HAM" << QByteArray("28000010") << "28.00001" << none;
    QTest::newRow("5 Hz rounds up") << "HAM" << QByteArray("28000015") << "28.00002" << none;
    QTest::newRow("carry into the whole MHz")
        << "HAM" << QByteArray("28999995") << "29.00000" << none;
    QTest::newRow("one digit") << "HAM" << QByteArray("2") << "2.00000" << none;
    QTest::newRow("one hertz is not shown")
        << "HAM" << QByteArray("28000011") << "28.00001" << none;
    QTest::newRow("cut at NUL") << "HAM"
                                << QByteArray("285\0"
                                              "1234",
                                              8)
                                << "28.50000" << none;
    QTest::newRow("zeros") << "HAM" << QByteArray("00000000") << "0.00000" << none;
    QTest::newRow("blank") << "HAM" << QByteArray("        ") << "" << none;
    QTest::newRow("empty") << "HAM" << QByteArray("") << "" << none;
    QTest::newRow("eight F") << "HAM" << QByteArray("FFFFFFFF") << "" << none;
    QTest::newRow("letters, HAM") << "HAM" << QByteArray("ABC") << "28" << bad;
    QTest::newRow("letters, CB") << "CB" << QByteArray("ABC") << "26.965" << bad;
    QTest::newRow("point, HF") << "HF" << QByteArray("27.405") << "24.715" << bad;
    QTest::newRow("not BCD") << "HAM" << QByteArray("2A40500B") << "28" << bad;
}

void TestFrequencyCodec::digitsToDisplay()
{
    QFETCH(QString, band);
    QFETCH(QByteArray, digits);
    QFETCH(QString, display);
    QFETCH(FrequencyMessage, message);
    const DisplayedFrequency result = DigitsToDisplay(text(digits), limitsNamed(band));
    QCOMPARE(QString::fromStdString(result.text), display);
    QCOMPARE(result.message, message);
}

void TestFrequencyCodec::displayToDigits_data()
{
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("digits");
    QTest::newRow("five decimals") << "HAM"
                                   << "27.40500"
                                   << "2740500";
    QTest::newRow("one decimal") << "HAM"
                                 << "28.5"
                                 << "285";
    QTest::newRow("six decimals") << "HAM"
                                  << "29.123456"
                                  << "29123456";
    QTest::newRow("seven decimals are cut") << "HAM"
                                            << "29.1234567"
                                            << "29123456";
    QTest::newRow("no point") << "HAM"
                              << "28"
                              << "28";
    QTest::newRow("empty") << "HAM"
                           << ""
                           << "";
    QTest::newRow("letters give the lower limit, HAM") << "HAM"
                                                       << "abc"
                                                       << "28";
    QTest::newRow("letters give the lower limit, CB") << "CB"
                                                      << "abc"
                                                      << "26965";
    QTest::newRow("two points give the lower limit, HF") << "HF"
                                                         << "28..5"
                                                         << "24715";
}

void TestFrequencyCodec::displayToDigits()
{
    QFETCH(QString, band);
    QFETCH(QString, display);
    QFETCH(QString, digits);
    QCOMPARE(QString::fromStdString(DisplayToDigits(display.toStdString(), limitsNamed(band))),
             digits);
}

void TestFrequencyCodec::workedExampleFullCircle()
{
    const std::string digits = DisplayToDigits("27.40500", kCb);
    QCOMPARE(digits, std::string("2740500"));
    RadioImage image;
    QVERIFY(PackFrequency(digits, image, 0x0000));
    QCOMPARE(fourBytes(image, 0), QByteArray("\x27\x40\x50\x00", 4));
    const std::string unpacked = UnpackFrequency(image, 0x0000);
    QCOMPARE(unpacked, std::string("27405000"));
    QCOMPARE(DigitsToDisplay(unpacked, kCb).text, std::string("27.40500"));
}

void TestFrequencyCodec::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qlonglong>("rounded");
    QTest::newRow("0.5") << 0.5 << 0LL;
    QTest::newRow("1.5") << 1.5 << 2LL;
    QTest::newRow("2.5") << 2.5 << 2LL;
    QTest::newRow("3.5") << 3.5 << 4LL;
    QTest::newRow("-2.5") << -2.5 << -2LL;
    QTest::newRow("2.4999") << 2.4999 << 2LL;
    QTest::newRow("2.5001") << 2.5001 << 3LL;
    QTest::newRow("just below a whole number") << 28000014.999999996 << 28000015LL;
}

void TestFrequencyCodec::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qlonglong, rounded);
    QCOMPARE(roundHalfEvenToInteger(value), rounded);
}

void TestFrequencyCodec::snapToStep_data()
{
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("snapped");
    QTest::addColumn<QString>("shown");
    QTest::newRow("15 Hz above the grid") << 28.0 << 28.000015 << 28.00001 << "28.00001";
    QTest::newRow("on the grid") << 28.0 << 28.12347 << 28.12347 << "28.12347";
    QTest::newRow("19 Hz is cut, not rounded") << 28.0 << 28.000019 << 28.00001 << "28.00001";
    // 29.7 - 0.00005 is 29.699949999999998: 29699949.999999996 Hz, which must count as 29699950.
    QTest::newRow("a hair below a grid step") << 28.0 << 29.7 - 0.00005 << 29.69995 << "29.69995";
    QTest::newRow("lower limit itself") << 28.0 << 28.0 << 28.0 << "28.00000";
    QTest::newRow("CB grid") << 26.965 << 27.405 << 27.405 << "27.40500";
    QTest::newRow("CB 1 Hz") << 26.965 << 27.405001 << 27.405 << "27.40500";
    QTest::newRow("HF upper limit") << 24.715 << 30.105 << 30.105 << "30.10500";
    QTest::newRow("grid moved by a lower limit of 3 Hz")
        << 28.000003 << 28.000015 << 28.000013 << "28.00001";
    QTest::newRow("moved grid, on it") << 28.000003 << 28.000023 << 28.000023 << "28.00002";
    QTest::newRow("moved grid, the limit") << 28.000003 << 28.000003 << 28.000003 << "28.00000";
}

void TestFrequencyCodec::snapToStep()
{
    QFETCH(double, lower);
    QFETCH(double, frequency);
    QFETCH(double, snapped);
    QFETCH(QString, shown);
    const double result = SnapToStep(frequency, BandLimits{lower, 500.0});
    // Exactly the nearest double of the stated result, not merely close to it.
    QVERIFY2(result == snapped, qPrintable(QString::number(result, 'g', 17)));
    QCOMPARE(QString::fromStdString(formatMhz(result)), shown);
}

void TestFrequencyCodec::checkFrequency_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<bool>("clamp");
    QTest::addColumn<bool>("warn");
    QTest::addColumn<double>("result");
    QTest::addColumn<FrequencyMessage>("message");
    const auto none = FrequencyMessage::None;
    const auto out = FrequencyMessage::OutOfRange;
    QTest::newRow("inside") << 28.5 << false << true << 28.5 << none;
    QTest::newRow("inside, snapped") << 28.000015 << false << true << 28.00001 << none;
    QTest::newRow("lower limit") << 28.0 << false << true << 28.0 << none;
    QTest::newRow("upper limit") << 29.7 << false << true << 29.7 << none;
    QTest::newRow("below, rejected, warned") << 27.0 << false << true << 0.0 << out;
    QTest::newRow("below, clamped, warned") << 27.0 << true << true << 28.0 << out;
    QTest::newRow("below, clamped, quiet") << 27.0 << true << false << 28.0 << none;
    QTest::newRow("above, rejected, warned") << 31.0 << false << true << 0.0 << out;
    QTest::newRow("above, clamped, quiet") << 31.0 << true << false << 29.7 << none;
    QTest::newRow("just above") << 29.70001 << false << false << 0.0 << none;
    QTest::newRow("zero") << 0.0 << false << true << 0.0 << out;
    QTest::newRow("negative") << -28.5 << true << true << 28.0 << out;
    QTest::newRow("not a number") << qQNaN() << true << true << 28.0 << out;
}

void TestFrequencyCodec::checkFrequency()
{
    QFETCH(double, frequency);
    QFETCH(bool, clamp);
    QFETCH(bool, warn);
    QFETCH(double, result);
    QFETCH(FrequencyMessage, message);
    const CheckedFrequency checked = CheckFrequency(frequency, clamp, warn, kHam);
    QVERIFY2(checked.mhz == result, qPrintable(QString::number(checked.mhz, 'g', 17)));
    QCOMPARE(checked.message, message);
}

void TestFrequencyCodec::checkFrequencyText_data()
{
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clamp");
    QTest::addColumn<bool>("warn");
    QTest::addColumn<QString>("result");
    QTest::addColumn<FrequencyMessage>("message");
    const auto none = FrequencyMessage::None;
    const auto out = FrequencyMessage::OutOfRange;
    QTest::newRow("28.5 in HAM") << "HAM"
                                 << "28.5" << false << true << "28.50000" << none;
    QTest::newRow("six decimals snapped") << "HAM"
                                          << "28.123456" << false << true << "28.12345" << none;
    QTest::newRow("31 in HAM") << "HAM"
                               << "31" << false << true << "" << out;
    QTest::newRow("31 in HAM, clamped") << "HAM"
                                        << "31" << true << true << "29.70000" << out;
    QTest::newRow("27.405 in CB") << "CB"
                                  << "27.405" << false << true << "27.40500" << none;
    QTest::newRow("24.715 in HF") << "HF"
                                  << "24.715" << false << true << "24.71500" << none;
    QTest::newRow("24.71 in HF") << "HF"
                                 << "24.71" << false << true << "" << out;
    QTest::newRow("point first") << "HAM"
                                 << ".5" << false << true << "" << out;
    QTest::newRow("letters, clamped") << "HAM"
                                      << "abc" << true << true << "28.00000" << out;
    QTest::newRow("letters, clamped, quiet") << "HAM"
                                             << "abc" << true << false << "28.00000" << none;
    QTest::newRow("letters, neither") << "HAM"
                                      << "abc" << false << false << "" << none;
    QTest::newRow("letters, warned") << "HAM"
                                     << "abc" << false << true << "" << out;
    QTest::newRow("two points") << "HAM"
                                << "28..5" << false << true << "" << out;
    QTest::newRow("lone point") << "HAM"
                                << "." << false << true << "" << out;
    QTest::newRow("empty") << "HAM"
                           << "" << false << false << "" << none;
    QTest::newRow("comma") << "HAM"
                           << "28,5" << false << true << "" << out;
}

void TestFrequencyCodec::checkFrequencyText()
{
    QFETCH(QString, band);
    QFETCH(QString, typed);
    QFETCH(bool, clamp);
    QFETCH(bool, warn);
    QFETCH(QString, result);
    QFETCH(FrequencyMessage, message);
    const CheckedFrequencyText checked =
        CheckFrequencyText(typed.toStdString(), clamp, warn, limitsNamed(band));
    QCOMPARE(QString::fromStdString(checked.text), result);
    QCOMPARE(checked.message, message);
}

void TestFrequencyCodec::everyGridStepOfTheHamBandSurvivesTheCheck()
{
    // Every 10 Hz step from 28.00000 to 29.70000 MHz, typed as the grid shows it, comes back as
    // the same text and packs to the BCD of the same Hz count.
    RadioImage image;
    for (long long hz = 28'000'000; hz <= 29'700'000; hz += 10) {
        const std::string typed = std::to_string(hz / 1'000'000) + "." +
                                  std::to_string(1'000'000 + hz % 1'000'000).substr(1, 5);
        const CheckedFrequencyText checked = CheckFrequencyText(typed, false, true, kHam);
        if (checked.text != typed)
            QFAIL(qPrintable(QString::fromStdString(typed + " became " + checked.text)));
        PackFrequency(DisplayToDigits(checked.text, kHam), image, 0);
        if (UnpackFrequency(image, 0) != std::to_string(hz))
            QFAIL(qPrintable(QString::fromStdString(typed + " packed wrongly")));
    }
}

void TestFrequencyCodec::parseNumberText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "28" << true << 28.0;
    QTest::newRow("decimal") << "28.5" << true << 28.5;
    QTest::newRow("trailing point") << "28." << true << 28.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("blanks around") << " 28.5 " << true << 28.5;
    QTest::newRow("plus") << "+28.5" << true << 28.5;
    QTest::newRow("minus") << "-28.5" << true << -28.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("lone point") << "." << false << 0.0;
    QTest::newRow("two points") << "28..5" << false << 0.0;
    QTest::newRow("comma") << "28,5" << false << 0.0;
    QTest::newRow("exponent") << "1e5" << false << 0.0;
    QTest::newRow("letters") << "FFFFFFFF" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("blank inside") << "28 5" << false << 0.0;
}

void TestFrequencyCodec::parseNumberText()
{
    QFETCH(QString, typed);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const auto parsed = ::parseNumberText(typed.toStdString());
    QCOMPARE(parsed.has_value(), numeric);
    if (numeric)
        QCOMPARE(*parsed, value);
}

void TestFrequencyCodec::messageTexts()
{
    QCOMPARE(frequencyMessageText(FrequencyMessage::OutOfRange, English),
             std::string_view("Frequency is out of range."));
    QCOMPARE(frequencyMessageText(FrequencyMessage::OutOfRange, Chinese),
             std::string_view("频率超出范围。"));
    QCOMPARE(frequencyMessageText(FrequencyMessage::NotNumeric, English),
             std::string_view("Not IsNumeric"));
    QVERIFY(frequencyMessageText(FrequencyMessage::None, English).empty());
}

namespace {

// What the grid did before the value type: the checked MHz text, then its digits read from it.
QString oldWay(const std::string &typed, bool clamp, bool warn, const BandLimits &limits)
{
    const CheckedFrequencyText checked = CheckFrequencyText(typed, clamp, warn, limits);
    return QString::fromStdString(checked.text + "|" + DisplayToDigits(checked.text, limits) + "|" +
                                  std::to_string(int(checked.message)));
}

QString valueWay(const std::string &typed, bool clamp, bool warn, const BandLimits &limits)
{
    const TypedFrequency read = readTypedFrequency(typed, clamp, warn, limits);
    const std::string text = read.frequency ? read.frequency->mhzText() : std::string();
    const std::string digits = read.frequency ? read.frequency->digits() : std::string();
    return QString::fromStdString(text + "|" + digits + "|" + std::to_string(int(read.message)));
}

} // namespace

// A typed text is read once into a value whose MHz text and digits are what the text, checked,
// shown and read again, gave: every kind of text, clamped or not, with the message or without.
void TestFrequencyCodec::typedFrequencyReadOnce_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("expected"); // MHz text|digits|message
    QTest::newRow("in the band") << "27.405"
                                 << "CB"
                                 << "27.40500|2740500|0";
    QTest::newRow("off the grid is cut down") << "28.123456"
                                              << "HAM"
                                              << "28.12345|2812345|0";
    QTest::newRow("blanks and a plus") << " +29.1 "
                                       << "HAM"
                                       << "29.10000|2910000|0";
    QTest::newRow("lower limit") << "24.715"
                                 << "HF"
                                 << "24.71500|2471500|0";
    QTest::newRow("upper limit") << "30.105"
                                 << "HF"
                                 << "30.10500|3010500|0";
    QTest::newRow("above the band") << "31"
                                    << "HF"
                                    << "||1";
    QTest::newRow("below the band") << "0.5"
                                    << "CB"
                                    << "||1";
    QTest::newRow("no number") << "27,405"
                               << "CB"
                               << "||1";
    QTest::newRow("empty") << ""
                           << "CB"
                           << "||1";
    QTest::newRow("two points") << "27.4.05"
                                << "CB"
                                << "||1";
    QTest::newRow("negative") << "-27.405"
                              << "CB"
                              << "||1";
}

void TestFrequencyCodec::typedFrequencyReadOnce()
{
    QFETCH(QString, typed);
    QFETCH(QString, band);
    QFETCH(QString, expected);
    const BandLimits limits = limitsNamed(band);
    const std::string text = typed.toStdString();
    QCOMPARE(valueWay(text, false, true, limits), expected);
    for (const bool clamp : {false, true})
        for (const bool warn : {false, true})
            QCOMPARE(valueWay(text, clamp, warn, limits), oldWay(text, clamp, warn, limits));
}

void TestFrequencyCodec::typedFrequencyOnEveryGridStep()
{
    // Every step of the CB band; every 13th of the wider HF and HAM bands, so every last digit
    // comes round.
    for (const auto &[limits, stride] : {std::pair{kCb, 10}, {kHf, 130}, {kHam, 130}}) {
        const long long lower = roundHalfEvenToInteger(limits.lower * 1e6);
        const long long upper = roundHalfEvenToInteger(limits.upper * 1e6);
        for (long long hz = lower - 20; hz <= upper + 20; hz += stride) {
            // The step typed as the grid shows it, and with one more digit that the grid cuts.
            for (const std::string &typed :
                 {formatMhz(double(hz) / 1e6), formatMhz(double(hz) / 1e6) + "7"}) {
                if (valueWay(typed, false, true, limits) != oldWay(typed, false, true, limits))
                    QFAIL(qPrintable(QString::fromStdString(typed)));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestFrequencyCodec)
#include "tst_frequencycodec.moc"
