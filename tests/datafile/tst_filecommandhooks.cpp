#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "DocumentSamples.h"
#include "app/frmMain.h"
#include "datafile/ChangedCheck.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/FileDialogs.h"
#include "kernel/IniDocument.h"
#include "support/ScriptedMessageService.h"
#include "support/WindowHarness.h"

// The file commands reached through the main window's menu and toolbar, on real files.
class TestFileCommandHooks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsRunFromTheMainWindow();
};

void TestFileCommandHooks::commandsRunFromTheMainWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("bin/Init"));
    const std::unique_ptr<DocumentSet> init = Samples::richDocument(4);
    const PackedPair packed = packDataFilePair(*init);
    QtDataFileStorage storage;
    const std::string initPath = dir.filePath("bin/Init/1_KZ6666_New.dat").toStdString();
    QVERIFY(
        storage.writePair(initPath, packed.dataFile, companionPath(initPath), packed.channelFile));

    MemoryIniStore ini("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=1\r\n");
    ScriptedMessageService messages;
    ScriptedFileDialogs dialogs;
    AppContext context;
    context.setupIni = &ini;
    context.messages = &messages;
    context.dataFiles = &storage;
    context.fileDialogs = &dialogs;
    context.layout = InstallLayout::forProgramFolder(dir.filePath("bin").toStdString(), '/');

    // Opening the main window loads the new-document InitFile.
    DocumentNotifier notifier;
    MainWindowHooks hooks;
    registerFileCommands(hooks);
    frmMain window(context, notifier, std::move(hooks));
    QVERIFY(context.document.working().channels == init->channels);

    dialogs.answers.emplace_back(dir.filePath("saved").toStdString());
    window.dispatch(MainCommand::FileSaveAs);
    QVERIFY(QFile::exists(dir.filePath("saved.dat")));
    QVERIFY(QFile::exists(dir.filePath("saved.fre")));
    QVERIFY(shownTitle(&window).endsWith(QStringLiteral(":saved.dat]")));

    // The toolbar's New asks only the save question, and Discard replaces the edits.
    context.document.working().settings.thresholds[0] = 5;
    messages.answers.push_back(MessageAnswer::Discard);
    window.dispatch(MainCommand::ToolbarNew);
    QCOMPARE(messages.questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(messages.questions[0].text),
             QStringLiteral("Save changes to saved.dat?"));
    QVERIFY(!ChangedCheck(context.document.working(), context.document.saved()));
    messages.questions.clear();

    // The menu's New asks its own question (the document is unchanged: no save question).
    messages.answers.push_back(MessageAnswer::Cancel);
    window.dispatch(MainCommand::FileNew);
    QCOMPARE(messages.questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(messages.questions[0].text),
             QStringLiteral("All data will be cleared."));
}

QTEST_MAIN(TestFileCommandHooks)
#include "tst_filecommandhooks.moc"
