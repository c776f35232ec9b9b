#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "app/IniFile.h"
#include "app/PlatformServices.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "datafile/BackupStore.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "lang/Messages.h"
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "model/Document.h"
#include "model/ImagePacking.h"
#include "model/RadioImage.h"
#include "model/VersionRegistry.h"

namespace {

QString text(const TextEntry &entry)
{
    return QString::fromUtf8(textFor(entry, English).data(),
                             qsizetype(textFor(entry, English).size()));
}

const char *failureText(TransferFailure failure)
{
    switch (failure) {
    case TransferFailure::NoAnswer:
        return "the radio did not answer";
    case TransferFailure::IdentificationFailed:
        return "the radio was not accepted";
    case TransferFailure::None:
        break;
    }
    return "stopped";
}

// Where a transfer takes its memory from or puts it: a data file pair or a raw image file.
struct TransferFile
{
    QString path;
    bool isImage = false;
};

// read --port PORT (--out FILE.dat | --image-out FILE); write --port PORT (FILE.dat | --image
// FILE).
std::optional<TransferFile> parseTransferFile(const std::vector<std::string_view> &args,
                                              bool reading, CommandLine &options)
{
    std::vector<std::string_view> named;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool takesValue = args[i] == "--port" || args[i] == "--out" ||
                                args[i] == "--image-out" || args[i] == "--image";
        if (args[i].starts_with("--")) {
            named.push_back(args[i]);
            // "--port --out x.dat": the port is missing, "--out" is no port name.
            if (takesValue && i + 1 < args.size() && !args[i + 1].starts_with("--"))
                named.push_back(args[++i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    const std::vector<CommandLine::Option> known =
        reading ? std::vector<CommandLine::Option>{{"--port", true},
                                                   {"--out", true},
                                                   {"--image-out", true},
                                                   {"--switch-version", false}}
                : std::vector<CommandLine::Option>{{"--port", true},
                                                   {"--image", true},
                                                   {"--switch-version", false},
                                                   {"--verify", false}};
    if (!options.parse(named, known)) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    std::vector<TransferFile> files;
    for (std::string_view path : positional)
        files.push_back({QString::fromUtf8(path.data(), qsizetype(path.size())), false});
    for (std::string_view option : {"--out", "--image-out", "--image"}) {
        if (const auto value = options.value(option))
            files.push_back({QString::fromStdString(*value), option != "--out"});
    }
    if (reading && !positional.empty())
        files.clear();
    if (!options.has("--port") || files.size() != 1) {
        printError(
            reading ? QStringLiteral("usage: read --port PORT (--out FILE.dat | --image-out FILE)")
                    : QStringLiteral("usage: write --port PORT [--verify] (FILE.dat | "
                                     "--image FILE)"));
        return std::nullopt;
    }
    return files.front();
}

// The compatible versions of the installation this companion belongs to.
VersionRegistry installedVersionRegistry()
{
    IniFile ini(QString::fromStdString(installLayoutForProgram().versionIniPath()));
    return VersionRegistry::load([&ini](std::string_view section, std::string_view key) {
        return ini.readString(section, key);
    });
}

enum class Job
{
    Read,
    Write,
    Verify, // a read compared with what a data file packs to
};

// The platform's backup of a read or of what a write is about to send, as the program keeps it.
// The pair is saved as every pair the companion writes is.
void keepBackup(BackupReason reason, const RadioImage &image, Document *document)
{
    BackupContents contents;
    contents.stamp = backupStampNow();
    contents.model = kModelName;
    contents.reason = reason;
    auto unpacked = std::make_unique<Document>();
    if (!document) {
        ApplyNewDocumentDefaults(unpacked->working().settings, todayAsDateText(),
                                 unpacked->bandClass());
        UnpackDocument(image, unpacked->working());
        document = unpacked.get();
    }
    contents.pair = packForSaving(*document);
    contents.image.emplace(image.bytes().begin(), image.bytes().end());
    QtBackupStore store(backupFolderForCompanion());
    if (const auto path = store.keep(contents))
        std::fprintf(stderr, "Backup: %s\n", path->c_str());
    else
        printError(QStringLiteral("no backup could be written in %1")
                       .arg(QString::fromStdString(store.folder())));
}

int runTransfer(int argc, char *argv[], const std::vector<std::string_view> &args, Job job)
{
    const bool reading = job != Job::Write;
    CommandLine options;
    std::optional<TransferFile> file;
    if (job == Job::Verify) {
        // verify --port PORT FILE.dat
        std::vector<std::string_view> named;
        std::vector<std::string_view> positional;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i].starts_with("--")) {
                named.push_back(args[i]);
                if (args[i] == "--port" && i + 1 < args.size() && !args[i + 1].starts_with("--"))
                    named.push_back(args[++i]);
            } else {
                positional.push_back(args[i]);
            }
        }
        if (!options.parse(named, {{"--port", true}, {"--switch-version", false}})) {
            printError(QString::fromStdString(options.error()));
            return 2;
        }
        if (!options.has("--port") || positional.size() != 1) {
            printError(QStringLiteral("usage: verify --port PORT FILE.dat"));
            return 2;
        }
        file = TransferFile{
            QString::fromUtf8(positional[0].data(), qsizetype(positional[0].size())), false};
    } else {
        file = parseTransferFile(args, reading, options);
    }
    if (!file)
        return 2;
    const bool verifying = job == Job::Verify || options.has("--verify");
    // verify and write --verify answer 0 equal, 1 different, 2 not compared.
    const int failed = verifying ? 2 : 1;
    const auto portText = options.value("--port");
    const QString filePath = file->path;

    QCoreApplication app(argc, argv);
    RadioImage image;
    auto document = std::make_unique<Document>();
    if (!reading && file->isImage) {
        if (const auto error = loadRawImage(filePath, image)) {
            printError(*error);
            return failed;
        }
    } else if (job != Job::Read) {
        QtDataFileStorage storage;
        if (const std::string error = readDataFilePair(storage, filePath.toStdString(), *document);
            !error.empty()) {
            printError(QString::fromStdString(error));
            return failed;
        }
        if (job == Job::Write)
            PackDocument(document->working(), image);
    }
    RadioImage expected;
    if (job == Job::Verify)
        PackDocument(document->working(), expected);
    else
        expected = image;

    const auto device =
        devicePathForPort(QString::fromStdString(*portText), installedPortAliases());
    std::error_code fsError;
    // One line: the program's own message, then why.
    const QString portError = text(Messages::kPortError);
    if (device && std::filesystem::is_regular_file(device->toStdString(), fsError)) {
        printError(
            QStringLiteral("%1 (%2 is a regular file, not a serial port)").arg(portError, *device));
        return failed;
    }
    SerialPortService port;
    if (!device || !port.open(*device)) {
        if (device)
            printError(QStringLiteral("%1 (%2: %3)").arg(portError, *device, port.errorString()));
        else
            printError(QStringLiteral("%1 (no serial port %2)")
                           .arg(portError, QString::fromStdString(*portText)));
        return failed;
    }

    LinkController link(port);
    TransferEngine::Settings settings;
    const VersionRegistry versions = installedVersionRegistry();
    settings.compatible = [&versions](std::string_view software, std::string_view firmware) {
        return versions.compatible(software, firmware);
    };
    link.setEngineSettings(settings);
    const bool showProgress = ::isatty(STDERR_FILENO) == 1;
    const bool switchVersion = options.has("--switch-version");
    int exitCode = failed;
    RadioImage readBack;
    bool readingBack = false;
    QObject::connect(&link, &LinkController::progressChanged, &app, [&](int percent) {
        if (showProgress)
            std::fprintf(stderr, "\r%s %d%%", qPrintable(text(LinkTexts::kCompletionPercentage)),
                         percent);
    });
    QObject::connect(&link, &LinkController::questionAsked, &app, [&](const QString &question) {
        std::fprintf(stderr, "%s%s\n", showProgress ? "\n" : "",
                     qPrintable(QString(question).replace("\r\n", "\n")));
        std::fprintf(stderr, "%s\n", switchVersion ? "Yes" : "No");
        link.answerQuestion(switchVersion);
    });
    QObject::connect(
        &link, &LinkController::finished, &app,
        [&](const TransferOutcome &outcome, const QStringList &messages) {
            if (showProgress)
                std::fputc('\n', stderr);
            for (const QString &message : messages)
                std::fprintf(stderr, "%s\n", qPrintable(message));
            if (!outcome.switchToVersion.empty())
                printError(QStringLiteral("starting the program version for firmware %1 is "
                                          "left to the main program")
                               .arg(QString::fromStdString(outcome.switchToVersion)));
            const bool wasRead = outcome.operation == CommOperation::Read;
            if (outcome.result != TransferResult::Success) {
                printError(QStringLiteral("%1 failed: %2")
                               .arg(wasRead ? "read" : "write",
                                    outcome.result == TransferResult::Cancelled
                                        ? QStringLiteral("cancelled")
                                        : QString::fromUtf8(failureText(outcome.failure))));
                if (!wasRead)
                    printError(QStringLiteral("the radio may be only partly written: write "
                                              "again before using it"));
                app.exit(failed);
                return;
            }
            std::fprintf(
                stderr, "%s\n",
                qPrintable(text(wasRead ? Messages::kReadCompleted : Messages::kWriteCompleted)));
            if (verifying && (job == Job::Verify || readingBack)) {
                exitCode =
                    reportImageComparison(expected, readingBack ? readBack : image, std::cout);
                app.exit(exitCode);
                return;
            }
            if (verifying) {
                // The write is done; read the radio back on the same port.
                readingBack = true;
                if (!port.open(*device) || !link.startRead(readBack)) {
                    printError(
                        QStringLiteral("%1: cannot be opened again to read back").arg(*device));
                    app.exit(failed);
                }
                return;
            }
            if (reading) {
                std::optional<QString> error;
                if (file->isImage) {
                    error = saveRawImage(filePath, image);
                } else {
                    const DataFileWriteResult written =
                        dataFileFromImage(image, filePath.toStdString());
                    if (!written.error.empty())
                        error = QString::fromStdString(written.error);
                }
                keepBackup(BackupReason::Read, image, nullptr);
                if (error) {
                    printError(*error);
                    app.exit(1);
                    return;
                }
            }
            exitCode = 0;
            app.exit(exitCode);
        });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, [&] { link.cancel(); });

    if (reading) {
        link.startRead(image);
    } else {
        keepBackup(BackupReason::Write, image, file->isImage ? nullptr : document.get());
        link.startWrite(image);
    }
    return app.exec();
}

} // namespace

int runRead(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Read);
}

int runWrite(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Write);
}

int runVerify(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Verify);
}
