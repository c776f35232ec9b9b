#pragma once

#include <QSerialPort>

#include "link/SerialDevice.h"

// The serial device on Qt's serial port module.
class QtSerialDevice : public SerialDevice
{
    Q_OBJECT

public:
    explicit QtSerialDevice(QObject *parent = nullptr);

    bool open(const QString &devicePath) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QString errorString() const override { return m_errorString; }
    qint64 bytesAvailable() const override { return m_port.bytesAvailable(); }
    QByteArray readAll() override { return m_port.readAll(); }
    void discardOutput() override { m_port.clear(QSerialPort::Output); }
    void discardInput() override { m_port.clear(QSerialPort::Input); }
    bool write(const QByteArray &bytes) override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_errorString;
};
