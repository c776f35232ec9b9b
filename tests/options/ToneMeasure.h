#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

// Measurements on rendered samples, made the way one would on a recording.

// The frequency between the first and the last rising zero crossing of the stretch, each crossing
// placed between its two samples; 0 when the stretch holds fewer than two.
inline double measuredFrequency(std::span<const std::int16_t> samples, int sampleRate)
{
    double first = -1;
    double last = -1;
    int rising = 0;
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const double a = samples[k - 1];
        const double b = samples[k];
        if (a < 0 && b >= 0) {
            const double at = double(k - 1) + (-a) / (b - a);
            if (first < 0)
                first = at;
            last = at;
            ++rising;
        }
    }
    if (rising < 2)
        return 0;
    return (rising - 1) * sampleRate / (last - first);
}

inline int peak(std::span<const std::int16_t> samples)
{
    int highest = 0;
    for (const std::int16_t s : samples)
        highest = std::max(highest, std::abs(int(s)));
    return highest;
}

// The stretches [begin, end) that sound, split wherever at least gapSamples samples in a row are 0.
struct Run
{
    std::size_t begin;
    std::size_t end;
};
inline std::vector<Run> soundingRuns(std::span<const std::int16_t> samples, std::size_t gapSamples)
{
    std::vector<Run> runs;
    std::size_t zeros = 0;
    bool inRun = false;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        if (samples[k] != 0) {
            if (!inRun)
                runs.push_back({k, k + 1});
            inRun = true;
            zeros = 0;
            runs.back().end = k + 1;
        } else if (++zeros >= gapSamples) {
            inRun = false;
        }
    }
    return runs;
}
