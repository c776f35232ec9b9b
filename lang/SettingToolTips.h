#pragma once

#include <QWidget>

#include "lang/QtText.h"
#include "lang/SettingHelp.h"

// Gives every control of a window's help page its tooltip in a language; a window calls it where
// it relabels itself, so a language change switches the tooltips with the captions. Settings that
// name no child (a grid column's title) are passed by.
inline void applySettingToolTips(QWidget &window, const WindowHelp &page, int language)
{
    for (const SettingHelp &setting : page.settings)
        if (auto *control = window.findChild<QWidget *>(qText(setting.control)))
            control->setToolTip(qText(setting.tooltip.in(language)));
}
