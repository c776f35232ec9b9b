#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "lang/Texts.h"

// How a stored value becomes the item a list shows, and a choice becomes a stored value.
enum class ShowRule : std::uint8_t
{
    Index,       // value = list index; outside the list shows the first item
    DirectIndex, // the list index is selected directly; beyond the list nothing is selected
    Tot,         // list index = value / 3, rounded; a choice stores index x 3
    CwFreq,      // list index = value - 30; a choice stores index + 30
    Roger,       // list index = value - 127; "OFF" stores 0, tone number k stores k + 127
    NumberText,  // the item whose text is the stored number; "OFF" or no number stores 0
    KeyFunction, // the master list's name at the stored position; a choice stores that position
    BeepSwitch,  // bit 7 of the key-beep byte
    BeepLevel,   // bits 0-6 of the key-beep byte
    Check,       // a check box
    Text,        // a text box; its format is the window's
};

// Where the items of a list come from.
enum class ItemSource : std::uint8_t
{
    Fixed,      // head, then count numbers from first in steps, each followed by suffix, then tail
    RogerTones, // "OFF" and the number of every defined roger-beep tone set
    DtmfCodes,  // "OFF" and the number of every DTMF code that is not empty
    KeyFunctions, // the master key functions; "VFO" only while the model flag is on
    ClaSet,       // "Off", "R", "T", "RT" with a non-zero variant byte, else "Off", "R"
};

struct ItemList
{
    ItemSource source = ItemSource::Fixed;
    std::span<const TextEntry> head{};
    int first = 0;
    int count = 0;
    int step = 1;
    std::string_view suffix{};
    std::span<const TextEntry> tail{};
};

constexpr ItemList fixedItems(std::span<const TextEntry> items)
{
    return {ItemSource::Fixed, items};
}

constexpr ItemList numberItems(int first, int count, int step = 1, std::string_view suffix = {},
                               std::span<const TextEntry> head = {},
                               std::span<const TextEntry> tail = {})
{
    return {ItemSource::Fixed, head, first, count, step, suffix, tail};
}

constexpr ItemList itemsFrom(ItemSource source)
{
    return {source};
}

// What a stored value is, as the text form of a document writes and reads it.
enum class FieldForm : std::uint8_t
{
    Number,             // an integer; shown as (stored + offset) x multiplier / 10^decimals
    Flag,               // 0 off, 1 on
    List,               // an item of a list (items and rule)
    Frequency,          // 8 decimal digits in Hz, shown as MHz with five decimals
    BroadcastFrequency, // a number of MHz in units of 10 Hz, shown with five decimals
    Ctcss,              // index into the CTCSS tones: "88.5"
    Dcs,                // index into the DCS codes: "D023N"
    Text,               // a fixed-length text
    Bytes,              // bytes carried unchanged, in hexadecimal
};

// One field of a record's field list: its name, and what its value is for a reader of the
// document's text form and its schema: the form, the list items, the range (stored units), the
// unit, the value of a new document, and where its help lives.
struct FieldDescription
{
    std::string_view name;
    FieldForm form = FieldForm::Number;
    ItemList items{};
    ShowRule rule = ShowRule::Index;
    bool ranged = false;
    int minimum = 0;
    int maximum = 0;
    int offset = 0;
    int multiplier = 1;
    int decimals = 0;
    std::string_view unit{};
    bool hasNone = false;
    int noneValue = 0;
    bool hasNewValue = false;
    int newValue = 0;
    std::string_view helpWindow{};  // the window whose help page describes the field
    std::string_view helpControl{}; // the control's objectName on that page
    std::string_view about{};       // a description for a field no window shows
    std::string_view element{};     // arrays: the word of an element's key ("tone" -> "tone 3")
    std::span<const std::string_view> elementNames{}; // arrays: each element's key
    bool derived = false; // follows from other fields (the channel counts): not written as text

    constexpr FieldDescription(const char *fieldName)
        : name(fieldName)
    {}
    constexpr FieldDescription(std::string_view fieldName)
        : name(fieldName)
    {}
    constexpr operator std::string_view() const { return name; }

    // The builders change the description they are called on and pass it on, so a chain makes one
    // description. NOLINTBEGIN(performance-move-const-arg): passing *this on as an rvalue takes
    // std::move.
    constexpr FieldDescription &&flag() &&
    {
        form = FieldForm::Flag;
        return std::move(*this);
    }
    constexpr FieldDescription &&list(ItemList listItems, ShowRule showRule = ShowRule::Index) &&
    {
        form = FieldForm::List;
        items = listItems;
        rule = showRule;
        return std::move(*this);
    }
    constexpr FieldDescription &&as(FieldForm fieldForm) &&
    {
        form = fieldForm;
        return std::move(*this);
    }
    constexpr FieldDescription &&range(int low, int high) &&
    {
        ranged = true;
        minimum = low;
        maximum = high;
        return std::move(*this);
    }
    // Shown as (stored + add) x times / 10^places, in the unit.
    constexpr FieldDescription &&scaled(int add, int times, int places,
                                        std::string_view unitName) &&
    {
        offset = add;
        multiplier = times;
        decimals = places;
        unit = unitName;
        return std::move(*this);
    }
    // A stored value that means "none" and is written so.
    constexpr FieldDescription &&none(int stored) &&
    {
        hasNone = true;
        noneValue = stored;
        return std::move(*this);
    }
    constexpr FieldDescription &&initially(int value) &&
    {
        hasNewValue = true;
        newValue = value;
        return std::move(*this);
    }
    constexpr FieldDescription &&help(std::string_view window, std::string_view control) &&
    {
        helpWindow = window;
        helpControl = control;
        return std::move(*this);
    }
    constexpr FieldDescription &&describe(std::string_view text) &&
    {
        about = text;
        return std::move(*this);
    }
    constexpr FieldDescription &&elements(std::string_view word) &&
    {
        element = word;
        return std::move(*this);
    }
    constexpr FieldDescription &&elements(std::span<const std::string_view> names) &&
    {
        elementNames = names;
        return std::move(*this);
    }
    constexpr FieldDescription &&followsFromOthers() &&
    {
        derived = true;
        return std::move(*this);
    }
    // NOLINTEND(performance-move-const-arg)
};

// Element keys of the arrays indexed by channel kind.
inline constexpr std::string_view kKindKeys[] = {"CB", "HF", "HAM"};
