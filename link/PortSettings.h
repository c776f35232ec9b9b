#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/PortNames.h"

class IniStore;

// The section of mysetup.ini that names devices for port numbers: "COM3=/dev/ttyUSB0".
inline constexpr std::string_view kPortAliasSection = "ports";

// The aliases of the settings file. Keys that are no "COM<n>" (any letter case) and empty values
// are passed over.
PortAliases readPortAliases(IniStore &ini);

// The number a device named by the user is kept under: its alias when it has one already,
// otherwise the lowest number that no listed port and no alias uses.
int aliasNumberFor(const std::string &devicePath, const std::vector<PortEntry> &listed);

// Keeps the device as "COM<number>" in the settings file; false when the file cannot be written.
bool writePortAlias(IniStore &ini, int number, const std::string &devicePath);
