#include "channels/GroupNameEditing.h"

namespace {

constexpr unsigned kCtrlC = 3;
constexpr unsigned kCtrlV = 22;
constexpr unsigned kCtrlX = 24;
constexpr unsigned kEnter = 13;

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool isNameCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '+' || c == '-' || c == '*' ||
           c == '/';
}

} // namespace

GroupNameKey FilterGroupNameKey(unsigned code)
{
    if (code == kEnter)
        return {GroupNameKey::MoveOn};
    if (code == kCtrlC || code == kCtrlV || code == kCtrlX || code > 127)
        return {GroupNameKey::Ignore};
    if (code < 32 || code == 127)
        return {GroupNameKey::Pass};
    char c = static_cast<char>(code);
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (!isNameCharacter(c))
        return {GroupNameKey::Ignore};
    return {GroupNameKey::Accept, c};
}

std::string RenamedGroupName(std::string_view left, std::string_view right)
{
    std::string a(trimmed(left));
    const std::string_view b = trimmed(right);
    if (a.empty() && !b.empty())
        a = " ";
    std::string name = a + std::string(b);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::pair<std::string, std::string> SplitGroupName(std::string_view name)
{
    if (name.empty())
        return {};
    if (name.size() == 1)
        return {std::string(name), std::string()};
    return {std::string(name.substr(0, 1)), std::string(name.substr(1, 1))};
}
