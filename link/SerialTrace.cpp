#include "link/SerialTrace.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

const char *kindName(SerialTrace::Kind kind)
{
    switch (kind) {
    case SerialTrace::Kind::Read:
        return "read";
    case SerialTrace::Kind::Write:
        return "write";
    case SerialTrace::Kind::Identify:
        return "identify";
    }
    return "";
}

const char *directionName(SerialTrace::Direction direction)
{
    switch (direction) {
    case SerialTrace::Direction::Sent:
        return "sent    ";
    case SerialTrace::Direction::Received:
        return "received";
    case SerialTrace::Direction::ReplyTimeout:
        return "reply time-out";
    }
    return "";
}

// "2026-12-09 14:15:03.120", local time.
std::string timeText(std::chrono::system_clock::time_point at)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + length, sizeof text - length, ".%03d", int(ms < 0 ? ms + 1000 : ms));
    return text;
}

void appendTransfer(std::string &text, const SerialTrace::Transfer &transfer)
{
    text += "Transfer " + std::to_string(transfer.number) + ": " + kindName(transfer.kind) +
            " on " + transfer.port + ", started " + timeText(transfer.start) + "\n";
    for (const SerialTrace::Entry &entry : transfer.entries) {
        char head[32];
        std::snprintf(head, sizeof head, "%8lld ms  ", static_cast<long long>(entry.elapsedMs));
        text += head;
        text += directionName(entry.direction);
        if (!entry.bytes.empty())
            text += "  " + hexBytes(entry.bytes);
        text += '\n';
    }
    if (transfer.entriesLeftOut > 0)
        text += std::to_string(transfer.entriesLeftOut) + " later entries not kept\n";
}

} // namespace

std::uint64_t SerialTrace::begin(Kind kind, std::string port,
                                 std::chrono::system_clock::time_point start)
{
    const std::lock_guard lock(m_mutex);
    Transfer transfer;
    transfer.number = ++m_lastNumber;
    transfer.kind = kind;
    transfer.port = std::move(port);
    transfer.start = start;
    m_transfers.push_back(std::move(transfer));
    while (m_transfers.size() > kKeptTransfers)
        m_transfers.pop_front();
    return m_lastNumber;
}

void SerialTrace::record(std::uint64_t transfer, Direction direction, std::int64_t elapsedMs,
                         std::span<const std::uint8_t> bytes)
{
    const std::lock_guard lock(m_mutex);
    const auto it = std::find_if(m_transfers.begin(), m_transfers.end(),
                                 [transfer](const Transfer &t) { return t.number == transfer; });
    if (it == m_transfers.end())
        return;
    if (it->entries.size() >= kKeptEntries) {
        ++it->entriesLeftOut;
        return;
    }
    it->entries.push_back({direction, elapsedMs, {bytes.begin(), bytes.end()}});
}

void SerialTrace::clear()
{
    const std::lock_guard lock(m_mutex);
    m_transfers.clear();
}

std::vector<SerialTrace::Transfer> SerialTrace::transfers() const
{
    const std::lock_guard lock(m_mutex);
    return {m_transfers.begin(), m_transfers.end()};
}

std::string SerialTrace::text() const
{
    const std::vector<Transfer> kept = transfers();
    std::string text =
        "Serial trace of the last " + std::to_string(kept.size()) + " transfers, newest last\n";
    for (const Transfer &transfer : kept) {
        text += '\n';
        appendTransfer(text, transfer);
    }
    return text;
}

SerialTrace &serialTrace()
{
    static SerialTrace trace;
    return trace;
}

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}
