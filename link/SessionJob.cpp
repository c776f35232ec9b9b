#include "link/SessionJob.h"

#include "radio/Document.h"

DocumentSet mergeTemplate(const DocumentSet &plan, const DocumentSet &radio, bool keepOptions)
{
    if (!keepOptions)
        return plan;
    DocumentSet merged = radio;
    merged.channels = plan.channels;
    merged.memories = plan.memories;
    SettingsRecord &settings = merged.settings;
    settings.channelCounts = plan.settings.channelCounts;
    settings.groupSelection = plan.settings.groupSelection;
    settings.options.groupNames = plan.settings.options.groupNames;
    settings.emergency = plan.settings.emergency;
    settings.dualWatch = plan.settings.dualWatch;
    settings.memorySettings = plan.settings.memorySettings;
    return merged;
}
