#pragma once

#include "kernel/DataFileStorage.h"

// Data file pairs on disk. A pair is replaced in a way that survives being cut off at any moment:
// both new files are first written completely beside the targets ("x.dat~new", "x.fre~new") and
// flushed to the disk, then a commit mark ("x.dat~commit") is created, then the new files are
// renamed over the old ones and the mark is removed. Until the mark exists the old pair is
// untouched; once it exists the new pair is complete. settlePair(), which every read and write
// of a pair runs first, finishes the renames when a mark is found and otherwise removes the
// unfinished new files.
class QtDataFileStorage : public DataFileStorage
{
public:
    // More than any data file pair holds; a larger file is read only this far plus one byte, which
    // is enough to reject it.
    static constexpr std::int64_t kMaxReadBytes = 1 << 20;
    static constexpr const char *kNewSuffix = "~new";
    static constexpr const char *kCommitSuffix = "~commit";

    std::optional<std::vector<std::uint8_t>> readFile(const std::string &path) override;
    bool writePair(const std::string &dataPath, std::span<const std::uint8_t> dataBytes,
                   const std::string &channelPath,
                   std::span<const std::uint8_t> channelBytes) override;
    bool settlePair(const std::string &dataPath, const std::string &channelPath) override;
};
