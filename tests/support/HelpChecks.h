#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "lang/QtText.h"
#include "lang/SettingHelp.h"

// The checks every window's help page passes: each setting names a child of the window (a grid
// column is named by its title, which the caller lists), and its label, tooltip and paragraph are
// written in both languages.
inline void verifyPageMatchesWindow(const WindowHelp &page, const QWidget &window,
                                    const QStringList &columnTitles = {})
{
    QCOMPARE(qText(page.window), window.objectName());
    for (const int language : {English, Chinese}) {
        QVERIFY(!page.title.in(language).empty());
        QVERIFY(!page.introduction.in(language).empty());
    }
    QVERIFY(!page.settings.empty());
    for (const SettingHelp &setting : page.settings) {
        const QString name = qText(setting.control);
        QVERIFY2(window.findChild<QWidget *>(name) || columnTitles.contains(name),
                 qPrintable(name + " is no control of " + window.objectName()));
        for (const int language : {English, Chinese})
            for (const HelpText *text : {&setting.label, &setting.tooltip, &setting.paragraph})
                QVERIFY2(!text->in(language).empty(), qPrintable(name));
    }
}

// The editable controls of a window: its list boxes, check boxes and text boxes.
inline QList<QWidget *> editableControls(const QWidget &window)
{
    QList<QWidget *> controls;
    for (QWidget *child : window.findChildren<QWidget *>())
        if (qobject_cast<QComboBox *>(child) || qobject_cast<QCheckBox *>(child) ||
            qobject_cast<QLineEdit *>(child))
            controls << child;
    return controls;
}
