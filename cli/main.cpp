#include <cstdio>
#include <cstring>

namespace {

void printHelp()
{
    std::puts("Usage: orx740-cli [--help] [--version]\n"
              "\n"
              "Command-line companion of the ORX-740 programming software.\n"
              "\n"
              "  --help      show this text\n"
              "  --version   show the program version");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orx740-cli %s\n", ORX740_VERSION_TEXT);
        return 0;
    }
    if (argc == 1 || (argc == 2 && std::strcmp(argv[1], "--help") == 0)) {
        printHelp();
        return 0;
    }
    std::fprintf(stderr, "orx740-cli: unknown arguments; see 'orx740-cli --help'\n");
    return 2;
}
