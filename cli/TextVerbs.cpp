#include "cli/TextVerbs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <iostream>
#include <memory>
#include <optional>

#include "app/PlatformServices.h"
#include "cli/ExchangeVerbs.h"
#include "cli/FileVerbs.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentSchema.h"
#include "datafile/DocumentText.h"
#include "datafile/FileCommands.h"
#include "datafile/InitFiles.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/InstallLayout.h"
#include "radio/Document.h"

namespace {

constexpr int kBadInput = 1;
constexpr int kBadArguments = 2;

int fail(std::ostream &err, std::string_view verb, std::string_view message, int status)
{
    err << "orx740-cli " << verb << ": " << message << '\n';
    return status;
}

// One positional word and the options named, each with its value.
struct Words
{
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;

    std::optional<std::string> value(std::string_view name) const
    {
        for (const auto &[key, value] : options)
            if (key == name)
                return value;
        return std::nullopt;
    }
};

std::optional<Words> splitWords(const std::vector<std::string> &args,
                                const std::vector<std::string_view> &known)
{
    Words words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            words.positional.push_back(args[i]);
            continue;
        }
        if (std::find(known.begin(), known.end(), args[i]) == known.end() || i + 1 >= args.size() ||
            words.value(args[i]))
            return std::nullopt;
        words.options.emplace_back(args[i], args[i + 1]);
        ++i;
    }
    return words;
}

bool writeText(const std::string &path, const std::string &text)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(text.size());
    return file.write(text.data(), size) == size && file.commit();
}

// The base of an import: a data file pair, or the new document as File > New gives it.
std::string loadBase(const std::optional<std::string> &path, Document &document)
{
    QtDataFileStorage storage;
    if (path)
        return readDataFilePair(storage, withDataFileExtension(*path), document);
    const std::string init = installedNewDocumentPath();
    if (init.empty() || LoadInitFile(document, &storage, init) != InitFileResult::Loaded)
        ApplyNewDocumentDefaults(document.working().settings, todayAsDateText(),
                                 document.bandClass());
    return {};
}

} // namespace

std::string installedSchemaLocation()
{
    if (!QCoreApplication::instance())
        return {};
    const std::string path = installLayoutForProgram().schemaFile();
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists())
        return {};
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString().toStdString();
}

int runExportVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const auto words = splitWords(args, {"--out"});
    if (!words || words->positional.size() != 1)
        return fail(err, "export", "usage: export FILE.dat [--out FILE.yaml]", kBadArguments);
    QtDataFileStorage storage;
    auto document = std::make_unique<Document>();
    if (const std::string error = readDataFilePair(storage, words->positional[0], *document);
        !error.empty())
        return fail(err, "export", error, kBadInput);
    const std::string text = documentToYaml(document->working(), installedSchemaLocation());
    const auto output = words->value("--out");
    if (!output) {
        out << text;
        return 0;
    }
    if (!writeText(*output, text))
        return fail(err, "export", *output + ": cannot be written", kBadInput);
    out << "Wrote " << *output << '\n';
    return 0;
}

int runImportVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const auto words = splitWords(args, {"--out", "--base"});
    if (!words || words->positional.size() != 1 || !words->value("--out"))
        return fail(err, "import", "usage: import FILE.yaml --out FILE.dat [--base OTHER.dat]",
                    kBadArguments);
    const std::string &input = words->positional[0];
    const auto bytes = QtDataFileStorage().readFile(input);
    if (!bytes)
        return fail(err, "import", input + ": cannot be read", kBadInput);
    auto base = std::make_unique<Document>();
    if (const std::string error = loadBase(words->value("--base"), *base); !error.empty())
        return fail(err, "import", error, kBadInput);

    auto document = std::make_unique<DocumentSet>();
    const std::vector<TextProblem> problems = readDocumentText(
        std::string_view(reinterpret_cast<const char *>(bytes->data()), bytes->size()),
        base->working(), *document);
    if (!problems.empty()) {
        err << formatTextProblems(problems, input);
        return fail(err, "import", "nothing was written", kBadInput);
    }
    // The pair as the text gives it, byte for byte: no refresh of the identity as a save makes.
    const PackedPair packed = packDataFilePair(*document);
    const std::string path = withDataFileExtension(*words->value("--out"));
    if (!QtDataFileStorage().writePair(path, packed.dataFile, companionPath(path),
                                       packed.channelFile))
        return fail(err, "import", path + ": file error.", kBadInput);
    out << "Wrote " << path << " and " << companionPath(path) << '\n';
    return 0;
}

int runSchemaVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const auto words = splitWords(args, {"--out"});
    if (!words || !words->positional.empty())
        return fail(err, "schema", "usage: schema [--out FILE.json]", kBadArguments);
    const std::string schema = documentSchema();
    const auto output = words->value("--out");
    if (!output) {
        out << schema;
        return 0;
    }
    if (!writeText(*output, schema))
        return fail(err, "schema", *output + ": cannot be written", kBadInput);
    return 0;
}

int runExportVerb(const std::vector<std::string> &args)
{
    return runExportVerb(args, std::cout, std::cerr);
}

int runImportVerb(const std::vector<std::string> &args)
{
    return runImportVerb(args, std::cout, std::cerr);
}

int runSchemaVerb(const std::vector<std::string> &args)
{
    return runSchemaVerb(args, std::cout, std::cerr);
}
