#include "cli/CommandLine.h"

#include <charconv>

bool CommandLine::parse(const std::vector<std::string_view> &args, const std::vector<Option> &known)
{
    std::vector<std::string_view> positional;
    if (!parse(args, known, positional))
        return false;
    if (!positional.empty()) {
        m_error = "unknown argument '" + std::string(positional.front()) + "'";
        return false;
    }
    return true;
}

bool CommandLine::parse(const std::vector<std::string_view> &args, const std::vector<Option> &known,
                        std::vector<std::string_view> &positional)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            positional.push_back(args[i]);
            continue;
        }
        const Option *option = nullptr;
        for (const Option &candidate : known) {
            if (candidate.name == args[i])
                option = &candidate;
        }
        if (!option) {
            m_error = "unknown argument '" + std::string(args[i]) + "'";
            return false;
        }
        std::string value;
        if (option->takesValue) {
            // An option never stands for a missing value: "--port --out x" lacks the port.
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
                m_error = std::string(args[i]) + " needs a value";
                return false;
            }
            value = std::string(args[++i]);
        }
        m_values[std::string(option->name)] = value;
        m_repeated[std::string(option->name)].push_back(value);
    }
    return true;
}

std::optional<std::string> CommandLine::value(std::string_view name) const
{
    const auto it = m_values.find(std::string(name));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> CommandLine::values(std::string_view name) const
{
    const auto it = m_repeated.find(std::string(name));
    return it == m_repeated.end() ? std::vector<std::string>{} : it->second;
}

std::optional<int> CommandLine::number(std::string_view name, int min, int max, bool &ok)
{
    const auto text = value(name);
    if (!text)
        return std::nullopt;
    int result = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), result);
    if (error != std::errc{} || end != text->data() + text->size() || result < min ||
        result > max) {
        m_error = std::string(name) + " expects a number from " + std::to_string(min) + " to " +
                  std::to_string(max);
        ok = false;
        return std::nullopt;
    }
    return result;
}
