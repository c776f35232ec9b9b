#include "link/SerialPortService.h"

#include <QTimer>

#include <algorithm>

SerialPortService::SerialPortService(QObject *parent)
    : SerialPortService(makeSerialDevice(), parent)
{}

SerialPortService::SerialPortService(std::unique_ptr<SerialDevice> device, QObject *parent)
    : QObject(parent)
    , m_device(std::move(device))
{
    connect(m_device.get(), &SerialDevice::bytesReceived, this, &SerialPortService::deliverIfReady);
    connect(m_device.get(), &SerialDevice::failed, this, &SerialPortService::onDeviceFailed);
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
    if (!m_device->open(devicePath)) {
        m_errorString = m_device->errorString();
        m_heldElsewhere = m_device->heldElsewhere();
        return false;
    }
    m_errorString.clear();
    m_heldElsewhere = false;
    return true;
}

void SerialPortService::close()
{
    if (m_device->isOpen())
        m_device->close();
}

void SerialPortService::setReceiveThreshold(int bytes)
{
    m_threshold = std::max(1, bytes);
    // Bytes already buffered may reach a lowered threshold; look once control is back in the
    // event loop rather than inside the caller.
    if (!m_checkQueued && m_device->isOpen() && m_device->bytesAvailable() > 0) {
        m_checkQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_checkQueued = false;
            deliverIfReady();
        });
    }
}

bool SerialPortService::sendFrame(const QByteArray &frame)
{
    if (!m_device->isOpen()) {
        if (!m_closedByError || m_devicePath.isEmpty())
            return false;
        const int threshold = m_threshold;
        if (!open(m_devicePath))
            return false;
        m_threshold = threshold;
    }
    m_device->discardOutput();
    m_device->discardInput();
    return m_device->isOpen() && m_device->write(frame);
}

void SerialPortService::deliverIfReady()
{
    if (!m_device->isOpen() || m_device->bytesAvailable() < m_threshold)
        return;
    const QByteArray bytes = m_device->readAll();
    if (!bytes.isEmpty())
        Q_EMIT dataReceived(bytes);
}

void SerialPortService::onDeviceFailed(const QString &message)
{
    m_errorString = message;
    m_closedByError = true;
    Q_EMIT portFailed(message);
}
