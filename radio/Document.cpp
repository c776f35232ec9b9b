#include "radio/Document.h"

#include <string_view>

Document::Document()
    : m_working(std::make_unique<DocumentSet>())
    , m_saved(std::make_unique<DocumentSet>())
    , m_bandLimits(parseBandLimits(m_bandText))
{}

void Document::setBandText(std::string text)
{
    m_bandText = std::move(text);
    m_bandLimits = parseBandLimits(m_bandText);
}

void Document::copyChannels(const DocumentSet &from, DocumentSet &to)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int count = from.channelCount(kind, group);
            for (int index = 1; index <= count && index <= kMaxChannelsPerGroup; ++index)
                to.channels.entry(kind, group, index) = from.channels.entry(kind, group, index);
        }
    }
    to.memories = from.memories;
}

void Document::takeSnapshot()
{
    IdentityRecord &identity = m_working->settings.identity;
    identity.modelNameZ.assign(std::string_view(m_modelName.c_str(), m_modelName.size() + 1));
    identity.modelName.assign(m_modelName);
    identity.modelCode = kModelCode;
    identity.bandClass = static_cast<std::int16_t>(bandClass());
    m_dataFileVersion = kDataFileVersion;
    m_working->settings.version.assign(m_dataFileVersion);

    m_saved->settings = m_working->settings;
    copyChannels(*m_working, *m_saved);
}

void Document::restoreSnapshot()
{
    m_working->settings = m_saved->settings;
    m_dataFileVersion = m_working->settings.version.raw();
    m_modelName = kModelName;
    setBandText(bandTextAfterRestore(m_working->settings.currentKind));
    if (onTitleChanged)
        onTitleChanged();
    copyChannels(*m_saved, *m_working);
}
