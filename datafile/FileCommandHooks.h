#pragma once

#include <memory>

class AppContext;
class FileDialogs;
class MainWindowHooks;

// The file commands on the main window: File > New, Open, Save, Save As, the toolbar's New and
// Initial Setting.
void registerFileCommands(MainWindowHooks &hooks);

// The files, dialogs and program starts the file commands use in the running program, made for
// the context and detached from it again on destruction.
class FileServices
{
public:
    explicit FileServices(AppContext &context);
    ~FileServices();
    FileServices(const FileServices &) = delete;
    FileServices &operator=(const FileServices &) = delete;

    // Every file dialog starts in the folder of the current file, else the last one used, else
    // the user's documents; the dialogs shown are these (a test's) instead of the real ones.
    void setShownDialogs(FileDialogs &dialogs);

private:
    struct Adapters;
    AppContext &m_context;
    std::unique_ptr<Adapters> m_adapters;
};
