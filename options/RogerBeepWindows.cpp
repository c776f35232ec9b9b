#include "options/RogerBeepWindows.h"

#include "kernel/MainWindowHooks.h"
#include "options/FrmToneTips.h"

void registerRogerBeepWindows(MainWindowHooks &hooks)
{
    hooks.addWindow("FrmToneTips", [](AppContext &context, MainWindowHost &host) -> QWidget * {
        return new FrmToneTips(context, host);
    });
}
