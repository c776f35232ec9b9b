#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// A serial device opened at the radio's fixed line settings: 38400 baud, 8 data bits, no parity,
// 1 stop bit, no flow control, raw bytes. The port service keeps the link's rules (receive
// threshold, purge before a write, reopening after an error) above it; below it is the system's
// own serial API, chosen when the program is built.
class SerialDevice : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // False, with errorString() saying why, when the device cannot be opened or configured.
    virtual bool open(const QString &devicePath) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorString() const = 0;
    // True when the last open failed because another program holds the device: Windows refuses
    // a second opener of a COM port and says no more; elsewhere the holders are looked up.
    virtual bool heldElsewhere() const { return false; }

    // Bytes received and not yet read.
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;
    // Drop bytes not yet sent, and bytes received and not yet read.
    virtual void discardOutput() = 0;
    virtual void discardInput() = 0;
    // Queues the whole block for sending; false when the device refused it.
    virtual bool write(const QByteArray &bytes) = 0;

Q_SIGNALS:
    void bytesReceived();
    // The device failed while open (unplugged, a line error it cannot go on after) and is closed.
    void failed(const QString &message);
};

// The device of this system: QSerialPort where Qt's serial port module is built, the Win32 API on
// Windows.
std::unique_ptr<SerialDevice> makeSerialDevice(QObject *parent = nullptr);
