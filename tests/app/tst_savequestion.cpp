#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/Startup.h"
#include "app/Subsystems.h"
#include "datafile/ChangedCheck.h"
#include "datafile/DataFileFormat.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/FileCommands.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

// No edit made in a window may be dropped without the save question: every command that replaces
// the document or ends the program asks it first, and Cancel keeps the program and the edit.
class TestSaveQuestion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyEditMeetsTheSaveQuestion_data();
    void everyEditMeetsTheSaveQuestion();
    void captionsLoseTheirMarkers_data();
    void captionsLoseTheirMarkers();
};

namespace {

class CountingLauncher : public ProgramLauncher
{
public:
    std::string programBaseName() const override { return "orx740"; }
    std::string executableSuffix() const override { return {}; }
    bool startDetached(const std::string &) override { return ++starts, true; }
    void endProcess() override {}
    int starts = 0;
};

// Another item of a list box, chosen with the keyboard once the box has been tabbed into.
void chooseAnother(QComboBox *box)
{
    QVERIFY(box);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
}

// The first enabled list box of a window whose name starts with a prefix and that offers a choice.
QComboBox *firstChoice(QWidget *window, const QString &prefix)
{
    const QList<QComboBox *> boxes = window->findChildren<QComboBox *>();
    for (QComboBox *box : boxes) {
        if (box->objectName().startsWith(prefix) && box->isVisible() && box->isEnabled() &&
            box->count() > 1)
            return box;
    }
    return nullptr;
}

void clickCell(QTableView *grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row - 1, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

bool isSavedAs(const std::string &path, const PackedPair &pair)
{
    QtDataFileStorage storage;
    const auto dataFile = storage.readFile(path);
    const auto channelFile = storage.readFile(companionPath(path));
    return dataFile && channelFile && *dataFile == pair.dataFile &&
           *channelFile == pair.channelFile;
}

} // namespace

void TestSaveQuestion::initTestCase()
{
    // Closing the main window stores its place; not in the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
}

void TestSaveQuestion::everyEditMeetsTheSaveQuestion_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    const QStringList edits{"channel detail",
                            "frequency still in the editor",
                            "memory channel",
                            "emergency",
                            "dual watch",
                            "memory set",
                            "emergency, not saved in its window",
                            "option",
                            "tone set",
                            "group name, rename still open"};
    const QStringList commands{
        "exit",       "menu new",        "toolbar new",     "open",
        "named file", "read from radio", "initial setting", "version switch"};
    const std::pair<const char *, MessageAnswer> answers[]{{"Save", MessageAnswer::Save},
                                                           {"Discard", MessageAnswer::Discard},
                                                           {"Cancel", MessageAnswer::Cancel}};
    for (const QString &edit : edits)
        for (const QString &command : commands)
            for (const auto &[name, answer] : answers)
                QTest::newRow(qPrintable(edit + " / " + command + " / " + name))
                    << edit << command << int(answer);
}

namespace {

// The program's main window with every subsystem, its file services (the version switch among
// them) on files, dialogs and a program start of the test's own, and a port that is not there.
struct Matrix
{
    Matrix()
        : harness(English, 997)
        , services(harness.context)
        , transfers(harness.context)
    {
        harness.context.dataFiles = &storage;
        harness.context.fileDialogs = &dialogs;
        harness.context.launcher = &launcher;
        harness.context.versions = VersionRegistry::load(
            [](std::string_view section, std::string_view key) -> std::string {
                if (section == "Version" && key == "FirmVersionCount")
                    return "2";
                if (key == "Firm0")
                    return "V100V100";
                return key == "Firm1" ? "V200V101" : "";
            });
        MainWindowHooks hooks;
        registerAllSubsystems(hooks, transfers);
        harness.start(std::move(hooks));
        harness.showAndActivate();
        original = std::make_unique<DocumentSet>(document().working());
        other = packDataFilePair(*original);
        storage.writePair(otherPath, other.dataFile, companionPath(otherPath), other.channelFile);
    }

    Document &document() { return harness.context.document; }
    frmMain &window() { return *harness.window; }
    QWidget *open(const char *name) { return window().openChildWindow(QString::fromLatin1(name)); }
    // Makes the edit in its window; true when it waits there (in an open editor, or for the
    // window's own Save) until a command asks for it.
    bool edit(const QString &edit);
    void run(const QString &command);

    MainWindowHarness harness;
    QtDataFileStorage storage;
    ScriptedFileDialogs dialogs;
    CountingLauncher launcher;
    QTemporaryDir dir;
    FileServices services;
    TransferCommands transfers;
    std::unique_ptr<DocumentSet> original;
    PackedPair other;
    const std::string savedPath = dir.filePath("saved.dat").toStdString();
    const std::string otherPath = dir.filePath("other.dat").toStdString();
};

bool Matrix::edit(const QString &edit)
{
    if (edit == "channel detail") {
        QWidget *channels = open("frmCommChInfo");
        auto *grid = findNamed<QTableView>(channels, "MSFlexGrid1");
        for (int row = 1; row <= grid->model()->rowCount() && !firstChoice(channels, "Combo8_");
             ++row)
            clickCell(grid, row, 1);
        chooseAnother(firstChoice(channels, "Combo8_"));
    } else if (edit == "frequency still in the editor") {
        auto *grid = findNamed<QTableView>(open("frmCommChInfo"), "MSFlexGrid1");
        clickCell(grid, 40, 1);
        QTest::keyClicks(grid, "2");
        QTest::keyClicks(QApplication::focusWidget(), "8.7");
        return true;
    } else if (edit == "memory channel") {
        // The memory channels are the "M" rows of the CB groups.
        QWidget *channels = open("frmCommChInfo");
        auto *kinds = findNamed<QComboBox>(channels, "Combo7");
        kinds->setFocus(Qt::TabFocusReason);
        QTest::keyClick(kinds, Qt::Key_Home);
        clickCell(findNamed<QTableView>(channels, "MSFlexGrid1"), 41, 1);
        auto *recalled = findNamed<QComboBox>(channels, "Combo8_22");
        recalled->setFocus(Qt::TabFocusReason);
        QTest::keyClick(recalled, recalled->currentIndex() == 1 ? Qt::Key_End : Qt::Key_Down);
    } else if (edit == "option") {
        chooseAnother(firstChoice(open("FrmOptFeatures"), "Combo1_"));
    } else if (edit == "tone set") {
        chooseAnother(firstChoice(open("FrmToneTips"), "Combo"));
    } else if (edit == "group name, rename still open") {
        auto *grid = findNamed<QTableView>(open("Frm_GroupName"), "MSFlexGrid1");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), "Z");
        return true;
    } else {
        const char *name = edit.startsWith("emergency") ? "frm_emg"
                           : edit == "dual watch"       ? "frm_dw"
                                                        : "frm_MEM";
        QWidget *child = open(name);
        chooseAnother(firstChoice(child, "Combo1_"));
        if (edit.endsWith("not saved in its window"))
            return true;
        QTest::mouseClick(findNamed<QPushButton>(child, "cmdSave"), Qt::LeftButton);
    }
    return false;
}

void Matrix::run(const QString &command)
{
    if (command == "exit")
        window().close();
    else if (command == "menu new")
        window().dispatch(MainCommand::FileNew);
    else if (command == "toolbar new")
        window().findChild<QAction *>(QStringLiteral("新建"))->trigger();
    else if (command == "open")
        window().dispatch(MainCommand::FileOpen);
    else if (command == "named file")
        Startup::openNamedFile(harness.context, otherPath,
                               [this] { window().dispatch(MainCommand::FileOpen); });
    else if (command == "read from radio")
        window().dispatch(MainCommand::ReadFromRadio);
    else if (command == "initial setting")
        window().dispatch(MainCommand::InitialSetting);
    else // the radio's firmware asks for another program version
        harness.context.switchVersion("V101", window());
}

} // namespace

// An edit made in a window, then a command that replaces or drops the document: the save question
// comes first ("Save changes to new.dat?"). Save writes the edit to the file chosen and the
// command goes on, Discard goes on without it, Cancel leaves the program, the document and the
// edit as they were.
void TestSaveQuestion::everyEditMeetsTheSaveQuestion()
{
    QFETCH(QString, edit);
    QFETCH(QString, command);
    QFETCH(int, answer);
    Matrix matrix;
    Document &document = matrix.document();
    QVERIFY(!ChangedCheck(document.working(), document.saved()));
    const bool held = matrix.edit(edit);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(ChangedCheck(document.working(), document.saved()), !held);
    // The window with its own Save asks about its choice first; Save there puts it in the
    // document.
    const bool windowAsks = edit.endsWith("not saved in its window");
    std::deque<MessageAnswer> &answers = matrix.harness.messages.answers;
    if (windowAsks)
        answers.push_back(MessageAnswer::Save);
    answers.push_back(MessageAnswer(answer));
    if (command == "menu new")
        answers.push_back(MessageAnswer::Ok);
    if (MessageAnswer(answer) == MessageAnswer::Save)
        matrix.dialogs.answers.emplace_back(matrix.savedPath);
    matrix.dialogs.answers.emplace_back(matrix.otherPath);
    matrix.run(command);

    const std::vector<ScriptedMessageService::Question> &questions =
        matrix.harness.messages.questions;
    const std::size_t asked = windowAsks ? 1 : 0;
    QVERIFY(questions.size() > asked);
    if (windowAsks)
        QCOMPARE(QString::fromStdString(questions[0].text),
                 QStringLiteral("Save the changes of the Emg Channel Setting?"));
    QCOMPARE(QString::fromStdString(questions[asked].text),
             QStringLiteral("Save changes to new.dat?"));
    QCOMPARE(questions[asked].buttons, MessageButtons::SaveDiscardCancel);
    const bool saved = QFile::exists(QString::fromStdString(matrix.savedPath));
    if (MessageAnswer(answer) == MessageAnswer::Cancel) {
        // Nothing else is asked, written, started or replaced; the edit is in the document and
        // still counts as unsaved.
        QCOMPARE(questions.size(), asked + 1);
        QVERIFY(matrix.window().isVisible());
        QCOMPARE(matrix.launcher.starts, 0);
        QVERIFY(!saved);
        QCOMPARE(document.documentPath, std::string("new.dat"));
        QVERIFY(ChangedCheck(document.working(), *matrix.original));
        QVERIFY(ChangedCheck(document.working(), document.saved()));
        return;
    }
    QCOMPARE(saved, MessageAnswer(answer) == MessageAnswer::Save);
    if (saved)
        QVERIFY2(!isSavedAs(matrix.savedPath, matrix.other), "the edit is in the saved file");
    // The command went on.
    if (command == "exit") {
        QVERIFY(!matrix.window().isVisible());
    } else if (command == "open" || command == "named file") {
        QCOMPARE(document.documentPath, matrix.otherPath);
        QVERIFY(!ChangedCheck(document.working(), *matrix.original));
    } else if (command == "read from radio") {
        QCOMPARE(questions.size(), asked + 2);
        QVERIFY(QString::fromStdString(questions.back().text)
                    .startsWith(QStringLiteral("Cannot Open Communication Port.")));
    } else if (command == "version switch") {
        QCOMPARE(matrix.launcher.starts, 1);
    } else {
        QCOMPARE(questions.size(), asked + (command == "menu new" ? 2 : 1));
        QVERIFY(!ChangedCheck(document.working(), document.saved()));
    }
}

void TestSaveQuestion::captionsLoseTheirMarkers_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("English") << "&Channel Information"
                             << "Channel Information";
    QTest::newRow("inside") << "E&xit"
                            << "Exit";
    QTest::newRow("Chinese") << "信道信息(&C)"
                             << "信道信息";
    QTest::newRow("literal") << "Copy && Paste"
                             << "Copy & Paste";
    QTest::newRow("none") << "Roger Beep"
                          << "Roger Beep";
}

void TestSaveQuestion::captionsLoseTheirMarkers()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(qText(captionWithoutMarkers(stdText(caption))), shown);
}

QTEST_MAIN(TestSaveQuestion)
#include "tst_savequestion.moc"
