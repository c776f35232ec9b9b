#pragma once

#include <array>
#include <string_view>

#include "lang/Texts.h"

// The fixed list items of the option settings, as the option window offers them and the text form
// of a document writes them. A text given in one language only is the same in both.
namespace OptionTexts {

constexpr TextEntry same(std::string_view text)
{
    return {"", text, text};
}

// Items.
inline constexpr TextEntry kOffPair{"", "OFF", "关"};
inline constexpr TextEntry kOnPair{"", "ON", "开"};
inline constexpr TextEntry kOffWord{"", "Off", "关"};
inline constexpr std::array<TextEntry, 2> kOffOnPair{kOffPair, kOnPair};
inline constexpr std::array<TextEntry, 2> kOffOnUpper{same("OFF"), same("ON")};
inline constexpr std::array<TextEntry, 2> kOffOnLower{same("Off"), same("On")};
inline constexpr std::array<TextEntry, 2> kOnOffLower{same("On"), same("Off")};
inline constexpr std::array<TextEntry, 2> kNoiseBlanker{kOffPair, same("ON")};
inline constexpr std::array<TextEntry, 1> kOffUpperHead{same("OFF")};
inline constexpr std::array<TextEntry, 1> kOffLowerHead{same("Off")};
inline constexpr std::array<TextEntry, 1> kOffWordHead{kOffWord};
inline constexpr std::array<TextEntry, 1> kInfiniteTail{same("Infinite")};
inline constexpr std::array<TextEntry, 4> kIndic{same("Off"), same("SWR"), same("TOT"), same("DC")};
inline constexpr std::array<TextEntry, 2> kScanType{
    {{"", "Squelch Scan", "静噪扫描"}, {"", "Time Scan", "时间扫描"}}};
inline constexpr std::array<TextEntry, 7> kMenuColour{same("RED"),  same("GREEN"), same("BLUE"),
                                                      same("CYAN"), same("PURP"),  same("YELLOW"),
                                                      same("WHITE")};
inline constexpr std::array<TextEntry, 2> kMicType{same("EL"), same("DY")};
inline constexpr std::array<TextEntry, 4> kClaSet{kOffWord, same("R"), same("T"), same("RT")};
inline constexpr std::array<TextEntry, 2> kClaFrq{same("500Hz"), same("5kHz")};
inline constexpr std::array<TextEntry, 7> kVfoStep{
    same("10Hz"), same("100Hz"), same("1K"), same("5K"), same("10K"), same("100K"), same("1M")};
inline constexpr std::array<TextEntry, 2> kFmDeviation{same("2K"), same("4K")};
inline constexpr std::array<TextEntry, 2> kSsbTone{same("HI-4k"), same("LI-3K")};
inline constexpr std::array<TextEntry, 2> kAgc{same("SLOW"), same("FAST")};
inline constexpr std::array<TextEntry, 2> kCwRxMode{same("USB"), same("LSB")};
inline constexpr std::array<TextEntry, 11> kHoldDelay{
    same("30ms"), same("1S"), same("1.5S"), same("2S"), same("2.5S"), same("3S"),
    same("3.5S"), same("4S"), same("4.5S"), same("5S"), same("5.5S")};
inline constexpr std::array<TextEntry, 5> kPttSleep{same("Off"), same("1 min"), same("2 min"),
                                                    same("3 min"), same("4 min")};
inline constexpr std::array<TextEntry, 2> kWorkMode{same("CB"), same("HAM")};
inline constexpr std::array<TextEntry, 3> kVolPath{same("MAIN"), same("MIC.JACK"), same("BOTH")};
inline constexpr std::array<TextEntry, 3> kEmergencyModeItems{same("OFF"), same("EMG 1"),
                                                              same("EMG 2")};
inline constexpr std::array<TextEntry, 2> kPowerOffDisplay{same("Off"), same("Clock")};
inline constexpr std::array<TextEntry, 3> kHandType{same("Type 1"), same("Type 2"), same("Type 3")};
inline constexpr std::array<TextEntry, 2> kChVolKindItems{same("CH"), same("VOL")};
inline constexpr std::array<TextEntry, 2> kFreqChItems{same("Channel"), same("Frequency")};
inline constexpr std::array<TextEntry, 6> kPublicMode{same("FM"),  same("AM"), same("USB"),
                                                      same("LSB"), same("PA"), same("CW")};

// The master list of key functions; a key's stored value is a position in this list. " INDIC“"
// is the radio's own spelling.
inline constexpr std::array<TextEntry, 17> kKeyFunctions{
    same("Off"),    same("VOX"),    same("VFO"),     same("NB"),       same("ANL"),  same("10K"),
    same("ECHO"),   same("HI-CUT"), same("CT-DC"),   same("MIC.GAIN"), same("RXNR"), same("TXNR"),
    same("FM.DEV"), same("TONE"),   same(" INDIC“"), same("AGC.SET"),  same("Scan")};
inline constexpr int kVfoKeyFunction = 2;

} // namespace OptionTexts
