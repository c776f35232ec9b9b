#include "app/MainWindowHooks.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "datafile/FileCommandHooks.h"
#include "link/TransferCommandHooks.h"

namespace {

constexpr TextEntry kChannelWindowCaption{"", "Channel Information", "信道信息"};

// Stands in for the channel window until the channel editor joins, so that the main window's
// open, reopen and close paths run as they will with it.
QWidget *channelWindowPlaceholder(AppContext &context, frmMain &)
{
    auto *window = new QWidget;
    window->setObjectName(QString::fromUtf8(kChannelWindow.data(), kChannelWindow.size()));
    window->setWindowTitle(QString::fromUtf8(context.text(kChannelWindowCaption).data()));
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(window->windowTitle(), window));
    window->setMinimumSize(480, 320);
    return window;
}

} // namespace

MainWindowHooks builtInMainWindowHooks()
{
    MainWindowHooks hooks;
    hooks.addWindow(QString::fromLatin1(kChannelWindow.data(), kChannelWindow.size()),
                    channelWindowPlaceholder);
    addFileCommands(hooks);
    hooks.setCommand(MainCommand::ReadFromRadio, readFromRadioCommand);
    hooks.setCommand(MainCommand::WriteToRadio, writeToRadioCommand);
    hooks.setCommand(MainCommand::CommunicationPort, communicationPortCommand);
    return hooks;
}
