#pragma once

#include <string_view>
#include <vector>

// "orx740-cli report --out FILE.zip [--document FILE.dat]": the facts a problem needs (versions,
// locale, serial ports, the last serial traces, the settings file and, only when named, a data
// file pair) as one zip file; the user's, host's and home folder's names are replaced by markers.
// Nothing is sent anywhere.
int runReport(int argc, char *argv[], const std::vector<std::string_view> &args);
