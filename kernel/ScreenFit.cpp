#include "kernel/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void resizeWithinScreen(QWidget *window, QSize wanted)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    // Room for the frame the window system draws around it (title bar and borders).
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room = available.size() - QSize(titleBar / 2, titleBar * 2);
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSize()));
    if (!available.contains(window->frameGeometry()))
        window->move(available.topLeft() + QPoint(titleBar / 4, titleBar / 2));
}
