#include "kernel/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{}

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

std::optional<IniDocument> IniFile::tryLoad(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniDocument(file.readAll().toStdString());
}

IniDocument IniFile::load(const QString &path)
{
    return tryLoad(path).value_or(IniDocument());
}

bool IniFile::save(const QString &path, const IniDocument &document)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string &bytes = document.bytes();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::string IniFile::readString(std::string_view section, std::string_view key)
{
    return load(m_path).valueOr(section, key);
}

std::vector<std::string> IniFile::keys(std::string_view section)
{
    return load(m_path).keys(section);
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    // A file that exists but cannot be read is never replaced by one holding a single key.
    std::optional<IniDocument> loaded = tryLoad(m_path);
    if (!loaded && exists())
        return false;
    IniDocument document = loaded.value_or(IniDocument());
    const std::string before = document.bytes();
    if (!document.setValue(section, key, value))
        return false;
    if (document.bytes() == before && exists())
        return true;
    return save(m_path, document);
}

namespace {

bool canWriteBeside(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    // The folder may be missing in a damaged installation; it is writable when its parent is.
    QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        folder = QFileInfo(folder.absolutePath());
    return folder.exists() && folder.isWritable();
}

} // namespace

QString resolveSetupIniPath(const QString &shippedPath)
{
    return canWriteBeside(shippedPath) ? shippedPath : perUserSetupIniPath(shippedPath);
}

QString perUserSetupIniPath(const QString &shippedPath)
{
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QString userPath = QDir(userFolder).filePath(QFileInfo(shippedPath).fileName());
    if (!QFileInfo::exists(userPath) && QFileInfo::exists(shippedPath)) {
        QDir().mkpath(userFolder);
        if (QFile::copy(shippedPath, userPath))
            QFile::setPermissions(userPath, QFile::permissions(userPath) | QFile::WriteOwner);
    }
    return userPath;
}

std::optional<std::string> IniFile::contents()
{
    const std::optional<IniDocument> document = tryLoad(m_path);
    if (!document)
        return std::nullopt;
    return document->bytes();
}
