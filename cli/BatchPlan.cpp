#include "cli/BatchPlan.h"

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
