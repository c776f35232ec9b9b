#pragma once

#include <memory>
#include <random>
#include <string>

#include "channels/ChannelRecords.h"
#include "radio/Document.h"
#include "radio/OptionRecord.h"

// Documents for the data-file tests: every part of the record filled with something that is not
// its default, so that a field lost or misplaced on the way through a file shows.
namespace Samples {

inline const BandLimits kWide{20.0, 40.0};

inline std::unique_ptr<DocumentSet> richDocument(int seed = 1)
{
    auto document = std::make_unique<DocumentSet>();
    SettingsRecord &settings = document->settings;
    ApplyNewDocumentDefaults(settings, "20261208", 1);
    settings.currentKind = 2;
    settings.currentGroup = {3, 4, 5};
    for (std::size_t i = 0; i < settings.groupSelection.values.size(); ++i)
        settings.groupSelection.values[i] = static_cast<std::int16_t>(i * seed % 7);

    for (int n = 1; n <= 3; ++n)
        AddChannel(*document, CB, 2, n * 7, "27.0" + std::to_string(n) + "500", kWide);
    AddChannel(*document, HF, 16, 99, "28.12340", kWide);
    AddChannel(*document, HF, 17, 1, "29.00000", kWide);
    AddChannel(*document, HAM, 12, 40, "29.66500", kWide);
    ChannelRecord &tuned = document->channels.entry(CB, 2, 2);
    tuned.TxCtcss = 12;
    tuned.RxDcs = 33;
    tuned.Mode = 3;
    tuned.RogerBeep = 128;
    tuned.MemBand = 0xFFFF;
    AddMemoryChannel(document->memories, 9, "27.40500", kWide);
    document->memories.at(9).MemChannelId = 255;

    OptionRecord &options = settings.options;
    options.groupNames.names.at(HF, 3).assign("\xB2\xE2"); // two bytes of a GBK character
    options.dtmfCodes[4].assign("12*#ABCD");
    options.btDeviceName.assign("Radio\xFF");
    options.batteryMax = static_cast<std::uint16_t>(170 + seed);
    options.publicSets[1].dtmfCall = 5;
    options.reserved4[17] = 0xEE;
    settings.emergency.values[35] = static_cast<std::int16_t>(seed);
    settings.dualWatch.values[1] = -1;
    settings.memorySettings.values[15] = 1;
    settings.toneTips.set(8).tones[13] = {250, 7};
    settings.thresholds[11] = 99;
    settings.singleBytes[6] = 0xAB;
    settings.extraValues[13] = -2;
    settings.identity.date.assign("20261231");
    return document;
}

// A random byte, seeded for repeatable tests.
inline std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t &b : bytes)
        b = static_cast<std::uint8_t>(byte(generator));
    return bytes;
}

} // namespace Samples
