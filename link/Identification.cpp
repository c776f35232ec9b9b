#include "link/Identification.h"

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
