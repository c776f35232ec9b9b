#include "options/TonePreview.h"

#include <cstring>
#include <span>

ToneSource::ToneSource(const ToneSet &set, int sampleRate, QObject *parent)
    : QIODevice(parent)
    , m_generator(set, sampleRate)
{
    // Unbuffered, so that the end of the set is the end of what the device has read.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool ToneSource::atEnd() const
{
    return m_generator.atEnd() && QIODevice::bytesAvailable() == 0;
}

qint64 ToneSource::bytesAvailable() const
{
    // The generator renders on demand, so a device may ask for as much as it likes.
    return (m_generator.atEnd() ? 0 : 4096) + QIODevice::bytesAvailable();
}

qint64 ToneSource::readData(char *data, qint64 maxSize)
{
    const auto count = static_cast<std::size_t>(maxSize / 2);
    std::vector<std::int16_t> samples(count);
    const std::size_t got = m_generator.render(samples);
    std::memcpy(data, samples.data(), got * 2);
    return static_cast<qint64>(got) * 2;
}
