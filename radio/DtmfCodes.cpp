#include "radio/DtmfCodes.h"

#include <algorithm>

#include "model/ByteIO.h"
#include "model/RadioImage.h"

namespace {

constexpr std::uint32_t kDtmfBase = 0x20000;
constexpr std::uint8_t kEndOfCode = 16;
constexpr std::string_view kDigitChars = "0123456789ABCD*#";

std::uint32_t codeAddress(int number)
{
    return kDtmfBase + static_cast<std::uint32_t>(kDtmfCodeLength * (number - 1));
}

// The code as it is sent: cut at the first NUL, spaces trimmed on both sides.
std::string codeText(const DtmfCode &code)
{
    std::string text = code.trimmed();
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

} // namespace

std::uint8_t dtmfDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    if (c == '*')
        return 14;
    if (c == '#')
        return 15;
    return kEndOfCode;
}

char dtmfDigitChar(std::uint8_t value)
{
    return value < kDigitChars.size() ? kDigitChars[value] : ' ';
}

bool IsDtmfCodeEmpty(const DtmfCodeTable &codes, int number)
{
    if (number < 1 || number > kDtmfCodeCount)
        return true;
    return codeText(codes[static_cast<std::size_t>(number - 1)]).empty();
}

void EncodeDtmfCodes(const DtmfCodeTable &codes, RadioImage &image)
{
    for (int number = 1; number <= kDtmfCodeCount; ++number) {
        const std::string text = codeText(codes[static_cast<std::size_t>(number - 1)]);
        std::array<std::uint8_t, kDtmfCodeLength> bytes{};
        bytes.fill(kEndOfCode);
        // Byte k is character k's value for every character of the text, one the radio has no
        // digit for included (it becomes 16 in its place); the bytes after the text stay 16.
        for (std::size_t k = 0; k < text.size() && k < bytes.size(); ++k)
            bytes[k] = dtmfDigitValue(text[k]);
        image.writeBlock(codeAddress(number), bytes);
    }
}

void DecodeDtmfCodes(const RadioImage &image, DtmfCodeTable &codes)
{
    for (int number = 1; number <= kDtmfCodeCount; ++number) {
        std::string text;
        for (int k = 0; k < kDtmfCodeLength; ++k) {
            const std::uint8_t value =
                image.byteAt(codeAddress(number) + static_cast<std::uint32_t>(k));
            if (value >= kEndOfCode)
                break;
            text.push_back(dtmfDigitChar(value));
        }
        codes[static_cast<std::size_t>(number - 1)].assign(text);
    }
}
