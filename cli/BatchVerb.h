#pragma once

#include <string_view>
#include <vector>

// batch --template PLAN.dat --port P ...: programs one radio after another with the template.
int runBatch(int argc, char *argv[], const std::vector<std::string_view> &args);
