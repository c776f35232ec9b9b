#pragma once

#include <cstdint>

#include "model/ChannelLayout.h"
#include "model/FixedText.h"

// The two-character names of the named groups and the group-valid flags of every group.
struct GroupNameTable
{
    KindGroupArray<FixedText<2>> names;
    KindGroupArray<std::int16_t> valid;

    friend bool operator==(const GroupNameTable &, const GroupNameTable &) = default;
};

class RadioImage;

// Names at 0x22000 (CB), 0x22020 (HF), 0x22040 (HAM) and the group-valid bit maps at 0x16460.
// The option step calls these in its pass, between the bit maps and the option bytes.
void EncodeGroupNames(const GroupNameTable &table, RadioImage &image);
void DecodeGroupNames(const RadioImage &image, GroupNameTable &table);
