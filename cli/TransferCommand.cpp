#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "model/RadioImage.h"

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

int runTransfer(int argc, char *argv[], const std::vector<std::string_view> &args,
                CommOperation operation)
{
    const bool reading = operation == CommOperation::Read;
    const std::string_view fileOption = reading ? "--image-out" : "--image";
    CommandLine options;
    if (!options.parse(args, {{"--port", true}, {fileOption, true}, {"--switch-version", false}})) {
        printError(QString::fromStdString(options.error()));
        return 2;
    }
    const auto portText = options.value("--port");
    const auto file = options.value(fileOption);
    if (!portText || !file) {
        printError(QStringLiteral("%1 needs --port PORT and %2 FILE")
                       .arg(reading ? "read" : "write",
                            QString::fromUtf8(fileOption.data(), fileOption.size())));
        return 2;
    }
    const QString filePath = QString::fromStdString(*file);

    QCoreApplication app(argc, argv);
    RadioImage image;
    if (!reading) {
        if (const auto error = loadRawImage(filePath, image)) {
            printError(*error);
            return 1;
        }
    }
    const auto device =
        devicePathForPort(QString::fromStdString(*portText), installedPortAliases());
    SerialPortService port;
    if (!device || !port.open(*device)) {
        std::fprintf(stderr, "%s\n", qPrintable(text(LinkTexts::kCannotOpenPort)));
        if (device)
            printError(QStringLiteral("%1: %2").arg(*device, port.errorString()));
        else
            printError(QStringLiteral("no serial port %1").arg(QString::fromStdString(*portText)));
        return 1;
    }

    LinkController link(port);
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
                    if (const auto error = saveRawImage(filePath, image)) {
                        printError(*error);
                        app.exit(1);
                        return;
                    }
                }
                std::fprintf(stderr, "%s\n",
                             qPrintable(text(reading ? LinkTexts::kReadCompleted
                                                     : LinkTexts::kWriteCompleted)));
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
