// Writes the manual's pages, DIR/en/*.html and DIR/zh/*.html, and DIR/manual.stamp last.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "help/Manual.h"
#include "lang/Texts.h"

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: orx740-manualgen DIR\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    for (const int language : {English, Chinese}) {
        const std::filesystem::path folder = root / manualLanguageFolder(language);
        std::filesystem::create_directories(folder);
        for (const std::string &name : manualPageNames()) {
            std::ofstream file(folder / (name + ".html"), std::ios::binary);
            file << manualPage(name, language);
            if (!file) {
                std::cerr << "orx740-manualgen: cannot write " << (folder / name).string() << '\n';
                return 1;
            }
        }
    }
    std::ofstream(root / "manual.stamp") << "written\n";
    return 0;
}
