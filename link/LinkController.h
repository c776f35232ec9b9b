#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <deque>

#include "link/SerialTrace.h"
#include "link/TransferEngine.h"
#include "model/RadioImage.h"

class SerialPortService;

// Runs a TransferEngine over the serial port service on the UI thread: received bytes and
// WaitTimer ticks go in, frames go out. The host opens the port before it starts a transfer; the
// controller closes it when the transfer ends, then reports the outcome with the messages queued
// during the transfer, which the host shows before its own completion message. Every frame sent,
// every delivery of received bytes and every reply time-out goes into serialTrace().
class LinkController : public QObject
{
    Q_OBJECT

public:
    explicit LinkController(SerialPortService &port, QObject *parent = nullptr);

    void setEngineSettings(TransferEngine::Settings settings);
    const TransferEngine &engine() const { return m_engine; }

    // The reply time-out; 1000 ms unless a test wants it shorter.
    void setReplyTimeout(std::chrono::milliseconds timeout);

    // False when a transfer runs already or the port is not open. A read fills a scratch image
    // and copies it into the target only when the whole read succeeded, so a failed read leaves
    // the target as it was; the target must outlive the transfer.
    bool startRead(RadioImage &target);
    bool startWrite(const RadioImage &source);
    // The handshake and the identification only, then "END"; engine().identification() holds
    // what the radio said.
    bool startIdentify();
    void answerQuestion(bool yes);
    void cancel();
    bool isRunning() const { return m_engine.isRunning(); }

    const QTimer &waitTimer() const { return m_waitTimer; }

Q_SIGNALS:
    void progressChanged(int percent);
    // The identification the radio sent; its firmware becomes the working data-file version.
    void identificationReceived(const IdentFields &fields);
    // A Yes/No question; answer it with answerQuestion(), now or later.
    void questionAsked(const QString &text);
    // The port is closed by now.
    void finished(const TransferOutcome &outcome, const QStringList &messages);

private:
    void beginTrace(SerialTrace::Kind kind);
    void trace(SerialTrace::Direction direction, std::span<const std::uint8_t> bytes = {});
    void run(LinkActions actions);
    void carryOut(const LinkAction &action);

    SerialPortService &m_port;
    TransferEngine m_engine;
    RadioImage m_scratch;
    RadioImage *m_readTarget{nullptr};
    QTimer m_waitTimer;
    QStringList m_messages;
    std::deque<LinkAction> m_pending;
    bool m_running{false};
    std::uint64_t m_traceNumber{0};
    QElapsedTimer m_traceClock;
};

Q_DECLARE_METATYPE(IdentFields)
Q_DECLARE_METATYPE(TransferOutcome)
