#include <QTest>

#include <algorithm>
#include <array>

#include "LinkHarness.h"
#include "model/TransferWalk.h"

Q_DECLARE_METATYPE(TransferStep)
Q_DECLARE_METATYPE(TransferResult)
Q_DECLARE_METATYPE(TransferFailure)

namespace {

LinkBytes identOf(const std::string &model, const std::string &firmware)
{
    RadioSimulator radio;
    radio.knobs().modelName = model;
    radio.knobs().firmwareVersion = firmware;
    return radio.identReply();
}

LinkBytes blockOf(const RadioImage &image, std::uint32_t address)
{
    return dataFrameFromImage(image, address);
}

const VersionCompatibility kOnlyV100 = [](std::string_view software, std::string_view firmware) {
    return software == "V100" && firmware == "V100";
};

} // namespace

class TestTransferEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullReadSendsEveryFrameOnce();
    void fullWriteSendsTheImage();
    void simulatorListsOnlyTheLastSessionsBlocks();
    void readReplyDelivery_data();
    void readReplyDelivery();
    void writeAckDelivery_data();
    void writeAckDelivery();
    void handshakeReplyInPieces();
    void aFrameIsSentAtMostFiveTimes_data();
    void aFrameIsSentAtMostFiveTimes();
    void aResendThatIsAnsweredGoesOn();
    void identificationOutcomes_data();
    void identificationOutcomes();
    void identifyOnly_data();
    void identifyOnly();
    void questionHoldsTheTimerAndTheLine();
    void progressNeverGoesBack();
    void cancel_data();
    void cancel();
    void inputsWhileIdleDoNothing();
    void readClearsTheTarget();

private:
    // A read that has passed the identification and waits for the block at 0.
    void startReadToFirstBlock(LinkHarness &h, RadioImage &image);
};

void TestTransferEngine::startReadToFirstBlock(LinkHarness &h, RadioImage &image)
{
    h.engine.setSettings({English, "ORX740", "V100", kOnlyV100});
    h.apply(h.engine.startRead(image));
    h.feed(handshakeReply());
    h.feed(identOf("ORX740", "V100"));
    QCOMPARE(h.engine.step(), TransferStep::ReadingBlocks);
    QCOMPARE(toQt(h.sent.back()), toQt(readRequest(0)));
}

void TestTransferEngine::fullReadSendsEveryFrameOnce()
{
    RadioSimulator radio;
    fillPattern(radio.memory(), 1);
    RadioImage image;
    LinkHarness h;
    h.readWith(radio, image);

    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Success);
    QCOMPARE(h.outcome->operation, CommOperation::Read);
    QCOMPARE(h.timeouts, 0);
    QCOMPARE(int(h.sent.size()), 1 + 1 + kTransferBlockCount + 1);
    QCOMPARE(toQt(h.sent.front()), QByteArray("PROGRAM"));
    QCOMPARE(toQt(h.sent[1]), QByteArray("\x02"));
    QCOMPARE(toQt(h.sent.back()), QByteArray("END"));
    QCOMPARE(h.blockAddresses(), transferredBlocks());
    QVERIFY(
        std::all_of(h.resendCounts.begin(), h.resendCounts.end(), [](int n) { return n == 1; }));

    // Transferred blocks hold the radio's bytes; the rest of the image stays 0.
    std::vector<bool> transferred(RadioImage::kSize, false);
    for (std::uint32_t block : transferredBlocks())
        std::fill_n(transferred.begin() + block, 16, true);
    for (std::uint32_t a = 0; a < RadioImage::kSize; ++a) {
        const std::uint8_t expected = transferred[a] ? radio.memory().byteAt(a) : 0;
        if (image.byteAt(a) != expected)
            QFAIL(qPrintable(QString("byte at 0x%1 differs").arg(a, 0, 16)));
    }
    QCOMPARE(h.identifications.size(), std::size_t{1});
    QVERIFY(h.messages.empty());
    QVERIFY(!h.timerRunning);
    QVERIFY(!h.engine.isRunning());
}

void TestTransferEngine::fullWriteSendsTheImage()
{
    RadioImage image;
    fillPattern(image, 2);
    RadioSimulator radio;
    LinkHarness h;
    h.apply(h.engine.startWrite(image));
    h.drive(radio);

    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Success);
    QCOMPARE(h.outcome->operation, CommOperation::Write);
    QCOMPARE(radio.writtenAddresses(), transferredBlocks());
    for (std::uint32_t block : transferredBlocks()) {
        for (std::uint32_t i = 0; i < 16; ++i)
            QCOMPARE(radio.memory().byteAt(block + i), image.byteAt(block + i));
    }
    // Nothing outside the transferred ranges reaches the radio.
    QCOMPARE(radio.memory().byteAt(0x00C80), std::uint8_t{0});
    QCOMPARE(radio.memory().byteAt(0x22200), std::uint8_t{0});
    QCOMPARE(h.progress.front(), 0);
    QCOMPARE(h.progress.back(), 100);
}

// A simulator serving session after session does not keep every earlier write's addresses.
void TestTransferEngine::simulatorListsOnlyTheLastSessionsBlocks()
{
    RadioImage image;
    fillPattern(image, 4);
    RadioSimulator radio;
    for (int session = 0; session < 2; ++session) {
        LinkHarness h;
        h.apply(h.engine.startWrite(image));
        h.drive(radio);
        QVERIFY(h.outcome && h.outcome->result == TransferResult::Success);
    }
    QCOMPARE(radio.writtenAddresses(), transferredBlocks());
}

void TestTransferEngine::readReplyDelivery_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("accepted");

    RadioImage memory;
    fillPattern(memory, 3);
    const QByteArray good = toQt(blockOf(memory, 0));
    QList<QByteArray> bytewise;
    for (char c : good)
        bytewise << QByteArray(1, c);
    QByteArray badSum = good;
    badSum[22] = char(badSum[22] + 1);
    QList<QByteArray> junkBytewise{QByteArray("\x06")};
    junkBytewise += bytewise;

    QTest::newRow("whole") << QList<QByteArray>{good} << true;
    QTest::newRow("two pieces") << QList<QByteArray>{good.left(10), good.mid(10)} << true;
    QTest::newRow("five-byte pieces")
        << QList<QByteArray>{good.left(5), good.mid(5, 5), good.mid(10, 5), good.mid(15, 5),
                             good.mid(20)}
        << true;
    QTest::newRow("one byte at a time") << bytewise << true;
    QTest::newRow("junk in front") << QList<QByteArray>{QByteArray("\xAA\x55", 2) + good} << true;
    QTest::newRow("junk in front, one byte at a time") << junkBytewise << true;
    QTest::newRow("23 bytes") << QList<QByteArray>{good.left(23)} << false;
    QTest::newRow("25 bytes") << QList<QByteArray>{good + '\x00'} << false;
    QTest::newRow("another block") << QList<QByteArray>{toQt(blockOf(memory, 0x10))} << false;
    QTest::newRow("checksum off by one") << QList<QByteArray>{badSum} << false;
    QTest::newRow("an ack where a block is due") << QList<QByteArray>{QByteArray("\x06")} << false;
    QTest::newRow("a handshake reply where a block is due")
        << QList<QByteArray>{QByteArray("KZ\x06")} << false;
    QTest::newRow("nothing") << QList<QByteArray>{} << false;
}

void TestTransferEngine::readReplyDelivery()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, accepted);
    RadioImage memory;
    fillPattern(memory, 3);
    RadioImage image;
    LinkHarness h;
    startReadToFirstBlock(h, image);
    const std::size_t sentBefore = h.sent.size();

    for (const QByteArray &piece : pieces)
        h.feed(fromQt(piece));

    if (accepted) {
        QCOMPARE(h.sent.size(), sentBefore + 1);
        QCOMPARE(toQt(h.sent.back()), toQt(readRequest(0x10)));
        QCOMPARE(h.resendCounts.back(), 1);
        QCOMPARE(h.engine.transferAddress(), 0x10);
        for (std::uint32_t i = 0; i < 16; ++i)
            QCOMPARE(image.byteAt(i), memory.byteAt(i));
        return;
    }
    // Ignored: nothing stored, the walk stays put and the timer keeps running until it asks for
    // the same block again.
    QCOMPARE(h.sent.size(), sentBefore);
    QCOMPARE(h.engine.transferAddress(), 0);
    QVERIFY(h.timerRunning);
    for (std::uint32_t i = 0; i < 16; ++i)
        QCOMPARE(image.byteAt(i), std::uint8_t{0});
    h.tick();
    QCOMPARE(toQt(h.sent.back()), toQt(readRequest(0)));
    QCOMPARE(h.resendCounts.back(), 2);
    // The late answer to the resend still gets through.
    h.feed(blockOf(memory, 0));
    QCOMPARE(toQt(h.sent.back()), toQt(readRequest(0x10)));
}

void TestTransferEngine::writeAckDelivery_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("ack") << QByteArray("\x06") << true;
    QTest::newRow("junk then ack") << QByteArray("\x15\x06") << true;
    QTest::newRow("negative answer") << QByteArray("\x15") << false;
    QTest::newRow("handshake reply") << QByteArray("KZ") << false;
}

void TestTransferEngine::writeAckDelivery()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    RadioImage image;
    fillPattern(image, 4);
    LinkHarness h;
    h.apply(h.engine.startWrite(image));
    h.feed(handshakeReply());
    h.feed(identOf("ORX740", "V100"));
    QCOMPARE(h.engine.step(), TransferStep::WritingBlocks);
    QCOMPARE(toQt(h.sent.back()), toQt(dataFrameFromImage(image, 0)));
    h.feed(fromQt(reply));
    QCOMPARE(h.engine.transferAddress(), accepted ? 0x10 : 0);
    QCOMPARE(toQt(h.sent.back()), toQt(dataFrameFromImage(image, accepted ? 0x10 : 0)));
}

void TestTransferEngine::handshakeReplyInPieces()
{
    RadioImage image;
    LinkHarness h;
    h.apply(h.engine.startRead(image));
    h.feed({'K'});
    h.feed({'Z'});
    QCOMPARE(h.sent.size(), std::size_t{1});
    QCOMPARE(h.engine.receiveThreshold(), 1);
    h.feed({0x06});
    QCOMPARE(toQt(h.sent.back()), QByteArray("\x02"));
    QCOMPARE(h.engine.step(), TransferStep::IdentRequestSent);
    QCOMPARE(h.engine.receiveThreshold(), 16);
}

void TestTransferEngine::aFrameIsSentAtMostFiveTimes_data()
{
    QTest::addColumn<int>("dieAfterBlocks");
    QTest::addColumn<bool>("silentFromTheStart");
    QTest::addColumn<QByteArray>("lastFrame");
    QTest::newRow("no radio") << -1 << true << QByteArray("PROGRAM");
    QTest::newRow("radio stops after 500 blocks")
        << 500 << false << toQt(readRequest(transferredBlocks()[500]));
    QTest::newRow("radio stops before the first block") << 0 << false << toQt(readRequest(0));
}

void TestTransferEngine::aFrameIsSentAtMostFiveTimes()
{
    QFETCH(int, dieAfterBlocks);
    QFETCH(bool, silentFromTheStart);
    QFETCH(QByteArray, lastFrame);
    RadioSimulator radio;
    fillPattern(radio.memory(), 5);
    if (dieAfterBlocks >= 0)
        radio.knobs().dieAfterBlocks = dieAfterBlocks;
    RadioImage image;
    LinkHarness h;
    h.apply(h.engine.startRead(image));
    if (silentFromTheStart) {
        for (int i = 0; i < 10; ++i)
            h.tick();
    } else {
        h.drive(radio);
    }

    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Failure);
    QCOMPARE(h.outcome->failure, TransferFailure::NoAnswer);
    QVERIFY(h.messages.empty());
    const auto sameFrame = std::count_if(h.sent.begin(), h.sent.end(),
                                         [&](const LinkBytes &f) { return toQt(f) == lastFrame; });
    QCOMPARE(int(sameFrame), 5);
    QCOMPARE(toQt(h.sent.back()), lastFrame);
    QCOMPARE(h.resendCounts.back(), 5);
    QVERIFY(!h.timerRunning);
    if (!silentFromTheStart)
        QCOMPARE(h.timeouts, 5);
    // Further ticks send nothing: the sixth send never happens.
    const std::size_t sent = h.sent.size();
    h.tick();
    QCOMPARE(h.sent.size(), sent);
    if (dieAfterBlocks > 0) {
        // The blocks that arrived are in the image; the next one is not.
        const std::uint32_t last = transferredBlocks()[std::size_t(dieAfterBlocks) - 1];
        QCOMPARE(image.byteAt(last), radio.memory().byteAt(last));
    }
}

void TestTransferEngine::aResendThatIsAnsweredGoesOn()
{
    RadioSimulator radio;
    radio.knobs().dropEvery = 7;
    fillPattern(radio.memory(), 6);
    RadioImage image;
    LinkHarness h;
    h.readWith(radio, image);
    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Success);
    QCOMPARE(h.timeouts, radio.repliesDropped());
    QVERIFY(h.timeouts > 200);
    QCOMPARE(*std::max_element(h.resendCounts.begin(), h.resendCounts.end()), 2);
    for (std::uint32_t block : transferredBlocks())
        QCOMPARE(image.byteAt(block + 15), radio.memory().byteAt(block + 15));
}

void TestTransferEngine::identificationOutcomes_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("switchTo");
    QTest::addColumn<bool>("blocks");

    const QStringList none;
    const QStringList wrong{"Model type is wrong."};
    QTest::newRow("right model") << "ORX740"
                                 << "V100" << false << 0 << none << "" << true;
    QTest::newRow("right model, padded with spaces") << "ORX740 "
                                                     << "V100" << false << 0 << none << "" << true;
    QTest::newRow("wrong model") << "ORX741"
                                 << "V100" << false << 0 << wrong << "" << false;
    QTest::newRow("model in lower case") << "orx740"
                                         << "V100" << false << 0 << wrong << "" << false;
    QTest::newRow("model and version wrong") << "KZ6666"
                                             << "V101" << true << 0 << wrong << "" << false;
    QTest::newRow("V101, answered No") << "ORX740"
                                       << "V101" << false << 1 << none << "" << false;
    QTest::newRow("V101, answered Yes") << "ORX740"
                                        << "V101" << true << 1 << none << "V101" << false;
}

void TestTransferEngine::identificationOutcomes()
{
    QFETCH(QString, model);
    QFETCH(QString, firmware);
    QFETCH(bool, answerYes);
    QFETCH(int, questions);
    QFETCH(QStringList, messages);
    QFETCH(QString, switchTo);
    QFETCH(bool, blocks);

    for (CommOperation operation : {CommOperation::Read, CommOperation::Write}) {
        RadioSimulator radio;
        radio.knobs().modelName = model.toStdString();
        radio.knobs().firmwareVersion = firmware.toStdString();
        RadioImage image;
        LinkHarness h;
        h.engine.setSettings({English, "ORX740", "V100", kOnlyV100});
        h.transferWith(radio, operation, image, answerYes);

        QVERIFY(h.outcome);
        QCOMPARE(h.outcome->result, blocks ? TransferResult::Success : TransferResult::Failure);
        QCOMPARE(int(h.questions.size()), questions);
        if (questions > 0) {
            QVERIFY(QString::fromStdString(h.questions[0]).contains("Firmware version is V1.01"));
            QVERIFY(
                QString::fromStdString(h.questions[0]).endsWith("programming software is V1.00"));
        }
        QStringList queued;
        for (const std::string &m : h.messages)
            queued << QString::fromStdString(m);
        QCOMPARE(queued, messages);
        QCOMPARE(QString::fromStdString(h.outcome->switchToVersion), switchTo);
        QCOMPARE(h.blockAddresses().empty(), !blocks);
        if (!blocks) {
            QCOMPARE(h.outcome->failure, TransferFailure::IdentificationFailed);
            // The radio still gets "END" so it leaves programming mode.
            QCOMPARE(toQt(h.sent.back()), QByteArray("END"));
            QVERIFY(radio.sessionEnded());
        }
        // The fields are stored whether the check passes or not.
        QCOMPARE(h.identifications.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(h.identifications[0].firmwareVersion), firmware);
    }
}

void TestTransferEngine::identifyOnly_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<TransferResult>("result");
    QTest::addColumn<TransferFailure>("failure");

    QTest::newRow("this model") << "ORX740"
                                << "V100" << false << TransferResult::Success
                                << TransferFailure::None;
    QTest::newRow("this model, a firmware no table lists")
        << "ORX740"
        << "V200" << false << TransferResult::Success << TransferFailure::None;
    QTest::newRow("another model")
        << "KZ6666"
        << "V100" << false << TransferResult::Failure << TransferFailure::IdentificationFailed;
    QTest::newRow("nobody answers")
        << ""
        << "" << true << TransferResult::Failure << TransferFailure::NoAnswer;
}

void TestTransferEngine::identifyOnly()
{
    QFETCH(QString, model);
    QFETCH(QString, firmware);
    QFETCH(bool, silent);
    QFETCH(TransferResult, result);
    QFETCH(TransferFailure, failure);

    RadioSimulator radio;
    radio.knobs().modelName = model.toStdString();
    radio.knobs().firmwareVersion = firmware.toStdString();
    radio.knobs().dropEvery = silent ? 1 : 0;
    LinkHarness h;
    h.engine.setSettings({English, "ORX740", "V100", kOnlyV100});
    h.apply(h.engine.startIdentify());
    QCOMPARE(h.engine.operation(), CommOperation::Identify);
    h.drive(radio);

    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->operation, CommOperation::Identify);
    QCOMPARE(h.outcome->result, result);
    QCOMPARE(h.outcome->failure, failure);
    QVERIFY(h.questions.empty());
    // Never a block, whatever the radio says; a radio that answered leaves programming mode.
    QVERIFY(h.blockAddresses().empty());
    QCOMPARE(radio.blocksRead() + radio.blocksWritten(), 0);
    if (silent) {
        QCOMPARE(int(h.sent.size()), TransferEngine::kMaxSends);
        QVERIFY(!h.engine.identification());
        return;
    }
    QCOMPARE(toQt(h.sent.back()), QByteArray("END"));
    QVERIFY(radio.sessionEnded());
    QVERIFY(h.engine.identification());
    QCOMPARE(QString::fromStdString(h.engine.identification()->radioModel), model);
    QCOMPARE(QString::fromStdString(h.engine.identification()->firmwareVersion), firmware);
}

void TestTransferEngine::questionHoldsTheTimerAndTheLine()
{
    RadioImage image;
    LinkHarness h;
    h.apply(h.engine.startRead(image));
    h.feed(handshakeReply());
    h.feed(identOf("ORX740", "V101"));
    QVERIFY(h.engine.isAwaitingAnswer());
    QVERIFY(!h.timerRunning);
    const std::size_t sent = h.sent.size();
    h.tick();
    h.feed({0x06});
    QCOMPARE(h.sent.size(), sent);
    QVERIFY(!h.outcome);
    h.apply(h.engine.questionAnswered(false));
    QCOMPARE(toQt(h.sent.back()), QByteArray("END"));
    QVERIFY(h.timerRunning);
    h.feed({0x06});
    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Failure);
}

void TestTransferEngine::progressNeverGoesBack()
{
    for (CommOperation operation : {CommOperation::Read, CommOperation::Write}) {
        RadioSimulator radio;
        radio.knobs().dropEvery = 5;
        radio.knobs().corruptEvery = 11;
        RadioImage image;
        LinkHarness h;
        h.start(operation, image);
        QCOMPARE(h.progress, std::vector<int>{0});
        h.drive(radio);
        QVERIFY(h.outcome);
        QCOMPARE(h.outcome->result, TransferResult::Success);
        QCOMPARE(h.progress.front(), 0);
        QCOMPARE(h.progress.back(), 100);
        QVERIFY(std::is_sorted(h.progress.begin(), h.progress.end()));
        QVERIFY(std::adjacent_find(h.progress.begin(), h.progress.end()) == h.progress.end());
        QCOMPARE(h.engine.lastPercentage(), 100);
    }
}

void TestTransferEngine::cancel_data()
{
    QTest::addColumn<int>("blocksFirst");
    QTest::addColumn<bool>("radioAnswersEnd");
    QTest::newRow("during the blocks, radio answers") << 100 << true;
    QTest::newRow("during the blocks, radio silent") << 100 << false;
    QTest::newRow("before the handshake reply") << -1 << true;
}

void TestTransferEngine::cancel()
{
    QFETCH(int, blocksFirst);
    QFETCH(bool, radioAnswersEnd);
    RadioSimulator radio;
    RadioImage image;
    LinkHarness h;
    h.apply(h.engine.startRead(image));
    if (blocksFirst >= 0) {
        radio.knobs().dieAfterBlocks = blocksFirst;
        h.drive(radio, false, false);
        QCOMPARE(h.engine.transferAddress(), std::int32_t(transferredBlocks()[100]));
        QVERIFY(!h.outcome);
    }
    QVERIFY(h.engine.isRunning());
    h.onTheWire.clear();
    h.apply(h.engine.cancel());
    QCOMPARE(toQt(h.sent.back()), QByteArray("END"));
    QVERIFY(h.timerRunning);
    if (radioAnswersEnd)
        h.feed({0x06});
    else
        h.tick();
    QVERIFY(h.outcome);
    QCOMPARE(h.outcome->result, TransferResult::Cancelled);
    QCOMPARE(std::count_if(h.sent.begin(), h.sent.end(),
                           [](const LinkBytes &f) { return toQt(f) == "END"; }),
             1);
    QVERIFY(!h.timerRunning);
}

void TestTransferEngine::inputsWhileIdleDoNothing()
{
    TransferEngine engine;
    QVERIFY(engine.bytesReceived(handshakeReply()).empty());
    QVERIFY(engine.timerExpired().empty());
    QVERIFY(engine.questionAnswered(true).empty());
    QVERIFY(engine.cancel().empty());
    RadioImage image;
    QVERIFY(!engine.startRead(image).empty());
    // A second start while one transfer runs is refused.
    QVERIFY(engine.startWrite(image).empty());
    QCOMPARE(engine.operation(), CommOperation::Read);
}

void TestTransferEngine::readClearsTheTarget()
{
    RadioImage image;
    fillPattern(image, 9);
    LinkHarness h;
    h.apply(h.engine.startRead(image));
    QVERIFY(std::all_of(image.bytes().begin(), image.bytes().end(),
                        [](std::uint8_t b) { return b == 0; }));
}

QTEST_APPLESS_MAIN(TestTransferEngine)
#include "tst_transferengine.moc"
