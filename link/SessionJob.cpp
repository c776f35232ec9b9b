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

std::string sessionText(const TextEntry &entry, int language,
                        std::initializer_list<std::string_view> values)
{
    const std::string_view pattern = textFor(entry, language);
    std::string text;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const std::size_t index = at + 1 < pattern.size() && pattern[at] == '%'
                                      ? std::size_t(pattern[at + 1] - '1')
                                      : values.size();
        if (index < values.size()) {
            text += values.begin()[index];
            ++at;
        } else {
            text += pattern[at];
        }
    }
    return text;
}
