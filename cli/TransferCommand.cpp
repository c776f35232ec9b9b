#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <unistd.h>

#include "app/PlatformServices.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "cli/TransferSupport.h"
#include "datafile/BackupStore.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/IniFile.h"
#include "lang/Messages.h"
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "link/SerialTraceFile.h"
#include "link/TransferStopNotice.h"
#include "model/RadioImage.h"
#include "model/VersionRegistry.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

namespace {

QString text(const TextEntry &entry)
{
    return englishText(entry);
}

// Where a transfer takes its memory from or puts it: a data file pair or a raw image file.
struct TransferFile
{
    QString path;
    bool isImage = false;
};

// read --port PORT (--out FILE.dat | --image-out FILE); write --port PORT (FILE.dat | --image
// FILE).
std::optional<TransferFile> parseTransferFile(const std::vector<std::string_view> &args,
                                              bool reading, CommandLine &options)
{
    std::vector<std::string_view> named;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool takesValue = args[i] == "--port" || args[i] == "--out" ||
                                args[i] == "--image-out" || args[i] == "--image" ||
                                args[i] == "--trace";
        if (args[i].starts_with("--")) {
            named.push_back(args[i]);
            // "--port --out x.dat": the port is missing, "--out" is no port name.
            if (takesValue && i + 1 < args.size() && !args[i + 1].starts_with("--"))
                named.push_back(args[++i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    const std::vector<CommandLine::Option> known =
        reading ? std::vector<CommandLine::Option>{{"--port", true},
                                                   {"--out", true},
                                                   {"--image-out", true},
                                                   {"--switch-version", false},
                                                   {"--trace", true}}
                : std::vector<CommandLine::Option>{{"--port", true},
                                                   {"--image", true},
                                                   {"--switch-version", false},
                                                   {"--verify", false},
                                                   {"--trace", true}};
    if (!options.parse(named, known)) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    std::vector<TransferFile> files;
    for (std::string_view path : positional)
        files.push_back({QString::fromUtf8(path.data(), qsizetype(path.size())), false});
    for (std::string_view option : {"--out", "--image-out", "--image"}) {
        if (const auto value = options.value(option))
            files.push_back({QString::fromStdString(*value), option != "--out"});
    }
    if (reading && !positional.empty())
        files.clear();
    if (!options.has("--port") || files.size() != 1) {
        printError(
            reading ? QStringLiteral("usage: read --port PORT (--out FILE.dat | --image-out FILE)")
                    : QStringLiteral("usage: write --port PORT [--verify] (FILE.dat | "
                                     "--image FILE)"));
        return std::nullopt;
    }
    return files.front();
}

enum class Job
{
    Read,
    Write,
    Verify, // a read compared with what a data file packs to
};

// verify --port PORT FILE.dat
std::optional<TransferFile> parseVerifyFile(const std::vector<std::string_view> &args,
                                            CommandLine &options)
{
    std::vector<std::string_view> named;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with("--")) {
            named.push_back(args[i]);
            if ((args[i] == "--port" || args[i] == "--trace") && i + 1 < args.size() &&
                !args[i + 1].starts_with("--"))
                named.push_back(args[++i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (!options.parse(named, {{"--port", true}, {"--switch-version", false}, {"--trace", true}})) {
        printError(QString::fromStdString(options.error()));
        return std::nullopt;
    }
    if (!options.has("--port") || positional.size() != 1) {
        printError(QStringLiteral("usage: verify --port PORT FILE.dat"));
        return std::nullopt;
    }
    return TransferFile{QString::fromUtf8(positional[0].data(), qsizetype(positional[0].size())),
                        false};
}

// What a transfer moves: the image a write sends (or a read fills), the image a verification
// expects the radio to hold, and the document a data file pair was read into.
struct TransferImages
{
    RadioImage image;
    RadioImage expected;
    std::unique_ptr<Document> document = std::make_unique<Document>();
};

// Reads the file a write sends or a verification compares with; false, the reason printed, when
// it cannot be read.
bool loadTransferImages(Job job, const TransferFile &file, TransferImages &images)
{
    if (job == Job::Write && file.isImage) {
        if (const auto error = loadRawImage(file.path, images.image)) {
            printError(*error);
            return false;
        }
    } else if (job != Job::Read) {
        QtDataFileStorage storage;
        if (const std::string error =
                readDataFilePair(storage, file.path.toStdString(), *images.document);
            !error.empty()) {
            printError(QString::fromStdString(error));
            return false;
        }
        if (job == Job::Write)
            PackDocumentIntoImage(images.document->working(), images.image);
    }
    if (job == Job::Verify)
        PackDocumentIntoImage(images.document->working(), images.expected);
    else
        images.expected = images.image;
    return true;
}

// One read, write or verification on an open port, from its start to the exit code: 0 done (or
// equal), 1 different, and on failure 1, or 2 when the radio was to be compared.
class TransferJob
{
public:
    TransferJob(Job job, const CommandLine &options, const TransferFile &file,
                TransferImages &images, SerialPortService &port, QString device)
        : m_job(job)
        , m_verifying(job == Job::Verify || options.has("--verify"))
        , m_failed(m_verifying ? 2 : 1)
        , m_switchVersion(options.has("--switch-version"))
        , m_file(file)
        , m_images(images)
        , m_port(port)
        , m_device(std::move(device))
        , m_link(port)
        , m_versions(installedVersionRegistry())
        , m_tracePath(options.value("--trace"))
    {
        TransferEngine::Settings settings;
        settings.compatible = [versions = &m_versions](std::string_view software,
                                                       std::string_view firmware) {
            return versions->compatible(software, firmware);
        };
        m_link.setEngineSettings(settings);
    }

    int run(QCoreApplication &app)
    {
        QObject::connect(&m_link, &LinkController::progressChanged, &app,
                         [this](int percent) { showProgress(percent); });
        QObject::connect(&m_link, &LinkController::questionAsked, &app,
                         [this](const QString &question) { answer(question); });
        QObject::connect(&m_link, &LinkController::finished, &app,
                         [this, &app](const TransferOutcome &outcome, const QStringList &messages) {
                             if (const auto exitCode = finished(outcome, messages))
                                 app.exit(*exitCode);
                         });
        QObject::connect(&m_port, &SerialPortService::portFailed, &app,
                         [this] { m_portLost = true; });
        InterruptWatcher interrupts;
        QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app,
                         [this] { m_link.cancel(); });
        if (m_job != Job::Write) {
            m_link.startRead(m_images.image);
        } else {
            keepBackup(BackupReason::Write, m_images.image,
                       m_file.isImage ? nullptr : m_images.document.get());
            m_link.startWrite(m_images.image);
        }
        const int exitCode = app.exec();
        saveTrace();
        return exitCode;
    }

private:
    // The frames of the transfers, whatever came of them, when --trace asked for them.
    void saveTrace() const
    {
        QString error;
        if (m_tracePath && !saveSerialTrace(QString::fromStdString(*m_tracePath), &error))
            printError(error);
    }

    void showProgress(int percent) const
    {
        if (m_showProgress)
            std::fprintf(stderr, "\r%s %d%%", qPrintable(text(LinkTexts::kCompletionPercentage)),
                         percent);
    }

    void answer(const QString &question)
    {
        std::fprintf(stderr, "%s%s\n", m_showProgress ? "\n" : "",
                     qPrintable(QString(question).replace("\r\n", "\n")));
        std::fprintf(stderr, "%s\n", m_switchVersion ? "Yes" : "No");
        m_link.answerQuestion(m_switchVersion);
    }

    // The exit code once the job is done; nothing while the radio is read back after a write.
    std::optional<int> finished(const TransferOutcome &outcome, const QStringList &messages)
    {
        if (m_showProgress)
            std::fputc('\n', stderr);
        for (const QString &message : messages)
            std::fprintf(stderr, "%s\n", qPrintable(message));
        if (!outcome.switchToVersion.empty())
            printError(QStringLiteral("starting the program version for firmware %1 is "
                                      "left to the main program")
                           .arg(QString::fromStdString(outcome.switchToVersion)));
        const bool wasRead = outcome.operation == CommOperation::Read;
        if (outcome.result != TransferResult::Success)
            return failedTransfer(outcome, wasRead);
        std::fprintf(
            stderr, "%s\n",
            qPrintable(text(wasRead ? Messages::kReadCompleted : Messages::kWriteCompleted)));
        if (m_verifying && (m_job == Job::Verify || m_readingBack))
            return reportImageComparison(m_images.expected,
                                         m_readingBack ? m_readBack : m_images.image, std::cout);
        if (m_verifying)
            return startReadBack();
        if (m_job == Job::Read)
            return saveRead();
        return 0;
    }

    // The box the program would show, on one line; a refused radio has been told already.
    int failedTransfer(const TransferOutcome &outcome, bool wasRead) const
    {
        if (const auto report = transferStopReport(outcome, m_link.engine(), m_portLost))
            printError(QString::fromStdString(transferStopText(*report, English))
                           .replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        else
            printError(QStringLiteral("%1 failed: the radio was not accepted")
                           .arg(wasRead ? "read" : "write"));
        return m_failed;
    }

    // The write is done; read the radio back on the same port.
    std::optional<int> startReadBack()
    {
        m_readingBack = true;
        if (!m_port.open(m_device) || !m_link.startRead(m_readBack)) {
            printError(QStringLiteral("%1: cannot be opened again to read back").arg(m_device));
            return m_failed;
        }
        return std::nullopt;
    }

    // The read memory into the file asked for, and a backup of it whether or not that worked.
    int saveRead() const
    {
        std::optional<QString> error;
        if (m_file.isImage) {
            error = saveRawImage(m_file.path, m_images.image);
        } else {
            const DataFileWriteResult written =
                dataFileFromImage(m_images.image, m_file.path.toStdString());
            if (!written.error.empty())
                error = QString::fromStdString(written.error);
        }
        keepBackup(BackupReason::Read, m_images.image, nullptr);
        if (error) {
            printError(*error);
            return 1;
        }
        return 0;
    }

    const Job m_job;
    const bool m_verifying;
    const int m_failed;
    const bool m_showProgress = ::isatty(STDERR_FILENO) == 1;
    const bool m_switchVersion;
    const TransferFile &m_file;
    TransferImages &m_images;
    SerialPortService &m_port;
    const QString m_device;
    LinkController m_link;
    const VersionRegistry m_versions;
    const std::optional<std::string> m_tracePath;
    RadioImage m_readBack;
    bool m_readingBack = false;
    bool m_portLost = false;
};

int runTransfer(int argc, char *argv[], const std::vector<std::string_view> &args, Job job)
{
    CommandLine options;
    const std::optional<TransferFile> file =
        job == Job::Verify ? parseVerifyFile(args, options)
                           : parseTransferFile(args, job == Job::Read, options);
    if (!file)
        return 2;
    // verify and write --verify answer 0 equal, 1 different, 2 not compared.
    const int failed = job == Job::Verify || options.has("--verify") ? 2 : 1;

    QCoreApplication app(argc, argv);
    TransferImages images;
    if (!loadTransferImages(job, *file, images))
        return failed;
    SerialPortService port;
    const auto device = openTransferPort(*options.value("--port"), port);
    if (!device)
        return failed;
    TransferJob transfer(job, options, *file, images, port, *device);
    return transfer.run(app);
}

} // namespace

int runRead(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Read);
}

int runWrite(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Write);
}

int runVerify(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    return runTransfer(argc, argv, args, Job::Verify);
}
