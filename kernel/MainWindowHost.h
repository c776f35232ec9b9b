#pragma once

#include <QString>

#include "kernel/MainWindowTexts.h"

class DocumentNotifier;
class QUndoStack;
class QWidget;

// A child window that holds edits not yet written into the document; the main window asks it to
// write them before the document is sent to the radio.
class PendingEdits
{
public:
    virtual ~PendingEdits() = default;
    virtual void commitPendingEdits() = 0;
};

// A child window whose choices wait for its own "Save" before they reach the document (the
// emergency, dual-watch and memory-channel windows). Before it closes, and before a command
// replaces or drops the document, it asks whether to keep them.
class PendingChoices
{
public:
    virtual ~PendingChoices() = default;
    virtual bool hasPendingChoices() const = 0;
    // Asks "Save the changes of the <caption>?" (Save/Discard/Cancel) when choices are pending:
    // Save writes them into the document, Discard drops them. False on Cancel.
    virtual bool settlePendingChoices() = 0;
};

// A child window that takes the main window's edit commands (Copy, Cut, Paste, Insert&Paste,
// Delete of the Tools menu, Undo and Redo of the Edit menu) while it is the active one.
class EditCommandTarget
{
public:
    virtual ~EditCommandTarget() = default;
    virtual void runEditCommand(MainCommand command) = 0;
    // The window's history of edits, whose steps the Edit menu names; null for none.
    virtual QUndoStack *editHistory() const { return nullptr; }
};

// What windows and command handlers may ask of the main window. They receive this interface,
// never the main window itself, so no subsystem depends on the main window's own header.
class MainWindowHost
{
public:
    virtual ~MainWindowHost() = default;

    // Told of every change to the document, so that open windows refresh what concerns them.
    virtual DocumentNotifier &notifier() = 0;

    // Brings the child window of that name to the front when it is open; otherwise makes it,
    // shows it and cascades all child windows. Null when no such window is known.
    virtual QWidget *openChildWindow(const QString &name) = 0;
    // The open child window of that name, or null.
    virtual QWidget *childWindow(const QString &name) const = 0;
    // The child window in front, or null.
    virtual QWidget *activeChildWindow() const = 0;
    virtual void closeAllChildWindows() = 0;
    virtual void cascade() = 0;

    // Sets every caption from the text tables in the language in force.
    virtual void relabel() = 0;
    virtual void updateTitle() = 0;

    // A new working set is in place (new, open, read, Initial Setting): every child window closes,
    // the captions and the title are set again, the channel window opens on the new data and the
    // notifier says so. The one place that shows a new document.
    virtual void documentReplaced() = 0;
    // Every open window that holds edits writes them into the document (before a write).
    virtual void commitPendingEdits() = 0;
    // Every open window with pending choices asks about them, in front; false when the user
    // cancelled, and the command that asked stops.
    virtual bool settlePendingChoices() = 0;
    // The one save question of every command that replaces or drops the document: pending
    // choices and open edits are settled, then a changed document is offered for saving
    // ("Save changes to new.dat?"). True to go on, false when the user cancelled or the save
    // failed.
    virtual bool offerToSave() = 0;

    // The window that dialogs and message boxes belong to.
    virtual QWidget *dialogParent() = 0;
    // The filter of the open and save dialogs, "Data File (*.dat)" in the language in force.
    virtual QString dataFileFilter() const = 0;

    // Opens the help window at the page of that name (a window's objectName, "task-read"; empty:
    // the contents), making it the first time. It stays open beside the program.
    virtual void showHelp(const QString &page) = 0;
    // Says in the status bar what a command has done ("Saved myradio.dat"), for a few seconds.
    virtual void showStatusMessage(const QString &text) { static_cast<void>(text); }
    // Runs a command of the main window as its menu would (a window's own menu reaching a
    // command that another subsystem carries out).
    virtual void runCommand(MainCommand command) = 0;
};
