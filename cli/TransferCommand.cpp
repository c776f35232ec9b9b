#include <QCoreApplication>

#include <cstdio>
#include <optional>
#include <unistd.h>

#include "app/IniFile.h"
#include "app/PlatformServices.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileVerbs.h"
#include "lang/Messages.h"
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
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
            if (takesValue && i + 1 < args.size())
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
                : std::vector<CommandLine::Option>{
                      {"--port", true}, {"--image", true}, {"--switch-version", false}};
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
                    : QStringLiteral("usage: write --port PORT (FILE.dat | --image FILE)"));
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

int runTransfer(int argc, char *argv[], const std::vector<std::string_view> &args,
                CommOperation operation)
{
    const bool reading = operation == CommOperation::Read;
    CommandLine options;
    const std::optional<TransferFile> file = parseTransferFile(args, reading, options);
    if (!file)
        return 2;
    const auto portText = options.value("--port");
    const QString filePath = file->path;

    QCoreApplication app(argc, argv);
    RadioImage image;
    if (!reading && file->isImage) {
        if (const auto error = loadRawImage(filePath, image)) {
            printError(*error);
            return 1;
        }
    } else if (!reading) {
        if (const std::string error = imageFromDataFile(filePath.toStdString(), image);
            !error.empty()) {
            printError(QString::fromStdString(error));
            return 1;
        }
    }
    const auto device =
        devicePathForPort(QString::fromStdString(*portText), installedPortAliases());
    SerialPortService port;
    if (!device || !port.open(*device)) {
        std::fprintf(stderr, "%s\n", qPrintable(text(Messages::kPortError)));
        if (device)
            printError(QStringLiteral("%1: %2").arg(*device, port.errorString()));
        else
            printError(QStringLiteral("no serial port %1").arg(QString::fromStdString(*portText)));
        return 1;
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
    int exitCode = 1;
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
            if (outcome.result == TransferResult::Success) {
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
                    if (error) {
                        printError(*error);
                        app.exit(1);
                        return;
                    }
                }
                std::fprintf(stderr, "%s\n",
                             qPrintable(text(reading ? Messages::kReadCompleted
                                                     : Messages::kWriteCompleted)));
                exitCode = 0;
            } else {
                printError(QStringLiteral("%1 failed: %2")
                               .arg(reading ? "read" : "write",
                                    outcome.result == TransferResult::Cancelled
                                        ? QStringLiteral("cancelled")
                                        : QString::fromUtf8(failureText(outcome.failure))));
            }
            app.exit(exitCode);
        });
    InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, [&] { link.cancel(); });

    if (reading)
        link.startRead(image);
    else
        link.startWrite(image);
    app.exec();
    return exitCode;
}

} // namespace

int runRead(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, CommOperation::Read);
}

int runWrite(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, CommOperation::Write);
}
