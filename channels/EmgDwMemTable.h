#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Texts.h"

struct DocumentSet;
struct SettingsRecord;

// The emergency (frm_emg), dual-watch (frm_dw) and memory-channel (frm_MEM) windows are one
// family: each is a table of its Combo1 elements, every element naming its frame, its line in
// the frame, the list it offers and the value of the window's sub-record it shows and sets.
enum class SpecialWindowId : std::uint8_t
{
    Emergency,
    DualWatch,
    Memory,
};

enum class SpecialFrame : std::uint8_t
{
    Cb,  // FraCBBAND
    Hf,  // FraHFBand
    Ham, // FraHANBand
};

// Where the items of an element's list come from.
enum class SpecialList : std::uint8_t
{
    CbChannels,      // the channels 1-40 (1-80 in the "DE" row) of the row's CB group
    CbMemories,      // the memory channels of the row's block of 16 that recall a CB channel
    Modes,           // "FM", "AM", "USB", "LSB", "CW"
    States,          // "Off", "On"
    Bands,           // the names of the kind's named groups, in group order
    BandChannels,    // channels 1-40 of the group whose position the band value held at open
    MemGroupChannels // channels 1-99 of the kind's "MEM" group
};

inline constexpr int kNotStored = -1;

struct SpecialCombo
{
    int element; // index within Combo1 (and of its label lblEuEmg)
    SpecialFrame frame;
    int line;        // line within the frame: CB row - 1, or band channel - 1
    int row;         // CB row 1-7 ("Eu" .. "UK"); 0 in the band frames
    TextEntry label; // what follows the row name or "HF" / "HAM" in the label
    SpecialList list;
    int value;     // index into the window's sub-record, kNotStored for row 7 "UK"
    int bandValue; // BandChannels: the value holding the band position; -1 otherwise
};

struct SpecialWindowTable
{
    SpecialWindowId id;
    std::string_view name; // the window's name
    TextEntry caption;
    std::span<const SpecialCombo> combos;
};

const SpecialWindowTable &specialWindow(SpecialWindowId id);

// The sub-record a window edits: emergency, dual-watch or memory-channel settings.
std::span<std::int16_t> specialValues(SpecialWindowId id, SettingsRecord &settings);
std::span<const std::int16_t> specialValues(SpecialWindowId id, const SettingsRecord &settings);

// "Eu Emg Channel 1", "HAM DW Band", ...
std::string specialLabel(const SpecialCombo &combo, int language);

// The kind whose channels or groups an element lists: 0 in the CB frame, 1 HF, 2 HAM.
int specialKind(const SpecialCombo &combo);

struct SpecialItem
{
    std::string text;
    std::int16_t value; // what choosing the item stores
};

// The items of an element's list from the document, with `valuesAtOpen` the window's copy as
// it was when the window opened (the band channel lists follow the band stored then).
std::vector<SpecialItem> specialItems(const SpecialCombo &combo, const DocumentSet &document,
                                      std::span<const std::int16_t> valuesAtOpen, int language);

// The list position that shows a stored value: a channel list the item of that channel (-1 when
// the list does not hold it), the other lists the item at the stored position (the first one
// when the value is outside the list, -1 for an empty list).
int shownItem(const SpecialCombo &combo, const std::vector<SpecialItem> &items, int value);
