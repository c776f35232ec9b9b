#pragma once

#include <string>
#include <string_view>

#include "link/SessionJob.h"

// The lines that record each radio of a batch.

// The first line of a new log.
std::string unitLogHeader();
// The highest unit number the lines of an existing log hold (0 for none), so that a batch run
// again with the same log numbers its radios on from there.
int lastUnitInLog(std::string_view logText);
// One CSV line (no line end): time, unit, port, model, firmware, result, differences, backup.
std::string unitLogLine(const UnitRecord &record);
// One JSON object on one line with the keys unit, port, model, firmware, result, differences,
// backup and message.
std::string unitJsonLine(const UnitRecord &record);
