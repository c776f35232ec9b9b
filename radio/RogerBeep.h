#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "lang/Texts.h"
#include "model/FieldList.h"

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

template<RecordOf<Tone> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(v, r.frequency,
               FieldDescription("frequency")
                   .scaled(0, 10, 0, "Hz")
                   .range(0, 255)
                   .help("FrmToneTips", "Combo3_0"));
    LIST_FIELD(v, r.duration,
               FieldDescription("duration")
                   .scaled(0, 10, 0, "ms")
                   .range(0, 255)
                   .help("FrmToneTips", "Combo4_0"));
}

// The first item of the recycle-times list: the set does not play.
inline constexpr std::array<TextEntry, 1> kRecycleOffItem{{{"", "Off", "关"}}};

// One roger-beep tone set: 14 tones, then how often the sequence plays and the pause after each
// pass (10 ms). 60 bytes in the data file: 14 entries of 4 bytes followed by 4 bytes.
struct ToneSet
{
    std::array<Tone, kTonesPerSet> tones{};
    std::int16_t recycleTimes = 0; // 0 off, 1-10
    std::int16_t interTime = 0;    // 10 ms

    friend bool operator==(const ToneSet &, const ToneSet &) = default;
};

template<RecordOf<ToneSet> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(v, r.tones, FieldDescription("tones").elements("tone"));
    LIST_FIELD(v, r.recycleTimes,
               FieldDescription("recycleTimes")
                   .list(numberItems(1, 10, 1, {}, kRecycleOffItem))
                   .help("FrmToneTips", "Combo1"));
    LIST_FIELD(v, r.interTime,
               FieldDescription("interTime")
                   .scaled(0, 10, 0, "ms")
                   .range(0, 255)
                   .help("FrmToneTips", "Combo2"));
}

// The eight tone-tip and roger-beep sets, numbered 1-8 (480 bytes in the data file).
struct ToneTipTable
{
    std::array<ToneSet, kToneSetCount> sets{};

    ToneSet &set(int number) { return sets.at(static_cast<std::size_t>(number - 1)); }
    const ToneSet &set(int number) const { return sets.at(static_cast<std::size_t>(number - 1)); }

    friend bool operator==(const ToneTipTable &, const ToneTipTable &) = default;
};

template<RecordOf<ToneTipTable> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(v, r.sets, FieldDescription("sets").elements("set"));
}

inline constexpr std::size_t kToneSetPackedSize = 60;
inline constexpr std::size_t kToneTipTablePackedSize = 480;

// Channels and public-channel sets refer to tone set n as n + 127; 0 means none.
inline constexpr int kRogerReferenceOffset = 127;

// A set is defined when it plays at least once and has a tone of positive duration.
bool hasPlayableTones(const ToneSet &set);
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

// Whether set `number` may take the values of `changed`: refused when it is the only defined set
// and the change would leave it undefined, so that at least one set always stays defined.
bool keepsADefinedToneSet(const ToneTipTable &table, int number, const ToneSet &changed);

// The frequency field (10 Hz) of a text of the frequency list, found by its position in the full
// list "None", "10", "20", ... "2550": 0 for "None" or a text not in that list.
int toneFrequencyField(std::string_view text);

// The five sets of a new document; sets 6-8 all zero.
ToneTipTable defaultToneTips();

// Image steps: set n at 0x20100 + 32(n-1): recycle times, inter time, 14 frequencies,
// 14 durations; bytes +30 and +31 are neither read nor written.
void EncodeToneTips(const SettingsRecord &settings, RadioImage &image);
void DecodeToneTips(const RadioImage &image, SettingsRecord &settings);

namespace RogerBeepTexts {
inline constexpr TextEntry kCaption{"", "Roger Beep", "RB音"};
inline constexpr TextEntry kTab{"", "RB Tone", "RB音"};
inline constexpr TextEntry kRecycleTimes{"", "Recycle Times", "循环次数"};
inline constexpr TextEntry kInterTime{"", "Inter Time[ms]", "间隔时间[ms]"};
inline constexpr TextEntry kFrequency{"", "Frequency[Hz]", "频率[Hz]"};
inline constexpr TextEntry kToneLong{"", "Tone Long[ms]", "音长[ms]"};
inline constexpr TextEntry kOff{"", "Off", "关"};
inline constexpr TextEntry kNone{"", "None", "无"};
inline constexpr TextEntry kToneNames[kTonesPerSet]{
    {"", "First Tone", "第一个音"},        {"", "Second Tone", "第二个音"},
    {"", "Third Tone", "第三个音"},        {"", "Fourth Tone", "第四个音"},
    {"", "Fifth Tone", "第五个音"},        {"", "Sixth Tone", "第六个音"},
    {"", "Seventh Tone", "第七个音"},      {"", "Eighth Tone", "第八个音"},
    {"", "Ninth Tone", "第九个音"},        {"", "Tenth Tone", "第十个音"},
    {"", "Eleventh Tone", "第十一个音"},   {"", "Twelfth Tone", "第十二个音"},
    {"", "Thirteenth Tone", "第十三个音"}, {"", "Fourteenth Tone", "第十四个音"},
};
inline constexpr TextEntry kPlay{"", "&Play", "播放(&P)"};
inline constexpr TextEntry kStop{"", "&Stop", "停止(&S)"};
inline constexpr TextEntry kSaveWav{"", "Save as &WAV…", "另存为WAV(&W)…"};
inline constexpr TextEntry kWavFilterLabel{"", "WAV File", "WAV文件"};
inline constexpr TextEntry kNoSoundOutput{"", "No sound output is available.",
                                          "没有可用的声音输出。"};
inline constexpr TextEntry kNothingToPlay{"", "This roger-beep set plays nothing.",
                                          "该RB音组没有可播放的音。"};
} // namespace RogerBeepTexts
