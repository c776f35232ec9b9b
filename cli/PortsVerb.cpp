#include "cli/PortsVerb.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "lang/Texts.h"
#include "link/SerialPortFacts.h"

namespace {

constexpr int kPollMs = 250;
constexpr int kDefaultTimeoutSeconds = 60;

int fail(const std::string &message, int status)
{
    std::fprintf(stderr, "orx740-cli ports: %s\n", message.c_str());
    return status;
}

void say(const std::string &line)
{
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

// The list is taken again every 250 ms on the event loop's timer until a port appears or the
// time is up.
int waitForNewPort(QCoreApplication &app, const PortAliases &aliases, int timeoutSeconds)
{
    say("Unplug the cable, then press Enter.");
    std::string line;
    std::getline(std::cin, line);
    const std::vector<PortFacts> before = listPortFacts(aliases);
    say("Plug the cable in.");

    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        const std::vector<PortFacts> added = newPorts(before, listPortFacts(aliases));
        if (added.empty())
            return;
        for (const PortFacts &port : added)
            say(portSummaryLine(port, English));
        app.exit(0);
    });
    QTimer::singleShot(timeoutSeconds * 1000, &app, [&] {
        fail("no new port appeared within " + std::to_string(timeoutSeconds) + " s", 1);
        app.exit(1);
    });
    poll.start();
    return app.exec();
}

} // namespace

int runPorts(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    constexpr int kBadArguments = 2;
    CommandLine options;
    if (!options.parse(args, {{"--json", false}, {"--wait-new", false}, {"--timeout", true}}))
        return fail(options.error(), kBadArguments);
    bool ok = true;
    const std::optional<int> timeout = options.number("--timeout", 1, 86400, ok);
    if (!ok)
        return fail(options.error(), kBadArguments);
    if (options.has("--json") && options.has("--wait-new"))
        return fail("--json and --wait-new do not go together", kBadArguments);

    QCoreApplication app(argc, argv);
    const PortAliases aliases = installedPortAliases();
    if (options.has("--wait-new"))
        return waitForNewPort(app, aliases, timeout.value_or(kDefaultTimeoutSeconds));
    const std::vector<PortFacts> ports = listPortFacts(aliases);
    if (options.has("--json")) {
        std::fputs(portFactsJson(ports).c_str(), stdout);
        return 0;
    }
    for (const PortFacts &port : ports)
        say(portSummaryLine(port, English));
    if (ports.empty())
        say("No serial port found.");
    return 0;
}
