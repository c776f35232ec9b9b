#pragma once

#include <QSize>

class QWidget;

// Gives a top-level window the size it asks for, or less where its screen's free area (a small
// screen, a large scale) is smaller, and keeps it on that screen.
void resizeWithinScreen(QWidget *window, QSize wanted);
