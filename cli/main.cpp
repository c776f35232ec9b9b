#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

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

#ifdef _WIN32
// The arguments in UTF-8, as every verb reads them. Windows hands main() its arguments in the
// ANSI code page, where a file name with characters outside it (Chinese on a Western system)
// arrives as question marks; the wide command line has them all.
std::vector<std::string> utf8Arguments()
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(std::size_t(std::max(size, 1)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef _WIN32
    static std::vector<std::string> arguments = utf8Arguments();
    static std::vector<char *> pointers;
    if (!arguments.empty()) {
        for (std::string &argument : arguments)
            pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        argc = int(arguments.size());
        argv = pointers.data();
    }
#endif
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
