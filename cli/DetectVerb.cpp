#include "cli/DetectVerb.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

#include "cli/CliSupport.h"
#include "link/RadioProbe.h"
#include "link/SerialPortList.h"
#include "link/SerialTraceFile.h"
#include "link/SystemSerialPorts.h"

namespace {

struct DetectArguments
{
    QStringList ports; // as named
    std::optional<QString> tracePath;
};

std::optional<DetectArguments> parseDetect(const std::vector<std::string_view> &args)
{
    DetectArguments parsed;
    // Each option comes with its value.
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const bool takesValue = args[i] == "--port" || args[i] == "--trace";
        if (!takesValue || i + 1 >= args.size() || args[i + 1].starts_with("--")) {
            printError(takesValue
                           ? QStringLiteral("%1 needs a value")
                                 .arg(QString::fromUtf8(args[i].data(), qsizetype(args[i].size())))
                           : QStringLiteral("usage: detect [--port PORT]... "
                                            "[--trace FILE]"));
            return std::nullopt;
        }
        const QString value = QString::fromUtf8(args[i + 1].data(), qsizetype(args[i + 1].size()));
        if (args[i] == "--port")
            parsed.ports << value;
        else
            parsed.tracePath = value;
    }
    return parsed;
}

// The serial ports a USB cable brings; a built-in serial port is probed only when named.
QStringList usbSerialPorts()
{
    QStringList paths;
    for (const SerialPortInfo &info : systemSerialPorts()) {
        const QString name = QString::fromStdString(info.port.name);
        const bool usbName = name.startsWith(QLatin1String("ttyUSB")) ||
                             name.startsWith(QLatin1String("ttyACM")) ||
                             name.startsWith(QLatin1String("cu.usb"));
#ifdef Q_OS_WIN
        const bool usb = usbName || info.vendorId.has_value();
#else
        const bool usb = usbName;
#endif
        if (usb)
            paths << QString::fromStdString(info.port.devicePath);
    }
    return paths;
}

struct NamedPort
{
    QString label;
    std::optional<QString> device; // nothing when the name stands for no port
};

// The ports to probe, each with the name it is shown by.
std::vector<NamedPort> portsToProbe(const QStringList &named)
{
    std::vector<NamedPort> ports;
    if (named.isEmpty()) {
        for (const QString &path : usbSerialPorts())
            ports.push_back({path, path});
        return ports;
    }
    const PortAliases aliases = installedPortAliases();
    for (const QString &name : named)
        ports.push_back({name, devicePathForPort(name, aliases)});
    return ports;
}

int exitCodeFor(int found)
{
    return found == 1 ? 0 : found == 0 ? 1 : 2;
}

} // namespace

int runDetect(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    const std::optional<DetectArguments> parsed = parseDetect(args);
    if (!parsed)
        return 2;
    QCoreApplication app(argc, argv);
    const std::vector<NamedPort> ports = portsToProbe(parsed->ports);
    if (ports.empty())
        std::printf("no USB serial port found; name one with --port\n");

    QStringList devices;
    for (const NamedPort &port : ports) {
        if (port.device)
            devices << *port.device;
    }
    QList<ProbeResult> results;
    RadioProbe probe;
    QObject::connect(&probe, &RadioProbe::finished, &app, [&](const QList<ProbeResult> &probed) {
        results = probed;
        app.quit();
    });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, [&] {
        probe.cancel();
        app.exit(1);
    });
    probe.start(devices);
    if (probe.isRunning() && app.exec() != 0)
        return 1;

    int found = 0;
    qsizetype next = 0;
    for (const NamedPort &port : ports) {
        ProbeResult result;
        result.kind = ProbeResult::Kind::CannotOpen;
        result.reason = QStringLiteral("no serial port %1").arg(port.label);
        if (port.device && next < results.size())
            result = results[next++];
        found += result.kind == ProbeResult::Kind::Found ? 1 : 0;
        std::printf("%s: %s\n", qPrintable(port.label),
                    qPrintable(probeResultLine(result, English)));
    }
    std::fflush(stdout);
    if (parsed->tracePath) {
        QString error;
        if (!saveSerialTrace(*parsed->tracePath, &error))
            printError(error);
    }
    return exitCodeFor(found);
}
