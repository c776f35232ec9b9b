#include "model/RecordText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// The length of the UTF-8 sequence that starts with this byte (1 for a stray byte, so that a
// walk over malformed text always moves on).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The codec before the system's is known: each byte is the character of that code (Latin-1).
class Latin1Codec : public RecordTextCodec
{
public:
    int codePage() const override { return 28591; }
    std::string decode(std::string_view bytes) const override
    {
        std::string text;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                text += c;
            } else {
                text += static_cast<char>(0xC0 | (byte >> 6));
                text += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return text;
    }
    std::optional<std::string> encode(std::string_view utf8) const override
    {
        std::string bytes;
        for (std::size_t at = 0; at < utf8.size(); ++at) {
            const auto lead = static_cast<unsigned char>(utf8[at]);
            if (lead < 0x80) {
                bytes += utf8[at];
            } else if ((lead == 0xC2 || lead == 0xC3) && at + 1 < utf8.size()) {
                bytes += static_cast<char>(((lead & 0x03) << 6) | (utf8[++at] & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        return bytes;
    }
};

const Latin1Codec kLatin1;
const RecordTextCodec *g_codec = &kLatin1;

} // namespace

const RecordTextCodec &recordTextCodec()
{
    return *g_codec;
}

void setRecordTextCodec(const RecordTextCodec &codec)
{
    g_codec = &codec;
}

std::string recordTextToUtf8(std::string_view stored)
{
    return recordTextToUtf8(*g_codec, stored);
}

std::string visibleRecordBytes(std::string_view stored)
{
    std::string shown = "\"";
    std::string run; // bytes to decode together, so a double-byte character stays whole
    const auto flush = [&] {
        shown += g_codec->decode(run);
        run.clear();
    };
    for (const char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F && c != '"' && c != '\\') {
            run += c;
            continue;
        }
        flush();
        if (byte == 0) {
            shown += "\\0";
        } else if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0x0F];
        }
    }
    flush();
    return shown + "\"";
}

std::string recordTextToUtf8(const RecordTextCodec &codec, std::string_view stored)
{
    while (!stored.empty() && stored.back() == ' ')
        stored.remove_suffix(1);
    return codec.decode(stored.substr(0, stored.find('\0')));
}

EncodedRecordText encodeRecordText(const RecordTextCodec &codec, std::string_view utf8,
                                   std::size_t size)
{
    EncodedRecordText result;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::optional<std::string> character = codec.encode(utf8.substr(at, length));
        if (!character)
            return {RecordTextStatus::NotInCodePage, {}};
        if (result.bytes.size() + character->size() > size) {
            // What does not fit is dropped whole, but a character the code page lacks further
            // on is still refused: the user should learn of it before shortening the text.
            result.status = RecordTextStatus::Cut;
            if (!codec.encode(utf8.substr(at)))
                return {RecordTextStatus::NotInCodePage, {}};
            break;
        }
        result.bytes += *character;
        at += length;
    }
    result.bytes.resize(size, ' ');
    return result;
}

int ansiCodePageForLocale(std::string_view locale)
{
    const std::string name = lowered(locale.substr(0, locale.find_first_of(".@")));
    const std::string language = name.substr(0, name.find_first_of("_-"));
    if (language.empty())
        return 1252;
    if (language == "zh") {
        const bool traditional = name.find("hant") != std::string::npos || name.ends_with("tw") ||
                                 name.ends_with("hk") || name.ends_with("mo");
        return traditional ? 950 : 936;
    }
    struct Languages
    {
        int codePage;
        std::array<std::string_view, 12> names;
    };
    static constexpr Languages kTable[]{
        {932, {"ja"}},
        {949, {"ko"}},
        {874, {"th"}},
        {1258, {"vi"}},
        {1251, {"ru", "uk", "be", "bg", "mk", "kk", "ky", "tt", "mn", "ba", "sah"}},
        {1250, {"cs", "sk", "pl", "hu", "sl", "hr", "ro", "sq", "bs", "sr"}},
        {1253, {"el"}},
        {1254, {"tr", "az", "uz"}},
        {1255, {"he", "yi"}},
        {1256, {"ar", "fa", "ur", "ps", "ug"}},
        {1257, {"et", "lv", "lt"}},
    };
    for (const Languages &entry : kTable) {
        if (std::find(entry.names.begin(), entry.names.end(), language) != entry.names.end()) {
            // Serbian in Cyrillic letters uses the Cyrillic page, in Latin letters the Central
            // European one.
            if (language == "sr" && name.find("cyrl") != std::string::npos)
                return 1251;
            return entry.codePage;
        }
    }
    return 1252;
}
