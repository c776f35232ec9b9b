#include <QTest>

#include "link/TransferStopNotice.h"
#include "model/TransferWalk.h"

// The one box after a failed or cancelled transfer: its wording in both languages and the block
// it names.
class TestTransferStopNotice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blockNumbersFollowTheWalk_data();
    void blockNumbersFollowTheWalk();
    void texts_data();
    void texts();
};

void TestTransferStopNotice::blockNumbersFollowTheWalk_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("number");
    QTest::newRow("before the first block") << -16 << 0;
    QTest::newRow("first block") << 0x00000 << 1;
    QTest::newRow("last block of the first range") << 0x00C70 << 200;
    QTest::newRow("first block after a gap") << 0x02000 << 201;
    QTest::newRow("last block") << kLastTransferBlock << kTransferBlockCount;
}

void TestTransferStopNotice::blockNumbersFollowTheWalk()
{
    QFETCH(int, address);
    QFETCH(int, number);
    QCOMPARE(transferBlockNumber(address), number);
}

void TestTransferStopNotice::texts_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    const int read = int(CommOperation::Read);
    const int write = int(CommOperation::Write);
    QTest::newRow("read, no answer at the handshake, Chinese")
        << read << int(TransferStopReason::NoAnswer) << -16 << 2
        << QStringLiteral(
               "从对讲机读取数据失败：对讲机连续五次没有应答，发生在第一个数据块之前。"
               "\r\n当前文档未被修改。\r\n"
               "请确认对讲机已开机并处于编程模式、编程线两端都已插好，并检查“通信端口”中选择的端口"
               "（其中的“查找电台”按钮会在各个端口上查找电台）。");
    QTest::newRow("write, port lost half-way, English")
        << write << int(TransferStopReason::PortLost) << 0x02000 << 1
        << QStringLiteral("Writing to the radio failed: the connection through the serial port "
                          "was lost at block 201 of 1872 (6%).\r\nThe radio is only partly "
                          "written: write again before using it.\r\nCheck that the radio is "
                          "switched on and in programming mode, that the programming cable is "
                          "seated at both ends, and the port chosen under Communication Port (its "
                          "Find Radio button asks every port for the radio).");
    QTest::newRow("write, port lost half-way, Chinese")
        << write << int(TransferStopReason::PortLost) << 0x02000 << 2
        << QStringLiteral(
               "向对讲机写入数据失败：与通信端口的连接已断开，停在第 201 块（共 1872 "
               "块，6%）。\r\n对讲机只写入了部分数据：使用前请重新写入。\r\n"
               "请确认对讲机已开机并处于编程模式、编程线两端都已插好，并检查“通信端口”中选择的端口"
               "（其中的“查找电台”按钮会在各个端口上查找电台）。");
    QTest::newRow("write cancelled before any block, English")
        << write << int(TransferStopReason::Cancelled) << -16 << 1
        << QStringLiteral("Writing to the radio was cancelled before the first block.\r\nThe "
                          "radio was not changed.");
}

void TestTransferStopNotice::texts()
{
    QFETCH(int, operation);
    QFETCH(int, reason);
    QFETCH(int, address);
    QFETCH(int, language);
    QFETCH(QString, text);
    TransferStopReport report;
    report.operation = CommOperation(operation);
    report.reason = TransferStopReason(reason);
    report.address = address;
    report.percent = address < 0 ? 0 : transferPercentage(address);
    QCOMPARE(QString::fromStdString(transferStopText(report, language)), text);
}

QTEST_APPLESS_MAIN(TestTransferStopNotice)
#include "tst_transferstopnotice.moc"
