#include <QTest>

#include "DocumentSamples.h"
#include "datafile/ChangedCheck.h"
#include "datafile/DataFileFormat.h"
#include "datafile/DocumentCompare.h"
#include "datafile/FileCommands.h"
#include "datafile/TextCommands.h"
#include "kernel/AppContext.h"
#include "kernel/DataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "support/ScriptedMessageService.h"

// File > Export Text... and Import Text..., driven through scripted messages and dialogs and
// files kept in memory.
class TestTextCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportedTextImportsAsTheDocument();
    void refusedImportChangesNothing_data();
    void refusedImportChangesNothing();
};

namespace {

class RecordingHost : public FileCommandHost
{
public:
    void closeAllChildWindows() override { calls << "close"; }
    void documentReplaced() override { calls << "replaced"; }
    QStringList calls;
};

struct Harness
{
    Harness()
    {
        context.messages = &messages;
        context.dataFiles = &files;
        context.fileDialogs = &dialogs;
        context.layout = InstallLayout::forProgramFolder("/opt/orx/bin", '/');
        const PackedPair packed = packDataFilePair(*Samples::richDocument(2));
        files.files["/d/a.dat"] = packed.dataFile;
        files.files["/d/a.fre"] = packed.channelFile;
        QVERIFY(FileCommands(context, host).ReadDocument("/d/a.dat"));
        host.calls.clear();
    }

    TextFileCommands commands() { return TextFileCommands(context, host); }
    PackedPair working() const { return packDataFilePair(context.document.working()); }

    AppContext context;
    ScriptedMessageService messages;
    MemoryDataFileStorage files;
    ScriptedFileDialogs dialogs;
    RecordingHost host;
};

const std::string kFilter = "Configuration Text (*.yaml *.yml)|*.yaml;*.yml";

} // namespace

void TestTextCommands::exportedTextImportsAsTheDocument()
{
    Harness harness;
    const auto original = std::make_unique<DocumentSet>(harness.context.document.working());
    harness.dialogs.answers.emplace_back("/d/plan.yaml");
    QVERIFY(harness.commands().ExportText());
    QCOMPARE(harness.dialogs.shown.at(0).dialog, std::string("save"));
    QCOMPARE(harness.dialogs.shown.at(0).filter, kFilter);
    QCOMPARE(harness.dialogs.shown.at(0).presetPath, std::string("/d/a.yaml"));
    const std::vector<std::uint8_t> &text = harness.files.files.at("/d/plan.yaml");
    QVERIFY(std::string(text.begin(), text.end()).find("format: \"orx740-config/1\"") !=
            std::string::npos);

    // An edit, then the import: the save question first (Discard drops the edit), then the text
    // replaces the document as Open does.
    harness.context.document.working().settings.options.mic = 7;
    harness.messages.answers.push_back(MessageAnswer::Discard);
    harness.dialogs.answers.emplace_back("/d/plan.yaml");
    QVERIFY(harness.commands().ImportText());
    QCOMPARE(QString::fromStdString(harness.messages.questions.at(0).text),
             QStringLiteral("Save changes to a.dat?"));
    QCOMPARE(harness.dialogs.shown.at(1).filter, kFilter);
    QCOMPARE(harness.host.calls, (QStringList{"close", "replaced"}));
    QVERIFY(compareDocuments(harness.context.document.working(), *original).empty());
    const Document &document = harness.context.document;
    QCOMPARE(document.documentPath, std::string("/d/plan.dat"));
    QVERIFY(document.untitled);

    // Cancel in the save question stops before the dialog.
    harness.context.document.working().settings.options.mic = 8;
    harness.messages.answers.push_back(MessageAnswer::Cancel);
    QVERIFY(!harness.commands().ImportText());
    QCOMPARE(harness.dialogs.shown.size(), std::size_t(2));
    QCOMPARE(harness.context.document.working().settings.options.mic, std::int16_t(8));
}

void TestTextCommands::refusedImportChangesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("problems with their places")
        << "/d/bad.yaml"
        << "The text was not imported; nothing was changed.\r\nbad.yaml:3:3: options.micc: "
           "unknown key \"micc\"; did you mean \"mic\"?\nbad.yaml:4:8: options.mic: expected";
    QTest::newRow("no such file") << "/d/none.yaml"
                                  << "file error.";
}

void TestTextCommands::refusedImportChangesNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    Harness harness;
    const std::string bad = "format: orx740-config/1\noptions:\n  micc: \"1\"\n  mic: 99\n";
    harness.files.files["/d/bad.yaml"] = std::vector<std::uint8_t>(bad.begin(), bad.end());
    const PackedPair before = harness.working();
    harness.dialogs.answers.emplace_back(file.toStdString());
    QVERIFY(!harness.commands().ImportText());
    QCOMPARE(harness.messages.questions.size(), std::size_t(1));
    const QString shown = QString::fromStdString(harness.messages.questions[0].text);
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QVERIFY(harness.host.calls.isEmpty());
    QVERIFY(harness.working().dataFile == before.dataFile);
    QCOMPARE(harness.context.document.documentPath, std::string("/d/a.dat"));
}

QTEST_APPLESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
