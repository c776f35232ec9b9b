#pragma once

#include <string_view>

#include "link/PortNames.h"

class IniStore;

// The section of mysetup.ini that names devices for port numbers: "COM3=/dev/ttyUSB0".
inline constexpr std::string_view kPortAliasSection = "ports";

// The aliases of the settings file. Keys that are no "COM<n>" (any letter case) and empty values
// are passed over.
PortAliases readPortAliases(IniStore &ini);
