#include "link/FrmBatchProgramming.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "datafile/DataFileFormat.h"
#include "datafile/ImageDocument.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "lang/QtText.h"
#include "lang/SettingToolTips.h"
#include "link/BatchHelp.h"
#include "link/BatchPortsModel.h"
#include "link/BatchUnits.h"
#include "link/BatchWindowTexts.h"
#include "link/PortSettings.h"
#include "link/ProductionLine.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"
#include "link/SerialPortService.h"
#include "link/TransferCommands.h"

using namespace BatchWindowTexts;

namespace {
constexpr const char *kWindowName = "FrmBatchProgramming";
}

FrmBatchProgramming::FrmBatchProgramming(AppContext &context, MainWindowHost &host,
                                         BackupStore *backups, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_host(host)
    , m_backups(backups)
    , m_line(new ProductionLine(this))
    , m_model(new BatchPortsModel(this))
{
    setObjectName(kWindowName);
    m_line->setObjectName(QStringLiteral("ProductionLine"));
    buildControls();
    connectLine();
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, m_model, &BatchPortsModel::tick);
    connect(&host.notifier(), &DocumentNotifier::languageChanged, this,
            &FrmBatchProgramming::relabel);
    relabel();
    updateEnabled();
}

FrmBatchProgramming::~FrmBatchProgramming() = default;

QString FrmBatchProgramming::text(const TextEntry &entry) const
{
    return qText(m_context.text(entry));
}

void FrmBatchProgramming::buildControls()
{
    const auto named = [](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    m_frameTemplate = named(new QGroupBox(this), "FrameTemplate");
    m_optionDocument = named(new QRadioButton(m_frameTemplate), "OptionTemplateDocument");
    m_optionFile = named(new QRadioButton(m_frameTemplate), "OptionTemplateFile");
    m_textTemplate = named(new QLineEdit(m_frameTemplate), "TextTemplate");
    m_commandBrowseTemplate = named(new QPushButton(m_frameTemplate), "CommandBrowseTemplate");
    m_checkKeepOptions = named(new QCheckBox(m_frameTemplate), "CheckKeepOptions");
    m_labelNamePattern = named(new QLabel(m_frameTemplate), "LabelNamePattern");
    m_textNamePattern = named(new QLineEdit(m_frameTemplate), "TextNamePattern");
    m_labelNamePattern->setBuddy(m_textNamePattern);
    m_optionDocument->setChecked(true);
    auto *templateLayout = new QGridLayout(m_frameTemplate);
    templateLayout->addWidget(m_optionDocument, 0, 0, 1, 3);
    templateLayout->addWidget(m_optionFile, 1, 0);
    templateLayout->addWidget(m_textTemplate, 1, 1);
    templateLayout->addWidget(m_commandBrowseTemplate, 1, 2);
    templateLayout->addWidget(m_checkKeepOptions, 2, 0, 1, 3);
    templateLayout->addWidget(m_labelNamePattern, 3, 0);
    templateLayout->addWidget(m_textNamePattern, 3, 1, 1, 2);

    m_framePorts = named(new QGroupBox(this), "FramePorts");
    m_gridPorts = named(new QTableView(m_framePorts), "GridPorts");
    m_gridPorts->setModel(m_model);
    m_gridPorts->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Every column as wide as its text, so that the result column stays in view.
    m_gridPorts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_gridPorts->horizontalHeader()->setStretchLastSection(true);
    m_textPort = named(new QLineEdit(m_framePorts), "TextPort");
    m_commandAddPort = named(new QPushButton(m_framePorts), "CommandAddPort");
    m_commandAddUsbPorts = named(new QPushButton(m_framePorts), "CommandAddUsbPorts");
    m_commandRemovePort = named(new QPushButton(m_framePorts), "CommandRemovePort");
    auto *portButtons = new QHBoxLayout;
    for (QWidget *widget :
         {static_cast<QWidget *>(m_textPort), static_cast<QWidget *>(m_commandAddPort),
          static_cast<QWidget *>(m_commandAddUsbPorts),
          static_cast<QWidget *>(m_commandRemovePort)})
        portButtons->addWidget(widget);
    auto *portsLayout = new QVBoxLayout(m_framePorts);
    portsLayout->addWidget(m_gridPorts);
    portsLayout->addLayout(portButtons);

    m_labelLog = named(new QLabel(this), "LabelLog");
    m_textLog = named(new QLineEdit(this), "TextLog");
    m_labelLog->setBuddy(m_textLog);
    m_commandBrowseLog = named(new QPushButton(this), "CommandBrowseLog");
    m_checkLock = named(new QCheckBox(this), "CheckLock");
    m_labelSummary = named(new QLabel(this), "LabelSummary");
    m_commandStart = named(new QPushButton(this), "CommandStart");
    m_commandStop = named(new QPushButton(this), "CommandStop");
    m_commandRetry = named(new QPushButton(this), "CommandRetry");
    m_commandClose = named(new QPushButton(this), "CommandClose");
    auto *logRow = new QHBoxLayout;
    logRow->addWidget(m_labelLog);
    logRow->addWidget(m_textLog);
    logRow->addWidget(m_commandBrowseLog);
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_checkLock);
    commands->addStretch();
    for (QPushButton *button : {m_commandStart, m_commandStop, m_commandRetry, m_commandClose})
        commands->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frameTemplate);
    layout->addWidget(m_framePorts, 1);
    layout->addLayout(logRow);
    layout->addWidget(m_labelSummary);
    layout->addLayout(commands);

    connect(m_optionFile, &QRadioButton::toggled, this, &FrmBatchProgramming::updateEnabled);
    connect(m_commandBrowseTemplate, &QPushButton::clicked, this,
            &FrmBatchProgramming::browseTemplate);
    connect(m_commandAddPort, &QPushButton::clicked, this, &FrmBatchProgramming::addTypedPort);
    connect(m_textPort, &QLineEdit::returnPressed, this, &FrmBatchProgramming::addTypedPort);
    connect(m_commandAddUsbPorts, &QPushButton::clicked, this, &FrmBatchProgramming::addUsbPorts);
    connect(m_commandRemovePort, &QPushButton::clicked, this, &FrmBatchProgramming::removePort);
    connect(m_commandBrowseLog, &QPushButton::clicked, this, &FrmBatchProgramming::browseLog);
    connect(m_checkLock, &QCheckBox::toggled, this, &FrmBatchProgramming::updateEnabled);
    connect(m_commandStart, &QPushButton::clicked, this, &FrmBatchProgramming::start);
    connect(m_commandStop, &QPushButton::clicked, m_line, &ProductionLine::interrupt);
    connect(m_commandRetry, &QPushButton::clicked, this, [this] {
        for (const int row : m_model->failedRows())
            m_line->retry(std::size_t(row));
        updateEnabled();
    });
    connect(m_commandClose, &QPushButton::clicked, this, &QWidget::close);
}

void FrmBatchProgramming::connectLine()
{
    connect(m_line, &ProductionLine::said, this, [this](std::size_t port, const QString &line) {
        const std::string portName = m_line->ports()[port].name.toStdString();
        if (line.toStdString() ==
            textWith(SessionTexts::kWaiting, m_context.language.languageIndex, {portName}))
            m_model->setState(int(port), BatchPortsModel::State::Waiting);
    });
    // The window's line goes on by itself after a failure: nothing waits for an answer.
    connect(
        m_line, &ProductionLine::asked, this,
        [this](std::size_t port, SessionQuestion, const QString &) { m_line->answer(port, true); });
    connect(m_line, &ProductionLine::progressChanged, this,
            [this](std::size_t port, CommOperation operation, bool readingBack, int percent) {
                m_model->setProgress(int(port), operation, readingBack, percent);
            });
    connect(m_line, &ProductionLine::unitBegun, this,
            [this](std::size_t port, const UnitRecord &record) {
                m_model->unitBegun(int(port), record.unit);
            });
    connect(m_line, &ProductionLine::unitReported, this,
            [this](std::size_t port, const UnitRecord &record) {
                m_model->unitEnded(int(port), record);
                const ProductionLine::Totals &totals = m_line->totals();
                m_labelSummary->setText(
                    qText(textWith(kSummary, m_context.language.languageIndex,
                                   {std::to_string(totals.done), std::to_string(totals.refused),
                                    std::to_string(totals.failed)})));
                updateEnabled();
            });
    connect(m_line, &ProductionLine::logFailed, this, [this](const QString &path) {
        m_context.messages->inform(
            textWith(kLogNotWritten, m_context.language.languageIndex, {stdText(path)}),
            MessageIcon::Warning);
    });
    connect(m_line, &ProductionLine::portFinished, this, [this](std::size_t port) {
        m_model->setState(int(port), BatchPortsModel::State::Stopped);
    });
    connect(m_line, &ProductionLine::finished, this, &FrmBatchProgramming::lineFinished);
}

void FrmBatchProgramming::relabel()
{
    setWindowTitle(text(kCaption));
    m_frameTemplate->setTitle(text(kTemplateFrame));
    m_optionDocument->setText(text(kTemplateDocument));
    m_optionFile->setText(text(kTemplateFile));
    m_commandBrowseTemplate->setText(text(kBrowse));
    m_checkKeepOptions->setText(text(kKeepOptions));
    m_labelNamePattern->setText(text(kNamePattern));
    m_textNamePattern->setPlaceholderText(QStringLiteral("ORX-{unit:04}"));
    m_framePorts->setTitle(text(kPortsFrame));
    m_textPort->setPlaceholderText(text(kPortToAdd));
    m_commandAddPort->setText(text(kAddPort));
    m_commandAddUsbPorts->setText(text(kAddUsbPorts));
    m_commandRemovePort->setText(text(kRemovePort));
    m_labelLog->setText(text(kLogFile));
    m_commandBrowseLog->setText(text(kBrowse));
    m_checkLock->setText(text(kLock));
    m_commandStart->setText(text(kStart));
    m_commandStop->setText(text(kStop));
    m_commandRetry->setText(text(kRetryFailed));
    m_commandClose->setText(text(kClose));
    m_model->setLanguage(m_context.language.languageIndex);
    // The tooltips and what a screen reader says of each control come from the help page; it
    // names the controls without a label of their own (the template's file, the table, the port
    // to add) by what they hold.
    applySettingHelp(*this, batchWindowHelp(), m_context.language.languageIndex);
}

void FrmBatchProgramming::updateEnabled()
{
    const bool running = m_line->isRunning();
    const bool editable = !m_checkLock->isChecked() && !running;
    m_frameTemplate->setEnabled(editable);
    m_textTemplate->setEnabled(m_optionFile->isChecked());
    m_commandBrowseTemplate->setEnabled(m_optionFile->isChecked());
    for (QWidget *widget :
         std::initializer_list<QWidget *>{m_textPort, m_commandAddPort, m_commandAddUsbPorts,
                                          m_commandRemovePort, m_textLog, m_commandBrowseLog})
        widget->setEnabled(editable);
    // The lock cannot be opened while the line runs.
    m_checkLock->setEnabled(!running);
    m_commandStart->setEnabled(!running);
    m_commandStop->setEnabled(running);
    m_commandRetry->setEnabled(!m_model->failedRows().empty() && !m_line->ports().empty());
}

void FrmBatchProgramming::addTypedPort()
{
    const QString name = m_textPort->text().trimmed();
    if (name.isEmpty())
        return;
    const PortAliases aliases = readPortAliases(*m_context.setupIni);
    QString cable;
    if (const auto device = devicePathForPort(name, aliases))
        cable = qText(portFactsOf(*device, aliases).usbPath);
    m_model->addPort({name, cable});
    m_textPort->clear();
}

void FrmBatchProgramming::addUsbPorts()
{
    bool found = false;
    for (const PortFacts &facts : listPortFacts(readPortAliases(*m_context.setupIni)))
        if (facts.usb) {
            found = true;
            m_model->addPort({qText(facts.devicePath), qText(facts.usbPath)});
        }
    if (!found)
        m_context.messages->inform(m_context.text(kNoUsbPorts));
}

void FrmBatchProgramming::removePort()
{
    const QModelIndex current = m_gridPorts->currentIndex();
    if (current.isValid())
        m_model->removePort(current.row());
}

void FrmBatchProgramming::browseTemplate()
{
    if (const auto path = m_context.fileDialogs->openFileName(stdText(m_host.dataFileFilter()))) {
        m_textTemplate->setText(qText(*path));
        m_optionFile->setChecked(true);
    }
}

void FrmBatchProgramming::browseLog()
{
    if (const auto path =
            m_context.fileDialogs->saveFileName("CSV (*.csv)", stdText(m_textLog->text())))
        m_textLog->setText(qText(*path));
}

// The template as the batch takes it: a copy of the document in the program, so that edits
// made while the line runs do not reach radios half-way, or the data file pair chosen.
bool FrmBatchProgramming::loadTemplate()
{
    const int language = m_context.language.languageIndex;
    if (!m_optionFile->isChecked()) {
        m_plan = m_context.document.working();
        return true;
    }
    const std::string path = stdText(m_textTemplate->text().trimmed());
    const auto data = m_context.dataFiles->readFile(path);
    std::string problem;
    if (!data || checkDataFile(*data, m_context.versions) != DataFileCheck::Ok)
        problem = path;
    else if (unpackDataFilePair(*data, m_context.dataFiles->readFile(companionPath(path)),
                                m_plan) != PairReadStatus::Ok)
        problem = companionPath(path);
    if (problem.empty())
        return true;
    m_context.messages->inform(textWith(kTemplateNotRead, language, {problem}),
                               MessageIcon::Warning);
    return false;
}

void FrmBatchProgramming::start()
{
    const int language = m_context.language.languageIndex;
    if (m_model->rowCount() == 0) {
        m_context.messages->inform(m_context.text(kNoPorts));
        return;
    }
    if (!loadTemplate())
        return;
    SessionJob job;
    job.batch.namePattern = stdText(m_textNamePattern->text().trimmed());
    if (QFile log(m_textLog->text()); log.open(QIODevice::ReadOnly))
        job.batch.lastUnit = lastUnitInLog(log.readAll().toStdString());
    if (!job.batch.namePattern.empty())
        if (const auto error =
                namePatternError(job.batch.namePattern, job.batch.lastUnit + 1, std::nullopt)) {
            m_context.messages->inform(*error, MessageIcon::Warning);
            return;
        }
    m_readBase =
        newDocumentBase(stdText(QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    job.kind = JobKind::Batch;
    job.readBase = &m_readBase;
    job.document = &m_plan;
    job.versions = &m_context.versions;
    job.language = language;
    job.batch.keepOptions = m_checkKeepOptions->isChecked();
    job.batch.keepGoing = true;
    IniStore *setupIni = m_context.setupIni;
    m_line->setPorts(m_model->ports(), [setupIni](const QString &name) {
        return [setupIni, name](SerialPortService &port) -> std::optional<QString> {
            auto device = devicePathForPort(name, readPortAliases(*setupIni));
            if (!device || !port.open(*device))
                return std::nullopt;
            return device;
        };
    });
    m_line->setBackupStore(m_backups);
    m_line->setLogPath(m_textLog->text().trimmed());
    m_checkLock->setChecked(true);
    m_labelSummary->clear();
    m_line->start(std::move(job));
    m_clock.start();
    updateEnabled();
}

void FrmBatchProgramming::lineFinished()
{
    m_clock.stop();
    m_model->tick();
    updateEnabled();
    if (std::exchange(m_closeWhenStopped, false))
        close();
}

void FrmBatchProgramming::closeEvent(QCloseEvent *event)
{
    // Radios being written are finished first; the window closes once the line has stopped.
    if (m_line->isRunning()) {
        m_closeWhenStopped = true;
        m_line->interrupt();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void registerBatchProgramming(MainWindowHooks &hooks, TransferCommands &transfers)
{
    hooks.addWindow(kWindowName,
                    [&transfers](AppContext &context, MainWindowHost &host) -> QWidget * {
                        return new FrmBatchProgramming(context, host, transfers.backupStore());
                    });
    hooks.setCommand(MainCommand::BatchProgramming, [](AppContext &, MainWindowHost &host) {
        host.openChildWindow(QString::fromLatin1(kWindowName));
    });
}
