#include "cli/BatchVerb.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/TransferSupport.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "link/BatchUnits.h"
#include "link/ProductionLine.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "radio/Document.h"

// batch: a production line of one session a port that programs radio after radio; this driver
// says its lines (each led by its port when there are several), takes the user's Enter, prints
// the JSON lines and sums up. The line keeps the log.
namespace {

struct BatchOptions
{
    QString templatePath;
    QString logPath;
    bool json = false;
    std::vector<std::string> namedPorts;
    bool usbPorts = false;
    std::vector<ProductionLine::Port> ports; // found once the application object exists
    BatchSettings settings;
};

constexpr const char *kUsage =
    "usage: batch --template PLAN.dat (--port P [--port P2 ...] | --ports usb) [--units N] "
    "[--next replug|enter] [--log FILE.csv] [--keep options] [--keep-going] [--json] "
    "[--switch-version] [--name-pattern TEXT]";

// The ports named, with the cable's USB path where the system knows it; every USB serial port
// of the port list for "--ports usb".
std::vector<ProductionLine::Port> batchPorts(const std::vector<std::string> &named, bool usb)
{
    const PortAliases aliases = installedPortAliases();
    std::vector<ProductionLine::Port> ports;
    if (usb) {
        for (const PortFacts &facts : listPortFacts(aliases))
            if (facts.usb)
                ports.push_back({QString::fromStdString(facts.devicePath),
                                 QString::fromStdString(facts.usbPath)});
        return ports;
    }
    for (const std::string &name : named) {
        // A port named twice is one cable.
        if (std::any_of(ports.begin(), ports.end(), [&name](const ProductionLine::Port &port) {
                return port.name == QString::fromStdString(name);
            }))
            continue;
        QString cable;
        if (const auto device = devicePathForPort(QString::fromStdString(name), aliases))
            cable = QString::fromStdString(portFactsOf(*device, aliases).usbPath);
        ports.push_back({QString::fromStdString(name), cable});
    }
    return ports;
}

std::optional<BatchOptions> parseBatch(const std::vector<std::string_view> &args)
{
    CommandLine options;
    if (!options.parse(args, {{"--template", true},
                              {"--port", true},
                              {"--ports", true},
                              {"--units", true},
                              {"--next", true},
                              {"--log", true},
                              {"--keep", true},
                              {"--keep-going", false},
                              {"--json", false},
                              {"--switch-version", false},
                              {"--name-pattern", true}})) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    bool ok = true;
    BatchOptions parsed;
    parsed.settings.units = options.number("--units", 1, 1'000'000, ok);
    const std::string next = options.value("--next").value_or("replug");
    if (!ok || !options.has("--template") || options.has("--port") == options.has("--ports") ||
        options.value("--ports").value_or("usb") != "usb" ||
        (next != "replug" && next != "enter") ||
        options.value("--keep").value_or("options") != "options") {
        printError(ok ? QString::fromLatin1(kUsage) : QString::fromStdString(options.error()));
        return std::nullopt;
    }
    parsed.templatePath = QString::fromStdString(*options.value("--template"));
    parsed.logPath = QString::fromStdString(options.value("--log").value_or(std::string()));
    if (QFile existing(parsed.logPath); existing.open(QIODevice::ReadOnly))
        parsed.settings.lastUnit = lastUnitInLog(existing.readAll().toStdString());
    parsed.settings.namePattern = options.value("--name-pattern").value_or(std::string());
    if (options.has("--name-pattern"))
        if (const auto error = namePatternError(
                parsed.settings.namePattern, parsed.settings.lastUnit + 1,
                parsed.settings.units
                    ? std::optional<int>(parsed.settings.lastUnit + *parsed.settings.units)
                    : std::nullopt)) {
            printError(QStringLiteral("--name-pattern: %1").arg(QString::fromStdString(*error)));
            return std::nullopt;
        }
    parsed.json = options.has("--json");
    parsed.namedPorts = options.values("--port");
    parsed.usbPorts = options.has("--ports");
    parsed.settings.nextOnAnswer = next == "enter";
    parsed.settings.keepOptions = options.has("--keep");
    parsed.settings.keepGoing = options.has("--keep-going");
    parsed.settings.switchVersion = options.has("--switch-version");
    return parsed;
}

// The lines of the run: with several ports each starts with its port, so that a port's lines can
// be picked out of the whole.
class BatchOutput
{
public:
    BatchOutput(const BatchOptions &options)
        : m_options(options)
        , m_say(options.json ? stderr : stdout)
    {}

    QString lead(std::size_t port) const
    {
        return m_options.ports.size() > 1 ? m_options.ports[port].name + QStringLiteral(": ")
                                          : QString();
    }
    void say(std::size_t port, const QString &line) const
    {
        std::fprintf(m_say, "%s%s\n", qPrintable(lead(port)), qPrintable(line));
        std::fflush(m_say);
    }
    void sayForAll(const QString &line) const
    {
        std::fprintf(m_say, "%s\n", qPrintable(line));
        std::fflush(m_say);
    }
    void unit(std::size_t port, const UnitRecord &record,
              const std::vector<Difference> &differences) const
    {
        const QString differing =
            QString::fromStdString(formatDifferences(differences, "written", "radio"));
        for (const QString &line : differing.split('\n', Qt::SkipEmptyParts))
            std::fprintf(stderr, "%s%s\n", qPrintable(lead(port)), qPrintable(line));
        const QString message =
            QString::fromStdString(record.message) +
            (record.name.empty()
                 ? QString()
                 : QStringLiteral(" (name %1)").arg(QString::fromStdString(record.name)));
        if (record.result == "failed")
            printError(
                QStringLiteral("%1unit %2: %3").arg(lead(port)).arg(record.unit).arg(message));
        else
            say(port, QStringLiteral("Unit %1: %2: %3")
                          .arg(record.unit)
                          .arg(QString::fromStdString(record.result), message));
        if (m_options.json)
            std::printf("%s\n", unitJsonLine(record).c_str());
        std::fflush(stdout);
    }

private:
    const BatchOptions &m_options;
    std::FILE *m_say;
};

// The Enter key answers every port that waits for it.
void answerWaitingPorts(ProductionLine &line, std::vector<bool> &waiting, bool entered)
{
    for (std::size_t port = 0; port < waiting.size(); ++port)
        if (waiting[port]) {
            waiting[port] = false;
            line.answer(port, entered);
        }
}

} // namespace

int runBatch(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    std::optional<BatchOptions> options = parseBatch(args);
    if (!options)
        return 2;
    QCoreApplication app(argc, argv);
    options->ports = batchPorts(options->namedPorts, options->usbPorts);
    if (options->ports.empty()) {
        printError(QStringLiteral("no USB serial port found; name the ports with --port"));
        return 2;
    }
    auto plan = std::make_unique<Document>();
    QtDataFileStorage storage;
    if (const std::string error =
            readDataFilePair(storage, options->templatePath.toStdString(), *plan);
        !error.empty()) {
        printError(QString::fromStdString(error));
        return 2;
    }
    // Each radio is read onto a new document, which the template is merged with.
    const DocumentSet readBase = newDocumentBase(todayAsDateText());
    const VersionRegistry versions = installedVersionRegistry();
    SessionJob job{JobKind::Batch, &readBase, &plan->working(), std::nullopt,     false,
                   true,           &versions, English,          options->settings};

    ProductionLine line;
    QtBackupStore backups(backupFolderForCompanion());
    line.setPorts(options->ports, [](const QString &port) {
        return companionPortOpener(port.toStdString(), true);
    });
    line.setBackupStore(&backups);
    line.setLogPath(options->logPath);
    const BatchOutput output(*options);
    std::vector<bool> waiting(options->ports.size(), false);
    EnterKey enter([&](bool entered) { answerWaitingPorts(line, waiting, entered); });
    QObject::connect(&line, &ProductionLine::said, &app,
                     [&](std::size_t port, const QString &text) { output.say(port, text); });
    QObject::connect(&line, &ProductionLine::asked, &app,
                     [&](std::size_t port, SessionQuestion, const QString &text) {
                         if (!text.isEmpty())
                             output.say(port, text);
                         waiting[port] = true;
                         enter.wait();
                     });
    QObject::connect(&line, &ProductionLine::unitReported, &app,
                     [&](std::size_t port, const UnitRecord &record,
                         const std::vector<Difference> &differences) {
                         output.unit(port, record, differences);
                     });
    for (std::size_t port = 0; port < options->ports.size(); ++port)
        QObject::connect(&line.runner(port), &SessionRunner::backupKept, &app,
                         [&, port](const std::optional<std::string> &path) {
                             if (path)
                                 std::fprintf(stderr, "%sBackup: %s\n",
                                              qPrintable(output.lead(port)), path->c_str());
                             else
                                 printError(QStringLiteral("%1no backup could be written in %2")
                                                .arg(output.lead(port),
                                                     QString::fromStdString(backups.folder())));
                         });
    QObject::connect(&line, &ProductionLine::logFailed, &app, [](const QString &path) {
        printError(QStringLiteral("%1: the log cannot be written").arg(path));
    });
    int status = 1;
    QObject::connect(
        &line, &ProductionLine::finished, &app, [&](const ProductionLine::Totals &totals) {
            const QString untouched =
                totals.untouched ? QStringLiteral(", %1 interrupted before its write (left "
                                                  "untouched)")
                                       .arg(totals.untouched)
                                 : QString();
            output.sayForAll(QStringLiteral("Summary: %1 done, %2 refused, %3 failed%4")
                                 .arg(totals.done)
                                 .arg(totals.refused)
                                 .arg(totals.failed)
                                 .arg(untouched));
            status = totals.done == totals.all() ? 0 : 1;
            app.quit();
        });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, [&] { line.interrupt(); });
    line.start(std::move(job));
    if (line.isRunning())
        app.exec();
    return status;
}
