#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataFileFormat.h"

// Every successful read from the radio and every write to it leaves a backup: one folder per
// transfer, named by date, time, model and what happened ("20261209-141503_ORX740_read"), that
// holds the data file pair (named like the folder, so it opens like any data file) and, after a
// read, the raw image as the radio sent it. The newest kBackupsKept folders are kept.
inline constexpr int kBackupsKept = 50;

enum class BackupReason
{
    Read,  // what a read brought from the radio
    Write, // what a write is about to put into the radio
};

struct BackupContents
{
    std::string stamp; // "YYYYMMDD-HHMMSS", local time
    std::string model;
    BackupReason reason = BackupReason::Read;
    PackedPair pair;
    std::optional<std::vector<std::uint8_t>> image;
};

struct BackupInfo
{
    std::string name;         // the folder's name
    std::string folder;       // its path
    std::string dataFilePath; // the pair inside it
    std::string stamp;
    std::string model;
    BackupReason reason = BackupReason::Read;
    bool hasPair = false;
    bool hasImage = false;
    int channels = 0; // group channels in the pair
    int memories = 0; // memory channels in the pair
};

class BackupStore
{
public:
    virtual ~BackupStore() = default;
    // Writes one backup and removes the oldest beyond kBackupsKept. The path of the data file
    // kept, or nothing when it could not be written.
    virtual std::optional<std::string> keep(const BackupContents &contents) = 0;
    // Newest first.
    virtual std::vector<BackupInfo> list() = 0;
};

std::string backupFolderName(std::string_view stamp, std::string_view model, BackupReason reason);
// The parts of a backup folder's name; nothing for a name no backup has. A second backup in the
// same second gets "-2", "-3" after its stamp.
struct BackupName
{
    std::string stamp;
    std::string model;
    BackupReason reason = BackupReason::Read;
};
std::optional<BackupName> parseBackupFolderName(std::string_view name);
// Of these folder names, the backups beyond the newest `keep`; names that are no backup's stay.
std::vector<std::string> backupsToRemove(std::vector<std::string> names, int keep);
// "YYYYMMDD-HHMMSS" for now, local time.
std::string backupStampNow();
// One line: "2026-12-09 14:15:03  ORX740  read   image + pair, 152 channels, 3 memory channels".
std::string describeBackup(const BackupInfo &info);
