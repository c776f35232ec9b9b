#include <QSignalSpy>
#include <QTest>

#include "link/SerialPortFacts.h"
#include "link/SerialPortService.h"

namespace {

// A serial device that records what the service asks of it and receives what the test sends.
class FakeSerialDevice : public SerialDevice
{
public:
    QStringList calls;
    QByteArray buffered;
    bool opens = true;
    bool held = false;
    bool open_ = false;

    bool open(const QString &devicePath) override
    {
        calls << "open " + devicePath;
        open_ = opens;
        return opens;
    }
    void close() override
    {
        calls << "close";
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    bool heldElsewhere() const override { return !opens && held; }
    QString errorString() const override { return opens ? QString() : "no such port"; }
    qint64 bytesAvailable() const override { return buffered.size(); }
    QByteArray readAll() override { return std::exchange(buffered, {}); }
    void discardOutput() override { calls << "discard output"; }
    void discardInput() override
    {
        calls << "discard input";
        buffered.clear();
    }
    bool write(const QByteArray &bytes) override
    {
        calls << "write " + bytes.toHex();
        return true;
    }

    void receive(const QByteArray &bytes)
    {
        buffered += bytes;
        Q_EMIT bytesReceived();
    }
    void breakDown()
    {
        open_ = false;
        Q_EMIT failed("the cable was pulled");
    }
};

} // namespace

// The link's rules above whatever serial device the system has.
class TestSerialPortService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void repliesComeWholeAtTheThreshold_data();
    void repliesComeWholeAtTheThreshold();
    void aLoweredThresholdDeliversWhatIsBuffered();
    void everyFramePurgesOutputThenInput();
    void aFailedPortReopensForTheNextFrame();
    void aPortThatCannotOpen();
    void aPortHeldByAnotherProgramIsInUse();

private:
    FakeSerialDevice *m_device = nullptr;
    std::unique_ptr<SerialPortService> service();
};

std::unique_ptr<SerialPortService> TestSerialPortService::service()
{
    auto device = std::make_unique<FakeSerialDevice>();
    m_device = device.get();
    return std::make_unique<SerialPortService>(std::move(device));
}

void TestSerialPortService::repliesComeWholeAtTheThreshold_data()
{
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QList<int>>("pieces");
    QTest::addColumn<QList<int>>("delivered");
    QTest::newRow("one byte at a time") << 3 << QList<int>{1, 1, 1} << QList<int>{3};
    QTest::newRow("a 24-byte block in two pieces") << 24 << QList<int>{10, 14} << QList<int>{24};
    QTest::newRow("more than asked comes all at once") << 2 << QList<int>{1, 5} << QList<int>{6};
    QTest::newRow("threshold 1 passes each piece") << 1 << QList<int>{2, 3} << QList<int>{2, 3};
    QTest::newRow("never enough") << 24 << QList<int>{10, 13} << QList<int>{};
    QTest::newRow("below 1 counts as 1") << 0 << QList<int>{1} << QList<int>{1};
}

void TestSerialPortService::repliesComeWholeAtTheThreshold()
{
    QFETCH(int, threshold);
    QFETCH(QList<int>, pieces);
    QFETCH(QList<int>, delivered);
    auto port = service();
    QVERIFY(port->open("COM3"));
    port->setReceiveThreshold(threshold);
    QList<int> sizes;
    connect(port.get(), &SerialPortService::dataReceived, this,
            [&](const QByteArray &bytes) { sizes << int(bytes.size()); });
    for (int piece : pieces)
        m_device->receive(QByteArray(piece, '\x06'));
    QCOMPARE(sizes, delivered);
}

void TestSerialPortService::aLoweredThresholdDeliversWhatIsBuffered()
{
    auto port = service();
    QVERIFY(port->open("COM3"));
    port->setReceiveThreshold(24);
    QSignalSpy received(port.get(), &SerialPortService::dataReceived);
    m_device->receive("AB");
    QCOMPARE(received.count(), 0);
    // Not inside the caller, which may still be setting up the exchange.
    port->setReceiveThreshold(2);
    QCOMPARE(received.count(), 0);
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("AB"));
}

void TestSerialPortService::everyFramePurgesOutputThenInput()
{
    auto port = service();
    QVERIFY(port->open("COM3"));
    m_device->buffered = "stale";
    m_device->calls.clear();
    QVERIFY(port->sendFrame("\x02"));
    QVERIFY(port->sendFrame("END"));
    QCOMPARE(m_device->calls, (QStringList{"discard output", "discard input", "write 02",
                                           "discard output", "discard input", "write 454e44"}));
    QVERIFY(m_device->buffered.isEmpty());
}

void TestSerialPortService::aFailedPortReopensForTheNextFrame()
{
    auto port = service();
    QVERIFY(port->open("COM7"));
    port->setReceiveThreshold(24);
    QSignalSpy failed(port.get(), &SerialPortService::portFailed);
    m_device->breakDown();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), QString("the cable was pulled"));
    QCOMPARE(port->errorString(), QString("the cable was pulled"));
    QVERIFY(!port->isOpen());
    m_device->calls.clear();
    QVERIFY(port->sendFrame("\x02"));
    QCOMPARE(m_device->calls.first(), QString("open COM7"));
    QCOMPARE(m_device->calls.last(), QString("write 02"));
    // The exchange under way keeps the reply length it was waiting for.
    QCOMPARE(port->receiveThreshold(), 24);
    // A port closed on purpose stays closed.
    port->close();
    m_device->calls.clear();
    QVERIFY(!port->sendFrame("\x02"));
    QVERIFY(m_device->calls.isEmpty());
}

void TestSerialPortService::aPortThatCannotOpen()
{
    auto port = service();
    m_device->opens = false;
    QVERIFY(!port->open("COM42"));
    QCOMPARE(port->errorString(), QString("no such port"));
    QVERIFY(!port->isOpen());
    QVERIFY(!port->sendFrame("\x02"));
    QVERIFY(!m_device->calls.join(' ').contains("write"));
}

// Windows refuses a second opener of a COM port ("access denied") without naming the holder: the
// refusal says the port is in use, as when the holders are found, and an open that works clears it.
void TestSerialPortService::aPortHeldByAnotherProgramIsInUse()
{
    auto port = service();
    m_device->opens = false;
    QVERIFY(!port->open("COM42"));
    QVERIFY(!port->heldElsewhere());
    QVERIFY(refusedPortFacts("COM42", {}, *port).access != PortAccess::Busy);

    m_device->held = true;
    QVERIFY(!port->open("COM42"));
    QVERIFY(port->heldElsewhere());
    const PortFacts facts = refusedPortFacts("COM42", {}, *port);
    QCOMPARE(facts.access, PortAccess::Busy);
    const std::string text = portOpenFailureText(facts, English);
    QVERIFY2(text.ends_with("is in use by another program."), text.c_str());

    m_device->opens = true;
    QVERIFY(port->open("COM42"));
    QVERIFY(!port->heldElsewhere());
}

QTEST_GUILESS_MAIN(TestSerialPortService)
#include "tst_serialportservice.moc"
