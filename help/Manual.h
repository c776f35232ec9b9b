#pragma once

#include <string>
#include <vector>

// The manual: one HTML page a help page, in English or Chinese, linked by file name
// ("FrmOptFeatures.html"); "index" is the contents page.
inline constexpr const char *kContentsPage = "index";

// "index" first, then every help page in the order of the contents.
std::vector<std::string> manualPageNames();
// The page's HTML; empty for a name that is no page.
std::string manualPage(const std::string &name, int language);
std::string manualPageTitle(const std::string &name, int language);
// "en" or "zh": the folder of the language's pages.
std::string manualLanguageFolder(int language);

// The pages (not the contents) whose texts hold every word of the query, case aside.
std::vector<std::string> searchManual(const std::string &query, int language);
