#include "datafile/QtDataFileStorage.h"

#include "datafile/PairCommit.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
void syncFolder(const std::string &path)
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

// The pair's files on the disk, keeping the system's reason for the first operation that failed.
class DiskPairFiles : public PairFiles
{
public:
    std::string firstError;

    // A file that is not there is no error; a folder the user may not enter is one.
    bool exists(const std::string &path) override
    {
        std::error_code error;
        const bool found = std::filesystem::exists(fsPath(path), error);
        failed(error);
        return found;
    }
    bool isFolder(const std::string &path) override
    {
        std::error_code error;
        return std::filesystem::is_directory(fsPath(path), error);
    }
    bool remove(const std::string &path) override
    {
        std::error_code error;
        std::filesystem::remove(fsPath(path), error);
        return !failed(error);
    }
    bool renameOver(const std::string &from, const std::string &to) override
    {
        // std::filesystem::rename replaces the target on every platform we build.
        std::error_code error;
        std::filesystem::rename(fsPath(from), fsPath(to), error);
        return !failed(error);
    }
    bool writeSynced(const std::string &path, std::span<const std::uint8_t> bytes) override
    {
        QFile file(qPath(path));
        const auto size = static_cast<qint64>(bytes.size());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            (size != 0 && file.write(reinterpret_cast<const char *>(bytes.data()), size) != size) ||
            !syncToDisk(file)) {
            if (firstError.empty())
                firstError = file.errorString().toStdString();
            return false;
        }
        return true;
    }
    void syncFolderOf(const std::string &path) override { syncFolder(path); }

private:
    bool failed(const std::error_code &error)
    {
        if (error && firstError.empty())
            firstError = error.message();
        return bool(error);
    }
};

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
    DiskPairFiles files;
    return settlePairFiles(files, dataPath, channelPath);
}

bool QtDataFileStorage::writePair(const std::string &dataPath,
                                  std::span<const std::uint8_t> dataBytes,
                                  const std::string &channelPath,
                                  std::span<const std::uint8_t> channelBytes)
{
    DiskPairFiles files;
    m_lastWriteError.clear();
    if (writePairFiles(files, dataPath, dataBytes, channelPath, channelBytes))
        return true;
    if (files.isFolder(dataPath))
        files.firstError = std::make_error_code(std::errc::is_a_directory).message();
    if (!files.firstError.empty())
        m_lastWriteError = files.firstError + ": " + dataPath;
    return false;
}

bool QtDataFileStorage::writeFile(const std::string &path, std::span<const std::uint8_t> bytes)
{
    QSaveFile file(qPath(path));
    const auto size = static_cast<qint64>(bytes.size());
    m_lastWriteError.clear();
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char *>(bytes.data()), size) == size && file.commit())
        return true;
    m_lastWriteError = file.errorString().toStdString() + ": " + path;
    return false;
}
