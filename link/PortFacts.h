#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/PortNames.h"

// What can be found out about a serial port without opening it: which cable chip it is, whether
// this user may open it, and who holds it. "The radio did not respond" mostly comes from one of
// these: the wrong port, a device the user has no access to, another program (ModemManager,
// brltty) holding it, or a counterfeit PL2303 that the driver refuses.
enum class PortAccess
{
    Openable,
    NoPermission,
    Busy,
    Missing,
    NotATerminal
};

// A process holding the device open.
struct PortHolder
{
    int pid = 0;
    std::string name;
};

struct PortFacts
{
    int number = 0;         // the COM number the program gives it (PortNames rules)
    std::string devicePath; // "/dev/ttyUSB0"
    std::string systemName; // "ttyUSB0"
    bool alias = false;     // from the [ports] aliases of mysetup.ini
    bool usb = false;
    std::string description, manufacturer, serialNumber;
    std::optional<std::uint16_t> vendorId, productId;
    // "CH340/CH341", "CH9102", "PL2303", "PL2303 G-series", "FTDI", "CP210x"; empty when unknown.
    std::string chip;
    bool counterfeitChip = false; // a PL2303 whose description or driver says it is not genuine
    PortAccess access = PortAccess::Openable;
    std::string group; // the group that owns the device (for NoPermission)
    std::vector<PortHolder> holders;
};

// The chip family of a USB serial adapter by its vendor and product id; empty when unknown.
std::string chipFamily(std::uint16_t vendorId, std::uint16_t productId);
// True when a PL2303's description or driver text says that the chip is not genuine, as the
// vendor's drivers word it ("THIS IS NOT PROLIFIC PL2303", "PHASED OUT SINCE 2012").
bool saysCounterfeit(const std::string &text);

// One line in English or Chinese (the language index of lang/Texts.h): whether the port can be
// opened and, if not, why and how to fix it.
std::string portAccessLine(const PortFacts &facts, int language);
// The line of `orx740-cli ports`: COM name, path, chip, VID:PID, description, access.
std::string portSummaryLine(const PortFacts &facts, int language);
// A JSON array of the ports, the keys always present and in the same order.
std::string portFactsJson(const std::vector<PortFacts> &ports);
// "Cannot Open Communication Port." (in the language), then on a second line ("\r\n") the
// reason of portAccessLine.
std::string portOpenFailureText(const PortFacts &facts, int language);

// The ports of `after` whose device `before` did not have.
std::vector<PortFacts> newPorts(const std::vector<PortFacts> &before,
                                const std::vector<PortFacts> &after);

// Where the system's facts are read: sysfs, /proc, /etc/group and /dev below `path`. Tests point
// it at a fake tree and give the process's identity.
struct SystemRoot
{
    std::string path = "/";
    std::optional<unsigned> uid;               // the process's own when empty
    std::optional<std::vector<unsigned>> gids; // the process's groups when empty
    // In a fake tree the devices are regular files; let them stand for character devices.
    bool filesAreDevices = false;
};

// The serial devices sysfs lists (a tty with a device behind it), as "/dev/<name>".
std::vector<SystemPort> systemTtys(const SystemRoot &root);
PortFacts describePort(const SystemRoot &root, const PortEntry &entry);
