#include "datafile/BackupStore.h"

#include <algorithm>
#include <cctype>

#include "datafile/LocalTime.h"

namespace {

constexpr std::string_view kRead = "read";
constexpr std::string_view kWrite = "write";

bool digits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The model name as a folder name may hold it.
std::string safeModel(std::string_view model)
{
    std::string safe;
    for (char c : model)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-') ? c : '-';
    return safe.empty() ? "radio" : safe;
}

} // namespace

std::string backupFolderName(std::string_view stamp, std::string_view model, BackupReason reason)
{
    return std::string(stamp) + "_" + safeModel(model) + "_" +
           std::string(reason == BackupReason::Read ? kRead : kWrite);
}

std::optional<BackupName> parseBackupFolderName(std::string_view name)
{
    const auto first = name.find('_');
    const auto last = name.rfind('_');
    if (first == std::string_view::npos || first == last)
        return std::nullopt;
    const std::string_view stamp = name.substr(0, first);
    const std::string_view reason = name.substr(last + 1);
    // YYYYMMDD-HHMMSS, perhaps followed by -N.
    if (stamp.size() < 15 || !digits(stamp.substr(0, 8)) || stamp[8] != '-' ||
        !digits(stamp.substr(9, 6)) ||
        (stamp.size() > 15 && (stamp[15] != '-' || !digits(stamp.substr(16)))))
        return std::nullopt;
    if (reason != kRead && reason != kWrite)
        return std::nullopt;
    return BackupName{std::string(stamp), std::string(name.substr(first + 1, last - first - 1)),
                      reason == kRead ? BackupReason::Read : BackupReason::Write};
}

std::vector<std::string> backupsToRemove(std::vector<std::string> names, int keep)
{
    std::erase_if(names, [](const std::string &name) { return !parseBackupFolderName(name); });
    // The stamp leads the name, so newest first is the names in descending order; "-2" after a
    // stamp sorts after the plain one of the same second, as it was made later.
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const BackupName x = *parseBackupFolderName(a);
        const BackupName y = *parseBackupFolderName(b);
        const auto key = [](const std::string &stamp) {
            const int n = stamp.size() > 16 ? std::stoi(stamp.substr(16)) : 1;
            return std::make_pair(stamp.substr(0, 15), n);
        };
        return key(x.stamp) > key(y.stamp);
    });
    if (int(names.size()) <= keep)
        return {};
    return std::vector<std::string>(names.begin() + std::max(keep, 0), names.end());
}

std::string backupStampNow()
{
    return localTimeText("%Y%m%d-%H%M%S");
}

std::string describeBackup(const BackupInfo &info)
{
    const std::string &s = info.stamp;
    std::string line =
        s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " + s.substr(9, 2) + ":" +
        s.substr(11, 2) + ":" + s.substr(13, 2) + "  " + info.model + "  " +
        (info.reason == BackupReason::Read ? "read from the radio " : "written to the radio");
    std::string holds;
    if (info.hasImage)
        holds = "image";
    if (info.hasPair)
        holds += std::string(holds.empty() ? "" : " + ") + "data file pair, " +
                 std::to_string(info.channels) + " channels, " + std::to_string(info.memories) +
                 " memory channels";
    if (holds.empty())
        holds = "nothing readable";
    return line + "  " + holds + "\n    " + info.dataFilePath;
}
