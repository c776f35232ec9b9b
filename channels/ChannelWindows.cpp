#include "channels/ChannelWindows.h"

#include "channels/Frm_GroupName.h"
#include "channels/frmCommChInfo.h"
#include "kernel/MainWindowHooks.h"

void registerChannelWindows(MainWindowHooks &hooks)
{
    hooks.addWindow(kChannelWindow, [](AppContext &context, MainWindowHost &host) -> QWidget * {
        return new frmCommChInfo(context, host);
    });
    hooks.addWindow("Frm_GroupName", [](AppContext &context, MainWindowHost &host) -> QWidget * {
        return new Frm_GroupName(context, host);
    });
}
