#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/VerbTable.h"
#include "model/QtRecordTextCodec.h"

namespace {

// "help [VERB]", "VERB --help", "VERB -h": the help asked for on stdout and 0; an unknown verb
// is a usage error. Nothing when no help was asked for.
std::optional<int> helpAsked(int argc, char *argv[])
{
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    const auto isHelp = [](std::string_view word) { return word == "--help" || word == "-h"; };
    std::optional<std::string_view> verb;
    if (words.empty() || (words.size() == 1 && isHelp(words[0])) ||
        (words.size() == 1 && words[0] == "help")) {
        std::fputs(overallHelpText().c_str(), stdout);
        return 0;
    }
    if (words[0] == "help" && words.size() == 2 && isHelp(words[1])) {
        std::fputs(overallHelpText().c_str(), stdout);
        return 0;
    }
    if (words[0] == "help" && words.size() == 2)
        verb = words[1];
    else if (std::any_of(words.begin() + 1, words.end(), isHelp))
        verb = words[0];
    else
        return std::nullopt;
    if (const VerbHelp *help = findVerbHelp(*verb)) {
        std::fputs(verbHelpText(*help).c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "orx740-cli: no verb '%.*s'; see 'orx740-cli --help'\n", int(verb->size()),
                 verb->data());
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orx740-cli %s\n", ORX740_VERSION_TEXT);
        return 0;
    }
    if (const std::optional<int> status = helpAsked(argc, argv))
        return *status;
    // Record texts show through the system's code page (or ORX740_CODEPAGE) in every verb.
    systemRecordTextCodec();
    if (const VerbHelp *verb = findVerbHelp(argv[1])) {
        const std::vector<std::string_view> args(argv + 2, argv + argc);
        // Qt sees only the program name, so our options never reach its own parser.
        int qtArgc = 1;
        return verb->run(qtArgc, argv, args);
    }
    std::fprintf(stderr, "orx740-cli: unknown arguments; see 'orx740-cli --help'\n");
    return 2;
}
