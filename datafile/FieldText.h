#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/FieldDescription.h"

// A stored value as the text form of a document writes it, and a text read back into a stored
// value. A value that the field's readable form cannot hold (outside its list or range, a
// frequency outside the band, bytes a text cannot show) is written as {stored: ...}, so that
// nothing is lost: the reader takes that back as it stands.
enum class ScalarKind : std::uint8_t
{
    Number, // an integer token: 5, -1
    Word,   // on, off, none
    Text,   // a quoted text: "FM", "27.40500", "16.8"
};

struct ScalarText
{
    ScalarKind kind = ScalarKind::Text;
    std::string text;
    bool stored = false; // the value is written as {stored: text}
    bool bytes = false;  // a stored text of raw bytes: every byte above 0x7E written as \xNN
};

// The band a frequency field is checked against: lower and upper limit in Hz and its name.
struct FrequencyBand
{
    long long lowerHz = 0;
    long long upperHz = 99999999;
    std::string_view name;
};
FrequencyBand bandOfKind(int kind);
FrequencyBand bandOfMemoryChannels();

// The items a list field offers in the text form (English): the whole list, whatever the
// document holds (every tone set, every DTMF code, every key function).
std::vector<std::string> fieldItems(const FieldDescription &description);

// Writing: integers (Number, Flag, List, Ctcss, Dcs), frequency digits, broadcast frequencies,
// fixed texts and carried bytes.
ScalarText integerText(const FieldDescription &description, long long stored);
ScalarText frequencyDigitsText(std::string_view raw, const FrequencyBand &band);
ScalarText broadcastFrequencyText(double megahertz);
ScalarText fixedText(std::string_view raw);
ScalarText carriedBytesText(std::span<const std::uint8_t> bytes);

// Reading: each answers the stored value, or what was expected when the text is no value of the
// field. `stored` is true for the value of a {stored: ...} form, `quoted` when the text was quoted.
struct ReadText
{
    std::string_view text;
    bool stored = false;
};
struct FieldExpectation
{
    std::string expected;
};
template<typename T>
using FieldRead = std::variant<T, FieldExpectation>;

FieldRead<long long> readInteger(const FieldDescription &description, ReadText input,
                                 long long storageLow, long long storageHigh);
FieldRead<std::string> readFrequencyDigits(ReadText input, std::size_t size,
                                           const FrequencyBand &band);
FieldRead<double> readBroadcastFrequency(ReadText input);
FieldRead<std::string> readFixedText(ReadText input, std::size_t size);
FieldRead<std::vector<std::uint8_t>> readCarriedBytes(ReadText input, std::size_t size);

// What a field expects, as the reader's errors and the schema's descriptions say it.
std::string expectedText(const FieldDescription &description);

// Code points of UTF-8 text as bytes (each at most 0xFF); nothing when one is larger or the text
// is no UTF-8.
std::optional<std::string> latin1Bytes(std::string_view utf8);
