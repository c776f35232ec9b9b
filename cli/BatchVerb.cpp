#include "cli/BatchVerb.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <unistd.h>

#include "cli/BatchPlan.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/FileVerbs.h"
#include "cli/TransferSupport.h"
#include "datafile/DocumentCompare.h"
#include "datafile/FileCommands.h"
#include "datafile/QtDataFileStorage.h"
#include "link/Identification.h"
#include "link/LinkController.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "link/TransferStopNotice.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

namespace {

using namespace std::chrono_literals;

// How long one ask for a radio waits for each reply: five unanswered sends make about a second,
// so a silent port is asked again once a second.
constexpr auto kAskReplyTimeout = 200ms;
constexpr int kAskIntervalMs = 1000;

struct BatchOptions
{
    QString templatePath;
    std::string port;
    std::optional<int> units;
    bool nextEnter = false;
    std::optional<QString> logPath;
    bool keepOptions = false;
    bool keepGoing = false;
    bool json = false;
    bool switchVersion = false;
};

constexpr const char *kUsage =
    "usage: batch --template PLAN.dat --port P [--units N] [--next replug|enter] [--log FILE.csv] "
    "[--keep options] [--keep-going] [--json] [--switch-version]";

std::optional<BatchOptions> parseBatch(const std::vector<std::string_view> &args)
{
    CommandLine options;
    if (!options.parse(args, {{"--template", true},
                              {"--port", true},
                              {"--units", true},
                              {"--next", true},
                              {"--log", true},
                              {"--keep", true},
                              {"--keep-going", false},
                              {"--json", false},
                              {"--switch-version", false}})) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    bool ok = true;
    BatchOptions parsed;
    parsed.units = options.number("--units", 1, 1'000'000, ok);
    const std::string next = options.value("--next").value_or("replug");
    const std::string keep = options.value("--keep").value_or("options");
    if (!ok || !options.has("--template") || !options.has("--port") ||
        (next != "replug" && next != "enter") || keep != "options") {
        printError(ok ? QString::fromLatin1(kUsage) : QString::fromStdString(options.error()));
        return std::nullopt;
    }
    parsed.templatePath = QString::fromStdString(*options.value("--template"));
    parsed.port = *options.value("--port");
    parsed.nextEnter = next == "enter";
    if (const auto log = options.value("--log"))
        parsed.logPath = QString::fromStdString(*log);
    parsed.keepOptions = options.has("--keep");
    parsed.keepGoing = options.has("--keep-going");
    parsed.json = options.has("--json");
    parsed.switchVersion = options.has("--switch-version");
    return parsed;
}

// Where the batch stands.
enum class Stage
{
    WaitRadio,   // asking the port once a second until a radio answers
    WaitGone,    // asking until the radio programmed last stops answering
    WaitEnter,   // waiting for Enter before the next radio
    WaitConfirm, // a radio failed: waiting for Enter before going on
    Reading,
    Writing,
    Verifying,
    Done,
};

// Programs radio after radio on one port; every step is started by the event loop when the one
// before it ends.
class BatchRun
{
public:
    BatchRun(QCoreApplication &app, BatchOptions options, std::unique_ptr<Document> plan)
        : m_app(app)
        , m_options(std::move(options))
        , m_plan(std::move(plan))
        , m_link(m_port)
        , m_versions(installedVersionRegistry())
        , m_say(m_options.json ? stderr : stdout)
        , m_input(STDIN_FILENO, QSocketNotifier::Read)
    {
        TransferEngine::Settings settings;
        settings.compatible = [versions = &m_versions](std::string_view software,
                                                       std::string_view firmware) {
            return versions->compatible(software, firmware);
        };
        m_link.setEngineSettings(settings);
        m_askTimer.setSingleShot(true);
        m_askTimer.setInterval(kAskIntervalMs);
        m_input.setEnabled(false);
    }

    int run()
    {
        QObject::connect(
            &m_link, &LinkController::finished, &m_app,
            [this](const TransferOutcome &outcome, const QStringList &) { linkFinished(outcome); });
        QObject::connect(&m_link, &LinkController::questionAsked, &m_app,
                         [this](const QString &) { m_link.answerQuestion(false); });
        QObject::connect(&m_port, &SerialPortService::portFailed, &m_app,
                         [this] { m_portLost = true; });
        QObject::connect(&m_askTimer, &QTimer::timeout, &m_app, [this] { ask(); });
        QObject::connect(&m_input, &QSocketNotifier::activated, &m_app, [this] { readInput(); });
        QObject::connect(&m_interrupts, &InterruptWatcher::interrupted, &m_app,
                         [this] { interrupt(); });
        waitForRadio();
        m_app.exec();
        say(QStringLiteral("Summary: %1 done, %2 refused, %3 failed%4")
                .arg(m_done)
                .arg(m_refused)
                .arg(m_failed)
                .arg(m_untouched ? QStringLiteral(", %1 interrupted before its write (left "
                                                  "untouched)")
                                       .arg(m_untouched)
                                 : QString()));
        return m_done == m_units ? 0 : 1;
    }

private:
    void say(const QString &line) const
    {
        std::fprintf(m_say, "%s\n", qPrintable(line));
        std::fflush(m_say);
    }

    // The wait for a radio: said once, then the port is asked once a second.
    void waitForRadio()
    {
        m_stage = Stage::WaitRadio;
        say(QStringLiteral("Waiting for a radio on %1...")
                .arg(QString::fromStdString(m_options.port)));
        ask();
    }

    // One identification-only exchange; a port that cannot be opened is asked again later.
    void ask()
    {
        if (m_stage != Stage::WaitRadio && m_stage != Stage::WaitGone)
            return;
        if (!openPort()) {
            portSilent();
            return;
        }
        m_link.setReplyTimeout(kAskReplyTimeout);
        if (!m_link.startIdentify())
            portSilent();
    }

    bool openPort()
    {
        m_portLost = false;
        const auto device =
            devicePathForPort(QString::fromStdString(m_options.port), installedPortAliases());
        if (!device || std::filesystem::is_regular_file(device->toStdString()))
            return false;
        m_device = *device;
        return m_port.isOpen() || m_port.open(m_device);
    }

    // Nobody answered the last ask.
    void portSilent()
    {
        if (m_stage == Stage::WaitGone) {
            m_stage = Stage::WaitRadio;
            say(QStringLiteral("Waiting for a radio on %1...")
                    .arg(QString::fromStdString(m_options.port)));
        }
        if (m_interrupted)
            return stop();
        m_askTimer.start();
    }

    void linkFinished(const TransferOutcome &outcome)
    {
        const bool success = outcome.result == TransferResult::Success;
        switch (m_stage) {
        case Stage::WaitRadio:
        case Stage::WaitGone:
            if (m_interrupted)
                return stop();
            if (!success && outcome.failure != TransferFailure::IdentificationFailed)
                return portSilent();
            if (m_stage == Stage::WaitGone) {
                m_askTimer.start(); // still the radio programmed last
                return;
            }
            return beginUnit();
        case Stage::Reading:
            return success ? writeUnit() : transferFailed(outcome);
        case Stage::Writing:
            return success ? startTransfer(Stage::Verifying) : transferFailed(outcome);
        case Stage::Verifying:
            return success ? compareUnit() : transferFailed(outcome);
        default:
            return;
        }
    }

    // A radio answered: refuse it, or read it.
    void beginUnit()
    {
        m_record = UnitRecord{};
        m_record.unit = ++m_unit;
        m_record.port = m_options.port;
        const IdentFields radio = m_link.engine().identification().value_or(IdentFields{});
        m_record.model = radio.radioModel;
        m_record.firmware = radio.firmwareVersion;
        say(QStringLiteral("Unit %1: %2, firmware %3")
                .arg(m_unit)
                .arg(QString::fromStdString(radio.radioModel),
                     QString::fromStdString(versionForDisplay(radio.firmwareVersion))));
        if (const auto reason = refusal(radio))
            return finishUnit("refused", *reason);
        startTransfer(Stage::Reading);
    }

    // Why this radio cannot take the template, if it cannot.
    std::optional<std::string> refusal(const IdentFields &radio) const
    {
        std::string software = m_versions.softwareVersionFor(m_plan->dataFileVersion());
        if (software.empty())
            software = kSoftwareVersion;
        const auto compatible = [this](std::string_view soft, std::string_view firmware) {
            return m_versions.compatible(soft, firmware);
        };
        switch (identificationCheck(radio, kModelName, software, compatible)) {
        case IdentificationOutcome::Passed:
            return std::nullopt;
        case IdentificationOutcome::WrongModel:
            return "refused: the radio is a " + radio.radioModel + ", not an " + kModelName;
        case IdentificationOutcome::IncompatibleVersion:
            break;
        }
        std::string reason = "refused: firmware " + versionForDisplay(radio.firmwareVersion) +
                             " does not fit the template's data file version " +
                             versionForDisplay(m_plan->dataFileVersion());
        if (m_options.switchVersion)
            reason += "; starting the program version for firmware " + radio.firmwareVersion +
                      " is left to the main program";
        return reason;
    }

    void startTransfer(Stage stage)
    {
        m_stage = stage;
        m_link.setReplyTimeout(std::chrono::milliseconds(TransferEngine::kReplyTimeoutMs));
        bool started = openPort();
        if (started && stage == Stage::Reading)
            started = m_link.startRead(m_read);
        else if (started && stage == Stage::Writing)
            started = m_link.startWrite(m_written);
        else if (started)
            started = m_link.startRead(m_readBack);
        if (!started)
            finishUnit("failed", "the port " + m_device.toStdString() + " could not be opened" +
                                     (stage != Stage::Verifying
                                          ? "; the radio was not changed"
                                          : "; the write was not verified: verify the radio or "
                                            "write it again"));
    }

    // The read is in: keep its backup, merge the template and write.
    void writeUnit()
    {
        if (const auto path = keepBackup(BackupReason::Read, m_read, nullptr))
            m_record.backup = std::filesystem::path(*path).parent_path().string();
        if (m_interrupted)
            return finishUnit("interrupted", "interrupted before the write: the radio was not "
                                             "changed");
        auto radio = std::make_unique<Document>();
        ApplyNewDocumentDefaults(radio->working().settings, todayAsDateText(), radio->bandClass());
        UnpackImageIntoDocument(m_read, radio->working());
        PackDocumentIntoImage(
            mergeTemplate(m_plan->working(), radio->working(), m_options.keepOptions), m_written);
        startTransfer(Stage::Writing);
    }

    void compareUnit()
    {
        const std::vector<Difference> differences = compareImages(m_written, m_readBack);
        m_record.differences = int(differences.size());
        if (differences.empty())
            return finishUnit("ok", "written and verified");
        std::fprintf(stderr, "%s", formatDifferences(differences, "written", "radio").c_str());
        finishUnit("failed", "the radio does not hold what was written (" +
                                 std::to_string(differences.size()) +
                                 " differences): write it again");
    }

    void transferFailed(const TransferOutcome &outcome)
    {
        const auto report = transferStopReport(outcome, m_link.engine(), m_portLost);
        if (outcome.operation == CommOperation::Read && m_stage == Stage::Reading &&
            outcome.result == TransferResult::Cancelled)
            return finishUnit("interrupted",
                              "interrupted before the write: the radio was not changed");
        std::string message =
            report ? transferStopText(*report, English) : std::string("the radio was not accepted");
        for (std::size_t at = message.find("\r\n"); at != std::string::npos;
             at = message.find("\r\n", at))
            message.replace(at, 2, " ");
        finishUnit("failed", message);
    }

    void finishUnit(const std::string &result, const std::string &message)
    {
        m_record.result = result;
        m_record.message = message;
        m_record.time = QDateTime::currentDateTime()
                            .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                            .toStdString();
        (result == "ok"        ? m_done
         : result == "refused" ? m_refused
         : result == "failed"  ? m_failed
                               : m_untouched)++;
        ++m_units;
        if (result == "failed")
            printError(
                QStringLiteral("unit %1: %2").arg(m_unit).arg(QString::fromStdString(message)));
        else
            say(QStringLiteral("Unit %1: %2: %3")
                    .arg(m_unit)
                    .arg(QString::fromStdString(result), QString::fromStdString(message)));
        if (m_options.json)
            std::printf("%s\n", unitJsonLine(m_record).c_str());
        std::fflush(stdout);
        writeLog();
        if (m_interrupted || (m_options.units && m_units >= *m_options.units))
            return stop();
        if (result == "failed" && !m_options.keepGoing) {
            m_stage = Stage::WaitConfirm;
            say(QStringLiteral("Press Enter to go on with the next radio"));
            return takeEnter();
        }
        nextRadio();
    }

    void writeLog()
    {
        if (!m_options.logPath)
            return;
        QFile log(*m_options.logPath);
        const bool isNew = !log.exists() || log.size() == 0;
        if (!log.open(QIODevice::Append | QIODevice::Text)) {
            printError(QStringLiteral("%1: the log cannot be written").arg(*m_options.logPath));
            return;
        }
        if (isNew)
            log.write((unitLogHeader() + '\n').c_str());
        log.write((unitLogLine(m_record) + '\n').c_str());
    }

    void nextRadio()
    {
        say(QStringLiteral("Disconnect the radio and connect the next one"));
        if (m_options.nextEnter) {
            m_stage = Stage::WaitEnter;
            return takeEnter();
        }
        m_stage = Stage::WaitGone;
        m_askTimer.start();
    }

    // An Enter typed already goes on at once; otherwise stdin is watched for one.
    void takeEnter()
    {
        if (m_enters > 0) {
            --m_enters;
            return entered();
        }
        if (m_inputClosed)
            return stop();
        m_input.setEnabled(true);
    }

    void readInput()
    {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            m_inputClosed = true;
            m_input.setEnabled(false);
        }
        for (ssize_t i = 0; i < got; ++i)
            m_enters += buffer[i] == '\n' ? 1 : 0;
        if (m_stage == Stage::WaitEnter || m_stage == Stage::WaitConfirm) {
            m_input.setEnabled(false);
            takeEnter();
        }
    }

    void entered()
    {
        if (m_stage == Stage::WaitConfirm)
            return nextRadio();
        if (m_stage == Stage::WaitEnter)
            waitForRadio();
    }

    // Ctrl+C: a radio being written is finished first; a read is stopped before the write.
    void interrupt()
    {
        m_interrupted = true;
        switch (m_stage) {
        case Stage::Writing:
        case Stage::Verifying:
            say(QStringLiteral("Interrupted: the radio in progress is finished first"));
            return;
        case Stage::Reading:
            m_link.cancel();
            return;
        default:
            if (m_link.isRunning())
                m_link.cancel();
            else
                stop();
        }
    }

    void stop()
    {
        m_stage = Stage::Done;
        m_askTimer.stop();
        m_input.setEnabled(false);
        m_app.quit();
    }

    QCoreApplication &m_app;
    const BatchOptions m_options;
    std::unique_ptr<Document> m_plan;
    SerialPortService m_port;
    LinkController m_link;
    const VersionRegistry m_versions;
    std::FILE *const m_say;
    QSocketNotifier m_input;
    InterruptWatcher m_interrupts;
    QTimer m_askTimer;
    QString m_device;
    Stage m_stage = Stage::WaitRadio;
    RadioImage m_read;
    RadioImage m_written;
    RadioImage m_readBack;
    UnitRecord m_record;
    int m_unit = 0;
    int m_units = 0;
    int m_done = 0;
    int m_refused = 0;
    int m_failed = 0;
    int m_untouched = 0;
    int m_enters = 0;
    bool m_inputClosed = false;
    bool m_interrupted = false;
    bool m_portLost = false;
};

} // namespace

int runBatch(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    std::optional<BatchOptions> options = parseBatch(args);
    if (!options)
        return 2;
    QCoreApplication app(argc, argv);
    auto plan = std::make_unique<Document>();
    QtDataFileStorage storage;
    if (const std::string error =
            readDataFilePair(storage, options->templatePath.toStdString(), *plan);
        !error.empty()) {
        printError(QString::fromStdString(error));
        return 2;
    }
    BatchRun batch(app, std::move(*options), std::move(plan));
    return batch.run();
}
