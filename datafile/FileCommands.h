#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "lang/Texts.h"

class AppContext;
class DataFileStorage;
class Document;

// What the file commands ask of the main window around a document change: the windows close
// before the working set is replaced (so none writes old edits into the new document), and the
// new document is shown afterwards.
class FileCommandHost
{
public:
    virtual ~FileCommandHost() = default;
    virtual void closeAllChildWindows() {}
    virtual void documentReplaced() {}
    // Windows that keep choices until their own "Save" ask about them first: false when the user
    // cancelled.
    virtual bool settlePendingChoices() { return true; }
    // Edits still held by a window's open editor go into the records before the save question
    // looks at them.
    virtual void commitPendingEdits() {}
    // Says what a command has done, in the status bar ("Saved myradio.dat").
    virtual void showStatus(std::string_view text) { static_cast<void>(text); }
};

enum class InitFileUse
{
    NewDocument,    // <P>/Init/<c>_KZ6666_New.dat
    InitialSetting, // <P>/Init/<c>_KZ6666.dat
};

enum class InitFileResult
{
    Loaded,  // the file's document is now the working set and the saved copy
    Ignored, // read, but its group name of kind 1, group 1 is blank
    Failed,  // missing, short or unreadable
};

// The InitFile of a use for the band class of the current band text.
std::string initFilePath(const AppContext &context, InitFileUse use);
// Loads a data file pair as a starting document, without the checks of Open. A usable file
// becomes the saved copy and then the working set. A blank or unreadable one changes nothing, so
// edits that were never saved still count as changes afterwards.
InitFileResult LoadInitFile(Document &document, DataFileStorage *storage, const std::string &path);

// Today as "YYYYMMDD" in local time.
std::string todayAsDateText();

// The file commands of the main window: New, Open, Save, Save As, Initial Setting and the save
// question. They use the context's message service, file dialogs, data file storage, version
// registry and program launcher; a service that is missing counts as failing or cancelled.
class FileCommands
{
public:
    FileCommands(AppContext &context, FileCommandHost &host);

    // File > New: the save question for a changed document, then "All data will be cleared.".
    // DocumentPath and UntitledFlag stay.
    void New();
    // The main window's first document: the new-document InitFile, no question.
    InitFileResult LoadNewDocument();
    // The toolbar's New: the save question for a changed document, then the new-document
    // InitFile without the menu item's "All data will be cleared." question.
    void ReplaceByNewDocument();
    // Setup > Initial Setting: the save question for a changed document, then the InitFile of
    // the initial setting.
    void InitialSetting();
    // Offers to save a changed document, then shows the open dialog and reads the chosen file.
    void Open();
    bool Save();
    bool SaveAs();
    // Reads a data file pair with every check of Open; false when it was rejected (its message
    // has been shown and nothing changed).
    bool ReadDocument(const std::string &path);
    // Takes a snapshot and writes the pair at path; false when it could not be written (reported,
    // and the document still counts as changed).
    bool WriteDocument(const std::string &path);
    // Yes in a save question: a document tied to a file is written there, an untitled one asks
    // for a file name first.
    bool SaveForQuestion();
    // The one save question of every command that replaces the document or ends the program
    // (New, Open, a file named at start, Read from Radio, Initial Setting, the version switches,
    // shutdown). Windows with pending choices ask about them and open editors commit first; then
    // a changed document is offered for saving. True to go on (nothing changed, saved, or
    // Discard), false to stop (Cancel, or the save failed). Once answered Discard, the same
    // command does not ask again.
    bool OfferToSave();
    // Starts the program version that handles `other` after the save question; false when no
    // version handles it, the user cancelled, or it could not be started.
    bool SwitchVersion(std::string_view other);

private:
    void showMessage(std::string_view text);
    void titleChanged();
    // A data file opened or saved: first in the recent files, and named in the status bar.
    void fileUsed(const std::string &path, const TextEntry &status);

    AppContext &m_context;
    FileCommandHost &m_host;
    bool m_editsDropped = false;
};

// "file error." and, on a second line, why the last write of the data files failed
// ("Permission denied: /usr/bin/new.dat") when the storage can tell.
std::string writeFailureText(const AppContext &context);

// The save question as every command asks it ("Save changes to new.dat?", Save/Discard/Cancel):
// Save runs `save` and goes on only when it succeeded, Discard goes on without saving (and sets
// *dropped), Cancel stops. True to go on.
bool AskSaveQuestion(AppContext &context, const std::function<bool()> &save,
                     bool *dropped = nullptr);

// Starts the program version that handles `other` (a firmware or data-file version) and ends
// this one, without a question (FileCommands::SwitchVersion asks the save question first). False,
// with "Fail to start the software. This version does not exist." shown, when no version handles it
// or its program cannot be started; this program then keeps running.
bool SwitchToVersion(AppContext &context, std::string_view other);
