#include "link/RadioSession.h"

#include <filesystem>
#include <utility>

#include "datafile/ImageDocument.h"
#include "lang/Messages.h"
#include "link/BatchUnits.h"
#include "link/Identification.h"
#include "model/VersionRegistry.h"
#include "radio/ImagePacking.h"

namespace {

std::string oneLine(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, " ");
    return text;
}

} // namespace

std::optional<std::string> sessionFailureLine(const SessionEnd &end, const std::string &device,
                                              int language)
{
    switch (end.result) {
    case SessionResult::Stopped:
        return oneLine(transferStopText(*end.stop, language));
    case SessionResult::NotAccepted:
        return textWith(end.operation == CommOperation::Write ? SessionTexts::kWriteNotAccepted
                                                              : SessionTexts::kReadNotAccepted,
                        language, {});
    case SessionResult::PortNotOpened:
        if (end.readingBack)
            return textWith(SessionTexts::kPortNotOpenedBeforeReadBack, language, {device});
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

RadioSession::RadioSession() = default;
RadioSession::~RadioSession() = default;

std::string RadioSession::text(const TextEntry &entry,
                               std::initializer_list<std::string_view> values) const
{
    return textWith(entry, m_job.language, values);
}

TransferEngine::Settings RadioSession::engineSettings() const
{
    TransferEngine::Settings settings;
    settings.language = m_job.language;
    if (const VersionRegistry *versions = m_job.versions)
        settings.compatible = [versions](std::string_view software, std::string_view firmware) {
            return versions->compatible(software, firmware);
        };
    return settings;
}

SessionActions RadioSession::start(SessionJob job)
{
    if (isRunning())
        return {};
    m_job = std::move(job);
    m_end = SessionEnd{};
    m_end.kind = m_job.kind;
    m_interrupted = false;
    m_switchToVersion.clear();
    m_radio.reset();
    m_ownUnits = UnitCounter(m_job.batch.lastUnit, m_job.batch.units);
    m_noMoreUnits = false;
    SessionActions actions;
    switch (m_job.kind) {
    case JobKind::Batch:
        waitForRadio(actions);
        break;
    case JobKind::Identify:
        openPort(actions, Phase::Ask);
        break;
    case JobKind::Read:
        openPort(actions, Phase::Read);
        break;
    case JobKind::Write:
        openPort(actions, Phase::Write);
        break;
    case JobKind::Verify:
        if (m_job.document)
            PackDocumentIntoImage(*m_job.document, m_image);
        openPort(actions, Phase::ReadBack);
        break;
    }
    return actions;
}

void RadioSession::openPort(SessionActions &actions, Phase phase)
{
    m_phase = phase;
    m_step = Step::Opening;
    m_portLost = false;
    actions.push_back(OpenPort{});
}

SessionActions RadioSession::portOpened(bool opened, const std::string &device)
{
    if (m_step != Step::Opening)
        return {};
    m_device = device;
    SessionActions actions;
    if (!opened) {
        portNotOpened(actions, device);
    } else if (m_job.confirm && (m_phase == Phase::Read || m_phase == Phase::Write)) {
        m_step = Step::Confirming;
        const bool reading = m_phase == Phase::Read;
        actions.push_back(
            Ask{reading ? SessionQuestion::ConfirmRead : SessionQuestion::ConfirmWrite,
                text(reading ? Messages::kReadQuestion : Messages::kWriteQuestion)});
    } else if (m_phase == Phase::Write && !isBatch()) {
        beforeWrite(actions);
    } else {
        startTransfer(actions);
    }
    return actions;
}

void RadioSession::portNotOpened(SessionActions &actions, const std::string &device)
{
    if (m_phase == Phase::Ask || m_phase == Phase::AskGone) {
        if (isBatch())
            return portSilent(actions);
    } else if (isBatch()) {
        return finishUnit(actions, "failed",
                          text(m_phase == Phase::ReadBack
                                   ? SessionTexts::kPortNotOpenedBeforeReadBack
                                   : SessionTexts::kPortNotOpenedBeforeWrite,
                               {device}));
    }
    m_end.operation = m_phase == Phase::Write ? CommOperation::Write : CommOperation::Read;
    m_end.readingBack = m_phase == Phase::ReadBack && m_job.kind == JobKind::Write;
    finish(actions, SessionResult::PortNotOpened);
}

// A write keeps what it is about to send before anything goes out.
void RadioSession::beforeWrite(SessionActions &actions)
{
    if (m_job.document)
        PackDocumentIntoImage(*m_job.document, m_image);
    else if (m_job.rawImage)
        m_image = *m_job.rawImage;
    if (m_job.document)
        keepBackup(actions, BackupReason::Write, m_image, *m_job.document);
    else
        keepBackup(actions, BackupReason::Write, m_image,
                   documentFromImage(m_image, m_job.readBase ? *m_job.readBase : DocumentSet{}));
}

void RadioSession::keepBackup(SessionActions &actions, BackupReason reason, const RadioImage &image,
                              const DocumentSet &document)
{
    BackupContents contents;
    contents.model = kModelName;
    contents.reason = reason;
    contents.pair = packForSaving(document);
    contents.image.emplace(image.bytes().begin(), image.bytes().end());
    m_backupPending = reason;
    m_step = Step::KeepingBackup;
    actions.push_back(KeepBackup{std::move(contents)});
}

SessionActions RadioSession::backupKept(const std::optional<std::string> &dataFilePath)
{
    if (m_step != Step::KeepingBackup)
        return {};
    const BackupReason reason = *std::exchange(m_backupPending, std::nullopt);
    SessionActions actions;
    if (reason == BackupReason::Write) {
        startTransfer(actions);
    } else if (isBatch()) {
        if (dataFilePath)
            m_record.backup = std::filesystem::path(*dataFilePath).parent_path().string();
        unitRead(actions);
    } else {
        finish(actions, SessionResult::Done);
    }
    return actions;
}

void RadioSession::startTransfer(SessionActions &actions)
{
    m_step = Step::Transferring;
    StartTransfer start;
    switch (m_phase) {
    case Phase::Ask:
    case Phase::AskGone:
        start.operation = CommOperation::Identify;
        start.replyTimeoutMs = isBatch() ? kAskReplyTimeoutMs : 0;
        break;
    case Phase::Read:
        start = {CommOperation::Read, &m_image, 0};
        break;
    case Phase::Write:
        start = {CommOperation::Write, &m_image, 0};
        break;
    case Phase::ReadBack:
        start = {CommOperation::Read, &m_readBack, 0};
        break;
    }
    actions.push_back(start);
}

SessionActions RadioSession::answer(bool yes)
{
    SessionActions actions;
    if (m_step == Step::Confirming) {
        if (!yes) {
            actions.push_back(ClosePort{});
            finish(actions, SessionResult::Declined);
        } else if (m_phase == Phase::Write) {
            beforeWrite(actions);
        } else {
            startTransfer(actions);
        }
    } else if (m_step == Step::AnsweringTransfer) {
        m_step = Step::Transferring;
        actions.push_back(AnswerTransfer{yes});
    } else if (m_step == Step::AwaitingUser) {
        if (!yes)
            stopBatch(actions);
        else if (m_phase == Phase::AskGone)
            nextRadio(actions);
        else
            waitForRadio(actions);
    }
    return actions;
}

SessionActions RadioSession::transferProgress(int percent)
{
    if (m_step != Step::Transferring || m_phase == Phase::Ask || m_phase == Phase::AskGone)
        return {};
    return {ReportProgress{m_phase == Phase::Write ? CommOperation::Write : CommOperation::Read,
                           m_phase == Phase::ReadBack, percent}};
}

SessionActions RadioSession::transferAsks(const std::string &question)
{
    if (m_step != Step::Transferring)
        return {};
    // The batch refuses a radio whose firmware does not fit before it reads it; a question after
    // that is answered No.
    if (isBatch())
        return {AnswerTransfer{false}};
    m_step = Step::AnsweringTransfer;
    return {Ask{SessionQuestion::Version, question}};
}

SessionActions RadioSession::portLost()
{
    if (isRunning())
        m_portLost = true;
    return {};
}

SessionActions RadioSession::transferFinished(const TransferReport &report)
{
    if (m_step != Step::Transferring && m_step != Step::AnsweringTransfer)
        return {};
    if (report.identification)
        m_radio = report.identification;
    if (!report.outcome.switchToVersion.empty())
        m_switchToVersion = report.outcome.switchToVersion;
    m_end.outcome = report.outcome;
    m_end.messages = report.messages;
    SessionActions actions{TransferEnded{report.outcome, report.messages}};
    if (m_phase == Phase::Ask || m_phase == Phase::AskGone) {
        if (isBatch())
            askAnswered(actions, report);
        else
            finish(actions, report.outcome.result == TransferResult::Success
                                ? SessionResult::Done
                                : SessionResult::NotAccepted);
    } else if (report.outcome.result == TransferResult::Success) {
        transferDone(actions, report);
    } else if (isBatch()) {
        unitFailed(actions, report);
    } else {
        transferFailed(actions, report);
    }
    return actions;
}

void RadioSession::transferDone(SessionActions &actions, const TransferReport &)
{
    switch (m_phase) {
    case Phase::Read:
        m_document = documentFromImage(m_image, m_job.readBase ? *m_job.readBase : DocumentSet{});
        keepBackup(actions, BackupReason::Read, m_image, m_document);
        return;
    case Phase::Write:
        if (isBatch() || m_job.verifyAfterWrite)
            return openPort(actions, Phase::ReadBack);
        m_end.operation = CommOperation::Write;
        return finish(actions, SessionResult::Done);
    case Phase::ReadBack:
        return compare(actions);
    case Phase::Ask:
    case Phase::AskGone:
        return;
    }
}

void RadioSession::compare(SessionActions &actions)
{
    std::vector<Difference> differences = compareImages(m_image, m_readBack);
    if (isBatch()) {
        m_record.differences = int(differences.size());
        if (differences.empty())
            return finishUnit(actions, "ok", text(SessionTexts::kWrittenAndVerified));
        std::string message =
            text(SessionTexts::kDiffersAfterWrite, {std::to_string(differences.size())});
        return finishUnit(actions, "failed", std::move(message), std::move(differences));
    }
    m_end.operation = CommOperation::Read;
    m_end.readingBack = m_job.kind == JobKind::Write;
    m_end.differences = std::move(differences);
    finish(actions, m_end.differences.empty() ? SessionResult::Done : SessionResult::Different);
}

void RadioSession::transferFailed(SessionActions &actions, const TransferReport &report)
{
    m_end.operation = report.outcome.operation;
    m_end.readingBack = m_phase == Phase::ReadBack && m_job.kind == JobKind::Write;
    m_end.stop = transferStopReport(report.outcome, report.address, report.percent, m_portLost);
    finish(actions, m_end.stop ? SessionResult::Stopped : SessionResult::NotAccepted);
}

void RadioSession::finish(SessionActions &actions, SessionResult result)
{
    m_step = Step::Idle;
    m_end.result = result;
    m_end.switchToVersion = m_switchToVersion;
    actions.push_back(SessionFinished{m_end});
}

SessionActions RadioSession::waitOver()
{
    if (m_step != Step::Waiting)
        return {};
    SessionActions actions;
    ask(actions);
    return actions;
}

SessionActions RadioSession::interrupt()
{
    if (!isRunning())
        return {};
    m_interrupted = true;
    SessionActions actions;
    const bool transferring = m_step == Step::Transferring || m_step == Step::AnsweringTransfer;
    if (!isBatch()) {
        if (transferring)
            actions.push_back(CancelTransfer{});
        return actions;
    }
    // A radio being written is finished first; a read is stopped before the write.
    if (m_phase == Phase::Write || m_phase == Phase::ReadBack)
        actions.push_back(Say{text(SessionTexts::kFinishingFirst), {}});
    else if (transferring)
        actions.push_back(CancelTransfer{});
    else
        stopBatch(actions);
    return actions;
}

SessionActions RadioSession::noMoreUnits()
{
    if (!isRunning() || !isBatch() || m_noMoreUnits)
        return {};
    m_noMoreUnits = true;
    SessionActions actions;
    if (inUnit())
        return actions;
    if (m_step == Step::Transferring)
        actions.push_back(CancelTransfer{});
    else
        stopBatch(actions);
    return actions;
}

SessionActions RadioSession::retry()
{
    if (!isRunning() || !isBatch() || m_phase != Phase::AskGone)
        return {};
    SessionActions actions;
    if (m_step == Step::AwaitingUser)
        waitForRadio(actions);
    else
        m_phase = Phase::Ask;
    return actions;
}

void RadioSession::waitForRadio(SessionActions &actions)
{
    actions.push_back(Say{text(SessionTexts::kWaiting, {m_job.batch.portName}), {}});
    m_phase = Phase::Ask;
    ask(actions);
}

// One identification-only exchange; a port that cannot be opened is asked again later.
void RadioSession::ask(SessionActions &actions)
{
    openPort(actions, m_phase == Phase::AskGone ? Phase::AskGone : Phase::Ask);
}

// Nobody answered the last ask.
void RadioSession::portSilent(SessionActions &actions)
{
    if (m_phase == Phase::AskGone) {
        m_phase = Phase::Ask;
        actions.push_back(Say{text(SessionTexts::kWaiting, {m_job.batch.portName}), {}});
    }
    if (m_interrupted || m_noMoreUnits)
        return stopBatch(actions);
    m_step = Step::Waiting;
    actions.push_back(StartWait{kAskIntervalMs});
}

void RadioSession::askAnswered(SessionActions &actions, const TransferReport &report)
{
    if (m_interrupted || m_noMoreUnits)
        return stopBatch(actions);
    if (report.outcome.result != TransferResult::Success &&
        report.outcome.failure != TransferFailure::IdentificationFailed)
        return portSilent(actions);
    if (m_phase == Phase::AskGone) {
        // Still the radio programmed last.
        m_step = Step::Waiting;
        actions.push_back(StartWait{kAskIntervalMs});
        return;
    }
    beginUnit(actions);
}

// A radio answered: refuse it, or read it.
void RadioSession::beginUnit(SessionActions &actions)
{
    const std::optional<int> unit = units().take();
    if (!unit) {
        m_noMoreUnits = true;
        return stopBatch(actions);
    }
    const IdentFields radio = m_radio.value_or(IdentFields{});
    m_record = UnitRecord{};
    m_record.unit = *unit;
    m_record.port = m_job.batch.portName;
    m_record.cable = m_job.batch.cable;
    m_record.model = radio.radioModel;
    m_record.firmware = versionForDisplay(radio.firmwareVersion);
    m_phase = Phase::Read;
    std::optional<std::string> reason = refusal(radio);
    if (!reason && !m_job.batch.namePattern.empty()) {
        UnitName name = unitName(m_job.batch.namePattern, *unit);
        m_record.name = std::move(name.name);
        if (!name.error.empty())
            reason = std::move(name.error);
    }
    actions.push_back(
        Say{text(SessionTexts::kUnitFound, {std::to_string(*unit), radio.radioModel,
                                            versionForDisplay(radio.firmwareVersion)}),
            m_record});
    if (reason)
        return finishUnit(actions, "refused", std::move(*reason));
    openPort(actions, Phase::Read);
}

// Why this radio cannot take the template, if it cannot: the same check as every transfer's,
// with the software version that handles the template's data file.
std::optional<std::string> RadioSession::refusal(const IdentFields &radio) const
{
    const std::string planVersion =
        m_job.document ? m_job.document->settings.version.raw() : std::string(kSoftwareVersion);
    TransferEngine::Settings settings = engineSettings();
    if (m_job.versions)
        if (std::string software = m_job.versions->softwareVersionFor(planVersion);
            !software.empty())
            settings.softwareVersion = software;
    switch (identificationCheck(radio, settings.modelName, settings.softwareVersion,
                                settings.compatible)) {
    case IdentificationOutcome::Passed:
        return std::nullopt;
    case IdentificationOutcome::WrongModel:
        return text(SessionTexts::kWrongModel, {radio.radioModel, kModelName});
    case IdentificationOutcome::IncompatibleVersion:
        break;
    }
    std::string reason =
        text(SessionTexts::kFirmwareDoesNotFit,
             {versionForDisplay(radio.firmwareVersion), versionForDisplay(planVersion)});
    if (m_job.batch.switchVersion)
        reason += "; " + text(SessionTexts::kSwitchLeftToProgram, {radio.firmwareVersion});
    return reason;
}

// The read is in and its backup kept: merge the template and write.
void RadioSession::unitRead(SessionActions &actions)
{
    if (m_interrupted)
        return finishUnit(actions, "interrupted", text(SessionTexts::kNotWritten));
    if (m_job.document) {
        DocumentSet merged = mergeTemplate(*m_job.document, m_document, m_job.batch.keepOptions);
        if (!m_record.name.empty())
            merged.settings.options.btDeviceName.assign(m_record.name);
        PackDocumentIntoImage(merged, m_image);
    }
    openPort(actions, Phase::Write);
}

void RadioSession::unitFailed(SessionActions &actions, const TransferReport &report)
{
    if (m_phase == Phase::Read && report.outcome.result == TransferResult::Cancelled)
        return finishUnit(actions, "interrupted", text(SessionTexts::kNotWritten));
    const auto stop =
        transferStopReport(report.outcome, report.address, report.percent, m_portLost);
    finishUnit(actions, "failed",
               stop ? oneLine(transferStopText(*stop, m_job.language))
                    : text(SessionTexts::kNotAccepted));
}

void RadioSession::finishUnit(SessionActions &actions, const std::string &result,
                              std::string message, std::vector<Difference> differences)
{
    m_record.result = result;
    m_record.message = std::move(message);
    m_record.differences = int(differences.size());
    (result == "ok"        ? m_end.done
     : result == "refused" ? m_end.refused
     : result == "failed"  ? m_end.failed
                           : m_end.untouched)++;
    actions.push_back(ReportUnit{m_record, std::move(differences)});
    // The radio is done with; the next ask is for it to go, or for the next one.
    m_phase = Phase::AskGone;
    if (m_interrupted || m_noMoreUnits || units().exhausted())
        return stopBatch(actions);
    // When the user says the next radio is there, that one Enter also goes on after a failure.
    if (result == "failed" && !m_job.batch.keepGoing && !m_job.batch.nextOnAnswer) {
        m_step = Step::AwaitingUser;
        m_phase = Phase::AskGone;
        actions.push_back(Ask{SessionQuestion::GoOn, text(SessionTexts::kPressEnter)});
        return;
    }
    nextRadio(actions);
}

void RadioSession::nextRadio(SessionActions &actions)
{
    actions.push_back(Say{text(SessionTexts::kNextRadio), {}});
    if (m_job.batch.nextOnAnswer) {
        m_step = Step::AwaitingUser;
        m_phase = Phase::Ask;
        actions.push_back(
            Ask{SessionQuestion::NextRadio, text(SessionTexts::kPressEnterWhenConnected)});
        return;
    }
    m_phase = Phase::AskGone;
    m_step = Step::Waiting;
    actions.push_back(StartWait{kAskIntervalMs});
}

void RadioSession::stopBatch(SessionActions &actions)
{
    finish(actions, SessionResult::BatchEnded);
}
