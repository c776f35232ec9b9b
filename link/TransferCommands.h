#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "link/FrmProgress.h"
#include "link/LinkController.h"
#include "link/SerialPortService.h"

class AppContext;
class BackupStore;
class MainWindowHooks;
class MainWindowHost;

// Read from Radio, Write to Radio and the port window, as the main window runs them. One
// TransferCommands lives for the whole run and owns the serial port, the link and TimerWrite;
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
    void communicationPort(MainWindowHost &host);
    // Where every successful read and every write keeps its backup; none keeps no backups.
    void setBackupStore(BackupStore *store) { m_backups = store; }

    bool isBusy() const { return m_operation != CommOperation::Idle; }
    CommOperation operation() const { return m_operation; }
    SerialPortService &port() { return m_port; }
    LinkController &link() { return m_link; }
    const QTimer &timerWrite() const { return m_timerWrite; }
    FrmProgress *progressWindow() const { return m_progress; }

Q_SIGNALS:
    // A transfer has ended and every box about it has been shown.
    void transferEnded(const TransferOutcome &outcome);

private:
    void startWrite();
    // Opens the configured port; false after "Cannot Open Communication Port.".
    bool openPort();
    bool confirm(const TextEntry &question);
    void startTransfer(CommOperation operation);
    void cancelTransfer();
    void askVersionQuestion(const QString &text);
    void transferFinished(const TransferOutcome &outcome, const QStringList &messages);
    // Writes the serial trace to a file the user names.
    void saveTrace();
    void keepBackup(bool afterRead);

    AppContext &m_context;
    MainWindowHost *m_host = nullptr;
    SerialPortService m_port;
    LinkController m_link;
    QTimer m_timerWrite;
    QPointer<FrmProgress> m_progress;
    CommOperation m_operation = CommOperation::Idle;
    // Set when the port reported an error during the transfer in hand.
    bool m_portLost = false;
    BackupStore *m_backups = nullptr;
};

// Read from Radio, Write to Radio and Communication Port on the main window, run by `commands`.
void registerTransferCommands(MainWindowHooks &hooks, TransferCommands &commands);
