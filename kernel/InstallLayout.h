#pragma once

#include <string>
#include <string_view>

// Where the program finds its shared files: P is the program's own folder, R its parent (P itself
// when P has no separator after its first character).
struct InstallLayout
{
    std::string programFolder; // P
    std::string root;          // R
    char separator = '/';

    static InstallLayout forProgramFolder(std::string programFolder, char separator);

    std::string setupIniPath() const;                  // R/language/mysetup.ini
    std::string versionIniPath() const;                // R/Version.ini
    std::string splashPicture(int language) const;     // P/StartE.jpg or P/StartC.jpg
    std::string backgroundPicture(int language) const; // P/PIC/BK_<language>.jpg
    std::string initFolder() const;                    // P/Init

    std::string join(std::string_view folder, std::string_view name) const;
};
