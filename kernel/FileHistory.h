#pragma once

#include <cstddef>
#include <string>
#include <vector>

class IniStore;

// What the user's file dialogs and the File menu remember between runs, in the per-user settings:
// the data files opened or saved last (newest first, each once) and the folder the last file
// dialog was left in.
class FileHistory
{
public:
    static constexpr std::size_t kRecentFileCount = 8;

    explicit FileHistory(IniStore &settings);

    std::vector<std::string> recentFiles() const;
    // Puts the file first; an older entry of the same file goes, and so does the ninth.
    void addRecentFile(const std::string &path);
    void removeRecentFile(const std::string &path);
    void clearRecentFiles();

    // Empty until a dialog has been used.
    std::string lastFolder() const;
    void setLastFolder(const std::string &folder);

private:
    void storeRecentFiles(const std::vector<std::string> &paths);

    IniStore *m_settings;
};

// The folder part of a path, without its last separator ("/" or "\"); empty for a bare file name.
std::string folderOf(const std::string &path);
