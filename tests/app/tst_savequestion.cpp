#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/Subsystems.h"
#include "datafile/ChangedCheck.h"
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

// A user's choice of another item in a list box, as the box reports it.
void chooseAnother(QComboBox *box)
{
    QVERIFY(box);
    const int position = (box->currentIndex() + 1) % box->count();
    box->setCurrentIndex(position);
    Q_EMIT box->activated(position);
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

} // namespace

void TestSaveQuestion::everyEditMeetsTheSaveQuestion_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("command");
    const QStringList edits{"channel",    "memory channel", "emergency", "dual watch",
                            "memory set", "option",         "tone set",  "group name"};
    const QStringList commands{"exit", "open", "initial setting", "toolbar new", "version switch"};
    for (const QString &edit : edits) {
        for (const QString &command : commands)
            QTest::newRow(qPrintable(edit + " / " + command)) << edit << command;
    }
}

void TestSaveQuestion::everyEditMeetsTheSaveQuestion()
{
    QFETCH(QString, edit);
    QFETCH(QString, command);
    MainWindowHarness harness;
    QtDataFileStorage storage;
    CountingLauncher launcher;
    harness.context.dataFiles = &storage;
    harness.context.launcher = &launcher;
    harness.context.versions =
        VersionRegistry::load([](std::string_view section, std::string_view key) -> std::string {
            if (section == "Version" && key == "FirmVersionCount")
                return "2";
            if (key == "Firm0")
                return "V100V100";
            return key == "Firm1" ? "V200V101" : "";
        });
    TransferCommands transfers(harness.context);
    MainWindowHooks hooks;
    registerAllSubsystems(hooks, transfers);
    frmMain &window = harness.start(std::move(hooks));
    harness.showAndActivate();
    Document &document = harness.context.document;
    QVERIFY(!ChangedCheck(document.working(), document.saved()));

    const auto open = [&](const char *name) {
        return window.openChildWindow(QString::fromLatin1(name));
    };
    if (edit == "channel") {
        QWidget *channels = open("frmCommChInfo");
        auto *grid = findNamed<QTableView>(channels, "MSFlexGrid1");
        // The first row that holds a channel shows its detail lists.
        for (int row = 0; row < grid->model()->rowCount() && !firstChoice(channels, "Combo8_");
             ++row)
            grid->setCurrentIndex(grid->model()->index(row, 1));
        chooseAnother(firstChoice(channels, "Combo8_"));
    } else if (edit == "memory channel") {
        // The memory channels are listed in the CB group that holds them; the record is what
        // counts here.
        document.working().memories.at(5).Mode = 3;
    } else if (edit == "option") {
        chooseAnother(firstChoice(open("FrmOptFeatures"), "Combo1_"));
    } else if (edit == "tone set") {
        chooseAnother(firstChoice(open("FrmToneTips"), "Combo"));
    } else if (edit == "group name") {
        auto *grid = findNamed<QTableView>(open("Frm_GroupName"), "MSFlexGrid1");
        QAbstractItemModel *model = grid->model();
        QVERIFY(model->setData(model->index(model->rowCount() - 1, model->columnCount() - 1),
                               QStringLiteral("ZZ")));
    } else {
        const char *name = edit == "emergency"    ? "frm_emg"
                           : edit == "dual watch" ? "frm_dw"
                                                  : "frm_MEM";
        QWidget *child = open(name);
        chooseAnother(firstChoice(child, "Combo1_"));
        QTest::mouseClick(findNamed<QPushButton>(child, "cmdSave"), Qt::LeftButton);
    }
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(ChangedCheck(document.working(), document.saved()),
             "the edit did not reach the record");
    const auto edited = std::make_unique<DocumentSet>(document.working());

    harness.messages.answers.push_back(MessageAnswer::Cancel);
    if (command == "exit") {
        window.close();
    } else if (command == "open") {
        window.dispatch(MainCommand::FileOpen);
    } else if (command == "initial setting") {
        window.dispatch(MainCommand::InitialSetting);
    } else if (command == "toolbar new") {
        window.findChild<QAction *>(QStringLiteral("新建"))->trigger();
    } else {
        FileCommandHost noWindows;
        QVERIFY(!FileCommands(harness.context, noWindows).SwitchVersion("V101"));
    }

    QCOMPARE(harness.messages.questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(harness.messages.questions[0].text),
             qText(Messages::kSaveQuestion[English]));
    QVERIFY(window.isVisible());
    QCOMPARE(launcher.starts, 0);
    QVERIFY(document.working() == *edited);
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
