#pragma once

#include <QIODevice>
#include <QObject>

#include <memory>

#include "options/ToneGenerator.h"
#include "radio/RogerBeep.h"

// The samples of one set for a sound device that pulls them as it needs them (16-bit mono at
// the generator's rate), open for reading from the start. It ends with the set.
class ToneSource : public QIODevice
{
    Q_OBJECT

public:
    ToneSource(const ToneSet &set, int sampleRate, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    ToneGenerator m_generator;
};

// Plays a roger-beep set on the computer's sound output. The window talks to this interface so
// that it can be driven without a sound card.
class TonePlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether there is a sound output to play on.
    virtual bool available() const = 0;
    // Starts the set and returns at once; false, with nothing started, when there is no sound
    // output. finished() follows when the set has been played or stopped.
    virtual bool play(const ToneSet &set) = 0;
    // Ends the set at once; nothing happens when none is playing.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;

Q_SIGNALS:
    void finished();
};

// The player of this system: Qt Multimedia where it is built, waveOut on Windows.
std::unique_ptr<TonePlayer> makeSystemTonePlayer();
