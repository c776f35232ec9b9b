#include "kernel/TypedSearch.h"

#include <cctype>

namespace {

bool startsWithTyped(std::string_view text, std::string_view typed)
{
    if (typed.empty() || text.size() < typed.size())
        return false;
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(typed[i])))
            return false;
    return true;
}

bool itemMatches(std::string_view item, std::string_view typed)
{
    if (startsWithTyped(item, typed))
        return true;
    const std::size_t open = item.find('(');
    return open != std::string_view::npos && startsWithTyped(item.substr(open + 1), typed);
}

} // namespace

int typedItem(const std::vector<std::string> &items, std::string_view typed, int start)
{
    const int count = static_cast<int>(items.size());
    if (count == 0 || typed.empty())
        return -1;
    if (start < 0 || start >= count)
        start = 0;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (itemMatches(items[static_cast<std::size_t>(index)], typed))
            return index;
    }
    return -1;
}
