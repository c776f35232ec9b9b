#include <QTest>

#include "link/SerialPortInfo.h"

// How the Windows port listing reads the registry's SERIALCOMM map and the device records.
class TestSerialPortInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void usbIds_data();
    void usbIds();
    void serialNumbers_data();
    void serialNumbers();
    void descriptions_data();
    void descriptions();
    void serialCommMap();
};

void TestSerialPortInfo::usbIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("vendor"); // -1: no ids
    QTest::addColumn<int>("product");
    QTest::newRow("CH340") << "USB\\VID_1A86&PID_7523&REV_0264" << 0x1a86 << 0x7523;
    QTest::newRow("lower case") << "usb\\vid_067b&pid_2303" << 0x067b << 0x2303;
    QTest::newRow("FTDI bus, + between parts")
        << "FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000" << 0x0403 << 0x6001;
    QTest::newRow("built-in port") << "ACPI\\PNP0501" << -1 << -1;
    QTest::newRow("too few digits") << "USB\\VID_1A8&PID_7523" << -1 << -1;
    QTest::newRow("not hex") << "USB\\VID_1A8Z&PID_7523" << -1 << -1;
    QTest::newRow("no product") << "USB\\VID_1A86" << -1 << -1;
    QTest::newRow("inside another word") << "USB\\XVID_1A86&XPID_7523" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
}

void TestSerialPortInfo::usbIds()
{
    QFETCH(QString, id);
    QFETCH(int, vendor);
    QFETCH(int, product);
    const auto ids = usbIdsFromHardwareId(id.toStdString());
    QCOMPARE(ids.has_value(), vendor >= 0);
    if (ids) {
        QCOMPARE(int(ids->vendorId), vendor);
        QCOMPARE(int(ids->productId), product);
    }
}

void TestSerialPortInfo::serialNumbers_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("serial");
    QTest::newRow("FTDI with a serial") << "USB\\VID_0403&PID_6001\\A50285BI"
                                        << "A50285BI";
    QTest::newRow("made up by Windows") << "USB\\VID_1A86&PID_7523\\5&2B3C4D&0&2"
                                        << "";
    QTest::newRow("built-in port") << "ACPI\\PNP0501\\1"
                                   << "";
    QTest::newRow("USB without a last part") << "USB\\VID_0403&PID_6001\\"
                                             << "";
    QTest::newRow("just the bus") << "USB\\"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSerialPortInfo::serialNumbers()
{
    QFETCH(QString, instance);
    QFETCH(QString, serial);
    QCOMPARE(QString::fromStdString(serialNumberFromInstanceId(instance.toStdString())), serial);
}

void TestSerialPortInfo::descriptions_data()
{
    QTest::addColumn<QString>("friendly");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("description");
    QTest::newRow("USB cable") << "USB-SERIAL CH340 (COM3)"
                               << "COM3"
                               << "USB-SERIAL CH340";
    QTest::newRow("two digits") << "Prolific USB-to-Serial Comm Port (COM12)"
                                << "COM12"
                                << "Prolific USB-to-Serial Comm Port";
    QTest::newRow("another port's number") << "Prolific USB-to-Serial Comm Port (COM12)"
                                           << "COM1"
                                           << "Prolific USB-to-Serial Comm Port (COM12)";
    QTest::newRow("case and spaces") << " Communications Port (com1) "
                                     << "COM1"
                                     << "Communications Port";
    QTest::newRow("nothing but the port") << "(COM3)"
                                          << "COM3"
                                          << "(COM3)";
    QTest::newRow("no friendly name") << ""
                                      << "COM3"
                                      << "";
}

void TestSerialPortInfo::descriptions()
{
    QFETCH(QString, friendly);
    QFETCH(QString, port);
    QFETCH(QString, description);
    QCOMPARE(QString::fromStdString(
                 descriptionWithoutPortName(friendly.toStdString(), port.toStdString())),
             description);
}

void TestSerialPortInfo::serialCommMap()
{
    SerialPortInfo ch340;
    ch340.port = {"COM3", ""};
    ch340.description = "USB-SERIAL CH340 (COM3)";
    ch340.manufacturer = "wch.cn";
    ch340.vendorId = 0x1a86;
    ch340.productId = 0x7523;
    SerialPortInfo absent;
    absent.port = {"COM9", ""};
    absent.description = "Unplugged (COM9)";
    // Values in the map's own order; names padded, twice, in lower case, of other devices, or
    // beyond the three digits a port number has.
    const std::vector<std::string> values{"COM3", " COM1 ", "COM3", "LPT1", "COM1000", "com7", ""};
    const auto ports = portsFromSerialComm(values, {absent, ch340});

    SerialPortInfo com3 = ch340;
    com3.port = {"COM3", "COM3"};
    com3.description = "USB-SERIAL CH340";
    SerialPortInfo com1;
    com1.port = {"COM1", "COM1"};
    SerialPortInfo com7;
    com7.port = {"COM7", "COM7"};
    QCOMPARE(ports.size(), std::size_t(3));
    QVERIFY(ports[0] == com3);
    QVERIFY(ports[1] == com1);
    QVERIFY(ports[2] == com7);
    QVERIFY(portsFromSerialComm({}, {ch340}).empty());
}

QTEST_APPLESS_MAIN(TestSerialPortInfo)
#include "tst_serialportinfo.moc"
