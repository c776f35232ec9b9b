#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/PortNames.h"

// What the system's port listing tells of one serial port.
struct SerialPortInfo
{
    SystemPort port; // "ttyUSB0" at "/dev/ttyUSB0", or "COM3" at "COM3"
    std::string description, manufacturer, serialNumber;
    std::optional<std::uint16_t> vendorId, productId;

    friend bool operator==(const SerialPortInfo &, const SerialPortInfo &) = default;
};

// Windows lists its serial ports in the registry's SERIALCOMM map (device -> "COMn") and tells
// more of each in its device record: a friendly name such as "USB-SERIAL CH340 (COM3)", the
// maker, a hardware id such as "USB\VID_1A86&PID_7523&REV_0264" and an instance id whose last part
// is the cable's serial number when it has one.
struct UsbIds
{
    std::uint16_t vendorId = 0, productId = 0;
};
// The VID_ and PID_ values of a hardware or instance id ("&" or "+" between the parts).
std::optional<UsbIds> usbIdsFromHardwareId(std::string_view hardwareId);
// The serial number in a USB instance id; empty when Windows made the last part up (it holds
// "&") or the id is not a USB one.
std::string serialNumberFromInstanceId(std::string_view instanceId);
// The friendly name without the " (COMn)" Windows puts after it, as the port name is shown
// beside it anyway.
std::string descriptionWithoutPortName(std::string_view friendlyName, std::string_view portName);
// The ports of the SERIALCOMM map's values, in their order, each once, with the facts of the
// device record of the same port name where there is one. Values that are no "COMn" name are
// left out.
std::vector<SerialPortInfo> portsFromSerialComm(const std::vector<std::string> &serialCommValues,
                                                const std::vector<SerialPortInfo> &devices);
