#include "link/Frames.h"

#include <algorithm>
#include <array>

#include "model/RadioImage.h"

namespace {

void appendAddress(LinkBytes &frame, std::uint32_t address)
{
    frame.push_back(static_cast<std::uint8_t>(address >> 24));
    frame.push_back(static_cast<std::uint8_t>((address >> 16) & 0xFF));
    frame.push_back(static_cast<std::uint8_t>((address >> 8) & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(address & 0xFF));
}

LinkBytes textFrame(std::string_view text)
{
    return LinkBytes(text.begin(), text.end());
}

} // namespace

std::size_t replyLength(ReplyKind kind)
{
    switch (kind) {
    case ReplyKind::Ack:
        return kAckLength;
    case ReplyKind::HandshakeReply:
        return kHandshakeReplyLength;
    case ReplyKind::IdentReply:
        return kIdentReplyLength;
    case ReplyKind::DataFrame:
        return kDataFrameLength;
    case ReplyKind::Ignored:
        break;
    }
    return 0;
}

LinkBytes handshakeFrame()
{
    return textFrame("PROGRAM");
}

LinkBytes identRequest()
{
    return {kIdentRequestByte};
}

LinkBytes readRequest(std::uint32_t address)
{
    LinkBytes frame{kReadRequestMarker};
    appendAddress(frame, address);
    // The radio expects the block length here although the request itself is 6 bytes long.
    frame.push_back(kBlockLengthByte);
    return frame;
}

LinkBytes endFrame()
{
    return textFrame("END");
}

LinkBytes handshakeReply()
{
    return {'K', 'Z', kAckByte};
}

LinkBytes dataFrame(std::uint32_t address, std::span<const std::uint8_t> data)
{
    LinkBytes frame{kDataFrameMarker};
    appendAddress(frame, address);
    frame.push_back(kBlockLengthByte);
    for (std::size_t i = 0; i < RadioImage::kBlockSize; ++i)
        frame.push_back(i < data.size() ? data[i] : std::uint8_t{0});
    frame.push_back(frameChecksum(frame, 1, 21));
    frame.push_back(kAckByte);
    return frame;
}

LinkBytes dataFrameFromImage(const RadioImage &image, std::uint32_t address)
{
    std::array<std::uint8_t, RadioImage::kBlockSize> block{};
    if (!image.readBlock(address, block))
        return {};
    return dataFrame(address, block);
}

std::uint8_t frameChecksum(std::span<const std::uint8_t> frame, std::size_t first, std::size_t last)
{
    unsigned sum = 0;
    for (std::size_t i = first; i <= last && i < frame.size(); ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

bool checksumMatches(std::span<const std::uint8_t> frame)
{
    return frame.size() == kDataFrameLength && frameChecksum(frame, 1, 21) == frame[22];
}

std::uint32_t frameAddress(std::span<const std::uint8_t> frame)
{
    std::uint32_t address = 0;
    for (std::size_t i = 1; i <= 4 && i < frame.size(); ++i)
        address = (address << 8) | frame[i];
    return address;
}

ReplyKind classifyReply(std::span<const std::uint8_t> reply, std::int64_t transferAddress)
{
    if (reply.size() == kAckLength && reply[0] == kAckByte)
        return ReplyKind::Ack;
    if (reply.size() == kHandshakeReplyLength && reply[0] == 'K' && reply[1] == 'Z' &&
        reply[2] == kAckByte)
        return ReplyKind::HandshakeReply;
    if (reply.size() == kIdentReplyLength && reply[0] == kIdentReplyMarker)
        return ReplyKind::IdentReply;
    if (reply.size() == kDataFrameLength && reply[0] == kDataFrameMarker &&
        static_cast<std::int64_t>(frameAddress(reply)) == transferAddress &&
        reply[5] == kBlockLengthByte && reply[23] == kAckByte && checksumMatches(reply))
        return ReplyKind::DataFrame;
    return ReplyKind::Ignored;
}

std::string trimModelName(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    return std::string(text);
}

IdentFields parseIdentReply(std::span<const std::uint8_t> reply)
{
    auto byteAt = [&](std::size_t i) { return i < reply.size() ? reply[i] : std::uint8_t{0}; };
    std::string model;
    for (std::size_t i = 1; i <= 7; ++i)
        model.push_back(static_cast<char>(byteAt(i)));
    std::string firmware;
    for (std::size_t i = 9; i <= 12; ++i)
        firmware.push_back(static_cast<char>(byteAt(i)));
    return {trimModelName(model), byteAt(8) == 1, firmware};
}
