#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

// Turns the mouse wheel over a point of a window: each click goes to the widget under the mouse
// at that moment (what lies there changes as the window scrolls). A positive count turns the
// wheel away from the user (up), a negative one towards the user (down).
inline void turnWheel(QWidget *window, QPoint at, int clicks)
{
    const int step = clicks < 0 ? -120 : 120;
    for (int n = 0; n < std::abs(clicks); ++n) {
        QWidget *under = window->childAt(at);
        // As the application delivers a wheel turn: a widget that ignores it passes it on to
        // its parent.
        for (QWidget *widget = under ? under : window; widget; widget = widget->parentWidget()) {
            const QPoint local = widget->mapFrom(window, at);
            QWheelEvent wheel(local, widget->mapToGlobal(local), QPoint(), QPoint(0, step),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            wheel.setAccepted(true);
            if ((QApplication::sendEvent(widget, &wheel) && wheel.isAccepted()) || widget == window)
                break;
        }
    }
}

// Turns the wheel over the middle of the part of a widget in sight.
inline void turnWheelOver(QWidget *widget, int clicks)
{
    QWidget *window = widget->window();
    const QRect shown = widget->visibleRegion().boundingRect();
    turnWheel(window,
              widget->mapTo(window, shown.isEmpty() ? widget->rect().center() : shown.center()),
              clicks);
}

// Presses Tab from the first control until the focus leaves the window or comes back to a
// control it has been to, and lists the names of the widgets the focus went to (the first one
// included).
inline QStringList tabChain(QWidget *window, QWidget *first, int limit = 400)
{
    QStringList names;
    QList<QWidget *> visited;
    first->setFocus(Qt::TabFocusReason);
    QWidget *focus = QApplication::focusWidget();
    while (focus && window->isAncestorOf(focus) && !visited.contains(focus) &&
           names.size() < limit) {
        visited << focus;
        names << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
    }
    return names;
}

// Drags a text from another program onto the middle of a widget and drops it there, delivered
// to the window as the windowing system delivers it (the window finds the widget that takes
// drops under the mouse).
inline void dropText(QWidget *target, const QString &text)
{
    QWidget *window = target->window();
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    const QPoint at = target->mapTo(window, target->rect().center());
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &drop);
}
