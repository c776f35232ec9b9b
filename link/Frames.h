#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class RadioImage;

// Every byte that passes between the programming software and the radio. The software always
// sends one frame and waits for exactly one reply; a reply is told apart by its length and its
// first byte, since frames carry no header or length field of their own.
using LinkBytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kAckByte = 0x06;
inline constexpr std::uint8_t kIdentRequestByte = 0x02;
inline constexpr std::uint8_t kIdentReplyMarker = 0x49;  // 'I'
inline constexpr std::uint8_t kReadRequestMarker = 0x52; // 'R'
inline constexpr std::uint8_t kDataFrameMarker = 0x57;   // 'W'
inline constexpr std::uint8_t kBlockLengthByte = 0x10;

inline constexpr std::size_t kHandshakeFrameLength = 7;
inline constexpr std::size_t kReadRequestLength = 6;
inline constexpr std::size_t kDataFrameLength = 24;
inline constexpr std::size_t kEndFrameLength = 3;
inline constexpr std::size_t kHandshakeReplyLength = 3;
inline constexpr std::size_t kIdentReplyLength = 16;
inline constexpr std::size_t kAckLength = 1;
inline constexpr std::size_t kDataOffset = 6;

enum class ReplyKind
{
    Ignored,
    Ack,
    HandshakeReply,
    IdentReply,
    DataFrame
};

// The number of bytes of a reply of this kind; 0 for Ignored.
std::size_t replyLength(ReplyKind kind);

LinkBytes handshakeFrame(); // "PROGRAM"
LinkBytes identRequest();   // 0x02
LinkBytes readRequest(std::uint32_t address);
LinkBytes endFrame();       // "END"
LinkBytes handshakeReply(); // "KZ" 0x06
// A 24-byte data frame carrying the 16 bytes given (missing bytes are sent as 0).
LinkBytes dataFrame(std::uint32_t address, std::span<const std::uint8_t> data);
// A data frame carrying the image's block at the address; empty when the block is not inside.
LinkBytes dataFrameFromImage(const RadioImage &image, std::uint32_t address);

// The 8-bit sum of frame[first..last]; indices past the end of the frame add nothing.
std::uint8_t frameChecksum(std::span<const std::uint8_t> frame, std::size_t first,
                           std::size_t last);
// Byte 22 equals the sum of bytes 1..21 of a 24-byte data frame.
bool checksumMatches(std::span<const std::uint8_t> frame);
// The block address in bytes 1-4, most significant byte first.
std::uint32_t frameAddress(std::span<const std::uint8_t> frame);

// Recognises one reply, the whole candidate at once: an Ack, a handshake reply, an
// identification reply, or a data frame for transferAddress that passes every check (length,
// length byte, trailing 0x06, checksum). Anything else is Ignored.
ReplyKind classifyReply(std::span<const std::uint8_t> reply, std::int64_t transferAddress);

// The fields of an identification reply.
struct IdentFields
{
    std::string radioModel;      // bytes 1-7, trailing spaces removed, cut before a NUL
    bool publicGroupFlag{false}; // byte 8 equals 1
    std::string firmwareVersion; // bytes 9-12, as they are

    friend bool operator==(const IdentFields &, const IdentFields &) = default;
};
// Reads the fields of a 16-byte identification reply (shorter input reads as zeros).
IdentFields parseIdentReply(std::span<const std::uint8_t> reply);
// The model name as compared: trailing spaces removed, then cut before the first NUL.
std::string trimModelName(std::string_view text);
