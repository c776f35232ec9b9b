#include "datafile/TextCommands.h"

#include <algorithm>
#include <memory>

#include "datafile/DataFileFormat.h"
#include "datafile/DocumentText.h"
#include "datafile/FileCommands.h"
#include "kernel/AppContext.h"
#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "radio/Document.h"

namespace {

// The path with its extension (after the last "." of the file name) replaced.
std::string withExtension(const std::string &path, std::string_view extension)
{
    const auto separator = path.find_last_of("\\/");
    const auto dot = path.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (separator == std::string::npos || dot > separator);
    return (hasExtension ? path.substr(0, dot) : path) + "." + std::string(extension);
}

std::string fileName(const std::string &path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// A file: URL of a local path ("/usr/share/..." or "C:\...").
std::string fileUrl(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path.starts_with('/') ? "file://" + path : "file:///" + path;
}

} // namespace

TextFileCommands::TextFileCommands(AppContext &context, FileCommandHost &host)
    : m_context(context)
    , m_host(host)
{}

std::string TextFileCommands::schemaLocation() const
{
    const std::string path = m_context.layout.schemaFile();
    return m_context.dataFiles->readFile(path) ? fileUrl(path) : std::string();
}

bool TextFileCommands::ExportText()
{
    m_host.commitPendingEdits();
    const int language = m_context.language.languageIndex;
    const std::optional<std::string> path = m_context.fileDialogs->saveFileName(
        textFileFilter(language), withExtension(m_context.document.documentPath, "yaml"));
    if (!path || path->empty())
        return false;
    const std::string text = documentToYaml(m_context.document.working(), schemaLocation());
    if (!m_context.dataFiles->writeFile(
            *path, {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()})) {
        m_context.messages->inform(writeFailureText(m_context), MessageIcon::None);
        return false;
    }
    return true;
}

bool TextFileCommands::ImportText()
{
    if (!FileCommands(m_context, m_host).OfferToSave())
        return false;
    const std::optional<std::string> path =
        m_context.fileDialogs->openFileName(textFileFilter(m_context.language.languageIndex));
    if (!path)
        return false;
    const std::optional<std::vector<std::uint8_t>> bytes = m_context.dataFiles->readFile(*path);
    if (!bytes) {
        m_context.messages->inform(m_context.text(Messages::kFileError), MessageIcon::None);
        return false;
    }
    // What the text leaves out comes from the new document, as on the command line.
    auto base = std::make_unique<Document>();
    ApplyNewDocumentDefaults(base->working().settings, todayAsDateText(), base->bandClass());
    LoadInitFile(*base, m_context.dataFiles, initFilePath(m_context, InitFileUse::NewDocument));
    auto read = std::make_unique<DocumentSet>();
    const std::vector<TextProblem> problems = readDocumentText(
        std::string_view(reinterpret_cast<const char *>(bytes->data()), bytes->size()),
        base->working(), *read);
    if (!problems.empty()) {
        m_context.messages->inform(std::string(m_context.text(Messages::kTextRefused)) + "\r\n" +
                                       formatTextProblems(problems, fileName(*path)),
                                   MessageIcon::Warning);
        return false;
    }

    // Accepted: the document is replaced as Open replaces it, but the saved copy stays, so the
    // imported document counts as changed until it is saved as a pair.
    Document &document = m_context.document;
    m_host.closeAllChildWindows();
    document.working() = std::move(*read);
    document.working().settings.version.assign(kDataFileVersion);
    document.setBandText(bandTextAfterRestore(document.working().settings.currentKind));
    document.previousPath = document.documentPath;
    document.documentPath = withExtension(*path, "dat");
    document.untitled = true;
    if (document.onTitleChanged)
        document.onTitleChanged();
    m_host.documentReplaced();
    return true;
}
