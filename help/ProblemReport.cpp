#include "help/ProblemReport.h"

#include <cctype>

namespace {

// A user or host name stands alone when the characters around it cannot be part of a name, so
// "jo" is masked in "/tmp/jo/x" but not in "joystick".
bool standsAlone(const std::string &text, std::size_t at, std::size_t length)
{
    const auto namePart = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    };
    const bool before = at == 0 || !namePart(text[at - 1]);
    const bool after = at + length >= text.size() || !namePart(text[at + length]);
    return before && after;
}

void replaceAll(std::string &text, const std::string &what, const std::string &marker,
                bool wholeWord)
{
    if (what.empty())
        return;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
        if (wholeWord && !standsAlone(text, at, what.size())) {
            at += what.size();
            continue;
        }
        text.replace(at, what.size(), marker);
        at += marker.size();
    }
}

std::vector<std::uint8_t> bytesOf(const std::string &text)
{
    return {text.begin(), text.end()};
}

std::string aboutText(const ProblemReportFacts &facts)
{
    return "ORX-740 programming software " + facts.programVersion + "\n" + "Qt " + facts.qtVersion +
           "\n" + "System: " + facts.system + "\n" + "Kernel: " + facts.kernel + "\n" +
           "Architecture: " + facts.architecture + "\n" + "Locale: " + facts.locale + "\n" +
           (facts.programLanguage.empty() ? std::string()
                                          : "Program language: " + facts.programLanguage + "\n");
}

std::string portsText(const std::vector<PortFacts> &ports)
{
    if (ports.empty())
        return "No serial port is present.\n";
    std::string text;
    for (const PortFacts &port : ports)
        text += portSummaryLine(port, 1) + "\n";
    return text;
}

} // namespace

std::string withPersonalMarkers(std::string text, const PersonalMarkers &personal)
{
    // The home folder first: it holds the user name, and "/" alone would mark every path.
    if (personal.homePath.size() > 1)
        replaceAll(text, personal.homePath, "<home>", false);
    replaceAll(text, personal.hostName, "<host>", true);
    // root owns devices and groups that the report must name to be of use; it names nobody.
    if (personal.userName != "root")
        replaceAll(text, personal.userName, "<user>", true);
    return text;
}

std::vector<ProblemReportFile> problemReportFiles(const ProblemReportFacts &facts,
                                                  const PersonalMarkers &personal)
{
    const auto text = [&](std::string name, const std::string &content) {
        return ProblemReportFile{std::move(name), bytesOf(withPersonalMarkers(content, personal))};
    };
    std::vector<ProblemReportFile> files;
    files.push_back(text("about.txt", aboutText(facts)));
    files.push_back(text("ports.txt", portsText(facts.ports)));
    files.push_back(text("ports.json", portFactsJson(facts.ports) + "\n"));
    files.push_back(text("serial-traces.txt", facts.serialTraces.empty()
                                                  ? "No transfer was traced.\n"
                                                  : facts.serialTraces));
    files.push_back(text("mysetup.ini", facts.settingsText
                                            ? *facts.settingsText
                                            : "; " + facts.settingsPath + " cannot be read\n"));
    if (facts.document) {
        // The pair as the program would save it: bytes, untouched.
        const std::string name = withPersonalMarkers(facts.document->name, personal);
        files.push_back({"document/" + name + ".dat", facts.document->dataFile});
        files.push_back({"document/" + name + ".fre", facts.document->channelFile});
    }
    return files;
}

std::string problemReportListing(const std::vector<ProblemReportFile> &files)
{
    std::string listing;
    for (const ProblemReportFile &file : files)
        listing += file.name + " (" + std::to_string(file.bytes.size()) + " bytes)\n";
    return listing;
}
