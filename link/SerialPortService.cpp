#include "link/SerialPortService.h"

#include <QTimer>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace {

// USB serial drivers hold received bytes back for up to 16 ms to fill their packets; every one of
// the 1872 exchanges of a transfer waits for a short reply, so ask the driver to pass bytes on at
// once. Drivers that do not know the request refuse it, which changes nothing.
void requestLowLatency([[maybe_unused]] QSerialPort &port)
{
#ifdef Q_OS_LINUX
    const int fd = int(port.handle());
    serial_struct serial{};
    if (fd >= 0 && ::ioctl(fd, TIOCGSERIAL, &serial) == 0 &&
        (serial.flags & ASYNC_LOW_LATENCY) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

} // namespace

SerialPortService::SerialPortService(QObject *parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPortService::deliverIfReady);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPortService::onError);
}

SerialPortService::~SerialPortService()
{
    close();
}

bool SerialPortService::open(const QString &devicePath)
{
    close();
    m_devicePath = devicePath;
    m_closedByError = false;
    m_threshold = 1;
    m_port.setPortName(devicePath);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_errorString = m_port.errorString();
        return false;
    }
    const bool configured =
        m_port.setBaudRate(kBaudRate) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_errorString = m_port.errorString();
        m_port.close();
        return false;
    }
    requestLowLatency(m_port);
    m_errorString.clear();
    return true;
}

void SerialPortService::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void SerialPortService::setReceiveThreshold(int bytes)
{
    m_threshold = std::max(1, bytes);
    // Bytes already buffered may reach a lowered threshold; look once control is back in the
    // event loop rather than inside the caller.
    if (!m_checkQueued && m_port.isOpen() && m_port.bytesAvailable() > 0) {
        m_checkQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_checkQueued = false;
            deliverIfReady();
        });
    }
}

bool SerialPortService::sendFrame(const QByteArray &frame)
{
    if (!m_port.isOpen()) {
        if (!m_closedByError || m_devicePath.isEmpty())
            return false;
        const int threshold = m_threshold;
        if (!open(m_devicePath))
            return false;
        m_threshold = threshold;
    }
    m_port.clear(QSerialPort::Output);
    m_port.clear(QSerialPort::Input);
    if (!m_port.isOpen() || m_port.write(frame) != frame.size())
        return false;
    // Hand the frame to the driver now rather than on the next turn of the event loop: every
    // exchange waits for it, 1872 times a transfer.
    m_port.flush();
    return true;
}

void SerialPortService::deliverIfReady()
{
    if (!m_port.isOpen() || m_port.bytesAvailable() < m_threshold)
        return;
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        Q_EMIT dataReceived(bytes);
}

void SerialPortService::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    m_errorString = m_port.errorString();
    if (!m_port.isOpen())
        return;
    m_closedByError = true;
    m_port.close();
    Q_EMIT portFailed(m_errorString);
}
