#include "kernel/WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QWheelEvent>

namespace {

bool isBox(const QWidget *widget)
{
    return qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget);
}

// The scroll area whose visible part holds the widget; null when none does.
QAbstractScrollArea *enclosingScrollArea(QWidget *widget)
{
    for (QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(parent);
        if (area && area->viewport()->isAncestorOf(widget))
            return area;
        if (parent->isWindow())
            break;
    }
    return nullptr;
}

bool hasFocusWithin(const QWidget *box)
{
    const QWidget *focus = QApplication::focusWidget();
    return box->hasFocus() || (focus && box->isAncestorOf(focus));
}

// Set on a box while it holds a focus the user gave it.
constexpr char kUserFocused[] = "orx740UserFocused";

// A click, Tab or a label's shortcut is the user choosing the box; a window that focuses its
// first box when it opens, or gives the focus back after a dialog, is not.
bool isUserFocusReason(Qt::FocusReason reason)
{
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

// The focus leaves for good: not to the box's own drop-down list (which moves the focus more than
// once while it opens), nor to another window for a while; the box gets the focus back from
// there without the user choosing it again.
bool leavesForGood(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           !QApplication::activePopupWidget();
}

void noteFocusChange(QWidget *widget, const QFocusEvent &focus)
{
    QWidget *box = WheelGuard::guardedBox(widget);
    if (!box)
        return;
    if (focus.gotFocus() && isUserFocusReason(focus.reason()))
        box->setProperty(kUserFocused, true);
    else if (focus.lostFocus() && leavesForGood(focus.reason()))
        box->setProperty(kUserFocused, QVariant());
}

// Hands a wheel turn to the viewport of a scroll area, at the same place on the screen.
void scrollInstead(QWidget *target, const QWheelEvent &wheel)
{
    QAbstractScrollArea *area = enclosingScrollArea(target);
    if (!area)
        return;
    QWidget *viewport = area->viewport();
    QWheelEvent forwarded(target->mapTo(viewport, wheel.position()), wheel.globalPosition(),
                          wheel.pixelDelta(), wheel.angleDelta(), wheel.buttons(),
                          wheel.modifiers(), wheel.phase(), wheel.inverted(), wheel.source(),
                          wheel.pointingDevice());
    QCoreApplication::sendEvent(viewport, &forwarded);
}

} // namespace

QWidget *WheelGuard::guardedBox(QWidget *widget)
{
    // A list box's drop-down list is a window of its own: the wheel scrolls the list there.
    for (QWidget *part = widget; part; part = part->parentWidget()) {
        if (isBox(part))
            return part;
        if (part->isWindow())
            break;
    }
    return nullptr;
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Polish) {
        // Qt's default lets a wheel turn give these boxes the focus, and with it the turn.
        if (isBox(widget) && widget->focusPolicy() == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        noteFocusChange(widget, *static_cast<QFocusEvent *>(event));
        return false;
    }
    // A click on a box that already has the focus (the window gave it) chooses it all the same.
    if (event->type() == QEvent::MouseButtonPress) {
        if (QWidget *box = guardedBox(widget))
            box->setProperty(kUserFocused, true);
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return false;
    QWidget *box = guardedBox(widget);
    if (!box || (hasFocusWithin(box) && box->property(kUserFocused).toBool()))
        return false;
    scrollInstead(widget, *static_cast<QWheelEvent *>(event));
    event->accept();
    return true;
}

void installWheelGuard(QCoreApplication *app)
{
    if (!app || app->findChild<WheelGuard *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new WheelGuard(app));
}
