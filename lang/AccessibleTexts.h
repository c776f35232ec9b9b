#pragma once

#include <QString>
#include <QWidget>

// A caption as a screen reader speaks it: the mnemonic marker dropped ("&Save" -> "Save"), a
// Chinese-style "(&S)" dropped whole, "&&" kept as one "&".
inline QString spokenCaption(const QString &caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c != QLatin1Char('&')) {
            spoken += c;
            continue;
        }
        if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
            spoken += c;
            ++i;
        } else if (spoken.endsWith(QLatin1Char('(')) && i + 2 < caption.size() &&
                   caption.at(i + 2) == QLatin1Char(')')) {
            spoken.chop(1);
            i += 2;
        }
    }
    return spoken.trimmed();
}

// What a screen reader says of a control: its name (the label the window shows beside it) and
// its description (the help text its tooltip shows). Windows set both where they relabel, so a
// language change renames the controls with their captions.
inline void setAccessibleTexts(QWidget *control, const QString &label, const QString &help)
{
    if (!control)
        return;
    if (!label.isEmpty())
        control->setAccessibleName(spokenCaption(label));
    control->setAccessibleDescription(help);
}
