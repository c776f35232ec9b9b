#include "cli/BatchVerb.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <memory>
#include <optional>

#include "cli/BatchPlan.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/TransferSupport.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "link/SessionRunner.h"
#include "radio/Document.h"

// batch: one radio session that programs radio after radio; this driver says its lines, takes
// the user's Enter, writes the log and the JSON lines and sums up.
namespace {

struct BatchOptions
{
    QString templatePath;
    std::optional<QString> logPath;
    bool json = false;
    BatchSettings settings;
};

constexpr const char *kUsage =
    "usage: batch --template PLAN.dat --port P [--units N] [--next replug|enter] [--log FILE.csv] "
    "[--keep options] [--keep-going] [--json] [--switch-version]";

std::optional<BatchOptions> parseBatch(const std::vector<std::string_view> &args)
{
    CommandLine options;
    if (!options.parse(args, {{"--template", true},
                              {"--port", true},
                              {"--units", true},
                              {"--next", true},
                              {"--log", true},
                              {"--keep", true},
                              {"--keep-going", false},
                              {"--json", false},
                              {"--switch-version", false}})) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    bool ok = true;
    BatchOptions parsed;
    parsed.settings.units = options.number("--units", 1, 1'000'000, ok);
    const std::string next = options.value("--next").value_or("replug");
    if (!ok || !options.has("--template") || !options.has("--port") ||
        (next != "replug" && next != "enter") ||
        options.value("--keep").value_or("options") != "options") {
        printError(ok ? QString::fromLatin1(kUsage) : QString::fromStdString(options.error()));
        return std::nullopt;
    }
    parsed.templatePath = QString::fromStdString(*options.value("--template"));
    if (const auto log = options.value("--log")) {
        parsed.logPath = QString::fromStdString(*log);
        if (QFile existing(*parsed.logPath); existing.open(QIODevice::ReadOnly))
            parsed.settings.lastUnit = lastUnitInLog(existing.readAll().toStdString());
    }
    parsed.json = options.has("--json");
    parsed.settings.portName = *options.value("--port");
    parsed.settings.nextOnAnswer = next == "enter";
    parsed.settings.keepOptions = options.has("--keep");
    parsed.settings.keepGoing = options.has("--keep-going");
    parsed.settings.switchVersion = options.has("--switch-version");
    return parsed;
}

void writeLog(const QString &path, const UnitRecord &record)
{
    QFile log(path);
    const bool isNew = !log.exists() || log.size() == 0;
    if (!log.open(QIODevice::Append | QIODevice::Text)) {
        printError(QStringLiteral("%1: the log cannot be written").arg(path));
        return;
    }
    if (isNew)
        log.write((unitLogHeader() + '\n').c_str());
    log.write((unitLogLine(record) + '\n').c_str());
}

} // namespace

int runBatch(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    std::optional<BatchOptions> options = parseBatch(args);
    if (!options)
        return 2;
    QCoreApplication app(argc, argv);
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

    SessionRunner runner;
    QtBackupStore backups(backupFolderForCompanion());
    setUpCompanionSession(runner, options->settings.portName, backups, true);
    std::FILE *const say = options->json ? stderr : stdout;
    const auto sayLine = [say](const QString &line) {
        std::fprintf(say, "%s\n", qPrintable(line));
        std::fflush(say);
    };
    EnterKey enter([&runner](bool entered) { runner.answer(entered); });
    QObject::connect(&runner, &SessionRunner::said, &app, sayLine);
    QObject::connect(&runner, &SessionRunner::asked, &app,
                     [&](SessionQuestion, const QString &text) {
                         if (!text.isEmpty())
                             sayLine(text);
                         enter.wait();
                     });
    QObject::connect(
        &runner, &SessionRunner::unitReported, &app,
        [&](UnitRecord record, const std::vector<Difference> &differences) {
            std::fprintf(stderr, "%s", formatDifferences(differences, "written", "radio").c_str());
            record.time = QDateTime::currentDateTime()
                              .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                              .toStdString();
            const QString message = QString::fromStdString(record.message);
            if (record.result == "failed")
                printError(QStringLiteral("unit %1: %2").arg(record.unit).arg(message));
            else
                sayLine(QStringLiteral("Unit %1: %2: %3")
                            .arg(record.unit)
                            .arg(QString::fromStdString(record.result), message));
            if (options->json)
                std::printf("%s\n", unitJsonLine(record).c_str());
            std::fflush(stdout);
            if (options->logPath)
                writeLog(*options->logPath, record);
        });
    int status = 1;
    QObject::connect(&runner, &SessionRunner::finished, &app, [&](const SessionEnd &end) {
        const QString untouched =
            end.untouched ? QStringLiteral(", %1 interrupted before its write (left untouched)")
                                .arg(end.untouched)
                          : QString();
        sayLine(QStringLiteral("Summary: %1 done, %2 refused, %3 failed%4")
                    .arg(end.done)
                    .arg(end.refused)
                    .arg(end.failed)
                    .arg(untouched));
        status = end.done == end.done + end.refused + end.failed + end.untouched ? 0 : 1;
        app.quit();
    });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app,
                     [&] { runner.interrupt(); });
    runner.start(std::move(job));
    if (runner.isRunning())
        app.exec();
    return status;
}
