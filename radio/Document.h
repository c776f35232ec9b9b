#pragma once

#include <functional>
#include <memory>
#include <string>

#include "model/Band.h"
#include "radio/ChannelRecord.h"
#include "radio/SettingsRecord.h"

// One complete copy of the document: settings, group channels and memory channels.
struct DocumentSet
{
    SettingsRecord settings;
    ChannelStore channels;
    MemoryChannels memories;

    int channelCount(int kind, int group) const { return settings.channelCount(kind, group); }
    friend bool operator==(const DocumentSet &, const DocumentSet &) = default;
};

// The program's document: the working set the editors change, the saved copy that data files are
// written from and read into, and the identity texts that go with them.
class Document
{
public:
    Document();

    DocumentSet &working() { return *m_working; }
    const DocumentSet &working() const { return *m_working; }
    DocumentSet &saved() { return *m_saved; }
    const DocumentSet &saved() const { return *m_saved; }

    // Working set -> saved copy: refreshes the identity fields from the model name and band text,
    // sets the working version to "V100", copies the settings whole, the channels of every group
    // up to its count, then all 96 memory channels.
    void takeSnapshot();
    // Saved copy -> working set: copies the settings, takes the data-file version from them,
    // resets the model name, recomputes the band text and limits from the current kind, announces
    // the new title, then copies the channels back in the same order.
    void restoreSnapshot();

    const std::string &modelName() const { return m_modelName; }
    const std::string &bandText() const { return m_bandText; }
    const BandLimits &bandLimits() const { return m_bandLimits; }
    const std::string &dataFileVersion() const { return m_dataFileVersion; }
    int bandClass() const { return bandClassFor(m_bandText); }

    // A radio's identification reply sets the working data-file version to its firmware version.
    void setDataFileVersion(std::string version) { m_dataFileVersion = std::move(version); }

    // The channel window changes the band text when the kind is changed there.
    void setBandText(std::string text);

    std::string documentPath = "new.dat";
    std::string previousPath = "new.dat";
    bool untitled = true;
    // The file name Save As offers while the document is untitled; empty: the document path. A
    // read from the radio names the day it was read.
    std::string suggestedFileName;

    // Called whenever the title of the main window must follow the document.
    std::function<void()> onTitleChanged;

private:
    static void copyChannels(const DocumentSet &from, DocumentSet &to);

    std::unique_ptr<DocumentSet> m_working;
    std::unique_ptr<DocumentSet> m_saved;
    std::string m_modelName = kModelName;
    std::string m_bandText = kStartBandText;
    BandLimits m_bandLimits;
    std::string m_dataFileVersion = kDataFileVersion;
};
