#pragma once

#include <QByteArray>
#include <QWinEventNotifier>

#include <qt_windows.h>

#include "link/SerialDevice.h"

// The serial device on the Win32 API: "\\.\COMn" opened for overlapped I/O. One read is always
// pending while the port is open; its event wakes the UI thread through a QWinEventNotifier when
// bytes arrive, so nothing blocks and nothing polls. Writes are overlapped too and finish in the
// driver; a new write first waits for the one before, which a purge has ended by then.
class Win32SerialDevice : public SerialDevice
{
    Q_OBJECT

public:
    explicit Win32SerialDevice(QObject *parent = nullptr);
    ~Win32SerialDevice() override;

    bool open(const QString &devicePath) override;
    void close() override;
    bool isOpen() const override { return m_port != INVALID_HANDLE_VALUE; }
    QString errorString() const override { return m_errorString; }
    bool heldElsewhere() const override { return m_heldElsewhere; }
    qint64 bytesAvailable() const override { return m_received.size(); }
    QByteArray readAll() override;
    void discardOutput() override;
    void discardInput() override;
    bool write(const QByteArray &bytes) override;

private:
    bool configure();
    // ERROR_SUCCESS, or the system's error code.
    DWORD startRead();
    void onReadSignalled();
    // Takes the pending read's bytes when it has finished; false on a failure of the device.
    bool collectRead(bool wait);
    void finishWrite();
    void fail(DWORD error);
    QString systemMessage(DWORD error) const;

    HANDLE m_port{INVALID_HANDLE_VALUE};
    OVERLAPPED m_readOverlapped{};
    OVERLAPPED m_writeOverlapped{};
    QWinEventNotifier m_readNotifier;
    QByteArray m_readBuffer;
    QByteArray m_writeBuffer;
    QByteArray m_received;
    bool m_readPending{false};
    bool m_writePending{false};
    bool m_heldElsewhere{false};
    QString m_errorString;
};
