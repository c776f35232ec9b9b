#pragma once

#include <string_view>
#include <vector>

// "orx740-cli detect [--port PORT]... [--trace FILE]": asks each port named, or else every USB
// serial port, whether a radio of this model is behind it; one line a port. Exit 0 when exactly
// one radio answered, 1 when none did, 2 when several did (or the arguments are wrong).
int runDetect(int argc, char *argv[], const std::vector<std::string_view> &args);
