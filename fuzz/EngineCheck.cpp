#include <optional>
#include <variant>

#include "fuzz/FuzzChecks.h"
#include "link/TransferEngine.h"
#include "model/RadioImage.h"

namespace {

// The host side of a transfer: carries out the engine's actions and checks each one.
struct EngineHost
{
    TransferEngine engine;
    RadioImage target;
    RadioImage source;
    LinkBytes sent;     // the frame last sent
    LinkBytes received; // bytes fed since then
    int lastPercent = 0;
    int finished = 0;

    void carryOut(const LinkActions &actions)
    {
        for (const LinkAction &action : actions) {
            if (const auto *frame = std::get_if<SendFrame>(&action)) {
                fuzzRequire(frame->resendCount >= 1 &&
                                frame->resendCount <= TransferEngine::kMaxSends,
                            "a frame is sent more than five times");
                if (engine.step() == TransferStep::WritingBlocks)
                    fuzzRequire(frame->bytes ==
                                    dataFrameFromImage(source, static_cast<std::uint32_t>(
                                                                   engine.transferAddress())),
                                "a written block is not the image's block");
                sent = frame->bytes;
                received.clear();
            } else if (const auto *progress = std::get_if<ProgressChanged>(&action)) {
                fuzzRequire(progress->percent >= lastPercent && progress->percent <= 100,
                            "the progress goes back or past 100");
                lastPercent = progress->percent;
            } else if (std::holds_alternative<TransferFinished>(action)) {
                ++finished;
                fuzzRequire(finished == 1 && !engine.isRunning(), "a transfer ends twice");
            }
        }
    }

    // What must hold for the reply the engine has just accepted, the end of the bytes fed.
    void checkAccepted(TransferStep step, std::int32_t address) const
    {
        const auto tail = [this](std::size_t length) {
            fuzzRequire(received.size() >= length, "a reply was accepted before it was complete");
            return std::span<const std::uint8_t>(received).last(length);
        };
        switch (step) {
        case TransferStep::HandshakeSent: {
            const auto reply = tail(kHandshakeReplyLength);
            fuzzRequire(LinkBytes(reply.begin(), reply.end()) == handshakeReply(),
                        "a wrong handshake reply was accepted");
            break;
        }
        case TransferStep::IdentRequestSent:
            fuzzRequire(tail(kIdentReplyLength)[0] == kIdentReplyMarker,
                        "a wrong identification reply was accepted");
            break;
        case TransferStep::ReadingBlocks: {
            const auto reply = tail(kDataFrameLength);
            fuzzRequire(checksumMatches(reply) && reply[0] == kDataFrameMarker,
                        "a data frame with a bad checksum was accepted");
            fuzzRequire(frameAddress(reply) == static_cast<std::uint32_t>(address),
                        "a data frame for another block was accepted");
            std::array<std::uint8_t, RadioImage::kBlockSize> block{};
            target.readBlock(static_cast<std::uint32_t>(address), block);
            fuzzRequire(std::equal(block.begin(), block.end(), reply.begin() + kDataOffset),
                        "the image does not hold the block the radio sent");
            break;
        }
        default:
            fuzzRequire(tail(kAckLength)[0] == kAckByte, "something else than an Ack was accepted");
            break;
        }
    }
};

} // namespace

int checkTransferEngine(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    EngineHost host;
    for (std::uint32_t a = 0; a < RadioImage::kSize; a += 97)
        host.source.write(a, static_cast<std::uint8_t>(a * 7));
    const int operation = data[0] % 3;
    const bool answerYes = (data[0] & 0x80) != 0;
    host.carryOut(operation == 0   ? host.engine.startRead(host.target)
                  : operation == 1 ? host.engine.startWrite(host.source)
                                   : host.engine.startIdentify());
    std::size_t at = 1;
    while (at < size && host.engine.isRunning()) {
        const std::size_t length = data[at++];
        if (host.engine.isAwaitingAnswer()) {
            host.carryOut(host.engine.questionAnswered(answerYes));
            continue;
        }
        if (length == 0) {
            host.received.clear();
            host.carryOut(host.engine.timerExpired());
            continue;
        }
        const std::span<const std::uint8_t> piece(data + at, std::min(length, size - at));
        at += piece.size();
        const TransferStep step = host.engine.step();
        const std::int32_t address = host.engine.transferAddress();
        host.received.insert(host.received.end(), piece.begin(), piece.end());
        const LinkActions actions = host.engine.bytesReceived(piece);
        if (!actions.empty())
            host.checkAccepted(step, address);
        host.carryOut(actions);
    }
    // Cancelled with no answer, every transfer ends.
    host.carryOut(host.engine.cancel());
    host.carryOut(host.engine.timerExpired());
    fuzzRequire(!host.engine.isRunning() && host.finished == 1, "a cancelled transfer goes on");
    return 0;
}
