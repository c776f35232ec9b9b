#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Texts.h"

inline constexpr const char *kSoftwareVersion = "V100";

namespace VersionTexts {
inline constexpr TextEntry kIncompatible{"",
                                         "incompatible version. It may cause unknown error.To "
                                         "start the corresponding software version, or not?",
                                         "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"};
inline constexpr TextEntry kFirmwareIs{"", "Firmware version is", "固件版本为"};
inline constexpr TextEntry kDataFileIs{"", "DataFile version is", "数据文件版本为"};
inline constexpr TextEntry kSoftwareIs{"", "programming software is", "写频软件版本为"};
inline constexpr TextEntry kNoSuchVersion{
    "", "Fail to start the software. This version does not exist.", "未能启动，不存在此版本软件！"};
inline constexpr TextEntry kUnknownDataVersion{"", "Unknown version Of DataFile!",
                                               "未能识别的数据版本!"};
} // namespace VersionTexts

// A software version and the firmware / data-file version it handles.
struct VersionPair
{
    std::string software;
    std::string other;
    friend bool operator==(const VersionPair &, const VersionPair &) = default;
};

enum class VersionKind
{
    Firmware = 0,
    DataFile = 1
};

// The table of compatible version pairs read from Version.ini.
class VersionRegistry
{
public:
    // Returns the trimmed value of a key, or an empty text when there is none.
    using IniLookup = std::function<std::string(std::string_view section, std::string_view key)>;

    // A registry holding the single pair V100/V100.
    VersionRegistry();

    // Reads the "Version", "Soft" and "Firm" sections. A missing file, a count that is not a
    // positive number or a table without a usable entry behaves as the single pair V100/V100, so
    // the program still opens its own files and talks to its own radios.
    static VersionRegistry load(const IniLookup &lookup);

    bool compatible(std::string_view software, std::string_view other) const;
    // The software version of the first pair that handles `other`; empty when none does.
    std::string softwareVersionFor(std::string_view other) const;

    const std::vector<VersionPair> &pairs() const { return m_pairs; }
    const std::string &currentVersion() const { return m_currentVersion; }

private:
    std::vector<VersionPair> m_pairs;
    std::string m_currentVersion;
};

// "V" followed by three digits.
bool isVersionText(std::string_view text);
// "V100" is shown as "V1.00": the first two characters, ".", the last two.
std::string versionForDisplay(std::string_view version);
// The question offered when a radio or data file has a version this software does not handle.
std::string incompatibilityQuestion(std::string_view software, std::string_view other,
                                    VersionKind kind, int language);
// Where the program of another software version lives: R/<version>/KZ_306/<program file name>.
std::string siblingProgramPath(std::string_view root, std::string_view softwareVersion,
                               std::string_view programBaseName, std::string_view executableSuffix,
                               char separator);
