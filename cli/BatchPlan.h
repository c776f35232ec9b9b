#pragma once

#include <string>
#include <string_view>

struct DocumentSet;

// What programming many radios from one template needs besides the link: the merge of the
// template with what a radio holds, and the lines that record each radio.

// With keepOptions the radio keeps its own option features and tone sets, and takes the channels,
// memory channels, group names and channel settings (emergency, dual watch, memory settings) of
// the template; without it the radio becomes the whole template.
DocumentSet mergeTemplate(const DocumentSet &plan, const DocumentSet &radio, bool keepOptions);

// The outcome of one radio.
struct UnitRecord
{
    std::string time; // "YYYY-MM-DD HH:MM:SS", local time
    int unit = 0;
    std::string port;
    std::string model;
    std::string firmware;
    std::string result; // "ok", "refused", "failed" or "interrupted"
    int differences = 0;
    std::string backup; // the folder of the read's backup
    std::string message;
};

// The first line of a new log.
std::string unitLogHeader();
// One CSV line (no line end): time, unit, port, model, firmware, result, differences, backup.
std::string unitLogLine(const UnitRecord &record);
// One JSON object on one line with the keys unit, port, model, firmware, result, differences,
// backup and message.
std::string unitJsonLine(const UnitRecord &record);
