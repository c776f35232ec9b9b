#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

// The open and save dialogs of the file commands. The filter is "Data File (*.dat)|*.dat" in the
// language in force: the label and the pattern, separated by "|".
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // The chosen file, or nothing when the dialog was cancelled; the dialog starts in startFolder
    // (empty: where the program's dialogs start).
    virtual std::optional<std::string> openFileName(std::string_view filter,
                                                    std::string_view startFolder = {}) = 0;
    // The chosen file name, the dialog preset to presetPath; nothing when cancelled.
    virtual std::optional<std::string> saveFileName(std::string_view filter,
                                                    std::string_view presetPath) = 0;
};

// Every dialog counts as cancelled.
class CancelledFileDialogs : public FileDialogs
{
public:
    std::optional<std::string> openFileName(std::string_view, std::string_view = {}) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFileName(std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
};

// Answers from a script, recording how each dialog was called; when the script runs out the
// dialog counts as cancelled.
class ScriptedFileDialogs : public FileDialogs
{
public:
    std::optional<std::string> openFileName(std::string_view filter,
                                            std::string_view startFolder = {}) override
    {
        shown.push_back({"open", std::string(filter), std::string(startFolder)});
        return next();
    }
    std::optional<std::string> saveFileName(std::string_view filter,
                                            std::string_view presetPath) override
    {
        shown.push_back({"save", std::string(filter), std::string(presetPath)});
        return next();
    }

    struct Shown
    {
        std::string dialog; // "open" or "save"
        std::string filter;
        std::string presetPath; // a save dialog's preset, an open dialog's start folder
    };
    std::deque<std::optional<std::string>> answers;
    std::deque<Shown> shown;

private:
    std::optional<std::string> next()
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Starting the program of another software version and ending this one.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // The running program's own file name without extension, and the extension program files
    // have on this system (".exe" on Windows, empty elsewhere).
    virtual std::string programBaseName() const = 0;
    virtual std::string executableSuffix() const = 0;
    // Starts the program as a normal window, with no arguments; false when it cannot be started.
    virtual bool startDetached(const std::string &path) = 0;
    // Ends this process at once: no shutdown steps, no save question.
    virtual void endProcess() = 0;
};

// Starts nothing: no other program version can be found.
class NoProgramLauncher : public ProgramLauncher
{
public:
    std::string programBaseName() const override { return {}; }
    std::string executableSuffix() const override { return {}; }
    bool startDetached(const std::string &) override { return false; }
    void endProcess() override {}
};
