#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "datafile/BackupStore.h"
#include "datafile/DocumentCompare.h"
#include "link/SessionJob.h"
#include "link/TransferEngine.h"
#include "link/TransferStopNotice.h"
#include "model/RadioImage.h"
#include "radio/Document.h"

// What a session asks its runner and its driver to do, in order.
struct OpenPort
{};
struct ClosePort
{};
// Starts a read into `image`, a write of `image`, or an identification (no image).
struct StartTransfer
{
    CommOperation operation{CommOperation::Read};
    RadioImage *image{nullptr}; // lives in the session
    int replyTimeoutMs{0};      // 0: the runner's own
};
struct AnswerTransfer
{
    bool yes{false};
};
struct CancelTransfer
{};
// The runner stamps the contents, keeps them and tells backupKept() where they went.
struct KeepBackup
{
    BackupContents contents;
};
enum class SessionQuestion
{
    ConfirmRead,  // OK/Cancel before a read
    ConfirmWrite, // OK/Cancel before a write
    Version,      // Yes/No: start the program version for the radio's firmware?
    GoOn,         // a radio of the batch failed: go on with the next? (No: stop)
    NextRadio     // the batch waits for the user to say the next radio is connected
};
struct Ask
{
    SessionQuestion question{SessionQuestion::ConfirmRead};
    std::string text;
};
struct StartWait
{
    int milliseconds{0};
};
// A line the batch says to the user. The line that a radio answered carries the unit it begins
// (its number, port, model, firmware and name), before its read, write and check.
struct Say
{
    std::string text;
    std::optional<UnitRecord> unitBegun;
};
struct ReportProgress
{
    CommOperation operation{CommOperation::Read};
    bool readingBack{false};
    int percent{0};
};
// One transfer has ended; its queued messages are to be shown now that the port is closed.
struct TransferEnded
{
    TransferOutcome outcome;
    std::vector<std::string> messages;
};
struct ReportUnit
{
    UnitRecord record;
    std::vector<Difference> differences; // what the read-back found different
};

enum class SessionResult
{
    Done,          // the job did what it was asked
    Different,     // a comparison found differences
    Declined,      // the user answered Cancel before anything was sent
    PortNotOpened, // the runner has said why
    NotAccepted,   // the identification refused the radio; its messages have been shown
    Stopped,       // no answer, the port lost, or cancelled: see `stop`
    BatchEnded     // the batch stopped: see the counts
};
struct SessionEnd
{
    JobKind kind{JobKind::Read};
    SessionResult result{SessionResult::Done};
    CommOperation operation{CommOperation::Idle}; // the transfer the result is about
    bool readingBack{false};                      // that transfer read back a write
    std::optional<TransferStopReport> stop;
    TransferOutcome outcome;           // of the last transfer
    std::vector<std::string> messages; // queued during the last transfer
    std::string switchToVersion;       // the user asked for the program version of this firmware
    std::vector<Difference> differences;
    int done{0}, refused{0}, failed{0}, untouched{0}; // the batch's radios
};
struct SessionFinished
{
    SessionEnd end;
};

using SessionAction =
    std::variant<OpenPort, ClosePort, StartTransfer, AnswerTransfer, CancelTransfer, KeepBackup,
                 Ask, StartWait, Say, ReportProgress, TransferEnded, ReportUnit, SessionFinished>;
using SessionActions = std::vector<SessionAction>;

// How one transfer ended, as the runner hands it in.
struct TransferReport
{
    TransferOutcome outcome;
    std::optional<IdentFields> identification;
    std::int32_t address{-16}; // the block in progress when it ended
    int percent{0};
    std::vector<std::string> messages;
};

// One job with one radio on one port: the steps around the transfers that the window's commands,
// the command-line verbs and the batch share. It opens and closes no port and keeps no time: its
// runner carries out the actions each input returns and hands in what came of them. Several
// sessions, each with its own runner and port, can run side by side. Inputs while idle, or that
// do not fit the step, return nothing.
class RadioSession
{
public:
    // The reply time-out of the batch's ask for a radio: five unanswered sends make about a
    // second, so a silent port is asked again once a second.
    static constexpr int kAskReplyTimeoutMs = 200;
    static constexpr int kAskIntervalMs = 1000;

    RadioSession();
    ~RadioSession();
    RadioSession(const RadioSession &) = delete;
    RadioSession &operator=(const RadioSession &) = delete;

    SessionActions start(SessionJob job);
    SessionActions portOpened(bool opened, const std::string &device);
    SessionActions transferProgress(int percent);
    // The transfer engine asks the user (the version question).
    SessionActions transferAsks(const std::string &question);
    SessionActions transferFinished(const TransferReport &report);
    SessionActions backupKept(const std::optional<std::string> &dataFilePath);
    SessionActions answer(bool yes);
    SessionActions waitOver();
    // Ctrl+C or the progress window's Cancel.
    SessionActions interrupt();
    // The serial port reported an error and was closed.
    SessionActions portLost();
    // The batch's counter has given its last unit to some port: a session between radios ends
    // now, one in the middle of a radio ends after it.
    SessionActions noMoreUnits();
    // The batch programs the radio still connected again after it failed, instead of waiting for
    // it to be replaced.
    SessionActions retry();

    bool isRunning() const { return m_step != Step::Idle; }
    // The engine settings of this job's transfers: one compatibility check for every job.
    TransferEngine::Settings engineSettings() const;
    // After a read: the image as the radio sent it, and the document made from it on the base.
    // After a write: the image sent.
    const RadioImage &image() const { return m_image; }
    const RadioImage &readBack() const { return m_readBack; }
    const DocumentSet &document() const { return m_document; }
    // What the radio said of itself in the last identification.
    const std::optional<IdentFields> &identification() const { return m_radio; }

private:
    enum class Step
    {
        Idle,
        Opening,
        Confirming,
        KeepingBackup,
        Transferring,
        AnsweringTransfer, // the version question waits for the driver
        Waiting,           // the batch's pause between asks
        AwaitingUser,      // the batch waits for the user's answer
    };
    enum class Phase
    {
        Ask,     // the batch asks for a radio
        AskGone, // the batch asks until the radio programmed last stops answering
        Read,
        Write,
        ReadBack, // after a write, or a verification
    };

    void openPort(SessionActions &actions, Phase phase);
    void startTransfer(SessionActions &actions);
    void portNotOpened(SessionActions &actions, const std::string &device);
    void beforeWrite(SessionActions &actions);
    void transferDone(SessionActions &actions, const TransferReport &report);
    void transferFailed(SessionActions &actions, const TransferReport &report);
    void compare(SessionActions &actions);
    void keepBackup(SessionActions &actions, BackupReason reason, const RadioImage &image,
                    const DocumentSet &document);
    void finish(SessionActions &actions, SessionResult result);

    // The batch.
    void waitForRadio(SessionActions &actions);
    void ask(SessionActions &actions);
    void askAnswered(SessionActions &actions, const TransferReport &report);
    void portSilent(SessionActions &actions);
    void beginUnit(SessionActions &actions);
    std::optional<std::string> refusal(const IdentFields &radio) const;
    void unitRead(SessionActions &actions);
    void unitFailed(SessionActions &actions, const TransferReport &report);
    void finishUnit(SessionActions &actions, const std::string &result, std::string message,
                    std::vector<Difference> differences = {});
    void nextRadio(SessionActions &actions);
    void stopBatch(SessionActions &actions);

    bool isBatch() const { return m_job.kind == JobKind::Batch; }
    bool inUnit() const
    {
        return m_phase == Phase::Read || m_phase == Phase::Write || m_phase == Phase::ReadBack;
    }
    UnitCounter &units() { return m_job.batch.counter ? *m_job.batch.counter : m_ownUnits; }
    std::string text(const TextEntry &entry,
                     std::initializer_list<std::string_view> values = {}) const;

    SessionJob m_job;
    Step m_step{Step::Idle};
    Phase m_phase{Phase::Read};
    RadioImage m_image;    // read from the radio, or to be written
    RadioImage m_readBack; // read back after a write, or for a verification
    DocumentSet m_document;
    std::string m_device;
    bool m_portLost{false};
    bool m_interrupted{false};
    std::string m_switchToVersion;
    std::optional<BackupReason> m_backupPending;
    SessionEnd m_end;

    // The batch's radio in hand and its counts.
    UnitRecord m_record;
    std::optional<IdentFields> m_radio;
    UnitCounter m_ownUnits;
    bool m_noMoreUnits{false};
};

// What went wrong, on one line, for a job that ended without doing what it was asked: the stop
// of a transfer, a radio the identification refused, or the port that could not be opened again
// for the read-back (`device`). Nothing when the job did its work, or when the one who opened
// the port has said why already.
std::optional<std::string> sessionFailureLine(const SessionEnd &end, const std::string &device,
                                              int language);
