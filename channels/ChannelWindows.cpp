#include "channels/ChannelWindows.h"

#include "app/MainWindowHooks.h"
#include "channels/frmCommChInfo.h"

void registerChannelWindows(MainWindowHooks &hooks)
{
    hooks.addWindow(kChannelWindow, [](AppContext &context, MainWindowHost &host) -> QWidget * {
        return new frmCommChInfo(context, host);
    });
}
