#include <QTest>

#include <array>

#include "LinkHarness.h"

namespace {

QByteArray joined(const std::vector<LinkBytes> &pieces)
{
    QByteArray all;
    for (const LinkBytes &piece : pieces)
        all += toQt(piece);
    return all;
}

// A simulator already in programming mode.
void enterProgramming(RadioSimulator &radio)
{
    QCOMPARE(joined(radio.receive(handshakeFrame())), QByteArray("KZ\x06"));
}

} // namespace

class TestRadioSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersOnlyInProgrammingMode();
    void identificationReply();
    void servesAndStoresBlocks();
    void refusesABadDataFrame_data();
    void refusesABadDataFrame();
    void framesInPiecesAndBackToBack();
    void dropsEveryNthReply();
    void corruptsEveryNthReply();
    void splitsReplies();
    void stopsAnsweringAfterNBlocks();
    void transfersSurviveTheKnobs_data();
    void transfersSurviveTheKnobs();
};

void TestRadioSimulator::answersOnlyInProgrammingMode()
{
    RadioSimulator radio;
    QVERIFY(radio.receive(identRequest()).empty());
    QVERIFY(radio.receive(readRequest(0)).empty());
    // Line noise before the handshake is skipped.
    QCOMPARE(joined(radio.receive(fromQt(QByteArray("\x00\xFFPRO", 5)))), QByteArray());
    QCOMPARE(joined(radio.receive(fromQt("GRAM"))), QByteArray("KZ\x06"));
    QVERIFY(radio.inProgrammingMode());
    QCOMPARE(joined(radio.receive(endFrame())), QByteArray("\x06"));
    QVERIFY(radio.sessionEnded());
    QVERIFY(!radio.inProgrammingMode());
    QVERIFY(radio.receive(identRequest()).empty());
}

void TestRadioSimulator::identificationReply()
{
    RadioSimulator radio;
    radio.knobs().modelName = "ORX740";
    radio.knobs().firmwareVersion = "V101";
    radio.knobs().capability = 2;
    enterProgramming(radio);
    const QByteArray reply = joined(radio.receive(identRequest()));
    QCOMPARE(reply.size(), 16);
    QCOMPARE(reply.left(8), QByteArray("IORX740\0", 8));
    QCOMPARE(int(reply[8]), 2);
    QCOMPARE(reply.mid(9, 4), QByteArray("V101"));
    const IdentFields fields = parseIdentReply(fromQt(reply));
    QCOMPARE(fields.radioModel, std::string("ORX740"));
    QVERIFY(!fields.publicGroupFlag);
}

void TestRadioSimulator::servesAndStoresBlocks()
{
    RadioSimulator radio;
    fillPattern(radio.memory(), 11);
    enterProgramming(radio);
    const QByteArray block = joined(radio.receive(readRequest(0x16200)));
    QCOMPARE(block, toQt(dataFrameFromImage(radio.memory(), 0x16200)));

    std::array<std::uint8_t, 16> data;
    data.fill(0xA5);
    QCOMPARE(joined(radio.receive(dataFrame(0x22160, data))), QByteArray("\x06"));
    QCOMPARE(radio.memory().byteAt(0x22160), std::uint8_t{0xA5});
    QCOMPARE(radio.memory().byteAt(0x2216F), std::uint8_t{0xA5});
    QCOMPARE(radio.blocksRead(), 1);
    QCOMPARE(radio.blocksWritten(), 1);
    // A request outside the memory or off a block boundary goes unanswered.
    QVERIFY(radio.receive(readRequest(0x22210)).empty());
    QVERIFY(radio.receive(readRequest(0x00008)).empty());
}

void TestRadioSimulator::refusesABadDataFrame_data()
{
    QTest::addColumn<int>("byteIndex");
    QTest::addColumn<int>("delta");
    QTest::newRow("checksum off by one") << 22 << 1;
    QTest::newRow("length byte") << 5 << 1;
    QTest::newRow("last byte") << 23 << 1;
    QTest::newRow("data byte") << 10 << 1;
}

void TestRadioSimulator::refusesABadDataFrame()
{
    QFETCH(int, byteIndex);
    QFETCH(int, delta);
    RadioSimulator radio;
    enterProgramming(radio);
    std::array<std::uint8_t, 16> data;
    data.fill(0x33);
    LinkBytes frame = dataFrame(0x2000, data);
    frame[std::size_t(byteIndex)] =
        static_cast<std::uint8_t>(frame[std::size_t(byteIndex)] + delta);
    QVERIFY(radio.receive(frame).empty());
    QCOMPARE(radio.memory().byteAt(0x2000), std::uint8_t{0});
    QCOMPARE(radio.blocksWritten(), 0);
}

void TestRadioSimulator::framesInPiecesAndBackToBack()
{
    RadioSimulator radio;
    fillPattern(radio.memory(), 12);
    enterProgramming(radio);
    const LinkBytes request = readRequest(0x10);
    for (std::size_t i = 0; i + 1 < request.size(); ++i)
        QVERIFY(radio.receive(LinkBytes{request[i]}).empty());
    QCOMPARE(radio.receive(LinkBytes{request.back()}).size(), std::size_t{1});

    LinkBytes two = identRequest();
    const LinkBytes end = endFrame();
    two.insert(two.end(), end.begin(), end.end());
    const auto replies = radio.receive(two);
    QCOMPARE(replies.size(), std::size_t{2});
    QCOMPARE(toQt(replies[1]), QByteArray("\x06"));
}

void TestRadioSimulator::dropsEveryNthReply()
{
    RadioSimulator radio;
    radio.knobs().dropEvery = 3;
    enterProgramming(radio);                                        // frame 1
    QCOMPARE(radio.receive(identRequest()).size(), std::size_t{1}); // frame 2
    QVERIFY(radio.receive(readRequest(0)).empty());                 // frame 3
    QCOMPARE(radio.receive(readRequest(0)).size(), std::size_t{1});
    QCOMPARE(radio.receive(readRequest(0)).size(), std::size_t{1});
    QVERIFY(radio.receive(readRequest(0)).empty()); // frame 6
    QCOMPARE(radio.repliesDropped(), 2);
}

void TestRadioSimulator::corruptsEveryNthReply()
{
    RadioSimulator radio;
    radio.knobs().corruptEvery = 2;
    fillPattern(radio.memory(), 13);
    enterProgramming(radio);
    const LinkBytes spoiled = radio.receive(readRequest(0x10)).at(0); // frame 2
    QCOMPARE(classifyReply(spoiled, 0x10), ReplyKind::Ignored);
    QCOMPARE(spoiled[22], static_cast<std::uint8_t>(frameChecksum(spoiled, 1, 21) + 1));
    const LinkBytes good = radio.receive(readRequest(0x10)).at(0); // frame 3
    QCOMPARE(classifyReply(good, 0x10), ReplyKind::DataFrame);
    const LinkBytes ack = radio.receive(endFrame()).at(0); // frame 4
    QCOMPARE(classifyReply(ack, 0), ReplyKind::Ignored);
    QCOMPARE(radio.repliesCorrupted(), 2);
}

void TestRadioSimulator::splitsReplies()
{
    RadioSimulator radio;
    radio.knobs().pieceSize = 5;
    fillPattern(radio.memory(), 14);
    const auto handshake = radio.receive(handshakeFrame());
    QCOMPARE(handshake.size(), std::size_t{1});
    const auto pieces = radio.receive(readRequest(0x20));
    QCOMPARE(pieces.size(), std::size_t{5});
    QCOMPARE(pieces.back().size(), std::size_t{4});
    QCOMPARE(joined(pieces), toQt(dataFrameFromImage(radio.memory(), 0x20)));
}

void TestRadioSimulator::stopsAnsweringAfterNBlocks()
{
    RadioSimulator radio;
    radio.knobs().dieAfterBlocks = 2;
    enterProgramming(radio);
    QCOMPARE(radio.receive(identRequest()).size(), std::size_t{1});
    QCOMPARE(radio.receive(readRequest(0)).size(), std::size_t{1});
    QCOMPARE(radio.receive(readRequest(0x10)).size(), std::size_t{1});
    QVERIFY(radio.receive(readRequest(0x20)).empty());
    QVERIFY(radio.receive(endFrame()).empty());
    QVERIFY(radio.receive(handshakeFrame()).empty());
}

void TestRadioSimulator::transfersSurviveTheKnobs_data()
{
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<int>("corruptEvery");
    QTest::addColumn<int>("pieceSize");
    QTest::newRow("lost replies") << 9 << 0 << 0;
    QTest::newRow("bad checksums") << 0 << 13 << 0;
    QTest::newRow("one byte at a time") << 0 << 0 << 1;
    QTest::newRow("everything at once") << 17 << 19 << 7;
}

void TestRadioSimulator::transfersSurviveTheKnobs()
{
    QFETCH(int, dropEvery);
    QFETCH(int, corruptEvery);
    QFETCH(int, pieceSize);
    for (CommOperation operation : {CommOperation::Read, CommOperation::Write}) {
        RadioSimulator radio;
        radio.knobs().dropEvery = dropEvery;
        radio.knobs().corruptEvery = corruptEvery;
        radio.knobs().pieceSize = std::size_t(pieceSize);
        RadioImage image;
        fillPattern(operation == CommOperation::Read ? radio.memory() : image, 15);
        RadioImage expected = operation == CommOperation::Read ? radio.memory() : image;
        LinkHarness h;
        h.transferWith(radio, operation, image);
        QVERIFY(h.outcome);
        QCOMPARE(h.outcome->result, TransferResult::Success);
        QCOMPARE(h.timeouts, radio.repliesDropped() + radio.repliesCorrupted());
        const RadioImage &target = operation == CommOperation::Read ? image : radio.memory();
        for (std::uint32_t block : transferredBlocks()) {
            for (std::uint32_t i = 0; i < 16; ++i)
                QCOMPARE(target.byteAt(block + i), expected.byteAt(block + i));
        }
    }
}

QTEST_APPLESS_MAIN(TestRadioSimulator)
#include "tst_radiosimulator.moc"
