#include "kernel/StartFolderDialogs.h"

#include "kernel/AppContext.h"
#include "kernel/FileHistory.h"

StartFolderDialogs::StartFolderDialogs(AppContext &context, FileDialogs &shown,
                                       std::string documentsFolder, FolderCheck folderExists)
    : m_context(context)
    , m_shown(&shown)
    , m_documentsFolder(std::move(documentsFolder))
    , m_folderExists(std::move(folderExists))
{}

std::string StartFolderDialogs::startFolder() const
{
    const Document &document = m_context.document;
    // An untitled document's "new.dat" names no folder of its own.
    if (!document.untitled) {
        std::string current = folderOf(document.documentPath);
        if (!current.empty() && m_folderExists(current))
            return current;
    }
    std::string last = FileHistory(*m_context.userSettings).lastFolder();
    if (!last.empty() && m_folderExists(last))
        return last;
    return m_documentsFolder;
}

std::optional<std::string> StartFolderDialogs::openFileName(std::string_view filter,
                                                            std::string_view startFolder)
{
    const std::string folder = startFolder.empty() ? this->startFolder() : std::string(startFolder);
    return remember(m_shown->openFileName(filter, folder));
}

std::optional<std::string> StartFolderDialogs::saveFileName(std::string_view filter,
                                                            std::string_view presetPath)
{
    std::string preset(presetPath);
    // A bare file name is offered in the start folder; a path already names its folder.
    if (folderOf(preset).empty()) {
        const std::string folder = startFolder();
        if (!folder.empty())
            preset = folder + (folder.ends_with('/') || folder.ends_with('\\') ? "" : "/") + preset;
    }
    return remember(m_shown->saveFileName(filter, preset));
}

std::optional<std::string> StartFolderDialogs::remember(std::optional<std::string> chosen)
{
    if (chosen && !chosen->empty())
        FileHistory(*m_context.userSettings).setLastFolder(folderOf(*chosen));
    return chosen;
}
