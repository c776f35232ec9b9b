#include <QTest>

#include "kernel/IniDocument.h"

namespace {

// A file as Windows tools write it: CRLF endings, comments, mixed case, blank lines.
const QByteArray kWindowsFile = "; ORX-740 settings\r\n"
                                "[language]\r\n"
                                "IsFirstRun=0\r\n"
                                "  COMPORT = 3  \r\n"
                                "; the stop bits\r\n"
                                "StopBit=0\r\n"
                                "\r\n"
                                "[ports]\r\n"
                                "COM3=/dev/ttyUSB0\r\n";

IniDocument document(const QByteArray &bytes)
{
    return IniDocument(bytes.toStdString());
}

QByteArray bytesOf(const IniDocument &document)
{
    return QByteArray::fromStdString(document.bytes());
}

} // namespace

class TestIniDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void write_data();
    void write();
    void refusesValuesThatBreakLines_data();
    void refusesValuesThatBreakLines();
    void memoryStoreRoundTrip();
};

void TestIniDocument::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("exact") << kWindowsFile << "language"
                           << "IsFirstRun" << true << "0";
    QTest::newRow("key case and blanks") << kWindowsFile << "language"
                                         << "comPort" << true << "3";
    QTest::newRow("section case") << kWindowsFile << "LANGUAGE"
                                  << "stopbit" << true << "0";
    QTest::newRow("other section") << kWindowsFile << "Ports"
                                   << "com3" << true << "/dev/ttyUSB0";
    QTest::newRow("key in another section") << kWindowsFile << "ports"
                                            << "StopBit" << false << "";
    QTest::newRow("missing key") << kWindowsFile << "language"
                                 << "CurrentLanguage" << false << "";
    QTest::newRow("missing section") << kWindowsFile << "Settings"
                                     << "IsFirstRun" << false << "";
    QTest::newRow("comment is no key") << QByteArray("[a]\n;x=1\n") << "a"
                                       << ";x" << false << "";
    QTest::newRow("LF only, no final newline") << QByteArray("[a]\nx = 7") << "a"
                                               << "x" << true << "7";
    QTest::newRow("empty value") << QByteArray("[a]\r\nx=\r\n") << "a"
                                 << "x" << true << "";
    QTest::newRow("value keeps inner blanks and =") << QByteArray("[a]\r\nx= p = q \r\n") << "a"
                                                    << "x" << true << "p = q";
    QTest::newRow("empty file") << QByteArray() << "a"
                                << "x" << false << "";
}

void TestIniDocument::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const auto result = document(file).value(section.toStdString(), key.toStdString());
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(QString::fromStdString(*result), value);
}

void TestIniDocument::write_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("existing key keeps its spelling and the rest of the file")
        << kWindowsFile << "LANGUAGE"
        << "comport"
        << "4"
        << QByteArray("; ORX-740 settings\r\n"
                      "[language]\r\n"
                      "IsFirstRun=0\r\n"
                      "  COMPORT =4\r\n"
                      "; the stop bits\r\n"
                      "StopBit=0\r\n"
                      "\r\n"
                      "[ports]\r\n"
                      "COM3=/dev/ttyUSB0\r\n");
    QTest::newRow("new key at the end of its section, before the blank line")
        << kWindowsFile << "language"
        << "CurrentLanguage"
        << "2"
        << QByteArray("; ORX-740 settings\r\n"
                      "[language]\r\n"
                      "IsFirstRun=0\r\n"
                      "  COMPORT = 3  \r\n"
                      "; the stop bits\r\n"
                      "StopBit=0\r\n"
                      "CurrentLanguage=2\r\n"
                      "\r\n"
                      "[ports]\r\n"
                      "COM3=/dev/ttyUSB0\r\n");
    QTest::newRow("new key in the last section")
        << kWindowsFile << "ports"
        << "COM4"
        << "/dev/ttyS0" << kWindowsFile + "COM4=/dev/ttyS0\r\n";
    QTest::newRow("new section at the end")
        << kWindowsFile << "Settings"
        << "MainLeft"
        << "100" << kWindowsFile + "[Settings]\r\nMainLeft=100\r\n";
    QTest::newRow("last line without ending") << QByteArray("[a]\r\nx=1") << "a"
                                              << "y"
                                              << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("section header on the last line") << QByteArray("[a]") << "a"
                                                     << "y"
                                                     << "2" << QByteArray("[a]\r\ny=2\r\n");
    QTest::newRow("LF file stays LF") << QByteArray("[a]\nx=1\n") << "b"
                                      << "y"
                                      << "2" << QByteArray("[a]\nx=1\n[b]\ny=2\n");
    QTest::newRow("empty file gets CRLF") << QByteArray() << "language"
                                          << "IsFirstRun"
                                          << "1" << QByteArray("[language]\r\nIsFirstRun=1\r\n");
    QTest::newRow("comment after the last key stays after the new key")
        << QByteArray("[a]\r\nx=1\r\n; about b\r\n[b]\r\n") << "a"
        << "y"
        << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n; about b\r\n[b]\r\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[language]\r\ncomPort=2\r\n") << "language"
        << "comPort"
        << "5" << QByteArray("\xEF\xBB\xBF[language]\r\ncomPort=5\r\n");
    QTest::newRow("same value leaves the bytes alone") << kWindowsFile << "language"
                                                       << "IsFirstRun"
                                                       << "0" << kWindowsFile;
}

void TestIniDocument::write()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    IniDocument ini = document(file);
    QVERIFY(ini.setValue(section.toStdString(), key.toStdString(), value.toStdString()));
    QCOMPARE(bytesOf(ini), expected);
    QCOMPARE(QString::fromStdString(ini.valueOr(section.toStdString(), key.toStdString())), value);
}

void TestIniDocument::refusesValuesThatBreakLines_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("newline in value") << "a"
                                      << "x"
                                      << "1\r\n[b]";
    QTest::newRow("= in key") << "a"
                              << "x=y"
                              << "1";
    QTest::newRow("] in section") << "a]b"
                                  << "x"
                                  << "1";
    QTest::newRow("empty key") << "a"
                               << " "
                               << "1";
    QTest::newRow("comment key") << "a"
                                 << ";x"
                                 << "1";
}

void TestIniDocument::refusesValuesThatBreakLines()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    IniDocument ini = document(kWindowsFile);
    QVERIFY(!ini.setValue(section.toStdString(), key.toStdString(), value.toStdString()));
    QCOMPARE(bytesOf(ini), kWindowsFile);
}

void TestIniDocument::memoryStoreRoundTrip()
{
    MemoryIniStore store;
    QCOMPARE(store.readString("language", "comPort"), std::string());
    QVERIFY(store.writeString("language", "comPort", "2"));
    QVERIFY(store.writeString("LANGUAGE", "COMPORT", "5"));
    QCOMPARE(store.readString("language", "comPort"), std::string("5"));
    QCOMPARE(bytesOf(store.document), QByteArray("[language]\r\ncomPort=5\r\n"));
}

QTEST_APPLESS_MAIN(TestIniDocument)
#include "tst_inidocument.moc"
