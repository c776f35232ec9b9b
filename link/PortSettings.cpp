#include "link/PortSettings.h"

#include <algorithm>
#include <cctype>

#include "kernel/IniDocument.h"

PortAliases readPortAliases(IniStore &ini)
{
    PortAliases aliases;
    for (const std::string &key : ini.keys(kPortAliasSection)) {
        std::string name = key;
        for (char &c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const auto number = parseComName(name);
        const std::string path = ini.readString(kPortAliasSection, key);
        if (number && !path.empty())
            aliases.emplace(*number, path);
    }
    return aliases;
}

int aliasNumberFor(const std::string &devicePath, const std::vector<PortEntry> &listed)
{
    for (const PortEntry &entry : listed)
        if (entry.alias && entry.devicePath == devicePath)
            return entry.number;
    for (int number = 1; number <= kLastPortNumber; ++number) {
        const auto used = [number](const PortEntry &entry) { return entry.number == number; };
        if (std::none_of(listed.begin(), listed.end(), used))
            return number;
    }
    return 0;
}

bool writePortAlias(IniStore &ini, int number, const std::string &devicePath)
{
    return number > 0 && ini.writeString(kPortAliasSection, comName(number), devicePath);
}
