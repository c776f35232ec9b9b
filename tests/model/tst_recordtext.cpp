#include <QTest>

#include "model/QtRecordTextCodec.h"

// Record texts are bytes of the system's code page: what is stored reads back as typed, a text is
// cut only between characters, and what the code page cannot hold is refused.
class TestRecordText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedTextReadsBackAsTyped_data();
    void storedTextReadsBackAsTyped();
    void brokenBytesShowAsReplacement();
    void listingsShowEveryStoredByte_data();
    void listingsShowEveryStoredByte();
    void codePageOfTheLocale_data();
    void codePageOfTheLocale();
};

void TestRecordText::storedTextReadsBackAsTyped_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("status");
    const int ok = int(RecordTextStatus::Ok);
    const int cut = int(RecordTextStatus::Cut);
    const int refused = int(RecordTextStatus::NotInCodePage);
    QTest::newRow("ASCII padded") << 936 << "A" << 2 << QByteArray("A ") << "A" << ok;
    QTest::newRow("GBK fills the name") << 936 << "中" << 2 << QByteArray("\xd6\xd0") << "中" << ok;
    QTest::newRow("GBK cut before the second character")
        << 936 << "中文" << 2 << QByteArray("\xd6\xd0") << "中" << cut;
    QTest::newRow("GBK not split after a letter")
        << 936 << "A中" << 2 << QByteArray("A ") << "A" << cut;
    QTest::newRow("Western accent") << 1252 << "é" << 2 << QByteArray("\xe9 ") << "é" << ok;
    QTest::newRow("Cyrillic") << 1251 << "Жук" << 16 << QByteArray("\xc6\xf3\xea             ")
                              << "Жук" << ok;
    QTest::newRow("Chinese on a Western page")
        << 1252 << "中" << 2 << QByteArray() << "" << refused;
    QTest::newRow("refused beyond the cut too")
        << 1252 << "AB中" << 2 << QByteArray() << "" << refused;
    QTest::newRow("emoji in GBK") << 936 << "\U0001F600" << 2 << QByteArray() << "" << refused;
}

void TestRecordText::storedTextReadsBackAsTyped()
{
    QFETCH(int, codePage);
    QFETCH(QString, typed);
    QFETCH(int, size);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(int, status);
    const QtRecordTextCodec codec(codePage);
    QVERIFY(codec.isValid());
    const EncodedRecordText encoded =
        encodeRecordText(codec, typed.toStdString(), static_cast<std::size_t>(size));
    QCOMPARE(int(encoded.status), status);
    QCOMPARE(QByteArray::fromStdString(encoded.bytes), stored);
    if (!stored.isEmpty())
        QCOMPARE(QString::fromStdString(recordTextToUtf8(codec, encoded.bytes)), shown);
}

void TestRecordText::brokenBytesShowAsReplacement()
{
    // Half a GBK character, as an older program that cut bytes left it, and a NUL cut.
    const QtRecordTextCodec gbk(936);
    QCOMPARE(QString::fromStdString(recordTextToUtf8(gbk, std::string_view("A\xd6", 2))),
             QStringLiteral("A\uFFFD"));
    QCOMPARE(QString::fromStdString(recordTextToUtf8(gbk, std::string_view("B\0\xd6", 3))),
             QStringLiteral("B"));
    const std::string shown = recordTextToUtf8(gbk, "\xff\xfe\x80");
    QVERIFY(QString::fromUtf8(shown).toUtf8().toStdString() == shown);
}

void TestRecordText::listingsShowEveryStoredByte_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("NUL padding") << QByteArray("A\0", 2) << "\"A\\0\"";
    QTest::newRow("space padding") << QByteArray("A ") << "\"A \"";
    QTest::newRow("GBK character") << QByteArray("\xd6\xd0") << "\"中\"";
    QTest::newRow("control and quote") << QByteArray("\x01\"") << "\"\\x01\\\"\"";
    QTest::newRow("half a character") << QByteArray("\xd6 ") << "\"\uFFFD \"";
}

void TestRecordText::listingsShowEveryStoredByte()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QVERIFY(setSystemRecordTextCodePage(936));
    QCOMPARE(QString::fromStdString(visibleRecordBytes(stored.toStdString())), shown);
    QCOMPARE(&recordTextCodec(), &systemRecordTextCodec());
}

void TestRecordText::codePageOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("codePage");
    QTest::newRow("zh_CN") << "zh_CN.UTF-8" << 936;
    QTest::newRow("zh_TW") << "zh_TW" << 950;
    QTest::newRow("zh-Hant-HK") << "zh-Hant-HK" << 950;
    QTest::newRow("ja_JP") << "ja_JP" << 932;
    QTest::newRow("ru_RU") << "ru_RU.UTF-8" << 1251;
    QTest::newRow("pl_PL") << "pl_PL" << 1250;
    QTest::newRow("de_DE") << "de_DE@euro" << 1252;
    QTest::newRow("C") << "C" << 1252;
    QTest::newRow("empty") << "" << 1252;
}

void TestRecordText::codePageOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(int, codePage);
    QCOMPARE(ansiCodePageForLocale(locale.toStdString()), codePage);
}

QTEST_APPLESS_MAIN(TestRecordText)
#include "tst_recordtext.moc"
