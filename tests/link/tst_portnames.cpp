#include <QTest>

#include <algorithm>
#include <set>

#include "link/PortNames.h"

class TestPortNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbersOfSystemNames_data();
    void numbersOfSystemNames();
    void aliasesComeFirst();
    void collisionsResolveTheSameWayInAnyOrder();
    void resolve_data();
    void resolve();
};

void TestPortNames::numbersOfSystemNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("Windows port") << "COM3" << 3;
    QTest::newRow("Windows port above 99") << "COM123" << 123;
    QTest::newRow("first PC port") << "ttyS0" << 1;
    QTest::newRow("fourth PC port") << "ttyS3" << 4;
    QTest::newRow("USB adapter") << "ttyUSB0" << 101;
    QTest::newRow("second USB adapter") << "ttyUSB1" << 102;
    QTest::newRow("CDC adapter") << "ttyACM1" << 202;
}

void TestPortNames::numbersOfSystemNames()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(portNumberForName(name.toStdString()), number);
}

void TestPortNames::aliasesComeFirst()
{
    const PortAliases aliases{{7, "/dev/pts/4"}, {2, "/dev/ttyUSB0"}};
    const std::vector<SystemPort> system{
        {"ttyUSB0", "/dev/ttyUSB0"}, {"ttyS0", "/dev/ttyS0"}, {"ttyACM0", "/dev/ttyACM0"}};
    const auto entries = listPortEntries(aliases, system);
    const std::vector<PortEntry> expected{{2, "/dev/ttyUSB0", true},
                                          {7, "/dev/pts/4", true},
                                          {1, "/dev/ttyS0", false},
                                          {201, "/dev/ttyACM0", false}};
    QCOMPARE(entries, expected);
}

void TestPortNames::collisionsResolveTheSameWayInAnyOrder()
{
    // An alias takes the number the adapter would have had; the adapter moves to a number of its
    // own, the same however the system orders its list.
    const PortAliases aliases{{101, "/dev/pts/9"}};
    std::vector<SystemPort> system{{"ttyUSB0", "/dev/ttyUSB0"},
                                   {"cu.usbserial-A1", "/dev/cu.usbserial-A1"},
                                   {"rfcomm0", "/dev/rfcomm0"}};
    const auto first = listPortEntries(aliases, system);
    std::reverse(system.begin(), system.end());
    const auto second = listPortEntries(aliases, system);
    QCOMPARE(first, second);
    QCOMPARE(first.size(), std::size_t{4});
    std::set<int> numbers;
    for (const PortEntry &entry : first) {
        QVERIFY(entry.number >= 1 && entry.number <= kLastPortNumber);
        numbers.insert(entry.number);
    }
    QCOMPARE(numbers.size(), std::size_t{4});
}

void TestPortNames::resolve_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("device");
    QTest::newRow("alias") << "COM7"
                           << "/dev/pts/4";
    QTest::newRow("listed port") << "COM101"
                                 << "/dev/ttyUSB0";
    QTest::newRow("device path") << "/dev/ttyS9"
                                 << "/dev/ttyS9";
    QTest::newRow("unlisted number") << "COM8"
                                     << "";
    QTest::newRow("COM0") << "COM0"
                          << "COM0";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPortNames::resolve()
{
    QFETCH(QString, text);
    QFETCH(QString, device);
    const auto entries = listPortEntries({{7, "/dev/pts/4"}}, {{"ttyUSB0", "/dev/ttyUSB0"}});
    const auto resolved = resolvePortName(text.toStdString(), entries);
    QCOMPARE(QString::fromStdString(resolved.value_or("")), device);
}

QTEST_APPLESS_MAIN(TestPortNames)
#include "tst_portnames.moc"
