#include "link/FrmProgress.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/LinkTexts.h"

namespace {

constexpr int kLabelGap = 10;

} // namespace

FrmProgress::FrmProgress(Operation operation, int language, QWidget *parent)
    : QDialog(parent)
    , m_label1(new QLabel(this))
    , m_label2(new QLabel(this))
    , m_progressBar1(new QProgressBar(this))
    , m_commandCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmProgress"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_commandCancel->setObjectName(QStringLiteral("CommandCancel"));
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setTextVisible(false);
    m_progressBar1->setMinimumWidth(320);
    m_label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Label1 ends just left of the percentage it introduces.
    auto *labels = new QHBoxLayout;
    labels->setSpacing(kLabelGap);
    labels->addStretch();
    labels->addWidget(m_label1);
    labels->addWidget(m_label2);
    labels->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_commandCancel);
    auto *layout = new QGridLayout(this);
    layout->addLayout(labels, 0, 0);
    layout->addWidget(m_progressBar1, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_commandCancel, &QPushButton::clicked, this, &FrmProgress::requestCancel);

    relabel(operation, language);
    m_progressBar1->setValue(0);
    m_label2->setText(QStringLiteral("0%"));
}

void FrmProgress::relabel(Operation operation, int language)
{
    const TextEntry &caption = operation == Operation::Read    ? LinkTexts::kProgressCaptionRead
                               : operation == Operation::Write ? LinkTexts::kProgressCaptionWrite
                                                               : LinkTexts::kProgressCaptionVerify;
    setWindowTitle(qText(textFor(caption, language)));
    m_label1->setText(qText(textFor(LinkTexts::kCompletionPercentage, language)));
    m_commandCancel->setText(qText(textFor(ButtonTexts::kCancel, language)));
}

void FrmProgress::setProgress(int percent)
{
    if (percent <= m_progressBar1->value() || !isVisible())
        return;
    m_progressBar1->setValue(percent);
    m_label2->setText(QStringLiteral("%1%").arg(percent));
}

int FrmProgress::progress() const
{
    return m_progressBar1->value();
}

void FrmProgress::requestCancel()
{
    if (m_cancelRequested || m_finished)
        return;
    m_cancelRequested = true;
    m_commandCancel->setEnabled(false);
    Q_EMIT cancelClicked();
}

void FrmProgress::finish()
{
    m_finished = true;
    QDialog::reject();
}

void FrmProgress::reject()
{
    // Esc: stop the transfer; the window closes when it has ended.
    if (m_finished)
        QDialog::reject();
    else
        requestCancel();
}

void FrmProgress::closeEvent(QCloseEvent *event)
{
    if (m_finished) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    requestCancel();
}
