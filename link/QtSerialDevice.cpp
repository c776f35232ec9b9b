#include "link/QtSerialDevice.h"

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

std::unique_ptr<SerialDevice> makeSerialDevice(QObject *parent)
{
    return std::make_unique<QtSerialDevice>(parent);
}

QtSerialDevice::QtSerialDevice(QObject *parent)
    : SerialDevice(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialDevice::bytesReceived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialDevice::onError);
}

bool QtSerialDevice::open(const QString &devicePath)
{
    m_port.setPortName(devicePath);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_errorString = m_port.errorString();
        return false;
    }
    const bool configured = m_port.setBaudRate(38400) && m_port.setDataBits(QSerialPort::Data8) &&
                            m_port.setParity(QSerialPort::NoParity) &&
                            m_port.setStopBits(QSerialPort::OneStop) &&
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

void QtSerialDevice::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialDevice::write(const QByteArray &bytes)
{
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Hand the frame to the driver now rather than on the next turn of the event loop: every
    // exchange waits for it, 1872 times a transfer.
    m_port.flush();
    return true;
}

void QtSerialDevice::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !m_port.isOpen())
        return;
    m_errorString = m_port.errorString();
    m_port.close();
    Q_EMIT failed(m_errorString);
}
