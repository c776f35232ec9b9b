#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "link/SerialDevice.h"

// The one serial port of the programming link. Opened for a transfer at the radio's fixed line
// settings (38400 baud, 8 data bits, no parity, 1 stop bit, no flow control, raw bytes) and closed
// outside transfers. Received bytes are handed on only once the receive threshold is reached,
// then every buffered byte at once, as the radio's replies come in pieces. Any port error closes
// the port at once; the transfer's reply time-outs then end the transfer.
class SerialPortService : public QObject
{
    Q_OBJECT

public:
    static constexpr qint32 kBaudRate = 38400;

    // On the system's own serial device, or on the one given (tests).
    explicit SerialPortService(QObject *parent = nullptr);
    explicit SerialPortService(std::unique_ptr<SerialDevice> device, QObject *parent = nullptr);
    ~SerialPortService() override;

    // Closes the port if it is open, then opens the device; false when it cannot be opened
    // (errorString() says why).
    bool open(const QString &devicePath);
    void close();
    bool isOpen() const { return m_device->isOpen(); }
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_errorString; }
    // True when the last open failed because another program holds the device.
    bool heldElsewhere() const { return m_heldElsewhere; }

    // The data-received notification fires once at least this many bytes are buffered.
    void setReceiveThreshold(int bytes);
    int receiveThreshold() const { return m_threshold; }

    // Drops pending output, then pending input, and writes the frame. A port an error has closed
    // is opened again first; false when the frame could not be handed to the port.
    bool sendFrame(const QByteArray &frame);

Q_SIGNALS:
    void dataReceived(const QByteArray &bytes);
    // The port was closed after an error.
    void portFailed(const QString &message);

private:
    void deliverIfReady();
    void onDeviceFailed(const QString &message);

    std::unique_ptr<SerialDevice> m_device;
    QString m_devicePath;
    QString m_errorString;
    int m_threshold{1};
    bool m_closedByError{false};
    bool m_heldElsewhere{false};
    bool m_checkQueued{false};
};
