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
