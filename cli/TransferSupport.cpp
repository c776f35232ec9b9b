#include "cli/TransferSupport.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "app/PlatformServices.h"
#include "cli/CliSupport.h"
#include "cli/ExchangeVerbs.h"
#include "datafile/QtBackupStore.h"
#include "kernel/IniFile.h"
#include "lang/Messages.h"
#include "link/LinkTexts.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "link/SessionRunner.h"

QString englishText(const TextEntry &entry)
{
    return QString::fromUtf8(textFor(entry, English).data(),
                             qsizetype(textFor(entry, English).size()));
}

VersionRegistry installedVersionRegistry()
{
    IniFile ini(QString::fromStdString(installLayoutForProgram().versionIniPath()));
    return VersionRegistry::load([&ini](std::string_view section, std::string_view key) {
        return ini.readString(section, key);
    });
}

std::optional<QString> openTransferPort(const std::string &portText, SerialPortService &port)
{
    const PortAliases aliases = installedPortAliases();
    auto device = devicePathForPort(QString::fromStdString(portText), aliases);
    std::error_code fsError;
    // One line: the program's own message, then why.
    const QString portError = englishText(Messages::kPortError);
    if (device && std::filesystem::is_regular_file(device->toStdString(), fsError)) {
        printError(
            QStringLiteral("%1 (%2 is a regular file, not a serial port)").arg(portError, *device));
        return std::nullopt;
    }
    if (device && port.open(*device))
        return device;
    PortFacts facts;
    if (device) {
        facts = refusedPortFacts(*device, aliases, port);
    } else {
        facts.number = parseComName(portText).value_or(0);
        facts.systemName = portText;
        facts.access = PortAccess::Missing;
    }
    const QString failure = QString::fromStdString(portOpenFailureText(facts, English));
    QString reason = failure.section(QStringLiteral("\r\n"), 1);
    if (device && !port.errorString().isEmpty())
        reason += QStringLiteral(" [%1]").arg(port.errorString());
    printError(
        QStringLiteral("%1 (%2)").arg(failure.section(QStringLiteral("\r\n"), 0, 0), reason));
    return std::nullopt;
}

SessionRunner::PortOpener companionPortOpener(const std::string &portText, bool quietPort)
{
    return [portText, quietPort](SerialPortService &port) -> std::optional<QString> {
        if (!quietPort)
            return openTransferPort(portText, port);
        auto device = devicePathForPort(QString::fromStdString(portText), installedPortAliases());
        std::error_code fsError;
        if (!device || std::filesystem::is_regular_file(device->toStdString(), fsError) ||
            !port.open(*device))
            return std::nullopt;
        return device;
    };
}

void setUpCompanionSession(SessionRunner &runner, const std::string &portText,
                           QtBackupStore &backups, bool quietPort)
{
    runner.setPortOpener(companionPortOpener(portText, quietPort));
    runner.setBackupStore(&backups);
    QObject::connect(&runner, &SessionRunner::backupKept, &runner,
                     [&backups](const std::optional<std::string> &path) {
                         if (path)
                             std::fprintf(stderr, "Backup: %s\n", path->c_str());
                         else
                             printError(QStringLiteral("no backup could be written in %1")
                                            .arg(QString::fromStdString(backups.folder())));
                     });
}

void reportTransfersOnStderr(SessionRunner &runner, bool answerYes)
{
    const bool progress = ::isatty(STDERR_FILENO) == 1;
    QObject::connect(&runner, &SessionRunner::progressChanged, &runner,
                     [progress](CommOperation, bool, int percent) {
                         if (progress)
                             std::fprintf(stderr, "\r%s %d%%",
                                          qPrintable(englishText(LinkTexts::kCompletionPercentage)),
                                          percent);
                     });
    QObject::connect(&runner, &SessionRunner::asked, &runner,
                     [&runner, progress, answerYes](SessionQuestion, const QString &question) {
                         std::fprintf(stderr, "%s%s\n%s\n", progress ? "\n" : "",
                                      qPrintable(QString(question).replace("\r\n", "\n")),
                                      answerYes ? "Yes" : "No");
                         runner.answer(answerYes);
                     });
    QObject::connect(
        &runner, &SessionRunner::transferEnded, &runner,
        [progress](const TransferOutcome &outcome, const QStringList &messages) {
            if (progress)
                std::fputc('\n', stderr);
            for (const QString &message : messages)
                std::fprintf(stderr, "%s\n", qPrintable(message));
            if (!outcome.switchToVersion.empty())
                printError(QString::fromStdString(textWith(SessionTexts::kSwitchLeftToProgram,
                                                           English, {outcome.switchToVersion})));
            if (outcome.result == TransferResult::Success)
                std::fprintf(stderr, "%s\n",
                             qPrintable(englishText(outcome.operation == CommOperation::Read
                                                        ? Messages::kReadCompleted
                                                        : Messages::kWriteCompleted)));
        });
}
