#include "link/ProductionLine.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>

#include "link/BatchUnits.h"

ProductionLine::ProductionLine(QObject *parent)
    : QObject(parent)
{}

ProductionLine::~ProductionLine() = default;

void ProductionLine::setPorts(const std::vector<Port> &ports, const OpenerFactory &openers)
{
    if (isRunning())
        return;
    m_ports = ports;
    m_runners.clear();
    for (std::size_t i = 0; i < m_ports.size(); ++i) {
        m_runners.push_back(std::make_unique<SessionRunner>());
        m_runners.back()->setPortOpener(openers(m_ports[i].name));
        connectRunner(i);
    }
}

void ProductionLine::connectRunner(std::size_t index)
{
    SessionRunner *runner = m_runners[index].get();
    connect(runner, &SessionRunner::said, this,
            [this, index](const QString &line) { Q_EMIT said(index, line); });
    connect(runner, &SessionRunner::asked, this,
            [this, index](SessionQuestion question, const QString &text) {
                Q_EMIT asked(index, question, text);
            });
    connect(runner, &SessionRunner::progressChanged, this,
            [this, index](CommOperation operation, bool readingBack, int percent) {
                Q_EMIT progressChanged(index, operation, readingBack, percent);
            });
    connect(runner, &SessionRunner::unitBegun, this, [this, index](const UnitRecord &record) {
        Q_EMIT unitBegun(index, record);
        // The last unit is given: the ports between radios end now.
        if (m_counter.exhausted())
            for (const auto &other : m_runners)
                other->noMoreUnits();
    });
    connect(runner, &SessionRunner::unitReported, this,
            [this, index](UnitRecord record, const std::vector<Difference> &differences) {
                record.time = QDateTime::currentDateTime()
                                  .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                  .toStdString();
                (record.result == "ok"        ? m_totals.done
                 : record.result == "refused" ? m_totals.refused
                 : record.result == "failed"  ? m_totals.failed
                                              : m_totals.untouched)++;
                writeLog(record);
                Q_EMIT unitReported(index, record, differences);
            });
    connect(runner, &SessionRunner::finished, this, [this, index](const SessionEnd &end) {
        Q_EMIT portFinished(index, end);
        if (m_running && !isRunning()) {
            m_running = false;
            Q_EMIT finished(m_totals);
        }
    });
}

bool ProductionLine::start(SessionJob job)
{
    if (isRunning() || m_runners.empty())
        return false;
    if (!m_logPath.isEmpty())
        if (QFile log(m_logPath); log.open(QIODevice::ReadOnly))
            job.batch.lastUnit =
                std::max(job.batch.lastUnit, lastUnitInLog(log.readAll().toStdString()));
    m_counter = UnitCounter(job.batch.lastUnit, job.batch.units);
    m_totals = {};
    m_job = std::move(job);
    m_job.kind = JobKind::Batch;
    m_job.batch.counter = &m_counter;
    m_running = true;
    for (std::size_t i = 0; i < m_runners.size(); ++i)
        startPort(i);
    return true;
}

void ProductionLine::startPort(std::size_t index)
{
    SessionRunner &runner = *m_runners[index];
    runner.setBackupStore(m_backups);
    runner.setReplyTimeout(m_replyTimeout);
    SessionJob job = m_job;
    job.batch.portName = m_ports[index].name.toStdString();
    job.batch.cable = m_ports[index].cable.toStdString();
    m_running = true;
    runner.start(std::move(job));
}

bool ProductionLine::isRunning() const
{
    return std::any_of(m_runners.begin(), m_runners.end(),
                       [](const auto &runner) { return runner->isRunning(); });
}

void ProductionLine::interrupt()
{
    for (const auto &runner : m_runners)
        runner->interrupt();
}

void ProductionLine::answer(std::size_t port, bool yes)
{
    if (port < m_runners.size())
        m_runners[port]->answer(yes);
}

void ProductionLine::retry(std::size_t port)
{
    if (port >= m_runners.size())
        return;
    if (m_runners[port]->isRunning())
        m_runners[port]->retry();
    else if (m_job.kind == JobKind::Batch && m_job.document && !m_counter.exhausted())
        startPort(port);
}

void ProductionLine::writeLog(const UnitRecord &record)
{
    if (m_logPath.isEmpty())
        return;
    QFile log(m_logPath);
    std::vector<std::string> columns;
    if (log.open(QIODevice::ReadOnly))
        columns = unitLogColumnsOf(log.readLine().toStdString());
    log.close();
    const bool isNew = columns.empty() && log.size() == 0;
    if (columns.empty())
        columns = unitLogColumns();
    if (!log.open(QIODevice::Append | QIODevice::Text)) {
        Q_EMIT logFailed(m_logPath);
        return;
    }
    if (isNew)
        log.write((unitLogHeader() + '\n').c_str());
    log.write((unitLogLine(record, columns) + '\n').c_str());
}
