#include "cli/ExchangeVerbs.h"

#include <QCoreApplication>
#include <QFile>

#include <iostream>
#include <memory>
#include <optional>

#include "app/PlatformServices.h"
#include "cli/FileVerbs.h"
#include "datafile/BackupStore.h"
#include "datafile/ChannelColumns.h"
#include "datafile/ChannelCsv.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentCompare.h"
#include "datafile/FileCommands.h"
#include "datafile/QtBackupStore.h"
#include "datafile/QtDataFileStorage.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

namespace {

constexpr int kDifferent = 1;
constexpr int kCannotCompare = 2;

int fail(std::ostream &err, std::string_view verb, std::string_view message, int status)
{
    err << "orx740-cli " << verb << ": " << message << '\n';
    return status;
}

// Positional words and "--name value" options; an option without its value is an error that
// names it.
struct Words
{
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::string error;

    std::optional<std::string> value(std::string_view name) const
    {
        for (const auto &[key, value] : options)
            if (key == name)
                return value;
        return std::nullopt;
    }
};

Words splitWords(const std::vector<std::string> &args, const std::vector<std::string> &known)
{
    Words words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            words.positional.push_back(args[i]);
            continue;
        }
        if (std::find(known.begin(), known.end(), args[i]) == known.end()) {
            words.error = "unknown argument '" + args[i] + "'";
            return words;
        }
        if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
            words.error = args[i] + " needs a value";
            return words;
        }
        words.options.emplace_back(args[i], args[i + 1]);
        ++i;
    }
    return words;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string &path)
{
    return QtDataFileStorage().readFile(path);
}

// A data file pair or a raw image, whichever the file is.
struct Comparable
{
    std::unique_ptr<Document> document; // a data file
    std::unique_ptr<RadioImage> image;  // a raw image
};

std::string load(const std::string &path, Comparable &into)
{
    const auto bytes = readWholeFile(path);
    if (!bytes)
        return path + ": cannot be read";
    if (bytes->size() == RadioImage::kSize) {
        into.image = std::make_unique<RadioImage>();
        into.image->writeBlock(0, *bytes);
        return {};
    }
    into.document = std::make_unique<Document>();
    QtDataFileStorage storage;
    return readDataFilePair(storage, path, *into.document);
}

} // namespace

std::string installedNewDocumentPath()
{
    if (!QCoreApplication::instance())
        return {};
    const InstallLayout layout = installLayoutForProgram();
    Document document;
    return layout.join(layout.initFolder(),
                       std::to_string(document.bandClass()) + "_KZ6666_New.dat");
}

std::string backupFolderForCompanion()
{
    // The same folder as the program's, which names itself so.
    QCoreApplication::setOrganizationName(QStringLiteral("ORX-740"));
    QCoreApplication::setApplicationName(QStringLiteral("ORX-740"));
    return QtBackupStore::defaultFolder();
}

int reportImageComparison(const RadioImage &fromFile, const RadioImage &fromRadio,
                          std::ostream &out)
{
    const std::vector<Difference> differences = compareImages(fromFile, fromRadio);
    if (differences.empty()) {
        out << "The radio holds what the file packs to.\n";
        return 0;
    }
    out << formatDifferences(differences, "file", "radio");
    out << differences.size() << (differences.size() == 1 ? " difference\n" : " differences\n");
    return kDifferent;
}

int runDiffVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const Words words = splitWords(args, {});
    if (!words.error.empty())
        return fail(err, "diff", words.error, kCannotCompare);
    if (words.positional.size() != 2)
        return fail(err, "diff", "usage: diff A B", kCannotCompare);
    Comparable a;
    Comparable b;
    for (auto [path, into] : {std::pair{&words.positional[0], &a}, {&words.positional[1], &b}}) {
        if (const std::string error = load(*path, *into); !error.empty())
            return fail(err, "diff", error, kCannotCompare);
    }
    std::vector<Difference> differences;
    if (a.document && b.document) {
        differences = compareDocuments(a.document->working(), b.document->working());
    } else {
        // Against an image only what the radio holds counts: the data file as a write packs it.
        const auto imageOf = [](Comparable &c) {
            if (!c.image) {
                c.image = std::make_unique<RadioImage>();
                PackDocumentIntoImage(c.document->working(), *c.image);
            }
            return c.image.get();
        };
        differences = compareImages(*imageOf(a), *imageOf(b));
    }
    if (differences.empty()) {
        out << "No differences.\n";
        return 0;
    }
    out << formatDifferences(differences, "A", "B");
    out << differences.size() << (differences.size() == 1 ? " difference\n" : " differences\n");
    return kDifferent;
}

int runExportCsvVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const Words words = splitWords(args, {"--out"});
    if (!words.error.empty())
        return fail(err, "export-csv", words.error, 2);
    if (words.positional.size() != 1 || !words.value("--out"))
        return fail(err, "export-csv", "usage: export-csv FILE.dat --out FILE.csv", 2);
    auto document = std::make_unique<Document>();
    QtDataFileStorage storage;
    if (const std::string error = readDataFilePair(storage, words.positional[0], *document);
        !error.empty())
        return fail(err, "export-csv", error, 1);
    const std::string text = exportChannelCsv(document->working());
    QFile file(QString::fromStdString(*words.value("--out")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()))
        return fail(err, "export-csv", *words.value("--out") + ": cannot be written", 1);
    out << "Wrote " << *words.value("--out") << '\n';
    return 0;
}

int runImportCsvVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const Words words = splitWords(args, {"--into", "--kind", "--group"});
    if (!words.error.empty())
        return fail(err, "import-csv", words.error, 2);
    const auto into = words.value("--into");
    if (words.positional.size() != 1 || !into)
        return fail(err, "import-csv",
                    "usage: import-csv FILE.csv --into FILE.dat [--kind K --group G]", 2);
    std::optional<CsvTarget> target;
    if (const auto kind = words.value("--kind")) {
        target.emplace();
        if (sameWord(*kind, "MEM")) {
            target->kind = -1;
        } else if (const auto known = kindFromName(*kind)) {
            target->kind = *known;
            const auto group = words.value("--group");
            int number = 0;
            try {
                number = group ? std::stoi(*group) : 0;
            } catch (...) {
            }
            if (number < 1 || number > groupCount(*known))
                return fail(err, "import-csv",
                            "--group expects a group of " + *kind + " (1-" +
                                std::to_string(groupCount(*known)) + ")",
                            2);
            target->group = number;
        } else {
            return fail(err, "import-csv", "--kind expects CB, HF, HAM or MEM", 2);
        }
    } else if (words.value("--group")) {
        return fail(err, "import-csv", "--group needs --kind", 2);
    }

    const auto csv = readWholeFile(words.positional[0]);
    if (!csv)
        return fail(err, "import-csv", words.positional[0] + ": cannot be read", 1);
    const std::string path = withDataFileExtension(*into);
    auto document = std::make_unique<Document>();
    QtDataFileStorage storage;
    const bool exists = storage.settlePair(path, companionPath(path)) && storage.readFile(path);
    if (exists) {
        if (const std::string error = readDataFilePair(storage, path, *document); !error.empty())
            return fail(err, "import-csv", error, 1);
    } else {
        // No pair yet: the new-document defaults, as File > New gives them.
        const std::string init = installedNewDocumentPath();
        if (init.empty() || LoadInitFile(*document, &storage, init) != InitFileResult::Loaded) {
            ApplyNewDocumentDefaults(document->working().settings, todayAsDateText(),
                                     document->bandClass());
        }
    }

    const CsvImportResult result =
        importChannelCsv(std::string_view(reinterpret_cast<const char *>(csv->data()), csv->size()),
                         document->working(), target);
    for (const std::string &note : result.notes)
        err << "orx740-cli import-csv: note: " << note << '\n';
    if (!result.errors.empty()) {
        for (const std::string &error : result.errors)
            err << "orx740-cli import-csv: " << words.positional[0] << ", " << error << '\n';
        err << "orx740-cli import-csv: nothing was written\n";
        return 1;
    }
    const PackedPair packed = packForSaving(*document);
    if (!storage.writePair(path, packed.dataFile, companionPath(path), packed.channelFile))
        return fail(err, "import-csv", path + ": file error.", 1);
    out << "Applied " << result.channels << (result.channels == 1 ? " line" : " lines") << " to "
        << path << (exists ? "" : " (new)") << '\n';
    return 0;
}

int runBackupsVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (!args.empty())
        return fail(err, "backups", "usage: backups", 2);
    QtBackupStore store(backupFolderForCompanion());
    const std::vector<BackupInfo> backups = store.list();
    if (backups.empty()) {
        out << "No backups in " << store.folder() << '\n';
        return 0;
    }
    out << backups.size() << (backups.size() == 1 ? " backup" : " backups") << " in "
        << store.folder() << ", newest first:\n";
    for (const BackupInfo &info : backups)
        out << describeBackup(info) << '\n';
    return 0;
}

int runDiffVerb(const std::vector<std::string> &args)
{
    return runDiffVerb(args, std::cout, std::cerr);
}

int runExportCsvVerb(const std::vector<std::string> &args)
{
    return runExportCsvVerb(args, std::cout, std::cerr);
}

int runImportCsvVerb(const std::vector<std::string> &args)
{
    return runImportCsvVerb(args, std::cout, std::cerr);
}

int runBackupsVerb(const std::vector<std::string> &args)
{
    return runBackupsVerb(args, std::cout, std::cerr);
}
