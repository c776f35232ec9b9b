#pragma once

#include <string>
#include <vector>

#include "lang/Texts.h"

// A help text in both languages, composed while the program runs.
using HelpText = LanguageText<std::string>;

// The help of one control: a short tooltip (what it does, its range and unit, its default) and a
// paragraph for the manual. Where the radio's use of a value is not known, both say what the
// program stores and offers, and no more.
struct SettingHelp
{
    std::string control; // the control's objectName ("Combo1_3"), or a grid column's title
    HelpText label;      // the setting's name as the window shows it
    HelpText tooltip;
    HelpText paragraph;
};

// One window's page of the manual: its name is the window's objectName ("FrmOptFeatures").
struct WindowHelp
{
    std::string window;
    HelpText title;
    HelpText introduction;
    std::vector<SettingHelp> settings;
};

// The help of a control of the window's page; nullptr when it has none.
inline const SettingHelp *findSettingHelp(const WindowHelp &page, const std::string &control)
{
    for (const SettingHelp &setting : page.settings)
        if (setting.control == control)
            return &setting;
    return nullptr;
}
