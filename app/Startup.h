#pragma once

#include <functional>
#include <string>
#include <string_view>

class AppContext;

// What the platform tells the start-up about the computer it runs on.
struct StartupEnvironment
{
    int systemLocaleId = 0;      // 0x0804 for Chinese (PRC)
    std::string operatingSystem; // empty when unknown
};

// The program's entry sequence, split around the splash window, which the windows show between
// the two halves. The context's setupIni and messages must be set.
namespace Startup {

// Version registry, operating-system check, settings.
void runBeforeSplash(AppContext &context, const StartupEnvironment &environment);
// New document and text tables.
void runAfterSplash(AppContext &context);

void loadVersionRegistry(AppContext &context);
void checkOperatingSystem(AppContext &context, std::string_view operatingSystem);
// Serial settings and language from mysetup.ini; keys that are missing or not numbers take the
// values of a first start and are written back.
void loadSettings(AppContext &context, int systemLocaleId);
void buildNewDocument(AppContext &context);
void loadTextTables(AppContext &context);

// Opens a data file named on the program's command line as File > Open opens it: openCommand runs
// File > Open, whose open dialog answers with path (later dialogs are the context's own). A file
// that cannot be read gives File > Open's message and leaves the start document.
void openNamedFile(AppContext &context, const std::string &path,
                   const std::function<void()> &openCommand);

} // namespace Startup

// Whether the document differs from what was last saved or loaded.
bool documentChanged(const AppContext &context);
// Yes in the shutdown's save question: saves to the document's path, or asks for a file name when
// the document is untitled; false when it was not saved.
bool saveDocument(AppContext &context);

// The first shutdown step: offers to save a changed document. False when the user cancels, or when
// the save that was asked for failed, so that nothing is lost.
bool confirmClose(AppContext &context, bool changed, const std::function<bool()> &save);
