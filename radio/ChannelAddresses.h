#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/ChannelLayout.h"

// Where the channel tables lie in the radio's memory. Every function answers nothing for a kind,
// group or channel the radio does not have.

inline constexpr std::uint32_t kChannelSlotSize = 16;
inline constexpr std::uint32_t kMemorySlotBase = 0x10000;
inline constexpr std::uint32_t kMemoryValidBitmap = 0x16400;
inline constexpr std::uint32_t kMemoryScanBitmap = 0x16430;
inline constexpr std::uint32_t kMemoryChannelIdLow = 0x10600;  // memories 1..80
inline constexpr std::uint32_t kMemoryChannelIdHigh = 0x10660; // memories 81..96
inline constexpr std::uint32_t kMemoryBandBase = 0x10650;      // memories 65..80
inline constexpr int kFirstMemoryWithBand = 65;
inline constexpr int kLastMemoryWithBand = 80;
// A memory extra byte that recalls no channel.
inline constexpr std::uint8_t kNoMemoryChannelId = 255;

// The slots a group's area holds: its capacity, except CB group 3, whose area runs on to 80 slots
// (the special channel settings refer to them) although its tables cover channels 1..40.
constexpr int slotAreaSize(int kind, int group)
{
    return kind == CB && group == 3 ? 80 : groupCapacity(kind, group);
}

constexpr std::optional<std::uint32_t> groupBase(int kind, int group)
{
    constexpr std::array<std::uint32_t, 7> cb{0x0000, 0x0280, 0x0500, 0x0A00,
                                              0x2000, 0x2280, 0x2500};
    constexpr std::array<std::uint32_t, 17> hf{0x4000, 0x4280, 0x4500, 0x4780,  0x4A00, 0x6000,
                                               0x6280, 0x6500, 0x6780, 0x6A00,  0x8000, 0x8280,
                                               0x8500, 0x8780, 0x8A00, 0x12000, 0x12640};
    constexpr std::array<std::uint32_t, 14> ham{0xA000, 0xA280, 0xA500,  0xA780, 0xC000,
                                                0xC280, 0xC500, 0xC780,  0xE000, 0xE280,
                                                0xE500, 0xE780, 0x14000, 0x14640};
    if (group < 1 || group > groupCount(kind))
        return std::nullopt;
    const auto index = static_cast<std::size_t>(group - 1);
    return kind == CB ? cb[index] : kind == HF ? hf[index] : ham[index];
}

// Slot of channel `number` of a group, inside the group's area.
constexpr std::optional<std::uint32_t> channelSlotAddress(int kind, int group, int number)
{
    const auto base = groupBase(kind, group);
    if (!base || number < 1 || number > slotAreaSize(kind, group))
        return std::nullopt;
    return *base + kChannelSlotSize * static_cast<std::uint32_t>(number - 1);
}

constexpr std::optional<std::uint32_t> memorySlotAddress(int number)
{
    if (number < 1 || number > kMemoryChannelCount)
        return std::nullopt;
    return kMemorySlotBase + kChannelSlotSize * static_cast<std::uint32_t>(number - 1);
}

// Bit tables of a group: 5 bytes per 40-slot group; the MEM groups have their own tables, the VFO
// groups a table that is written but never read.
constexpr std::optional<std::uint32_t> validBitmapBase(int kind, int group)
{
    if (group < 1 || group > groupCount(kind))
        return std::nullopt;
    const auto step = static_cast<std::uint32_t>(group - 1) * 5;
    switch (kind) {
    case CB:
        return 0x16000 + step;
    case HF:
        return group == memGroup(HF) ? 0x16410 : 0x16080 + step;
    default:
        return group == memGroup(HAM) ? 0x16420 : 0x16100 + step;
    }
}

constexpr std::optional<std::uint32_t> scanBitmapBase(int kind, int group)
{
    if (group < 1 || group > groupCount(kind))
        return std::nullopt;
    const auto step = static_cast<std::uint32_t>(group - 1) * 5;
    switch (kind) {
    case CB:
        return 0x16200 + step;
    case HF:
        return group == memGroup(HF) ? 0x16440 : 0x16280 + step;
    default:
        return group == memGroup(HAM) ? 0x16450 : 0x16300 + step;
    }
}

// The extra byte holding memory n's recalled channel.
constexpr std::optional<std::uint32_t> memoryChannelIdAddress(int number)
{
    if (number < 1 || number > kMemoryChannelCount)
        return std::nullopt;
    return number <= 80 ? kMemoryChannelIdLow + static_cast<std::uint32_t>(number - 1)
                        : kMemoryChannelIdHigh + static_cast<std::uint32_t>(number - 81);
}

// The band byte of memories 65..80; the other memories have none.
constexpr std::optional<std::uint32_t> memoryBandAddress(int number)
{
    if (number < kFirstMemoryWithBand || number > kLastMemoryWithBand)
        return std::nullopt;
    return kMemoryBandBase + static_cast<std::uint32_t>(number - kFirstMemoryWithBand);
}
