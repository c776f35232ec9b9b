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
    if (const auto path = resolvePortName(name, listSerialPorts(aliases)))
        return QString::fromStdString(*path);
#ifdef Q_OS_WIN
    // On Windows "COM<n>" is the device itself, listed or not.
    if (parseComName(name))
        return QString::fromStdString(name);
#endif
    return std::nullopt;
}
