#pragma once

#include <optional>
#include <string_view>

#include "model/Band.h"
#include "radio/Frequency.h"

struct DocumentSet;
struct ChannelRecord;
struct MemoryChannels;

// Editing the channel lists of the document. A group's list is compact: entries 1..count hold its
// channels, each identified by its `Number`.

// Entry index (1..count) of the channel with that number, or none.
std::optional<int> FindChannel(const DocumentSet &document, int kind, int group, int number);

// Appends a new channel with the receive frequency of a display text and the defaults of a new
// channel; answers its entry index. Refused (none) for a kind, group or number the group lacks,
// a number already in the list, or a full list.
std::optional<int> AddChannel(DocumentSet &document, int kind, int group, int number,
                              std::string_view displayText, const BandLimits &limits);
// The same for a frequency read already: the record keeps its digits.
std::optional<int> AddChannel(DocumentSet &document, int kind, int group, int number,
                              Frequency frequency);
// Makes memory `number` present with the defaults of a new channel; its recalled channel and band
// stay. False for a number outside 1..96.
bool AddMemoryChannel(MemoryChannels &memories, int number, std::string_view displayText,
                      const BandLimits &limits);
// Removes entry `index` (1..count): the entries after it move up one place. False, and nothing
// changed, for an index outside the list.
bool RemoveChannelEntry(DocumentSet &document, int kind, int group, int index);

enum class ChannelRemoval
{
    Removed,             // removed; settings that referred to it have been told
    RemovedGroupInvalid, // removed, and its group is no longer valid
    Kept                 // the last channel the radio must keep: nothing changed
};

// The user cleared the receive frequency of entry `index`. A group keeps its last regular channel
// (numbered 40 or less) unless another valid group still holds a channel; the group then stops
// being valid.
ChannelRemoval RemoveClearedChannel(DocumentSet &document, int kind, int group, int index);
