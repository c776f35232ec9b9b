#pragma once

#include <memory>

#include "options/TonePreview.h"

class QAudioSink;

// The player on Qt Multimedia: a QAudioSink in pull mode reading a ToneSource. With no output
// device, or one that takes no 16-bit mono samples, sound is quietly off.
class QtTonePlayer : public TonePlayer
{
    Q_OBJECT

public:
    explicit QtTonePlayer(QObject *parent = nullptr);
    ~QtTonePlayer() override;

    bool available() const override;
    bool play(const ToneSet &set) override;
    void stop() override;
    bool isPlaying() const override { return m_sink != nullptr; }

private:
    void end();

    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<ToneSource> m_source;
};
