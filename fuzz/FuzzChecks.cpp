#include "fuzz/FuzzChecks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kernel/IniDocument.h"
#include "link/Frames.h"
#include "model/RadioImage.h"

void fuzzRequire(bool condition, std::string_view what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

namespace {

// The bytes of a text taken from the input, never past its end.
std::string take(const std::uint8_t *&data, std::size_t &size, std::size_t length)
{
    length = std::min(length, size);
    std::string text(reinterpret_cast<const char *>(data), length);
    data += length;
    size -= length;
    return text;
}

// A loose list of the section names the file spells: enough to compare the values before and
// after a write, whatever the reader makes of odd lines.
std::vector<std::string> spelledSections(const std::string &bytes)
{
    std::vector<std::string> sections;
    std::size_t begin = 0;
    while (begin <= bytes.size()) {
        const auto open = bytes.find('[', begin);
        if (open == std::string::npos)
            break;
        const auto close = bytes.find_first_of("]\n", open);
        if (close == std::string::npos || bytes[close] != ']')
            break;
        std::string name = bytes.substr(open + 1, close - open - 1);
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.erase(name.begin());
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.pop_back();
        if (!name.empty())
            sections.push_back(std::move(name));
        begin = close + 1;
    }
    return sections;
}

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

using IniValues = std::vector<std::pair<std::pair<std::string, std::string>, std::string>>;

IniValues iniValues(const IniDocument &document, const std::vector<std::string> &sections)
{
    IniValues values;
    for (const std::string &section : sections)
        for (const std::string &key : document.keys(section))
            values.push_back({{section, key}, document.valueOr(section, key)});
    return values;
}

} // namespace

int checkIniDocument(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::size_t sectionLength = data[0] % 16, keyLength = data[1] % 16,
                      valueLength = data[2] % 32;
    data += 3;
    size -= 3;
    const std::string section = take(data, size, sectionLength);
    const std::string key = take(data, size, keyLength);
    const std::string value = take(data, size, valueLength);
    const std::string bytes = take(data, size, size);

    IniDocument document(bytes);
    std::vector<std::string> sections = spelledSections(bytes);
    sections.push_back(section);
    const IniValues before = iniValues(document, sections);
    fuzzRequire(iniValues(IniDocument(document.bytes()), sections) == before,
                "reading the same bytes again gives other values");

    if (!document.setValue(section, key, value)) {
        fuzzRequire(document.bytes() == bytes, "a refused write changed the file");
        return 0;
    }
    // Names are written trimmed, and found as written.
    const std::string_view name = trimBlanks(section), entry = trimBlanks(key);
    fuzzRequire(document.value(name, entry) == std::string(trimBlanks(value)),
                "a written value does not read back");
    const IniDocument reread(document.bytes());
    fuzzRequire(reread.value(name, entry) == std::string(trimBlanks(value)),
                "a written value does not read back from the file's bytes");
    // Every other key keeps its value.
    for (const auto &[where, old] : before) {
        if (sameText(trimBlanks(where.first), name) && sameText(where.second, entry))
            continue;
        fuzzRequire(reread.valueOr(where.first, where.second) == old,
                    "a write changed the value of another key");
    }
    return 0;
}

int checkFrameParser(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t address = static_cast<std::uint32_t>(data[0]) << 16 |
                                  static_cast<std::uint32_t>(data[1]) << 8 | data[2];
    const std::size_t flip = data[3];
    const std::span<const std::uint8_t> reply(data + 4, size - 4);

    switch (classifyReply(reply, address)) {
    case ReplyKind::DataFrame:
        fuzzRequire(reply.size() == kDataFrameLength && reply[0] == kDataFrameMarker,
                    "a data frame of the wrong shape was accepted");
        fuzzRequire(checksumMatches(reply) && frameChecksum(reply, 1, 21) == reply[22],
                    "a data frame with a bad checksum was accepted");
        fuzzRequire(frameAddress(reply) == address, "a data frame for another block was accepted");
        fuzzRequire(reply[5] == kBlockLengthByte && reply[23] == kAckByte,
                    "a data frame without its length byte or closing Ack was accepted");
        break;
    case ReplyKind::Ack:
        fuzzRequire(reply.size() == 1 && reply[0] == kAckByte, "a wrong Ack was accepted");
        break;
    case ReplyKind::HandshakeReply:
        fuzzRequire(LinkBytes(reply.begin(), reply.end()) == handshakeReply(),
                    "a wrong handshake reply was accepted");
        break;
    case ReplyKind::IdentReply: {
        fuzzRequire(reply.size() == kIdentReplyLength && reply[0] == kIdentReplyMarker,
                    "a wrong identification reply was accepted");
        const IdentFields fields = parseIdentReply(reply);
        const std::string model(reply.begin() + 1, reply.begin() + 8);
        fuzzRequire(fields.radioModel == trimModelName(model) && fields.radioModel.size() <= 7 &&
                        fields.radioModel.find('\0') == std::string::npos,
                    "the model name of an identification reply is not the one compared");
        break;
    }
    case ReplyKind::Ignored:
        break;
    }

    // The frame we build from the first 16 bytes is accepted for its block only, and any one
    // byte changed spoils it.
    LinkBytes frame = dataFrame(address, reply.first(std::min<std::size_t>(16, reply.size())));
    fuzzRequire(classifyReply(frame, address) == ReplyKind::DataFrame,
                "a frame we built is not accepted");
    for (std::size_t i = 0; i < RadioImage::kBlockSize && i < reply.size(); ++i)
        fuzzRequire(frame[kDataOffset + i] == reply[i], "a frame we built carries other bytes");
    fuzzRequire(classifyReply(frame, std::int64_t{address} + 16) == ReplyKind::Ignored,
                "a frame was accepted for the next block");
    frame[flip % kDataFrameLength] ^= static_cast<std::uint8_t>(1u << (flip % 8));
    fuzzRequire(classifyReply(frame, address) == ReplyKind::Ignored,
                "a frame with a changed byte is still accepted");
    return 0;
}
