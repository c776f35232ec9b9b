#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "link/SessionRunner.h"

class BackupStore;

// A production line: one batch session a port, side by side on the event loop, sharing the
// template, the unit numbers, the log and Ctrl+C. What befalls one port (a failure, a radio
// replugged, a port that goes away) leaves the others alone. The command line's batch and the
// Batch Programming window both drive it.
class ProductionLine : public QObject
{
    Q_OBJECT

public:
    struct Port
    {
        QString name;  // as the user gave it ("COM3", "/dev/ttyUSB0")
        QString cable; // the cable's USB path, when known
    };
    // The radios of every port together.
    struct Totals
    {
        int done{0}, refused{0}, failed{0}, untouched{0};
        int all() const { return done + refused + failed + untouched; }
    };
    // Makes the opener of a port's device.
    using OpenerFactory = std::function<SessionRunner::PortOpener(const QString &portName)>;

    explicit ProductionLine(QObject *parent = nullptr);
    ~ProductionLine() override;

    void setPorts(const std::vector<Port> &ports, const OpenerFactory &openers);
    const std::vector<Port> &ports() const { return m_ports; }
    void setBackupStore(BackupStore *store) { m_backups = store; }
    void setReplyTimeout(std::chrono::milliseconds timeout) { m_replyTimeout = timeout; }
    // Each radio's line is appended to this CSV file (a header first when it is new); empty:
    // none. The unit numbers go on from the last one the file holds.
    void setLogPath(const QString &path) { m_logPath = path; }

    // Starts every port with the job (its kind Batch; the document, bases and registry must
    // outlive the line). The unit counter starts from the log's last unit (or the job's lastUnit
    // when the log holds none) and gives the job's units. False when running already or no port.
    bool start(SessionJob job);
    bool isRunning() const;
    // Ctrl+C or Stop: every port finishes a radio being written and leaves one being read.
    void interrupt();
    void answer(std::size_t port, bool yes);
    // Programs the radio on a port whose last radio failed again; a port that has stopped
    // starts again.
    void retry(std::size_t port);
    SessionRunner &runner(std::size_t port) { return *m_runners.at(port); }
    const Totals &totals() const { return m_totals; }

Q_SIGNALS:
    void said(std::size_t port, const QString &line);
    void asked(std::size_t port, SessionQuestion question, const QString &text);
    void progressChanged(std::size_t port, CommOperation operation, bool readingBack, int percent);
    void unitBegun(std::size_t port, const UnitRecord &record);
    // Stamped with the time and logged.
    void unitReported(std::size_t port, const UnitRecord &record,
                      const std::vector<Difference> &differences);
    void logFailed(const QString &path);
    void portFinished(std::size_t port, const SessionEnd &end);
    // Every port has ended.
    void finished(const Totals &totals);

private:
    void connectRunner(std::size_t index);
    void startPort(std::size_t index);
    void writeLog(const UnitRecord &record);

    std::vector<Port> m_ports;
    std::vector<std::unique_ptr<SessionRunner>> m_runners;
    SessionJob m_job;
    UnitCounter m_counter;
    Totals m_totals;
    BackupStore *m_backups{nullptr};
    std::chrono::milliseconds m_replyTimeout{TransferEngine::kReplyTimeoutMs};
    QString m_logPath;
    bool m_running{false};
};

Q_DECLARE_METATYPE(ProductionLine::Totals)
