#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "link/PortNames.h"

// The serial ports present, numbered as PortNames describes, aliases first.
std::vector<PortEntry> listSerialPorts(const PortAliases &aliases);

// The device to open for "COM<n>" or for a device path given as is; nothing when "COM<n>" is
// neither an alias nor a listed port.
std::optional<QString> devicePathForPort(const QString &text, const PortAliases &aliases);
