#include <QTest>

#include <set>
#include <string>

#include "channels/ToneCodec.h"
#include "lang/Texts.h"

namespace {

// The tables as the radio's documentation lists them, kept apart from the program's own tables.
const QStringList kListedCtcss =
    QStringLiteral(
        "67.0 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
        "118.8 "
        "123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 162.2 167.9 173.8 179.9 186.2 192.8 203.5 "
        "210.7 218.1 225.7 233.6 241.8 250.3")
        .split(' ');
const QStringList kListedDcs = QStringLiteral("023 025 026 031 032 036 043 047 051 053 054 065 071 "
                                              "072 073 074 114 115 116 122 125 131 132 "
                                              "134 143 145 152 155 156 162 165 172 174 205 212 223 "
                                              "225 226 243 244 245 246 251 252 255 261 "
                                              "263 265 266 271 274 306 311 315 325 331 332 343 346 "
                                              "351 356 364 365 371 411 412 413 423 431 "
                                              "432 445 446 452 454 455 462 464 465 466 503 506 516 "
                                              "523 526 532 546 565 606 612 624 627 631 "
                                              "632 654 662 664 703 712 723 731 732 734 743 754")
                                   .split(' ');

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class TestToneCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableSizes();
    void everyCtcssIndex_data();
    void everyCtcssIndex();
    void everyDcsCode_data();
    void everyDcsCode();
    void tonesOutsideTheTable();
    void indexesOutsideTheTables();
    void getByShow_data();
    void getByShow();
    void showCode_data();
    void showCode();
    void toneTypeTexts();
};

void TestToneCodec::tableSizes()
{
    QCOMPARE(kListedCtcss.size(), 38);
    QCOMPARE(kListedDcs.size(), 104);
    QCOMPARE(kCtcssToneCount, 38);
    QCOMPARE(kDcsCodeCount, 104);
}

void TestToneCodec::everyCtcssIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("tone");
    for (int i = 0; i < kListedCtcss.size(); ++i)
        QTest::addRow("C_%03d", i + 1) << i << kListedCtcss[i];
}

void TestToneCodec::everyCtcssIndex()
{
    QFETCH(int, index);
    QFETCH(QString, tone);
    const QString number = QString::number(index + 1).rightJustified(3, '0');
    QCOMPARE(q(ctcssDisplayText(index)), "C_" + number + "(" + tone + "Hz)");
    QCOMPARE(q(ctcssShowText(index)), tone);

    // Tone text -> code -> tone text, for both languages.
    const QString code = QString::number(qRound(tone.toDouble() * 10)).rightJustified(4, '0');
    QCOMPARE(q(ctcssToneCode(index)), code);
    for (int language : {English, Chinese}) {
        QCOMPARE(q(GetCTCSS_DCSByShow(tone.toStdString(), language)), code);
        QCOMPARE(q(ShowCTCSS_DCS(code.toStdString(), language)), tone);
    }
    QCOMPARE(toneFromCode(code.toStdString()), (ToneChoice{ToneCtcss, index}));
}

void TestToneCodec::everyDcsCode_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("digits");
    for (int i = 0; i < kListedDcs.size(); ++i)
        QTest::addRow("D_%03d", i + 1) << i << kListedDcs[i];
}

void TestToneCodec::everyDcsCode()
{
    QFETCH(int, index);
    QFETCH(QString, digits);
    const QString number = QString::number(index + 1).rightJustified(3, '0');
    QCOMPARE(q(dcsDisplayText(index)), "D_" + number + "(" + digits + "N)");
    const QString shown = "D" + digits + "N";
    QCOMPARE(q(dcsShowText(index)), shown);

    const QString code = "8" + digits;
    QCOMPARE(q(dcsToneCode(index)), code);
    for (int language : {English, Chinese}) {
        QCOMPARE(q(GetCTCSS_DCSByShow(shown.toStdString(), language)), code);
        QCOMPARE(q(ShowCTCSS_DCS(code.toStdString(), language)), shown);
    }
    QCOMPARE(toneFromCode(code.toStdString()), (ToneChoice{ToneDcs, index}));
}

void TestToneCodec::tonesOutsideTheTable()
{
    for (const char *tone : {"69.3", "159.8", "165.5", "171.3", "177.3", "183.5", "189.9", "196.6",
                             "199.5", "206.5", "229.1", "254.1"}) {
        const std::string code = GetCTCSS_DCSByShow(tone, English);
        QCOMPARE(toneFromCode(code), ToneChoice{});
    }
    QCOMPARE(toneFromCode("8024"), ToneChoice{}); // D024N is no code of the radio
    QCOMPARE(toneFromCode("0"), ToneChoice{});
    QCOMPARE(toneFromCode("067"), ToneChoice{});
    QCOMPARE(toneFromCode("ABCD"), ToneChoice{});
}

void TestToneCodec::indexesOutsideTheTables()
{
    for (int index : {-1, 38, 1000}) {
        QVERIFY(ctcssDisplayText(index).empty());
        QVERIFY(ctcssShowText(index).empty());
        QVERIFY(ctcssToneCode(index).empty());
    }
    for (int index : {-1, 104, 1000}) {
        QVERIFY(dcsDisplayText(index).empty());
        QVERIFY(dcsShowText(index).empty());
        QVERIFY(dcsToneCode(index).empty());
    }
}

void TestToneCodec::getByShow_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::newRow("Off, English") << "Off" << int(English) << "0";
    QTest::newRow("Off, Chinese") << "关" << int(Chinese) << "0";
    QTest::newRow("English Off in Chinese is no tone") << "Off" << int(Chinese) << "0";
    QTest::newRow("67.0") << "67.0" << int(English) << "0670";
    QTest::newRow("250.3") << "250.3" << int(English) << "2503";
    QTest::newRow("whole number") << "100" << int(English) << "1000";
    QTest::newRow("D023N") << "D023N" << int(English) << "8023";
    QTest::newRow("polarity letter ignored") << "D754I" << int(English) << "8754";
    QTest::newRow("short DCS text") << "D23" << int(English) << "8023";
    QTest::newRow("DCS without digits") << "DXYZ" << int(English) << "8000";
    QTest::newRow("letters") << "abc" << int(English) << "0";
    QTest::newRow("empty") << "" << int(English) << "0";
    QTest::newRow("too large for a code") << "1000" << int(English) << "0";
    QTest::newRow("negative") << "-67.0" << int(English) << "0";
}

void TestToneCodec::getByShow()
{
    QFETCH(QString, shown);
    QFETCH(int, language);
    QFETCH(QString, code);
    QCOMPARE(q(GetCTCSS_DCSByShow(shown.toStdString(), language)), code);
}

void TestToneCodec::showCode_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("shown");
    QTest::newRow("8754") << QByteArray("8754") << int(English) << "D754N";
    QTest::newRow("0670") << QByteArray("0670") << int(English) << "67.0";
    QTest::newRow("2503") << QByteArray("2503") << int(English) << "250.3";
    QTest::newRow("two characters") << QByteArray("67") << int(English) << "Off";
    QTest::newRow("two characters, Chinese") << QByteArray("67") << int(Chinese) << "关";
    QTest::newRow("Off code") << QByteArray("0") << int(English) << "Off";
    QTest::newRow("empty") << QByteArray("") << int(English) << "Off";
    QTest::newRow("blanks around") << QByteArray(" 0670 ") << int(English) << "67.0";
    QTest::newRow("cut at NUL") << QByteArray("0670\0"
                                              "99",
                                              7)
                                << int(English) << "67.0";
    QTest::newRow("letter first") << QByteArray("X670") << int(English) << "Off";
    QTest::newRow("five characters") << QByteArray("06700") << int(English) << "Off";
}

void TestToneCodec::showCode()
{
    QFETCH(QByteArray, code);
    QFETCH(int, language);
    QFETCH(QString, shown);
    const std::string text(code.constData(), static_cast<std::size_t>(code.size()));
    QCOMPARE(q(ShowCTCSS_DCS(text, language)), shown);
}

void TestToneCodec::toneTypeTexts()
{
    QCOMPARE(toneTypeText(ToneOff, English), std::string_view("Off"));
    QCOMPARE(toneTypeText(ToneOff, Chinese), std::string_view("关"));
    QCOMPARE(toneTypeText(ToneCtcss, English), std::string_view("CTCSS"));
    QCOMPARE(toneTypeText(ToneDcs, Chinese), std::string_view("DCS"));
    QCOMPARE(toneTypeText(3, English), std::string_view("Off"));
}

QTEST_APPLESS_MAIN(TestToneCodec)
#include "tst_tonecodec.moc"
