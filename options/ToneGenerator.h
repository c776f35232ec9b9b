#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "radio/RogerBeep.h"

inline constexpr int kToneSampleRate = 44100;
// Each tone rises and falls over this time so that its edges do not click.
inline constexpr int kToneRampMilliseconds = 3;
// Tones of this length or shorter are not played at all.
inline constexpr int kShortestPlayedToneMilliseconds = 4;
// A tone field of this or less (48 Hz or less) is a rest: silence for its duration.
inline constexpr int kHighestRestField = 4;
inline constexpr std::int16_t kToneAmplitude = 16000;

// One stretch of a played set: a tone, or silence when frequencyHz is 0.
struct ToneSegment
{
    int frequencyHz = 0;
    int milliseconds = 0;
    bool ramped = false; // a sounding tone; rests and inter times are plain silence
    friend bool operator==(const ToneSegment &, const ToneSegment &) = default;
};

// What a preview plays, in order: recycle-times passes, each the tones of more than 4 ms (rests
// as silence), then the inter time. Empty when recycle times is 0 or below.
std::vector<ToneSegment> toneSchedule(const ToneSet &set);
// The length of the whole preview in milliseconds.
int toneScheduleMilliseconds(const ToneSet &set);

// Renders a set as 16-bit mono samples, a piece at a time, so that a sound device can pull them
// as it needs them and a file can take them all at once.
class ToneGenerator
{
public:
    explicit ToneGenerator(const ToneSet &set, int sampleRate = kToneSampleRate);

    // Fills out with the next samples; fewer than asked (0 at the end) when the set is over.
    std::size_t render(std::span<std::int16_t> out);
    bool atEnd() const { return m_segment >= m_segments.size(); }
    std::size_t totalSamples() const { return m_totalSamples; }
    int sampleRate() const { return m_sampleRate; }

private:
    std::int16_t sampleAt(const ToneSegment &segment, std::size_t index, std::size_t length) const;
    std::size_t segmentSamples(const ToneSegment &segment) const;

    std::vector<ToneSegment> m_segments;
    int m_sampleRate;
    std::size_t m_totalSamples = 0;
    std::size_t m_segment = 0;
    std::size_t m_position = 0; // within the current segment
};

// The whole preview of a set.
std::vector<std::int16_t> renderToneSet(const ToneSet &set, int sampleRate = kToneSampleRate);

// A canonical WAV file (RIFF, PCM, 16-bit mono) holding the samples.
std::vector<std::uint8_t> wavFileBytes(std::span<const std::int16_t> samples,
                                       int sampleRate = kToneSampleRate);

// One bar of the tone picture, in fractions of the picture: where it starts and how wide it is
// (its share of the set's total duration) and how high (its frequency against the highest one a
// tone can have). Odd and even bars alternate between two styles.
struct ToneBar
{
    double left = 0;
    double width = 0;
    double height = 0;
    bool alternate = false;
};
// One bar per sounding tone; rests leave their space empty. None when the total duration is 0.
std::vector<ToneBar> toneBars(const ToneSet &set);
