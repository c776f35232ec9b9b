#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <map>

#include "link/Frames.h"

class RadioSimulator;

// Puts a RadioSimulator behind a pseudo-terminal, so programs that open serial ports can talk to
// it by the terminal's device path. Optionally paces both directions at a baud rate (10 bits a
// byte), as a real line would. The host keeps the terminal's other side open itself, so clients
// may open and close it as often as they like.
class PtyRadioHost : public QObject
{
    Q_OBJECT

public:
    explicit PtyRadioHost(RadioSimulator &radio, QObject *parent = nullptr);
    ~PtyRadioHost() override;

    // Creates the pseudo-terminal; false with errorString() when it cannot.
    bool open();
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_errorString; }

    // 0 (the default) answers as fast as the terminal goes.
    void setPace(int baud) { m_baud = baud; }

    // True once everything the simulator answered has been read by the client.
    bool outputDrained() const;

Q_SIGNALS:
    // The simulator answered "END" and the answer has been written to the terminal.
    void sessionEnded();

private:
    struct Event
    {
        bool toRadio{true}; // bytes arriving at the simulator, else bytes leaving it
        LinkBytes bytes;
    };

    void onReadable();
    void toRadio(LinkBytes bytes, qint64 at);
    void toLine(const LinkBytes &bytes);
    void schedule(qint64 at, Event event);
    void armEventTimer();
    void runDue();
    void flushPending();
    qint64 wireTime(std::size_t bytes) const;

    RadioSimulator &m_radio;
    int m_master{-1};
    int m_slave{-1};
    QString m_devicePath;
    QString m_errorString;
    QSocketNotifier *m_readNotifier{nullptr};
    QSocketNotifier *m_writeNotifier{nullptr};
    LinkBytes m_pendingOutput;
    int m_baud{0};
    QElapsedTimer m_clock;
    qint64 m_inFreeAt{0};
    qint64 m_outFreeAt{0};
    std::multimap<qint64, Event> m_events; // by due time in ns
    QTimer m_eventTimer;
    bool m_endSeen{false};
};
