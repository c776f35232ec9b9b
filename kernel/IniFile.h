#pragma once

#include <QString>

#include <optional>

#include "kernel/IniDocument.h"

// An INI file on disk. Every read loads the file as it is now (a missing or unreadable file reads
// as empty); every write loads it, edits the one line and replaces the file atomically, creating
// the file and its folder when needed.
class IniFile : public IniStore
{
public:
    explicit IniFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    std::string readString(std::string_view section, std::string_view key) override;
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::vector<std::string> keys(std::string_view section) override;
    std::optional<std::string> contents() override;

    // The file's contents; nothing when it is missing or cannot be read.
    static std::optional<IniDocument> tryLoad(const QString &path);
    // The same, with a missing or unreadable file read as empty.
    static IniDocument load(const QString &path);
    static bool save(const QString &path, const IniDocument &document);

private:
    QString m_path;
};

// Where the program keeps mysetup.ini: the shipped file in the installation's language folder when
// that folder can be written, otherwise a per-user copy in the user's configuration folder, seeded
// from the shipped file the first time.
QString resolveSetupIniPath(const QString &shippedPath);
// The per-user copy, seeded from the shipped file when it does not exist yet.
QString perUserSetupIniPath(const QString &shippedPath);
