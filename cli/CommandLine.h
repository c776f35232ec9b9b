#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The options of one verb: "--name value" pairs and bare "--flag"s, and the words that are
// neither when the verb takes them.
class CommandLine
{
public:
    struct Option
    {
        std::string_view name; // with the leading "--"
        bool takesValue;
    };

    // False with error() set when an argument is unknown or a value is missing.
    bool parse(const std::vector<std::string_view> &args, const std::vector<Option> &known);
    // The same, with every word that is no option nor an option's value put in `positional`.
    bool parse(const std::vector<std::string_view> &args, const std::vector<Option> &known,
               std::vector<std::string_view> &positional);
    const std::string &error() const { return m_error; }

    bool has(std::string_view name) const { return m_values.count(std::string(name)) > 0; }
    std::optional<std::string> value(std::string_view name) const;
    // Every value of an option given more than once, in order (value() gives the last).
    std::vector<std::string> values(std::string_view name) const;
    // The value as a whole number in [min, max]; nothing when absent; error() when malformed.
    std::optional<int> number(std::string_view name, int min, int max, bool &ok);

private:
    std::map<std::string, std::string> m_values;
    std::map<std::string, std::vector<std::string>> m_repeated;
    std::string m_error;
};
