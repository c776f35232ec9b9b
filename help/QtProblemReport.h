#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "help/ProblemReport.h"
#include "link/PortNames.h"

struct DocumentSet;

// Where the report's facts come from besides the system itself.
struct ProblemReportSources
{
    QString settingsPath; // the mysetup.ini in use
    // Its contents as the program holds them; read from settingsPath when not given.
    std::optional<std::string> settingsText;
    PortAliases portAliases; // its [ports] aliases, so aliased devices are described too
    int programLanguage = 1; // 1 English, 2 Chinese
    const DocumentSet *document = nullptr; // the open document, only when the user asked for it
    std::string documentName;              // its file name without the folder and ".dat"
};

// Reads the versions, the locale, the ports, the last serial traces and the settings file.
ProblemReportFacts gatherProblemReportFacts(const ProblemReportSources &sources);
// This user's name, this host's name and this user's home folder.
PersonalMarkers currentPersonalMarkers();
// Writes the files as one zip file (replacing it); false with the reason in *error.
bool writeProblemReport(const QString &path, const std::vector<ProblemReportFile> &files,
                        QString *error);
// "orx740-report-2026-12-09.zip"
QString problemReportFileName();
