#include "link/RadioProbe.h"

#include <QTimer>

#include <filesystem>

#include "lang/QtText.h"
#include "link/LinkController.h"
#include "link/SerialPortService.h"
#include "model/VersionRegistry.h"

namespace {

// The bytes of a junk answer shown in the result.
constexpr qsizetype kShownJunk = 16;
// A probe gives up this many reply time-outs after it started, whatever the radio does: the
// five sends of one frame and a few more for a radio that answers only now and then.
constexpr int kDeadlineTimeouts = TransferEngine::kMaxSends + 3;

QString junkText(const QByteArray &bytes, qint64 total)
{
    const QByteArray shown = bytes.left(kShownJunk);
    QString text =
        QString::fromStdString(hexBytes({reinterpret_cast<const std::uint8_t *>(shown.constData()),
                                         static_cast<std::size_t>(shown.size())}));
    if (total > shown.size())
        text += QStringLiteral(" ... (%1 bytes)").arg(total);
    return text;
}

// A path that names a regular file or a folder is no serial port, whatever opening it says.
bool isPlainFile(const QString &devicePath)
{
    std::error_code error;
    const auto status = std::filesystem::status(devicePath.toStdString(), error);
    return !error &&
           (std::filesystem::is_regular_file(status) || std::filesystem::is_directory(status));
}

} // namespace

struct RadioProbe::PortProbe
{
    explicit PortProbe(int index, QString path)
        : index(index)
        , devicePath(std::move(path))
        , link(port)
    {
        deadline.setSingleShot(true);
    }

    int index;
    QString devicePath;
    SerialPortService port;
    LinkController link;
    QTimer deadline;
    QByteArray firstBytes; // the first bytes that came back
    qint64 bytesReceived = 0;
    bool done = false;
};

RadioProbe::RadioProbe(QObject *parent)
    : QObject(parent)
    , m_replyTimeout(TransferEngine::kReplyTimeoutMs)
{
    qRegisterMetaType<ProbeResult>();
}

RadioProbe::~RadioProbe()
{
    cancel();
}

void RadioProbe::setReplyTimeout(std::chrono::milliseconds timeout)
{
    m_replyTimeout = timeout;
}

bool RadioProbe::isRunning() const
{
    return m_remaining > 0;
}

void RadioProbe::start(const QStringList &devicePaths)
{
    cancel();
    retire();
    m_results.clear();
    for (int i = 0; i < devicePaths.size(); ++i) {
        m_probes.push_back(std::make_unique<PortProbe>(i, devicePaths[i]));
        ProbeResult pending;
        pending.devicePath = devicePaths[i];
        m_results << pending;
    }
    m_remaining = int(m_probes.size());
    if (m_probes.empty()) {
        Q_EMIT finished(m_results);
        return;
    }
    // A slot of portProbed may cancel, or start again, while the ports are being opened.
    std::vector<PortProbe *> probes;
    for (const auto &probe : m_probes)
        probes.push_back(probe.get());
    for (PortProbe *probe : probes)
        startOne(*probe);
}

void RadioProbe::startOne(PortProbe &probe)
{
    if (probe.done)
        return;
    ProbeResult failed;
    failed.devicePath = probe.devicePath;
    failed.kind = ProbeResult::Kind::CannotOpen;
    if (isPlainFile(probe.devicePath)) {
        failed.reason = QStringLiteral("%1 is not a serial port").arg(probe.devicePath);
        finishOne(probe, failed);
        return;
    }
    if (!probe.port.open(probe.devicePath)) {
        failed.reason = probe.port.errorString();
        finishOne(probe, failed);
        return;
    }
    connect(&probe.port, &SerialPortService::dataReceived, this, [&probe](const QByteArray &bytes) {
        if (probe.firstBytes.size() < kShownJunk)
            probe.firstBytes += bytes.left(kShownJunk - probe.firstBytes.size());
        probe.bytesReceived += bytes.size();
    });
    connect(&probe.port, &SerialPortService::portFailed, this,
            [this, &probe](const QString &message) {
                ProbeResult lost;
                lost.devicePath = probe.devicePath;
                lost.kind = ProbeResult::Kind::CannotOpen;
                lost.reason = QStringLiteral("the port went away (%1)").arg(message);
                finishOne(probe, lost);
            });
    connect(&probe.link, &LinkController::finished, this,
            [this, &probe](const TransferOutcome &outcome, const QStringList &) {
                linkFinished(probe, outcome.result == TransferResult::Success,
                             outcome.failure == TransferFailure::IdentificationFailed);
            });
    connect(&probe.deadline, &QTimer::timeout, this,
            [this, &probe] { finishOne(probe, resultSoFar(probe)); });
    probe.link.setReplyTimeout(m_replyTimeout);
    probe.deadline.start(m_replyTimeout * kDeadlineTimeouts);
    probe.link.startIdentify();
}

void RadioProbe::linkFinished(PortProbe &probe, bool success, bool refused)
{
    ProbeResult result = resultSoFar(probe);
    if (success || refused) {
        result.kind = success ? ProbeResult::Kind::Found : ProbeResult::Kind::NotThisModel;
        result.reason.clear();
    }
    finishOne(probe, result);
}

ProbeResult RadioProbe::resultSoFar(const PortProbe &probe) const
{
    ProbeResult result;
    result.devicePath = probe.devicePath;
    if (const auto &ident = probe.link.engine().identification()) {
        // The radio said who it is; only its "END" went unanswered.
        result.identification = *ident;
        result.kind = ident->radioModel == trimModelName(kModelName)
                          ? ProbeResult::Kind::Found
                          : ProbeResult::Kind::NotThisModel;
    } else if (probe.bytesReceived > 0) {
        result.kind = ProbeResult::Kind::Garbage;
        result.reason = junkText(probe.firstBytes, probe.bytesReceived);
    } else {
        result.kind = ProbeResult::Kind::NoAnswer;
        result.waitedMs = int(m_replyTimeout.count()) * TransferEngine::kMaxSends;
    }
    return result;
}

void RadioProbe::finishOne(PortProbe &probe, const ProbeResult &result)
{
    if (probe.done)
        return;
    probe.done = true;
    probe.deadline.stop();
    // A radio still in programming mode is told to leave it; the link closes the port after.
    if (probe.link.isRunning())
        probe.link.cancel();
    else
        probe.port.close();
    m_results[probe.index] = result;
    --m_remaining;
    Q_EMIT portProbed(result);
    if (m_remaining == 0)
        Q_EMIT finished(m_results);
}

void RadioProbe::cancel()
{
    for (const auto &probe : m_probes) {
        if (probe->done)
            continue;
        probe->done = true;
        probe->deadline.stop();
        if (probe->link.isRunning())
            probe->link.cancel();
    }
    m_remaining = 0;
}

void RadioProbe::retire()
{
    // A slot of finished may start the next probe while a link of this one is still on the
    // stack; the old probes go once control is back in the event loop.
    for (auto &probe : m_probes)
        m_retired.push_back(std::move(probe));
    m_probes.clear();
    QTimer::singleShot(0, this, [this] { m_retired.clear(); });
}

QString probeResultLine(const ProbeResult &result, int language)
{
    const auto text = [language](const TextEntry &entry) {
        return qText(textFor(entry, language));
    };
    const IdentFields &ident = result.identification;
    switch (result.kind) {
    case ProbeResult::Kind::Found:
        return text(ProbeTexts::kFound) + QString::fromStdString(ident.radioModel) +
               text(ProbeTexts::kFirmware) +
               QString::fromStdString(versionForDisplay(ident.firmwareVersion)) +
               text(ident.publicGroupFlag ? ProbeTexts::kFlagSet : ProbeTexts::kFlagClear);
    case ProbeResult::Kind::NoAnswer:
        return text(ProbeTexts::kNoAnswer).arg(result.waitedMs / 1000.0, 0, 'g', 3);
    case ProbeResult::Kind::NotThisModel:
        return text(ProbeTexts::kNotThisModel)
            .arg(QString::fromStdString(ident.radioModel) + QLatin1Char(' ') +
                 QString::fromStdString(versionForDisplay(ident.firmwareVersion)));
    case ProbeResult::Kind::Garbage:
        return text(ProbeTexts::kGarbage) +
               (result.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(result.reason));
    case ProbeResult::Kind::CannotOpen:
        return text(ProbeTexts::kCannotOpen).arg(result.reason);
    }
    return {};
}
