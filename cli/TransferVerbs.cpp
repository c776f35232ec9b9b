#include <QCoreApplication>

#include <iostream>
#include <memory>
#include <optional>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/TransferSupport.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "link/SerialTraceFile.h"
#include "link/SessionRunner.h"
#include "radio/Document.h"

// read, write and verify: one radio session each, its questions answered from the options and
// its outcome turned into lines on stderr and an exit status.
namespace {

// Where a transfer takes its memory from or puts it: a data file pair or a raw image file.
struct TransferFile
{
    QString path;
    bool isImage = false;
};

// read --port PORT (--out FILE.dat | --image-out FILE); write --port PORT [--verify] (FILE.dat |
// --image FILE); verify --port PORT FILE.dat.
std::optional<TransferFile>
parseTransferFile(JobKind kind, const std::vector<std::string_view> &args, CommandLine &options)
{
    std::vector<CommandLine::Option> known{
        {"--port", true}, {"--switch-version", false}, {"--trace", true}};
    if (kind == JobKind::Read)
        known.insert(known.end(), {{"--out", true}, {"--image-out", true}});
    if (kind == JobKind::Write)
        known.insert(known.end(), {{"--image", true}, {"--verify", false}});
    std::vector<std::string_view> positional;
    if (!options.parse(args, known, positional)) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    std::vector<TransferFile> files;
    files.reserve(positional.size() + 1);
    for (std::string_view path : positional)
        files.push_back({QString::fromUtf8(path.data(), qsizetype(path.size())), false});
    for (std::string_view option : {"--out", "--image-out", "--image"}) {
        if (const auto value = options.value(option))
            files.push_back({QString::fromStdString(*value), option != "--out"});
    }
    if (kind == JobKind::Read && !positional.empty())
        files.clear();
    if (!options.has("--port") || files.size() != 1) {
        printError(kind == JobKind::Read    ? "usage: read --port PORT (--out FILE.dat | "
                                              "--image-out FILE)"
                   : kind == JobKind::Write ? "usage: write --port PORT [--verify] (FILE.dat | "
                                              "--image FILE)"
                                            : "usage: verify --port PORT FILE.dat");
        return std::nullopt;
    }
    return files.front();
}

// The read memory into the file asked for.
int saveRead(const RadioSession &session, const TransferFile &file)
{
    std::optional<QString> error;
    if (file.isImage) {
        error = saveRawImage(file.path, session.image());
    } else if (const DataFileWriteResult written =
                   saveDataFilePair(session.document(), file.path.toStdString());
               !written.error.empty()) {
        error = QString::fromStdString(written.error);
    }
    if (error) {
        printError(*error);
        return 1;
    }
    return 0;
}

// The exit status of the job: 0 done (or equal), 1 different, and on failure 1, or 2 when the
// radio was to be compared.
int exitStatus(const SessionEnd &end, const TransferFile &file, const SessionRunner &runner,
               int failed)
{
    const RadioSession &session = runner.session();
    if (end.result == SessionResult::Done || end.result == SessionResult::Different) {
        if (end.kind == JobKind::Read)
            return saveRead(session, file);
        return end.readingBack || end.kind == JobKind::Verify
                   ? reportImageComparison(session.image(), session.readBack(), std::cout)
                   : 0;
    }
    if (const auto line =
            sessionFailureLine(end, runner.port().devicePath().toStdString(), English))
        printError(QString::fromStdString(*line));
    return failed;
}

int runTransfer(int argc, char *argv[], const std::vector<std::string_view> &args, JobKind kind)
{
    CommandLine options;
    const std::optional<TransferFile> file = parseTransferFile(kind, args, options);
    if (!file)
        return 2;
    // verify and write --verify answer 0 equal, 1 different, 2 not compared.
    const int failed = kind == JobKind::Verify || options.has("--verify") ? 2 : 1;

    QCoreApplication app(argc, argv);
    // The command line reads onto a new document.
    const DocumentSet readBase = newDocumentBase(todayAsDateText());
    const VersionRegistry versions = installedVersionRegistry();
    auto document = std::make_unique<Document>();
    SessionJob job{kind,      &readBase, nullptr, std::nullopt, false, options.has("--verify"),
                   &versions, English,   {}};
    if (kind != JobKind::Read && file->isImage) {
        job.rawImage.emplace();
        if (const auto error = loadRawImage(file->path, *job.rawImage)) {
            printError(*error);
            return failed;
        }
    } else if (kind != JobKind::Read) {
        QtDataFileStorage storage;
        const std::string error = readDataFilePair(storage, file->path.toStdString(), *document);
        if (!error.empty()) {
            printError(QString::fromStdString(error));
            return failed;
        }
        job.document = &document->working();
    }

    SessionRunner runner;
    QtBackupStore backups(backupFolderForCompanion());
    setUpCompanionSession(runner, *options.value("--port"), backups, false);
    reportTransfersOnStderr(runner, options.has("--switch-version"));
    std::optional<int> status;
    QObject::connect(&runner, &SessionRunner::finished, &app, [&](const SessionEnd &end) {
        status = exitStatus(end, *file, runner, failed);
        app.quit();
    });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app,
                     [&] { runner.interrupt(); });
    runner.start(std::move(job));
    if (!status)
        app.exec();
    // The frames of the transfers, whatever came of them, when --trace asked for them.
    QString error;
    if (const auto trace = options.value("--trace");
        trace && !saveSerialTrace(QString::fromStdString(*trace), &error))
        printError(error);
    return status.value_or(failed);
}

} // namespace

int runRead(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, JobKind::Read);
}

int runWrite(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, JobKind::Write);
}

int runVerify(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, JobKind::Verify);
}
