#include "cli/BatchPlan.h"

#include <charconv>
#include <cstdio>

namespace {

std::string csvField(std::string_view value)
{
    if (value.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(value);
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string jsonString(std::string_view value)
{
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

} // namespace

int lastUnitInLog(std::string_view logText)
{
    int last = 0;
    while (!logText.empty()) {
        const std::size_t end = logText.find('\n');
        const std::string_view line = logText.substr(0, end);
        logText = end == std::string_view::npos ? std::string_view{} : logText.substr(end + 1);
        // time,unit,...: the time holds no comma, and a unit is a plain number.
        const std::size_t first = line.find(',');
        if (first == std::string_view::npos)
            continue;
        const std::string_view field =
            line.substr(first + 1, line.find(',', first + 1) - first - 1);
        int unit = 0;
        const auto [next, error] = std::from_chars(field.data(), field.data() + field.size(), unit);
        if (error == std::errc{} && next == field.data() + field.size() && unit > last)
            last = unit;
    }
    return last;
}

std::string unitLogHeader()
{
    return "time,unit,port,model,firmware,result,differences,backup";
}

std::string unitLogLine(const UnitRecord &record)
{
    const std::string fields[] = {csvField(record.time),
                                  std::to_string(record.unit),
                                  csvField(record.port),
                                  csvField(record.model),
                                  csvField(record.firmware),
                                  csvField(record.result),
                                  std::to_string(record.differences),
                                  csvField(record.backup)};
    std::string line;
    for (const std::string &field : fields)
        line += (line.empty() && &field == &fields[0] ? "" : ",") + field;
    return line;
}

std::string unitJsonLine(const UnitRecord &record)
{
    return "{\"unit\":" + std::to_string(record.unit) + ",\"port\":" + jsonString(record.port) +
           ",\"model\":" + jsonString(record.model) +
           ",\"firmware\":" + jsonString(record.firmware) +
           ",\"result\":" + jsonString(record.result) +
           ",\"differences\":" + std::to_string(record.differences) +
           ",\"backup\":" + jsonString(record.backup) +
           ",\"message\":" + jsonString(record.message) + "}";
}
