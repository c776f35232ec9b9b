#include "datafile/QtDataFileStorage.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString qPath(const std::string &path)
{
    return QString::fromStdString(path);
}

bool writeAll(QSaveFile &file, std::span<const std::uint8_t> bytes)
{
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    return size == 0 || file.write(reinterpret_cast<const char *>(bytes.data()), size) == size;
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

bool QtDataFileStorage::writePair(const std::string &dataPath,
                                  std::span<const std::uint8_t> dataBytes,
                                  const std::string &channelPath,
                                  std::span<const std::uint8_t> channelBytes)
{
    // Until commit() both files are temporaries; one that is not committed is removed.
    QSaveFile dataFile(qPath(dataPath));
    QSaveFile channelFile(qPath(channelPath));
    if (!writeAll(dataFile, dataBytes) || !writeAll(channelFile, channelBytes))
        return false;

    // The old channel file is kept to be put back should the data file fail at the last step.
    std::optional<QByteArray> oldChannels;
    if (QFile old(qPath(channelPath)); old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            return false;
        oldChannels = old.readAll();
    }
    if (!channelFile.commit())
        return false;
    if (dataFile.commit())
        return true;

    if (oldChannels) {
        QSaveFile restore(qPath(channelPath));
        if (restore.open(QIODevice::WriteOnly) &&
            restore.write(*oldChannels) == oldChannels->size())
            restore.commit();
    } else {
        QFile::remove(qPath(channelPath));
    }
    return false;
}
