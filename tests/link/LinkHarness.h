#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "link/RadioSimulator.h"
#include "link/TransferEngine.h"
#include "model/RadioImage.h"

// The bytes of a frame as a QByteArray, for comparing and printing in the tests, and back.
inline QByteArray toQt(const LinkBytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

inline LinkBytes fromQt(const QByteArray &bytes)
{
    return LinkBytes(bytes.begin(), bytes.end());
}

// Plays the host of a TransferEngine for the tests: records what the engine asks for and, when
// wanted, carries its frames to a RadioSimulator and back, with reply-timer ticks simulated.
struct LinkHarness
{
    TransferEngine engine;
    std::vector<LinkBytes> sent;
    std::vector<int> resendCounts;
    std::deque<LinkBytes> onTheWire;
    bool timerRunning{false};
    int timerStarts{0};
    std::vector<int> progress;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<IdentFields> identifications;
    std::optional<TransferOutcome> outcome;
    int timeouts{0};

    void apply(const LinkActions &actions)
    {
        for (const LinkAction &action : actions) {
            if (const auto *send = std::get_if<SendFrame>(&action)) {
                sent.push_back(send->bytes);
                resendCounts.push_back(send->resendCount);
                onTheWire.push_back(send->bytes);
            } else if (std::holds_alternative<StartReplyTimer>(action)) {
                timerRunning = true;
                ++timerStarts;
            } else if (std::holds_alternative<StopReplyTimer>(action)) {
                timerRunning = false;
            } else if (const auto *p = std::get_if<ProgressChanged>(&action)) {
                progress.push_back(p->percent);
            } else if (const auto *m = std::get_if<QueueMessage>(&action)) {
                messages.push_back(m->text);
            } else if (const auto *q = std::get_if<AskQuestion>(&action)) {
                questions.push_back(q->text);
            } else if (const auto *i = std::get_if<IdentificationReceived>(&action)) {
                identifications.push_back(i->fields);
            } else if (const auto *f = std::get_if<TransferFinished>(&action)) {
                outcome = f->outcome;
            }
        }
    }

    void feed(const LinkBytes &bytes) { apply(engine.bytesReceived(bytes)); }
    void tick()
    {
        ++timeouts;
        apply(engine.timerExpired());
    }

    // Starts a read from the radio into the image, or a write of the image to the radio.
    void start(CommOperation operation, RadioImage &image)
    {
        apply(operation == CommOperation::Read ? engine.startRead(image)
                                               : engine.startWrite(image));
    }

    // Reads from (or writes to) the simulated radio and runs the exchange as drive() does.
    void transferWith(RadioSimulator &radio, CommOperation operation, RadioImage &image,
                      bool answerYes = false)
    {
        start(operation, image);
        drive(radio, answerYes);
    }

    // Reads the simulated radio's memory into the image.
    void readWith(RadioSimulator &radio, RadioImage &image)
    {
        transferWith(radio, CommOperation::Read, image);
    }

    // Runs the exchange with the simulator until the transfer ends or a question waits for an
    // answer. A frame the simulator leaves unanswered costs one reply-timer tick, or stops the
    // run when ticks are not wanted.
    void drive(RadioSimulator &radio, bool answerYes = false, bool ticks = true)
    {
        while (!outcome) {
            if (!onTheWire.empty()) {
                const LinkBytes frame = onTheWire.front();
                onTheWire.pop_front();
                for (const LinkBytes &piece : radio.receive(frame))
                    feed(piece);
            } else if (engine.isAwaitingAnswer()) {
                apply(engine.questionAnswered(answerYes));
            } else if (timerRunning && ticks) {
                tick();
            } else {
                break;
            }
        }
    }

    // The addresses of the read requests or data frames sent, in order.
    std::vector<std::uint32_t> blockAddresses() const
    {
        std::vector<std::uint32_t> addresses;
        for (const LinkBytes &frame : sent) {
            if (!frame.empty() && (frame[0] == kReadRequestMarker || frame[0] == kDataFrameMarker))
                addresses.push_back(frameAddress(frame));
        }
        return addresses;
    }
};

// The addresses of every transferred block, from the listed ranges.
inline std::vector<std::uint32_t> transferredBlocks()
{
    static const std::uint32_t ranges[][2] = {
        {0x00000, 0x00C7F}, {0x02000, 0x0277F}, {0x04000, 0x04C7F}, {0x06000, 0x06C7F},
        {0x08000, 0x08C7F}, {0x0A000, 0x0A9FF}, {0x0C000, 0x0C9FF}, {0x0E000, 0x0E9FF},
        {0x10000, 0x107FF}, {0x12000, 0x1264F}, {0x14000, 0x1464F}, {0x16000, 0x1614F},
        {0x16200, 0x1633F}, {0x16400, 0x1646F}, {0x18000, 0x1814F}, {0x1C000, 0x1C18F},
        {0x20000, 0x201FF}, {0x22000, 0x2208F}, {0x22100, 0x2216F}};
    std::vector<std::uint32_t> blocks;
    for (const auto &range : ranges) {
        for (std::uint32_t a = range[0]; a < range[1]; a += 16)
            blocks.push_back(a);
    }
    return blocks;
}

// The block addresses with each resend folded into the block it repeats. A radio on a
// pseudo-terminal answers from another thread; on a loaded machine an answer may come after the
// reply time-out and the block is asked for again, which the protocol allows.
inline std::vector<std::uint32_t> withoutResends(std::vector<std::uint32_t> addresses)
{
    addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
    return addresses;
}

// An image with a distinct byte pattern everywhere, so a misplaced block shows.
inline void fillPattern(RadioImage &image, std::uint32_t seed)
{
    std::uint32_t x = seed;
    for (std::uint32_t a = 0; a <= RadioImage::kLastAddress; ++a) {
        x = x * 1103515245u + 12345u;
        image.write(a, static_cast<std::uint8_t>(x >> 16));
    }
}

// The raw image as a file, the form orx740-cli reads, writes and dumps.
inline QString writeImageFile(const RadioImage &image, const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char *>(image.bytes().data()),
                   qint64(image.bytes().size()));
    return path;
}

inline RadioImage readImageFile(const QString &path)
{
    RadioImage image;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        image.writeBlock(0, {reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                             std::size_t(bytes.size())});
    }
    return image;
}
