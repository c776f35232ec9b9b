#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "link/PtyRadioHost.h"
#include "link/RadioSimulator.h"

namespace {

// How long the host waits after "END" for the client to read the last answer.
constexpr int kDrainLimitMs = 2000;

} // namespace

int runSimulate(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    CommandLine options;
    if (!options.parse(args, {{"--image", true},
                              {"--model", true},
                              {"--firmware", true},
                              {"--capability", true},
                              {"--drop-every", true},
                              {"--corrupt-every", true},
                              {"--piece-size", true},
                              {"--die-after", true},
                              {"--pace", true},
                              {"--dump", true},
                              {"--sessions", true}})) {
        printError(QString::fromStdString(options.error()));
        return 2;
    }
    bool ok = true;
    RadioSimulator radio;
    RadioSimulator::Knobs &knobs = radio.knobs();
    knobs.modelName = options.value("--model").value_or(knobs.modelName);
    knobs.firmwareVersion = options.value("--firmware").value_or(knobs.firmwareVersion);
    knobs.capability =
        static_cast<std::uint8_t>(options.number("--capability", 0, 255, ok).value_or(1));
    knobs.dropEvery = options.number("--drop-every", 0, 1'000'000, ok).value_or(0);
    knobs.corruptEvery = options.number("--corrupt-every", 0, 1'000'000, ok).value_or(0);
    knobs.pieceSize = std::size_t(options.number("--piece-size", 0, 64, ok).value_or(0));
    knobs.dieAfterBlocks = options.number("--die-after", 0, 1'000'000, ok);
    const int pace = options.number("--pace", 0, 4'000'000, ok).value_or(0);
    // A write followed by its read-back is two sessions.
    const int sessions = options.number("--sessions", 1, 1'000'000, ok).value_or(1);
    if (!ok) {
        printError(QString::fromStdString(options.error()));
        return 2;
    }

    QCoreApplication app(argc, argv);
    if (const auto image = options.value("--image")) {
        if (const auto error = loadRawImage(QString::fromStdString(*image), radio.memory())) {
            printError(*error);
            return 1;
        }
    } else if (const std::string error =
                   imageFromDataFile(installedNewDocumentPath(), radio.memory());
               !error.empty()) {
        // A radio fresh from the factory holds the shipped new document; without the
        // installation's InitFile it stays empty.
        printError(QStringLiteral("serving an empty radio: %1").arg(QString::fromStdString(error)));
    }
    PtyRadioHost host(radio);
    host.setPace(pace);
    if (!host.open()) {
        printError(QStringLiteral("cannot create a pseudo-terminal: %1").arg(host.errorString()));
        return 1;
    }
    // The first line is the device to open; whoever started us waits for it.
    std::printf("%s\n", qPrintable(host.devicePath()));
    std::fflush(stdout);

    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, &QCoreApplication::quit);

    QTimer drainTimer;
    QElapsedTimer drainClock;
    drainTimer.setInterval(5);
    QObject::connect(&drainTimer, &QTimer::timeout, &app, [&] {
        if (host.outputDrained() || drainClock.elapsed() > kDrainLimitMs)
            app.quit();
    });
    int ended = 0;
    QObject::connect(&host, &PtyRadioHost::sessionEnded, &app, [&] {
        if (++ended < sessions)
            return;
        drainClock.start();
        drainTimer.start();
    });
    app.exec();

    if (const auto dump = options.value("--dump")) {
        if (const auto error = saveRawImage(QString::fromStdString(*dump), radio.memory())) {
            printError(*error);
            return 1;
        }
    }
    return 0;
}
