#include "link/BatchUnits.h"

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

std::string columnValue(const UnitRecord &record, std::string_view column)
{
    if (column == "time")
        return csvField(record.time);
    if (column == "unit")
        return std::to_string(record.unit);
    if (column == "port")
        return csvField(record.port);
    if (column == "model")
        return csvField(record.model);
    if (column == "firmware")
        return csvField(record.firmware);
    if (column == "result")
        return csvField(record.result);
    if (column == "differences")
        return std::to_string(record.differences);
    if (column == "backup")
        return csvField(record.backup);
    if (column == "cable")
        return csvField(record.cable);
    if (column == "name")
        return csvField(record.name);
    return {};
}

} // namespace

std::vector<std::string> unitLogColumns()
{
    return {"time",   "unit",        "port",   "model", "firmware",
            "result", "differences", "backup", "cable", "name"};
}

std::vector<std::string> unitLogColumnsOf(std::string_view headerLine)
{
    while (!headerLine.empty() && (headerLine.back() == '\r' || headerLine.back() == '\n'))
        headerLine.remove_suffix(1);
    std::vector<std::string> columns;
    while (true) {
        const std::size_t comma = headerLine.find(',');
        columns.emplace_back(headerLine.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        headerLine.remove_prefix(comma + 1);
    }
    if (columns.size() < 2 || columns[0] != "time" || columns[1] != "unit")
        return {};
    return columns;
}

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
    std::string header;
    for (const std::string &column : unitLogColumns())
        header += (header.empty() ? "" : ",") + column;
    return header;
}

std::string unitLogLine(const UnitRecord &record, const std::vector<std::string> &columns)
{
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i)
        line += (i == 0 ? "" : ",") + columnValue(record, columns[i]);
    return line;
}

std::string unitJsonLine(const UnitRecord &record)
{
    std::string line =
        "{\"unit\":" + std::to_string(record.unit) + ",\"port\":" + jsonString(record.port) +
        ",\"model\":" + jsonString(record.model) + ",\"firmware\":" + jsonString(record.firmware) +
        ",\"result\":" + jsonString(record.result) +
        ",\"differences\":" + std::to_string(record.differences) +
        ",\"backup\":" + jsonString(record.backup) + ",\"message\":" + jsonString(record.message);
    if (!record.cable.empty())
        line += ",\"cable\":" + jsonString(record.cable);
    if (!record.name.empty())
        line += ",\"name\":" + jsonString(record.name);
    return line + "}";
}

UnitName unitName(std::string_view pattern, int unit)
{
    UnitName result;
    constexpr std::string_view kField = "{unit";
    while (!pattern.empty()) {
        const std::size_t open = pattern.find('{');
        result.name += pattern.substr(0, open);
        if (open == std::string_view::npos)
            break;
        pattern.remove_prefix(open);
        const std::size_t close = pattern.find('}');
        const std::string_view field =
            pattern.substr(0, close == std::string_view::npos ? pattern.size() : close + 1);
        std::size_t width = 0;
        bool known = close != std::string_view::npos && field.starts_with(kField);
        if (known && field.size() > kField.size() + 1) {
            // "{unit:04}": a colon, a zero and the width.
            const std::string_view widthPart =
                field.substr(kField.size(), field.size() - kField.size() - 1);
            known = widthPart.size() >= 3 && widthPart[0] == ':' && widthPart[1] == '0';
            const auto [end, error] =
                std::from_chars(widthPart.data() + 2, widthPart.data() + widthPart.size(), width);
            known = known && error == std::errc{} && end == widthPart.data() + widthPart.size() &&
                    width <= kUnitNameLength;
        }
        if (!known) {
            result.error = "the name pattern holds \"" + std::string(field) +
                           "\"; it knows only {unit} and {unit:0N}";
            return result;
        }
        const std::string number = std::to_string(unit);
        result.name += std::string(width > number.size() ? width - number.size() : 0, '0') + number;
        pattern.remove_prefix(field.size());
    }
    for (const char c : result.name)
        if (c < 0x20 || c > 0x7E) {
            result.error =
                "the name \"" + result.name +
                "\" holds characters other than single-byte ones (ASCII letters, digits, "
                "punctuation and spaces)";
            return result;
        }
    if (result.name.size() > kUnitNameLength)
        result.error = "the name \"" + result.name + "\" of unit " + std::to_string(unit) +
                       " has " + std::to_string(result.name.size()) +
                       " characters; the radio's Bluetooth device name holds at most 16";
    return result;
}

std::optional<std::string> namePatternError(std::string_view pattern, int firstUnit,
                                            std::optional<int> lastUnit)
{
    for (const int unit : {firstUnit, lastUnit.value_or(firstUnit)})
        if (UnitName name = unitName(pattern, unit); !name.error.empty())
            return name.error;
    return std::nullopt;
}
