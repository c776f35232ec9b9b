#pragma once

#include <QObject>
#include <QString>

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

// A raw image file holds the whole memory, 0x22201 bytes. Errors come back as text.
std::optional<QString> loadRawImage(const QString &path, RadioImage &image);
std::optional<QString> saveRawImage(const QString &path, const RadioImage &image);

void printError(const QString &text);

// The port aliases of the mysetup.ini the program itself uses (R/language/mysetup.ini, or the
// per-user copy when the installation cannot be written), so "COM<n>" means the same device to
// both. Needs the application object.
PortAliases installedPortAliases();
