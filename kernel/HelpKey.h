#pragma once

class MainWindowHost;
class QString;
class QWidget;

// F1 in a window of its own (a dialog, modal or not) opens the manual at `page`, as F1 in the
// main window opens the page of the window in front.
void addHelpKey(QWidget &window, MainWindowHost &host, const QString &page);
