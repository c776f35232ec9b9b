#pragma once

#include <QComboBox>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

#include "app/frmMain.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/IniDocument.h"
#include "kernel/MainWindowHooks.h"
#include "support/ScriptedMessageService.h"

// The named child of a window (a control's objectName is its name in the design).
template<typename T>
T *findNamed(const QObject *root, const QString &name)
{
    return root ? root->findChild<T *>(name) : nullptr;
}

template<typename T>
T *findNamed(const QObject *root, const char *name)
{
    return findNamed<T>(root, QString::fromLatin1(name));
}

// The title as the window system shows it, where the "[*]" placeholder has become the frame's
// modified marker or nothing.
inline QString shownTitle(QWidget *window)
{
    window->winId();
    return window->windowHandle()->title();
}

// The texts of a list box's items, in order.
inline QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; box && i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// What every window harness offers: the named controls of its `window` (any pointer-like member).
template<typename Harness>
struct FindsControls
{
    template<typename T>
    T *find(const char *name) const
    {
        return findNamed<T>(&*static_cast<const Harness *>(this)->window, name);
    }

    // The item texts of the named list box.
    QStringList items(const char *name) const { return itemTexts(find<QComboBox>(name)); }
};

// A main window as the program's start makes it, on a context of its own with scripted message
// boxes, an in-memory mysetup.ini and the staged installation's files, with the hooks a test
// registers. The window is made by start(), so a test can register first.
struct MainWindowHarness : FindsControls<MainWindowHarness>
{
    explicit MainWindowHarness(int language = English, int comPort = 1)
        : ini("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=1\r\n")
    {
        context.setupIni = &ini;
        context.messages = &messages;
        context.language.languageIndex = language;
        context.language.shownLanguage = language;
        context.language.systemLanguageClass = Chinese;
        context.serial.comPort = comPort;
        context.layout = InstallLayout::forProgramFolder(
            qEnvironmentVariable("ORX740_STAGE_ROOT").toStdString() + "/bin", '/');
    }

    frmMain &start(MainWindowHooks hooks)
    {
        window = std::make_unique<frmMain>(context, notifier, std::move(hooks));
        return *window;
    }

    // Shows the main window and waits until it is the active one, as a user's click makes it.
    void showAndActivate()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // The object names of the open child windows in the order they were opened.
    QStringList openWindows() const
    {
        QStringList names;
        for (QMdiSubWindow *sub : window->openSubWindows())
            names << sub->widget()->objectName();
        return names;
    }

    MemoryIniStore ini;
    ScriptedMessageService messages;
    AppContext context;
    DocumentNotifier notifier;
    std::unique_ptr<frmMain> window;
};
