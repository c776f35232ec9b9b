#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

// A pair is replaced in a way that survives being cut off at any moment: both new files are first
// written completely beside the targets ("x.dat~new", "x.fre~new") and flushed to the disk, then a
// commit mark ("x.dat~commit") is created, then the new files are renamed over the old ones and
// the mark is removed. Until the mark exists the old pair is untouched; once it exists the new
// pair is complete. Settling, which every read and write of a pair runs first, finishes the
// renames when a mark is found and otherwise removes the unfinished new files.
inline constexpr const char *kPairNewSuffix = "~new";
inline constexpr const char *kPairCommitSuffix = "~commit";

// The file operations the protocol needs; the disk's, or a folder in memory.
class PairFiles
{
public:
    virtual ~PairFiles() = default;
    virtual bool exists(const std::string &path) = 0;
    virtual bool isFolder(const std::string &path) = 0;
    // True when the file is gone afterwards (also when there was none).
    virtual bool remove(const std::string &path) = 0;
    // Replaces the target when it exists.
    virtual bool renameOver(const std::string &from, const std::string &to) = 0;
    // Writes the whole file and waits until its bytes are on the disk.
    virtual bool writeSynced(const std::string &path, std::span<const std::uint8_t> bytes) = 0;
    // Puts the renames of the path's folder on the disk.
    virtual void syncFolderOf(const std::string &path) = 0;
};

bool settlePairFiles(PairFiles &files, const std::string &dataPath, const std::string &channelPath);
// Both files completely or neither: on false the pair that was there before is left as it was.
bool writePairFiles(PairFiles &files, const std::string &dataPath,
                    std::span<const std::uint8_t> dataBytes, const std::string &channelPath,
                    std::span<const std::uint8_t> channelBytes);

// A folder in memory, for tests and fuzzing.
class MemoryPairFiles : public PairFiles
{
public:
    std::map<std::string, std::vector<std::uint8_t>> files;

    bool exists(const std::string &path) override { return files.contains(path); }
    bool isFolder(const std::string &) override { return false; }
    bool remove(const std::string &path) override
    {
        files.erase(path);
        return true;
    }
    bool renameOver(const std::string &from, const std::string &to) override
    {
        const auto found = files.find(from);
        if (found == files.end())
            return false;
        files[to] = std::move(found->second);
        files.erase(from);
        return true;
    }
    bool writeSynced(const std::string &path, std::span<const std::uint8_t> bytes) override
    {
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }
    void syncFolderOf(const std::string &) override {}
};
