#pragma once

#include <array>
#include <string_view>

// A text in every language, indexed by the language index: 1 English, 2 Chinese; element 0 stays
// empty. Texts are UTF-8.
using TextEntry = std::array<std::string_view, 3>;

enum LanguageIndex : int
{
    English = 1,
    Chinese = 2
};

constexpr bool isLanguageIndex(int index)
{
    return index == English || index == Chinese;
}

// The text of an entry in a language; English for an index that is no language.
constexpr std::string_view textFor(const TextEntry &entry, int language)
{
    return entry[static_cast<std::size_t>(isLanguageIndex(language) ? language : English)];
}

namespace Texts {
inline constexpr TextEntry kProgramName{"", "ORX-740", "ORX-740"};
} // namespace Texts
