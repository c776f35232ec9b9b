#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QSocketNotifier;
class RadioImage;

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so a command can end cleanly.
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
