#include "options/ToneGenerator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMillisecondsPerUnit = 10;
constexpr int kHertzPerUnit = 10;
// The highest frequency field the window offers (2550 Hz): the full height of the picture.
constexpr double kHighestFrequencyField = 255.0;

void putLittleEndian(std::vector<std::uint8_t> &bytes, std::uint32_t value, int size)
{
    for (int k = 0; k < size; ++k)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

void putTag(std::vector<std::uint8_t> &bytes, const char (&tag)[5])
{
    // One byte at a time: GCC 12 at -O3 takes a range insert into a fresh vector for an overflow.
    for (int k = 0; k < 4; ++k)
        bytes.push_back(static_cast<std::uint8_t>(tag[k]));
}

} // namespace

std::vector<ToneSegment> toneSchedule(const ToneSet &set)
{
    std::vector<ToneSegment> pass;
    for (const Tone &tone : set.tones) {
        const int milliseconds = tone.duration * kMillisecondsPerUnit;
        if (milliseconds <= kShortestPlayedToneMilliseconds)
            continue;
        if (tone.frequency > kHighestRestField)
            pass.push_back({tone.frequency * kHertzPerUnit, milliseconds, true});
        else
            pass.push_back({0, milliseconds, false});
    }
    if (set.interTime > 0)
        pass.push_back({0, set.interTime * kMillisecondsPerUnit, false});

    std::vector<ToneSegment> schedule;
    for (int k = 0; k < set.recycleTimes; ++k)
        schedule.insert(schedule.end(), pass.begin(), pass.end());
    return schedule;
}

int toneScheduleMilliseconds(const ToneSet &set)
{
    int total = 0;
    for (const ToneSegment &segment : toneSchedule(set))
        total += segment.milliseconds;
    return total;
}

ToneGenerator::ToneGenerator(const ToneSet &set, int sampleRate)
    : m_segments(toneSchedule(set))
    , m_sampleRate(sampleRate)
{
    for (const ToneSegment &segment : m_segments)
        m_totalSamples += segmentSamples(segment);
}

std::size_t ToneGenerator::segmentSamples(const ToneSegment &segment) const
{
    return static_cast<std::size_t>(segment.milliseconds) * static_cast<std::size_t>(m_sampleRate) /
           1000;
}

std::int16_t ToneGenerator::sampleAt(const ToneSegment &segment, std::size_t index,
                                     std::size_t length) const
{
    if (!segment.ramped)
        return 0;
    // Each tone starts at phase 0; a raised-cosine ramp at both ends, shortened for tones too
    // short to hold two whole ramps.
    const std::size_t ramp =
        std::min(static_cast<std::size_t>(m_sampleRate * kToneRampMilliseconds / 1000), length / 2);
    const std::size_t fromEdge = std::min(index, length - 1 - index);
    double gain = 1.0;
    if (ramp > 0 && fromEdge < ramp)
        gain = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(fromEdge) /
                                    static_cast<double>(ramp));
    const double phase =
        2.0 * std::numbers::pi * segment.frequencyHz * static_cast<double>(index) / m_sampleRate;
    return static_cast<std::int16_t>(std::lround(kToneAmplitude * gain * std::sin(phase)));
}

std::size_t ToneGenerator::render(std::span<std::int16_t> out)
{
    std::size_t written = 0;
    while (written < out.size() && !atEnd()) {
        const ToneSegment &segment = m_segments[m_segment];
        const std::size_t length = segmentSamples(segment);
        while (written < out.size() && m_position < length)
            out[written++] = sampleAt(segment, m_position++, length);
        if (m_position >= length) {
            ++m_segment;
            m_position = 0;
        }
    }
    return written;
}

std::vector<std::int16_t> renderToneSet(const ToneSet &set, int sampleRate)
{
    ToneGenerator generator(set, sampleRate);
    std::vector<std::int16_t> samples(generator.totalSamples());
    generator.render(samples);
    return samples;
}

std::vector<std::uint8_t> wavFileBytes(std::span<const std::int16_t> samples, int sampleRate)
{
    constexpr std::uint32_t kHeaderAfterSize = 36;
    constexpr std::uint16_t kBytesPerSample = 2;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeaderAfterSize + 8 + dataSize);
    putTag(bytes, "RIFF");
    putLittleEndian(bytes, kHeaderAfterSize + dataSize, 4);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putLittleEndian(bytes, 16, 4); // size of the format chunk
    putLittleEndian(bytes, 1, 2);  // PCM
    putLittleEndian(bytes, 1, 2);  // mono
    putLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate) * kBytesPerSample, 4);
    putLittleEndian(bytes, kBytesPerSample, 2); // block align
    putLittleEndian(bytes, 16, 2);              // bits per sample
    putTag(bytes, "data");
    putLittleEndian(bytes, dataSize, 4);
    for (const std::int16_t sample : samples)
        putLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
    return bytes;
}

std::vector<ToneBar> toneBars(const ToneSet &set)
{
    std::vector<ToneBar> bars;
    int total = 0;
    for (const Tone &tone : set.tones)
        total += std::max(0, tone.duration * kMillisecondsPerUnit);
    if (total == 0)
        return bars;
    int start = 0;
    for (const Tone &tone : set.tones) {
        const int milliseconds = std::max(0, tone.duration * kMillisecondsPerUnit);
        if (tone.frequency > kHighestRestField && milliseconds > 0) {
            const double height = std::min(1.0, tone.frequency / kHighestFrequencyField);
            bars.push_back({double(start) / total, double(milliseconds) / total, height,
                            bars.size() % 2 == 1});
        }
        start += milliseconds;
    }
    return bars;
}
