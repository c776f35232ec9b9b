#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/SessionJob.h"

// The lines that record each radio of a batch, and the names a pattern gives the radios.

// The columns of a new log, in order.
std::vector<std::string> unitLogColumns();
// The columns an existing log's first line names; a log written before the cable and name
// columns keeps its own layout. Empty when the line is no header of ours.
std::vector<std::string> unitLogColumnsOf(std::string_view headerLine);
// The first line of a new log.
std::string unitLogHeader();
// The highest unit number the lines of an existing log hold (0 for none), so that a batch run
// again with the same log numbers its radios on from there.
int lastUnitInLog(std::string_view logText);
// One CSV line (no line end) with the record's value of each column given (a column we do not
// know stays empty): time, unit, port, model, firmware, result, differences, backup, cable, name.
std::string unitLogLine(const UnitRecord &record,
                        const std::vector<std::string> &columns = unitLogColumns());
// One JSON object on one line with the keys unit, port, model, firmware, result, differences,
// backup and message, then cable and name when they are known.
std::string unitJsonLine(const UnitRecord &record);

// The Bluetooth device name the pattern gives a unit: "{unit}" is the unit number, "{unit:04}"
// the number with at least four digits (leading zeros). The name holds at most this many bytes
// of printable ASCII, so that every code page stores it alike.
inline constexpr std::size_t kUnitNameLength = 16;
struct UnitName
{
    std::string name;
    std::string error; // empty when the name fits
};
UnitName unitName(std::string_view pattern, int unit);
// Why the pattern cannot name the units from `firstUnit` to `lastUnit` (nothing: it can). With no
// last unit the first is checked, and the numbers after it when the batch gets there.
std::optional<std::string> namePatternError(std::string_view pattern, int firstUnit,
                                            std::optional<int> lastUnit);
