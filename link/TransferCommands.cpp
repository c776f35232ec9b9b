#include "link/TransferCommands.h"

#include "datafile/BackupStore.h"
#include "datafile/DataFileFormat.h"
#include "kernel/AppContext.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "link/FrmComSet.h"
#include "link/FrmProgress.h"
#include "link/LinkTexts.h"
#include "link/LinkWindowTexts.h"
#include "link/PortFacts.h"
#include "link/PortSettings.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialTraceFile.h"
#include "link/TransferStopNotice.h"
#include "radio/ImagePacking.h"

TransferCommands::TransferCommands(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_link(m_port)
{
    setObjectName(QStringLiteral("TransferCommands"));
    m_timerWrite.setObjectName(QStringLiteral("TimerWrite"));
    m_timerWrite.setSingleShot(true);
    m_timerWrite.setInterval(kWriteDelayMs);
    connect(&m_timerWrite, &QTimer::timeout, this, &TransferCommands::startWrite);
    connect(&m_port, &SerialPortService::portFailed, this, [this] {
        if (isBusy())
            m_portLost = true;
    });
    connect(&m_link, &LinkController::progressChanged, this, [this](int percent) {
        if (m_progress)
            m_progress->setProgress(percent);
    });
    // Boxes are shown once control is back in the event loop, never from inside the port's
    // notification that delivered the reply.
    connect(&m_link, &LinkController::identificationReceived, this,
            [this](const IdentFields &fields) {
                m_context.document.setDataFileVersion(fields.firmwareVersion);
            });
    connect(&m_link, &LinkController::questionAsked, this, [this](const QString &text) {
        QTimer::singleShot(0, this, [this, text] { askVersionQuestion(text); });
    });
    connect(&m_link, &LinkController::finished, this,
            [this](const TransferOutcome &outcome, const QStringList &messages) {
                QTimer::singleShot(
                    0, this, [this, outcome, messages] { transferFinished(outcome, messages); });
            });
}

void TransferCommands::readFromRadio(MainWindowHost &host)
{
    if (isBusy())
        return;
    m_host = &host;
    m_operation = CommOperation::Read;
    if (!openPort() || !confirm(Messages::kReadQuestion)) {
        m_operation = CommOperation::Idle;
        return;
    }
    m_context.image.clear();
    startTransfer(CommOperation::Read);
}

void TransferCommands::writeToRadio(MainWindowHost &host)
{
    if (isBusy())
        return;
    m_host = &host;
    host.commitPendingEdits();
    m_timerWrite.start();
}

void TransferCommands::startWrite()
{
    m_timerWrite.stop();
    if (isBusy())
        return;
    m_operation = CommOperation::Write;
    if (!openPort() || !confirm(Messages::kWriteQuestion)) {
        m_operation = CommOperation::Idle;
        return;
    }
    PackDocumentIntoImage(m_context.document.working(), m_context.image);
    keepBackup(false);
    startTransfer(CommOperation::Write);
}

bool TransferCommands::openPort()
{
    const PortAliases aliases = readPortAliases(*m_context.setupIni);
    const int number = m_context.serial.comPort;
    const auto device = number < 1
                            ? std::nullopt
                            : devicePathForPort(QString::fromStdString(comName(number)), aliases);
    if (device && m_port.open(*device))
        return true;
    // The program's message, then on a second line why the port could not be opened.
    PortFacts facts;
    if (device) {
        facts = portFactsOf(*device, aliases);
    } else {
        facts.number = number;
        facts.access = PortAccess::Missing;
    }
    m_context.messages->ask(portOpenFailureText(facts, m_context.language.languageIndex),
                            MessageButtons::Ok, MessageIcon::Critical);
    return false;
}

bool TransferCommands::confirm(const TextEntry &question)
{
    if (m_context.messages->ask(m_context.text(question), MessageButtons::OkCancel,
                                MessageIcon::Question) == MessageAnswer::Ok)
        return true;
    m_port.close();
    return false;
}

void TransferCommands::startTransfer(CommOperation operation)
{
    TransferEngine::Settings settings;
    settings.language = m_context.language.languageIndex;
    settings.modelName = m_context.document.modelName();
    settings.compatible = [this](std::string_view software, std::string_view firmware) {
        return m_context.versions.compatible(software, firmware);
    };
    m_link.setEngineSettings(std::move(settings));
    m_portLost = false;

    m_progress = new FrmProgress(operation == CommOperation::Read ? FrmProgress::Operation::Read
                                                                  : FrmProgress::Operation::Write,
                                 m_context.language.languageIndex, m_host->dialogParent());
    m_progress->setWindowModality(Qt::ApplicationModal);
    connect(m_progress, &FrmProgress::cancelClicked, this, &TransferCommands::cancelTransfer);
    m_progress->show();

    const bool started = operation == CommOperation::Read ? m_link.startRead(m_context.image)
                                                          : m_link.startWrite(m_context.image);
    if (!started) {
        m_port.close();
        transferFinished(
            TransferOutcome{operation, TransferResult::Failure, TransferFailure::NoAnswer, {}}, {});
    }
}

void TransferCommands::cancelTransfer()
{
    m_link.cancel();
}

void TransferCommands::askVersionQuestion(const QString &text)
{
    if (!m_link.engine().isAwaitingAnswer())
        return;
    const MessageAnswer answer =
        m_context.messages->ask(text.toStdString(), MessageButtons::YesNo, MessageIcon::None);
    m_link.answerQuestion(answer == MessageAnswer::Yes);
}

void TransferCommands::transferFinished(const TransferOutcome &outcome, const QStringList &messages)
{
    if (m_progress) {
        m_progress->finish();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    m_port.close();

    const int language = m_context.language.languageIndex;
    for (const QString &message : messages)
        m_context.messageQueue.add(message.toStdString());
    m_context.messageQueue.show(*m_context.messages, language);

    if (!outcome.switchToVersion.empty())
        m_context.switchVersion(outcome.switchToVersion);

    if (outcome.result == TransferResult::Success) {
        if (outcome.operation == CommOperation::Read) {
            m_host->closeAllChildWindows();
            UnpackImageIntoDocument(m_context.image, m_context.document.working());
            keepBackup(true);
            m_context.document.documentPath = "new.dat";
            m_context.document.untitled = true;
            m_host->documentReplaced();
        }
        m_context.messages->ask(m_context.text(outcome.operation == CommOperation::Read
                                                   ? Messages::kReadCompleted
                                                   : Messages::kWriteCompleted),
                                MessageButtons::Ok, MessageIcon::None);
    } else if (const auto report = transferStopReport(outcome, m_link.engine(), m_portLost)) {
        // One box says what happened, where, and what it means for the document or the radio;
        // its Save Trace... keeps the frames for support.
        std::string text = transferStopText(*report, language);
        if (report->reason == TransferStopReason::NoAnswer) {
            const PortFacts facts =
                portFactsOf(m_port.devicePath(), readPortAliases(*m_context.setupIni));
            if (facts.counterfeitChip)
                text += "\r\n" + portAccessLine(facts, language);
        }
        if (m_context.messages->ask(text, MessageButtons::OkSaveTrace,
                                    radioPartlyWritten(*report)
                                        ? MessageIcon::Warning
                                        : MessageIcon::Information) == MessageAnswer::SaveTrace)
            saveTrace();
    }
    m_portLost = false;
    m_operation = CommOperation::Idle;
    Q_EMIT transferEnded(outcome);
}

void TransferCommands::saveTrace()
{
    const auto path = m_context.fileDialogs->saveFileName(
        m_context.text(LinkWindowTexts::kTraceFilter), "orx740-trace.txt");
    if (!path || path->empty())
        return;
    QString error;
    if (!saveSerialTrace(QString::fromStdString(*path), &error))
        m_context.messages->inform(std::string(m_context.text(Messages::kFileError)) + "\r\n" +
                                       error.toStdString(),
                                   MessageIcon::Warning);
}

void TransferCommands::keepBackup(bool afterRead)
{
    if (!m_backups)
        return;
    // A backup that cannot be written does not stop the transfer: the radio and the document
    // are both still there.
    BackupContents contents;
    contents.stamp = backupStampNow();
    contents.model = m_context.document.modelName();
    contents.reason = afterRead ? BackupReason::Read : BackupReason::Write;
    contents.pair = packDataFilePair(m_context.document.working());
    const auto bytes = m_context.image.bytes();
    contents.image.emplace(bytes.begin(), bytes.end());
    m_backups->keep(contents);
}

void TransferCommands::communicationPort(MainWindowHost &host)
{
    if (isBusy())
        return;
    QWidget *parent = host.dialogParent();
    if (auto *open = parent->findChild<FrmComSet *>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *window = new FrmComSet(m_context, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    // The status bar shows the port in force.
    connect(window, &QDialog::accepted, parent, [&host] { host.relabel(); });
    window->show();
}

void registerTransferCommands(MainWindowHooks &hooks, TransferCommands &commands)
{
    hooks.setCommand(MainCommand::ReadFromRadio, [&commands](AppContext &, MainWindowHost &host) {
        commands.readFromRadio(host);
    });
    hooks.setCommand(MainCommand::WriteToRadio, [&commands](AppContext &, MainWindowHost &host) {
        commands.writeToRadio(host);
    });
    hooks.setCommand(
        MainCommand::CommunicationPort,
        [&commands](AppContext &, MainWindowHost &host) { commands.communicationPort(host); });
}
