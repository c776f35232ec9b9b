#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "link/Frames.h"
#include "model/VersionRegistry.h"
#include "radio/SettingsRecord.h"

// Whether a software version handles a firmware version; the version registry answers it.
using VersionCompatibility =
    std::function<bool(std::string_view software, std::string_view firmware)>;

// kModelName ("ORX740") and kSoftwareVersion ("V100") are the document's and the version
// table's own, so a file that sees both the link and the document sees one of each.

enum class IdentificationOutcome
{
    Passed,
    WrongModel,         // "Model type is wrong." is queued; the version is not looked at
    IncompatibleVersion // the right model with a version this software does not handle
};

// Compares the radio's identification with the model this software serves and asks whether the
// radio's firmware version is compatible. Texts compare exactly, case-sensitive. No
// compatibility test at all accepts only the software's own version.
IdentificationOutcome identificationCheck(const IdentFields &radio, std::string_view modelName,
                                          std::string_view softwareVersion,
                                          const VersionCompatibility &compatible);
