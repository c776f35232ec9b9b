#pragma once

#include "lang/Texts.h"

// The locale id of Chinese (People's Republic of China); every other locale starts in English.
inline constexpr int kChineseLocaleId = 0x0804;

constexpr int languageForLocale(int localeId)
{
    return localeId == kChineseLocaleId ? Chinese : English;
}

// The user-interface language of the program.
struct LanguageState
{
    // The language texts are taken in now (1 English, 2 Chinese).
    int languageIndex = English;
    // Fixed at start from the system locale: Chinese can be chosen only on a Chinese system.
    int systemLanguageClass = English;
    // The language the main window was last labelled in.
    int shownLanguage = English;

    void startFromLocale(int localeId)
    {
        languageIndex = systemLanguageClass = shownLanguage = languageForLocale(localeId);
    }
    bool chineseOffered() const { return systemLanguageClass == Chinese; }
    bool relabelPending() const { return languageIndex != shownLanguage; }
    std::string_view text(const TextEntry &entry) const { return textFor(entry, languageIndex); }
};
