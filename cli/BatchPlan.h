#pragma once

#include <string>
#include <string_view>

#include "link/SessionJob.h"

// The lines that record each radio of a batch.

// The first line of a new log.
std::string unitLogHeader();
// One CSV line (no line end): time, unit, port, model, firmware, result, differences, backup.
std::string unitLogLine(const UnitRecord &record);
// One JSON object on one line with the keys unit, port, model, firmware, result, differences,
// backup and message.
std::string unitJsonLine(const UnitRecord &record);
