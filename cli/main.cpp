#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/ToneVerb.h"

namespace {

void printHelp()
{
    std::puts("Usage: orx740-cli [--help] [--version]\n"
              "       orx740-cli simulate [--image FILE] [--model NAME] [--firmware V100]\n"
              "                           [--capability N] [--drop-every N] [--corrupt-every N]\n"
              "                           [--piece-size N] [--die-after N] [--pace BAUD]\n"
              "                           [--dump FILE] [--sessions N]\n"
              "       orx740-cli read --port PORT --out FILE.dat [--switch-version]\n"
              "       orx740-cli read --port PORT --image-out FILE [--switch-version]\n"
              "       orx740-cli write --port PORT [--verify] FILE.dat [--switch-version]\n"
              "       orx740-cli write --port PORT [--verify] --image FILE [--switch-version]\n"
              "       orx740-cli verify --port PORT FILE.dat [--switch-version]\n"
              "       orx740-cli unpack IMAGE --out FILE.dat\n"
              "       orx740-cli pack FILE.dat --out IMAGE\n"
              "       orx740-cli show [--json] FILE.dat\n"
              "       orx740-cli diff A B\n"
              "       orx740-cli export-csv FILE.dat --out FILE.csv\n"
              "       orx740-cli import-csv FILE.csv --into FILE.dat [--kind K --group G]\n"
              "       orx740-cli backups\n"
              "\n"
              "Command-line companion of the ORX-740 programming software.\n"
              "\n"
              "  --help      show this text\n"
              "  --version   show the program version\n"
              "\n"
              "  simulate    serve a simulated radio on a pseudo-terminal; the first line of\n"
              "              output is its device path. Without --image it holds the shipped\n"
              "              new document. Serves until the radio is sent \"END\" or the\n"
              "              command is interrupted (--sessions N: the Nth \"END\"); --dump\n"
              "              then writes its memory.\n"
              "              --drop-every/--corrupt-every N spoil every Nth reply,\n"
              "              --piece-size N splits replies, --die-after N stops answering after\n"
              "              N blocks, --pace BAUD answers at the speed of a real line.\n"
              "  read        read the radio's memory into a data file pair (--out) or a raw\n"
              "              image file (--image-out, 0x22201 bytes); no file is written when\n"
              "              the read fails; a backup is kept (see backups)\n"
              "  write       write a data file pair or a raw image file into the radio; the pair\n"
              "              is kept as a backup first; --verify reads the radio back and\n"
              "              compares\n"
              "  verify      read the radio and compare it with what FILE.dat packs to\n"
              "\n"
              "PORT is \"COM<n>\" as the program's port window lists it (the aliases of the\n"
              "installation's language/mysetup.ini included) or a device path. The version\n"
              "question is answered No unless --switch-version is given. read and write exit\n"
              "with 0 only when the transfer succeeded; verify and write --verify exit with 0\n"
              "when the radio holds what the file packs to, 1 when it differs, 2 when the\n"
              "comparison could not be made.\n");
    std::puts(fileVerbsUsage());
    std::puts(toneVerbUsage());
    std::puts(exchangeVerbsUsage());
}

// The file verbs take their arguments as text; Qt is not needed for them.
template<int (*Run)(const std::vector<std::string> &)>
int runFileVerb(int, char *[], const std::vector<std::string_view> &args)
{
    return Run(std::vector<std::string>(args.begin(), args.end()));
}

// The exchange verbs find the installation and the backup folder through Qt.
template<int (*Run)(const std::vector<std::string> &)>
int runQtFileVerb(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    QCoreApplication app(argc, argv);
    return Run(std::vector<std::string>(args.begin(), args.end()));
}

struct Verb
{
    std::string_view name;
    int (*run)(int argc, char *argv[], const std::vector<std::string_view> &args);
};

constexpr Verb kVerbs[] = {
    {"simulate", runSimulate},
    {"read", runRead},
    {"write", runWrite},
    {"unpack", runFileVerb<runUnpackVerb>},
    {"pack", runFileVerb<runPackVerb>},
    {"show", runFileVerb<runShowVerb>},
    {"tone", runTone},
    {"verify", runVerify},
    {"diff", runFileVerb<runDiffVerb>},
    {"export-csv", runFileVerb<runExportCsvVerb>},
    {"import-csv", runQtFileVerb<runImportCsvVerb>},
    {"backups", runQtFileVerb<runBackupsVerb>},
};

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
    for (const Verb &verb : kVerbs) {
        if (verb.name == argv[1]) {
            const std::vector<std::string_view> args(argv + 2, argv + argc);
            // Qt sees only the program name, so our options never reach its own parser.
            int qtArgc = 1;
            return verb.run(qtArgc, argv, args);
        }
    }
    std::fprintf(stderr, "orx740-cli: unknown arguments; see 'orx740-cli --help'\n");
    return 2;
}
