#include "datafile/PairCommit.h"

namespace {

std::string newPath(const std::string &path)
{
    return path + kPairNewSuffix;
}

std::string commitPath(const std::string &dataPath)
{
    return dataPath + kPairCommitSuffix;
}

// With the commit mark in place: every new file still waiting is moved over its target, then the
// mark goes. Each step can be repeated, so an interruption here is finished by the next call.
bool finishCommit(PairFiles &files, const std::string &dataPath, const std::string &channelPath)
{
    for (const std::string *target : {&channelPath, &dataPath}) {
        if (files.exists(newPath(*target)) && !files.renameOver(newPath(*target), *target))
            return false;
    }
    files.syncFolderOf(dataPath);
    const bool removed = files.remove(commitPath(dataPath));
    files.syncFolderOf(dataPath);
    return removed;
}

} // namespace

bool settlePairFiles(PairFiles &files, const std::string &dataPath, const std::string &channelPath)
{
    if (files.exists(commitPath(dataPath)))
        return finishCommit(files, dataPath, channelPath);
    // No mark: the new files were never complete, and the old pair is still whole.
    return files.remove(newPath(dataPath)) && files.remove(newPath(channelPath));
}

bool writePairFiles(PairFiles &files, const std::string &dataPath,
                    std::span<const std::uint8_t> dataBytes, const std::string &channelPath,
                    std::span<const std::uint8_t> channelBytes)
{
    if (!settlePairFiles(files, dataPath, channelPath))
        return false;
    // A folder in a target's place would stop the renames half-way; refuse before anything moves.
    if (files.isFolder(dataPath) || files.isFolder(channelPath) || dataPath == channelPath)
        return false;
    const auto abandon = [&] {
        files.remove(commitPath(dataPath));
        files.remove(newPath(dataPath));
        files.remove(newPath(channelPath));
        return false;
    };
    if (!files.writeSynced(newPath(dataPath), dataBytes) ||
        !files.writeSynced(newPath(channelPath), channelBytes))
        return abandon();
    files.syncFolderOf(dataPath);
    files.syncFolderOf(channelPath);

    // From here on the new pair is the one that counts, even if this process ends now.
    static constexpr std::uint8_t kMark[] = {'O', 'R', 'X', '7', '4', '0', '\n'};
    if (!files.writeSynced(commitPath(dataPath), kMark))
        return abandon();
    files.syncFolderOf(dataPath);
    // A rename that fails leaves the mark, so the next settling finishes the job.
    return finishCommit(files, dataPath, channelPath);
}
