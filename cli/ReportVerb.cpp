#include "cli/ReportVerb.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <string>

#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "datafile/DataFileFormat.h"
#include "help/QtProblemReport.h"

namespace {

constexpr int kBadArguments = 2;

int fail(const std::string &message, int status)
{
    std::fprintf(stderr, "orx740-cli report: %s\n", message.c_str());
    return status;
}

std::optional<std::vector<std::uint8_t>> fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// The pair exactly as it is on disk, so the report shows what the program would open.
std::optional<ProblemReportFacts::Document> documentFiles(const std::string &path,
                                                          std::string &error)
{
    const auto dataFile = fileBytes(QString::fromStdString(path));
    const auto channelFile = fileBytes(QString::fromStdString(companionPath(path)));
    if (!dataFile || !channelFile) {
        error = (dataFile ? companionPath(path) : path) + ": cannot be read";
        return std::nullopt;
    }
    return ProblemReportFacts::Document{
        QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString(), *dataFile,
        *channelFile};
}

} // namespace

int runReport(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    CommandLine options;
    if (!options.parse(args, {{"--out", true}, {"--document", true}}))
        return fail(options.error(), kBadArguments);
    const std::optional<std::string> out = options.value("--out");
    if (!out)
        return fail("usage: report --out FILE.zip [--document FILE.dat]", kBadArguments);

    QCoreApplication app(argc, argv);
    ProblemReportSources sources;
    sources.portAliases = installedPortAliases();
    sources.settingsPath = installedSetupIniPath();
    ProblemReportFacts facts = gatherProblemReportFacts(sources);
    if (const std::optional<std::string> document = options.value("--document")) {
        std::string error;
        facts.document = documentFiles(*document, error);
        if (!facts.document)
            return fail(error, 1);
    }
    const std::vector<ProblemReportFile> files =
        problemReportFiles(facts, currentPersonalMarkers());
    QString error;
    if (!writeProblemReport(QString::fromStdString(*out), files, &error))
        return fail(error.toStdString(), 1);
    std::printf("Wrote %s with:\n%s", out->c_str(), problemReportListing(files).c_str());
    return 0;
}
