#include "datafile/QtDataFileStorage.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString qPath(const std::string &path)
{
    return QString::fromStdString(path);
}

std::filesystem::path fsPath(const std::string &path)
{
    return std::filesystem::path(qPath(path).toStdU16String());
}

// Waits until the file's bytes are on the disk, so that a power loss after a later rename cannot
// leave a renamed file without its contents.
bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef _WIN32
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The renames of a folder are on the disk only once the folder itself is synced.
void syncFolderOf(const std::string &path)
{
#ifndef _WIN32
    const QByteArray folder = QFile::encodeName(QFileInfo(qPath(path)).absolutePath());
    const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
#else
    (void)path;
#endif
}

bool writeSynced(const std::string &path, std::span<const std::uint8_t> bytes)
{
    QFile file(qPath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (size != 0 && file.write(reinterpret_cast<const char *>(bytes.data()), size) != size)
        return false;
    return syncToDisk(file);
}

bool exists(const std::string &path)
{
    std::error_code error;
    return std::filesystem::exists(fsPath(path), error);
}

bool isFolder(const std::string &path)
{
    std::error_code error;
    return std::filesystem::is_directory(fsPath(path), error);
}

bool removeIfPresent(const std::string &path)
{
    std::error_code error;
    std::filesystem::remove(fsPath(path), error);
    return !error;
}

// Replaces the target when it exists (std::filesystem::rename does on every platform we build).
bool renameOver(const std::string &from, const std::string &to)
{
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    return !error;
}

std::string newPath(const std::string &path)
{
    return path + QtDataFileStorage::kNewSuffix;
}

std::string commitPath(const std::string &dataPath)
{
    return dataPath + QtDataFileStorage::kCommitSuffix;
}

// With the commit mark in place: every new file still waiting is moved over its target, then the
// mark goes. Each step can be repeated, so an interruption here is finished by the next call.
bool finishCommit(const std::string &dataPath, const std::string &channelPath)
{
    for (const std::string *target : {&channelPath, &dataPath}) {
        if (exists(newPath(*target)) && !renameOver(newPath(*target), *target))
            return false;
    }
    syncFolderOf(dataPath);
    const bool removed = removeIfPresent(commitPath(dataPath));
    syncFolderOf(dataPath);
    return removed;
}

} // namespace

std::optional<std::vector<std::uint8_t>> QtDataFileStorage::readFile(const std::string &path)
{
    QFile file(qPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxReadBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtDataFileStorage::settlePair(const std::string &dataPath, const std::string &channelPath)
{
    if (exists(commitPath(dataPath)))
        return finishCommit(dataPath, channelPath);
    // No mark: the new files were never complete, and the old pair is still whole.
    return removeIfPresent(newPath(dataPath)) && removeIfPresent(newPath(channelPath));
}

bool QtDataFileStorage::writePair(const std::string &dataPath,
                                  std::span<const std::uint8_t> dataBytes,
                                  const std::string &channelPath,
                                  std::span<const std::uint8_t> channelBytes)
{
    if (!settlePair(dataPath, channelPath))
        return false;
    // A folder in a target's place would stop the renames half-way; refuse before anything moves.
    if (isFolder(dataPath) || isFolder(channelPath) || dataPath == channelPath)
        return false;
    const auto abandon = [&] {
        removeIfPresent(commitPath(dataPath));
        removeIfPresent(newPath(dataPath));
        removeIfPresent(newPath(channelPath));
        return false;
    };
    if (!writeSynced(newPath(dataPath), dataBytes) ||
        !writeSynced(newPath(channelPath), channelBytes))
        return abandon();
    syncFolderOf(dataPath);
    syncFolderOf(channelPath);

    // From here on the new pair is the one that counts, even if this process ends now.
    static constexpr std::uint8_t kMark[] = {'O', 'R', 'X', '7', '4', '0', '\n'};
    if (!writeSynced(commitPath(dataPath), kMark))
        return abandon();
    syncFolderOf(dataPath);
    // A rename that fails leaves the mark, so the next settlePair() finishes the job.
    return finishCommit(dataPath, channelPath);
}
