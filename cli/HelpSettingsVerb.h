#pragma once

#include <string>
#include <string_view>
#include <vector>

// Every setting of every help page, one a line (window, control, label and tooltip separated by
// tabs), or as JSON: {"language": "en", "settings": [{"window", "control", "label",
// "tooltip"}...]}.
std::string helpSettingsListing(bool json, int language);

// "orx740-cli help-settings [--json] [--language zh]".
int runHelpSettings(int argc, char *argv[], const std::vector<std::string_view> &args);
