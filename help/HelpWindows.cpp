#include "help/HelpWindows.h"

#include "help/HelpBrowser.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"

void registerHelp(MainWindowHooks &hooks)
{
    hooks.setHelp([](AppContext &context, MainWindowHost &host, const QString &page) {
        QWidget *owner = host.dialogParent();
        auto *browser = owner ? owner->findChild<HelpBrowser *>(QStringLiteral("HelpBrowser"),
                                                                Qt::FindDirectChildrenOnly)
                              : nullptr;
        if (!browser)
            browser = new HelpBrowser(context, host.notifier(), owner);
        browser->showPage(page);
    });
}
