#include "link/PortNames.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>

namespace {

std::optional<int> numberAfter(std::string_view text, std::string_view prefix)
{
    if (text.size() <= prefix.size() || text.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::string_view digits = text.substr(prefix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value < 0)
        return std::nullopt;
    return value;
}

// FNV-1a: a fixed hash, so a name keeps its number from run to run and machine to machine.
std::uint32_t nameHash(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

constexpr int kDerivedRange = kLastPortNumber - kFirstDerivedPortNumber + 1;

int nextDerived(int number)
{
    return number >= kLastPortNumber ? kFirstDerivedPortNumber : number + 1;
}

} // namespace

std::string comName(int number)
{
    return "COM" + std::to_string(number);
}

std::optional<int> parseComName(std::string_view text)
{
    const auto number = numberAfter(text, "COM");
    if (!number || *number < 1)
        return std::nullopt;
    return number;
}

int portNumberForName(std::string_view name)
{
    if (const auto n = parseComName(name))
        return *n;
    if (const auto k = numberAfter(name, "ttyS"); k && *k < 100)
        return *k + 1;
    if (const auto k = numberAfter(name, "ttyUSB"); k && *k < 100)
        return *k + 101;
    if (const auto k = numberAfter(name, "ttyACM"); k && *k < 100)
        return *k + 201;
    return kFirstDerivedPortNumber + static_cast<int>(nameHash(name) % kDerivedRange);
}

std::vector<PortEntry> listPortEntries(const PortAliases &aliases,
                                       const std::vector<SystemPort> &system)
{
    std::vector<PortEntry> entries;
    std::set<int> taken;
    std::set<std::string> aliased;
    for (const auto &[number, path] : aliases) {
        if (number < 1 || path.empty())
            continue;
        entries.push_back({number, path, true});
        taken.insert(number);
        aliased.insert(path);
    }

    // Names sorted first, so a collision always resolves the same way whatever order the system
    // enumerates in.
    std::vector<SystemPort> sorted = system;
    std::sort(sorted.begin(), sorted.end(),
              [](const SystemPort &a, const SystemPort &b) { return a.name < b.name; });
    std::vector<PortEntry> devices;
    for (const SystemPort &port : sorted) {
        if (aliased.count(port.devicePath) || port.devicePath.empty())
            continue;
        int number = portNumberForName(port.name);
        if (taken.count(number)) {
            if (number < kFirstDerivedPortNumber)
                number =
                    kFirstDerivedPortNumber + static_cast<int>(nameHash(port.name) % kDerivedRange);
            int tries = 0;
            while (taken.count(number) && tries++ < kDerivedRange)
                number = nextDerived(number);
            if (taken.count(number))
                continue;
        }
        taken.insert(number);
        devices.push_back({number, port.devicePath, false});
    }
    std::sort(devices.begin(), devices.end(),
              [](const PortEntry &a, const PortEntry &b) { return a.number < b.number; });
    entries.insert(entries.end(), devices.begin(), devices.end());
    return entries;
}

std::optional<std::string> resolvePortName(std::string_view text,
                                           const std::vector<PortEntry> &entries)
{
    if (const auto number = parseComName(text)) {
        for (const PortEntry &entry : entries) {
            if (entry.number == *number)
                return entry.devicePath;
        }
        return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    return std::string(text);
}
