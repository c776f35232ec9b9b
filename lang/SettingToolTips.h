#pragma once

#include <QWidget>

#include "lang/AccessibleTexts.h"
#include "lang/QtText.h"
#include "lang/SettingHelp.h"

// Gives every control of a window's help page its tooltip, its accessible name (the setting's
// label) and its accessible description (the tooltip's text) in a language; a window calls it
// where it relabels itself, so a language change switches them with the captions. Settings that
// name no child (a grid column's title) are passed by.
inline void applySettingHelp(QWidget &window, const WindowHelp &page, int language)
{
    for (const SettingHelp &setting : page.settings)
        if (auto *control = window.findChild<QWidget *>(qText(setting.control))) {
            const QString tip = qText(setting.tooltip.in(language));
            control->setToolTip(tip);
            setAccessibleTexts(control, qText(setting.label.in(language)), tip);
        }
}
