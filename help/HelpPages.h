#pragma once

#include <string>
#include <vector>

#include "lang/SettingHelp.h"

// Every page of the help: the windows' pages (their settings) and the task pages ("task-read",
// ...), in the order of the manual's contents.
std::vector<WindowHelp> allWindowHelp();

// The page of that name, or nullptr.
const WindowHelp *findWindowHelp(const std::vector<WindowHelp> &pages, const std::string &name);

// True for a task page ("task-...").
bool isTaskPage(const std::string &name);

// The pages a page links to: a task names the windows it uses, a window the tasks that use it.
std::vector<std::string> relatedPages(const std::string &name);
