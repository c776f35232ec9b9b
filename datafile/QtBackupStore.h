#pragma once

#include "datafile/BackupStore.h"

// Backups on disk, in "backups" under the platform's per-user application data folder
// (QStandardPaths::AppDataLocation) unless another folder is given.
class QtBackupStore : public BackupStore
{
public:
    explicit QtBackupStore(std::string folder = defaultFolder());
    static std::string defaultFolder();

    std::optional<std::string> keep(const BackupContents &contents) override;
    std::vector<BackupInfo> list() override;
    const std::string &folder() const { return m_folder; }

private:
    std::string m_folder;
};
