#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "link/PortFacts.h"

// A fake system: a CH340 held by brltty, a counterfeit PL2303, an FTDI held by ModemManager and
// a PC serial port that only group dialout may open.
class TestPortFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void facts_data();
    void facts();
    void chineseLines();
    void rootOwnedDeviceNamesTheRule();
    void openFailureText();
    void jsonHasEveryKey();
    void newPortsAreTheAddedOnes();
    void cliListsTheFakeTree();
    void cliWaitsForANewPort();

private:
    void write(const QString &path, const QByteArray &bytes);
    void addUsbTty(const QString &name, const QByteArray &vid, const QByteArray &pid,
                   const QByteArray &product, const QString &driver);
    void addHolder(int pid, const QByteArray &name, const QString &device);
    PortFacts describe(const QString &devicePath, bool alias = false);

    QTemporaryDir m_dir;
    SystemRoot m_root;
    QString m_cli;
};

void TestPortFacts::write(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir(m_dir.path()).mkpath(QFileInfo(m_dir.filePath(path)).path()));
    QFile file(m_dir.filePath(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestPortFacts::addUsbTty(const QString &name, const QByteArray &vid, const QByteArray &pid,
                              const QByteArray &product, const QString &driver)
{
    const QString device = "sys/class/tty/" + name + "/device/";
    write(device + "idVendor", vid + "\n");
    write(device + "idProduct", pid + "\n");
    write(device + "product", product + "\n");
    write(device + "manufacturer", "Maker\n");
    write(device + "serial", "S" + name.toLatin1() + "\n");
    QVERIFY(QDir(m_dir.path()).mkpath("sys/bus/usb-serial/drivers/" + driver));
    QVERIFY(QFile::link(m_dir.filePath("sys/bus/usb-serial/drivers/" + driver),
                        m_dir.filePath(device + "driver")));
    write("dev/" + name, {});
}

void TestPortFacts::addHolder(int pid, const QByteArray &name, const QString &device)
{
    const QString proc = "proc/" + QString::number(pid);
    write(proc + "/comm", name + "\n");
    QVERIFY(QDir(m_dir.path()).mkpath(proc + "/fd"));
    QVERIFY(QFile::link(device, m_dir.filePath(proc + "/fd/5")));
}

void TestPortFacts::initTestCase()
{
    QVERIFY(m_dir.isValid());
    addUsbTty("ttyUSB0", "1a86", "7523", "USB Serial", "ch341-uart");
    addUsbTty("ttyUSB1", "067b", "2303",
              "THIS IS NOT PROLIFIC PL2303. PLEASE CONTACT YOUR SUPPLIER.", "pl2303");
    addUsbTty("ttyUSB2", "0403", "6001", "FT232R USB UART", "ftdi_sio");
    QVERIFY(QDir(m_dir.path()).mkpath("sys/class/tty/ttyS0/device"));
    QVERIFY(QDir(m_dir.path()).mkpath("sys/class/tty/tty1"));
    write("dev/ttyS0", {});
    QVERIFY(QDir(m_dir.path()).mkpath("dev/pts"));
    addHolder(990, "brltty", "/dev/ttyUSB0");
    addHolder(812, "ModemManager", "/dev/ttyUSB2");
    addHolder(1000, "bash", "/dev/pts/0");
    const QByteArray gid = QByteArray::number(QFileInfo(m_dir.filePath("dev/ttyS0")).groupId());
    write("etc/group", "dialout:x:" + gid + ":\nusers:x:100:\n");
    // Everybody may open the USB devices; the PC port only its owner and group.
    for (const char *name : {"ttyUSB0", "ttyUSB1", "ttyUSB2"})
        QVERIFY(::chmod(qPrintable(m_dir.filePath(QString("dev/") + name)), 0666) == 0);
    QVERIFY(::chmod(qPrintable(m_dir.filePath("dev/ttyS0")), 0660) == 0);
    m_root.path = m_dir.path().toStdString();
    m_root.uid = ::getuid() + 1;
    m_root.gids = std::vector<unsigned>{};
    m_root.filesAreDevices = true;
    m_cli = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/orx740-cli";
}

PortFacts TestPortFacts::describe(const QString &devicePath, bool alias)
{
    const std::string path = devicePath.toStdString();
    const std::string name = QFileInfo(devicePath).fileName().toStdString();
    return describePort(m_root, PortEntry{portNumberForName(name), path, alias});
}

void TestPortFacts::facts_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("ids");
    QTest::addColumn<int>("access");
    QTest::addColumn<bool>("counterfeit");
    QTest::addColumn<QStringList>("line");
    QTest::newRow("CH340 held by brltty")
        << "/dev/ttyUSB0"
        << "CH340/CH341"
        << "1a86:7523" << int(PortAccess::Busy) << false
        << QStringList{"COM101 (/dev/ttyUSB0)", "brltty (pid 990)", "sudo apt remove brltty",
                       "udev rule"};
    QTest::newRow("counterfeit PL2303") << "/dev/ttyUSB1"
                                        << "PL2303"
                                        << "067b:2303" << int(PortAccess::Openable) << true
                                        << QStringList{"can be opened", "counterfeit PL2303"};
    QTest::newRow("FTDI held by ModemManager")
        << "/dev/ttyUSB2"
        << "FTDI"
        << "0403:6001" << int(PortAccess::Busy) << false
        << QStringList{"ModemManager (pid 812)", "sudo systemctl stop ModemManager",
                       "ID_MM_DEVICE_IGNORE"};
    QTest::newRow("PC port of group dialout")
        << "/dev/ttyS0"
        << ""
        << "" << int(PortAccess::NoPermission) << false
        << QStringList{"COM1 (/dev/ttyS0)", "group dialout", "sudo usermod -aG dialout $USER",
                       "then log out and in again"};
    QTest::newRow("unplugged") << "/dev/ttyUSB7"
                               << ""
                               << "" << int(PortAccess::Missing) << false
                               << QStringList{"unplugged"};
    QTest::newRow("a folder") << "/dev/pts"
                              << ""
                              << "" << int(PortAccess::NotATerminal) << false
                              << QStringList{"is not a serial port"};
}

void TestPortFacts::facts()
{
    QFETCH(QString, device);
    QFETCH(QString, chip);
    QFETCH(QString, ids);
    QFETCH(int, access);
    QFETCH(bool, counterfeit);
    QFETCH(QStringList, line);
    const PortFacts facts = describe(device);
    QCOMPARE(QString::fromStdString(facts.chip), chip);
    const QString actualIds =
        facts.vendorId && facts.productId
            ? QString::asprintf("%04x:%04x", *facts.vendorId, *facts.productId)
            : QString();
    QCOMPARE(actualIds, ids);
    QCOMPARE(facts.usb, !ids.isEmpty());
    QCOMPARE(int(facts.access), access);
    QCOMPARE(facts.counterfeitChip, counterfeit);
    const QString text = QString::fromStdString(portAccessLine(facts, 1));
    QVERIFY2(!text.contains('\n'), qPrintable(text));
    for (const QString &part : line)
        QVERIFY2(text.contains(part), qPrintable(text));
    const QString summary = QString::fromStdString(portSummaryLine(facts, 1));
    QVERIFY2(summary.startsWith(QString::fromStdString(comName(facts.number)) + "  " + device),
             qPrintable(summary));
    QVERIFY2(summary.contains(ids) && summary.contains(chip), qPrintable(summary));
}

void TestPortFacts::chineseLines()
{
    const QString busy = QString::fromStdString(portAccessLine(describe("/dev/ttyUSB0"), 2));
    QVERIFY2(busy.contains("占用") && busy.contains("sudo apt remove brltty"), qPrintable(busy));
    const QString denied = QString::fromStdString(portAccessLine(describe("/dev/ttyS0"), 2));
    QVERIFY2(denied.contains("dialout") && denied.contains("注销"), qPrintable(denied));
}

void TestPortFacts::rootOwnedDeviceNamesTheRule()
{
    PortFacts facts;
    facts.number = 101;
    facts.devicePath = "/dev/ttyUSB0";
    facts.access = PortAccess::NoPermission;
    facts.group = "root";
    for (int language : {1, 2}) {
        const QString text = QString::fromStdString(portAccessLine(facts, language));
        QVERIFY2(!text.contains("usermod") && text.contains("60-orx740-cables.rules"),
                 qPrintable(text));
    }
}

void TestPortFacts::openFailureText()
{
    const QStringList english =
        QString::fromStdString(portOpenFailureText(describe("/dev/ttyUSB2"), 1)).split("\r\n");
    QCOMPARE(english.size(), 2);
    QCOMPARE(english[0], "Cannot Open Communication Port.");
    QVERIFY(english[1].contains("ModemManager"));
    QVERIFY(QString::fromStdString(portOpenFailureText(describe("/dev/ttyUSB7"), 2))
                .startsWith("无法打开通信端口。\r\n"));
    PortFacts unlisted;
    unlisted.number = 79;
    unlisted.access = PortAccess::Missing;
    QVERIFY(
        QString::fromStdString(portOpenFailureText(unlisted, 1)).contains("no serial port COM79"));
    // A counterfeit chip that may be opened, yet the open failed: the chip is named in both
    // languages.
    for (const int language : {English, Chinese})
        QVERIFY(QString::fromStdString(portOpenFailureText(describe("/dev/ttyUSB1"), language))
                    .endsWith(QString::fromUtf8(textFor(PortFactsTexts::kCounterfeit, language))));
}

void TestPortFacts::jsonHasEveryKey()
{
    const std::vector<PortFacts> ports{describe("/dev/ttyUSB0"), describe("/dev/ttyS0", true)};
    QJsonParseError error;
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromStdString(portFactsJson(ports)), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(json.array().size(), 2);
    const QJsonObject ch340 = json.array()[0].toObject();
    const QStringList keys{
        "number",          "comName",      "devicePath",   "systemName", "alias",     "usb",
        "description",     "manufacturer", "serialNumber", "vendorId",   "productId", "chip",
        "counterfeitChip", "access",       "group",        "holders",    "accessText"};
    for (const QString &key : keys)
        QVERIFY2(ch340.contains(key), qPrintable(key));
    QCOMPARE(ch340["vendorId"].toString(), "1a86");
    QCOMPARE(ch340["access"].toString(), "busy");
    QCOMPARE(ch340["holders"].toArray()[0].toObject()["name"].toString(), "brltty");
    const QJsonObject pc = json.array()[1].toObject();
    QVERIFY(pc["vendorId"].isNull());
    QCOMPARE(pc["alias"].toBool(), true);
    QCOMPARE(pc["group"].toString(), "dialout");
}

void TestPortFacts::newPortsAreTheAddedOnes()
{
    const PortFacts ch340 = describe("/dev/ttyUSB0");
    const PortFacts ftdi = describe("/dev/ttyUSB2");
    PortFacts aliasGone = describe("/dev/ttyUSB7", true);
    QVERIFY(newPorts({ch340, ftdi}, {ch340, ftdi}).empty());
    const auto added = newPorts({ch340, aliasGone}, {ch340, ftdi, aliasGone});
    QCOMPARE(added.size(), std::size_t(1));
    QCOMPARE(added[0].devicePath, "/dev/ttyUSB2");
    // An alias whose device shows up counts as new; one still missing never does.
    aliasGone.access = PortAccess::Openable;
    QCOMPARE(newPorts({describe("/dev/ttyUSB7", true)}, {aliasGone}).size(), std::size_t(1));
}

void TestPortFacts::cliListsTheFakeTree()
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORX740_SYSTEM_ROOT", m_dir.path());
    cli.setProcessEnvironment(environment);
    cli.start(m_cli, {"ports", "--json"});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    QJsonParseError error;
    const QJsonArray ports = QJsonDocument::fromJson(cli.readAllStandardOutput(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QStringList paths;
    for (const auto &port : ports)
        paths << port.toObject().value("devicePath").toString();
    QVERIFY2(paths.mid(paths.size() - 4) ==
                 (QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2"}),
             qPrintable(paths.join(' ')));
    QCOMPARE(ports.last()["chip"].toString(), "FTDI");
}

void TestPortFacts::cliWaitsForANewPort()
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORX740_SYSTEM_ROOT", m_dir.path());
    cli.setProcessEnvironment(environment);
    cli.start(m_cli, {"ports", "--wait-new", "--timeout", "20"});
    QVERIFY(cli.waitForReadyRead(10000));
    QVERIFY(cli.readLine().startsWith("Unplug the cable, then press Enter."));
    cli.write("\n");
    QVERIFY(cli.waitForReadyRead(10000));
    QVERIFY(cli.readLine().startsWith("Plug the cable in."));
    addUsbTty("ttyACM0", "10c4", "ea60", "CP2102 USB to UART", "cp210x");
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    const QString line = QString::fromUtf8(cli.readAllStandardOutput());
    QVERIFY2(line.startsWith("COM201  /dev/ttyACM0  CP210x  10c4:ea60"), qPrintable(line));
    QVERIFY(QDir(m_dir.filePath("sys/class/tty/ttyACM0")).removeRecursively());
    QVERIFY(QFile::remove(m_dir.filePath("dev/ttyACM0")));
}

QTEST_GUILESS_MAIN(TestPortFacts)
#include "tst_portfacts.moc"
