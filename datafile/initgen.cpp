// Writes the Init files of the staged installation: orx740-initgen <Init folder>.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "datafile/InitFiles.h"
#include "radio/Document.h"

namespace {

bool writeFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orx740-initgen INIT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const InitFileName &name : shippedInitFileNames()) {
        const PackedPair packed =
            packDataFilePair(*shippedInitDocument(name.bandClass, todayAsDateText()));
        const std::filesystem::path dataPath = folder / name.dataFile;
        if (!writeFile(dataPath, packed.dataFile) ||
            !writeFile(companionPath(dataPath.string()), packed.channelFile)) {
            std::fprintf(stderr, "orx740-initgen: cannot write %s\n", dataPath.string().c_str());
            return 1;
        }
    }
    return 0;
}
