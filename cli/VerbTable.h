#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one table of the companion's verbs: how each runs, its usage lines and options. The
// dispatch of "orx740-cli VERB ...", the synopsis of
// "orx740-cli --help", the help of one verb ("orx740-cli VERB --help", "orx740-cli help VERB")
// and the check that the README explains every option are all made from it.
struct VerbOption
{
    std::string_view name; // "--port PORT": the option and its value, if it takes one
    std::string_view text; // what it does, one or more lines of at most 56 characters
};

struct VerbHelp
{
    std::string_view name;
    std::string_view usage;   // usage lines after "orx740-cli ", separated by '\n'
    std::string_view summary; // what the verb does, lines separated by '\n'
    std::span<const VerbOption> options;
    // Runs the verb on the words after it; answers the exit status.
    int (*run)(int argc, char *argv[], const std::vector<std::string_view> &args);
};

std::span<const VerbHelp> verbHelps();
// The verb of that name, or nullptr.
const VerbHelp *findVerbHelp(std::string_view name);

// "orx740-cli --help": the usage lines of every verb, then each verb with its options.
std::string overallHelpText();
// The usage lines, summary and options of one verb.
std::string verbHelpText(const VerbHelp &verb);
