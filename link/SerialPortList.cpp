#include "link/SerialPortList.h"

#include "link/SystemSerialPorts.h"

std::vector<PortEntry> listSerialPorts(const PortAliases &aliases)
{
    std::vector<SystemPort> system;
    for (const SerialPortInfo &info : systemSerialPorts())
        system.push_back(info.port);
    return listPortEntries(aliases, system);
}

std::optional<QString> devicePathForPort(const QString &text, const PortAliases &aliases)
{
    const std::string name = text.trimmed().toStdString();
    // Only a "COM<n>" needs the listing (it numbers the ports); a device path stands for itself,
    // and listing every port of the system before each open costs the batch a walk of sysfs.
    const std::vector<PortEntry> listed =
        parseComName(name) ? listSerialPorts(aliases) : std::vector<PortEntry>{};
    if (const auto path = resolvePortName(name, listed))
        return QString::fromStdString(*path);
#ifdef Q_OS_WIN
    // On Windows "COM<n>" is the device itself, listed or not.
    if (parseComName(name))
        return QString::fromStdString(name);
#endif
    return std::nullopt;
}
