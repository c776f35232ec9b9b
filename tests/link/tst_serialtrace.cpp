#include <QRegularExpression>
#include <QTest>

#include "link/SerialTrace.h"

// The in-memory trace of the serial line: the last transfers, each frame with its direction,
// time and bytes.
class TestSerialTrace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheLastTenTransfers();
    void textShowsFramesAndTimeouts();
};

void TestSerialTrace::keepsTheLastTenTransfers()
{
    SerialTrace trace;
    std::vector<std::uint64_t> numbers;
    numbers.reserve(12);
    for (int i = 0; i < 12; ++i)
        numbers.push_back(trace.begin(SerialTrace::Kind::Read, "/dev/ttyUSB" + std::to_string(i)));
    const std::uint8_t byte = 0x06;
    trace.record(numbers[0], SerialTrace::Direction::Received, 1, {&byte, 1}); // no longer kept
    trace.record(numbers[5], SerialTrace::Direction::Received, 1, {&byte, 1});

    const std::vector<SerialTrace::Transfer> kept = trace.transfers();
    QCOMPARE(kept.size(), SerialTrace::kKeptTransfers);
    QCOMPARE(kept.front().port, std::string("/dev/ttyUSB2"));
    QCOMPARE(kept.back().port, std::string("/dev/ttyUSB11"));
    int entries = 0;
    for (const SerialTrace::Transfer &transfer : kept)
        entries += int(transfer.entries.size());
    QCOMPARE(entries, 1);
    QCOMPARE(kept[3].entries.size(), std::size_t{1});
}

void TestSerialTrace::textShowsFramesAndTimeouts()
{
    SerialTrace trace;
    const auto read = trace.begin(SerialTrace::Kind::Read, "/dev/pts/3");
    const auto identify = trace.begin(SerialTrace::Kind::Identify, "/dev/pts/4");
    const std::uint8_t program[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    const std::uint8_t reply[] = {'K', 'Z', 0x06};
    // Two transfers at once, each entry goes to its own.
    trace.record(identify, SerialTrace::Direction::Sent, 0, program);
    trace.record(read, SerialTrace::Direction::Sent, 0, program);
    trace.record(identify, SerialTrace::Direction::ReplyTimeout, 1000);
    trace.record(read, SerialTrace::Direction::Received, 12, reply);

    const QString text = QString::fromStdString(trace.text());
    const qsizetype readAt = text.indexOf("read on /dev/pts/3");
    const qsizetype identifyAt = text.indexOf("identify on /dev/pts/4");
    QVERIFY(readAt >= 0 && identifyAt > readAt);
    const QString readPart = text.mid(readAt, identifyAt - readAt);
    const QString identifyPart = text.mid(identifyAt);
    QVERIFY(readPart.contains(QRegularExpression(R"(\n +0 ms  sent +50 52 4F 47 52 41 4D\n)")));
    QVERIFY(readPart.contains(QRegularExpression(R"(\n +12 ms  received  4B 5A 06\n)")));
    QVERIFY(!readPart.contains("time-out"));
    QVERIFY(identifyPart.contains(QRegularExpression(R"(\n +1000 ms  reply time-out\n)")));
}

QTEST_GUILESS_MAIN(TestSerialTrace)
#include "tst_serialtrace.moc"
