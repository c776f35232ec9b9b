#pragma once

#include "datafile/PairCommit.h"
#include "kernel/DataFileStorage.h"

// Data file pairs on disk, replaced by the commit protocol of datafile/PairCommit.h (new files
// beside the targets, a commit mark, renames) so that a save cut off at any moment leaves the
// old pair or the new one, never one file of each.
class QtDataFileStorage : public DataFileStorage
{
public:
    // More than any data file pair holds; a larger file is read only this far plus one byte, which
    // is enough to reject it.
    static constexpr std::int64_t kMaxReadBytes = 1 << 20;
    static constexpr const char *kNewSuffix = kPairNewSuffix;
    static constexpr const char *kCommitSuffix = kPairCommitSuffix;

    std::optional<std::vector<std::uint8_t>> readFile(const std::string &path) override;
    bool writePair(const std::string &dataPath, std::span<const std::uint8_t> dataBytes,
                   const std::string &channelPath,
                   std::span<const std::uint8_t> channelBytes) override;
    bool settlePair(const std::string &dataPath, const std::string &channelPath) override;
    bool writeFile(const std::string &path, std::span<const std::uint8_t> bytes) override;
    std::string lastWriteError() const override { return m_lastWriteError; }

private:
    std::string m_lastWriteError;
};
