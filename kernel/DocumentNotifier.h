#pragma once

#include <QObject>

// Says what changed in the document. Editors change the records directly and then emit the
// matching signal; every open window listens and refreshes only what concerns it, so no window
// calls another. One notifier lives for the whole run, owned by the program's start.
class DocumentNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    // The whole working set was replaced: File > New, Open, Read from Radio, Initial Setting.
    void documentReplaced();
    // A value of the settings record changed that none of the signals below names.
    void settingsChanged();
    // The channels of one kind and group changed (frequencies, details, rows added or removed).
    void channelsChanged(int kind, int group);
    // The CB, HF or HAM PUBLIC switch changed: channel lists show it.
    void publicChannelsChanged();
    // A roger-beep tone set changed, or which sets are defined.
    void toneSetsChanged();
    void dtmfCodesChanged();
    // A group name or group-valid flag of the kind changed.
    void groupNamesChanged(int kind);
    // The language in force changed; windows relabel themselves.
    void languageChanged();
};
