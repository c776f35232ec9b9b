#include "help/HelpWindows.h"

#include <QApplication>

#include "help/FrmProblemReport.h"
#include "help/HelpBrowser.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"

void registerHelp(MainWindowHooks &hooks)
{
    hooks.setHelp([](AppContext &context, MainWindowHost &host, const QString &page) {
        QWidget *owner = host.dialogParent();
        // The help window may be lent to a modal window just now (F1 there).
        auto *browser =
            owner ? owner->findChild<HelpBrowser *>(QStringLiteral("HelpBrowser")) : nullptr;
        if (!browser)
            browser = new HelpBrowser(context, host.notifier(), owner);
        if (owner)
            browser->stayUsableBeside(QApplication::activeModalWidget(), owner);
        browser->showPage(page);
    });
    hooks.setCommand(MainCommand::HelpContents,
                     [](AppContext &, MainWindowHost &host) { host.showHelp(QString()); });
    hooks.setCommand(MainCommand::HelpConnecting, [](AppContext &, MainWindowHost &host) {
        host.showHelp(QStringLiteral("task-connect"));
    });
    hooks.setCommand(MainCommand::SaveProblemReport, [](AppContext &context, MainWindowHost &host) {
        QWidget *owner = host.dialogParent();
        auto *report = owner ? owner->findChild<FrmProblemReport *>(
                                   QStringLiteral("FrmProblemReport"), Qt::FindDirectChildrenOnly)
                             : nullptr;
        if (!report)
            report = new FrmProblemReport(context, host.notifier(), owner);
        report->show();
        report->raise();
        report->activateWindow();
    });
}
