#include "link/PtyRadioHost.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "link/RadioSimulator.h"

namespace {

constexpr qint64 kMs = 1'000'000;

} // namespace

PtyRadioHost::PtyRadioHost(RadioSimulator &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
{
    m_eventTimer.setSingleShot(true);
    m_eventTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_eventTimer, &QTimer::timeout, this, &PtyRadioHost::runDue);
    m_clock.start();
#ifdef __linux__
    // A paced line must not wake up to 50 us late at every byte group, the kernel's default
    // slack for timers of a normal process.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

PtyRadioHost::~PtyRadioHost()
{
    delete m_readNotifier;
    delete m_writeNotifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyRadioHost::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_errorString = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const char *name = ::ptsname(m_master);
    if (!name) {
        m_errorString = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_devicePath = QString::fromLocal8Bit(name);
    // Holding the terminal side open keeps the master from reporting a hang-up while no client
    // has it open; raw mode keeps the line discipline from echoing or translating bytes.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        m_errorString = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    termios settings{};
    if (::tcgetattr(m_slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B38400);
        ::tcsetattr(m_slave, TCSANOW, &settings);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyRadioHost::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyRadioHost::flushPending);
    return true;
}

qint64 PtyRadioHost::wireTime(std::size_t bytes) const
{
    if (m_baud <= 0)
        return 0;
    return static_cast<qint64>(bytes) * 10 * 1'000'000'000LL / m_baud;
}

void PtyRadioHost::onReadable()
{
    std::uint8_t buffer[4096];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    LinkBytes bytes(buffer, buffer + n);
    if (m_baud <= 0) {
        toRadio(std::move(bytes), 0);
        return;
    }
    // The bytes arrive at the radio once the line has carried them.
    const qint64 now = m_clock.nsecsElapsed();
    m_inFreeAt = std::max(now, m_inFreeAt) + wireTime(bytes.size());
    schedule(m_inFreeAt, {true, std::move(bytes)});
}

void PtyRadioHost::toRadio(LinkBytes bytes, qint64 at)
{
    for (LinkBytes &piece : m_radio.receive(bytes)) {
        if (m_baud <= 0) {
            toLine(piece);
            continue;
        }
        m_outFreeAt = std::max(at, m_outFreeAt) + wireTime(piece.size());
        schedule(m_outFreeAt, {false, std::move(piece)});
    }
    if (m_radio.sessionEnded())
        m_endSeen = true;
    if (m_endSeen && m_events.empty() && m_pendingOutput.empty()) {
        m_endSeen = false;
        Q_EMIT sessionEnded();
    }
}

void PtyRadioHost::toLine(const LinkBytes &bytes)
{
    m_pendingOutput.insert(m_pendingOutput.end(), bytes.begin(), bytes.end());
    flushPending();
}

void PtyRadioHost::flushPending()
{
    while (!m_pendingOutput.empty()) {
        const ssize_t n = ::write(m_master, m_pendingOutput.data(), m_pendingOutput.size());
        if (n <= 0)
            break;
        m_pendingOutput.erase(m_pendingOutput.begin(), m_pendingOutput.begin() + n);
    }
    m_writeNotifier->setEnabled(!m_pendingOutput.empty());
    if (m_endSeen && m_events.empty() && m_pendingOutput.empty()) {
        m_endSeen = false;
        Q_EMIT sessionEnded();
    }
}

void PtyRadioHost::schedule(qint64 at, Event event)
{
    m_events.emplace(at, std::move(event));
    armEventTimer();
}

void PtyRadioHost::armEventTimer()
{
    if (m_events.empty())
        return;
    // The timer counts whole milliseconds and never fires early; runDue sleeps the rest of the
    // last millisecond, so bytes are neither early nor a millisecond late.
    const qint64 due = m_events.begin()->first - m_clock.nsecsElapsed();
    m_eventTimer.start(static_cast<int>(std::max<qint64>(0, due / kMs)));
}

void PtyRadioHost::runDue()
{
    if (!m_events.empty()) {
        const qint64 rest = m_events.begin()->first - m_clock.nsecsElapsed();
        if (rest > 0 && rest < kMs)
            std::this_thread::sleep_for(std::chrono::nanoseconds(rest));
    }
    while (!m_events.empty() && m_events.begin()->first <= m_clock.nsecsElapsed()) {
        auto node = m_events.extract(m_events.begin());
        if (node.mapped().toRadio)
            toRadio(std::move(node.mapped().bytes), node.key());
        else
            toLine(node.mapped().bytes);
    }
    armEventTimer();
}

bool PtyRadioHost::outputDrained() const
{
    if (!m_pendingOutput.empty() || !m_events.empty())
        return false;
    int queued = 0;
    return m_slave < 0 || ::ioctl(m_slave, FIONREAD, &queued) != 0 || queued == 0;
}
