#pragma once

#include <string>
#include <string_view>

#include "options/OptionTable.h"

class RecordTextCodec;
struct SettingsRecord;

// The rules of the option window's text boxes and of the choices with side effects, kept apart
// from the window so that each rule is found in one place.

// A number with a fixed count of decimals, "." as the decimal point whatever the locale:
// fixedText(168, 1) is "16.8", fixedText(100, 4) is "0.0100".
std::string fixedText(int scaled, int decimals);

// The text a text box shows for its stored value: the SWR and voltage boxes in volts (or the SWR
// ratio) with one decimal, the repeater offset in MHz with four, an RSSI threshold plus 1, the
// Bluetooth device name as stored, decoded from the record texts' code page.
std::string textBoxText(const OptionRow &row, const SettingsRecord &settings,
                        const RecordTextCodec &codec);

// Characters a text box takes from the keyboard: the SWR, voltage and repeater-offset boxes take
// digits and "."; the RSSI boxes digits; the Bluetooth device name every printable character.
// Control characters pass (Backspace, Tab, Enter); Ctrl+C, Ctrl+V, Ctrl+X and every character
// above 127 are dropped.
bool textBoxTakesKey(const OptionRow &row, char32_t key);

// Stores what the user typed into a text box and applies its rule:
// - the SWR maximum goes to 1.2-20.0 (a text that is no number becomes 20.0);
// - a battery voltage goes to 9.0-29.0 (no number becomes 9.0), and when the maximum is then
//   below the minimum the two are exchanged;
// - the repeater offset goes to 0.0001-5.0000 MHz (no number becomes 5.0000);
// - an RSSI threshold is the entry minus 1, limited to 0-35, kept only when its group of six
//   still rises strictly; otherwise the old value stays;
// - the Bluetooth device name is stored in the record texts' code page, as many whole characters
//   as fit in its 16 bytes; a name the code page cannot hold is refused (false) and the stored one
//   stays.
// The boxes show the stored values again afterwards (textBoxText).
bool enterText(const OptionRow &row, SettingsRecord &settings, std::string_view entry,
               const RecordTextCodec &codec);

// The mode enables ("FM Enable" ... "CW Enable"): a box may be unticked only while another of the
// six is ticked. Returns the value the box keeps.
int modeEnableAfterChoice(const SettingsRecord &settings, int checkIndex, int wanted);

// "VOX Level" and "VOX Delay" are enabled together while "VOX ON/OFF" is not 0: when the window
// shows the record and whenever "VOX ON/OFF" is chosen.
bool voxEnabled(const SettingsRecord &settings);
// Choosing a "VOX Level" enables "VOX Delay" for every level but the first (list index 0), which
// disables it; "VOX ON/OFF" enables it again whatever the level.
bool voxDelayEnabledByLevel(int levelIndex);

// "Hand Type" 3 (index 2) uses the keys P1-P4; types 1 and 2 use the "Pf Key".
bool handTypeUsesPKeys(const SettingsRecord &settings);
