#include "cli/TransferSupport.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/PlatformServices.h"
#include "cli/CliSupport.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "kernel/IniFile.h"
#include "lang/Messages.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

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

std::optional<std::string> keepBackup(BackupReason reason, const RadioImage &image,
                                      Document *document)
{
    BackupContents contents;
    contents.stamp = backupStampNow();
    contents.model = kModelName;
    contents.reason = reason;
    auto unpacked = std::make_unique<Document>();
    if (!document) {
        ApplyNewDocumentDefaults(unpacked->working().settings, todayAsDateText(),
                                 unpacked->bandClass());
        UnpackImageIntoDocument(image, unpacked->working());
        document = unpacked.get();
    }
    contents.pair = packForSaving(*document);
    contents.image.emplace(image.bytes().begin(), image.bytes().end());
    QtBackupStore store(backupFolderForCompanion());
    const auto path = store.keep(contents);
    if (path)
        std::fprintf(stderr, "Backup: %s\n", path->c_str());
    else
        printError(QStringLiteral("no backup could be written in %1")
                       .arg(QString::fromStdString(store.folder())));
    return path;
}

std::optional<QString> openTransferPort(const std::string &portText, SerialPortService &port)
{
    const PortAliases aliases = installedPortAliases();
    const auto device = devicePathForPort(QString::fromStdString(portText), aliases);
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
        facts = portFactsOf(*device, aliases);
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
