#include "cli/ToneVerb.h"

#include <QString>

#include <cstdio>
#include <string>

#include "cli/CommandLine.h"
#include "cli/FileVerbs.h"
#include "model/RadioImage.h"
#include "options/QtWavFile.h"
#include "options/ToneGenerator.h"
#include "radio/RogerBeep.h"
#include "radio/SettingsRecord.h"

namespace {

int fail(const std::string &message, int status)
{
    std::fprintf(stderr, "orx740-cli tone: %s\n", message.c_str());
    return status;
}

} // namespace

int runTone(int, char *[], const std::vector<std::string_view> &args)
{
    constexpr int kBadInput = 1;
    constexpr int kBadArguments = 2;
    std::string dataFile;
    std::vector<std::string_view> named;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--set" || args[i] == "--wav") {
            named.push_back(args[i]);
            if (i + 1 < args.size())
                named.push_back(args[++i]);
        } else if (dataFile.empty() && !args[i].starts_with("--")) {
            dataFile = std::string(args[i]);
        } else {
            named.push_back(args[i]);
        }
    }
    CommandLine options;
    if (!options.parse(named, {{"--set", true}, {"--wav", true}}))
        return fail(options.error(), kBadArguments);
    bool ok = true;
    const std::optional<int> number = options.number("--set", 1, kToneSetCount, ok);
    if (!ok)
        return fail(options.error(), kBadArguments);
    const std::optional<std::string> wavPath = options.value("--wav");
    if (dataFile.empty() || !number || !wavPath || wavPath->empty())
        return fail("usage: orx740-cli tone FILE.dat --set N --wav OUT.wav", kBadArguments);

    // The sets as a write would send them to the radio.
    RadioImage image;
    if (const std::string error = imageFromDataFile(dataFile, image); !error.empty())
        return fail(error, kBadInput);
    SettingsRecord settings;
    DecodeToneTips(image, settings);
    const ToneSet &set = settings.toneTips.set(*number);
    const int milliseconds = toneScheduleMilliseconds(set);
    if (milliseconds == 0) {
        // In the Roger Beep window's words: Recycle Times "Off", or no tone with a duration.
        const std::string why =
            set.recycleTimes <= 0 ? "Recycle Times \"Off\"" : "no tone with a duration";
        return fail("tone set " + std::to_string(*number) + " plays nothing (" + why + ")",
                    kBadInput);
    }
    if (!saveToneSetWav(QString::fromStdString(*wavPath), set))
        return fail(*wavPath + ": cannot be written", kBadInput);
    std::printf("%s: tone set %d, %d ms, %zu samples at %d Hz\n", wavPath->c_str(), *number,
                milliseconds, ToneGenerator(set).totalSamples(), kToneSampleRate);
    return 0;
}
