#include "model/VersionRegistry.h"

#include <charconv>
#include <optional>

namespace {

std::optional<int> parseCount(const std::string &text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<VersionPair> defaultPairs()
{
    return {{kSoftwareVersion, kSoftwareVersion}};
}

} // namespace

VersionRegistry::VersionRegistry()
    : m_pairs(defaultPairs())
    , m_currentVersion(kSoftwareVersion)
{}

VersionRegistry VersionRegistry::load(const IniLookup &lookup)
{
    VersionRegistry registry;
    registry.m_currentVersion = lookup("Version", "CurrentVersion").substr(0, 4);
    const std::optional<int> count = parseCount(lookup("Version", "FirmVersionCount"));
    if (!count || *count <= 0)
        return registry;

    std::vector<VersionPair> pairs;
    for (int i = 0; i < *count; ++i) {
        const std::string value = lookup("Firm", "Firm" + std::to_string(i));
        if (value.size() < 8)
            continue; // an entry too short to hold two versions pairs nothing
        pairs.push_back({value.substr(0, 4), value.substr(value.size() - 4)});
    }
    if (!pairs.empty())
        registry.m_pairs = std::move(pairs);
    return registry;
}

bool VersionRegistry::compatible(std::string_view software, std::string_view other) const
{
    for (const VersionPair &pair : m_pairs) {
        if (pair.software == software && pair.other == other)
            return true;
    }
    return false;
}

std::string VersionRegistry::softwareVersionFor(std::string_view other) const
{
    for (const VersionPair &pair : m_pairs) {
        if (pair.other == other)
            return pair.software;
    }
    return {};
}

bool isVersionText(std::string_view text)
{
    if (text.size() != 4 || text[0] != 'V')
        return false;
    for (char c : text.substr(1)) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::string versionForDisplay(std::string_view version)
{
    if (version.size() < 4)
        return std::string(version);
    std::string shown;
    shown.reserve(5);
    shown.append(version.substr(0, 2));
    shown.push_back('.');
    shown.append(version.substr(version.size() - 2));
    return shown;
}

std::string incompatibilityQuestion(std::string_view software, std::string_view other,
                                    VersionKind kind, int language)
{
    const TextEntry &otherLabel =
        kind == VersionKind::Firmware ? VersionTexts::kFirmwareIs : VersionTexts::kDataFileIs;
    std::string text(textFor(VersionTexts::kIncompatible, language));
    text += "\r\n";
    text += textFor(otherLabel, language);
    text += ' ';
    text += versionForDisplay(other);
    text += "\r\n";
    text += textFor(VersionTexts::kSoftwareIs, language);
    text += ' ';
    text += versionForDisplay(software);
    return text;
}

std::string siblingProgramPath(std::string_view root, std::string_view softwareVersion,
                               std::string_view programBaseName, std::string_view executableSuffix,
                               char separator)
{
    std::string path(root);
    path += separator;
    path += softwareVersion;
    path += separator;
    path += "KZ_306";
    path += separator;
    path += programBaseName;
    path += executableSuffix;
    return path;
}
