#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/Band.h"

struct ChannelRecord;

// The fields of a channel as the exchange formats and the comparison name them: each column
// shows a field as text and reads it back. The texts are the program's own (English) words:
// "FM", "67.0", "D023N", "On", "REP+".

// "CB", "HF", "HAM"; the kind for such a text (any case), or none.
std::string_view kindName(int kind);
std::optional<int> kindFromName(std::string_view text);
// The frequency range the channel window checks a kind's channels against.
BandLimits kindBandLimits(int kind);
// Memory channels take any frequency the wide HF band holds.
BandLimits memoryBandLimits();

// "Off", "67.0" (CTCSS), "D023N" (DCS); "?<type>/<index>" for a value outside the tables.
std::string toneText(int type, int ctcss, int dcs);
// A tone text as above ("off", "" and "none" count as Off; "67", "67.0" and "D23N" are accepted).
struct ToneValue
{
    int type = 0;
    int index = 0;
};
std::optional<ToneValue> parseToneText(std::string_view text);
std::string_view modeName(int mode);

struct ChannelColumn
{
    std::string_view name;
    // Text of the field in a record; limits are those of the record's kind.
    std::string (*show)(const ChannelRecord &record);
    // Reads the text into the record; an error text when it is no value of the field.
    std::string (*read)(ChannelRecord &record, std::string_view text);
};

// Every field of a channel that the user edits, in the order of the exchange files: Frequency,
// Mode, RxTone, TxTone, Scan, the switches, Repeater, Public, RogerBeep, the DTMF choices, then
// the memory channels' recalled channel and band.
std::span<const ChannelColumn> channelColumns();
const ChannelColumn *findChannelColumn(std::string_view name);

// Blanks removed on both sides.
std::string_view trimmed(std::string_view text);
// A whole decimal number filling the trimmed text; nothing for anything else.
std::optional<int> wholeNumber(std::string_view text);
bool sameWord(std::string_view a, std::string_view b); // ASCII case ignored
