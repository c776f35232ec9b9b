#include "kernel/InstallLayout.h"

#include "lang/Texts.h"

InstallLayout InstallLayout::forProgramFolder(std::string programFolder, char separator)
{
    InstallLayout layout;
    const auto last = programFolder.rfind(separator);
    layout.root =
        (last == std::string::npos || last == 0) ? programFolder : programFolder.substr(0, last);
    layout.programFolder = std::move(programFolder);
    layout.separator = separator;
    return layout;
}

InstallLayout
InstallLayout::forInstalledProgram(std::string programFolder, char separator,
                                   const std::function<bool(const std::string &)> &folderExists)
{
    InstallLayout layout = forProgramFolder(std::move(programFolder), separator);
    const std::string_view folder(layout.programFolder);
    const std::string binName = std::string(1, separator) + "bin";
    const bool inBin = folder.size() > binName.size() && folder.ends_with(binName);
    const std::string dataRoot = layout.join(layout.join(layout.root, "share"), "orx740");
    if (inBin && folderExists(dataRoot))
        layout.dataFolder = dataRoot;
    return layout;
}

const std::string &InstallLayout::shared(const std::string &folder) const
{
    return dataFolder.empty() ? folder : dataFolder;
}

std::string InstallLayout::join(std::string_view folder, std::string_view name) const
{
    std::string path(folder);
    if (path.empty() || path.back() != separator)
        path += separator;
    return path + std::string(name);
}

std::string InstallLayout::setupIniPath() const
{
    return join(join(shared(root), "language"), "mysetup.ini");
}

std::string InstallLayout::versionIniPath() const
{
    return join(shared(root), "Version.ini");
}

std::string InstallLayout::splashPicture(int language) const
{
    return join(shared(programFolder), language == Chinese ? "StartC.jpg" : "StartE.jpg");
}

std::string InstallLayout::backgroundPicture(int language) const
{
    return join(join(shared(programFolder), "PIC"), "BK_" + std::to_string(language) + ".jpg");
}

std::string InstallLayout::initFolder() const
{
    return join(shared(programFolder), "Init");
}

std::string InstallLayout::helpFolder() const
{
    return join(shared(programFolder), "help");
}

std::string InstallLayout::schemaFile() const
{
    return join(shared(programFolder), "orx740-config.schema.json");
}

std::vector<std::string> InstallLayout::sharedFiles() const
{
    return {versionIniPath(),
            setupIniPath(),
            splashPicture(English),
            splashPicture(Chinese),
            backgroundPicture(English),
            backgroundPicture(Chinese),
            initFolder()};
}
