#include "link/SystemSerialPorts.h"

#include <QSerialPortInfo>

std::vector<SerialPortInfo> systemSerialPorts()
{
    std::vector<SerialPortInfo> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortInfo port;
        port.port = {info.portName().toStdString(), info.systemLocation().toStdString()};
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.serialNumber = info.serialNumber().toStdString();
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        ports.push_back(std::move(port));
    }
    return ports;
}
