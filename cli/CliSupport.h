#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "link/PortNames.h"

class QSocketNotifier;
class RadioImage;

// Turns SIGINT and SIGTERM (on Windows: Ctrl+C, Ctrl+Break, closing the console) into a Qt signal
// on the event loop, so a command can end cleanly.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

Q_SIGNALS:
    void interrupted();

private:
    QSocketNotifier *m_notifier{nullptr};
};

// The Enter key on stdin, for a command that waits for the user now and then: an Enter typed
// ahead answers the next wait at once; closed input answers false.
class EnterKey : public QObject
{
    Q_OBJECT

public:
    explicit EnterKey(std::function<void(bool entered)> answer, QObject *parent = nullptr);
    // Calls the answer at the next Enter (or at once for one typed ahead).
    void wait();

private:
    void read();
    void answer();

    std::function<void(bool)> m_answer;
    QSocketNotifier *m_input{nullptr};
    int m_enters{0};
    bool m_closed{false};
    bool m_waiting{false};
};

// A raw image file holds the whole memory, 0x22201 bytes. Errors come back as text.
std::optional<QString> loadRawImage(const QString &path, RadioImage &image);
std::optional<QString> saveRawImage(const QString &path, const RadioImage &image);

void printError(const QString &text);

// The port aliases of the mysetup.ini the program itself uses (R/language/mysetup.ini, or the
// per-user copy when the installation cannot be written), so "COM<n>" means the same device to
// both. Needs the application object.
PortAliases installedPortAliases();
// The path of that mysetup.ini.
QString installedSetupIniPath();
