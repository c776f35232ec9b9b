#include "options/QtTonePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace {

// The format the generator renders: 16-bit mono, at its own rate when the device takes it, else
// at the device's preferred rate. Invalid when the device takes neither.
QAudioFormat toneFormat(const QAudioDevice &device)
{
    if (device.isNull())
        return {};
    QAudioFormat format;
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(kToneSampleRate);
    if (device.isFormatSupported(format))
        return format;
    format.setSampleRate(device.preferredFormat().sampleRate());
    return device.isFormatSupported(format) ? format : QAudioFormat();
}

} // namespace

std::unique_ptr<TonePlayer> makeSystemTonePlayer()
{
    return std::make_unique<QtTonePlayer>();
}

QtTonePlayer::QtTonePlayer(QObject *parent)
    : TonePlayer(parent)
{}

QtTonePlayer::~QtTonePlayer()
{
    if (m_sink)
        m_sink->stop();
}

bool QtTonePlayer::available() const
{
    return toneFormat(QMediaDevices::defaultAudioOutput()).isValid();
}

bool QtTonePlayer::play(const ToneSet &set)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = toneFormat(device);
    if (!format.isValid())
        return false;
    m_source = std::make_unique<ToneSource>(set, format.sampleRate());
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // The sink falls idle when the source has nothing more, and stops on a device error.
        if ((state == QAudio::IdleState && m_source && m_source->atEnd()) ||
            state == QAudio::StoppedState)
            end();
    });
    m_sink->start(m_source.get());
    if (m_sink->error() != QAudio::NoError) {
        m_sink->disconnect(this);
        m_sink.reset();
        m_source.reset();
        return false;
    }
    return true;
}

void QtTonePlayer::stop()
{
    if (m_sink)
        end();
}

void QtTonePlayer::end()
{
    if (!m_sink)
        return;
    // The sink may still be inside its own signal: it is deleted on the next turn of the loop.
    QAudioSink *sink = m_sink.release();
    ToneSource *source = m_source.release();
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
    source->setParent(sink);
    Q_EMIT finished();
}
