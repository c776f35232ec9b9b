#include "cli/VerbTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <string>

#include "cli/BatchVerb.h"
#include "cli/ChartVerb.h"
#include "cli/Commands.h"
#include "cli/DetectVerb.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/HelpSettingsVerb.h"
#include "cli/PortsVerb.h"
#include "cli/ReportVerb.h"
#include "cli/TextVerbs.h"
#include "cli/ToneVerb.h"

namespace {

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

constexpr std::string_view kGlobalUsage = "[--help] [--version]\nhelp [VERB]";

constexpr VerbOption kSimulateOptions[] = {
    {"--image FILE", "the raw image (0x22201 bytes) the radio holds; without\n"
                     "it the shipped new document"},
    {"--model NAME", "the model name the radio reports (default ORX740)"},
    {"--firmware V100", "the firmware version the radio reports"},
    {"--capability N", "the byte after the model name in the identification\n"
                       "reply (0-255, default 1)"},
    {"--drop-every N", "no reply to every Nth frame; each lost reply waits out\n"
                       "the 1000 ms reply time-out, so N of 7 makes a transfer\n"
                       "take minutes"},
    {"--corrupt-every N", "spoil every Nth reply (a bad checksum); each costs\n"
                          "a resend after the 1000 ms reply time-out"},
    {"--piece-size N", "hand the replies out in pieces of N bytes (1-64;\n0, the default: whole)"},
    {"--die-after N", "stop answering after N blocks"},
    {"--pace BAUD", "answer at the speed of a real line (e.g. 38400)"},
    {"--dump FILE", "write the radio's memory to FILE when it ends"},
    {"--sessions N", "serve until the Nth \"END\" (default 1)"},
};

constexpr VerbOption kReadOptions[] = {
    {"--port PORT", "\"COM<n>\" as the program's port window lists it, or a\n"
                    "device path"},
    {"--out FILE.dat", "write the data file pair (FILE.dat + FILE.fre)"},
    {"--image-out FILE", "write the raw image (0x22201 bytes) instead"},
    {"--switch-version", "answer Yes to the version question (default No)"},
    {"--trace FILE", "write the frames of the last transfers to FILE when\n"
                     "the verb ends, whether it succeeded or not"},
};

constexpr VerbOption kWriteOptions[] = {
    {"--port PORT", "\"COM<n>\" or a device path"},
    {"--image FILE", "send a raw image file instead of a data file pair"},
    {"--verify", "read the radio back and compare (exit 0 equal,\n"
                 "1 different, 2 not compared)"},
    {"--switch-version", "answer Yes to the version question (default No)"},
    {"--trace FILE", "write the frames of the last transfers to FILE when\n"
                     "the verb ends, whether it succeeded or not"},
};

constexpr VerbOption kVerifyOptions[] = {
    {"--port PORT", "\"COM<n>\" or a device path"},
    {"--switch-version", "answer Yes to the version question (default No)"},
    {"--trace FILE", "write the frames of the last transfers to FILE when\n"
                     "the verb ends, whether it succeeded or not"},
};

constexpr VerbOption kOutOption[] = {
    {"--out FILE", "the file to write"},
};

constexpr VerbOption kShowOptions[] = {
    {"--json", "the whole document as JSON instead of the listing"},
};

constexpr VerbOption kExportOptions[] = {
    {"--out FILE.yaml", "the file to write (default: the standard output)"},
};

constexpr VerbOption kTextImportOptions[] = {
    {"--out FILE.dat", "the pair to write (FILE.dat + FILE.fre)"},
    {"--base OTHER.dat", "the pair that gives what the text leaves out\n"
                         "(default: the new document)"},
};

constexpr VerbOption kSchemaOptions[] = {
    {"--out FILE.json", "the file to write (default: the standard output)"},
};

constexpr VerbOption kToneOptions[] = {
    {"--set N", "the roger-beep tone set (1-8)"},
    {"--wav OUT.wav", "the WAV file to write (16-bit mono PCM, 44.1 kHz)"},
};

constexpr VerbOption kImportOptions[] = {
    {"--into FILE.dat", "the pair to change (made from the new-document\n"
                        "defaults when it does not exist)"},
    {"--kind K", "CB, HF, HAM or MEM: where a file in the common layout\n"
                 "of other tools goes"},
    {"--group G", "the group of kind K"},
};

constexpr VerbOption kDetectOptions[] = {
    {"--port PORT", "a port to ask, \"COM<n>\" or a device path; may be given\n"
                    "more than once (default: every USB serial port)"},
    {"--trace FILE", "write the frames of the last transfers to FILE"},
};

constexpr VerbOption kPortsOptions[] = {
    {"--json", "the facts as a JSON array instead of one port a line"},
    {"--wait-new", "ask for the cable to be unplugged and plugged in again,\n"
                   "then name the port that appeared (exit 1 when none)"},
    {"--timeout SECONDS", "how long --wait-new waits (default 60)"},
};

constexpr VerbOption kChartOptions[] = {
    {"--pdf OUT.pdf", "write the chart as a PDF on the locale's paper (A4,\n"
                      "or Letter where that is the custom)"},
    {"--kind K", "only the groups of CB, HF or HAM"},
    {"--group G", "only group G of that kind"},
    {"--columns A,B", "the columns, by the CSV column names (default Channel,\n"
                      "Frequency,Mode,RxTone,TxTone,Scan,Repeater,RogerBeep)"},
    {"--language zh", "the chart's words in Chinese (default en)"},
};

constexpr VerbOption kHelpSettingsOptions[] = {
    {"--json", "the settings as JSON (keys language, settings, and for\n"
               "each setting window, control, label, tooltip)"},
    {"--language zh", "the labels and tooltips in Chinese (default en)"},
};

constexpr VerbOption kBatchOptions[] = {
    {"--template PLAN.dat", "the data file pair every radio is programmed with"},
    {"--port PORT", "\"COM<n>\" or a device path; the radios come one after\n"
                    "another on this port; several --port: every port at\n"
                    "once, each line led by its port"},
    {"--ports usb", "every USB serial port of the port list, at once"},
    {"--units N", "stop after N radios of all ports together (default:\n"
                  "until Ctrl+C)"},
    {"--next replug|enter", "how the next radio is awaited: the radio stops\n"
                            "answering and one answers again (replug, the\n"
                            "default), or Enter is pressed"},
    {"--log FILE.csv", "add one line a radio: time, unit, port, model,\n"
                       "firmware, result, differences, backup, cable, name"},
    {"--keep options", "keep each radio's own options and tone sets; the\n"
                       "channels, group names and channel settings come\n"
                       "from the template"},
    {"--keep-going", "go on after a failed radio without waiting for Enter"},
    {"--json", "one JSON line a radio on stdout (unit, port, model,\n"
               "firmware, result, differences, backup, message)"},
    {"--switch-version", "a radio whose firmware does not fit is refused\n"
                         "all the same; the refusal names the program\n"
                         "version to start for it"},
    {"--name-pattern TEXT", "each radio's Bluetooth device name, \"ORX-{unit:04}\":\n"
                            "the unit number, at least 4 digits (16 characters\n"
                            "at most, printable ASCII)"},
};

constexpr VerbOption kReportOptions[] = {
    {"--out FILE.zip", "the zip file to write"},
    {"--document FILE.dat", "add that data file pair (FILE.dat and FILE.fre) as\n"
                            "it is on disk; without it no document goes in"},
};

constexpr VerbHelp kVerbs[] = {
    {"simulate",
     "simulate [--image FILE] [--model NAME] [--firmware V100]\n"
     "         [--capability N] [--drop-every N] [--corrupt-every N]\n"
     "         [--piece-size N] [--die-after N] [--pace BAUD]\n"
     "         [--dump FILE] [--sessions N]",
     "serve a simulated radio on a pseudo-terminal; the first line of output\n"
     "is its device path. Serves until the radio is sent \"END\" or the command\n"
     "is interrupted.",
     kSimulateOptions, runSimulate},
    {"read",
     "read --port PORT --out FILE.dat [--switch-version] [--trace FILE]\n"
     "read --port PORT --image-out FILE [--switch-version] [--trace FILE]",
     "read the radio's memory into a data file pair or a raw image file; no\n"
     "file is written when the read fails; a backup is kept (see backups).\n"
     "Exit 0 only when the transfer succeeded.",
     kReadOptions, runRead},
    {"write",
     "write --port PORT [--verify] FILE.dat [--switch-version]\n"
     "      [--trace FILE]\n"
     "write --port PORT [--verify] --image FILE [--switch-version]\n"
     "      [--trace FILE]",
     "write a data file pair or a raw image file into the radio; the pair is\n"
     "kept as a backup first. Exit 0 only when the transfer succeeded.",
     kWriteOptions, runWrite},
    {"verify", "verify --port PORT FILE.dat [--switch-version] [--trace FILE]",
     "read the radio and compare it with what FILE.dat packs to; exit 0 equal,\n"
     "1 different, 2 when the comparison could not be made.",
     kVerifyOptions, runVerify},
    {"unpack", "unpack IMAGE --out FILE.dat",
     "a raw radio image to a data file pair, saved as File > Save saves it.", kOutOption,
     runFileVerb<runUnpackVerb>},
    {"pack", "pack FILE.dat --out IMAGE", "a data file pair to the raw image a write sends.",
     kOutOption, runFileVerb<runPackVerb>},
    {"show", "show [--json] FILE.dat",
     "a full listing of a data file pair: identity, every group with every\n"
     "channel, the memory channels; or the whole document as JSON.",
     kShowOptions, runFileVerb<runShowVerb>},
    {"tone", "tone FILE.dat --set N --wav OUT.wav",
     "roger-beep tone set N as the preview plays it, as a WAV file; a set that\n"
     "plays nothing is refused with status 1.",
     kToneOptions, runTone},
    {"diff",
     "diff A B",
     "differences between data files or raw images, in any mix (exit 0 equal,\n"
     "1 different, 2 not comparable).",
     {},
     runFileVerb<runDiffVerb>},
    {"export", "export FILE.dat [--out FILE.yaml]",
     "the whole data file pair as a YAML text: every setting by name, with\n"
     "its help as a comment; a schema line for editors.",
     kExportOptions, runQtFileVerb<runExportVerb>},
    {"import", "import FILE.yaml --out FILE.dat [--base OTHER.dat]",
     "a YAML text (whole or in part) to a data file pair; what it leaves out\n"
     "comes from the base. Every problem is named with its file:line:column;\n"
     "nothing is written unless the whole text is valid.",
     kTextImportOptions, runQtFileVerb<runImportVerb>},
    {"schema", "schema [--out FILE.json]",
     "the JSON Schema of the YAML text, which editors use to check and\n"
     "complete it.",
     kSchemaOptions, runFileVerb<runSchemaVerb>},
    {"export-csv", "export-csv FILE.dat --out FILE.csv",
     "one CSV line per channel and memory channel.", kOutOption, runFileVerb<runExportCsvVerb>},
    {"import-csv", "import-csv FILE.csv --into FILE.dat [--kind K --group G]",
     "apply a CSV file to a data file pair; all or nothing.", kImportOptions,
     runQtFileVerb<runImportCsvVerb>},
    {"backups",
     "backups",
     "the backups of reads and writes, newest first.",
     {},
     runQtFileVerb<runBackupsVerb>},
    {"chart", "chart FILE.dat --pdf OUT.pdf [--kind K] [--group G] [--columns A,B]",
     "the channel chart of a pair as a PDF: a table per group, empty channels\n"
     "left out, the file, model, band and date at the top, pages numbered.",
     kChartOptions, runChart},
    {"ports", "ports [--json]\nports --wait-new [--timeout SECONDS]",
     "every serial port with its COM number, device, cable chip, VID:PID and\n"
     "whether this user can open it (if not: why, and the fix).",
     kPortsOptions, runPorts},
    {"detect", "detect [--port PORT]... [--trace FILE]",
     "ask each port whether a radio of this model is behind it, all at once;\n"
     "nothing is read from or written to its memory. One line a port; exit 0\n"
     "when exactly one radio answered, 1 when none did, 2 when several did.",
     kDetectOptions, runDetect},
    {"batch",
     "batch --template PLAN.dat (--port PORT... | --ports usb) [--units N]\n"
     "      [--next replug|enter] [--log FILE.csv] [--keep options] [--keep-going]\n"
     "      [--json] [--switch-version] [--name-pattern TEXT]",
     "program radio after radio with one template: wait for a radio, refuse\n"
     "another model or a firmware the template does not fit, read it (a\n"
     "backup is kept), write the template, read back and compare, log it.\n"
     "A summary at the end; exit 0 when every radio was done.",
     kBatchOptions, runBatch},
    {"report", "report --out FILE.zip [--document FILE.dat]",
     "a problem report as one zip file: the program, Qt, system and locale\n"
     "versions, every serial port's facts, the last serial traces, the\n"
     "settings file and, only with --document, a data file pair. The user's\n"
     "name, the host name and the home folder are replaced by \"<user>\",\n"
     "\"<host>\" and \"<home>\". Nothing is sent anywhere.",
     kReportOptions, runReport},
    {"help-settings", "help-settings [--json] [--language zh]",
     "every setting of every window the help explains, one a line: window,\n"
     "control, label and tooltip separated by tabs.",
     kHelpSettingsOptions, runHelpSettings},
};

void appendIndented(std::string &text, std::string_view lines, std::string_view first,
                    std::string_view rest)
{
    std::string_view prefix = first;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        text += prefix;
        text += lines.substr(0, end);
        text += '\n';
        prefix = rest;
        lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
    }
}

void appendUsage(std::string &text, std::string_view usage, bool &first)
{
    std::string_view lines = usage;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        // Continuation lines of one usage start with blanks; they line up under the verb.
        const bool continuation = line.starts_with(' ');
        text += first ? "Usage: " : "       ";
        text += continuation ? "           " : "orx740-cli ";
        text += line;
        text += '\n';
        first = false;
        lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
    }
}

void appendOptions(std::string &text, const VerbHelp &verb)
{
    for (const VerbOption &option : verb.options) {
        std::string head = "  " + std::string(option.name);
        const bool ownLine = head.size() > 21;
        if (ownLine)
            text += head + '\n';
        else
            head.resize(22, ' ');
        appendIndented(text, option.text, ownLine ? std::string(22, ' ') : head,
                       std::string(22, ' '));
    }
}

} // namespace

std::span<const VerbHelp> verbHelps()
{
    return kVerbs;
}

const VerbHelp *findVerbHelp(std::string_view name)
{
    const auto it = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                 [name](const VerbHelp &verb) { return verb.name == name; });
    return it == std::end(kVerbs) ? nullptr : it;
}

std::string overallHelpText()
{
    std::string text;
    bool first = true;
    appendUsage(text, kGlobalUsage, first);
    for (const VerbHelp &verb : kVerbs)
        appendUsage(text, verb.usage, first);
    text += "\nCommand-line companion of the ORX-740 programming software.\n\n"
            "  --help              this text (VERB --help or help VERB: one verb's)\n"
            "  --version           the program version\n\n";
    for (const VerbHelp &verb : kVerbs) {
        appendIndented(text, verb.summary, std::string(verb.name) + ": ", "  ");
        appendOptions(text, verb);
        text += '\n';
    }
    text += "PORT is \"COM<n>\" as the program's port window lists it (the aliases of the\n"
            "installation's language/mysetup.ini included) or a device path. Every verb\n"
            "exits with 0 only on success and says what went wrong in one line on stderr;\n"
            "wrong arguments exit with 2.\n";
    return text;
}

std::string verbHelpText(const VerbHelp &verb)
{
    std::string text;
    bool first = true;
    appendUsage(text, verb.usage, first);
    text += '\n';
    appendIndented(text, verb.summary, "", "");
    if (!verb.options.empty()) {
        text += '\n';
        appendOptions(text, verb);
    }
    return text;
}
