#include "datafile/InitFiles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "channels/ChannelRecords.h"
#include "radio/Document.h"
#include "radio/GroupNames.h"
#include "radio/OptionRecord.h"

namespace {

constexpr std::int16_t kFm = 0;
constexpr std::int16_t kAm = 1;
constexpr std::int16_t kUsb = 2;
constexpr int kStep5k = 5000;
constexpr int kPlanWidth = 440000; // 26.965 to 27.405 MHz

const BandLimits kAnyFrequency{20.0, 40.0};

// The bands the channel window checks typed frequencies against: CB 26.96500 - 27.86125 MHz,
// HF 24.7150 - 30.1050 MHz, HAM 28.0000 - 29.7000 MHz.
constexpr int kCbBandHighHz = 27861250;
constexpr int kHfBandLowHz = 24715000;
constexpr int kHfBandHighHz = 30105000;
constexpr int kHamBandLowHz = 28000000;
// The HAM groups cut the band into 200 kHz slices of 40 channels, the last one ending at
// 29.695 MHz so that every channel stays 5 kHz inside the band's top.
constexpr int kHamSliceHz = 200000;
constexpr int kHamSliceCount = 9;
constexpr int kHamBandTopHz = 29695000;

std::string digitsOf(int hz)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08d", hz);
    return text;
}

void addChannel(DocumentSet &document, int kind, int group, int number, int hz, std::int16_t mode)
{
    const std::optional<int> index = AddChannel(document, kind, group, number, "", kAnyFrequency);
    if (!index)
        return;
    ChannelRecord &record = document.channels.entry(kind, group, *index);
    record.RxDigits.assign(digitsOf(hz));
    record.TxDigits = record.RxDigits;
    record.Mode = mode;
}

void addPlan(DocumentSet &document, int kind, int group, int offsetHz, std::int16_t mode)
{
    const std::vector<int> &plan = standardCbPlan();
    for (std::size_t n = 0; n < plan.size(); ++n)
        addChannel(document, kind, group, static_cast<int>(n + 1), plan[n] + offsetHz, mode);
}

// "28.000 - 28.195 MHz" -> the two ends in Hz.
std::optional<std::pair<int, int>> rangeOf(std::string_view text)
{
    const auto dash = text.find(" - ");
    const auto unit = text.find(" MHz");
    if (dash == std::string_view::npos || unit == std::string_view::npos)
        return std::nullopt;
    const auto hz = [](std::string_view mhz) {
        const auto point = mhz.find('.');
        int whole = 0;
        int thousandths = 0;
        std::from_chars(mhz.data(), mhz.data() + point, whole);
        std::from_chars(mhz.data() + point + 1, mhz.data() + mhz.size(), thousandths);
        return whole * 1000000 + thousandths * 1000;
    };
    return std::pair{hz(text.substr(0, dash)), hz(text.substr(dash + 3, unit - dash - 3))};
}

void fillRangeGroup(DocumentSet &document, int kind, int group)
{
    const auto range = initChannelRange(kind, group);
    if (!range)
        return;
    const auto [low, high] = *range;
    if (high - low == kPlanWidth) {
        addPlan(document, kind, group, low - standardCbPlan().front(), kFm);
        return;
    }
    for (int n = 1; n <= 40 && low + (n - 1) * kStep5k <= high; ++n) {
        const int hz = low + (n - 1) * kStep5k;
        addChannel(document, kind, group, n, hz, hz < 29000000 ? kUsb : kFm);
    }
}

} // namespace

std::optional<std::pair<int, int>> initChannelRange(int kind, int group)
{
    if (kind == HAM) {
        if (group < 1 || group > kHamSliceCount)
            return std::nullopt;
        const int low = kHamBandLowHz + (group - 1) * kHamSliceHz;
        return std::pair{low, std::min(low + kHamSliceHz - kStep5k, kHamBandTopHz)};
    }
    const auto range = rangeOf(groupFrequencyText(kind, group));
    if (!range || range->first < kHfBandLowHz || range->second > kHfBandHighHz)
        return std::nullopt;
    return range;
}

const std::vector<int> &standardCbPlan()
{
    static const std::vector<int> plan{
        26965000, 26975000, 26985000, 27005000, 27015000, 27025000, 27035000, 27055000,
        27065000, 27075000, 27085000, 27105000, 27115000, 27125000, 27135000, 27155000,
        27165000, 27175000, 27185000, 27205000, 27215000, 27225000, 27255000, 27235000,
        27245000, 27265000, 27275000, 27285000, 27295000, 27305000, 27315000, 27325000,
        27335000, 27345000, 27355000, 27365000, 27375000, 27385000, 27395000, 27405000};
    return plan;
}

std::unique_ptr<DocumentSet> shippedInitDocument(int bandClass, std::string_view date)
{
    auto document = std::make_unique<DocumentSet>();
    SettingsRecord &settings = document->settings;
    settings.currentKind = static_cast<std::int16_t>(bandClass == 0 ? HF : HAM);
    settings.currentGroup = {1, 1, 1};
    for (int group = 1; group <= kMaxGroup; ++group)
        settings.groupSelection.at(CB, group) = 1;
    for (int group = 1; group <= 13; ++group)
        settings.groupSelection.at(HF, group) = 1;
    ApplyNewDocumentDefaults(settings, date, bandClass);

    addPlan(*document, CB, 1, 0, kFm); // EU
    addPlan(*document, CB, 2, 0, kAm); // PL
    addPlan(*document, CB, 3, 0, kFm); // DE
    addPlan(*document, CB, 4, 0, kFm); // EC
    addPlan(*document, CB, 5, 0, kFm); // U: the CEPT channels in the UK
    addPlan(*document, CB, 6, 0, kAm); // IN
    // UK: the UK plan from 27.60125 MHz in 10 kHz steps, as far as the CB band reaches.
    for (int n = 1; 27601250 + (n - 1) * 10000 <= kCbBandHighHz; ++n)
        addChannel(*document, CB, 7, n, 27601250 + (n - 1) * 10000, kFm);

    for (int kind : {HF, HAM}) {
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            fillRangeGroup(*document, kind, group);
        const int firstHz = std::stoi(document->channels.entry(kind, 1, 1).RxDigits.trimmed());
        addChannel(*document, kind, vfoGroup(kind), 1, firstHz, kind == HF ? kUsb : kFm);
    }
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            settings.options.groupNames.valid.at(kind, group) =
                settings.channelCount(kind, group) > 0 ? 1 : 0;
    return document;
}

std::vector<InitFileName> shippedInitFileNames()
{
    return {
        {"0_KZ6666_New.dat", 0}, {"1_KZ6666_New.dat", 1}, {"0_KZ6666.dat", 0}, {"1_KZ6666.dat", 1}};
}
