#include "app/frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize kPlainSize(480, 300);

} // namespace

frmSplash::frmSplash(const QString &picturePath, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_image1(new QLabel(this))
    , m_timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setTimerType(Qt::PreciseTimer);
    m_timer1->setInterval(kShowMilliseconds);
    connect(m_timer1, &QTimer::timeout, this, &frmSplash::finish);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image1);

    const QPixmap picture(picturePath);
    if (picture.isNull()) {
        m_image1->setText(QStringLiteral("ORX-740"));
        m_image1->setAlignment(Qt::AlignCenter);
        QFont font = m_image1->font();
        font.setPointSize(36);
        font.setBold(true);
        m_image1->setFont(font);
        setFixedSize(kPlainSize);
    } else {
        m_image1->setPixmap(picture);
        setFixedSize(picture.size());
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::start()
{
    m_timer1->start();
}

void frmSplash::mousePressEvent(QMouseEvent *)
{
    finish();
}

void frmSplash::keyPressEvent(QKeyEvent *)
{
    finish();
}

void frmSplash::finish()
{
    m_timer1->stop();
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT finished();
}
