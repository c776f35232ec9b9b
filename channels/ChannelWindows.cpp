#include "channels/ChannelWindows.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/MainWindowHooks.h"
#include "lang/QtText.h"

namespace {

constexpr TextEntry kChannelWindowCaption{"", "Channel Information", "信道信息"};

// Stands in for the channel window until the channel editor joins, so that the main window's
// open, reopen and close paths run as they will with it.
QWidget *channelWindowPlaceholder(AppContext &context, MainWindowHost &)
{
    auto *window = new QWidget;
    window->setObjectName(qText(kChannelWindow));
    window->setWindowTitle(qText(context.text(kChannelWindowCaption)));
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(window->windowTitle(), window));
    window->setMinimumSize(480, 320);
    return window;
}

} // namespace

void registerChannelWindows(MainWindowHooks &hooks)
{
    hooks.addWindow(kChannelWindow, channelWindowPlaceholder);
}
