#include "link/PortSettings.h"

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
