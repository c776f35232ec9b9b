#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "model/RadioImage.h"

// A radio that is not there: it answers the programming frames from its own memory, bytes in and
// bytes out, so the transfers can run against it on a pseudo-terminal or in a test. Its knobs make
// it misbehave the ways a cable and a radio do.
class RadioSimulator
{
public:
    struct Knobs
    {
        std::string modelName{"ORX740"}; // padded with NUL to 7 bytes
        std::string firmwareVersion{"V100"};
        std::uint8_t capability{1};
        int dropEvery{0};         // every Nth frame gets no reply (0: never)
        int corruptEvery{0};      // every Nth reply is spoiled: a data frame's checksum off by one,
                                  // any other reply's last byte changed (0: never)
        std::size_t pieceSize{0}; // replies are handed out in pieces of this size (0: whole)
        std::optional<int> dieAfterBlocks; // answers nothing from the block request after
                                           // this many blocks were served
    };

    RadioSimulator() = default;
    explicit RadioSimulator(Knobs knobs)
        : m_knobs(std::move(knobs))
    {}

    Knobs &knobs() { return m_knobs; }
    RadioImage &memory() { return m_memory; }
    const RadioImage &memory() const { return m_memory; }

    // Takes bytes from the line and returns the replies they complete, in pieces, in order.
    std::vector<LinkBytes> receive(std::span<const std::uint8_t> bytes);

    bool inProgrammingMode() const { return m_programming; }
    // True once an "END" has been answered.
    bool sessionEnded() const { return m_sessionEnded; }
    int framesReceived() const { return m_framesReceived; }
    int blocksRead() const { return m_blocksRead; }
    int blocksWritten() const { return m_blocksWritten; }
    int repliesDropped() const { return m_repliesDropped; }
    int repliesCorrupted() const { return m_repliesCorrupted; }
    // Every block address written since the last handshake, in order, resends included.
    const std::vector<std::uint32_t> &writtenAddresses() const { return m_writtenAddresses; }

    LinkBytes identReply() const;

private:
    // The length of the frame at the front of the input, 0 when more bytes are needed, or
    // nothing when the first byte starts no frame.
    std::optional<std::size_t> frameLengthAtFront() const;
    LinkBytes answer(std::span<const std::uint8_t> frame);
    void deliver(LinkBytes reply, std::vector<LinkBytes> &out);
    // True from the first block request after the last block it serves.
    bool diesAt(std::span<const std::uint8_t> frame);

    Knobs m_knobs;
    RadioImage m_memory;
    LinkBytes m_input;
    bool m_programming{false};
    bool m_sessionEnded{false};
    bool m_dead{false};
    int m_framesReceived{0};
    int m_blocksServed{0};
    int m_blocksRead{0};
    int m_blocksWritten{0};
    int m_repliesDropped{0};
    int m_repliesCorrupted{0};
    std::vector<std::uint32_t> m_writtenAddresses;
};
