#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Serial ports are chosen and stored as a number, shown as "COM" + number. On Windows the number
// is the device's own; elsewhere every listed device gets a stable number:
//   ttyS<k>   -> COM<k+1>     (ttyS0 is the PC's first serial port, COM1)
//   ttyUSB<k> -> COM<k+101>   (USB serial adapters)
//   ttyACM<k> -> COM<k+201>   (USB modems and CDC adapters)
//   any other name -> a number from 301 to 999 derived from the name itself, moved to the next
//                     free one when two names meet
// Aliases (number -> device path, from the settings file) come first and are listed even when the
// system does not enumerate the device, such as a pseudo-terminal.
using PortAliases = std::map<int, std::string>;

struct SystemPort
{
    std::string name;       // as the system names it: "ttyUSB0", "COM3", "cu.usbserial-1"
    std::string devicePath; // what the port is opened by: "/dev/ttyUSB0", "COM3"

    friend bool operator==(const SystemPort &, const SystemPort &) = default;
};

struct PortEntry
{
    int number{0};
    std::string devicePath;
    bool alias{false};

    friend bool operator==(const PortEntry &, const PortEntry &) = default;
};

inline constexpr int kFirstDerivedPortNumber = 301;
inline constexpr int kLastPortNumber = 999;

// "COM" + number.
std::string comName(int number);
// The number of a "COM<n>" text (n from 1), or nothing.
std::optional<int> parseComName(std::string_view text);
// The number a system port name maps to before collisions are resolved.
int portNumberForName(std::string_view name);

// The port list: aliases first, in number order, then the enumerated devices that no alias
// names, in number order.
std::vector<PortEntry> listPortEntries(const PortAliases &aliases,
                                       const std::vector<SystemPort> &system);

// The device path for "COM<n>" (from the list) or for a device path given as is; nothing when
// "COM<n>" is not listed.
std::optional<std::string> resolvePortName(std::string_view text,
                                           const std::vector<PortEntry> &entries);
