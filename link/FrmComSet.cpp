#include "link/FrmComSet.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "kernel/AppContext.h"
#include "kernel/HelpKey.h"
#include "kernel/IniDocument.h"
#include "kernel/MainWindowHost.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/LinkWindowTexts.h"
#include "link/PortFacts.h"
#include "link/PortSettings.h"
#include "link/RadioProbe.h"
#include "link/SerialPortFacts.h"
#include "link/SerialPortList.h"

namespace {

// The port number of a list entry: the text after "COM"; nothing when that is no number.
std::optional<int> entryNumber(const QString &entry)
{
    bool numeric = false;
    const int number = entry.mid(3).toInt(&numeric);
    return numeric ? std::optional<int>(number) : std::nullopt;
}

const PortEntry *entryOf(const std::vector<PortEntry> &entries, int number)
{
    for (const PortEntry &entry : entries)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

// "/dev/ttyUSB0, CH340/CH341, USB Serial": what tells one port from another.
QString portIdentity(const PortFacts &facts)
{
    QStringList parts{qText(facts.devicePath)};
    if (!facts.chip.empty())
        parts << qText(facts.chip);
    if (!facts.description.empty() && facts.description != facts.chip)
        parts << qText(facts.description);
    return parts.join(QStringLiteral(", "));
}

} // namespace

FrmComSet::FrmComSet(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_label1(new QLabel(this))
    , m_combo1(new QComboBox(this))
    , m_commandOk(new QPushButton(this))
    , m_commandCancel(new QPushButton(this))
    , m_reShowComPortTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("FrmComSet"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_commandOk->setObjectName(QStringLiteral("CommandOK"));
    m_commandCancel->setObjectName(QStringLiteral("CommandCancel"));
    m_reShowComPortTimer->setObjectName(QStringLiteral("ReShowComPortTimer"));
    m_reShowComPortTimer->setInterval(kRefreshIntervalMs);
    m_label1->setBuddy(m_combo1);
    m_combo1->setMinimumContentsLength(10);
    m_commandOk->setDefault(true);
    layOut();

    connect(m_combo1, &QComboBox::currentIndexChanged, this, &FrmComSet::choose);
    connect(m_commandOk, &QPushButton::clicked, this, &FrmComSet::acceptChoice);
    connect(m_commandCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_reShowComPortTimer, &QTimer::timeout, this, &FrmComSet::refresh);
    connect(m_commandFindRadio, &QPushButton::clicked, this, &FrmComSet::findRadio);
    connect(m_commandFindCable, &QPushButton::clicked, this, &FrmComSet::findCableStep);
    connect(m_commandOther, &QPushButton::clicked, this, &FrmComSet::askForOtherPort);

    relabel();
    const QStringList names = portNames();
    showPort(listPorts(names), m_context.serial.comPort);
    showFacts();
    m_reShowComPortTimer->start();
}

FrmComSet::~FrmComSet() = default;

void FrmComSet::layOut()
{
    m_labelPortFacts = new QLabel(this);
    m_labelPortFacts->setObjectName(QStringLiteral("LabelPortFacts"));
    m_labelAssistant = new QLabel(this);
    m_labelAssistant->setObjectName(QStringLiteral("LabelAssistant"));
    m_commandFindRadio = new QPushButton(this);
    m_commandFindRadio->setObjectName(QStringLiteral("CommandFindRadio"));
    m_commandFindCable = new QPushButton(this);
    m_commandFindCable->setObjectName(QStringLiteral("CommandFindCable"));
    m_commandOther = new QPushButton(this);
    m_commandOther->setObjectName(QStringLiteral("CommandOther"));
    for (QLabel *label : {m_labelPortFacts, m_labelAssistant}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Wide enough for a device path and a fix command on one or two lines.
        label->setFixedWidth(fontMetrics().averageCharWidth() * 56);
    }

    auto *assistant = new QHBoxLayout;
    assistant->addWidget(m_commandFindRadio);
    assistant->addWidget(m_commandFindCable);
    assistant->addWidget(m_commandOther);
    assistant->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_commandOk);
    buttons->addWidget(m_commandCancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label1, 0, 0);
    layout->addWidget(m_combo1, 0, 1);
    layout->addWidget(m_labelPortFacts, 1, 0, 1, 2);
    layout->addLayout(assistant, 2, 0, 1, 2);
    layout->addWidget(m_labelAssistant, 3, 0, 1, 2);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Reading order: the list, the assistant, then OK and Cancel.
    const QList<QWidget *> order{m_combo1,       m_commandFindRadio, m_commandFindCable,
                                 m_commandOther, m_commandOk,        m_commandCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmComSet::relabel()
{
    setWindowTitle(qText(m_context.text(LinkWindowTexts::kComSetCaption)));
    m_label1->setText(qText(m_context.text(LinkWindowTexts::kComLabel)));
    m_commandOk->setText(qText(m_context.text(ButtonTexts::kOk)));
    m_commandCancel->setText(qText(m_context.text(ButtonTexts::kCancel)));
    m_commandFindRadio->setText(qText(
        m_context.text(isFindingRadio() ? LinkWindowTexts::kStop : LinkWindowTexts::kFindRadio)));
    m_commandFindCable->setText(
        qText(m_context.text(m_cableStep == CableStep::Idle         ? LinkWindowTexts::kFindCable
                             : m_cableStep == CableStep::Unplugging ? LinkWindowTexts::kNext
                                                                    : LinkWindowTexts::kStop)));
    m_commandOther->setText(qText(m_context.text(LinkWindowTexts::kOtherPort)));
}

QStringList FrmComSet::portNames()
{
    QStringList names;
    m_listed = listSerialPorts(readPortAliases(*m_context.setupIni));
    for (const PortEntry &entry : m_listed)
        names << qText(comName(entry.number));
    return names;
}

int FrmComSet::listPorts(const QStringList &names)
{
    const QSignalBlocker filling(m_combo1);
    m_combo1->clear();
    m_combo1->addItems(names);
    m_combo1->setCurrentIndex(-1);
    return names.isEmpty() ? 0 : entryNumber(names.first()).value_or(0);
}

void FrmComSet::showPort(int listed, int wanted)
{
    if (listed < 1) {
        m_selectedPort = listed;
        return;
    }
    // The wanted port when it is listed, otherwise the first one.
    const int found = m_combo1->findText(qText(comName(wanted)));
    const QSignalBlocker filling(m_combo1);
    m_combo1->setCurrentIndex(found < 0 ? 0 : found);
    m_selectedPort = entryNumber(m_combo1->currentText()).value_or(0);
}

void FrmComSet::refresh()
{
    const QStringList names = portNames();
    watchForCable(m_listed);
    QStringList shown;
    for (int i = 0; i < m_combo1->count(); ++i)
        shown << m_combo1->itemText(i);
    // Rebuilding an unchanged list, or one whose drop-down the user has open, would only get in
    // the way; a change waits for the next tick while the drop-down is open.
    if (names == shown || m_combo1->view()->isVisible())
        return;
    showPort(listPorts(names), m_selectedPort);
    showFacts();
}

void FrmComSet::choose(int index)
{
    m_selectedPort = index < 0 ? 0 : entryNumber(m_combo1->itemText(index)).value_or(0);
    showFacts();
}

// The facts of the port shown: read when the choice or the list changes, not every second, as
// finding who holds a device walks every process.
void FrmComSet::showFacts()
{
    const PortEntry *entry = entryOf(m_listed, m_selectedPort);
    if (!entry) {
        m_labelPortFacts->setText(qText(m_context.text(LinkWindowTexts::kNoPortShown)));
        return;
    }
    const PortFacts facts =
        portFactsOf(qText(entry->devicePath), readPortAliases(*m_context.setupIni));
    m_labelPortFacts->setText(portIdentity(facts) + QLatin1Char('\n') +
                              qText(portAccessLine(facts, m_context.language.languageIndex)));
}

void FrmComSet::setStatus(const QString &text)
{
    m_labelAssistant->setText(text);
}

void FrmComSet::askForOtherPort()
{
    bool accepted = false;
    const QString path =
        QInputDialog::getText(this, qText(m_context.text(LinkWindowTexts::kComSetCaption)),
                              qText(m_context.text(LinkWindowTexts::kOtherPortPrompt)),
                              QLineEdit::Normal, QString(), &accepted);
    if (accepted && !path.trimmed().isEmpty())
        addOtherPort(path.trimmed());
}

bool FrmComSet::addOtherPort(const QString &devicePath)
{
    const PortFacts facts = portFactsOf(devicePath, readPortAliases(*m_context.setupIni));
    if (facts.access == PortAccess::Missing || facts.access == PortAccess::NotATerminal) {
        setStatus(facts.access == PortAccess::Missing
                      ? qText(m_context.text(LinkWindowTexts::kOtherPortMissing)).arg(devicePath)
                      : qText(portAccessLine(facts, m_context.language.languageIndex)));
        return false;
    }
    portNames();
    const int number = aliasNumberFor(devicePath.toStdString(), m_listed);
    if (!writePortAlias(*m_context.setupIni, number, devicePath.toStdString())) {
        m_context.messages->inform(m_context.text(Messages::kFileError), MessageIcon::Warning);
        return false;
    }
    showPort(listPorts(portNames()), number);
    showFacts();
    setStatus(qText(m_context.text(LinkWindowTexts::kOtherPortKept))
                  .arg(devicePath, qText(comName(number))));
    return true;
}

void FrmComSet::findCableStep()
{
    switch (m_cableStep) {
    case CableStep::Idle:
        m_cableStep = CableStep::Unplugging;
        setStatus(qText(m_context.text(LinkWindowTexts::kUnplugCable)));
        break;
    case CableStep::Unplugging:
        portNames();
        m_withoutCable = m_listed;
        m_cableStep = CableStep::Plugging;
        setStatus(qText(m_context.text(LinkWindowTexts::kPlugCable)));
        break;
    case CableStep::Plugging:
        m_cableStep = CableStep::Idle;
        setStatus(QString());
        break;
    }
    relabel();
}

// While waiting for the cable, the first port that was not there without it is the cable.
void FrmComSet::watchForCable(const std::vector<PortEntry> &listed)
{
    if (m_cableStep != CableStep::Plugging)
        return;
    const auto cable = std::find_if(listed.begin(), listed.end(), [this](const PortEntry &entry) {
        return std::find(m_withoutCable.begin(), m_withoutCable.end(), entry) ==
               m_withoutCable.end();
    });
    if (cable == listed.end())
        return;
    // Listing the ports again below replaces the list the entry came from: what is needed first.
    const int cableNumber = cable->number;
    const QString cablePath = qText(cable->devicePath);
    m_cableStep = CableStep::Idle;
    showPort(listPorts(portNames()), cableNumber);
    showFacts();
    const PortFacts facts = portFactsOf(cablePath, readPortAliases(*m_context.setupIni));
    setStatus(qText(m_context.text(LinkWindowTexts::kCableFound))
                  .arg(qText(comName(cableNumber)), portIdentity(facts)));
    relabel();
}

bool FrmComSet::isFindingRadio() const
{
    return m_probe && m_probe->isRunning();
}

void FrmComSet::findRadio()
{
    if (isFindingRadio()) {
        m_probe->cancel();
        setStatus(QString());
        relabel();
        return;
    }
    // The USB adapters and the ports the user named; never a built-in serial port.
    QStringList paths;
    for (const PortFacts &facts : listPortFacts(readPortAliases(*m_context.setupIni)))
        if (facts.usb || facts.alias)
            paths << qText(facts.devicePath);
    if (paths.isEmpty()) {
        setStatus(qText(m_context.text(LinkWindowTexts::kNoUsbPort)));
        return;
    }
    if (!m_probe) {
        m_probe = new RadioProbe(this);
        connect(m_probe, &RadioProbe::finished, this, &FrmComSet::radioProbed);
    }
    setStatus(qText(m_context.text(LinkWindowTexts::kSearchingRadio)));
    m_probe->start(paths);
    relabel();
}

void FrmComSet::radioProbed(const QList<ProbeResult> &results)
{
    const QStringList names = portNames();
    QStringList lines;
    std::optional<int> chosen;
    int found = 0;
    for (const ProbeResult &result : results) {
        const auto entry = std::find_if(m_listed.begin(), m_listed.end(), [&](const PortEntry &e) {
            return qText(e.devicePath) == result.devicePath;
        });
        const QString port =
            entry == m_listed.end() ? result.devicePath : qText(comName(entry->number));
        if (result.kind == ProbeResult::Kind::Found && found++ == 0) {
            lines.prepend(qText(m_context.text(LinkWindowTexts::kRadioFoundOn)).arg(port));
            if (entry != m_listed.end())
                chosen = entry->number;
        }
        lines << port + QStringLiteral(": ") +
                     probeResultLine(result, m_context.language.languageIndex);
    }
    if (found == 0)
        lines.prepend(qText(m_context.text(LinkWindowTexts::kNoRadioAnswered)));
    else if (found > 1)
        lines.insert(1, qText(m_context.text(LinkWindowTexts::kSeveralRadios)));
    showPort(listPorts(names), chosen.value_or(m_selectedPort));
    setStatus(lines.join(QLatin1Char('\n')));
    showFacts();
    relabel();
}

void FrmComSet::acceptChoice()
{
    if (m_combo1->currentIndex() < 0) {
        m_context.serial.comPort = 0;
    } else if (const auto number = entryNumber(m_combo1->currentText())) {
        m_context.serial.comPort = *number;
        if (!m_context.setupIni->writeString("language", "comPort", std::to_string(*number)))
            m_context.messages->inform(m_context.text(Messages::kFileError), MessageIcon::Warning);
    }
    accept();
}

void FrmComSet::done(int result)
{
    m_reShowComPortTimer->stop();
    if (isFindingRadio())
        m_probe->cancel();
    QDialog::done(result);
}

void showCommunicationPort(AppContext &context, MainWindowHost &host)
{
    QWidget *parent = host.dialogParent();
    if (auto *open = parent->findChild<FrmComSet *>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *window = new FrmComSet(context, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    addHelpKey(*window, host, window->objectName());
    QObject::connect(window, &QDialog::accepted, parent, [&host] { host.relabel(); });
    window->show();
}
