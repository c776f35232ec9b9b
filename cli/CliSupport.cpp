#include "cli/CliSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <QPointer>
#include <qt_windows.h>

#include <atomic>
#include <iostream>
#include <string>
#include <thread>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "app/PlatformServices.h"
#include "kernel/IniFile.h"
#include "link/PortSettings.h"
#include "model/RadioImage.h"

#ifdef Q_OS_WIN

namespace {

std::atomic<InterruptWatcher *> g_watcher{nullptr};

// Called on a thread of the console's own for Ctrl+C, Ctrl+Break and closing the window.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    InterruptWatcher *watcher = g_watcher.load();
    if (!watcher ||
        (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT))
        return FALSE;
    QMetaObject::invokeMethod(
        watcher, [watcher] { Q_EMIT watcher->interrupted(); }, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    g_watcher = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptWatcher::~InterruptWatcher()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    g_watcher = nullptr;
}

#else

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    if (g_pipe[0] < 0 && ::pipe(g_pipe) != 0)
        return;
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action
    {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto n = ::read(g_pipe[0], &byte, 1);
        Q_EMIT interrupted();
    });
}

InterruptWatcher::~InterruptWatcher()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

#endif

#ifdef Q_OS_WIN

// Windows has no notifier for a console or a pipe: a thread of its own waits for the lines and
// hands each to the event loop. It stays blocked in the read until the process ends.
EnterKey::EnterKey(std::function<void(bool entered)> answer, QObject *parent)
    : QObject(parent)
    , m_answer(std::move(answer))
{
    QPointer<EnterKey> self(this);
    std::thread([self] {
        std::string line;
        while (std::getline(std::cin, line)) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self] {
                    if (!self)
                        return;
                    ++self->m_enters;
                    if (self->m_waiting)
                        self->answer();
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self] {
                if (!self)
                    return;
                self->m_closed = true;
                if (self->m_waiting)
                    self->answer();
            },
            Qt::QueuedConnection);
    }).detach();
}

void EnterKey::read() {}

#else

EnterKey::EnterKey(std::function<void(bool entered)> answer, QObject *parent)
    : QObject(parent)
    , m_answer(std::move(answer))
    , m_input(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    m_input->setEnabled(false);
    connect(m_input, &QSocketNotifier::activated, this, &EnterKey::read);
}

void EnterKey::read()
{
    char buffer[256];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    m_closed = got <= 0;
    for (ssize_t i = 0; i < got; ++i)
        m_enters += buffer[i] == '\n' ? 1 : 0;
    m_input->setEnabled(!m_closed && !m_waiting);
    if (m_waiting && (m_enters > 0 || m_closed))
        answer();
}

#endif

void EnterKey::wait()
{
    m_waiting = true;
    if (m_enters > 0 || m_closed)
        return answer();
    if (m_input)
        m_input->setEnabled(true);
}

void EnterKey::answer()
{
    m_waiting = false;
    if (m_input)
        m_input->setEnabled(false);
    const bool entered = m_enters > 0;
    m_enters -= entered ? 1 : 0;
    m_answer(entered);
}

std::optional<QString> loadRawImage(const QString &path, RadioImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (bytes.size() != qsizetype(RadioImage::kSize))
        return QStringLiteral("%1 is not a radio image (%2 bytes, %3 expected)")
            .arg(path)
            .arg(bytes.size())
            .arg(RadioImage::kSize);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    image.writeBlock(0, {data, RadioImage::kSize});
    return std::nullopt;
}

std::optional<QString> saveRawImage(const QString &path, const RadioImage &image)
{
    QSaveFile file(path);
    const auto bytes = image.bytes();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size()) ||
        !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

void printError(const QString &text)
{
    std::fprintf(stderr, "orx740-cli: %s\n", qPrintable(text));
}

QString installedSetupIniPath()
{
    // The names the program runs under decide where its per-user copy lives.
    QCoreApplication::setOrganizationName(QStringLiteral("ORX-740"));
    QCoreApplication::setApplicationName(QStringLiteral("ORX-740"));
    const QString shipped = QString::fromStdString(installLayoutForProgram().setupIniPath());
    return resolveSetupIniPath(shipped);
}

PortAliases installedPortAliases()
{
    IniFile ini(installedSetupIniPath());
    return readPortAliases(ini);
}
