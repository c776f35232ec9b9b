#pragma once

#include <array>
#include <cstdint>

#include "lang/Texts.h"

class ByteReader;
class ByteWriter;
class RadioImage;
struct DocumentSet;
struct SettingsRecord;

inline constexpr int kToneSetCount = 8;
inline constexpr int kTonesPerSet = 14;

// One tone of a set: frequency in 10 Hz (0 none; 4 or less, i.e. 48 Hz or less, is a rest that
// keeps its duration but sounds nothing) and duration in 10 ms.
struct Tone
{
    std::int16_t frequency = 0;
    std::int16_t duration = 0;
    friend bool operator==(const Tone &, const Tone &) = default;
};

// One roger-beep tone set: 14 tones, then how often the sequence plays and the pause after each
// pass (10 ms). 60 bytes in the data file: 14 entries of 4 bytes followed by 4 bytes.
struct ToneSet
{
    std::array<Tone, kTonesPerSet> tones{};
    std::int16_t recycleTimes = 0; // 0 off, 1-10
    std::int16_t interTime = 0;    // 10 ms

    friend bool operator==(const ToneSet &, const ToneSet &) = default;
};

// The eight tone-tip and roger-beep sets, numbered 1-8 (480 bytes in the data file).
struct ToneTipTable
{
    std::array<ToneSet, kToneSetCount> sets{};

    ToneSet &set(int number) { return sets.at(static_cast<std::size_t>(number - 1)); }
    const ToneSet &set(int number) const { return sets.at(static_cast<std::size_t>(number - 1)); }

    friend bool operator==(const ToneTipTable &, const ToneTipTable &) = default;
};

inline constexpr std::size_t kToneSetPackedSize = 60;
inline constexpr std::size_t kToneTipTablePackedSize = 480;

// Channels and public-channel sets refer to tone set n as n + 127; 0 means none.
inline constexpr int kRogerReferenceOffset = 127;

// A set is defined when it plays at least once and has a tone of positive duration.
bool isToneSetDefined(const ToneSet &set);
// The number itself when that set is defined, else 0 (also for a number outside 1-8).
int IsToneSetDefined(const ToneTipTable &table, int number);
int CountDefinedToneSets(const ToneTipTable &table);
// Sum of the tone durations in milliseconds.
int ToneSetDuration(const ToneSet &set);
int ToneSetDuration(const ToneTipTable &table, int number);

// A stored roger-beep reference (0, or set number + 127) kept when it names a defined set, else 0.
int revalidatedRogerReference(const ToneTipTable &table, int reference);
// After a set changed: every channel's roger-beep reference (all kinds and groups, and the memory
// channels) and the three public-channel "Roger" values that no longer name a defined set become 0.
// Every kind, group and memory channel is swept because a write sends the roger byte of each of
// them; one left naming an undefined set would make the radio play an empty set. The windows
// rebuild their roger-beep lists afterwards (the notifier's toneSetsChanged).
void RevalidateToneRefs(DocumentSet &document);

// The five sets of a new document; sets 6-8 all zero.
ToneTipTable defaultToneTips();

// Image steps: set n at 0x20100 + 32(n-1): recycle times, inter time, 14 frequencies,
// 14 durations; bytes +30 and +31 are neither read nor written.
void EncodeToneTips(const SettingsRecord &settings, RadioImage &image);
void DecodeToneTips(const RadioImage &image, SettingsRecord &settings);

// Packed data-file form (480 bytes).
void writeToneTips(ByteWriter &writer, const ToneTipTable &table);
void readToneTips(ByteReader &reader, ToneTipTable &table);

namespace RogerBeepTexts {
inline constexpr TextEntry kCaption{"", "Roger Beep", "RB音"};
inline constexpr TextEntry kTab{"", "RB Tone", "RB音"};
inline constexpr TextEntry kRecycleTimes{"", "Recycle Times", "循环次数"};
inline constexpr TextEntry kInterTime{"", "Inter Time[ms]", "间隔时间[ms]"};
inline constexpr TextEntry kFrequency{"", "Frequency[Hz]", "频率[Hz]"};
inline constexpr TextEntry kToneLong{"", "Tone Long[ms]", "音长[ms]"};
inline constexpr TextEntry kOff{"", "Off", "关"};
inline constexpr TextEntry kNone{"", "None", "无"};
} // namespace RogerBeepTexts
