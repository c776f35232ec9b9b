#include "kernel/HelpKey.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "kernel/MainWindowHost.h"

void addHelpKey(QWidget &window, MainWindowHost &host, const QString &page)
{
    auto *help = new QAction(&window);
    help->setObjectName(QStringLiteral("HelpKey"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    window.addAction(help);
    QObject::connect(help, &QAction::triggered, &window, [&host, page] { host.showHelp(page); });
}
