#pragma once

#include <string>

class AppContext;
class FileCommandHost;

// File > Export Text... and Import Text...: the document as its YAML text, and a text back as the
// document. Import asks the save question first (FileCommands::OfferToSave) and replaces the
// document as Open does, in one step: the windows close, the working set becomes what the text
// gives over the new document, and the windows show it. The imported document is untitled (its
// path is the text's with ".dat"), so Save asks where to keep the pair, and it counts as changed
// until saved. A text with any problem changes nothing: its problems are shown, each with its
// line, column and key path.
class TextFileCommands
{
public:
    TextFileCommands(AppContext &context, FileCommandHost &host);

    // The working set as YAML into a chosen file; false when cancelled or not written.
    bool ExportText();
    // False when cancelled, refused or unreadable (then nothing changed).
    bool ImportText();

private:
    std::string schemaLocation() const;

    AppContext &m_context;
    FileCommandHost &m_host;
};
