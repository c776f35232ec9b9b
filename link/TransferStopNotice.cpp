#include "link/TransferStopNotice.h"

#include "model/TransferWalk.h"

int transferBlockNumber(std::int32_t address)
{
    if (address < 0)
        return 0;
    int number = 0;
    for (std::int32_t a = NextTransferAddress(0); a < kTransferEndAddress && a <= address;
         a = NextTransferAddress(a + 16))
        ++number;
    return number;
}

bool radioPartlyWritten(const TransferStopReport &report)
{
    return report.operation == CommOperation::Write && report.address >= 0;
}

std::optional<TransferStopReport>
transferStopReport(const TransferOutcome &outcome, std::int32_t address, int percent, bool portLost)
{
    if (outcome.result == TransferResult::Success ||
        outcome.failure == TransferFailure::IdentificationFailed)
        return std::nullopt;
    TransferStopReport report;
    report.operation = outcome.operation;
    report.reason = outcome.result == TransferResult::Cancelled ? TransferStopReason::Cancelled
                    : portLost                                  ? TransferStopReason::PortLost
                                                                : TransferStopReason::NoAnswer;
    report.address = address;
    report.percent = percent;
    return report;
}

std::string transferStopText(const TransferStopReport &report, int language)
{
    namespace T = TransferStopTexts;
    const auto text = [language](const TextEntry &entry) {
        return std::string(textFor(entry, language));
    };
    const bool reading = report.operation == CommOperation::Read;
    std::string result;
    switch (report.reason) {
    case TransferStopReason::Cancelled:
        result = text(reading ? T::kReadCancelled : T::kWriteCancelled);
        break;
    case TransferStopReason::NoAnswer:
    case TransferStopReason::PortLost:
        result = text(reading ? T::kReadFailed : T::kWriteFailed) +
                 text(report.reason == TransferStopReason::NoAnswer ? T::kNoAnswer : T::kPortLost);
        break;
    }
    if (const int block = transferBlockNumber(report.address); block > 0)
        result += text(T::kAtBlock) + std::to_string(block) + text(T::kOfBlocks) +
                  std::to_string(report.percent) + text(T::kPercentEnd);
    else
        result += text(T::kBeforeFirstBlock);
    result += "\r\n";
    if (reading)
        result += text(T::kDocumentUnchanged);
    else
        result += text(radioPartlyWritten(report) ? T::kPartlyWritten : T::kRadioUnchanged);
    if (report.reason != TransferStopReason::Cancelled)
        result += "\r\n" + text(T::kWhatToCheck);
    return result;
}
