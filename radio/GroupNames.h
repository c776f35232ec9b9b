#pragma once

#include <cstdint>
#include <string_view>

#include "model/ChannelLayout.h"
#include "model/FieldList.h"
#include "model/FixedText.h"

// The two-character names of the named groups and the group-valid flags of every group.
struct GroupNameTable
{
    KindGroupArray<FixedText<2>> names;
    KindGroupArray<std::int16_t> valid;

    friend bool operator==(const GroupNameTable &, const GroupNameTable &) = default;
};

// In the option record the group-valid flags come first, then the names.
template<RecordOf<GroupNameTable> R, typename V>
void fields(R &r, V &&v)
{
    LIST_FIELD(v, r.valid,
               FieldDescription("valid").flag().describe(
                   "Group-valid flags of groups 1-17 of each kind; the named groups use theirs."));
    LIST_FIELD(
        v, r.names,
        FieldDescription("names")
            .as(FieldForm::Text)
            .describe(
                "Two-character names of groups 1-17 of each kind; the named groups use theirs."));
}

class RadioImage;

// Names at 0x22000 (CB), 0x22020 (HF), 0x22040 (HAM) and the group-valid bit maps at 0x16460.
// The option step calls these in its pass, between the bit maps and the option bytes.
void EncodeGroupNames(const GroupNameTable &table, RadioImage &image);
void DecodeGroupNames(const RadioImage &image, GroupNameTable &table);

// Image addresses of a named group's name (2 bytes) and of the first byte of a kind's group-valid
// bit map; 0 for a kind or group without one.
std::uint32_t groupNameAddress(int kind, int group);
std::uint32_t groupValidBitmapBase(int kind);

// The group a selector text stands for: the last named group of the kind whose name matches,
// "MEM" and "VFO" for the MEM and VFO groups of HF and HAM; 0 when nothing matches.
int GroupFromText(const GroupNameTable &table, int kind, std::string_view text);

// The frequency range text of a group; empty for a group that has none.
std::string_view groupFrequencyText(int kind, int group);
