#pragma once

#include <QObject>

class QCoreApplication;
class QWidget;

// Keeps the mouse wheel from changing a list box or number box the user is only scrolling past:
// a wheel turn over a QComboBox or QAbstractSpinBox (or a part of one) scrolls the nearest
// enclosing scroll area instead, and the box keeps its value, unless the user gave the box the
// keyboard focus by a click, Tab or a label's shortcut. A box that a window focused by itself
// (the first box of a window that opens) does not take the wheel. Boxes that would take the
// focus from the wheel itself are given Qt::StrongFocus when they are first shown.
class WheelGuard : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override;

    // The list box or number box a widget is, or is part of, within its window; null for any
    // other widget.
    static QWidget *guardedBox(QWidget *widget);
};

// Installs one guard on the application, for every window of the program; a second call does
// nothing.
void installWheelGuard(QCoreApplication *app);
