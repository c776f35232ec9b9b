#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One check per input the program reads from outside: each takes arbitrary bytes, runs them through
// the reader and aborts (after one line on stderr) when something that must hold does not. The
// libFuzzer targets and the regression test call the same functions. Each returns 0.

// Bytes 0-3: the moment a save was cut off (0-7), how much of a half-written file exists, the
// data file's length (little endian); then the data file, then the channel file.
int checkDataFilePair(const std::uint8_t *data, std::size_t size);
// Byte 0 picks the layout target (our own layout, or a kind and group of the common one); the
// rest is the CSV text.
int checkChannelCsv(const std::uint8_t *data, std::size_t size);
// The whole input is a text of a document (YAML), read over the start document.
int checkDocumentText(const std::uint8_t *data, std::size_t size);
// Bytes 0-2: the lengths of a section, a key and a value to set, which come next; the rest is
// the INI file.
int checkIniDocument(const std::uint8_t *data, std::size_t size);
// Bytes 0-3: a transfer address; the rest is one reply candidate.
int checkFrameParser(const std::uint8_t *data, std::size_t size);
// Byte 0: read, write or identify and the answer to the version question; then pieces, each a
// length byte and that many reply bytes (length 0: the reply timer runs out).
int checkTransferEngine(const std::uint8_t *data, std::size_t size);

// Aborts with the text when the condition is false.
void fuzzRequire(bool condition, std::string_view what);
