#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "link/FrmProgress.h"
#include "link/FrmVerifyResult.h"
#include "link/SessionRunner.h"

class AppContext;
class BackupStore;
class MainWindowHooks;
class MainWindowHost;

// Read from Radio, Write to Radio, Verify Radio and the port window, as the main window runs them:
// a driver of one radio session that shows its questions and boxes. One TransferCommands lives for
// the whole run and owns the session's runner (with the serial port and the link) and TimerWrite;
// only one transfer runs at a time, under the modal progress window, and nothing waits on the
// user-interface thread: replies, time-outs and TimerWrite are events of its loop.
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    static constexpr int kWriteDelayMs = 200;

    explicit TransferCommands(AppContext &context, QObject *parent = nullptr);

    // Each command remembers the main window it came from, for the boxes and windows of the
    // transfer it starts.
    void readFromRadio(MainWindowHost &host);
    // Every open editor commits its edits; the write itself starts on TimerWrite's tick.
    void writeToRadio(MainWindowHost &host);
    // Every open editor commits its edits; the radio is read and compared with the document, which
    // stays as it is, and the result window lists the fields that differ.
    void verifyRadio(MainWindowHost &host);
    void communicationPort(MainWindowHost &host);
    // Where every successful read and every write keeps its backup; none keeps no backups.
    void setBackupStore(BackupStore *store)
    {
        m_backups = store;
        m_runner.setBackupStore(store);
    }
    BackupStore *backupStore() const { return m_backups; }

    bool isBusy() const { return m_busy; }
    SessionRunner &runner() { return m_runner; }
    SerialPortService &port() { return m_runner.port(); }
    LinkController &link() { return m_runner.link(); }
    const QTimer &timerWrite() const { return m_timerWrite; }
    FrmProgress *progressWindow() const { return m_progress; }
    FrmVerifyResult *verifyResultWindow() const { return m_verifyResult; }

Q_SIGNALS:
    // A transfer has ended and every box about it has been shown.
    void transferEnded(const TransferOutcome &outcome);

private:
    void start(JobKind kind);
    void ask(SessionQuestion question, const QString &text);
    void transferStarting(CommOperation operation, const RadioImage *image);
    void sessionFinished(const SessionEnd &end);
    void showVerifyResult(const std::vector<Difference> &differences);

    AppContext &m_context;
    MainWindowHost *m_host = nullptr;
    BackupStore *m_backups = nullptr;
    SessionRunner m_runner;
    QTimer m_timerWrite;
    QPointer<FrmProgress> m_progress;
    QPointer<FrmVerifyResult> m_verifyResult;
    JobKind m_kind = JobKind::Read;
    bool m_busy = false;
};

// Read from Radio, Write to Radio, Verify Radio and Communication Port on the main window, run by
// `commands`.
void registerTransferCommands(MainWindowHooks &hooks, TransferCommands &commands);
