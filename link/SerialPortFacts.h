#pragma once

#include <QString>

#include <vector>

#include "link/PortFacts.h"
#include "link/TransferStopNotice.h"

class SerialPortService;

// The facts of every port the system lists plus the aliases, numbered as the port window numbers
// them. On Linux they are read from sysfs, /proc and /dev; what sysfs does not know (and, on other
// systems, everything) comes from the system's port listing. The environment variable
// ORX740_SYSTEM_ROOT puts a fake tree in place of "/" for the tests.
std::vector<PortFacts> listPortFacts(const PortAliases &aliases);
// The facts of one device, numbered from the same listing (0 when it is not listed).
PortFacts portFactsOf(const QString &devicePath, const PortAliases &aliases);
// The facts of a device that `port` could not open: in use by another program when the system
// refused the open for that (Windows names no holder), whatever the listing says.
PortFacts refusedPortFacts(const QString &devicePath, const PortAliases &aliases,
                           const SerialPortService &port);

// Opens the port numbered `comPort` (through the aliases); the device, or nothing with the
// program's message and on a second line why in *failure, in the language given.
std::optional<QString> openNumberedPort(SerialPortService &port, int comPort,
                                        const PortAliases &aliases, int language,
                                        std::string *failure);
// The box of a transfer that stopped, on `devicePath`: its text, and for a radio that did not
// answer through a counterfeit chip, what that chip means.
std::string transferStopBoxText(const TransferStopReport &report, const QString &devicePath,
                                const PortAliases &aliases, int language);
