#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Where the program finds its shared files: P is the program's own folder, R its parent (P itself
// when P has no separator after its first character). A system-wide install keeps every shared
// file in one data folder D instead (R/share/orx740 beside R/bin): D/language/mysetup.ini,
// D/Version.ini, D/StartE.jpg, D/PIC and D/Init.
struct InstallLayout
{
    std::string programFolder; // P
    std::string root;          // R
    std::string dataFolder;    // D; empty when the shared files lie around P
    char separator = '/';

    static InstallLayout forProgramFolder(std::string programFolder, char separator);
    // As forProgramFolder, but a program in a folder named "bin" whose R/share/orx740 exists (as
    // folderExists tells) finds its shared files there.
    static InstallLayout
    forInstalledProgram(std::string programFolder, char separator,
                        const std::function<bool(const std::string &)> &folderExists);

    std::string setupIniPath() const;                  // R/language/mysetup.ini
    std::string versionIniPath() const;                // R/Version.ini
    std::string splashPicture(int language) const;     // P/StartE.jpg or P/StartC.jpg
    std::string backgroundPicture(int language) const; // P/PIC/BK_<language>.jpg
    std::string initFolder() const;                    // P/Init
    std::string helpFolder() const;                    // P/help: the manual, help/en and help/zh
    std::string schemaFile() const; // P/orx740-config.schema.json: the schema of the text form
    // Every shared file and folder a complete installation holds.
    std::vector<std::string> sharedFiles() const;

    std::string join(std::string_view folder, std::string_view name) const;

private:
    // The data folder when there is one, else folder.
    const std::string &shared(const std::string &folder) const;
};
