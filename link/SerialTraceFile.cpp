#include "link/SerialTraceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "kernel/FileDialogs.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "link/LinkWindowTexts.h"
#include "link/SerialTrace.h"

bool saveSerialTrace(const QString &path, QString *error)
{
    const std::string text = serialTrace().text();
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Text) &&
                       file.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
                       file.commit();
    if (!saved && error)
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return saved;
}

QString keptSerialTracesPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orx740/serial-traces.txt");
}

void keepSerialTraces()
{
    const QString path = keptSerialTracesPath();
    if (QDir().mkpath(QFileInfo(path).path()))
        saveSerialTrace(path, nullptr);
}

std::string lastSerialTraces()
{
    if (!serialTrace().transfers().empty())
        return serialTrace().text();
    QFile kept(keptSerialTracesPath());
    if (!kept.open(QIODevice::ReadOnly))
        return {};
    return kept.readAll().toStdString();
}

void saveSerialTraceAs(FileDialogs &dialogs, MessageService &messages, int language)
{
    const auto path =
        dialogs.saveFileName(textFor(LinkWindowTexts::kTraceFilter, language), "orx740-trace.txt");
    if (!path || path->empty())
        return;
    QString error;
    if (!saveSerialTrace(QString::fromStdString(*path), &error))
        messages.inform(std::string(textFor(Messages::kFileError, language)) + "\r\n" +
                            error.toStdString(),
                        MessageIcon::Warning);
}
