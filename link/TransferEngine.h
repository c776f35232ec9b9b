#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "lang/Texts.h"
#include "link/Frames.h"
#include "link/Identification.h"

class RadioImage;

enum class CommOperation : int
{
    Idle = 0,
    Read = 1,
    Write = 2,
    Identify = 3 // the handshake and the identification only, then "END"
};

// The step of a read or a write. The numbers are those the transfer has always used.
enum class TransferStep : int
{
    Idle = 0,
    HandshakeSent = 1,
    IdentRequestSent = 3,
    WritingBlocks = 4,
    ReadingBlocks = 5,
    EndSentAfterLastBlock = 69,   // ends successfully
    EndSentAfterFailedCheck = 70, // ends as failed
    EndSentAfterCancel = 71       // ends as cancelled
};

enum class TransferResult
{
    Success,
    Failure,
    Cancelled
};

enum class TransferFailure
{
    None,
    NoAnswer,            // five sends of one frame went unanswered
    IdentificationFailed // wrong model or incompatible version
};

struct TransferOutcome
{
    CommOperation operation{CommOperation::Idle};
    TransferResult result{TransferResult::Failure};
    TransferFailure failure{TransferFailure::None};
    // Set when the user asked to start the program version for this firmware; the host does it
    // once the port is closed and the queued messages are shown.
    std::string switchToVersion;
};

// What the engine asks its host to do, in order.
struct SendFrame
{
    LinkBytes bytes;
    int replyThreshold{1}; // bytes the reply needs before it is worth looking at
    int resendCount{1};    // 1 for a fresh frame, 2..5 for a resend
};
struct StartReplyTimer
{};
struct StopReplyTimer
{};
struct ProgressChanged
{
    int percent{0};
};
struct QueueMessage
{
    std::string text; // in the transfer's language; shown once the port is closed
};
struct AskQuestion
{
    std::string text; // a Yes/No question; answer with questionAnswered()
};
struct IdentificationReceived
{
    IdentFields fields; // the firmware becomes the working data-file version
};
struct TransferFinished
{
    TransferOutcome outcome;
};
using LinkAction =
    std::variant<SendFrame, StartReplyTimer, StopReplyTimer, ProgressChanged, QueueMessage,
                 AskQuestion, IdentificationReceived, TransferFinished>;
using LinkActions = std::vector<LinkAction>;

// One read, write or identification with the radio: the step machine, the reply recognition and the
// resend rule. It does no I/O and keeps no time: the host feeds it received bytes, reply-timer
// expiries and the user's answers, and carries out the actions each input returns. Only one
// transfer runs at a time; inputs while idle return nothing.
class TransferEngine
{
public:
    static constexpr int kReplyTimeoutMs = 1000;
    static constexpr int kMaxSends = 5;

    struct Settings
    {
        int language{English};
        std::string modelName{kModelName};
        std::string softwareVersion{kSoftwareVersion};
        VersionCompatibility compatible; // empty: only the software's own version
    };

    TransferEngine() = default;
    explicit TransferEngine(Settings settings);

    void setSettings(Settings settings) { m_settings = std::move(settings); }
    const Settings &settings() const { return m_settings; }

    // A read clears the target and fills it block by block; the target must outlive the
    // transfer. A write sends the source's blocks as they are.
    LinkActions startRead(RadioImage &target);
    LinkActions startWrite(const RadioImage &source);
    // Asks the radio who it is and lets it leave programming mode again; no block is read or
    // written and no version question is asked. Succeeds for a radio of this model whatever its
    // firmware, fails as IdentificationFailed for another model.
    LinkActions startIdentify();

    LinkActions bytesReceived(std::span<const std::uint8_t> bytes);
    LinkActions timerExpired();
    LinkActions questionAnswered(bool yes);
    // Sends "END" so the radio leaves programming mode and ends as cancelled at its Ack, or at
    // the first time-out without one.
    LinkActions cancel();

    bool isRunning() const { return m_operation != CommOperation::Idle; }
    bool isAwaitingAnswer() const { return m_awaitingAnswer; }
    CommOperation operation() const { return m_operation; }
    TransferStep step() const { return m_step; }
    std::int32_t transferAddress() const { return m_transferAddress; }
    int lastPercentage() const { return m_lastPercentage; }
    int resendCount() const { return m_resendCount; }
    // The bytes the port should gather before it delivers them: the rest of the expected reply,
    // or 1 once that many have arrived without forming a reply.
    int receiveThreshold() const;
    const std::optional<IdentFields> &identification() const { return m_identification; }

private:
    LinkActions start(CommOperation operation);
    void send(LinkActions &actions, LinkBytes frame, ReplyKind expected);
    void accept(LinkActions &actions, std::span<const std::uint8_t> reply);
    void runStep(LinkActions &actions);
    void checkIdentification(LinkActions &actions);
    void nextBlock(LinkActions &actions);
    void sendEnd(LinkActions &actions, TransferStep step);
    void reportProgress(LinkActions &actions);
    void finish(LinkActions &actions, TransferResult result, TransferFailure failure);

    Settings m_settings;
    CommOperation m_operation{CommOperation::Idle};
    TransferStep m_step{TransferStep::Idle};
    std::int32_t m_transferAddress{-16};
    int m_lastPercentage{0};
    RadioImage *m_readTarget{nullptr};
    const RadioImage *m_writeSource{nullptr};

    LinkBytes m_frame;
    ReplyKind m_expected{ReplyKind::Ignored};
    int m_resendCount{0};
    LinkBytes m_received;
    bool m_awaitingAnswer{false};

    std::optional<IdentFields> m_identification;
    std::string m_switchToVersion;
};
