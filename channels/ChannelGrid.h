#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Band.h"
#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/GroupNames.h"
#include "radio/SettingsRecord.h"

struct DocumentSet;

// How the channel window lays out one group and what its rows stand for. Rows are numbered from 1
// (the grid's header row is row 0). A channel row shows the group's channel whose `Number` is the
// row; the "M" rows of a CB group show memory channels, 16 to a group.
namespace ChannelGrid {

// Rows below the header: CB group 3 96, other CB groups 56, MEM groups 99, VFO groups 1, else 40.
int rowCount(int kind, int group);
// The rows that show group channels: CB group 3 80, other CB groups 40, else rowCount.
int channelRowCount(int kind, int group);
bool isMemoryRow(int kind, int group, int row);
// The block of 16 memories a CB group shows: the group at selector position p uses block p + 1,
// except group 7, which shows block 5 (memories 65..80) as group 5 does.
int memoryBlock(int group);
// The memory a CB memory row shows, or 0 for any other row.
int memoryNumber(int kind, int group, int row);
// "1".."40", "M1".."M16" in CB, "M1".."M99" in MEM groups.
std::string rowName(int kind, int group, int row);
// Width of the frequency column in twips: 1520 for CB group 3, MEM and VFO groups, else 1260.
int frequencyColumnTwips(int kind, int group);
inline constexpr int kNameColumnTwips = 500;
inline constexpr int kHeaderRowTwips = 510;

// "M" + n gives n + 40, a number text its value, anything else 0.
int GetCHID(std::string_view text);
// Numbers above 40 become "M" + (number - 40).
std::string GetCHName(int number);

// The record a row shows: the group channel of the row's number or, on a CB memory row, the
// memory (present or not); null for a channel row without a channel.
const ChannelRecord *rowRecord(const DocumentSet &document, int kind, int group, int row);
ChannelRecord *rowRecord(DocumentSet &document, int kind, int group, int row);
// The frequency cell of a row. A CB memory row shows the frequency of the group channel it
// recalls, and nothing when the memory is absent or recalls none.
std::string rowFrequencyText(const DocumentSet &document, int kind, int group, int row,
                             const BandLimits &limits);

// The rows the Tools commands work on: 40 for named groups, 99 for MEM groups, 1 for VFO groups.
int editGroupSize(int kind, int group);

// One row's worth of the row clipboard; none is an empty row.
using ClipRow = std::optional<ChannelRecord>;

// The records of rows first..last as Copy takes them: channel rows clipped to the group's size,
// or on the "M" rows of a CB group the memories (an absent one as an empty row); nothing from
// rows that are neither.
std::vector<ClipRow> copyRows(const DocumentSet &document, int kind, int group, int first,
                              int last);
// Removes the channels of rows first..last within the group's size; nothing in a VFO group.
// Answers whether anything changed.
bool deleteRows(DocumentSet &document, int kind, int group, int first, int last);
// The clipboard rows become the channels of rows row, row + 1, ... as far as the group reaches
// (in a VFO group only row 1), each with its row as `Number`; an empty clipboard row empties its
// row.
bool pasteRows(DocumentSet &document, int kind, int group, int row,
               const std::vector<ClipRow> &rows);
// Makes room for the clipboard rows at row (the channels numbered at the group's end drop out,
// those from row on move down), then pastes them; nothing in a VFO group.
bool insertRows(DocumentSet &document, int kind, int group, int row,
                const std::vector<ClipRow> &rows);

enum class FrequencyOutcome
{
    Unchanged,
    Added,
    Changed,
    Removed,
    RemovedGroupInvalid,
    Kept,    // the cleared channel is the last one the radio must keep
    Refused, // the text is no frequency of the band: the row keeps what it had
};

struct FrequencyCommit
{
    FrequencyOutcome outcome = FrequencyOutcome::Unchanged;
    FrequencyMessage message = FrequencyMessage::None;
};

// A frequency typed into a row: checked against the band (clamp off); a good one sets the row's
// channel or adds one, an empty text removes the channel by the removal rule, and a text that is
// no frequency of the band is refused, leaving the row as it was. CB rows and memory rows take no
// typed frequency.
FrequencyCommit CommitFrequencyText(DocumentSet &document, int kind, int group, int row,
                                    std::string_view text, bool warn, const BandLimits &limits);

enum class GroupValidChange
{
    Unchanged,
    Changed,
    Refused // switching off the last valid group of the kind
};
// "Group Valid" of a named group; a group that becomes valid without a regular channel gets
// channel 1 at its default frequency.
GroupValidChange SetGroupValid(DocumentSet &document, int kind, int group, bool valid,
                               const BandLimits &limits);
// The frequency channel 1 of a newly valid group starts on; empty for groups above 10.
std::string defaultGroupFrequency(int kind, int group);

// Lines pasted as text: one frequency a line, optionally after a row-name column and followed by
// further columns (the tab-separated form that Copy puts on the system clipboard).
struct TextPaste
{
    std::vector<std::string> frequencies; // checked MHz texts; empty clears the row
    std::vector<int> badLines;            // 1-based lines that are no frequency of the band
    // Some line holds a number where the frequency goes (in the band or not); text without one
    // (a sentence, a name) is no list of frequencies at all.
    bool holdsFrequencies = false;
};
TextPaste parseFrequencyLines(std::string_view text, const BandLimits &limits);
// Applies the lines from row on; refused (false, nothing changed) when a line is bad or the lines
// run past the group's end.
bool pasteFrequencyLines(DocumentSet &document, int kind, int group, int row, TextPaste &paste,
                         const BandLimits &limits);

// The option values behind the group panel. The radio keeps a 1-based selector per kind at 0x18001
// (CB), 0x18003 (HF) and 0x18005 (HAM), each beside the kind's "use VFO" byte, and one 1-based
// entry per named group in the per-group tables; the window shows the selector as the kind's
// "Work Group" and a group's entry as its "Current Work Channel". "MEM CHX" is the byte at
// 0x18002 between the CB and HF selectors, a 0-based memory row.
struct GroupPanelValues
{
    std::int16_t selectorA = 0;
    std::int16_t setting18002 = 0;
    std::int16_t selectorB = 0;
    std::int16_t selectorC = 0;
    std::array<std::int16_t, 6> cbGroupTable{};
    std::array<std::int16_t, 15> hfGroupTable{};
    std::array<std::int16_t, 12> hamGroupTable{};

    friend bool operator==(const GroupPanelValues &, const GroupPanelValues &) = default;
};
// The kind's work group (a group number).
std::int16_t &workGroupValue(OptionRecord &options, int kind);
std::int16_t workGroupValue(const OptionRecord &options, int kind);
// The group's current work channel (a channel number); null for a group without an entry (CB
// group 7, MEM and VFO groups).
std::int16_t *workChannelValue(OptionRecord &options, int kind, int group);
std::int16_t &memChxValue(OptionRecord &options);

// The parts of the document that the channel window's edits touch, for exact undo. Navigation
// (current kind and group) is not part of it.
struct GroupState
{
    int kind = 0;
    int group = 1;
    std::array<ChannelRecord, kMaxChannelsPerGroup> entries{};
    std::int16_t count = 0;
    MemoryChannels memories;
    GroupNameTable groupNames;
    EmergencySettings emergency;
    DualWatchSettings dualWatch;
    MemorySettings memorySettings;
    GroupPanelValues groupPanel;

    friend bool operator==(const GroupState &, const GroupState &) = default;
};
GroupState takeGroupState(const DocumentSet &document, int kind, int group);
// Puts back every part in which `from` and `to` differ, taking its value from `to`.
void applyGroupState(DocumentSet &document, const GroupState &from, const GroupState &to);

// Moving channels to other rows: offered in the named and MEM groups of HF and HAM. CB channels
// belong to their numbers (the band plan), and a VFO group holds one channel.
enum class MoveRefusal
{
    None,
    FixedChannelPlan, // CB
    SingleChannel,    // a VFO group
};
MoveRefusal channelMoveRefusal(int kind, int group);
// The channels of rows row and row + by (by is -1 or 1) change places, with their settings; an
// empty row takes part like any other. False when refused or past the group's end.
bool moveRow(DocumentSet &document, int kind, int group, int row, int by);
// The group's channels in ascending frequency (equal ones in their order), on the rows the group
// had channels on, each keeping its settings. False when refused or already in order. A row given
// in `followedRow` becomes the row its channel went to.
bool sortGroupByFrequency(DocumentSet &document, int kind, int group, int *followedRow = nullptr);

// Where a frequency was found: a group's row, or a memory channel (kind -1, row its number).
struct ChannelHit
{
    int kind = 0;
    int group = 0;
    int row = 0;
    friend bool operator==(const ChannelHit &, const ChannelHit &) = default;
};
// Every channel of every group of every kind, then every memory channel, whose frequency shows
// the typed text ("28.5" finds 28.50000 and 128.50000; digits alone also match without the dot).
std::vector<ChannelHit> findFrequency(const DocumentSet &document, std::string_view typed);

} // namespace ChannelGrid
