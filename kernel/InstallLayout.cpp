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

std::string InstallLayout::join(std::string_view folder, std::string_view name) const
{
    std::string path(folder);
    if (path.empty() || path.back() != separator)
        path += separator;
    return path + std::string(name);
}

std::string InstallLayout::setupIniPath() const
{
    return join(join(root, "language"), "mysetup.ini");
}

std::string InstallLayout::versionIniPath() const
{
    return join(root, "Version.ini");
}

std::string InstallLayout::splashPicture(int language) const
{
    return join(programFolder, language == Chinese ? "StartC.jpg" : "StartE.jpg");
}

std::string InstallLayout::backgroundPicture(int language) const
{
    return join(join(programFolder, "PIC"), "BK_" + std::to_string(language) + ".jpg");
}

std::string InstallLayout::initFolder() const
{
    return join(programFolder, "Init");
}
