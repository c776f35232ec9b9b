#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "lang/Texts.h"
#include "link/TransferEngine.h"

// Why a read or write ended before its last block.
enum class TransferStopReason
{
    NoAnswer,  // five sends of one frame went unanswered
    PortLost,  // the serial port reported an error and was closed
    Cancelled, // the user stopped the transfer
};

// What the user is told after a failed or cancelled transfer: what happened, where, what it
// means for the document or the radio, and what to check.
struct TransferStopReport
{
    CommOperation operation{CommOperation::Read};
    TransferStopReason reason{TransferStopReason::NoAnswer};
    // The address of the block in progress; negative before the first block.
    std::int32_t address{-16};
    int percent{0};
};

// The number of the block at this address in the transfer walk, counted from 1; 0 before the
// first block.
int transferBlockNumber(std::int32_t address);
// A write that got as far as its first data frame has changed the radio.
bool radioPartlyWritten(const TransferStopReport &report);

// The report of a transfer that ended without success at the block address and percentage the
// engine had reached; none for a success, or for a radio the identification refused (its checks
// have said why already).
std::optional<TransferStopReport> transferStopReport(const TransferOutcome &outcome,
                                                     std::int32_t address, int percent,
                                                     bool portLost);

// The whole text of the one box, lines separated by "\r\n".
std::string transferStopText(const TransferStopReport &report, int language);

namespace TransferStopTexts {
inline constexpr TextEntry kReadFailed{"",
                                       "Reading from the radio failed: ", "从对讲机读取数据失败："};
inline constexpr TextEntry kWriteFailed{"",
                                        "Writing to the radio failed: ", "向对讲机写入数据失败："};
inline constexpr TextEntry kNoAnswer{"", "the radio did not answer after five tries",
                                     "对讲机连续五次没有应答"};
inline constexpr TextEntry kPortLost{"", "the connection through the serial port was lost",
                                     "与通信端口的连接已断开"};
inline constexpr TextEntry kReadCancelled{"", "Reading from the radio was cancelled",
                                          "从对讲机读取数据已取消"};
inline constexpr TextEntry kWriteCancelled{"", "Writing to the radio was cancelled",
                                           "向对讲机写入数据已取消"};
// Followed by the block number, kOfBlocks, the percentage and kPercentEnd.
inline constexpr TextEntry kAtBlock{"", " at block ", "，停在第 "};
inline constexpr TextEntry kOfBlocks{"", " of 1872 (", " 块（共 1872 块，"};
inline constexpr TextEntry kPercentEnd{"", "%).", "%）。"};
inline constexpr TextEntry kBeforeFirstBlock{"", " before the first block.",
                                             "，发生在第一个数据块之前。"};
inline constexpr TextEntry kDocumentUnchanged{"", "The document was not changed.",
                                              "当前文档未被修改。"};
inline constexpr TextEntry kRadioUnchanged{"", "The radio was not changed.",
                                           "对讲机中的数据未被改动。"};
inline constexpr TextEntry kPartlyWritten{
    "", "The radio is only partly written: write again before using it.",
    "对讲机只写入了部分数据：使用前请重新写入。"};
inline constexpr TextEntry kWhatToCheck{
    "",
    "Check that the radio is switched on and in programming mode, that the programming cable is "
    "seated at both ends, and the port chosen under Communication Port (its Find Radio button "
    "asks every port for the radio).",
    "请确认对讲机已开机并处于编程模式、编程线两端都已插好，并检查“通信端口”中选择的端口"
    "（其中的“查找电台”按钮会在各个端口上查找电台）。"};
} // namespace TransferStopTexts
