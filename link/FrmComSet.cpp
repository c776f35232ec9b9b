#include "link/FrmComSet.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <optional>

#include "kernel/AppContext.h"
#include "kernel/IniDocument.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/LinkWindowTexts.h"
#include "link/PortSettings.h"
#include "link/SerialPortList.h"

namespace {

// The port number of a list entry: the text after "COM"; nothing when that is no number.
std::optional<int> entryNumber(const QString &entry)
{
    bool numeric = false;
    const int number = entry.mid(3).toInt(&numeric);
    return numeric ? std::optional<int>(number) : std::nullopt;
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

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_commandOk);
    buttons->addWidget(m_commandCancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label1, 0, 0);
    layout->addWidget(m_combo1, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_combo1, &QComboBox::currentIndexChanged, this, &FrmComSet::choose);
    connect(m_commandOk, &QPushButton::clicked, this, &FrmComSet::acceptChoice);
    connect(m_commandCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_reShowComPortTimer, &QTimer::timeout, this, &FrmComSet::refresh);

    relabel();
    const QStringList names = portNames();
    showPort(listPorts(names), m_context.serial.comPort);
    m_reShowComPortTimer->start();
}

void FrmComSet::relabel()
{
    setWindowTitle(qText(m_context.text(LinkWindowTexts::kComSetCaption)));
    m_label1->setText(qText(m_context.text(LinkWindowTexts::kComLabel)));
    m_commandOk->setText(qText(m_context.text(ButtonTexts::kOk)));
    m_commandCancel->setText(qText(m_context.text(ButtonTexts::kCancel)));
}

QStringList FrmComSet::portNames() const
{
    QStringList names;
    const PortAliases aliases = readPortAliases(*m_context.setupIni);
    for (const PortEntry &entry : listSerialPorts(aliases))
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
    QStringList shown;
    for (int i = 0; i < m_combo1->count(); ++i)
        shown << m_combo1->itemText(i);
    // Rebuilding an unchanged list, or one whose drop-down the user has open, would only get in
    // the way; a change waits for the next tick while the drop-down is open.
    if (names == shown || m_combo1->view()->isVisible())
        return;
    showPort(listPorts(names), m_selectedPort);
}

void FrmComSet::choose(int index)
{
    m_selectedPort = index < 0 ? 0 : entryNumber(m_combo1->itemText(index)).value_or(0);
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
    QDialog::done(result);
}
