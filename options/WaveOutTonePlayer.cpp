#include "options/WaveOutTonePlayer.h"

namespace {

// 100 ms a buffer: Stop answers within that, and four of them ride out a busy UI thread.
constexpr std::size_t kBufferSamples = kToneSampleRate / 10;

} // namespace

std::unique_ptr<TonePlayer> makeSystemTonePlayer()
{
    return std::make_unique<WaveOutTonePlayer>();
}

WaveOutTonePlayer::WaveOutTonePlayer(QObject *parent)
    : TonePlayer(parent)
{
    m_doneEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_doneNotifier.setHandle(m_doneEvent);
    m_doneNotifier.setEnabled(false);
    connect(&m_doneNotifier, &QWinEventNotifier::activated, this, [this] { refill(); });
    for (Buffer &buffer : m_buffers)
        buffer.samples.resize(kBufferSamples);
}

WaveOutTonePlayer::~WaveOutTonePlayer()
{
    stop();
    CloseHandle(m_doneEvent);
}

bool WaveOutTonePlayer::available() const
{
    return waveOutGetNumDevs() > 0;
}

bool WaveOutTonePlayer::play(const ToneSet &set)
{
    stop();
    if (!available())
        return false;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kToneSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kToneSampleRate * 2;
    if (waveOutOpen(&m_device, WAVE_MAPPER, &format, DWORD_PTR(m_doneEvent), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
        m_device = nullptr;
        return false;
    }
    m_generator = std::make_unique<ToneGenerator>(set, kToneSampleRate);
    m_doneNotifier.setEnabled(true);
    for (Buffer &buffer : m_buffers)
        queue(buffer);
    return true;
}

bool WaveOutTonePlayer::queue(Buffer &buffer)
{
    const std::size_t got = m_generator->render(buffer.samples);
    if (got == 0)
        return false;
    buffer.header = WAVEHDR{};
    buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
    buffer.header.dwBufferLength = DWORD(got * sizeof(std::int16_t));
    if (waveOutPrepareHeader(m_device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR)
        return false;
    if (waveOutWrite(m_device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        return false;
    }
    buffer.queued = true;
    return true;
}

void WaveOutTonePlayer::refill()
{
    if (!m_device)
        return;
    bool anyQueued = false;
    for (Buffer &buffer : m_buffers) {
        if (buffer.queued && (buffer.header.dwFlags & WHDR_DONE) != 0) {
            waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
            buffer.queued = false;
            queue(buffer);
        }
        anyQueued = anyQueued || buffer.queued;
    }
    if (!anyQueued)
        end();
}

void WaveOutTonePlayer::stop()
{
    if (m_device)
        end();
}

void WaveOutTonePlayer::end()
{
    m_doneNotifier.setEnabled(false);
    // Reset hands every queued buffer back at once, so each can be released.
    waveOutReset(m_device);
    for (Buffer &buffer : m_buffers) {
        if (buffer.queued)
            waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        buffer.queued = false;
    }
    waveOutClose(m_device);
    m_device = nullptr;
    m_generator.reset();
    Q_EMIT finished();
}
