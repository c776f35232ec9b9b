#include "link/LinkController.h"

#include "link/SerialPortService.h"
#include "link/SerialTraceFile.h"

#include <utility>

namespace {

QByteArray toByteArray(const LinkBytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

} // namespace

LinkController::LinkController(SerialPortService &port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
    m_waitTimer.setObjectName(QStringLiteral("WaitTimer"));
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setInterval(TransferEngine::kReplyTimeoutMs);
    connect(&m_waitTimer, &QTimer::timeout, this, [this] {
        trace(SerialTrace::Direction::ReplyTimeout);
        run(m_engine.timerExpired());
    });
    connect(&m_port, &SerialPortService::dataReceived, this, [this](const QByteArray &bytes) {
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
        const std::span<const std::uint8_t> received(data, static_cast<std::size_t>(bytes.size()));
        if (m_engine.isRunning())
            trace(SerialTrace::Direction::Received, received);
        run(m_engine.bytesReceived(received));
    });
}

void LinkController::setEngineSettings(TransferEngine::Settings settings)
{
    m_engine.setSettings(std::move(settings));
}

void LinkController::setReplyTimeout(std::chrono::milliseconds timeout)
{
    m_waitTimer.setInterval(timeout);
}

bool LinkController::startRead(RadioImage &target)
{
    if (m_engine.isRunning() || !m_port.isOpen())
        return false;
    m_messages.clear();
    m_readTarget = &target;
    beginTrace(SerialTrace::Kind::Read);
    run(m_engine.startRead(m_scratch));
    return true;
}

bool LinkController::startWrite(const RadioImage &source)
{
    if (m_engine.isRunning() || !m_port.isOpen())
        return false;
    m_messages.clear();
    m_readTarget = nullptr;
    beginTrace(SerialTrace::Kind::Write);
    run(m_engine.startWrite(source));
    return true;
}

bool LinkController::startIdentify()
{
    if (m_engine.isRunning() || !m_port.isOpen())
        return false;
    m_messages.clear();
    m_readTarget = nullptr;
    beginTrace(SerialTrace::Kind::Identify);
    run(m_engine.startIdentify());
    return true;
}

void LinkController::beginTrace(SerialTrace::Kind kind)
{
    m_traceNumber = serialTrace().begin(kind, m_port.devicePath().toStdString());
    m_traceClock.start();
}

void LinkController::trace(SerialTrace::Direction direction, std::span<const std::uint8_t> bytes)
{
    serialTrace().record(m_traceNumber, direction, m_traceClock.elapsed(), bytes);
}

void LinkController::answerQuestion(bool yes)
{
    run(m_engine.questionAnswered(yes));
}

void LinkController::cancel()
{
    run(m_engine.cancel());
}

void LinkController::run(LinkActions actions)
{
    // A slot may answer a question or cancel from inside a signal emitted here; its actions
    // queue behind the ones in hand instead of running in the middle of them.
    for (LinkAction &action : actions)
        m_pending.push_back(std::move(action));
    if (m_running)
        return;
    m_running = true;
    while (!m_pending.empty()) {
        const LinkAction action = std::move(m_pending.front());
        m_pending.pop_front();
        carryOut(action);
    }
    m_running = false;
    if (m_engine.isRunning())
        m_port.setReceiveThreshold(m_engine.receiveThreshold());
}

void LinkController::carryOut(const LinkAction &action)
{
    if (const auto *send = std::get_if<SendFrame>(&action)) {
        trace(SerialTrace::Direction::Sent, send->bytes);
        m_port.setReceiveThreshold(send->replyThreshold);
        // A failed send is left to the reply time-out, which sends the frame again.
        m_port.sendFrame(toByteArray(send->bytes));
    } else if (std::holds_alternative<StartReplyTimer>(action)) {
        m_waitTimer.start();
    } else if (std::holds_alternative<StopReplyTimer>(action)) {
        m_waitTimer.stop();
    } else if (const auto *progress = std::get_if<ProgressChanged>(&action)) {
        Q_EMIT progressChanged(progress->percent);
    } else if (const auto *message = std::get_if<QueueMessage>(&action)) {
        m_messages << QString::fromStdString(message->text);
    } else if (const auto *question = std::get_if<AskQuestion>(&action)) {
        Q_EMIT questionAsked(QString::fromStdString(question->text));
    } else if (const auto *ident = std::get_if<IdentificationReceived>(&action)) {
        Q_EMIT identificationReceived(ident->fields);
    } else if (const auto *end = std::get_if<TransferFinished>(&action)) {
        m_waitTimer.stop();
        m_port.close();
        if (m_readTarget && end->outcome.operation == CommOperation::Read &&
            end->outcome.result == TransferResult::Success)
            *m_readTarget = m_scratch;
        m_readTarget = nullptr;
        // Identification-only exchanges (a probe, a batch waiting for its radio) come every
        // second and tell a report nothing the reads and writes do not.
        if (end->outcome.operation != CommOperation::Identify)
            keepSerialTraces();
        const QStringList messages = std::exchange(m_messages, {});
        Q_EMIT finished(end->outcome, messages);
    }
}
