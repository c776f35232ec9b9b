#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Texts.h"
#include "radio/OptionFields.h"

// The controls of the option window that show stored values.
enum class OptionControl : std::uint8_t
{
    Combo1,    // the list boxes 0-72
    PublicBox, // box 0-9 of a public-channel frame (Combo2 CB, Combo6 HF, Combo7 HAM)
    Check1,    // the check boxes
    Text2,     // the voltage and SWR boxes
    Text4,     // RSSI thresholds 0-11, repeater offset 12, Bluetooth name 13
};

// The show rules and item lists of the option rows are those of the field lists
// (model/FieldDescription.h).

// One control of the option window with its label, items and stored field.
struct OptionRow
{
    OptionControl control;
    int index;     // the control's index within its array
    int publicSet; // PublicBox rows: 0 CB, 1 HF, 2 HAM; -1 otherwise
    TextEntry label;
    ItemList items;
    ShowRule rule;
    OptionField field;             // empty for the Bluetooth device name (a text field)
    bool otherValueTicked = false; // check boxes: a value other than 0 and 1 shows ticked
};

// Every row of the option window, Combo1 first, then the public-channel boxes of the CB, HF and
// HAM sets, the check boxes and the text boxes.
std::span<const OptionRow> optionRows();
// The row of a control, or nullptr.
const OptionRow *findOptionRow(OptionControl control, int index, int publicSet = -1);

// The identifier under which a change of the row's control is saved: n for Combo1(n), 100 + n for
// check1(n), 200 + n / 400 + n / 300 + n for the CB / HF / HAM public boxes; -1 for text boxes.
int saveIdentifier(const OptionRow &row);

// The items of the row's list in a language.
std::vector<std::string> optionItems(const OptionRow &row, const SettingsRecord &settings,
                                     int language, bool vfoKeyShown = true);

// The text of the item at a stored index: the first item when the index is outside the list,
// empty for an empty list.
std::string ListTextForValue(const std::vector<std::string> &items, int value);

// The item a list box shows for its stored value; empty when nothing is selected.
std::string shownText(const OptionRow &row, const SettingsRecord &settings, int language,
                      bool vfoKeyShown = true);
// Whether a check box shows ticked: 1 ticked, 0 not, any other value as the row says.
bool shownChecked(const OptionRow &row, const SettingsRecord &settings);

// The value a choice stores: the chosen list index and its text (check boxes: 1 or 0).
int storedValueForChoice(const OptionRow &row, const SettingsRecord &settings, int listIndex,
                         std::string_view text);
// Stores a choice into the row's field.
void storeChoice(const OptionRow &row, SettingsRecord &settings, int listIndex,
                 std::string_view text);
