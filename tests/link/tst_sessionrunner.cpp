#include <QSignalSpy>
#include <QTest>

#include <array>
#include <memory>

#include "LinkHarness.h"
#include "datafile/ImageDocument.h"
#include "link/PtyRadioHost.h"
#include "link/SessionRunner.h"
#include "radio/ImagePacking.h"

// Radio sessions side by side in one event loop, each with its own runner and port, as a
// production line over several cables runs them: what befalls one radio leaves the other alone.
class TestSessionRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<SessionEnd>(); }
    void twoRadiosAtOnce_data();
    void twoRadiosAtOnce();
};

void TestSessionRunner::twoRadiosAtOnce_data()
{
    QTest::addColumn<int>("dropEvery");    // of the second radio
    QTest::addColumn<int>("corruptEvery"); // of the second radio
    QTest::addColumn<int>("dieAfter");     // blocks the second radio serves; -1: all
    QTest::addColumn<int>("secondResult");
    QTest::newRow("both clean") << 0 << 0 << -1 << int(SessionResult::Done);
    QTest::newRow("the second loses and spoils replies")
        << 97 << 89 << -1 << int(SessionResult::Done);
    QTest::newRow("the second stops answering mid-write")
        << 0 << 0 << 400 << int(SessionResult::Stopped);
}

void TestSessionRunner::twoRadiosAtOnce()
{
    QFETCH(int, dropEvery);
    QFETCH(int, corruptEvery);
    QFETCH(int, dieAfter);
    QFETCH(int, secondResult);
    std::array<RadioSimulator, 2> radios;
    radios[1].knobs().dropEvery = dropEvery;
    radios[1].knobs().corruptEvery = corruptEvery;
    if (dieAfter >= 0)
        radios[1].knobs().dieAfterBlocks = dieAfter;
    std::array<DocumentSet, 2> documents;
    std::array<std::unique_ptr<PtyRadioHost>, 2> hosts;
    std::array<std::unique_ptr<SessionRunner>, 2> runners;
    std::array<std::unique_ptr<QSignalSpy>, 2> ended;
    const DocumentSet base = newDocumentBase("20260101");
    for (std::size_t i = 0; i < 2; ++i) {
        RadioImage pattern;
        fillPattern(pattern, std::uint32_t(60 + i));
        documents[i] = documentFromImage(pattern, base);
        hosts[i] = std::make_unique<PtyRadioHost>(radios[i]);
        QVERIFY2(hosts[i]->open(), qPrintable(hosts[i]->errorString()));
        runners[i] = std::make_unique<SessionRunner>();
        const QString device = hosts[i]->devicePath();
        runners[i]->setPortOpener([device](SerialPortService &port) -> std::optional<QString> {
            return port.open(device) ? std::optional<QString>(device) : std::nullopt;
        });
        runners[i]->setReplyTimeout(std::chrono::milliseconds(100));
        ended[i] = std::make_unique<QSignalSpy>(runners[i].get(), &SessionRunner::finished);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        SessionJob job;
        job.kind = JobKind::Write;
        job.readBase = &base;
        job.document = &documents[i];
        job.verifyAfterWrite = true;
        QVERIFY(runners[i]->start(job));
        // One job a runner at a time.
        QVERIFY(!runners[i]->start(job));
    }
    QTRY_VERIFY_WITH_TIMEOUT(ended[0]->count() == 1 && ended[1]->count() == 1, 60000);

    const auto result = [&](std::size_t i) {
        return int(ended[i]->at(0).at(0).value<SessionEnd>().result);
    };
    QCOMPARE(result(0), int(SessionResult::Done));
    QCOMPARE(result(1), secondResult);
    for (std::size_t i = 0; i < 2; ++i) {
        RadioImage packed;
        PackDocumentIntoImage(documents[i], packed);
        const bool holdsIt = compareImages(packed, radios[i].memory()).empty();
        QCOMPARE(holdsIt, i == 0 || secondResult == int(SessionResult::Done));
        QVERIFY(!runners[i]->port().isOpen());
    }
}

QTEST_GUILESS_MAIN(TestSessionRunner)
#include "tst_sessionrunner.moc"
