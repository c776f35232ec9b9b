#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Tone type of one direction, as a channel record and the image store it.
enum ToneType : int
{
    ToneOff = 0,
    ToneCtcss = 1,
    ToneDcs = 2
};

inline constexpr int kCtcssToneCount = 38;
inline constexpr int kDcsCodeCount = 104;

// The 38 CTCSS tones of the radio in tenths of Hz; a record stores the index.
inline constexpr std::array<int, kCtcssToneCount> kCtcssTones{
    670,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035,
    1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1622,
    1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

// The 104 DCS codes (normal polarity only), each written with its three octal digits read as a
// decimal number: 23 is D023N. A record stores the index.
inline constexpr std::array<int, kDcsCodeCount> kDcsCodes{
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

// List texts of the tone lists: "C_001(67.0Hz)" .. "C_038(250.3Hz)" and "D_001(023N)" ..
// "D_104(754N)"; empty for an index outside the table.
std::string ctcssDisplayText(int index);
std::string dcsDisplayText(int index);
// Tone texts as the tone methods show them: "67.0", "D023N"; empty outside the table.
std::string ctcssShowText(int index);
std::string dcsShowText(int index);
// `ToneCodeText` of a table entry: "0670" (tenths of Hz), "8023" ("8" and the octal digits).
std::string ctcssToneCode(int index);
std::string dcsToneCode(int index);
// "Off", "CTCSS", "DCS" in a language; the "Off" text for a type outside 0..2.
std::string_view toneTypeText(int toneType, int language);

// A tone as a record holds it.
struct ToneChoice
{
    int type = ToneOff;
    int index = 0;
    friend bool operator==(const ToneChoice &, const ToneChoice &) = default;
};
// The table entry of a `ToneCodeText`; Off for "0" and for a code that is in neither table.
ToneChoice toneFromCode(std::string_view code);

// Tone text ("Off" text of the language, "67.0", "D023N") -> `ToneCodeText` ("0", "0670", "8023").
std::string GetCTCSS_DCSByShow(std::string_view text, int language);
// `ToneCodeText` -> tone text; the "Off" text for anything that is not a 4-character code.
std::string ShowCTCSS_DCS(std::string_view code, int language);
