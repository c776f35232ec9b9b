#pragma once

#include <QWinEventNotifier>

#include <qt_windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <array>
#include <memory>
#include <vector>

#include "options/ToneGenerator.h"
#include "options/TonePreview.h"

// The player on Windows' waveOut: a few short buffers are queued and refilled from the tone
// generator as the device hands each one back (its event wakes the UI thread). With no output
// device, sound is quietly off.
class WaveOutTonePlayer : public TonePlayer
{
    Q_OBJECT

public:
    explicit WaveOutTonePlayer(QObject *parent = nullptr);
    ~WaveOutTonePlayer() override;

    bool available() const override;
    bool play(const ToneSet &set) override;
    void stop() override;
    bool isPlaying() const override { return m_device != nullptr; }

private:
    struct Buffer
    {
        WAVEHDR header{};
        std::vector<std::int16_t> samples;
        bool queued = false;
    };

    void refill();
    // Queues the buffer with the next samples; false when the set has none left.
    bool queue(Buffer &buffer);
    void end();

    HWAVEOUT m_device{nullptr};
    HANDLE m_doneEvent{nullptr};
    QWinEventNotifier m_doneNotifier;
    std::unique_ptr<ToneGenerator> m_generator;
    std::array<Buffer, 4> m_buffers;
};
