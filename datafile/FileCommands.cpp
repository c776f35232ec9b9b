#include "datafile/FileCommands.h"

#include <memory>
#include <optional>

#include "datafile/ChangedCheck.h"
#include "datafile/DataFileFormat.h"
#include "datafile/LocalTime.h"
#include "kernel/AppContext.h"
#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "kernel/FileHistory.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "model/VersionRegistry.h"
#include "radio/Document.h"

namespace {

std::string_view fileNameOf(std::string_view path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string initFilePath(const AppContext &context, InitFileUse use)
{
    const std::string name = std::to_string(context.document.bandClass()) +
                             (use == InitFileUse::NewDocument ? "_KZ6666_New.dat" : "_KZ6666.dat");
    return context.layout.join(context.layout.initFolder(), name);
}

InitFileResult LoadInitFile(Document &document, DataFileStorage *storage, const std::string &path)
{
    const std::optional<std::vector<std::uint8_t>> dataFile =
        storage ? storage->readFile(path) : std::nullopt;
    if (!dataFile)
        return InitFileResult::Failed;
    auto read = std::make_unique<DocumentSet>(document.saved());
    if (unpackDataFilePair(*dataFile, storage->readFile(companionPath(path)), *read) !=
        PairReadStatus::Ok)
        return InitFileResult::Failed;
    if (read->settings.options.groupNames.names.at(HF, 1).trimmed().empty())
        return InitFileResult::Ignored;
    document.saved() = std::move(*read);
    document.restoreSnapshot();
    document.suggestedFileName.clear();
    return InitFileResult::Loaded;
}

std::string todayAsDateText()
{
    return localTimeText("%Y%m%d");
}

FileCommands::FileCommands(AppContext &context, FileCommandHost &host)
    : m_context(context)
    , m_host(host)
{}

void FileCommands::showMessage(std::string_view text)
{
    m_context.messages->inform(text, MessageIcon::None);
}

void FileCommands::titleChanged()
{
    if (m_context.document.onTitleChanged)
        m_context.document.onTitleChanged();
}

void FileCommands::fileUsed(const std::string &path, const TextEntry &status)
{
    FileHistory(*m_context.userSettings).addRecentFile(path);
    m_host.showStatus(withArgument(m_context.text(status), std::string(fileNameOf(path))));
}

void FileCommands::New()
{
    if (!OfferToSave())
        return;
    if (m_context.messages->ask(m_context.text(Messages::kNewDocument), MessageButtons::OkCancel,
                                MessageIcon::Warning) != MessageAnswer::Ok)
        return;
    m_host.closeAllChildWindows();
    LoadNewDocument();
    m_host.documentReplaced();
}

InitFileResult FileCommands::LoadNewDocument()
{
    return LoadInitFile(m_context.document, m_context.dataFiles,
                        initFilePath(m_context, InitFileUse::NewDocument));
}

void FileCommands::ReplaceByNewDocument()
{
    if (!OfferToSave())
        return;
    m_host.closeAllChildWindows();
    LoadNewDocument();
    m_host.documentReplaced();
}

void FileCommands::InitialSetting()
{
    if (!OfferToSave())
        return;
    m_host.closeAllChildWindows();
    LoadInitFile(m_context.document, m_context.dataFiles,
                 initFilePath(m_context, InitFileUse::InitialSetting));
    m_host.documentReplaced();
}

bool FileCommands::OfferToSave()
{
    // Choices a window keeps until its own "Save", and text still open in an editor, are part of
    // what the question is about.
    if (!m_host.settlePendingChoices())
        return false;
    m_host.commitPendingEdits();
    const Document &document = m_context.document;
    if (m_editsDropped || !ChangedCheck(document.working(), document.saved()))
        return true;
    // A save that did not happen stops the command: going on would lose the edits.
    return AskSaveQuestion(
        m_context, [this] { return SaveForQuestion(); }, &m_editsDropped);
}

bool FileCommands::SwitchVersion(std::string_view other)
{
    if (m_context.versions.softwareVersionFor(other).empty()) {
        showMessage(m_context.text(VersionTexts::kNoSuchVersion));
        return false;
    }
    // The other version ends this program at once: what is not saved now is lost.
    if (!OfferToSave())
        return false;
    return SwitchToVersion(m_context, other);
}

void FileCommands::Open()
{
    if (!OfferToSave())
        return;
    const std::optional<std::string> path =
        m_context.fileDialogs->openFileName(dataFileFilter(m_context.language.languageIndex));
    if (!path)
        return;
    ReadDocument(*path);
}

bool FileCommands::ReadDocument(const std::string &path)
{
    const int language = m_context.language.languageIndex;
    // What an interrupted save left is resolved first, so the pair read is never a mix.
    const bool settled = m_context.dataFiles->settlePair(path, companionPath(path));
    const std::optional<std::vector<std::uint8_t>> dataFile =
        settled ? m_context.dataFiles->readFile(path) : std::nullopt;
    if (!dataFile) {
        showMessage(m_context.text(Messages::kFileError));
        return false;
    }
    switch (checkDataFile(*dataFile, m_context.versions)) {
    case DataFileCheck::UnknownVersion:
        showMessage(m_context.text(VersionTexts::kUnknownDataVersion));
        return false;
    case DataFileCheck::Incompatible: {
        const std::string version = dataFileVersionText(*dataFile);
        const std::string question =
            incompatibilityQuestion(kSoftwareVersion, version, VersionKind::DataFile, language);
        if (m_context.messages->ask(question, MessageButtons::YesNo, MessageIcon::Question) ==
            MessageAnswer::Yes)
            SwitchVersion(version);
        return false;
    }
    case DataFileCheck::WrongLength:
        showMessage(m_context.text(VersionTexts::kNoSuchVersion));
        return false;
    case DataFileCheck::Ok:
        break;
    }

    Document &document = m_context.document;
    auto read = std::make_unique<DocumentSet>(document.saved());
    if (unpackDataFilePair(*dataFile, m_context.dataFiles->readFile(companionPath(path)), *read) !=
        PairReadStatus::Ok) {
        showMessage(m_context.text(Messages::kFileError));
        return false;
    }
    read->settings.version.assign(kDataFileVersion);

    // Accepted: only now does the document change, so a rejected file leaves the windows, the
    // path and the working set as they were.
    document.previousPath = document.documentPath;
    document.documentPath = path;
    m_host.closeAllChildWindows();
    document.saved() = std::move(*read);
    document.restoreSnapshot();
    document.untitled = false;
    titleChanged();
    m_host.documentReplaced();
    fileUsed(path, StatusTexts::kOpened);
    return true;
}

bool FileCommands::Save()
{
    Document &document = m_context.document;
    if (document.untitled)
        return SaveAs();
    const std::string question = "\"" + std::string(fileNameOf(document.documentPath)) + "\"" +
                                 std::string(m_context.text(Messages::kOverwriteQuestion));
    if (m_context.messages->ask(question, MessageButtons::OkCancel, MessageIcon::Question) !=
        MessageAnswer::Ok)
        return false;
    return WriteDocument(document.documentPath);
}

bool FileCommands::SaveAs()
{
    const Document &document = m_context.document;
    const std::string &preset = document.untitled && !document.suggestedFileName.empty()
                                    ? document.suggestedFileName
                                    : document.documentPath;
    const std::optional<std::string> path = m_context.fileDialogs->saveFileName(
        dataFileFilter(m_context.language.languageIndex), preset);
    if (!path || path->empty())
        return false;
    return WriteDocument(withDataFileExtension(*path));
}

bool FileCommands::SaveForQuestion()
{
    // An untitled document has no file of its own yet: "new.dat" would land in whatever folder
    // happens to be current.
    if (m_context.document.untitled)
        return SaveAs();
    return WriteDocument(m_context.document.documentPath);
}

bool FileCommands::WriteDocument(const std::string &path)
{
    Document &document = m_context.document;
    // Kept so that a failed write does not leave the edits looking saved.
    auto before = std::make_unique<DocumentSet>(document.saved());
    document.takeSnapshot();
    const PackedPair packed = packDataFilePair(document.saved());
    if (!m_context.dataFiles->writePair(path, packed.dataFile, companionPath(path),
                                        packed.channelFile)) {
        document.saved() = std::move(*before);
        showMessage(writeFailureText(m_context));
        return false;
    }
    document.documentPath = path;
    document.untitled = false;
    titleChanged();
    fileUsed(path, StatusTexts::kSaved);
    return true;
}

std::string writeFailureText(const AppContext &context)
{
    // The second line says why, so the user can choose another folder.
    const std::string reason = context.dataFiles->lastWriteError();
    return std::string(context.text(Messages::kFileError)) +
           (reason.empty() ? std::string() : "\r\n" + reason);
}

bool AskSaveQuestion(AppContext &context, const std::function<bool()> &save, bool *dropped)
{
    const std::string question =
        withArgument(context.text(Messages::kSaveChangesQuestion),
                     std::string(fileNameOf(context.document.documentPath)));
    switch (
        context.messages->ask(question, MessageButtons::SaveDiscardCancel, MessageIcon::Warning)) {
    case MessageAnswer::Save:
        return save();
    case MessageAnswer::Discard:
        if (dropped)
            *dropped = true;
        return true;
    default:
        return false;
    }
}

bool SwitchToVersion(AppContext &context, std::string_view other)
{
    const std::string software = context.versions.softwareVersionFor(other);
    bool started = false;
    if (!software.empty()) {
        const std::string path =
            siblingProgramPath(context.layout.root, software, context.launcher->programBaseName(),
                               context.launcher->executableSuffix(), context.layout.separator);
        started = context.launcher->startDetached(path);
    }
    if (!started) {
        context.messages->inform(context.text(VersionTexts::kNoSuchVersion), MessageIcon::None);
        return false;
    }
    context.launcher->endProcess();
    return true;
}
