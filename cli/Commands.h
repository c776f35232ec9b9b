#pragma once

#include <string_view>
#include <vector>

// The verbs of the command-line companion. Each returns the process exit code.
int runSimulate(int argc, char *argv[], const std::vector<std::string_view> &args);
int runRead(int argc, char *argv[], const std::vector<std::string_view> &args);
int runWrite(int argc, char *argv[], const std::vector<std::string_view> &args);
int runVerify(int argc, char *argv[], const std::vector<std::string_view> &args);
