#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "link/LinkController.h"
#include "link/RadioSession.h"
#include "link/SerialPortService.h"

class BackupStore;

// Runs a RadioSession on the event loop with a serial port and a link of its own: it carries out
// the session's actions (opens and closes the port, starts the transfers, keeps the backups, waits)
// and hands in what came of them. What the session says and asks goes to its driver as signals;
// the driver answers with answer(). Several runners, one a port, can run side by side.
class SessionRunner : public QObject
{
    Q_OBJECT

public:
    // Opens the port the driver stands for, saying why when it cannot; the device opened, or
    // nothing.
    using PortOpener = std::function<std::optional<QString>(SerialPortService &port)>;

    explicit SessionRunner(QObject *parent = nullptr);

    void setPortOpener(PortOpener opener) { m_openPort = std::move(opener); }
    // Where the backups go; none keeps none.
    void setBackupStore(BackupStore *store) { m_backups = store; }
    // The reply time-out of the transfers; 1000 ms unless a test wants it shorter.
    void setReplyTimeout(std::chrono::milliseconds timeout) { m_replyTimeout = timeout; }

    // False when a job runs already.
    bool start(SessionJob job);
    void answer(bool yes);
    void interrupt();
    void noMoreUnits() { run(m_session.noMoreUnits()); }
    void retry() { run(m_session.retry()); }
    bool isRunning() const { return m_session.isRunning(); }

    const RadioSession &session() const { return m_session; }
    SerialPortService &port() { return m_port; }
    const SerialPortService &port() const { return m_port; }
    LinkController &link() { return m_link; }

Q_SIGNALS:
    // A transfer is about to start: a read into, or a write of, `image`.
    void transferStarting(CommOperation operation, bool readingBack, const RadioImage *image);
    void progressChanged(CommOperation operation, bool readingBack, int percent);
    void asked(SessionQuestion question, const QString &text);
    void said(const QString &line);
    // One transfer has ended and the port is closed; its queued messages are to be shown now.
    void transferEnded(const TransferOutcome &outcome, const QStringList &messages);
    // The path of the data file the backup holds, or nothing when it could not be written.
    void backupKept(const std::optional<std::string> &dataFilePath);
    void unitBegun(const UnitRecord &record);
    void unitReported(const UnitRecord &record, const std::vector<Difference> &differences);
    void finished(const SessionEnd &end);

private:
    void run(SessionActions actions);
    void carryOut(SessionAction &action);
    void startTransfer(const StartTransfer &start);
    void keepBackup(KeepBackup &keep);

    SerialPortService m_port;
    LinkController m_link;
    RadioSession m_session;
    QTimer m_wait;
    PortOpener m_openPort;
    BackupStore *m_backups = nullptr;
    std::chrono::milliseconds m_replyTimeout{TransferEngine::kReplyTimeoutMs};
    std::deque<SessionAction> m_pending;
    bool m_running = false;
};

Q_DECLARE_METATYPE(SessionEnd)
