#include "cli/HelpSettingsVerb.h"

#include <cstdio>
#include <iostream>

#include "help/HelpPages.h"
#include "help/Manual.h"
#include "lang/Texts.h"

namespace {

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A field of a line: tabs and line breaks become spaces, so that a line is one setting.
std::string field(std::string text)
{
    for (char &c : text)
        if (c == '\t' || c == '\n')
            c = ' ';
    return text;
}

} // namespace

std::string helpSettingsListing(bool json, int language)
{
    std::string out;
    if (json)
        out = "{\"language\": " + jsonString(manualLanguageFolder(language)) + ", \"settings\": [";
    bool first = true;
    for (const WindowHelp &page : allWindowHelp())
        for (const SettingHelp &setting : page.settings) {
            if (json) {
                out += std::string(first ? "\n" : ",\n") +
                       "  {\"window\": " + jsonString(page.window) +
                       ", \"control\": " + jsonString(setting.control) +
                       ", \"label\": " + jsonString(setting.label.in(language)) +
                       ", \"tooltip\": " + jsonString(setting.tooltip.in(language)) + "}";
            } else {
                out += page.window + '\t' + setting.control + '\t' +
                       field(setting.label.in(language)) + '\t' +
                       field(setting.tooltip.in(language)) + '\n';
            }
            first = false;
        }
    if (json)
        out += "\n]}\n";
    return out;
}

int runHelpSettings(int, char *[], const std::vector<std::string_view> &args)
{
    bool json = false;
    int language = English;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--language" && i + 1 < args.size() &&
                   (args[i + 1] == "en" || args[i + 1] == "zh")) {
            language = args[++i] == "zh" ? Chinese : English;
        } else {
            std::cerr << "orx740-cli help-settings: unexpected \"" << args[i]
                      << "\" (usage: help-settings [--json] [--language en|zh])\n";
            return 2;
        }
    }
    std::cout << helpSettingsListing(json, language);
    return 0;
}
