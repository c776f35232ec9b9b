#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QString>

#include <functional>
#include <map>

#include "kernel/MainWindowTexts.h"

class AppContext;
class MainWindowHost;
class QWidget;

// What the subsystems plug into the main window: the child windows it can open, by window name,
// and the handlers of the commands it dispatches to them (file commands, transfers, port window).
// Each folder fills them in its own register function; the program's start calls them all and
// hands the result to the main window. A command without a handler does nothing.
class MainWindowHooks
{
public:
    // Makes a new child window; the main window puts it into its frame and deletes it on close.
    using WindowFactory = std::function<QWidget *(AppContext &, MainWindowHost &)>;
    using CommandHandler = std::function<void(AppContext &, MainWindowHost &)>;
    // Offers to save a changed document before the main window closes: true to go on.
    using SaveQuestion = std::function<bool(AppContext &, MainWindowHost &)>;
    // Opens the help window at the named page (the window's objectName; empty: the contents).
    using HelpHandler = std::function<void(AppContext &, MainWindowHost &, const QString &)>;

    void addWindow(QAnyStringView name, const WindowFactory &factory)
    {
        m_windows.insert(name.toString(), factory);
    }
    void setCommand(MainCommand command, CommandHandler handler)
    {
        m_commands[command] = std::move(handler);
    }

    void setSaveQuestion(SaveQuestion question) { m_saveQuestion = std::move(question); }
    const SaveQuestion &saveQuestion() const { return m_saveQuestion; }

    void setHelp(HelpHandler help) { m_help = std::move(help); }
    const HelpHandler &help() const { return m_help; }

    const WindowFactory *window(const QString &name) const
    {
        const auto found = m_windows.constFind(name);
        return found == m_windows.constEnd() ? nullptr : &found.value();
    }
    const CommandHandler *command(MainCommand command) const
    {
        const auto found = m_commands.find(command);
        return found == m_commands.end() ? nullptr : &found->second;
    }

private:
    QHash<QString, WindowFactory> m_windows;
    std::map<MainCommand, CommandHandler> m_commands;
    SaveQuestion m_saveQuestion;
    HelpHandler m_help;
};
