#pragma once

#include "datafile/DataFileStorage.h"

// Data file pairs on disk. A pair is written to temporary files beside the targets, which replace
// the old files only once both are complete.
class QtDataFileStorage : public DataFileStorage
{
public:
    // More than any data file pair holds; a larger file is read only this far plus one byte, which
    // is enough to reject it.
    static constexpr std::int64_t kMaxReadBytes = 1 << 20;

    std::optional<std::vector<std::uint8_t>> readFile(const std::string &path) override;
    bool writePair(const std::string &dataPath, std::span<const std::uint8_t> dataBytes,
                   const std::string &channelPath,
                   std::span<const std::uint8_t> channelBytes) override;
};
