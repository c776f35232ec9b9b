#include "link/TransferEngine.h"

#include <algorithm>

#include "lang/Messages.h"
#include "model/RadioImage.h"
#include "model/TransferWalk.h"
#include "model/VersionRegistry.h"

namespace {

// Received bytes kept while waiting for a reply: enough for the longest reply behind junk.
constexpr std::size_t kReceiveWindow = 4 * kDataFrameLength;

} // namespace

TransferEngine::TransferEngine(Settings settings)
    : m_settings(std::move(settings))
{}

LinkActions TransferEngine::startRead(RadioImage &target)
{
    if (isRunning())
        return {};
    target.clear();
    m_readTarget = &target;
    m_writeSource = nullptr;
    return start(CommOperation::Read);
}

LinkActions TransferEngine::startWrite(const RadioImage &source)
{
    if (isRunning())
        return {};
    m_readTarget = nullptr;
    m_writeSource = &source;
    return start(CommOperation::Write);
}

LinkActions TransferEngine::startIdentify()
{
    if (isRunning())
        return {};
    m_readTarget = nullptr;
    m_writeSource = nullptr;
    return start(CommOperation::Identify);
}

LinkActions TransferEngine::start(CommOperation operation)
{
    m_operation = operation;
    m_transferAddress = kTransferStartAddress;
    m_lastPercentage = 0;
    m_awaitingAnswer = false;
    m_identification.reset();
    m_switchToVersion.clear();
    m_step = TransferStep::HandshakeSent;
    LinkActions actions{ProgressChanged{0}};
    send(actions, handshakeFrame(), ReplyKind::HandshakeReply);
    return actions;
}

int TransferEngine::receiveThreshold() const
{
    const std::size_t length = replyLength(m_expected);
    if (m_received.size() >= length)
        return 1;
    return static_cast<int>(std::max<std::size_t>(1, length - m_received.size()));
}

void TransferEngine::send(LinkActions &actions, LinkBytes frame, ReplyKind expected)
{
    m_frame = std::move(frame);
    m_expected = expected;
    m_resendCount = 1;
    m_received.clear();
    actions.push_back(StartReplyTimer{});
    actions.push_back(SendFrame{m_frame, static_cast<int>(replyLength(expected)), m_resendCount});
}

LinkActions TransferEngine::bytesReceived(std::span<const std::uint8_t> bytes)
{
    if (!isRunning() || m_awaitingAnswer || bytes.empty())
        return {};
    m_received.insert(m_received.end(), bytes.begin(), bytes.end());
    if (m_received.size() > kReceiveWindow)
        m_received.erase(m_received.begin(),
                         m_received.end() - static_cast<std::ptrdiff_t>(kReceiveWindow));

    // A reply ends where the received bytes end; bytes in front of it are left over from line
    // noise or a late answer to an earlier send. A reply of another kind than the frame sent
    // asks for is ignored, so a stray Ack never advances the walk past an unread block.
    const std::size_t length = replyLength(m_expected);
    if (m_received.size() < length)
        return {};
    const std::span<const std::uint8_t> tail(m_received.data() + m_received.size() - length,
                                             length);
    if (classifyReply(tail, m_transferAddress) != m_expected)
        return {};
    const LinkBytes reply(tail.begin(), tail.end());
    LinkActions actions;
    accept(actions, reply);
    return actions;
}

void TransferEngine::accept(LinkActions &actions, std::span<const std::uint8_t> reply)
{
    m_received.clear();
    actions.push_back(StopReplyTimer{});
    if (m_expected == ReplyKind::IdentReply) {
        m_identification = parseIdentReply(reply);
        actions.push_back(IdentificationReceived{*m_identification});
    }
    if (m_expected == ReplyKind::DataFrame && m_readTarget) {
        m_readTarget->writeBlock(static_cast<std::uint32_t>(m_transferAddress),
                                 reply.subspan(kDataOffset, RadioImage::kBlockSize));
        reportProgress(actions);
    }
    runStep(actions);
}

void TransferEngine::runStep(LinkActions &actions)
{
    switch (m_step) {
    case TransferStep::HandshakeSent:
        m_step = TransferStep::IdentRequestSent;
        send(actions, identRequest(), ReplyKind::IdentReply);
        break;
    case TransferStep::IdentRequestSent:
        checkIdentification(actions);
        break;
    case TransferStep::WritingBlocks:
    case TransferStep::ReadingBlocks:
        nextBlock(actions);
        break;
    case TransferStep::EndSentAfterLastBlock:
        finish(actions, TransferResult::Success, TransferFailure::None);
        break;
    case TransferStep::EndSentAfterCancel:
        finish(actions, TransferResult::Cancelled, TransferFailure::None);
        break;
    case TransferStep::EndSentAfterFailedCheck:
    case TransferStep::Idle:
        finish(actions, TransferResult::Failure, TransferFailure::IdentificationFailed);
        break;
    }
}

void TransferEngine::checkIdentification(LinkActions &actions)
{
    const IdentFields radio = m_identification.value_or(IdentFields{});
    // Finding the radio asks only whether it is of this model; its firmware does not matter.
    IdentificationOutcome outcome = IdentificationOutcome::WrongModel;
    if (m_operation != CommOperation::Identify)
        outcome = identificationCheck(radio, m_settings.modelName, m_settings.softwareVersion,
                                      m_settings.compatible);
    else if (trimModelName(m_settings.modelName) == radio.radioModel)
        outcome = IdentificationOutcome::Passed;
    switch (outcome) {
    case IdentificationOutcome::Passed:
        if (m_operation == CommOperation::Identify) {
            sendEnd(actions, TransferStep::EndSentAfterLastBlock);
            break;
        }
        m_step = m_operation == CommOperation::Read ? TransferStep::ReadingBlocks
                                                    : TransferStep::WritingBlocks;
        nextBlock(actions);
        break;
    case IdentificationOutcome::WrongModel:
        actions.push_back(
            QueueMessage{std::string(textFor(Messages::kModelMismatch, m_settings.language))});
        sendEnd(actions, TransferStep::EndSentAfterFailedCheck);
        break;
    case IdentificationOutcome::IncompatibleVersion:
        // The reply timer stays stopped while the question is open, so nothing is resent.
        m_awaitingAnswer = true;
        actions.push_back(
            AskQuestion{incompatibilityQuestion(m_settings.softwareVersion, radio.firmwareVersion,
                                                VersionKind::Firmware, m_settings.language)});
        break;
    }
}

LinkActions TransferEngine::questionAnswered(bool yes)
{
    if (!isRunning() || !m_awaitingAnswer)
        return {};
    m_awaitingAnswer = false;
    if (yes && m_identification)
        m_switchToVersion = m_identification->firmwareVersion;
    LinkActions actions;
    sendEnd(actions, TransferStep::EndSentAfterFailedCheck);
    return actions;
}

void TransferEngine::nextBlock(LinkActions &actions)
{
    m_transferAddress = NextTransferAddress(m_transferAddress + 16);
    if (m_transferAddress >= kTransferEndAddress) {
        sendEnd(actions, TransferStep::EndSentAfterLastBlock);
        return;
    }
    const auto address = static_cast<std::uint32_t>(m_transferAddress);
    if (m_operation == CommOperation::Read) {
        send(actions, readRequest(address), ReplyKind::DataFrame);
        return;
    }
    LinkBytes frame = dataFrameFromImage(*m_writeSource, address);
    reportProgress(actions);
    send(actions, std::move(frame), ReplyKind::Ack);
}

void TransferEngine::sendEnd(LinkActions &actions, TransferStep step)
{
    m_step = step;
    send(actions, endFrame(), ReplyKind::Ack);
}

void TransferEngine::reportProgress(LinkActions &actions)
{
    const int percentage = transferPercentage(m_transferAddress);
    if (percentage <= m_lastPercentage)
        return;
    m_lastPercentage = percentage;
    actions.push_back(ProgressChanged{percentage});
}

LinkActions TransferEngine::timerExpired()
{
    if (!isRunning() || m_awaitingAnswer)
        return {};
    LinkActions actions{StopReplyTimer{}};
    if (m_step == TransferStep::EndSentAfterCancel) {
        finish(actions, TransferResult::Cancelled, TransferFailure::None);
        return actions;
    }
    if (m_resendCount >= kMaxSends) {
        finish(actions, TransferResult::Failure,
               m_step == TransferStep::EndSentAfterFailedCheck
                   ? TransferFailure::IdentificationFailed
                   : TransferFailure::NoAnswer);
        return actions;
    }
    ++m_resendCount;
    m_received.clear();
    actions.push_back(StartReplyTimer{});
    actions.push_back(SendFrame{m_frame, static_cast<int>(replyLength(m_expected)), m_resendCount});
    return actions;
}

LinkActions TransferEngine::cancel()
{
    if (!isRunning())
        return {};
    LinkActions actions{StopReplyTimer{}};
    m_awaitingAnswer = false;
    // Once "END" is on its way the radio is leaving programming mode already.
    if (m_step == TransferStep::EndSentAfterLastBlock ||
        m_step == TransferStep::EndSentAfterFailedCheck ||
        m_step == TransferStep::EndSentAfterCancel) {
        finish(actions, TransferResult::Cancelled, TransferFailure::None);
        return actions;
    }
    sendEnd(actions, TransferStep::EndSentAfterCancel);
    return actions;
}

void TransferEngine::finish(LinkActions &actions, TransferResult result, TransferFailure failure)
{
    actions.push_back(StopReplyTimer{});
    TransferOutcome outcome{m_operation, result, failure, m_switchToVersion};
    m_operation = CommOperation::Idle;
    m_step = TransferStep::Idle;
    m_awaitingAnswer = false;
    m_expected = ReplyKind::Ignored;
    m_received.clear();
    m_readTarget = nullptr;
    m_writeSource = nullptr;
    actions.push_back(TransferFinished{std::move(outcome)});
}
