#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

#include "lang/Texts.h"
#include "link/Frames.h"

// What asking one port for a radio came to.
struct ProbeResult
{
    enum class Kind
    {
        Found,        // a radio of this model answered
        NoAnswer,     // nothing came back
        NotThisModel, // a radio answered with another model name
        Garbage,      // bytes came back, but no answer a radio gives
        CannotOpen    // the port could not be opened, or went away during the probe
    };
    QString devicePath;
    Kind kind = Kind::NoAnswer;
    IdentFields identification; // when Found or NotThisModel (model, firmware, flag)
    QString reason;             // CannotOpen: the port's error; Garbage: what came back
    int waitedMs = 0;           // NoAnswer: how long the radio was waited for
};

// Asks serial ports whether a radio of this model is behind them: on every port at once, each
// with its own port and link, the handshake and the identification, then "END" so the radio
// leaves programming mode. Nothing is ever read from or written to the radio's memory. Every
// probe ends within a bounded time: a silent port after the five sends of the handshake, a port
// that answers junk or holds on to its answers after a few reply time-outs more, a port that
// goes away at once.
class RadioProbe : public QObject
{
    Q_OBJECT

public:
    explicit RadioProbe(QObject *parent = nullptr);
    ~RadioProbe() override;

    // The reply time-out of each exchange; the link's 1000 ms unless a test wants it shorter.
    void setReplyTimeout(std::chrono::milliseconds timeout);
    // Probes every device at once; a probe still running is cancelled first.
    void start(const QStringList &devicePaths);
    // Stops every probe still running (each radio is sent "END"); nothing more is reported.
    void cancel();
    bool isRunning() const;

Q_SIGNALS:
    void portProbed(const ProbeResult &result);
    void finished(const QList<ProbeResult> &results); // in the order of devicePaths

private:
    struct PortProbe;

    void startOne(PortProbe &probe);
    void linkFinished(PortProbe &probe, bool success, bool refused);
    // The result of a probe that ended without the link's verdict: by what the radio said so far.
    ProbeResult resultSoFar(const PortProbe &probe) const;
    void finishOne(PortProbe &probe, const ProbeResult &result);
    void retire();

    std::chrono::milliseconds m_replyTimeout;
    std::vector<std::unique_ptr<PortProbe>> m_probes;
    std::vector<std::unique_ptr<PortProbe>> m_retired;
    QList<ProbeResult> m_results;
    int m_remaining = 0;
};

Q_DECLARE_METATYPE(ProbeResult)

// One line for a port, in the language given (a LanguageIndex): "radio found: ORX740, firmware
// V1.00, ...", "no answer within 5 s", "not a radio of this model (it says X)", "answers, but not
// in this radio's language (...)", "cannot be opened: <reason>".
QString probeResultLine(const ProbeResult &result, int language);

namespace ProbeTexts {
inline constexpr TextEntry kFound{"", "radio found: ", "找到对讲机："};
inline constexpr TextEntry kFirmware{"", ", firmware ", "，固件 "};
inline constexpr TextEntry kFlagSet{"", ", public group flag set", "，公共组标志：有"};
inline constexpr TextEntry kFlagClear{"", ", public group flag clear", "，公共组标志：无"};
inline constexpr TextEntry kNoAnswer{"", "no answer within %1 s", "%1 秒内没有应答"};
inline constexpr TextEntry kNotThisModel{"", "not a radio of this model (it says %1)",
                                         "不是本机型的对讲机（它报告为 %1）"};
inline constexpr TextEntry kGarbage{"", "answers, but not in this radio's language",
                                    "有应答，但不是本对讲机的通信协议"};
inline constexpr TextEntry kCannotOpen{"", "cannot be opened: %1", "无法打开：%1"};
} // namespace ProbeTexts
