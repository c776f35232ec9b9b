#include "datafile/ChangedCheck.h"

#include "datafile/DataFileFormat.h"
#include "radio/Document.h"

bool ChangedCheck(const DocumentSet &working, const DocumentSet &saved)
{
    // The settings record first: it decides how many channel records there are, and most edits
    // show there without packing every channel.
    if (packSettingsRecord(working.settings) != packSettingsRecord(saved.settings))
        return true;
    return packChannelFile(working) != packChannelFile(saved);
}
