#include "link/RadioSimulator.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::string_view kProgram = "PROGRAM";
constexpr std::string_view kEnd = "END";

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view text)
{
    const std::size_t n = std::min(bytes.size(), text.size());
    return std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), text.begin(),
                      [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); });
}

} // namespace

LinkBytes RadioSimulator::identReply() const
{
    LinkBytes reply{kIdentReplyMarker};
    for (std::size_t i = 0; i < 7; ++i) {
        const auto &name = m_knobs.modelName;
        reply.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : std::uint8_t{0});
    }
    reply.push_back(m_knobs.capability);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto &version = m_knobs.firmwareVersion;
        reply.push_back(i < version.size() ? static_cast<std::uint8_t>(version[i])
                                           : std::uint8_t{' '});
    }
    reply.insert(reply.end(), 3, 0);
    return reply;
}

std::optional<std::size_t> RadioSimulator::frameLengthAtFront() const
{
    const std::span<const std::uint8_t> input(m_input);
    auto wholeOrMore = [&](std::size_t length) -> std::optional<std::size_t> {
        return input.size() >= length ? length : 0;
    };
    if (!m_programming) {
        if (!startsWith(input, kProgram))
            return std::nullopt;
        return wholeOrMore(kProgram.size());
    }
    switch (input.front()) {
    case kIdentRequestByte:
        return 1;
    case kReadRequestMarker:
        return wholeOrMore(kReadRequestLength);
    case kDataFrameMarker:
        return wholeOrMore(kDataFrameLength);
    case 'E':
        return startsWith(input, kEnd) ? wholeOrMore(kEnd.size()) : std::nullopt;
    case 'P':
        return startsWith(input, kProgram) ? wholeOrMore(kProgram.size()) : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::vector<LinkBytes> RadioSimulator::receive(std::span<const std::uint8_t> bytes)
{
    std::vector<LinkBytes> out;
    m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    while (!m_input.empty()) {
        const auto length = frameLengthAtFront();
        if (!length) {
            // Not the start of any frame: skip a byte and look again, as a radio resynchronises.
            m_input.erase(m_input.begin());
            continue;
        }
        if (*length == 0)
            break;
        const LinkBytes frame(m_input.begin(),
                              m_input.begin() + static_cast<std::ptrdiff_t>(*length));
        m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(*length));
        ++m_framesReceived;
        LinkBytes reply = answer(frame);
        if (reply.empty())
            continue;
        if (m_knobs.dropEvery > 0 && m_framesReceived % m_knobs.dropEvery == 0) {
            ++m_repliesDropped;
            continue;
        }
        if (m_knobs.corruptEvery > 0 && m_framesReceived % m_knobs.corruptEvery == 0) {
            ++m_repliesCorrupted;
            if (reply.size() == kDataFrameLength)
                ++reply[22];
            else
                reply.back() ^= 0x80;
        }
        deliver(std::move(reply), out);
    }
    return out;
}

bool RadioSimulator::diesAt(std::span<const std::uint8_t> frame)
{
    const bool blockFrame =
        frame.front() == kReadRequestMarker || frame.front() == kDataFrameMarker;
    if (blockFrame && m_knobs.dieAfterBlocks && m_blocksServed >= *m_knobs.dieAfterBlocks)
        m_dead = true;
    return m_dead;
}

LinkBytes RadioSimulator::answer(std::span<const std::uint8_t> frame)
{
    if (diesAt(frame))
        return {};
    switch (frame.front()) {
    case 'P':
        m_programming = true;
        m_sessionEnded = false;
        // A simulator serving session after session keeps only the current one's addresses.
        m_writtenAddresses.clear();
        return handshakeReply();
    case kIdentRequestByte:
        return identReply();
    case 'E':
        m_programming = false;
        m_sessionEnded = true;
        return {kAckByte};
    case kReadRequestMarker: {
        const std::uint32_t address = frameAddress(frame);
        std::array<std::uint8_t, RadioImage::kBlockSize> block{};
        if (address % RadioImage::kBlockSize != 0 || !m_memory.readBlock(address, block))
            return {};
        ++m_blocksServed;
        ++m_blocksRead;
        return dataFrame(address, block);
    }
    case kDataFrameMarker: {
        const std::uint32_t address = frameAddress(frame);
        // A frame that fails a check is not stored and not answered, so the sender tries again.
        if (frame[5] != kBlockLengthByte || frame[23] != kAckByte || !checksumMatches(frame) ||
            address % RadioImage::kBlockSize != 0 ||
            !m_memory.writeBlock(address, frame.subspan(kDataOffset, RadioImage::kBlockSize)))
            return {};
        ++m_blocksServed;
        ++m_blocksWritten;
        m_writtenAddresses.push_back(address);
        return {kAckByte};
    }
    default:
        return {};
    }
}

void RadioSimulator::deliver(LinkBytes reply, std::vector<LinkBytes> &out)
{
    if (m_knobs.pieceSize == 0 || reply.size() <= m_knobs.pieceSize) {
        out.push_back(std::move(reply));
        return;
    }
    for (std::size_t at = 0; at < reply.size(); at += m_knobs.pieceSize) {
        const std::size_t end = std::min(reply.size(), at + m_knobs.pieceSize);
        out.emplace_back(reply.begin() + static_cast<std::ptrdiff_t>(at),
                         reply.begin() + static_cast<std::ptrdiff_t>(end));
    }
}
