#include "radio/RogerBeep.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "model/ByteIO.h"
#include "model/ImageByte.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/SettingsRecord.h"

namespace {

constexpr std::uint32_t kToneBase = 0x20100;
constexpr std::uint32_t kSetStride = 32;
constexpr std::uint32_t kFrequencyOffset = 2;
constexpr std::uint32_t kDurationOffset = 16;
constexpr int kMillisecondsPerUnit = 10;

std::uint32_t setAddress(int number)
{
    return kToneBase + kSetStride * static_cast<std::uint32_t>(number - 1);
}

// The image byte of every value of a set, one table for both directions: recycle times, inter
// time, the 14 frequencies, the 14 durations.
template<typename Set, typename Visit>
void toneSetBytes(Set &set, std::uint32_t base, Visit &&visit)
{
    visit(base, set.recycleTimes);
    visit(base + 1, set.interTime);
    for (std::uint32_t k = 0; k < kTonesPerSet; ++k) {
        visit(base + kFrequencyOffset + k, set.tones[k].frequency);
        visit(base + kDurationOffset + k, set.tones[k].duration);
    }
}

ToneSet makeSet(std::initializer_list<Tone> tones)
{
    ToneSet set;
    set.recycleTimes = 1;
    std::copy(tones.begin(), tones.end(), set.tones.begin());
    return set;
}

} // namespace

bool hasPlayableTones(const ToneSet &set)
{
    return set.recycleTimes >= 1 && std::any_of(set.tones.begin(), set.tones.end(),
                                                [](const Tone &t) { return t.duration > 0; });
}

int IsToneSetDefined(const ToneTipTable &table, int number)
{
    if (number < 1 || number > kToneSetCount)
        return 0;
    return hasPlayableTones(table.set(number)) ? number : 0;
}

int CountDefinedToneSets(const ToneTipTable &table)
{
    return static_cast<int>(
        std::count_if(table.sets.begin(), table.sets.end(),
                      [](const ToneSet &set) { return hasPlayableTones(set); }));
}

int ToneSetDuration(const ToneSet &set)
{
    int total = 0;
    for (const Tone &tone : set.tones)
        total += tone.duration * kMillisecondsPerUnit;
    return total;
}

int ToneSetDuration(const ToneTipTable &table, int number)
{
    if (number < 1 || number > kToneSetCount)
        return 0;
    return ToneSetDuration(table.set(number));
}

int revalidatedRogerReference(const ToneTipTable &table, int reference)
{
    // References are stored as set number + 127, so the number is taken out before the test;
    // testing the stored value itself would clear every reference.
    const int number = IsToneSetDefined(table, reference - kRogerReferenceOffset);
    return number == 0 ? 0 : number + kRogerReferenceOffset;
}

void RevalidateToneRefs(DocumentSet &document)
{
    const ToneTipTable &table = document.settings.toneTips;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = std::min(document.channelCount(kind, group), kMaxChannelsPerGroup);
            for (int index = 1; index <= count; ++index) {
                ChannelRecord &channel = document.channels.entry(kind, group, index);
                channel.RogerBeep =
                    static_cast<std::uint16_t>(revalidatedRogerReference(table, channel.RogerBeep));
            }
        }
    }
    for (ChannelRecord &memory : document.memories.records)
        memory.RogerBeep =
            static_cast<std::uint16_t>(revalidatedRogerReference(table, memory.RogerBeep));
    for (PublicParamSet &set : document.settings.options.publicSets)
        set.roger = static_cast<std::int16_t>(revalidatedRogerReference(table, set.roger));
}

bool keepsADefinedToneSet(const ToneTipTable &table, int number, const ToneSet &changed)
{
    return hasPlayableTones(changed) || CountDefinedToneSets(table) != 1 ||
           IsToneSetDefined(table, number) == 0;
}

int toneFrequencyField(std::string_view text)
{
    int hertz = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hertz);
    if (error != std::errc{} || end != text.data() + text.size() || hertz < 10 || hertz > 2550 ||
        hertz % 10 != 0)
        return 0;
    return hertz / 10;
}

ToneTipTable defaultToneTips()
{
    ToneTipTable table;
    constexpr Tone kRest100{0, 10};
    table.set(1) =
        makeSet({{210, 10}, kRest100, {210, 10}, kRest100, {210, 10}, kRest100, {210, 10}});
    ToneSet &second = table.set(2);
    second.recycleTimes = 1;
    for (int k = 0; k < kTonesPerSet; ++k)
        second.tones[static_cast<std::size_t>(k)] = {static_cast<std::int16_t>(k % 2 == 0 ? 80 : 0),
                                                     4};
    ToneSet &third = table.set(3);
    third.recycleTimes = 1;
    for (int k = 0; k < 7; ++k)
        third.tones[static_cast<std::size_t>(k)] = {
            static_cast<std::int16_t>(k % 2 == 0 ? 170 : 90), 3};
    table.set(4) = makeSet({{64, 6}, {94, 6}, {134, 6}, {163, 6}, {192, 6}});
    table.set(5) = makeSet({{150, 20}, {70, 20}, {150, 20}, {70, 20}, {150, 20}, {70, 20}});
    return table;
}

void EncodeToneTips(const SettingsRecord &settings, RadioImage &image)
{
    for (int number = 1; number <= kToneSetCount; ++number)
        toneSetBytes(settings.toneTips.set(number), setAddress(number),
                     [&image](std::uint32_t address, std::int16_t value) {
                         image.write(address, toImageByte(value));
                     });
}

void DecodeToneTips(const RadioImage &image, SettingsRecord &settings)
{
    for (int number = 1; number <= kToneSetCount; ++number)
        toneSetBytes(settings.toneTips.set(number), setAddress(number),
                     [&image](std::uint32_t address, std::int16_t &value) {
                         value = image.byteAt(address);
                     });
}
