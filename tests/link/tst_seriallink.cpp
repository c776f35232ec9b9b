#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>

#include "LinkHarness.h"
#include "link/LinkController.h"
#include "link/PtyRadioHost.h"
#include "link/SerialPortService.h"
#include "model/TransferWalk.h"

// Transfers over a real pseudo-terminal, the simulated radio on one side and the serial port
// service on the other, both on this thread's event loop.
class TestSerialLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readFillsTheImage_data();
    void readFillsTheImage();
    void writeReachesTheRadio();
    void aLostReplyIsAskedForAgain();
    void aRadioThatStopsAnsweringLeavesTheImage();
    void wrongModelIsReportedOnce();
    void portThatCannotOpen();
    void readFromARealRadio();

private:
    struct Run
    {
        TransferOutcome outcome;
        QStringList messages;
        int timeouts{0};
    };
    // Starts a transfer over the pseudo-terminal and waits for it to end.
    Run transfer(RadioSimulator &radio, CommOperation operation, RadioImage &image,
                 std::chrono::milliseconds replyTimeout = std::chrono::milliseconds(1000));
};

void TestSerialLink::initTestCase()
{
    qRegisterMetaType<TransferOutcome>();
}

TestSerialLink::Run TestSerialLink::transfer(RadioSimulator &radio, CommOperation operation,
                                             RadioImage &image,
                                             std::chrono::milliseconds replyTimeout)
{
    Run run;
    PtyRadioHost host(radio);
    if (!host.open()) {
        QTest::qFail(qPrintable(host.errorString()), __FILE__, __LINE__);
        return run;
    }
    SerialPortService port;
    if (!port.open(host.devicePath())) {
        QTest::qFail(qPrintable(port.errorString()), __FILE__, __LINE__);
        return run;
    }
    LinkController link(port);
    link.setReplyTimeout(replyTimeout);
    connect(&link.waitTimer(), &QTimer::timeout, this, [&] { ++run.timeouts; });
    bool done = false;
    QEventLoop loop;
    connect(&link, &LinkController::finished, this,
            [&](const TransferOutcome &outcome, const QStringList &messages) {
                run.outcome = outcome;
                run.messages = messages;
                done = true;
                loop.quit();
                // The port is closed by the time the outcome is reported.
                QVERIFY(!port.isOpen());
            });
    const bool started =
        operation == CommOperation::Read ? link.startRead(image) : link.startWrite(image);
    if (!started) {
        QTest::qFail("the transfer did not start", __FILE__, __LINE__);
        return run;
    }
    // A plain event loop: waiting in slices would add a pause to every exchange.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    if (!done)
        QTest::qFail("the transfer did not end", __FILE__, __LINE__);
    return run;
}

void TestSerialLink::readFillsTheImage_data()
{
    QTest::addColumn<int>("pieceSize");
    QTest::newRow("whole replies") << 0;
    QTest::newRow("replies in 5-byte pieces") << 5;
}

void TestSerialLink::readFillsTheImage()
{
    QFETCH(int, pieceSize);
    RadioSimulator radio;
    radio.knobs().pieceSize = std::size_t(pieceSize);
    fillPattern(radio.memory(), 21);
    RadioImage image;
    const Run run = transfer(radio, CommOperation::Read, image);
    QCOMPARE(run.outcome.result, TransferResult::Success);
    QCOMPARE(run.timeouts, 0);
    QVERIFY(run.messages.isEmpty());
    QVERIFY(radio.sessionEnded());
    QCOMPARE(radio.blocksRead(), kTransferBlockCount);
    for (std::uint32_t block : transferredBlocks()) {
        for (std::uint32_t i = 0; i < 16; ++i)
            QCOMPARE(image.byteAt(block + i), radio.memory().byteAt(block + i));
    }
    QCOMPARE(image.byteAt(0x00C80), std::uint8_t{0});
}

void TestSerialLink::writeReachesTheRadio()
{
    RadioSimulator radio;
    RadioImage image;
    fillPattern(image, 22);
    const Run run = transfer(radio, CommOperation::Write, image);
    QCOMPARE(run.outcome.result, TransferResult::Success);
    QCOMPARE(radio.writtenAddresses(), transferredBlocks());
    for (std::uint32_t block : transferredBlocks()) {
        for (std::uint32_t i = 0; i < 16; ++i)
            QCOMPARE(radio.memory().byteAt(block + i), image.byteAt(block + i));
    }
}

void TestSerialLink::aLostReplyIsAskedForAgain()
{
    // Of the 1876 frames of a read only the 1000th goes unanswered: one time-out, one resend.
    RadioSimulator radio;
    radio.knobs().dropEvery = 1000;
    fillPattern(radio.memory(), 23);
    RadioImage image;
    const Run run = transfer(radio, CommOperation::Read, image);
    QCOMPARE(run.outcome.result, TransferResult::Success);
    QCOMPARE(radio.repliesDropped(), 1);
    QCOMPARE(run.timeouts, 1);
    QCOMPARE(radio.blocksRead(), kTransferBlockCount + 1);
    for (std::uint32_t block : transferredBlocks())
        QCOMPARE(image.byteAt(block + 7), radio.memory().byteAt(block + 7));
}

void TestSerialLink::aRadioThatStopsAnsweringLeavesTheImage()
{
    RadioSimulator radio;
    radio.knobs().dieAfterBlocks = 500;
    fillPattern(radio.memory(), 24);
    RadioImage image;
    fillPattern(image, 25);
    const RadioImage before = image;
    // Five time-outs end the transfer; a short reply time-out keeps this test quick.
    const Run run = transfer(radio, CommOperation::Read, image, std::chrono::milliseconds(40));
    QCOMPARE(run.outcome.result, TransferResult::Failure);
    QCOMPARE(run.outcome.failure, TransferFailure::NoAnswer);
    QCOMPARE(run.timeouts, TransferEngine::kMaxSends);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(radio.blocksRead(), 500);
    QVERIFY(image == before);
}

void TestSerialLink::wrongModelIsReportedOnce()
{
    RadioSimulator radio;
    radio.knobs().modelName = "ORX741";
    RadioImage image;
    fillPattern(image, 26);
    const RadioImage before = image;
    const Run run = transfer(radio, CommOperation::Read, image);
    QCOMPARE(run.outcome.result, TransferResult::Failure);
    QCOMPARE(run.messages, QStringList{"Model type is wrong."});
    QCOMPARE(radio.blocksRead(), 0);
    QVERIFY(radio.sessionEnded());
    QVERIFY(image == before);
}

void TestSerialLink::portThatCannotOpen()
{
    SerialPortService port;
    QVERIFY(!port.open("/dev/orx740-no-such-port"));
    QVERIFY(!port.isOpen());
    QVERIFY(!port.errorString().isEmpty());
    LinkController link(port);
    RadioImage image;
    QVERIFY(!link.startRead(image));
    QVERIFY(!link.isRunning());
}

void TestSerialLink::readFromARealRadio()
{
    const QString device = qEnvironmentVariable("ORX740_TEST_PORT");
    if (device.isEmpty())
        QSKIP("set ORX740_TEST_PORT to the device of a connected radio to run this");
    SerialPortService port;
    QVERIFY2(port.open(device), qPrintable(port.errorString()));
    LinkController link(port);
    QSignalSpy finished(&link, &LinkController::finished);
    RadioImage image;
    QVERIFY(link.startRead(image));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
    QCOMPARE(finished.at(0).at(0).value<TransferOutcome>().result, TransferResult::Success);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
