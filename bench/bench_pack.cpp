// Times PackDocumentIntoImage and UnpackImageIntoDocument of a full image with a full document and
// prints the figures. Goal: both together well under a millisecond.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"
#include "radio/OptionRecord.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every group filled to its capacity, every memory present, every option, DTMF code, tone set
// and broadcast entry in use.
std::unique_ptr<DocumentSet> fullDocument()
{
    auto document = std::make_unique<DocumentSet>();
    SettingsRecord &settings = document->settings;
    ApplyNewDocumentDefaults(settings, "20260101", 1);
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int capacity = groupCapacity(kind, group);
            settings.channelCounts.at(kind, group) = static_cast<std::int16_t>(capacity);
            for (int number = 1; number <= capacity; ++number) {
                ChannelRecord &channel = document->channels.entry(kind, group, number);
                channel.Number = static_cast<std::int16_t>(number);
                channel.Present = 1;
                channel.Scan = 1;
                channel.RxDigits.assign("28500000");
                channel.TxDigits = channel.RxDigits;
                channel.RogerBeep = 128;
            }
        }
    }
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        ChannelRecord &memory = document->memories.at(number);
        memory.Number = static_cast<std::int16_t>(number);
        memory.Present = 1;
        memory.RxDigits.assign("27005000");
    }
    document->memories.count = kMemoryChannelCount;
    for (DtmfCode &code : settings.options.dtmfCodes)
        code.assign("0123456789ABCD*#");
    for (int n = 1; n <= kBroadcastEntryCount; ++n)
        settings.options.broadcast.entry(n) = {1, 162.4 + 0.025 * n, 1, 1, 1};
    settings.options.btDeviceName.assign("ORX-740 Headset");
    return document;
}

// Every byte in use: BCD digits everywhere and every bit of the bit tables set.
RadioImage fullImage()
{
    RadioImage image;
    for (std::uint32_t address = 0; address <= RadioImage::kLastAddress; ++address)
        image.write(address, 0x29);
    for (std::uint32_t address = 0x16000; address < 0x16470; ++address)
        image.write(address, 0xFF);
    return image;
}

struct Figures
{
    double meanMicroseconds;
    double bestMicroseconds;
};

template<typename Step>
Figures timeStep(int rounds, Step &&step)
{
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(rounds));
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        step();
        const auto end = Clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    double total = 0;
    for (double t : times)
        total += t;
    return {total / rounds, *std::min_element(times.begin(), times.end())};
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::stoi(argv[1])) : 500;
    const auto document = fullDocument();
    const RadioImage source = fullImage();
    RadioImage image;
    auto target = std::make_unique<DocumentSet>();

    // One untimed pass of each so that first-touch page faults do not count.
    PackDocumentIntoImage(*document, image);
    UnpackImageIntoDocument(source, *target);

    const Figures pack = timeStep(rounds, [&] { PackDocumentIntoImage(*document, image); });
    const Figures unpack = timeStep(rounds, [&] { UnpackImageIntoDocument(source, *target); });

    std::printf("rounds: %d\n", rounds);
    std::printf("PackDocumentIntoImage:   mean %8.1f us, best %8.1f us\n", pack.meanMicroseconds,
                pack.bestMicroseconds);
    std::printf("UnpackImageIntoDocument: mean %8.1f us, best %8.1f us\n", unpack.meanMicroseconds,
                unpack.bestMicroseconds);
    std::printf("together:       mean %8.1f us, best %8.1f us\n",
                pack.meanMicroseconds + unpack.meanMicroseconds,
                pack.bestMicroseconds + unpack.bestMicroseconds);
    return 0;
}
