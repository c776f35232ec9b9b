#include "lang/Texts.h"

std::string textWith(const TextEntry &entry, int language,
                     std::initializer_list<std::string_view> values)
{
    const std::string_view pattern = textFor(entry, language);
    std::string text;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const std::size_t index = at + 1 < pattern.size() && pattern[at] == '%'
                                      ? std::size_t(pattern[at + 1] - '1')
                                      : values.size();
        if (index < values.size()) {
            text += values.begin()[index];
            ++at;
        } else {
            text += pattern[at];
        }
    }
    return text;
}
