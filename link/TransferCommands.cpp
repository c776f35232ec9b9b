#include "link/TransferCommands.h"

#include "datafile/LocalTime.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/HelpKey.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/FrmComSet.h"
#include "link/PortSettings.h"
#include "link/SerialPortFacts.h"
#include "link/SerialTraceFile.h"

TransferCommands::TransferCommands(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("TransferCommands"));
    m_timerWrite.setObjectName(QStringLiteral("TimerWrite"));
    m_timerWrite.setSingleShot(true);
    m_timerWrite.setInterval(kWriteDelayMs);
    connect(&m_timerWrite, &QTimer::timeout, this, [this] { start(JobKind::Write); });
    m_runner.setPortOpener([this](SerialPortService &port) {
        std::string failure;
        const int language = m_context.language.languageIndex;
        auto device = openNumberedPort(port, m_context.serial.comPort,
                                       readPortAliases(*m_context.setupIni), language, &failure);
        if (!device)
            m_context.messages->ask(failure, MessageButtons::Ok, MessageIcon::Critical);
        return device;
    });
    connect(&m_runner, &SessionRunner::transferStarting, this,
            [this](CommOperation operation, bool, const RadioImage *image) {
                transferStarting(operation, image);
            });
    connect(&m_runner, &SessionRunner::progressChanged, this,
            [this](CommOperation, bool, int percent) {
                if (m_progress)
                    m_progress->setProgress(percent);
            });
    connect(&link(), &LinkController::identificationReceived, this,
            [this](const IdentFields &fields) {
                // A verification leaves the document as it is, its version included.
                if (m_kind != JobKind::Verify)
                    m_context.document.setDataFileVersion(fields.firmwareVersion);
            });
    connect(&m_runner, &SessionRunner::asked, this, &TransferCommands::ask);
    // Boxes are shown once control is back in the event loop, never from inside the port's
    // notification that delivered the reply. A job that never started a transfer has said all.
    connect(&m_runner, &SessionRunner::finished, this, [this](const SessionEnd &end) {
        if (end.result == SessionResult::Declined || end.result == SessionResult::PortNotOpened)
            m_busy = false;
        else
            QTimer::singleShot(0, this, [this, end] { sessionFinished(end); });
    });
}

void TransferCommands::readFromRadio(MainWindowHost &host)
{
    if (isBusy())
        return;
    m_host = &host;
    // The read replaces the document: unsaved edits are offered for saving before anything else.
    if (!host.offerToSave())
        return;
    start(JobKind::Read);
}

void TransferCommands::writeToRadio(MainWindowHost &host)
{
    if (isBusy())
        return;
    m_host = &host;
    host.commitPendingEdits();
    m_timerWrite.start();
}

void TransferCommands::verifyRadio(MainWindowHost &host)
{
    if (isBusy())
        return;
    m_host = &host;
    host.commitPendingEdits();
    start(JobKind::Verify);
}

void TransferCommands::start(JobKind kind)
{
    m_timerWrite.stop();
    if (isBusy())
        return;
    SessionJob job;
    job.kind = kind;
    // The window reads onto its working set and writes it.
    job.readBase = &m_context.document.working();
    job.document = &m_context.document.working();
    // Only what changes the radio or the document is asked about first.
    job.confirm = kind != JobKind::Verify;
    job.versions = &m_context.versions;
    job.language = m_context.language.languageIndex;
    m_kind = kind;
    m_busy = true;
    m_runner.start(std::move(job));
}

void TransferCommands::ask(SessionQuestion question, const QString &text)
{
    if (question != SessionQuestion::Version) {
        const MessageAnswer answer = m_context.messages->ask(
            text.toStdString(), MessageButtons::OkCancel, MessageIcon::Question);
        m_runner.answer(answer == MessageAnswer::Ok);
        return;
    }
    QTimer::singleShot(0, this, [this, text] {
        if (!link().engine().isAwaitingAnswer())
            return;
        const MessageAnswer answer =
            m_context.messages->ask(text.toStdString(), MessageButtons::YesNo, MessageIcon::None);
        m_runner.answer(answer == MessageAnswer::Yes);
    });
}

void TransferCommands::transferStarting(CommOperation operation, const RadioImage *image)
{
    // The program's image holds what a write sends; a read clears it and fills it only once the
    // whole read succeeded; a verification leaves it alone.
    FrmProgress::Operation shown = FrmProgress::Operation::Verify;
    if (m_kind != JobKind::Verify && operation == CommOperation::Write) {
        m_context.image = *image;
        shown = FrmProgress::Operation::Write;
    } else if (m_kind != JobKind::Verify) {
        m_context.image.clear();
        shown = FrmProgress::Operation::Read;
    }
    m_progress = new FrmProgress(shown, m_context.language.languageIndex, m_host->dialogParent());
    m_progress->setWindowModality(Qt::ApplicationModal);
    addHelpKey(*m_progress, *m_host,
               m_kind == JobKind::Read ? QStringLiteral("task-read")
                                       : QStringLiteral("task-write-verify"));
    connect(m_progress, &FrmProgress::cancelClicked, this, [this] { m_runner.interrupt(); });
    m_progress->show();
}

void TransferCommands::sessionFinished(const SessionEnd &end)
{
    if (m_progress) {
        m_progress->finish();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    port().close();
    for (const std::string &message : end.messages)
        m_context.messageQueue.add(message);
    m_context.messageQueue.show(*m_context.messages, m_context.language.languageIndex);
    if (!end.switchToVersion.empty())
        m_context.switchVersion(end.switchToVersion, *m_host);

    const bool reading = end.kind == JobKind::Read;
    if (end.kind == JobKind::Verify &&
        (end.result == SessionResult::Done || end.result == SessionResult::Different)) {
        showVerifyResult(end.differences);
    } else if (end.result == SessionResult::Done) {
        if (reading) {
            m_host->closeAllChildWindows();
            m_context.image = m_runner.session().image();
            m_context.document.working() = m_runner.session().document();
            m_context.document.documentPath = "new.dat";
            m_context.document.untitled = true;
            m_context.document.suggestedFileName = "ORX740-" + localTimeText("%Y-%m-%d") + ".dat";
            m_host->documentReplaced();
        }
        m_host->showStatusMessage(
            qText(m_context.text(reading ? StatusTexts::kRead : StatusTexts::kWritten)));
        m_context.messages->ask(
            m_context.text(reading ? Messages::kReadCompleted : Messages::kWriteCompleted),
            MessageButtons::Ok, MessageIcon::None);
    } else if (end.stop) {
        // One box says what happened, where, and what it means for the document or the radio;
        // its Save Trace... keeps the frames for support.
        const int language = m_context.language.languageIndex;
        const std::string text = transferStopBoxText(
            *end.stop, port().devicePath(), readPortAliases(*m_context.setupIni), language);
        if (m_context.messages->ask(text, MessageButtons::OkSaveTrace,
                                    radioPartlyWritten(*end.stop)
                                        ? MessageIcon::Warning
                                        : MessageIcon::Information) == MessageAnswer::SaveTrace)
            saveSerialTraceAs(*m_context.fileDialogs, *m_context.messages, language);
    }
    m_busy = false;
    Q_EMIT transferEnded(end.outcome);
}

void TransferCommands::showVerifyResult(const std::vector<Difference> &differences)
{
    // One result window, the last verification's; it follows the language like the main window.
    if (!m_verifyResult) {
        m_verifyResult =
            new FrmVerifyResult(m_context.language.languageIndex, m_host->dialogParent());
        m_verifyResult->setAttribute(Qt::WA_DeleteOnClose);
        connect(&m_host->notifier(), &DocumentNotifier::languageChanged, m_verifyResult,
                [this] { m_verifyResult->relabel(m_context.language.languageIndex); });
    }
    m_verifyResult->showDifferences(differences);
    m_verifyResult->show();
    m_verifyResult->raise();
    m_verifyResult->activateWindow();
}

void TransferCommands::communicationPort(MainWindowHost &host)
{
    if (!isBusy())
        showCommunicationPort(m_context, host);
}

void registerTransferCommands(MainWindowHooks &hooks, TransferCommands &commands)
{
    hooks.setCommand(MainCommand::ReadFromRadio, [&commands](AppContext &, MainWindowHost &host) {
        commands.readFromRadio(host);
    });
    hooks.setCommand(MainCommand::WriteToRadio, [&commands](AppContext &, MainWindowHost &host) {
        commands.writeToRadio(host);
    });
    hooks.setCommand(MainCommand::VerifyRadio, [&commands](AppContext &, MainWindowHost &host) {
        commands.verifyRadio(host);
    });
    hooks.setCommand(
        MainCommand::CommunicationPort,
        [&commands](AppContext &, MainWindowHost &host) { commands.communicationPort(host); });
}
