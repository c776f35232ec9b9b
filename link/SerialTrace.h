#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string>
#include <vector>

// What went over the serial line in the last transfers, kept in memory so a failed transfer can
// be looked at afterwards: per transfer its kind, port and start, per frame its direction, the
// milliseconds since the transfer's start and its bytes; reply time-outs are marked. Several
// transfers may run at once (a probe of every port), so each is addressed by the number its
// start handed out; a number no longer kept records nothing.
class SerialTrace
{
public:
    static constexpr std::size_t kKeptTransfers = 10;
    // A transfer keeps at most this many entries; later ones are only counted.
    static constexpr std::size_t kKeptEntries = 20000;

    enum class Kind
    {
        Read,
        Write,
        Identify
    };
    enum class Direction
    {
        Sent,
        Received,
        ReplyTimeout
    };
    struct Entry
    {
        Direction direction{Direction::Sent};
        std::int64_t elapsedMs{0};
        std::vector<std::uint8_t> bytes;
    };
    struct Transfer
    {
        std::uint64_t number{0};
        Kind kind{Kind::Read};
        std::string port;
        std::chrono::system_clock::time_point start;
        std::vector<Entry> entries;
        std::size_t entriesLeftOut{0};
    };

    // Starts a new transfer, dropping the oldest beyond kKeptTransfers; answers its number.
    std::uint64_t
    begin(Kind kind, std::string port,
          std::chrono::system_clock::time_point start = std::chrono::system_clock::now());
    void record(std::uint64_t transfer, Direction direction, std::int64_t elapsedMs,
                std::span<const std::uint8_t> bytes = {});
    void clear();

    std::vector<Transfer> transfers() const; // oldest first
    // The readable text of every kept transfer, newest last.
    std::string text() const;

private:
    mutable std::mutex m_mutex;
    std::deque<Transfer> m_transfers;
    std::uint64_t m_lastNumber{0};
};

// The trace of this process, which every link records into.
SerialTrace &serialTrace();

// "50 52 4F": the bytes in hex, separated by spaces.
std::string hexBytes(std::span<const std::uint8_t> bytes);
