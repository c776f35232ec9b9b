#pragma once

#include <string_view>
#include <vector>

// "orx740-cli chart FILE.dat --pdf OUT.pdf [--kind K] [--group G] [--columns A,B] [--language zh]":
// the channel chart of a data file pair as a PDF, one table per group.
int runChart(int argc, char *argv[], const std::vector<std::string_view> &args);
