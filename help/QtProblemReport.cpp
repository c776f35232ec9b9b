#include "help/QtProblemReport.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSysInfo>
#include <QtGlobal>

#include "datafile/DataFileFormat.h"
#include "link/SerialPortFacts.h"
#include "link/SerialTraceFile.h"
#include "model/ZipArchive.h"

namespace {

std::optional<std::string> fileText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

ZipTimestamp zipTimeNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

} // namespace

ProblemReportFacts gatherProblemReportFacts(const ProblemReportSources &sources)
{
    ProblemReportFacts facts;
    facts.programVersion = ORX740_VERSION_TEXT;
    facts.qtVersion = std::string(qVersion()) + " (built with " QT_VERSION_STR ")";
    facts.system = QSysInfo::prettyProductName().toStdString();
    facts.kernel = (QSysInfo::kernelType() + ' ' + QSysInfo::kernelVersion()).toStdString();
    facts.architecture = QSysInfo::currentCpuArchitecture().toStdString();
    facts.locale = (QLocale::system().name() + QStringLiteral(", interface languages ") +
                    QLocale::system().uiLanguages().join(QStringLiteral(" ")))
                       .toStdString();
    if (sources.programLanguage != 0)
        facts.programLanguage = sources.programLanguage == 2 ? "Chinese" : "English";
    facts.ports = listPortFacts(sources.portAliases);
    facts.serialTraces = lastSerialTraces();
    facts.settingsPath = sources.settingsPath.toStdString();
    facts.settingsText =
        sources.settingsText ? sources.settingsText : fileText(sources.settingsPath);
    if (sources.document) {
        const PackedPair pair = packDataFilePair(*sources.document);
        facts.document =
            ProblemReportFacts::Document{sources.documentName, pair.dataFile, pair.channelFile};
    }
    return facts;
}

PersonalMarkers currentPersonalMarkers()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME"); // Windows
    if (user.isEmpty())
        user = QFileInfo(QDir::homePath()).fileName();
    return {user.toStdString(), QSysInfo::machineHostName().toStdString(),
            QDir::toNativeSeparators(QDir::homePath()).toStdString()};
}

bool writeProblemReport(const QString &path, const std::vector<ProblemReportFile> &files,
                        QString *error)
{
    std::vector<ZipMember> members;
    members.reserve(files.size());
    for (const ProblemReportFile &file : files)
        members.push_back({file.name, file.bytes});
    const std::vector<std::uint8_t> zip = storedZipArchive(members, zipTimeNow());
    QSaveFile out(path);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(reinterpret_cast<const char *>(zip.data()),
                                   qint64(zip.size())) == qint64(zip.size()) &&
                         out.commit();
    if (!written && error)
        *error = QStringLiteral("%1: %2").arg(path, out.errorString());
    return written;
}

QString problemReportFileName()
{
    return QStringLiteral("orx740-report-%1.zip")
        .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}
