#pragma once

#include <vector>

#include "link/SerialPortInfo.h"

// The serial ports the system lists now: Qt's serial port module where it is built, the registry
// and the device records on Windows.
std::vector<SerialPortInfo> systemSerialPorts();
