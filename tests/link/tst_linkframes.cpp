#include <QTest>

#include <array>
#include <string>

#include "LinkHarness.h"
#include "link/Frames.h"
#include "link/Identification.h"
#include "model/TransferWalk.h"
#include "model/VersionRegistry.h"

Q_DECLARE_METATYPE(ReplyKind)
Q_DECLARE_METATYPE(IdentificationOutcome)

namespace {

LinkBytes blockFrame(std::uint32_t address, std::uint8_t fill)
{
    std::array<std::uint8_t, 16> data;
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(fill + i);
    return dataFrame(address, data);
}

LinkBytes identBytes(const QByteArray &model7, std::uint8_t capability, const QByteArray &fw)
{
    LinkBytes reply{'I'};
    for (char c : model7)
        reply.push_back(static_cast<std::uint8_t>(c));
    reply.push_back(capability);
    for (char c : fw)
        reply.push_back(static_cast<std::uint8_t>(c));
    reply.insert(reply.end(), 3, 0x5A);
    return reply;
}

} // namespace

class TestLinkFrames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtFrames_data();
    void builtFrames();
    void checksumWorkedExamples_data();
    void checksumWorkedExamples();
    void dataFrameLayout();
    void classify_data();
    void classify();
    void identFields_data();
    void identFields();
    void nextTransferAddress_data();
    void nextTransferAddress();
    void walkVisitsTheListedRanges();
    void percentage_data();
    void percentage();
    void versionTexts();
    void identification_data();
    void identification();
};

void TestLinkFrames::builtFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("handshake") << toQt(handshakeFrame()) << QByteArray("PROGRAM");
    QTest::newRow("identification request") << toQt(identRequest()) << QByteArray("\x02", 1);
    QTest::newRow("end") << toQt(endFrame()) << QByteArray("END");
    QTest::newRow("read request first block")
        << toQt(readRequest(0)) << QByteArray("R\x00\x00\x00\x00\x10", 6);
    QTest::newRow("read request last block")
        << toQt(readRequest(0x22160)) << QByteArray("R\x00\x02\x21\x60\x10", 6);
    QTest::newRow("handshake reply") << toQt(handshakeReply()) << QByteArray("KZ\x06");
}

void TestLinkFrames::builtFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame, expected);
}

void TestLinkFrames::checksumWorkedExamples_data()
{
    QTest::addColumn<quint32>("address");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("checksum");
    QTest::newRow("block 0 of zeros") << 0u << 0x00 << 0x10;
    QTest::newRow("block 0x2000 of 0xFF") << 0x2000u << 0xFF << 0x20;
}

void TestLinkFrames::checksumWorkedExamples()
{
    QFETCH(quint32, address);
    QFETCH(int, fill);
    QFETCH(int, checksum);
    std::array<std::uint8_t, 16> data;
    data.fill(static_cast<std::uint8_t>(fill));
    const LinkBytes frame = dataFrame(address, data);
    QCOMPARE(int(frame[22]), checksum);
    QCOMPARE(int(frameChecksum(frame, 1, 21)), checksum);
    QVERIFY(checksumMatches(frame));
}

void TestLinkFrames::dataFrameLayout()
{
    RadioImage image;
    fillPattern(image, 7);
    const LinkBytes frame = dataFrameFromImage(image, 0x16400);
    QCOMPARE(frame.size(), kDataFrameLength);
    QCOMPARE(frame[0], std::uint8_t{'W'});
    QCOMPARE(frameAddress(frame), 0x16400u);
    QCOMPARE(frame[1], std::uint8_t{0x00});
    QCOMPARE(frame[2], std::uint8_t{0x01});
    QCOMPARE(frame[3], std::uint8_t{0x64});
    QCOMPARE(frame[4], std::uint8_t{0x00});
    QCOMPARE(frame[5], std::uint8_t{0x10});
    for (std::uint32_t i = 0; i < 16; ++i)
        QCOMPARE(frame[6 + i], image.byteAt(0x16400 + i));
    QCOMPARE(frame[23], std::uint8_t{0x06});
    // A block that does not lie inside the image builds no frame at all.
    QVERIFY(dataFrameFromImage(image, 0x22200).empty());
}

void TestLinkFrames::classify_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint64>("transferAddress");
    QTest::addColumn<ReplyKind>("kind");

    const QByteArray good = toQt(blockFrame(0x2000, 0x30));
    QTest::newRow("ack") << QByteArray("\x06") << qint64(0) << ReplyKind::Ack;
    QTest::newRow("ack twice") << QByteArray("\x06\x06") << qint64(0) << ReplyKind::Ignored;
    QTest::newRow("other single byte") << QByteArray("\x15") << qint64(0) << ReplyKind::Ignored;
    QTest::newRow("handshake reply")
        << QByteArray("KZ\x06") << qint64(0) << ReplyKind::HandshakeReply;
    QTest::newRow("handshake reply without ack")
        << QByteArray("KZ\x15") << qint64(0) << ReplyKind::Ignored;
    QTest::newRow("identification reply") << toQt(identBytes(QByteArray("ORX740\0", 7), 1, "V100"))
                                          << qint64(0) << ReplyKind::IdentReply;
    QTest::newRow("identification reply of 15 bytes")
        << toQt(identBytes(QByteArray("ORX740\0", 7), 1, "V100")).left(15) << qint64(0)
        << ReplyKind::Ignored;
    QTest::newRow("data frame") << good << qint64(0x2000) << ReplyKind::DataFrame;
    QTest::newRow("data frame of 23 bytes")
        << good.left(23) << qint64(0x2000) << ReplyKind::Ignored;
    QTest::newRow("data frame of 25 bytes")
        << good + '\x06' << qint64(0x2000) << ReplyKind::Ignored;
    QTest::newRow("data frame for another block") << good << qint64(0x2010) << ReplyKind::Ignored;
    QTest::newRow("data frame before the first block") << good << qint64(-16) << ReplyKind::Ignored;
    QByteArray off = good;
    off[22] = char(off[22] + 1);
    QTest::newRow("checksum off by one") << off << qint64(0x2000) << ReplyKind::Ignored;
    QByteArray lengthByte = good;
    lengthByte[5] = 0x0F;
    lengthByte[22] = char(lengthByte[22] - 1);
    QTest::newRow("length byte 15") << lengthByte << qint64(0x2000) << ReplyKind::Ignored;
    QByteArray trailer = good;
    trailer[23] = 0x15;
    QTest::newRow("last byte not 0x06") << trailer << qint64(0x2000) << ReplyKind::Ignored;
    QByteArray marker = good;
    marker[0] = 'R';
    QTest::newRow("first byte not W") << marker << qint64(0x2000) << ReplyKind::Ignored;
    QTest::newRow("nothing") << QByteArray() << qint64(0) << ReplyKind::Ignored;
}

void TestLinkFrames::classify()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint64, transferAddress);
    QFETCH(ReplyKind, kind);
    QCOMPARE(classifyReply(fromQt(reply), transferAddress), kind);
}

void TestLinkFrames::identFields_data()
{
    QTest::addColumn<QByteArray>("model7");
    QTest::addColumn<int>("capability");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<QString>("radioModel");
    QTest::addColumn<bool>("publicGroup");

    QTest::newRow("NUL after the name")
        << QByteArray("ORX740\0", 7) << 1 << QByteArray("V100") << "ORX740" << true;
    QTest::newRow("space after the name")
        << QByteArray("ORX740 ") << 1 << QByteArray("V100") << "ORX740" << true;
    QTest::newRow("capability 2") << QByteArray("ORX740 ") << 2 << QByteArray("V101") << "ORX740"
                                  << false;
    QTest::newRow("capability 0") << QByteArray("ORX740 ") << 0 << QByteArray("V1 0") << "ORX740"
                                  << false;
    QTest::newRow("seven letters")
        << QByteArray("ORX7400") << 1 << QByteArray("V100") << "ORX7400" << true;
    QTest::newRow("text after a NUL")
        << QByteArray("ORX\0abc", 7) << 1 << QByteArray("V100") << "ORX" << true;
}

void TestLinkFrames::identFields()
{
    QFETCH(QByteArray, model7);
    QFETCH(int, capability);
    QFETCH(QByteArray, firmware);
    QFETCH(QString, radioModel);
    QFETCH(bool, publicGroup);
    const IdentFields fields =
        parseIdentReply(identBytes(model7, static_cast<std::uint8_t>(capability), firmware));
    QCOMPARE(QString::fromStdString(fields.radioModel), radioModel);
    QCOMPARE(fields.publicGroupFlag, publicGroup);
    // The firmware version is kept exactly as sent, spaces included.
    QCOMPARE(QByteArray::fromStdString(fields.firmwareVersion), firmware);
}

void TestLinkFrames::nextTransferAddress_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("next");
    QTest::newRow("first block") << 0 << 0;
    QTest::newRow("last block of the first range") << 0x00C70 << 0x00C70;
    QTest::newRow("start of the first gap") << 0x00C80 << 0x02000;
    QTest::newRow("inside the first gap") << 0x01000 << 0x02000;
    QTest::newRow("end of the first gap") << 0x02000 << 0x02000;
    QTest::newRow("short gap 0x16150") << 0x16150 << 0x16200;
    QTest::newRow("short gap 0x16340") << 0x16340 << 0x16400;
    QTest::newRow("gap at 0x22090") << 0x22090 << 0x22100;
    QTest::newRow("last block") << 0x22160 << 0x22160;
    QTest::newRow("past the last block") << 0x22170 << 0x22200;
    QTest::newRow("end address") << 0x22200 << 0x22200;
}

void TestLinkFrames::nextTransferAddress()
{
    QFETCH(int, address);
    QFETCH(int, next);
    QCOMPARE(NextTransferAddress(address), next);
}

void TestLinkFrames::walkVisitsTheListedRanges()
{
    std::vector<std::uint32_t> visited;
    for (std::int32_t a = NextTransferAddress(kTransferStartAddress + 16); a < kTransferEndAddress;
         a = NextTransferAddress(a + 16))
        visited.push_back(static_cast<std::uint32_t>(a));
    QCOMPARE(int(visited.size()), kTransferBlockCount);
    QCOMPARE(visited, transferredBlocks());
    QCOMPARE(visited.size() * 16, std::size_t{29952});
}

void TestLinkFrames::percentage_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("percent");
    QTest::newRow("first block") << 0 << 0;
    QTest::newRow("rounds up past a half") << 0x570 << 1; // 0.996 -> 1
    QTest::newRow("just under one half") << 0x2B0 << 0;   // 0.492 -> 0
    QTest::newRow("middle") << 0x11100 << 50;
    QTest::newRow("last block rounds to 100") << 0x22160 << 100;
}

void TestLinkFrames::percentage()
{
    QFETCH(int, address);
    QFETCH(int, percent);
    QCOMPARE(transferPercentage(address), percent);
}

void TestLinkFrames::versionTexts()
{
    QCOMPARE(versionForDisplay("V100"), std::string("V1.00"));
    QCOMPARE(versionForDisplay("V101"), std::string("V1.01"));
    QCOMPARE(incompatibilityQuestion("V100", "V101", VersionKind::Firmware, English),
             std::string("incompatible version. It may cause unknown error.To start the "
                         "corresponding software version, or not?\r\nFirmware version is "
                         "V1.01\r\nprogramming software is V1.00"));
    QCOMPARE(incompatibilityQuestion("V100", "V101", VersionKind::Firmware, Chinese),
             std::string("版本不兼容，有可能引起未知错误，是否启动对应版本软件？\r\n固件版本为 "
                         "V1.01\r\n写频软件版本为 V1.00"));
}

void TestLinkFrames::identification_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("tableHoldsV101");
    QTest::addColumn<IdentificationOutcome>("outcome");
    QTest::newRow("right model, V100") << "ORX740"
                                       << "V100" << false << IdentificationOutcome::Passed;
    QTest::newRow("right model, V101 not in the table")
        << "ORX740"
        << "V101" << false << IdentificationOutcome::IncompatibleVersion;
    QTest::newRow("right model, V101 in the table")
        << "ORX740"
        << "V101" << true << IdentificationOutcome::Passed;
    QTest::newRow("other model") << "ORX741"
                                 << "V100" << false << IdentificationOutcome::WrongModel;
    QTest::newRow("lower case") << "orx740"
                                << "V100" << false << IdentificationOutcome::WrongModel;
    QTest::newRow("model and version wrong")
        << "KZ6666"
        << "V101" << false << IdentificationOutcome::WrongModel;
    QTest::newRow("no model") << ""
                              << "V100" << false << IdentificationOutcome::WrongModel;
}

void TestLinkFrames::identification()
{
    QFETCH(QString, model);
    QFETCH(QString, firmware);
    QFETCH(bool, tableHoldsV101);
    QFETCH(IdentificationOutcome, outcome);
    const VersionCompatibility table = [&](std::string_view software, std::string_view fw) {
        return software == "V100" && (fw == "V100" || (tableHoldsV101 && fw == "V101"));
    };
    const IdentFields radio{model.toStdString(), true, firmware.toStdString()};
    QCOMPARE(identificationCheck(radio, kModelName, kSoftwareVersion, table), outcome);
}

QTEST_APPLESS_MAIN(TestLinkFrames)
#include "tst_linkframes.moc"
