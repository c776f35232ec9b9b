#include <QTest>

#include "kernel/IniDocument.h"
#include "link/PortSettings.h"

using Keys = std::vector<std::string>;
Q_DECLARE_METATYPE(Keys)
Q_DECLARE_METATYPE(PortAliases)

// The keys of an INI section and the port aliases read through them.
class TestPortSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysOfASection_data();
    void keysOfASection();
    void aliasesFromTheSettingsFile_data();
    void aliasesFromTheSettingsFile();
};

void TestPortSettings::keysOfASection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Keys>("keys");

    QTest::newRow("missing section") << QByteArray("[language]\r\ncomPort=1\r\n") << Keys{};
    QTest::newRow("file order, values untrimmed")
        << QByteArray("[ports]\r\nCOM7 = /dev/pts/5\r\nCOM3=/dev/ttyUSB0\r\n")
        << Keys{"COM7", "COM3"};
    QTest::newRow("only its own section")
        << QByteArray("[a]\nx=1\n[Ports]\nCOM1=a\n[b]\ny=2\n") << Keys{"COM1"};
    QTest::newRow("comments, blanks and lines without =")
        << QByteArray("[ports]\n; COM9=x\n\nnoise\n#COM8=y\nCOM2=z") << Keys{"COM2"};
    QTest::newRow("repeated section and key listed once")
        << QByteArray("[ports]\nCOM1=a\n[x]\n[PORTS]\ncom1=b\nCOM4=c\n") << Keys{"COM1", "COM4"};
    QTest::newRow("byte-order mark")
        << QByteArray("\xEF\xBB\xBF[ports]\r\nCOM5=d\r\n") << Keys{"COM5"};
}

void TestPortSettings::keysOfASection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Keys, keys);
    MemoryIniStore store(bytes.toStdString());
    QCOMPARE(store.keys("ports"), keys);
    QCOMPARE(store.document.keys("PORTS"), keys);
}

void TestPortSettings::aliasesFromTheSettingsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PortAliases>("aliases");

    QTest::newRow("none") << QByteArray("[language]\r\ncomPort=7\r\n") << PortAliases{};
    QTest::newRow("two") << QByteArray("[ports]\r\nCOM7=/dev/pts/5\r\nCOM3=/dev/ttyUSB0\r\n")
                         << PortAliases{{3, "/dev/ttyUSB0"}, {7, "/dev/pts/5"}};
    QTest::newRow("letter case of the key")
        << QByteArray("[ports]\ncom12=/dev/x\n") << PortAliases{{12, "/dev/x"}};
    QTest::newRow("not a port number, empty, COM0")
        << QByteArray("[ports]\nCOMX=/dev/a\nCOM4=\nCOM0=/dev/b\nPort5=/dev/c\nCOM6=/dev/d\n")
        << PortAliases{{6, "/dev/d"}};
    QTest::newRow("first of a repeated key")
        << QByteArray("[ports]\nCOM2=/dev/first\nCOM2=/dev/second\n")
        << PortAliases{{2, "/dev/first"}};
}

void TestPortSettings::aliasesFromTheSettingsFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PortAliases, aliases);
    MemoryIniStore store(bytes.toStdString());
    QCOMPARE(readPortAliases(store), aliases);
}

QTEST_APPLESS_MAIN(TestPortSettings)
#include "tst_portsettings.moc"
