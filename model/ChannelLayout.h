#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

// Channel kinds and the groups each kind holds.
enum ChannelKind : int
{
    CB = 0,
    HF = 1,
    HAM = 2
};

inline constexpr int kKindCount = 3;
inline constexpr int kMaxGroup = 17;
inline constexpr int kMaxChannelsPerGroup = 99;
inline constexpr int kMemoryChannelCount = 96;

// Groups of a kind: CB 1-7; HF 1-15, MEM 16, VFO 17; HAM 1-12, MEM 13, VFO 14.
constexpr int groupCount(int kind)
{
    constexpr std::array<int, kKindCount> counts{7, 17, 14};
    return kind >= 0 && kind < kKindCount ? counts[static_cast<std::size_t>(kind)] : 0;
}

constexpr int memGroup(int kind)
{
    return kind == HF ? 16 : kind == HAM ? 13 : 0;
}
constexpr int vfoGroup(int kind)
{
    return kind == HF ? 17 : kind == HAM ? 14 : 0;
}
// Groups that carry a two-character name (all but MEM and VFO).
constexpr int namedGroupCount(int kind)
{
    constexpr std::array<int, kKindCount> counts{7, 15, 12};
    return kind >= 0 && kind < kKindCount ? counts[static_cast<std::size_t>(kind)] : 0;
}

// How many channels a group can hold: 40, 99 for MEM, 1 for VFO; 0 for a group the kind lacks.
constexpr int groupCapacity(int kind, int group)
{
    if (group < 1 || group > groupCount(kind))
        return 0;
    if (group == memGroup(kind))
        return 99;
    if (group == vfoGroup(kind))
        return 1;
    return 40;
}

constexpr bool isValidKindGroup(int kind, int group)
{
    return kind >= 0 && kind < kKindCount && group >= 1 && group <= kMaxGroup;
}

// A value per kind (0..2) and group (1..17), stored with the kind varying fastest: element
// (k, g) is number (g-1)*3 + k, as in the data file.
template<typename T>
struct KindGroupArray
{
    static constexpr std::size_t kCount = std::size_t{kKindCount} * kMaxGroup;
    std::array<T, kCount> values{};

    static constexpr std::size_t indexOf(int kind, int group)
    {
        if (!isValidKindGroup(kind, group))
            throw std::out_of_range("kind or group out of range");
        return static_cast<std::size_t>(group - 1) * kKindCount + static_cast<std::size_t>(kind);
    }
    T &at(int kind, int group) { return values[indexOf(kind, group)]; }
    const T &at(int kind, int group) const { return values[indexOf(kind, group)]; }

    friend bool operator==(const KindGroupArray &, const KindGroupArray &) = default;
};
