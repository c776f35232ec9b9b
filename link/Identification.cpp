#include "link/Identification.h"

#include "link/LinkTexts.h"

IdentificationOutcome identificationCheck(const IdentFields &radio, std::string_view modelName,
                                          std::string_view softwareVersion,
                                          const VersionCompatibility &compatible)
{
    if (trimModelName(modelName) != radio.radioModel)
        return IdentificationOutcome::WrongModel;
    const bool versionMatches = compatible ? compatible(softwareVersion, radio.firmwareVersion)
                                           : softwareVersion == radio.firmwareVersion;
    return versionMatches ? IdentificationOutcome::Passed
                          : IdentificationOutcome::IncompatibleVersion;
}

std::string versionShown(std::string_view version)
{
    if (version.size() < 4)
        return std::string(version);
    std::string shown(version.substr(0, 2));
    shown += '.';
    shown += version.substr(version.size() - 2);
    return shown;
}

std::string versionQuestion(std::string_view firmwareVersion, std::string_view softwareVersion,
                            int language)
{
    std::string text(textFor(LinkTexts::kVersionQuestion, language));
    text += "\r\n";
    text += textFor(LinkTexts::kFirmwareVersionIs, language);
    text += ' ';
    text += versionShown(firmwareVersion);
    text += "\r\n";
    text += textFor(LinkTexts::kSoftwareVersionIs, language);
    text += ' ';
    text += versionShown(softwareVersion);
    return text;
}
