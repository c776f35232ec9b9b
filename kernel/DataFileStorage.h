#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

// Where data file pairs are kept. The program uses the files on disk; tests keep them in memory.
class DataFileStorage
{
public:
    virtual ~DataFileStorage() = default;

    // The whole file; nothing when it is missing or cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> readFile(const std::string &path) = 0;
    // Writes the data file and its channel file, both completely or neither: on false the pair
    // that was there before is left as it was.
    virtual bool writePair(const std::string &dataPath, std::span<const std::uint8_t> dataBytes,
                           const std::string &channelPath,
                           std::span<const std::uint8_t> channelBytes) = 0;
    // Finishes or undoes what an interrupted write of this pair left behind, so that the pair
    // read afterwards is the complete new one or else the old one, never one file of each. False
    // when the leftovers could not be resolved (the pair should not be read then).
    virtual bool settlePair(const std::string &dataPath, const std::string &channelPath)
    {
        (void)dataPath;
        (void)channelPath;
        return true;
    }
    // Why the last write failed, with the path it was for ("Permission denied: /usr/bin/new.dat");
    // empty when the storage cannot tell.
    virtual std::string lastWriteError() const { return {}; }
    // Writes one file whole (a configuration text), or leaves what was there; false on failure.
    virtual bool writeFile(const std::string &path, std::span<const std::uint8_t> bytes)
    {
        (void)path;
        (void)bytes;
        return false;
    }
};

// No files at all: nothing can be read and every write fails. The storage of a context that
// nobody has given a real one.
class NoDataFileStorage : public DataFileStorage
{
public:
    std::optional<std::vector<std::uint8_t>> readFile(const std::string &) override
    {
        return std::nullopt;
    }
    bool writePair(const std::string &, std::span<const std::uint8_t>, const std::string &,
                   std::span<const std::uint8_t>) override
    {
        return false;
    }
};

// Files kept in memory, with switches for the failures a disk can have.
class MemoryDataFileStorage : public DataFileStorage
{
public:
    std::optional<std::vector<std::uint8_t>> readFile(const std::string &path) override
    {
        const auto found = files.find(path);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    }

    bool writePair(const std::string &dataPath, std::span<const std::uint8_t> dataBytes,
                   const std::string &channelPath,
                   std::span<const std::uint8_t> channelBytes) override
    {
        ++writeAttempts;
        if (unwritable.contains(dataPath) || unwritable.contains(channelPath))
            return false;
        files[dataPath].assign(dataBytes.begin(), dataBytes.end());
        files[channelPath].assign(channelBytes.begin(), channelBytes.end());
        return true;
    }

    bool writeFile(const std::string &path, std::span<const std::uint8_t> bytes) override
    {
        if (unwritable.contains(path))
            return false;
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> unwritable; // paths whose writing fails
    int writeAttempts = 0;
};
