#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/PortFacts.h"

// What a problem report holds: the versions of the program, Qt and the system, the locale, the
// facts of every serial port, the last serial traces, the settings file and, only when the user
// asks for it, the open document as its data file pair. Nothing is sent anywhere: the report is
// a zip file the user may look at and pass on.
struct ProblemReportFacts
{
    std::string programVersion;
    std::string qtVersion;
    std::string system;       // "Debian GNU/Linux 12 (bookworm)"
    std::string kernel;       // "linux 6.1.0-18-amd64"
    std::string architecture; // "x86_64"
    std::string locale;       // "zh_CN", and the user interface languages
    std::string programLanguage;
    std::vector<PortFacts> ports;
    std::string serialTraces; // empty: no transfer was traced
    std::string settingsPath;
    std::optional<std::string> settingsText; // empty optional: the file cannot be read
    struct Document
    {
        std::string name; // "myradio" (the pair is name.dat and name.fre)
        std::vector<std::uint8_t> dataFile;
        std::vector<std::uint8_t> channelFile;
    };
    std::optional<Document> document;
};

// Who the report must not name: every occurrence in its texts is replaced by a visible marker
// ("<home>", "<user>", "<host>"), so a reader sees that something was left out.
struct PersonalMarkers
{
    std::string userName;
    std::string hostName;
    std::string homePath;
};

std::string withPersonalMarkers(std::string text, const PersonalMarkers &personal);

struct ProblemReportFile
{
    std::string name; // the name inside the zip file
    std::vector<std::uint8_t> bytes;
};

// The files of the report, in the order listed to the user; every text carries the markers.
std::vector<ProblemReportFile> problemReportFiles(const ProblemReportFacts &facts,
                                                  const PersonalMarkers &personal);
// "about.txt (412 bytes)": one line a file, as the report's window and `orx740-cli report` list
// them.
std::string problemReportListing(const std::vector<ProblemReportFile> &files);
