#include "link/SessionRunner.h"

#include "datafile/BackupStore.h"

SessionRunner::SessionRunner(QObject *parent)
    : QObject(parent)
    , m_link(m_port)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, [this] { run(m_session.waitOver()); });
    connect(&m_port, &SerialPortService::portFailed, this, [this] { run(m_session.portLost()); });
    connect(&m_link, &LinkController::progressChanged, this,
            [this](int percent) { run(m_session.transferProgress(percent)); });
    connect(&m_link, &LinkController::questionAsked, this, [this](const QString &question) {
        run(m_session.transferAsks(question.toStdString()));
    });
    connect(&m_link, &LinkController::finished, this,
            [this](const TransferOutcome &outcome, const QStringList &messages) {
                TransferReport report{outcome,
                                      m_link.engine().identification(),
                                      m_link.engine().transferAddress(),
                                      m_link.engine().lastPercentage(),
                                      {}};
                for (const QString &message : messages)
                    report.messages.push_back(message.toStdString());
                run(m_session.transferFinished(report));
            });
}

bool SessionRunner::start(SessionJob job)
{
    if (m_session.isRunning())
        return false;
    run(m_session.start(std::move(job)));
    return true;
}

void SessionRunner::answer(bool yes)
{
    run(m_session.answer(yes));
}

void SessionRunner::interrupt()
{
    run(m_session.interrupt());
}

void SessionRunner::run(SessionActions actions)
{
    // A driver may answer from inside a signal emitted here; the actions of its answer queue
    // behind the ones in hand instead of running in the middle of them.
    for (SessionAction &action : actions)
        m_pending.push_back(std::move(action));
    if (m_running)
        return;
    m_running = true;
    while (!m_pending.empty()) {
        SessionAction action = std::move(m_pending.front());
        m_pending.pop_front();
        carryOut(action);
    }
    m_running = false;
}

void SessionRunner::carryOut(SessionAction &action)
{
    if (std::holds_alternative<OpenPort>(action)) {
        const std::optional<QString> device = m_openPort ? m_openPort(m_port) : std::nullopt;
        run(m_session.portOpened(device.has_value(),
                                 device.value_or(m_port.devicePath()).toStdString()));
    } else if (std::holds_alternative<ClosePort>(action)) {
        m_port.close();
    } else if (const auto *start = std::get_if<StartTransfer>(&action)) {
        startTransfer(*start);
    } else if (const auto *answer = std::get_if<AnswerTransfer>(&action)) {
        m_link.answerQuestion(answer->yes);
    } else if (std::holds_alternative<CancelTransfer>(action)) {
        m_link.cancel();
    } else if (auto *keep = std::get_if<KeepBackup>(&action)) {
        keepBackup(*keep);
    } else if (const auto *ask = std::get_if<Ask>(&action)) {
        Q_EMIT asked(ask->question, QString::fromStdString(ask->text));
    } else if (const auto *wait = std::get_if<StartWait>(&action)) {
        m_wait.start(wait->milliseconds);
    } else if (const auto *say = std::get_if<Say>(&action)) {
        Q_EMIT said(QString::fromStdString(say->text));
        if (say->unitBegun)
            Q_EMIT unitBegun(*say->unitBegun);
    } else if (const auto *progress = std::get_if<ReportProgress>(&action)) {
        Q_EMIT progressChanged(progress->operation, progress->readingBack, progress->percent);
    } else if (const auto *ended = std::get_if<TransferEnded>(&action)) {
        QStringList messages;
        for (const std::string &message : ended->messages)
            messages << QString::fromStdString(message);
        Q_EMIT transferEnded(ended->outcome, messages);
    } else if (const auto *unit = std::get_if<ReportUnit>(&action)) {
        Q_EMIT unitReported(unit->record, unit->differences);
    } else if (const auto *finished = std::get_if<SessionFinished>(&action)) {
        m_wait.stop();
        Q_EMIT this->finished(finished->end);
    }
}

void SessionRunner::startTransfer(const StartTransfer &start)
{
    m_link.setEngineSettings(m_session.engineSettings());
    m_link.setReplyTimeout(start.replyTimeoutMs > 0
                               ? std::chrono::milliseconds(start.replyTimeoutMs)
                               : m_replyTimeout);
    Q_EMIT transferStarting(start.operation, start.image == &m_session.readBack(), start.image);
    bool started = false;
    switch (start.operation) {
    case CommOperation::Read:
        started = m_link.startRead(*start.image);
        break;
    case CommOperation::Write:
        started = m_link.startWrite(*start.image);
        break;
    case CommOperation::Identify:
    case CommOperation::Idle:
        started = m_link.startIdentify();
        break;
    }
    if (!started) {
        m_port.close();
        TransferReport report;
        report.outcome = {start.operation, TransferResult::Failure, TransferFailure::NoAnswer, {}};
        run(m_session.transferFinished(report));
    }
}

void SessionRunner::keepBackup(KeepBackup &keep)
{
    std::optional<std::string> path;
    if (m_backups) {
        keep.contents.stamp = backupStampNow();
        path = m_backups->keep(keep.contents);
        Q_EMIT backupKept(path);
    }
    run(m_session.backupKept(path));
}
