#include "help/Manual.h"

#include <algorithm>
#include <sstream>

#include "help/HelpPages.h"
#include "lang/HtmlText.h"
#include "lang/Texts.h"

namespace {

constexpr TextEntry kContentsTitle{"", "ORX-740 Help", "ORX-740 帮助"};
constexpr TextEntry kWindowsHeading{"", "Windows", "窗口"};
constexpr TextEntry kTasksHeading{"", "Tasks", "任务"};
constexpr TextEntry kSettingColumn{"", "Setting", "设置"};
constexpr TextEntry kTooltipColumn{"", "In short", "简述"};
constexpr TextEntry kParagraphColumn{"", "Description", "说明"};
constexpr TextEntry kSeeAlso{"", "See also", "另见"};

std::string link(const std::string &name, int language)
{
    return "<a href=\"" + name + ".html\">" + htmlEscaped(manualPageTitle(name, language)) + "</a>";
}

void paragraphs(std::ostringstream &html, const std::string &text)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            html << "<p>" << htmlEscaped(line) << "</p>\n";
}

std::string document(const std::string &title, const std::string &body, int language)
{
    return "<!DOCTYPE html>\n<html lang=\"" + std::string(language == Chinese ? "zh" : "en") +
           "\">\n<head><meta charset=\"utf-8\"><title>" + htmlEscaped(title) +
           "</title></head>\n<body>\n" + body + "</body>\n</html>\n";
}

std::string contentsPage(const std::vector<WindowHelp> &pages, int language)
{
    std::ostringstream html;
    html << "<h1>" << htmlEscaped(std::string(textFor(kContentsTitle, language))) << "</h1>\n";
    for (const bool tasks : {false, true}) {
        html << "<h2>" << htmlEscaped((tasks ? kTasksHeading : kWindowsHeading).in(language))
             << "</h2>\n<ul>\n";
        for (const WindowHelp &page : pages)
            if (isTaskPage(page.window) == tasks)
                html << "<li>" << link(page.window, language) << "</li>\n";
        html << "</ul>\n";
    }
    return document(std::string(textFor(kContentsTitle, language)), html.str(), language);
}

void settingsTable(std::ostringstream &html, const WindowHelp &page, int language)
{
    if (page.settings.empty())
        return;
    html << "<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">\n<tr><th>"
         << htmlEscaped(std::string(textFor(kSettingColumn, language))) << "</th><th>"
         << htmlEscaped(std::string(textFor(kTooltipColumn, language))) << "</th><th>"
         << htmlEscaped(std::string(textFor(kParagraphColumn, language))) << "</th></tr>\n";
    for (const SettingHelp &setting : page.settings)
        html << "<tr><td><a name=\"" << htmlEscaped(setting.control) << "\"></a>"
             << htmlEscaped(setting.label.in(language)) << "</td><td>"
             << htmlEscaped(setting.tooltip.in(language)) << "</td><td>"
             << htmlEscaped(setting.paragraph.in(language)) << "</td></tr>\n";
    html << "</table>\n";
}

std::string windowPage(const WindowHelp &page, int language)
{
    std::ostringstream html;
    html << "<p>" << link(kContentsPage, language) << "</p>\n<h1>"
         << htmlEscaped(page.title.in(language)) << "</h1>\n";
    paragraphs(html, page.introduction.in(language));
    settingsTable(html, page, language);
    const std::vector<WindowHelp> pages = allWindowHelp();
    std::vector<std::string> related = relatedPages(page.window);
    std::erase_if(related, [&](const std::string &name) { return !findWindowHelp(pages, name); });
    if (!related.empty()) {
        html << "<h2>" << htmlEscaped(std::string(textFor(kSeeAlso, language))) << "</h2>\n<ul>\n";
        for (const std::string &name : related)
            html << "<li>" << link(name, language) << "</li>\n";
        html << "</ul>\n";
    }
    return document(page.title.in(language), html.str(), language);
}

std::string folded(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

std::string searchableText(const WindowHelp &page, int language)
{
    std::string text = page.title.in(language) + '\n' + page.introduction.in(language);
    for (const SettingHelp &setting : page.settings)
        text += '\n' + setting.label.in(language) + '\n' + setting.tooltip.in(language) + '\n' +
                setting.paragraph.in(language);
    return folded(text);
}

} // namespace

std::vector<std::string> manualPageNames()
{
    std::vector<std::string> names{kContentsPage};
    for (const WindowHelp &page : allWindowHelp())
        names.push_back(page.window);
    return names;
}

std::string manualPageTitle(const std::string &name, int language)
{
    if (name == kContentsPage)
        return std::string(textFor(kContentsTitle, language));
    const std::vector<WindowHelp> pages = allWindowHelp();
    const WindowHelp *page = findWindowHelp(pages, name);
    return page ? page->title.in(language) : std::string();
}

std::string manualPage(const std::string &name, int language)
{
    const std::vector<WindowHelp> pages = allWindowHelp();
    if (name == kContentsPage)
        return contentsPage(pages, language);
    const WindowHelp *page = findWindowHelp(pages, name);
    return page ? windowPage(*page, language) : std::string();
}

std::string manualLanguageFolder(int language)
{
    return language == Chinese ? "zh" : "en";
}

std::vector<std::string> searchManual(const std::string &query, int language)
{
    std::vector<std::string> words;
    std::istringstream split(folded(query));
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<std::string> found;
    if (words.empty())
        return found;
    for (const WindowHelp &page : allWindowHelp()) {
        const std::string text = searchableText(page, language);
        if (std::all_of(words.begin(), words.end(), [&](const std::string &word) {
                return text.find(word) != std::string::npos;
            }))
            found.push_back(page.window);
    }
    return found;
}
