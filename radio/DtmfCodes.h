#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lang/Texts.h"
#include "model/FieldList.h"
#include "model/FixedText.h"

class ByteReader;
class ByteWriter;
class RadioImage;

// The radio's sixteen DTMF codes (its autodial memory), numbered 1-16. Channels and the
// public-channel parameter sets refer to them by number, 0 for none.
inline constexpr int kDtmfCodeCount = 16;
inline constexpr int kDtmfCodeLength = 16;
using DtmfCode = FixedText<kDtmfCodeLength>;
using DtmfCodeTable = std::array<DtmfCode, kDtmfCodeCount>;

// Six DTMF timing settings, each a list position (defaults of a new document in
// kDefaultDtmfTiming). They live in the option record and the data
// file only: the radio image passes neither read nor write them.
struct DtmfTiming
{
    std::int16_t sendTime = 0;        // n -> 10(n+1) ms, n = 0..49
    std::int16_t firstDigitTime = 0;  // n -> 100n ms, n = 0..10
    std::int16_t firstDigitDelay = 0; // n -> 100(n+1) ms, n = 0..24
    std::int16_t starHashTone = 0;    // 0 off, 1 100 ms, 2 500 ms, 3 1000 ms
    std::int16_t dCodeAssignment = 0; // 0 off, n -> n seconds, n = 1..16
    std::int16_t display = 0;         // 0 or 1

    friend bool operator==(const DtmfTiming &, const DtmfTiming &) = default;
};

namespace DtmfTimingItems {
inline constexpr std::array<TextEntry, 1> kOff{{{"", "Off", "关"}}};
inline constexpr std::array<TextEntry, 3> kStarHash{
    {{"", "100", "100"}, {"", "500", "500"}, {"", "1000", "1000"}}};
} // namespace DtmfTimingItems

// Each setting as the list of its meanings: position n shows what n stands for.
template<RecordOf<DtmfTiming> R, typename V>
void fields(R &r, V &&v)
{
    using namespace DtmfTimingItems;
    LIST_FIELD(v, r.sendTime,
               FieldDescription("sendTime")
                   .list(numberItems(10, 50, 10, " ms"))
                   .initially(1)
                   .describe("DTMF Send Time[ms]: how long each digit is sent."));
    LIST_FIELD(v, r.firstDigitTime,
               FieldDescription("firstDigitTime")
                   .list(numberItems(0, 11, 100, " ms"))
                   .initially(1)
                   .describe("First Digit Time[ms]: how long the first digit is sent."));
    LIST_FIELD(v, r.firstDigitDelay,
               FieldDescription("firstDigitDelay")
                   .list(numberItems(100, 25, 100, " ms"))
                   .initially(1)
                   .describe("First Digit Delay[ms]: the pause before the first digit."));
    LIST_FIELD(v, r.starHashTone,
               FieldDescription("starHashTone")
                   .list(numberItems(0, 0, 1, {}, kOff, kStarHash))
                   .initially(0)
                   .describe("* and # Tone[ms]: Off, 100, 500 or 1000 ms."));
    LIST_FIELD(v, r.dCodeAssignment,
               FieldDescription("dCodeAssignment")
                   .list(numberItems(1, 16, 1, " s", kOff))
                   .initially(0)
                   .describe("D Code Assignment: Off, or 1 to 16 seconds."));
    LIST_FIELD(v, r.display,
               FieldDescription("display").flag().initially(0).describe(
                   "DTMF DISP: whether codes are shown."));
}

// 20 ms sending, 100 ms first digit, 200 ms first-digit delay, everything else off.
inline constexpr DtmfTiming kDefaultDtmfTiming{1, 1, 1, 0, 0, 0};

namespace DtmfTexts {
inline constexpr TextEntry kSendTime{"", "DTMF Send Time[ms]", "DTMF 发送时间[毫秒]"};
inline constexpr TextEntry kFirstDigitTime{"", "First Digit Time[ms]", "首位数码时间[毫秒]"};
inline constexpr TextEntry kFirstDigitDelay{"", "First Digit Delay[ms]", "首位数码延迟[毫秒]"};
inline constexpr TextEntry kStarHashTone{"", "* and # Tone[ms]", "*和#音[毫秒]"};
inline constexpr TextEntry kDCodeAssignment{"", "D Code Assignment", "D键设定"};
inline constexpr TextEntry kDisplay{"", "DTMF DISP", "DTMF 显示"};
} // namespace DtmfTexts

// Image value of one code character: "0"-"9" 0-9, "A"-"F" (either case) 10-15, "*" 14, "#" 15;
// anything else 16, the byte that ends a code where the radio reads it.
std::uint8_t dtmfDigitValue(char c);
// Character of an image value 0..15.
char dtmfDigitChar(std::uint8_t value);

// Code n (1-16) is empty when its text, cut at the first NUL and trimmed, is empty. A number
// outside 1-16 counts as empty.
bool IsDtmfCodeEmpty(const DtmfCodeTable &codes, int number);

// Image steps: code n at 0x20000 + 16(n-1), one digit a byte, ended by the first byte above 15;
// the encoder writes every character of the text (16 for one without a digit) and fills the
// rest of the 16 bytes with 16.
void EncodeDtmfCodes(const DtmfCodeTable &codes, RadioImage &image);
void DecodeDtmfCodes(const RadioImage &image, DtmfCodeTable &codes);
