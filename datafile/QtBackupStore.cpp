#include "datafile/QtBackupStore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

#include "datafile/QtDataFileStorage.h"
#include "radio/Document.h"

namespace {

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

QtBackupStore::QtBackupStore(std::string folder)
    : m_folder(std::move(folder))
{}

std::string QtBackupStore::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("backups"))
        .toStdString();
}

std::optional<std::string> QtBackupStore::keep(const BackupContents &contents)
{
    QDir root(q(m_folder));
    if (!root.mkpath(QStringLiteral(".")))
        return std::nullopt;
    // Two backups of one second (a read, then a write at once) get "-2" and on, so the order
    // of the names stays the order in which they were made.
    std::vector<std::string> stamps;
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (const auto parts = parseBackupFolderName(entry.toStdString()))
            stamps.push_back(parts->stamp);
    std::string stamp = contents.stamp;
    for (int n = 2; std::find(stamps.begin(), stamps.end(), stamp) != stamps.end(); ++n)
        stamp = contents.stamp + "-" + std::to_string(n);
    const std::string name = backupFolderName(stamp, contents.model, contents.reason);
    if (!root.mkdir(q(name)))
        return std::nullopt;
    QDir folder(root.filePath(q(name)));
    const std::string dataPath = folder.filePath(q(name + ".dat")).toStdString();
    bool written = QtDataFileStorage().writePair(
        dataPath, contents.pair.dataFile, companionPath(dataPath), contents.pair.channelFile);
    if (written && contents.image) {
        QSaveFile image(folder.filePath(q(name + ".img")));
        const auto size = qint64(contents.image->size());
        written =
            image.open(QIODevice::WriteOnly) &&
            image.write(reinterpret_cast<const char *>(contents.image->data()), size) == size &&
            image.commit();
    }
    if (!written) {
        folder.removeRecursively();
        return std::nullopt;
    }

    std::vector<std::string> names;
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        names.push_back(entry.toStdString());
    for (const std::string &old : backupsToRemove(names, kBackupsKept))
        QDir(root.filePath(q(old))).removeRecursively();
    return dataPath;
}

std::vector<BackupInfo> QtBackupStore::list()
{
    QDir root(q(m_folder));
    std::vector<std::string> names;
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        names.push_back(entry.toStdString());
    // Everything sorted newest first: nothing is removed when "keep" is the whole count.
    std::vector<std::string> ordered = backupsToRemove(names, 0);
    std::vector<BackupInfo> result;
    QtDataFileStorage storage;
    for (const std::string &name : ordered) {
        const BackupName parts = *parseBackupFolderName(name);
        BackupInfo info;
        info.name = name;
        info.folder = root.filePath(q(name)).toStdString();
        info.dataFilePath = QDir(q(info.folder)).filePath(q(name + ".dat")).toStdString();
        info.stamp = parts.stamp;
        info.model = parts.model;
        info.reason = parts.reason;
        info.hasImage = QFile::exists(QDir(q(info.folder)).filePath(q(name + ".img")));
        storage.settlePair(info.dataFilePath, companionPath(info.dataFilePath));
        if (const auto data = storage.readFile(info.dataFilePath)) {
            auto document = std::make_unique<DocumentSet>();
            if (unpackDataFilePair(*data, storage.readFile(companionPath(info.dataFilePath)),
                                   *document) == PairReadStatus::Ok) {
                info.hasPair = true;
                for (int kind = 0; kind < kKindCount; ++kind)
                    for (int group = 1; group <= groupCount(kind); ++group)
                        info.channels += document->channelCount(kind, group);
                for (const ChannelRecord &memory : document->memories.records)
                    info.memories += memory.Present ? 1 : 0;
            }
        }
        result.push_back(std::move(info));
    }
    return result;
}
