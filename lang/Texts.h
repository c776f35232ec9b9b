#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

enum LanguageIndex : int
{
    English = 1,
    Chinese = 2
};

// A text in both languages (UTF-8), read by the language index: 1 English, 2 Chinese, and 0 as an
// empty text, as the tables are laid out ({"", English, Chinese}). Every English/Chinese text of
// the program is one: the tables of fixed texts hold views of their literals (TextEntry); a text
// composed while the program runs, such as a help paragraph that lists a window's items, holds
// its own strings (HelpText, lang/SettingHelp.h).
template<class String>
struct LanguageText
{
    String none{}; // index 0
    String english{};
    String chinese{};

    constexpr LanguageText() = default;
    constexpr LanguageText(String englishText, String chineseText)
        : english(std::move(englishText))
        , chinese(std::move(chineseText))
    {}
    // The tables' form: an empty first element, then English and Chinese.
    constexpr LanguageText(std::string_view, String englishText, String chineseText)
        : LanguageText(std::move(englishText), std::move(chineseText))
    {}
    // A fixed text made a text of its own.
    template<class Other>
    explicit LanguageText(const LanguageText<Other> &other)
        : english(other.english)
        , chinese(other.chinese)
    {}

    constexpr const String &operator[](int language) const
    {
        return language == English ? english : language == Chinese ? chinese : none;
    }
    // The text in a language; English for an index that is no language.
    constexpr const String &in(int language) const
    {
        return language == Chinese ? chinese : english;
    }
    friend bool operator==(const LanguageText &, const LanguageText &) = default;
};

using TextEntry = LanguageText<std::string_view>;

constexpr bool isLanguageIndex(int index)
{
    return index == English || index == Chinese;
}

// The text of an entry in a language; English for an index that is no language.
constexpr std::string_view textFor(const TextEntry &entry, int language)
{
    return entry.in(language);
}

// The text of an entry in a language with "%1", "%2"... replaced by the values, in order.
std::string textWith(const TextEntry &entry, int language,
                     std::initializer_list<std::string_view> values);

namespace Texts {
inline constexpr TextEntry kProgramName{"", "ORX-740", "ORX-740"};
} // namespace Texts
