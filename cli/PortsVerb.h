#pragma once

#include <string_view>
#include <vector>

// "orx740-cli ports [--json]": what is known about every serial port, one a line or as JSON;
// "orx740-cli ports --wait-new [--timeout SECONDS]": the port that appears when the cable is
// plugged in.
int runPorts(int argc, char *argv[], const std::vector<std::string_view> &args);
