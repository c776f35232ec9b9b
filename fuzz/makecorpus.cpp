// Writes the seed inputs of every fuzz target into the folder given (fuzz/corpus), each made by
// the program's own writers so that the fuzzer starts from inputs the readers accept.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "datafile/ChannelCsv.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentText.h"
#include "datafile/InitFiles.h"
#include "link/Frames.h"
#include "model/RadioImage.h"
#include "model/TransferWalk.h"
#include "radio/Document.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void save(const std::filesystem::path &folder, const std::string &name, const Bytes &bytes)
{
    std::filesystem::create_directories(folder);
    std::FILE *file = std::fopen((folder / name).string().c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

Bytes text(std::string_view header, std::string_view body)
{
    Bytes bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// A small pair: the new document without channels, so that the seed stays a few KB.
void pairSeeds(const std::filesystem::path &folder, const DocumentSet &shipped)
{
    DocumentSet small = shipped;
    small.settings.channelCounts = {};
    const PackedPair packed = packDataFilePair(small);
    // One seed: the memory channels alone make it 9 KB; the fuzzer varies the moment.
    for (std::uint8_t moment : {5}) {
        Bytes input{moment, 128, static_cast<std::uint8_t>(packed.dataFile.size() & 0xFF),
                    static_cast<std::uint8_t>(packed.dataFile.size() >> 8)};
        input.insert(input.end(), packed.dataFile.begin(), packed.dataFile.end());
        input.insert(input.end(), packed.channelFile.begin(), packed.channelFile.end());
        save(folder, "pair", input);
    }
}

void csvSeeds(const std::filesystem::path &folder, const DocumentSet &shipped)
{
    const std::string exported = exportChannelCsv(shipped);
    // The header and the first lines of our own layout.
    std::size_t end = 0;
    for (int line = 0; line < 6; ++line)
        end = exported.find('\n', end) + 1;
    save(folder, "own-layout", text("\x01", exported.substr(0, end)));
    save(folder, "common-layout",
         text("\x86", "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                      "DtcsPolarity,Mode,Skip\n1,Club,28.30000,,0,Tone,88.5,88.5,023,NN,FM,\n"
                      "2,\"Rep, 2\",29.62000,-,0.1,TSQL,88.5,100.0,023,NN,FM,S\n"));
    save(folder, "memory", text("\x83", "Location,Frequency,Mode\n1,27.40500,AM\n"));
}

// A partial text (one group, two options) and the whole settings record without channels.
void textSeeds(const std::filesystem::path &folder, const DocumentSet &shipped)
{
    save(folder, "partial",
         text("format: orx740-config/1\n",
              "channels:\n  HAM:\n    group 2:\n"
              "      channel 1: {rx: \"28.30000\", mode: \"USB\", txToneType: \"CTCSS\", "
              "txCtcss: \"88.5\"}\n"
              "      channel 3:\n        rx: \"28.40000\"\n        scan: off\n"
              "options:\n  mic: \"31\"\n  batteryMax: \"16.8\"\n"));
    DocumentSet settingsOnly = shipped;
    settingsOnly.settings.channelCounts = {};
    save(folder, "settings", text("", documentToYaml(settingsOnly, {})));
}

void iniSeeds(const std::filesystem::path &folder)
{
    save(folder, "settings",
         text(std::string("\x08\x07\x04", 3) + "languagecomPortCOM3",
              "; settings\r\n[language]\r\nLanguage=0\r\ncomPort = COM1\r\n\r\n[window]\r\n"
              "x=10\r\n"));
    save(folder, "new-section", text(std::string("\x03\x01\x02", 3) + "newk12", "[a]\nb=c\n#x\n"));
}

void frameSeeds(const std::filesystem::path &folder)
{
    Bytes block(16);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 17);
    Bytes frame{0x00, 0x01, 0x20, 3};
    const LinkBytes data = dataFrame(0x120, block);
    frame.insert(frame.end(), data.begin(), data.end());
    save(folder, "data-frame", frame);
    save(folder, "ack", {0, 0, 0, 0, kAckByte});
    save(folder, "ident",
         {0, 0, 0, 0, 'I', 'O', 'R', 'X', '7', '4', '0', ' ', 1, 'V', '1', '0', '0', 0, 0, 0});
}

// A read: the handshake reply, the identification, the first blocks, each in two pieces, and a
// time-out; a write: Acks.
void engineSeeds(const std::filesystem::path &folder)
{
    const auto piece = [](Bytes &input, const LinkBytes &bytes) {
        input.push_back(static_cast<std::uint8_t>(bytes.size()));
        input.insert(input.end(), bytes.begin(), bytes.end());
    };
    const LinkBytes ident{'I', 'O', 'R', 'X', '7', '4', '0', ' ', 1, 'V', '1', '0', '0', 0, 0, 0};
    Bytes read{0};
    piece(read, handshakeReply());
    piece(read, ident);
    std::int32_t address = kTransferStartAddress;
    for (int n = 0; n < 4; ++n) {
        address = NextTransferAddress(address + 16);
        const LinkBytes frame = dataFrame(static_cast<std::uint32_t>(address), Bytes(16, 0x5A));
        piece(read, LinkBytes(frame.begin(), frame.begin() + 10));
        piece(read, LinkBytes(frame.begin() + 10, frame.end()));
    }
    read.push_back(0);
    save(folder, "read", read);
    Bytes write{1};
    piece(write, handshakeReply());
    piece(write, ident);
    for (int n = 0; n < 8; ++n)
        piece(write, {kAckByte});
    save(folder, "write", write);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path corpus(argv[1]);
    const std::unique_ptr<DocumentSet> shipped = shippedInitDocument(1, "20261209");
    pairSeeds(corpus / "datafile_pair", *shipped);
    csvSeeds(corpus / "channel_csv", *shipped);
    textSeeds(corpus / "document_text", *shipped);
    iniSeeds(corpus / "ini_document");
    frameSeeds(corpus / "frame_parser");
    engineSeeds(corpus / "transfer_engine");
    return 0;
}
