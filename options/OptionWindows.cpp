#include "options/OptionWindows.h"

#include "kernel/MainWindowHooks.h"
#include "options/FrmOptFeatures.h"

void registerOptionWindows(MainWindowHooks &hooks)
{
    hooks.addWindow("FrmOptFeatures", [](AppContext &context, MainWindowHost &host) -> QWidget * {
        return new FrmOptFeatures(context, host);
    });
}
