#include "kernel/FileHistory.h"

#include <algorithm>

#include "kernel/IniDocument.h"

namespace {

constexpr std::string_view kRecentSection = "RecentFiles";
constexpr std::string_view kSettingsSection = "Settings";
constexpr std::string_view kLastFolderKey = "LastFolder";

std::string recentKey(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

FileHistory::FileHistory(IniStore &settings)
    : m_settings(&settings)
{}

std::vector<std::string> FileHistory::recentFiles() const
{
    std::vector<std::string> paths;
    for (std::size_t index = 0; index < kRecentFileCount; ++index) {
        std::string path = m_settings->readString(kRecentSection, recentKey(index));
        // A list edited by hand may hold gaps or a file twice.
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    return paths;
}

void FileHistory::addRecentFile(const std::string &path)
{
    std::vector<std::string> paths = recentFiles();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    storeRecentFiles(paths);
}

void FileHistory::removeRecentFile(const std::string &path)
{
    std::vector<std::string> paths = recentFiles();
    std::erase(paths, path);
    storeRecentFiles(paths);
}

void FileHistory::clearRecentFiles()
{
    storeRecentFiles({});
}

void FileHistory::storeRecentFiles(const std::vector<std::string> &paths)
{
    // The store cannot remove a key: the places past the list's end are emptied.
    for (std::size_t index = 0; index < kRecentFileCount; ++index)
        m_settings->writeString(kRecentSection, recentKey(index),
                                index < paths.size() ? paths[index] : std::string());
}

std::string FileHistory::lastFolder() const
{
    return m_settings->readString(kSettingsSection, kLastFolderKey);
}

void FileHistory::setLastFolder(const std::string &folder)
{
    if (!folder.empty())
        m_settings->writeString(kSettingsSection, kLastFolderKey, folder);
}

std::string folderOf(const std::string &path)
{
    const auto separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return {};
    // The root folder keeps its separator.
    return path.substr(0, separator == 0 ? 1 : separator);
}
