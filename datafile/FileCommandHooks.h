#pragma once

#include <memory>

class AppContext;
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

private:
    struct Adapters;
    AppContext &m_context;
    std::unique_ptr<Adapters> m_adapters;
};
