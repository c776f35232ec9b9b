#pragma once

#include <functional>
#include <string>

#include "kernel/FileDialogs.h"

class AppContext;

// Every file dialog of the program starts in the folder of the current data file, else in the
// folder the last dialog was left in, else in the user's documents folder: never in whatever
// folder the program was started from (on an installed system, where the program itself lives).
// It hands the dialogs on to the ones that are shown, with the start folder for an open dialog
// and the preset file name placed in it for a save dialog, and remembers the folder of every
// chosen file in the per-user settings.
class StartFolderDialogs : public FileDialogs
{
public:
    using FolderCheck = std::function<bool(const std::string &folder)>;

    StartFolderDialogs(AppContext &context, FileDialogs &shown, std::string documentsFolder,
                       FolderCheck folderExists);

    // The dialogs that are shown from now on (the real ones, or a test's).
    void setShownDialogs(FileDialogs &shown) { m_shown = &shown; }

    std::optional<std::string> openFileName(std::string_view filter,
                                            std::string_view startFolder = {}) override;
    std::optional<std::string> saveFileName(std::string_view filter,
                                            std::string_view presetPath) override;

    // Where the next dialog starts.
    std::string startFolder() const;

private:
    std::optional<std::string> remember(std::optional<std::string> chosen);

    AppContext &m_context;
    FileDialogs *m_shown;
    std::string m_documentsFolder;
    FolderCheck m_folderExists;
};
