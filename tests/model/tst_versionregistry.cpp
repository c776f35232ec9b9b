#include <QTest>

#include <map>

#include "model/VersionRegistry.h"

namespace {

using Ini = std::map<std::string, std::string>; // "Section/Key" -> value

VersionRegistry::IniLookup lookupIn(const Ini &ini)
{
    return [&ini](std::string_view section, std::string_view key) {
        const auto found = ini.find(std::string(section) + "/" + std::string(key));
        return found == ini.end() ? std::string() : found->second;
    };
}

} // namespace

class TestVersionRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compatibility_data();
    void compatibility();
    void softwareVersionLookup();
    void versionTexts_data();
    void versionTexts();
    void questionText();
    void siblingPath();
};

void TestVersionRegistry::compatibility_data()
{
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("compatible");

    const QStringList single{"Version/FirmVersionCount=1", "Firm/Firm0=V100V100"};
    const QStringList two{"Version/FirmVersionCount=2", "Firm/Firm0=V100V100",
                          "Firm/Firm1=V200V101"};
    QTest::newRow("single pair, own version") << single << "V100" << true;
    QTest::newRow("single pair, V101") << single << "V101" << false;
    QTest::newRow("two pairs, V101 belongs to V200") << two << "V101" << false;
    QTest::newRow("missing file") << QStringList{} << "V100" << true;
    QTest::newRow("count not a number")
        << QStringList{"Version/FirmVersionCount=x", "Firm/Firm0=V100V101"} << "V100" << true;
    QTest::newRow("count zero") << QStringList{"Version/FirmVersionCount=0"} << "V100" << true;
    QTest::newRow("count beyond the entries")
        << QStringList{"Version/FirmVersionCount=3", "Firm/Firm0=V100V102"} << "V102" << true;
    QTest::newRow("short entry skipped, default kept")
        << QStringList{"Version/FirmVersionCount=1", "Firm/Firm0=V100"} << "V100" << true;
}

void TestVersionRegistry::compatibility()
{
    QFETCH(QStringList, ini);
    QFETCH(QString, other);
    QFETCH(bool, compatible);
    Ini values;
    for (const QString &line : ini) {
        const auto parts = line.split('=');
        values[parts[0].toStdString()] = parts[1].toStdString();
    }
    const VersionRegistry registry = VersionRegistry::load(lookupIn(values));
    QCOMPARE(registry.compatible("V100", other.toStdString()), compatible);
}

void TestVersionRegistry::softwareVersionLookup()
{
    const Ini values{{"Version/FirmVersionCount", "3"},
                     {"Firm/Firm0", "V100V100"},
                     {"Firm/Firm1", "V200V101"},
                     {"Firm/Firm2", "V300V101"}};
    const VersionRegistry registry = VersionRegistry::load(lookupIn(values));
    QCOMPARE(registry.softwareVersionFor("V101"), std::string("V200")); // first in table order
    QCOMPARE(registry.softwareVersionFor("V999"), std::string());
    QVERIFY(registry.compatible("V300", "V101"));
}

void TestVersionRegistry::versionTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("shown");
    QTest::newRow("V100") << "V100" << true << "V1.00";
    QTest::newRow("V101") << "V101" << true << "V1.01";
    QTest::newRow("letter at the end") << "V10X" << false << "V1.0X";
    QTest::newRow("lower-case v") << "v100" << false << "v1.00";
    QTest::newRow("too short") << "V10" << false << "V10";
    QTest::newRow("too long") << "V1000" << false << "V1.00";
}

void TestVersionRegistry::versionTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, shown);
    QCOMPARE(isVersionText(text.toStdString()), valid);
    QCOMPARE(QString::fromStdString(versionForDisplay(text.toStdString())), shown);
}

void TestVersionRegistry::questionText()
{
    QCOMPARE(
        incompatibilityQuestion("V100", "V101", VersionKind::Firmware, English),
        std::string("incompatible version. It may cause unknown error.To start the corresponding "
                    "software version, or not?\r\nFirmware version is V1.01\r\nprogramming "
                    "software is V1.00"));
    QCOMPARE(QString::fromStdString(
                 incompatibilityQuestion("V100", "V101", VersionKind::DataFile, Chinese)),
             QStringLiteral("版本不兼容，有可能引起未知错误，是否启动对应版本软件？\r\n数据文件版本"
                            "为 V1.01\r\n写频软件版本为 V1.00"));
}

void TestVersionRegistry::siblingPath()
{
    QCOMPARE(siblingProgramPath("/opt/orx", "V200", "orx740", "", '/'),
             std::string("/opt/orx/V200/KZ_306/orx740"));
    QCOMPARE(siblingProgramPath("C:\\ORX", "V200", "orx740", ".exe", '\\'),
             std::string("C:\\ORX\\V200\\KZ_306\\orx740.exe"));
}

QTEST_APPLESS_MAIN(TestVersionRegistry)
#include "tst_versionregistry.moc"
