#include "link/SerialPortFacts.h"

#include "link/SystemSerialPorts.h"

#include <QtGlobal>

#include <algorithm>

#include "link/SerialPortList.h"
#include "link/SerialPortService.h"

namespace {

// The root the facts are read from, and whether it is a fake tree.
SystemRoot systemRoot()
{
    SystemRoot root;
    const QByteArray fake = qgetenv("ORX740_SYSTEM_ROOT");
    if (!fake.isEmpty()) {
        root.path = fake.toStdString();
        root.filesAreDevices = true;
    }
    return root;
}

void fillFromInfo(PortFacts &facts, const SerialPortInfo &info)
{
    const auto fill = [](std::string &field, const std::string &value) {
        if (field.empty())
            field = value;
    };
    fill(facts.description, info.description);
    fill(facts.manufacturer, info.manufacturer);
    fill(facts.serialNumber, info.serialNumber);
    if (!facts.vendorId)
        facts.vendorId = info.vendorId;
    if (!facts.productId)
        facts.productId = info.productId;
    facts.usb = facts.usb || (facts.vendorId && facts.productId);
    if (facts.chip.empty() && facts.vendorId && facts.productId)
        facts.chip = chipFamily(*facts.vendorId, *facts.productId);
    // The vendor's Windows driver names a chip it refuses in the description.
    facts.counterfeitChip = facts.counterfeitChip || (facts.chip.starts_with("PL2303") &&
                                                      saysCounterfeit(facts.description));
}

} // namespace

std::vector<PortFacts> listPortFacts(const PortAliases &aliases)
{
    const SystemRoot root = systemRoot();
    const bool fake = root.filesAreDevices;
    const auto infos = fake ? std::vector<SerialPortInfo>{} : systemSerialPorts();
    std::vector<SystemPort> system;
    if (fake)
        system = systemTtys(root);
    for (const SerialPortInfo &info : infos)
        system.push_back(info.port);

    std::vector<PortFacts> ports;
    for (const PortEntry &entry : listPortEntries(aliases, system)) {
        const auto info = std::find_if(infos.begin(), infos.end(), [&](const SerialPortInfo &i) {
            return i.port.devicePath == entry.devicePath;
        });
#ifdef Q_OS_LINUX
        PortFacts facts = describePort(root, entry);
#else
        PortFacts facts;
        facts.number = entry.number;
        facts.devicePath = entry.devicePath;
        facts.alias = entry.alias;
        facts.systemName = info == infos.end() ? entry.devicePath : info->port.name;
        facts.access = info == infos.end() ? PortAccess::Missing : PortAccess::Openable;
#endif
        if (info != infos.end())
            fillFromInfo(facts, *info);
        ports.push_back(std::move(facts));
    }
    return ports;
}

PortFacts portFactsOf(const QString &devicePath, const PortAliases &aliases)
{
    const std::string path = devicePath.toStdString();
    std::vector<PortFacts> ports = listPortFacts(aliases);
    const auto listed = std::find_if(
        ports.begin(), ports.end(), [&](const PortFacts &port) { return port.devicePath == path; });
    if (listed != ports.end())
        return *listed;
#ifdef Q_OS_LINUX
    return describePort(systemRoot(), PortEntry{0, path, false});
#else
    PortFacts facts;
    facts.devicePath = path;
    facts.systemName = path;
    facts.access = PortAccess::Missing;
    return facts;
#endif
}

PortFacts refusedPortFacts(const QString &devicePath, const PortAliases &aliases,
                           const SerialPortService &port)
{
    PortFacts facts = portFactsOf(devicePath, aliases);
    if (port.heldElsewhere() && facts.access != PortAccess::Busy)
        facts.access = PortAccess::Busy;
    return facts;
}

std::optional<QString> openNumberedPort(SerialPortService &port, int comPort,
                                        const PortAliases &aliases, int language,
                                        std::string *failure)
{
    auto device = comPort < 1
                      ? std::nullopt
                      : devicePathForPort(QString::fromStdString(comName(comPort)), aliases);
    if (device && port.open(*device))
        return device;
    PortFacts facts;
    if (device) {
        facts = refusedPortFacts(*device, aliases, port);
    } else {
        facts.number = comPort;
        facts.access = PortAccess::Missing;
    }
    if (failure)
        *failure = portOpenFailureText(facts, language);
    return std::nullopt;
}

std::string transferStopBoxText(const TransferStopReport &report, const QString &devicePath,
                                const PortAliases &aliases, int language)
{
    std::string text = transferStopText(report, language);
    if (report.reason == TransferStopReason::NoAnswer) {
        const PortFacts facts = portFactsOf(devicePath, aliases);
        if (facts.counterfeitChip)
            text += "\r\n" + portAccessLine(facts, language);
    }
    return text;
}
