#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "channels/ChannelDetails.h"
#include "channels/ChannelGrid.h"
#include "channels/ChannelRecords.h"
#include "channels/ChannelWindows.h"
#include "channels/frmCommChInfo.h"
#include "datafile/DataFileFormat.h"
#include "datafile/InitFiles.h"
#include "model/QtRecordTextCodec.h"
#include "options/RogerBeepWindows.h"
#include "radio/RogerBeep.h"
#include "support/WindowHarness.h"

namespace {

const BandLimits kHam{28.0, 29.7};

std::vector<std::uint8_t> packed(const DocumentSet &document)
{
    PackedPair pair = packDataFilePair(document);
    pair.dataFile.insert(pair.dataFile.end(), pair.channelFile.begin(), pair.channelFile.end());
    return pair.dataFile;
}

// Boxes as a user meets them: a real modal message box closed with Return once it is in front,
// or another window that takes the activation and the focus for a moment. What they do to the
// activation and the focus is what the window has to cope with afterwards.
class ModalMessageService : public MessageService
{
public:
    explicit ModalMessageService(bool realBox)
        : m_realBox(realBox)
    {}

    MessageAnswer ask(std::string_view text, MessageButtons, MessageIcon) override
    {
        texts.emplace_back(text);
        if (m_realBox) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("ORX-740"),
                            QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok,
                            QApplication::activeWindow());
            QTimer::singleShot(0, &box, [&box] {
                box.activateWindow();
                if (QTest::qWaitFor(
                        [&box] { return box.isAncestorOf(QApplication::focusWidget()); }))
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                else
                    box.accept();
            });
            box.exec();
        } else {
            QWidget other;
            auto *edit = new QLineEdit(&other);
            other.show();
            other.activateWindow();
            if (QTest::qWaitForWindowActive(&other))
                edit->setFocus();
            other.hide();
        }
        return MessageAnswer::Ok;
    }

    std::vector<std::string> texts;

private:
    bool m_realBox;
};

// The program's main window with the real channel window, on a HAM document whose group 1 holds
// channels 1..3 (28.1, 28.2, 28.3 MHz) and whose every named group is valid.
struct Harness : MainWindowHarness
{
    explicit Harness(int language = English)
        : MainWindowHarness(language)
    {
        MainWindowHooks hooks;
        registerChannelWindows(hooks);
        registerRogerBeepWindows(hooks);
        start(std::move(hooks));
        DocumentSet &document = context.document.working();
        document = DocumentSet{};
        document.settings.currentKind = HAM;
        document.settings.currentGroup = {1, 1, 1};
        for (int kind = 0; kind < kKindCount; ++kind)
            for (int group = 1; group <= namedGroupCount(kind); ++group) {
                document.settings.options.groupNames.valid.at(kind, group) = 1;
                document.settings.options.groupNames.names.at(kind, group)
                    .assign(std::string(1, char('A' + group - 1)));
            }
        for (int number = 1; number <= 3; ++number)
            AddChannel(document, HAM, 1, number, "28." + std::to_string(number), kHam);
        context.document.setBandText("28.0000 - 29.7000 MHz");
        window->documentReplaced();
        showAndActivate();
        grid()->setFocus();
    }

    frmCommChInfo *channels() const
    {
        return qobject_cast<frmCommChInfo *>(window->childWindow(QStringLiteral("frmCommChInfo")));
    }
    QTableView *grid() const { return findNamed<QTableView>(channels(), "MSFlexGrid1"); }
    QLineEdit *editor() const { return findNamed<QLineEdit>(channels(), "Text1"); }
    QComboBox *combo(const char *name) const { return findNamed<QComboBox>(channels(), name); }
    QString cell(int row) const { return grid()->model()->index(row - 1, 1).data().toString(); }
    void select(int row, int column = 1)
    {
        grid()->setCurrentIndex(grid()->model()->index(row - 1, column));
    }
    // Keys as a user types them: each goes to the widget that has the focus.
    void type(const QString &keys)
    {
        for (const QChar key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    void tools(const char *action) { find<QAction>(action)->trigger(); }
    // The document comes in as a loaded one does, showing the kind and group.
    void load(const DocumentSet &document, int kind, int group)
    {
        DocumentSet &working = context.document.working();
        working = document;
        working.settings.currentKind = std::int16_t(kind);
        working.settings.currentGroup[std::size_t(kind)] = std::int16_t(group);
        context.document.setBandText(std::string(ChannelWindowTexts::kKindBandText[kind]));
        Q_EMIT notifier.documentReplaced();
    }
    // A click on a row's frequency cell, with Ctrl to add the row to the selection.
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QModelIndex index = grid()->model()->index(row - 1, 1);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers,
                          grid()->visualRect(index).center());
    }
    const ChannelRecord *record(int group, int row) const
    {
        return ChannelGrid::rowRecord(context.document.working(), HAM, group, row);
    }
};

} // namespace

class TestFrmCommChInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::clipboard()->clear(); }
    void showsTheGroupWithItsControls();
    void typingIntoAnEmptyRowAddsAChannel();
    void refusedFrequencyKeepsTheChannel_data();
    void refusedFrequencyKeepsTheChannel();
    void enterOnAnEmptyEditorMovesOn();
    void keyFilter_data();
    void keyFilter();
    void clipboardKeysAndDropsMissTheEditor_data();
    void clipboardKeysAndDropsMissTheEditor();
    void shortcutsWorkRightAfterABox_data();
    void shortcutsWorkRightAfterABox();
    void pasteTakesTheCopiedRowWhereTextCannotGo_data();
    void pasteTakesTheCopiedRowWhereTextCannotGo();
    void copyOnACbMemoryRow_data();
    void copyOnACbMemoryRow();
    void tabFollowsTheLayout();
    void insertInRow40ReplacesIt();
    void pasteWithAnEmptyClipboardDoesNothing();
    void refusedGroupValidSnapsBack();
    void languageChangeKeepsTheSelection();
    void popupActionsFollowTheLanguageAndTheHistory();
    void undoGivesBackTheDocument_data();
    void undoGivesBackTheDocument();
    void multiRowCopyAndInsert();
    void textPasteFromASpreadsheet();
    void textPasteWithABadLineChangesNothing();
    void cbKindIsReachableAndNotTypedInto();
    void rogerListFollowsTheToneSets();
    void toneWindowRevalidationReachesTheRogerList();
    void groupNameBoxUsesTheSystemCodePage_data();
    void groupNameBoxUsesTheSystemCodePage();
    void severalRowsTakeOneChoice();
    void oneChoiceForManyRowsIsTheChoiceForEach_data();
    void oneChoiceForManyRowsIsTheChoiceForEach();
    void movesAndSortAreOneStepEach();
    void theMovedChannelAloneStaysSelected_data();
    void theMovedChannelAloneStaysSelected();
    void findVisitsEveryHit();
    void popupKeysOfferTheToolsInEveryGroup_data();
    void popupKeysOfferTheToolsInEveryGroup();
    void editMenuNamesTheStepItUndoes_data();
    void editMenuNamesTheStepItUndoes();
    void detailLabelsLeadToTheirBoxes_data();
    void detailLabelsLeadToTheirBoxes();
    void gridSpeaksItsCells_data();
    void gridSpeaksItsCells();
};

void TestFrmCommChInfo::showsTheGroupWithItsControls()
{
    Harness h;
    QVERIFY(h.channels());
    QCOMPARE(h.grid()->model()->rowCount(), 40);
    QCOMPARE(h.cell(2), QString("28.20000"));
    for (int i = 0; i < 24; ++i)
        QVERIFY2(h.combo(qPrintable(QStringLiteral("Combo8_%1").arg(i))),
                 qPrintable(QString::number(i)));
    QCOMPARE(findNamed<QGroupBox>(h.channels(), "Frame2")->title(),
             QString("More Information -- CH 1"));
    // CB Mem Chan ID only on memory rows; tone lists follow the tone type.
    QVERIFY(!h.combo("Combo8_22")->isVisible());
    QVERIFY(!h.combo("Combo8_19")->isVisible());
    h.choose(h.combo("Combo8_18"), 2);
    QVERIFY(h.combo("Combo8_20")->isVisible());
    QCOMPARE(h.record(1, 1)->RxToneType, 2);
    // The MEM group shows only the work group of the group panel.
    h.choose(h.combo("Combo6"), 12);
    QCOMPARE(h.grid()->model()->rowCount(), 99);
    QVERIFY(h.combo("Combo3")->isVisible());
    QVERIFY(!h.combo("Combo1_6")->isVisible());
    QVERIFY(!h.combo("Combo1_4")->isVisible());
    QVERIFY(!findNamed<QGroupBox>(h.channels(), "Frame2")->isVisible());
}

void TestFrmCommChInfo::typingIntoAnEmptyRowAddsAChannel()
{
    Harness h;
    h.select(5);
    h.type("28.5");
    QVERIFY(h.editor()->isVisible());
    QCOMPARE(h.editor()->text(), QString("28.5"));
    h.press(Qt::Key_Return);
    QVERIFY(!h.editor()->isVisible());
    QCOMPARE(h.cell(5), QString("28.50000"));
    const ChannelRecord *added = h.record(1, 5);
    QVERIFY(added);
    QCOMPARE(added->Scan, 1);
    QCOMPARE(added->NoiseBlanker, 1);
    QCOMPARE(added->Mode, 0);
    QCOMPARE(h.channels()->currentRow(), 6);
    QVERIFY(h.messages.questions.empty());
}

void TestFrmCommChInfo::refusedFrequencyKeepsTheChannel_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaveByClick");
    QTest::addColumn<QString>("range");
    const QString ham = "28.00000 - 29.70000 MHz";
    const QString hf = "24.71500 - 30.10500 MHz";
    QTest::newRow("31 in HAM") << int(HAM) << "31" << false << ham;
    QTest::newRow("typo 2.85 in HAM") << int(HAM) << "2.85" << false << ham;
    QTest::newRow("30.5 in HF, left by a click") << int(HF) << "30.5" << true << hf;
    QTest::newRow("no number in HF") << int(HF) << "2..8" << false << hf;
}

// A typed frequency outside the band is refused with the band's range; the channel keeps its
// frequency and settings, the editor stays open on the typed text, and Escape brings the old
// value back. Only an emptied cell removes the channel.
void TestFrmCommChInfo::refusedFrequencyKeepsTheChannel()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(bool, leaveByClick);
    QFETCH(QString, range);
    Harness h;
    DocumentSet document = h.context.document.working();
    for (int number = 1; number <= 3; ++number)
        AddChannel(document, HF, 1, number, "28." + std::to_string(number), kHam);
    ChannelGrid::rowRecord(document, kind, 1, 2)->Mode = 3;
    h.load(document, kind, 1);
    document = h.context.document.working();
    h.clickRow(2);
    h.press(Qt::Key_Return);
    h.type(typed);
    if (leaveByClick)
        h.clickRow(5);
    else
        h.press(Qt::Key_Return);

    QCOMPARE(h.messages.questions.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(h.messages.questions[0].text),
             "Frequency is out of range.\r\n" + range);
    QVERIFY(h.context.document.working() == document);
    QVERIFY(h.editor()->isVisible());
    QCOMPARE(h.editor()->text(), typed);
    QTRY_COMPARE(h.editor()->selectedText(), typed);
    QCOMPARE(QApplication::focusWidget(), h.editor());
    h.press(Qt::Key_Escape);
    QVERIFY(!h.editor()->isVisible());
    QCOMPARE(h.cell(2), QString("28.20000"));
    QVERIFY(h.context.document.working() == document);

    h.clickRow(2);
    h.press(Qt::Key_Return);
    h.press(Qt::Key_Backspace);
    h.press(Qt::Key_Return);
    QCOMPARE(h.cell(2), QString());
    QVERIFY(!ChannelGrid::rowRecord(h.context.document.working(), kind, 1, 2));
    QCOMPARE(h.messages.questions.size(), std::size_t(1));
}

void TestFrmCommChInfo::enterOnAnEmptyEditorMovesOn()
{
    Harness h;
    const std::vector<std::uint8_t> before = packed(h.context.document.working());
    h.select(39);
    h.press(Qt::Key_Return);
    QVERIFY(h.editor()->isVisible());
    h.press(Qt::Key_Return);
    QCOMPARE(h.channels()->currentRow(), 40);
    h.press(Qt::Key_Return);
    h.press(Qt::Key_Return);
    QCOMPARE(h.channels()->currentRow(), 1);
    QVERIFY(packed(h.context.document.working()) == before);
    QCOMPARE(h.channels()->undoStack()->count(), 0);
}

void TestFrmCommChInfo::keyFilter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters, minus and comma") << "2a8-,b.5"
                                              << "28.5";
    QTest::newRow("dots any number of times") << "2..8"
                                              << "2..8";
    QTest::newRow("at most 8 characters") << "28.123456"
                                          << "28.12345";
}

void TestFrmCommChInfo::keyFilter()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Harness h;
    h.select(7);
    h.press(Qt::Key_Return);
    h.type(keys);
    QCOMPARE(h.editor()->text(), shown);
    QApplication::clipboard()->setText(QStringLiteral("29"));
    h.press(Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(h.editor(), Qt::Key_A, Qt::NoModifier, -1);
    QCOMPARE(h.editor()->text(), shown);
    QCOMPARE(h.editor()->contextMenuPolicy(), Qt::NoContextMenu);
}

void TestFrmCommChInfo::clipboardKeysAndDropsMissTheEditor_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("text dropped in") << 0 << 0;
}

void TestFrmCommChInfo::clipboardKeysAndDropsMissTheEditor()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Harness h;
    const QString rowText = QStringLiteral("2\t29.10000\tOff\tOff\n");
    QApplication::clipboard()->setText(rowText);
    h.select(2);
    h.press(Qt::Key_Return);
    QCOMPARE(h.editor()->selectedText(), QString("28.20000"));
    if (key != 0) {
        h.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    } else {
        QMimeData mime;
        mime.setText(rowText);
        const QPointF centre = h.editor()->rect().center();
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(h.editor(), &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(h.editor(), &drop);
    }
    QCOMPARE(h.editor()->text(), QString("28.20000"));
    QCOMPARE(QApplication::clipboard()->text(), rowText);
    h.press(Qt::Key_Return);
    QCOMPARE(h.cell(2), QString("28.20000"));
    QVERIFY(h.messages.questions.empty());
}

void TestFrmCommChInfo::shortcutsWorkRightAfterABox_data()
{
    QTest::addColumn<bool>("realBox");
    QTest::newRow("modal message box") << true;
    QTest::newRow("focus taken by another window") << false;
}

void TestFrmCommChInfo::shortcutsWorkRightAfterABox()
{
    QFETCH(bool, realBox);
    ModalMessageService boxes(realBox);
    Harness h;
    h.context.messages = &boxes;
    h.select(2);
    h.press(Qt::Key_Return);
    h.type("31");
    h.press(Qt::Key_Return);
    QCOMPARE(boxes.texts,
             std::vector<std::string>{"Frequency is out of range.\r\n28.00000 - 29.70000 MHz"});
    QVERIFY(h.record(1, 2));
    // The user's next keys go where the focus is once the box has gone: the editor, on the
    // refused text.
    QTRY_COMPARE(QApplication::focusWidget(), h.editor());
    QCOMPARE(h.window->activeChildWindow(), h.channels());
    h.press(Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), h.grid());
    QCOMPARE(h.cell(2), QString("28.20000"));
    // The Tools commands and the history by their keys: copy row 2 to row 5, delete row 5, undo
    // and redo the delete.
    h.select(2);
    h.press(Qt::Key_C, Qt::ControlModifier);
    h.select(5);
    h.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.cell(5), QString("28.20000"));
    h.press(Qt::Key_Delete);
    QCOMPARE(h.cell(5), QString());
    h.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.cell(5), QString("28.20000"));
    h.press(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(h.cell(5), QString());
    h.context.messages = &h.messages;
}

void TestFrmCommChInfo::pasteTakesTheCopiedRowWhereTextCannotGo_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("foreignText");
    QTest::newRow("CB, frequencies from another program") << int(CB) << "27.1\n27.2\n";
    QTest::newRow("HAM, a sentence from another program") << int(HAM) << "see you at the club";
}

void TestFrmCommChInfo::pasteTakesTheCopiedRowWhereTextCannotGo()
{
    QFETCH(int, kind);
    QFETCH(QString, foreignText);
    Harness h;
    if (kind == CB) {
        AddChannel(h.context.document.working(), CB, 1, 1, "27.005", {26.965, 27.86125});
        h.choose(h.combo("Combo7"), CB);
        h.choose(h.combo("Combo6"), 0);
    }
    h.grid()->setFocus();
    h.select(1);
    const QString copied = h.cell(1);
    QVERIFY(!copied.isEmpty());
    h.press(Qt::Key_C, Qt::ControlModifier);
    QApplication::clipboard()->setText(foreignText);
    h.select(5);
    h.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.cell(5), copied);
    QVERIFY(h.messages.questions.empty());
}

void TestFrmCommChInfo::copyOnACbMemoryRow_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("memory");
    QTest::newRow("group 1, M1") << 1 << 41 << 1;
    QTest::newRow("group 3, M1") << 3 << 81 << 33;
    QTest::newRow("group 3, M16") << 3 << 96 << 48;
}

void TestFrmCommChInfo::copyOnACbMemoryRow()
{
    QFETCH(int, group);
    QFETCH(int, row);
    QFETCH(int, memory);
    Harness h;
    const BandLimits cb{26.965, 27.86125};
    DocumentSet &document = h.context.document.working();
    AddChannel(document, CB, group, 4, "27.035", cb);
    AddMemoryChannel(document.memories, memory, "27.035", cb);
    document.memories.at(memory).MemChannelId = 4;
    document.memories.at(memory).Mode = 1;
    h.choose(h.combo("Combo7"), CB);
    h.choose(h.combo("Combo6"), group - 1);
    h.grid()->setFocus();
    h.select(row);
    h.press(Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().startsWith(
        QStringLiteral("M%1\t27.03500\t").arg(row - (group == 3 ? 80 : 40))));
    // The memory's settings reach a channel row.
    h.select(7);
    h.press(Qt::Key_V, Qt::ControlModifier);
    const ChannelRecord *pasted = ChannelGrid::rowRecord(document, CB, group, 7);
    QVERIFY(pasted);
    QCOMPARE(pasted->Mode, 1);
    QCOMPARE(pasted->Number, 7);
}

void TestFrmCommChInfo::tabFollowsTheLayout()
{
    Harness h;
    for (const QComboBox *box : h.channels()->findChildren<QComboBox *>())
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
    h.combo("Combo2")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < 40 && visited.back() != QLatin1String("CommandClose")) {
        h.press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Row 1 has no tones: the detail lists row by row, left column then right column.
    const QStringList expected{
        "Combo2",           "Combo7",      "Combo6",    "MSFlexGrid1", "Combo8_18", "Combo8_7",
        "Combo8_21",        "Combo8_17",   "Combo8_11", "Combo8_12",   "Combo8_10", "Combo8_13",
        "Combo8_9",         "Combo8_14",   "Combo8_2",  "Combo8_15",   "Combo8_3",  "Combo8_4",
        "Combo8_5",         "Combo8_6",    "Combo3",    "Combo1_4",    "Combo1_6",  "Text2",
        "CommandCheckBand", "CommandClose"};
    QCOMPARE(visited, expected);
}

void TestFrmCommChInfo::insertInRow40ReplacesIt()
{
    Harness h;
    DocumentSet &document = h.context.document.working();
    for (int number = 4; number <= 40; ++number)
        AddChannel(document, HAM, 1, number, "28.9", kHam);
    h.window->documentReplaced();
    h.grid()->setFocus();
    h.select(2);
    h.tools("MnuLECopy");
    h.select(40);
    h.tools("MnuLEInsertPaste");
    QCOMPARE(h.cell(40), QString("28.20000"));
    QCOMPARE(h.cell(39), QString("28.90000"));
    QCOMPARE(h.context.document.working().channelCount(HAM, 1), 40);
}

void TestFrmCommChInfo::pasteWithAnEmptyClipboardDoesNothing()
{
    Harness h;
    const std::vector<std::uint8_t> before = packed(h.context.document.working());
    h.select(8);
    h.tools("MnuLEPaste");
    h.tools("MnuLEInsertPaste");
    QVERIFY(packed(h.context.document.working()) == before);
    QVERIFY(h.messages.questions.empty());
}

void TestFrmCommChInfo::refusedGroupValidSnapsBack()
{
    Harness h;
    for (int group = 2; group <= 12; ++group)
        h.context.document.working().settings.options.groupNames.valid.at(HAM, group) = 0;
    h.window->documentReplaced();
    QComboBox *valid = h.combo("Combo1_6");
    QCOMPARE(valid->currentText(), QString("ON"));
    h.choose(valid, 0);
    QCOMPARE(valid->currentText(), QString("ON"));
    QCOMPARE(h.context.document.working().settings.options.groupNames.valid.at(HAM, 1), 1);
    // Group 4 becomes valid with its default channel; then group 1 may go.
    h.choose(h.combo("Combo6"), 3);
    h.choose(valid, 1);
    QCOMPARE(h.cell(1), QString("28.08500"));
    h.choose(h.combo("Combo6"), 0);
    h.choose(valid, 0);
    QCOMPARE(valid->currentText(), QString("OFF"));
    QCOMPARE(h.context.document.working().settings.options.groupNames.valid.at(HAM, 1), 0);
}

void TestFrmCommChInfo::languageChangeKeepsTheSelection()
{
    Harness h;
    h.choose(h.combo("Combo6"), 0);
    h.select(3);
    h.choose(h.combo("Combo8_3"), 0);
    h.choose(h.combo("Combo8_12"), 2);
    h.context.language.languageIndex = Chinese;
    Q_EMIT h.notifier.languageChanged();
    QCOMPARE(h.channels()->windowTitle(), QString::fromUtf8("信道信息"));
    QCOMPARE(h.grid()->model()->headerData(1, Qt::Horizontal).toString(),
             QString::fromUtf8("频率"));
    QCOMPARE(h.channels()->currentRow(), 3);
    QCOMPARE(h.combo("Combo8_3")->currentText(), QString::fromUtf8("关"));
    QCOMPARE(h.combo("Combo8_12")->currentText(), QString("USB"));
    QCOMPARE(h.combo("Combo1_6")->currentText(), QString::fromUtf8("开"));
    QCOMPARE(h.combo("Combo6")->currentIndex(), 0);
    QCOMPARE(findNamed<QGroupBox>(h.channels(), "Frame2")->title(),
             QString::fromUtf8("更多信息 -- 信道 3"));
}

void TestFrmCommChInfo::popupActionsFollowTheLanguageAndTheHistory()
{
    Harness h;
    const auto shown = [&h] {
        QStringList texts;
        for (const QAction *action : h.channels()->actions())
            texts << action->text() + (action->isEnabled() ? "" : " (off)");
        return texts;
    };
    QCOMPARE(shown(), (QStringList{"Copy", "Cut", "Paste", "Insert&&Paste", "Delete", "Undo (off)",
                                   "Redo (off)", "Move &Up", "Move &Down", "&Sort by Frequency",
                                   "&Find...", "Print Channel Chart..."}));
    h.select(2);
    h.tools("MnuLEDelete");
    h.context.language.languageIndex = Chinese;
    Q_EMIT h.notifier.languageChanged();
    QCOMPARE(shown(),
             (QStringList{QString::fromUtf8("复制"), QString::fromUtf8("剪切"),
                          QString::fromUtf8("粘贴"), QString::fromUtf8("插入粘贴"),
                          QString::fromUtf8("删除"), QString::fromUtf8("撤销"),
                          QString::fromUtf8("重做 (off)"), QString::fromUtf8("上移(&U)"),
                          QString::fromUtf8("下移(&D)"), QString::fromUtf8("按频率排序(&S)"),
                          QString::fromUtf8("查找(&F)..."), QString::fromUtf8("打印信道表...")}));
}

void TestFrmCommChInfo::undoGivesBackTheDocument_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("typed frequency") << 0;
    QTest::newRow("cleared frequency") << 1;
    QTest::newRow("detail choice") << 2;
    QTest::newRow("cut") << 3;
    QTest::newRow("insert") << 4;
    QTest::newRow("group valid with default channel") << 5;
    QTest::newRow("group name") << 6;
    QTest::newRow("delete") << 7;
}

void TestFrmCommChInfo::undoGivesBackTheDocument()
{
    QFETCH(int, action);
    Harness h;
    DocumentSet &document = h.context.document.working();
    document.settings.options.groupNames.valid.at(HAM, 5) = 0;
    // The emergency setting names channel 3, which clearing it drops.
    document.settings.emergency.values[EmergencySettings::kHamBand] = 0;
    document.settings.emergency.values[EmergencySettings::kHamChannel] = 2;
    h.window->documentReplaced();
    h.grid()->setFocus();
    // Choosing a group is no edit (it records the current and work group); the edit follows it.
    if (action == 5)
        h.choose(h.combo("Combo6"), 4);
    const std::vector<std::uint8_t> before = packed(document);
    switch (action) {
    case 0:
        h.select(9);
        h.type("29.1");
        h.press(Qt::Key_Return);
        break;
    case 1:
        h.select(3);
        h.press(Qt::Key_Return);
        h.press(Qt::Key_Backspace);
        h.press(Qt::Key_Return);
        break;
    case 2:
        h.select(2);
        h.choose(h.combo("Combo8_4"), 1);
        break;
    case 3:
        h.select(1);
        h.tools("MnuLECut");
        break;
    case 4:
        h.select(1);
        h.tools("MnuLECopy");
        h.tools("MnuLEInsertPaste");
        break;
    case 5:
        h.choose(h.combo("Combo1_6"), 1);
        break;
    case 6:
        QTest::keyClicks(findNamed<QLineEdit>(h.channels(), "Text2"), "Z9");
        break;
    case 7:
        h.select(2);
        h.tools("MnuLEDelete");
        break;
    }
    const std::vector<std::uint8_t> after = packed(document);
    QVERIFY(after != before);
    h.grid()->setFocus();
    h.press(Qt::Key_Z, Qt::ControlModifier);
    while (h.channels()->undoStack()->canUndo())
        h.press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(packed(document) == before);
    while (h.channels()->undoStack()->canRedo())
        h.press(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(packed(document) == after);
    // The grid shows what the document holds again.
    QCOMPARE(h.cell(1), QString::fromStdString(ChannelGrid::rowFrequencyText(
                            document, HAM, h.channels()->currentGroup(), 1, kHam)));
}

void TestFrmCommChInfo::multiRowCopyAndInsert()
{
    Harness h;
    h.select(1);
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ShiftModifier);
    h.tools("MnuLECopy");
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    QVERIFY(lines[0].startsWith("1\t28.10000\tOff\tOff\t"));
    QVERIFY(lines[1].startsWith("2\t28.20000\t"));
    h.select(3);
    h.tools("MnuLEInsertPaste");
    const QStringList shown{h.cell(3), h.cell(4), h.cell(5)};
    QCOMPARE(shown, (QStringList{"28.10000", "28.20000", "28.30000"}));
    // One undo step takes the whole block back.
    h.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.cell(3), QString("28.30000"));
    QCOMPARE(h.cell(4), QString());
}

void TestFrmCommChInfo::textPasteFromASpreadsheet()
{
    Harness h;
    QApplication::clipboard()->setText(QStringLiteral("10\t29.1\n11\t29.2\n12\t29.3\n"));
    h.select(2);
    h.tools("MnuLEPaste");
    const QStringList shown{h.cell(2), h.cell(3), h.cell(4)};
    QCOMPARE(shown, (QStringList{"29.10000", "29.20000", "29.30000"}));
    QCOMPARE(h.record(1, 4)->Scan, 1);
    QVERIFY(h.messages.questions.empty());
}

void TestFrmCommChInfo::textPasteWithABadLineChangesNothing()
{
    Harness h;
    const std::vector<std::uint8_t> before = packed(h.context.document.working());
    QApplication::clipboard()->setText(QStringLiteral("29.1\n27.5\nabc\n29.3"));
    h.select(1);
    h.tools("MnuLEPaste");
    QVERIFY(packed(h.context.document.working()) == before);
    QCOMPARE(h.messages.questions.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(h.messages.questions[0].text).endsWith("2, 3"));
    QCOMPARE(h.channels()->undoStack()->count(), 0);
}

void TestFrmCommChInfo::cbKindIsReachableAndNotTypedInto()
{
    Harness h;
    h.choose(h.combo("Combo7"), CB);
    QCOMPARE(h.context.document.working().settings.currentKind, CB);
    QCOMPARE(h.context.document.bandText(), std::string("26.96500 - 27.86125 MHz"));
    QVERIFY(h.window->windowTitle().contains("26.96500 - 27.86125 MHz"));
    QCOMPARE(h.combo("Combo2")->currentIndex(), -1);
    QCOMPARE(h.grid()->model()->rowCount(), 56);
    QVERIFY(!h.combo("Combo8_5")->isVisible());
    QVERIFY(!h.combo("Combo8_7")->isVisible());
    h.select(41);
    // A memory row: its recalled channel and band are shown.
    QVERIFY(h.combo("Combo8_22")->isVisible());
    QVERIFY(h.combo("Combo8_23")->isVisible());
    h.select(1);
    const QModelIndex cell = h.grid()->model()->index(0, 1);
    QTest::mouseDClick(h.grid()->viewport(), Qt::LeftButton, {},
                       h.grid()->visualRect(cell).center());
    QVERIFY(!h.editor()->isVisible());
    h.choose(h.combo("Combo2"), 0);
    QCOMPARE(h.context.document.working().settings.currentKind, HF);
    QCOMPARE(h.combo("Combo7")->currentIndex(), HF);
    QCOMPARE(h.grid()->model()->rowCount(), 40);
}

void TestFrmCommChInfo::rogerListFollowsTheToneSets()
{
    Harness h;
    ToneTipTable &tones = h.context.document.working().settings.toneTips;
    tones = ToneTipTable{};
    Q_EMIT h.notifier.toneSetsChanged();
    QCOMPARE(h.combo("Combo8_11")->count(), 1);
    tones.set(3).recycleTimes = 1;
    tones.set(3).tones[0] = {100, 10};
    Q_EMIT h.notifier.toneSetsChanged();
    QCOMPARE(h.combo("Combo8_11")->count(), 2);
    h.choose(h.combo("Combo8_11"), 1);
    QCOMPARE(h.record(1, 1)->RogerBeep, 130);
}

void TestFrmCommChInfo::toneWindowRevalidationReachesTheRogerList()
{
    Harness h;
    DocumentSet &document = h.context.document.working();
    document.settings.toneTips = defaultToneTips();
    document.channels.entry(HAM, 1, 1).RogerBeep = kRogerReferenceOffset + 1;
    Q_EMIT h.notifier.toneSetsChanged();
    h.select(1);
    QCOMPARE(h.combo("Combo8_11")->currentText(), QStringLiteral("1"));

    // Set 1 switched off in the roger-beep window: the HAM channel's reference to it is cleared
    // and the open channel window's list no longer offers it.
    QWidget *tones = h.window->openChildWindow(QStringLiteral("FrmToneTips"));
    auto *recycle = findNamed<QComboBox>(tones, "Combo1");
    recycle->setCurrentIndex(0);
    Q_EMIT recycle->activated(0);
    QVERIFY(!hasPlayableTones(document.settings.toneTips.set(1)));
    QCOMPARE(h.record(1, 1)->RogerBeep, 0);
    QCOMPARE(h.combo("Combo8_11")->currentIndex(), 0);
    QCOMPARE(h.combo("Combo8_11")->findText(QStringLiteral("1")), -1);
    QVERIFY(h.combo("Combo8_11")->findText(QStringLiteral("2")) > 0);
}

void TestFrmCommChInfo::groupNameBoxUsesTheSystemCodePage_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("GBK character") << 936 << "中" << QByteArray("\xd6\xd0") << "中" << false;
    QTest::newRow("Western accent") << 1252 << "é" << QByteArray("\xe9 ") << "é" << false;
    QTest::newRow("not split after a letter") << 936 << "A中" << QByteArray("A ") << "A" << false;
    // Refused: the name stays as it was.
    QTest::newRow("not in the code page") << 1252 << "中" << QByteArray() << "A" << true;
}

void TestFrmCommChInfo::groupNameBoxUsesTheSystemCodePage()
{
    QFETCH(int, codePage);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    const int systemPage = systemRecordTextCodec().codePage();
    QVERIFY(setSystemRecordTextCodePage(codePage));
    Harness h;
    const FixedText<2> &name =
        h.context.document.working().settings.options.groupNames.names.at(HAM, 1);
    if (stored.isEmpty())
        stored = QByteArray::fromStdString(name.raw());
    auto *box = findNamed<QLineEdit>(h.channels(), "Text2");
    box->setFocus();
    box->selectAll();
    for (const QChar character : typed) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(box, &press);
    }
    QCOMPARE(QByteArray::fromStdString(name.raw()), stored);
    QCOMPARE(box->text(), shown);
    QCOMPARE(h.messages.questions.size(), std::size_t(refused ? 1 : 0));
    // The group list shows the name as the box does.
    QCOMPARE(h.combo("Combo6")->itemText(0), shown);
    setSystemRecordTextCodePage(systemPage);
}

void TestFrmCommChInfo::severalRowsTakeOneChoice()
{
    Harness h;
    h.channels()->findChild<QUndoStack *>()->clear();
    DocumentSet &document = h.context.document.working();
    ChannelGrid::rowRecord(document, HAM, 1, 3)->Mode = 1;
    const DocumentSet before = document;
    QItemSelectionModel *selection = h.grid()->selectionModel();
    h.select(1);
    for (int row : {3, 5}) // row 5 has no channel
        selection->select(h.grid()->model()->index(row - 1, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Channels 1 and 3 differ in their mode: the list shows no choice.
    QCOMPARE(h.combo("Combo8_12")->currentIndex(), -1);
    h.choose(h.combo("Combo8_12"), 2);
    QCOMPARE(int(h.record(1, 1)->Mode), 2);
    QCOMPARE(int(h.record(1, 3)->Mode), 2);
    QCOMPARE(int(h.record(1, 2)->Mode), int(before.channels.entry(HAM, 1, 2).Mode));
    QCOMPARE(h.window->statusBar()->currentMessage(),
             QString("1 selected rows without a channel were skipped."));
    h.press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(document == before);
    h.grid()->setFocus();
    h.press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selection->selectedRows().size(), h.grid()->model()->rowCount());
}

void TestFrmCommChInfo::oneChoiceForManyRowsIsTheChoiceForEach_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("CB group 3, memory rows") << int(CB) << 3 << QList<int>{81, 82, 83, 84};
    QTest::newRow("CB group 6, memory rows") << int(CB) << 6 << QList<int>{41, 42, 43};
    QTest::newRow("CB group 1, channels") << int(CB) << 1 << QList<int>{1, 2, 3, 4};
    QTest::newRow("HF named group") << int(HF) << 2 << QList<int>{1, 2, 3, 4};
    QTest::newRow("HF MEM") << int(HF) << 16 << QList<int>{1, 2, 3, 4};
    QTest::newRow("HF VFO") << int(HF) << 17 << QList<int>{1};
    QTest::newRow("HAM named group") << int(HAM) << 1 << QList<int>{1, 2, 3, 4};
    QTest::newRow("HAM MEM") << int(HAM) << 13 << QList<int>{1, 2, 3, 4};
    QTest::newRow("HAM VFO") << int(HAM) << 14 << QList<int>{1};
}

// A detail chosen for several selected rows gives the records that the same choice made on each
// row alone gives, for every detail and both ends of its list.
void TestFrmCommChInfo::oneChoiceForManyRowsIsTheChoiceForEach()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(QList<int>, rows);
    Harness h;
    DocumentSet start = *shippedInitDocument(1, "20260101");
    const BandLimits anywhere{20.0, 40.0};
    // The rows differ in their details; the last one of a channel group holds no channel, and
    // on the "M" rows one memory is absent.
    for (int row : rows) {
        const int place = rows.indexOf(row);
        if (ChannelGrid::isMemoryRow(kind, group, row)) {
            const int memory = ChannelGrid::memoryNumber(kind, group, row);
            if (place == 2)
                continue;
            AddMemoryChannel(start.memories, memory, "27.00500", anywhere);
            start.memories.at(memory).MemChannelId = std::int16_t(place + 1);
        } else if (place == 3) {
            if (const auto index = FindChannel(start, kind, group, row))
                RemoveChannelEntry(start, kind, group, *index);
            continue;
        } else if (!ChannelGrid::rowRecord(start, kind, group, row)) {
            QVERIFY(AddChannel(start, kind, group, row, "28.50000", anywhere));
        }
        ChannelRecord *record = ChannelGrid::rowRecord(start, kind, group, row);
        record->RxToneType = std::int16_t(place % 3);
        record->TxToneType = std::int16_t((place + 1) % 3);
        record->Mode = std::int16_t(place);
        record->Scan = std::int16_t(place % 2);
    }

    int changes = 0;
    for (const DetailRow &detail : detailRows()) {
        if (!detail.set)
            continue;
        const QString name = QStringLiteral("Combo8_%1").arg(detail.index);
        for (const Qt::Key end : {Qt::Key_Home, Qt::Key_End}) {
            const auto pick = [&] {
                QComboBox *box = h.combo(qPrintable(name));
                if (!box->isVisible())
                    return false;
                box->setFocus(Qt::TabFocusReason);
                QTest::keyClick(box, end);
                return true;
            };
            // All rows at once, the first one current and showing its panel.
            h.load(start, kind, group);
            for (auto row = rows.crbegin(); row != rows.crend(); ++row)
                h.clickRow(*row, row == rows.crbegin() ? Qt::NoModifier : Qt::ControlModifier);
            QCOMPARE(h.grid()->selectionModel()->selectedRows().size(), rows.size());
            if (!pick())
                continue;
            const DocumentSet together = h.context.document.working();
            changes += together == start ? 0 : 1;
            // Each row alone, where it shows the list.
            h.load(start, kind, group);
            for (int row : rows) {
                h.clickRow(row);
                pick();
            }
            QVERIFY2(h.context.document.working() == together,
                     qPrintable(name + (end == Qt::Key_Home ? " first" : " last")));
        }
    }
    QVERIFY(changes > 0);
}

void TestFrmCommChInfo::movesAndSortAreOneStepEach()
{
    Harness h;
    DocumentSet &document = h.context.document.working();
    const DocumentSet before = document;
    h.select(3);
    h.press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(h.cell(2), QString("28.30000"));
    QCOMPARE(h.cell(3), QString("28.20000"));
    QCOMPARE(h.channels()->currentRow(), 2);
    h.tools("ActionSortByFrequency");
    QCOMPARE((QStringList{h.cell(1), h.cell(2), h.cell(3)}),
             (QStringList{"28.10000", "28.20000", "28.30000"}));
    h.press(Qt::Key_Z, Qt::ControlModifier);
    h.press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(document == before);
    // CB channels stay on their numbers, and the user is told why.
    h.choose(h.combo("Combo7"), CB);
    const DocumentSet cb = document;
    h.press(Qt::Key_Down, Qt::ControlModifier);
    QVERIFY(document == cb);
    QVERIFY(!h.messages.questions.empty());
    QCOMPARE(h.messages.questions.back().text,
             std::string("CB channels keep their numbers: the band plan fixes them."));
}

void TestFrmCommChInfo::theMovedChannelAloneStaysSelected_data()
{
    // Group 1 holds 28.1, 28.2 and 28.3 MHz on rows 1 to 3.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("frequency");
    QTest::newRow("move up") << QStringList{"click 3", "Ctrl+Up"} << 2 << "28.30000";
    QTest::newRow("move down") << QStringList{"click 1", "Ctrl+Down"} << 2 << "28.10000";
    QTest::newRow("sort") << QStringList{"click 3", "Ctrl+Up", "click 2", "sort"} << 3
                          << "28.30000";
    QTest::newRow("undo a move") << QStringList{"click 3", "Ctrl+Up", "click 1", "Ctrl+Z"} << 3
                                 << "28.30000";
    QTest::newRow("redo a move") << QStringList{"click 3", "Ctrl+Up", "Ctrl+Z", "Ctrl+Y"} << 2
                                 << "28.30000";
    QTest::newRow("undo a sort") << QStringList{"click 3", "Ctrl+Up", "click 2",
                                                "sort",    "click 1", "Ctrl+Z"}
                                 << 2 << "28.30000";
}

void TestFrmCommChInfo::theMovedChannelAloneStaysSelected()
{
    QFETCH(QStringList, steps);
    QFETCH(int, selected);
    QFETCH(QString, frequency);
    Harness h;
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("click ")))
            h.clickRow(step.mid(6).toInt());
        else if (step == QLatin1String("sort"))
            h.tools("ActionSortByFrequency");
        else
            QTest::keyClick(h.grid(), QKeySequence(step)[0].key(),
                            QKeySequence(step)[0].keyboardModifiers());
    }
    QList<int> rows;
    for (const QModelIndex &index : h.grid()->selectionModel()->selectedRows())
        rows << index.row() + 1;
    QCOMPARE(rows, QList<int>{selected});
    QCOMPARE(h.channels()->currentRow(), selected);
    QCOMPARE(h.cell(selected), frequency);
    // The next choice changes the selected channel and no other.
    const DocumentSet before = h.context.document.working();
    QComboBox *mode = h.combo("Combo8_12");
    mode->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mode, Qt::Key_End);
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(int(h.record(1, row)->Mode),
                 row == selected ? 5 : int(ChannelGrid::rowRecord(before, HAM, 1, row)->Mode));
}

void TestFrmCommChInfo::findVisitsEveryHit()
{
    Harness h;
    AddChannel(h.context.document.working(), HAM, 2, 4, "28.2", kHam);
    h.press(Qt::Key_F, Qt::ControlModifier);
    QLineEdit *find = findNamed<QLineEdit>(h.channels(), "TextFind");
    QVERIFY(find->isVisible());
    QCOMPARE(QApplication::focusWidget(), find);
    QTest::keyClicks(find, "28.2");
    // Wide enough to show a whole frequency beside the full row of selectors.
    QVERIFY(find->width() >= find->fontMetrics().horizontalAdvance(QStringLiteral("28.20000")));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(h.combo("Combo6")->currentIndex(), 0);
    QCOMPARE(h.channels()->currentRow(), 2);
    QCOMPARE(h.window->statusBar()->currentMessage(), QString("1 of 2: HAM group 1, CH 2"));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(h.combo("Combo6")->currentIndex(), 1);
    QCOMPARE(h.channels()->currentRow(), 4);
    QCOMPARE(h.window->statusBar()->currentMessage(), QString("2 of 2: HAM group 2, CH 4"));
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
}

void TestFrmCommChInfo::popupKeysOfferTheToolsInEveryGroup_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("CB group, Shift+F10")
        << int(CB) << 1 << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("HF named group, Shift+F10")
        << int(HF) << 2 << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("HF named group, Menu key") << int(HF) << 2 << int(Qt::Key_Menu) << 0;
    QTest::newRow("HAM named group, Menu key") << int(HAM) << 1 << int(Qt::Key_Menu) << 0;
}

// The popup opens from the keyboard over the current row, and its Sort by Frequency (its "S") is
// carried out where channels may move; CB refuses it and says why.
void TestFrmCommChInfo::popupKeysOfferTheToolsInEveryGroup()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Harness h;
    DocumentSet document = h.context.document.working();
    const std::vector<std::string> unsorted =
        kind == HF ? std::vector<std::string>{"29.5", "25.1", "27.3"}
                   : std::vector<std::string>{"29.1", "28.5", "28.9"};
    const BandLimits limits = kind == HF ? BandLimits{24.715, 30.105} : kHam;
    if (kind != CB) {
        for (int row = 1; row <= 3; ++row)
            QVERIFY(AddChannel(document, kind, group == 1 ? 3 : group, row,
                               unsorted[std::size_t(row - 1)], limits));
        group = group == 1 ? 3 : group;
    }
    h.load(document, kind, group);
    const QStringList before{h.cell(1), h.cell(2), h.cell(3)};
    h.grid()->setFocus();
    h.select(2);
    QStringList offered;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                offered << action->text();
        QTest::keyClick(menu, Qt::Key_S);
    });
    poll.start(10);
    h.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY2(offered.contains(QStringLiteral("&Sort by Frequency")), qPrintable(offered.join('|')));
    QVERIFY(offered.contains(QStringLiteral("Print Channel Chart...")));
    QVERIFY(!QApplication::activePopupWidget());
    const QStringList after{h.cell(1), h.cell(2), h.cell(3)};
    if (kind == CB) {
        QCOMPARE(after, before);
        QVERIFY(!h.messages.questions.empty());
        QCOMPARE(h.messages.questions.back().text,
                 std::string("CB channels keep their numbers: the band plan fixes them."));
    } else {
        QStringList sorted = before;
        sorted.sort();
        QVERIFY(before != sorted);
        QCOMPARE(after, sorted);
    }
}
void TestFrmCommChInfo::editMenuNamesTheStepItUndoes_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("undoMove");
    QTest::addColumn<QString>("redoMove");
    QTest::addColumn<QString>("undo");
    QTest::addColumn<QString>("redo");
    QTest::newRow("English") << int(English) << "&Undo Move Up"
                             << "Re&do Move Up"
                             << "&Undo"
                             << "Re&do";
    QTest::newRow("Chinese") << int(Chinese) << QString::fromUtf8("撤销 上移(&U)")
                             << QString::fromUtf8("重做 上移(&D)") << QString::fromUtf8("撤销(&U)")
                             << QString::fromUtf8("重做(&D)");
}

// Edit > Undo and Redo name the channel window's last step and take it back and again.
void TestFrmCommChInfo::editMenuNamesTheStepItUndoes()
{
    QFETCH(int, language);
    QFETCH(QString, undoMove);
    QFETCH(QString, redoMove);
    QFETCH(QString, undo);
    QFETCH(QString, redo);
    Harness h(language);
    QAction *undoItem = h.window->findChild<QAction *>(QStringLiteral("mnuEditUndo"));
    QAction *redoItem = h.window->findChild<QAction *>(QStringLiteral("mnuEditRedo"));
    QCOMPARE(undoItem->text(), undo);
    QVERIFY(!undoItem->isEnabled());
    const QStringList start{h.cell(1), h.cell(2), h.cell(3)};
    const QStringList moved{h.cell(1), h.cell(3), h.cell(2)};
    const ChannelRecord second = *h.record(1, 2);
    const ChannelRecord third = *h.record(1, 3);

    h.select(3);
    h.press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE((QStringList{h.cell(1), h.cell(2), h.cell(3)}), moved);
    QCOMPARE(undoItem->text(), undoMove);
    QVERIFY(undoItem->isEnabled());
    QCOMPARE(redoItem->text(), redo);
    QVERIFY(!redoItem->isEnabled());

    // Through the menu, by its mnemonic.
    auto *edit = h.window->findChild<QMenu *>(QStringLiteral("mnuEdit"));
    edit->popup(h.window->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(edit));
    QTest::keyClick(edit, Qt::Key_U);
    QCOMPARE((QStringList{h.cell(1), h.cell(2), h.cell(3)}), start);
    QCOMPARE(undoItem->text(), undo);
    QCOMPARE(redoItem->text(), redoMove);

    // And by the keys, from the grid.
    h.grid()->setFocus();
    h.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE((QStringList{h.cell(1), h.cell(2), h.cell(3)}), moved);
    QCOMPARE(undoItem->text(), undoMove);
    h.press(Qt::Key_Z, Qt::ControlModifier);
    h.press(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE((QStringList{h.cell(1), h.cell(2), h.cell(3)}), moved);
    // The records themselves: row 2 holds the channel that row 3 had.
    QVERIFY(h.record(1, 2)->RxDigits == third.RxDigits);
    QVERIFY(h.record(1, 3)->RxDigits == second.RxDigits);
}

void TestFrmCommChInfo::detailLabelsLeadToTheirBoxes_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("scan");
    QTest::newRow("English") << int(English) << "Sc&an";
    QTest::newRow("Chinese") << int(Chinese) << QString::fromUtf8("扫描(&A)");
}

// Alt and a label's letter puts the focus into the label's list (pressed again where two labels
// share the letter), in both languages.
void TestFrmCommChInfo::detailLabelsLeadToTheirBoxes()
{
    QFETCH(int, language);
    QFETCH(QString, scan);
    Harness h(language);
    h.choose(h.combo("Combo8_18"), 1); // the receive CTCSS and the transmit DCS lists show too
    h.choose(h.combo("Combo8_17"), 2);
    QCOMPARE(findNamed<QLabel>(h.channels(), "Label5_10")->text(), scan);
    int checked = 0;
    for (const DetailRow &row : detailRows()) {
        const QString name = QStringLiteral("Label5_%1").arg(row.index);
        auto *label = findNamed<QLabel>(h.channels(), name);
        QComboBox *box = h.combo(qPrintable(QStringLiteral("Combo8_%1").arg(row.index)));
        if (!label->isVisible())
            continue;
        ++checked;
        QCOMPARE(label->buddy(), box);
        const QKeySequence key = QKeySequence::mnemonic(label->text());
        QVERIFY2(!key.isEmpty(), qPrintable(label->text()));
        h.grid()->setFocus();
        for (int press = 0; press < 4 && QApplication::focusWidget() != box; ++press)
            QTest::keyClick(QApplication::focusWidget(), key[0].key(), key[0].keyboardModifiers());
        QVERIFY2(QApplication::focusWidget() == box, qPrintable(label->text()));
    }
    QCOMPARE(checked, 18);
}

void TestFrmCommChInfo::gridSpeaksItsCells_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("spoken"); // row 1's two cells, row 4's frequency, the header
    QTest::newRow("en") << int(English)
                        << QStringList{"Channel 1", "Channel 1, Frequency 28.10000 MHz",
                                       "Channel 4, Frequency empty", "Frequency"};
    QTest::newRow("zh") << int(Chinese)
                        << QStringList{"信道 1", "信道 1, 频率 28.10000 兆赫", "信道 4, 频率 空",
                                       "频率"};
}

// The grid as a screen reader reads it: a table whose cells name their channel, column and
// value with its unit, whose headers are named and whose cells carry their column's help; what a
// delete and its undo change is read back from the same cells.
void TestFrmCommChInfo::gridSpeaksItsCells()
{
    QFETCH(int, language);
    QFETCH(QStringList, spoken);
    Harness h(language);
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(h.grid());
    QVERIFY(grid);
    QCOMPARE(grid->role(), QAccessible::Table);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 2);
    const auto spokenCell = [table](int row, int column) {
        return table->cellAt(row - 1, column)->text(QAccessible::Name);
    };
    QCOMPARE(spokenCell(1, 0), spoken[0]);
    QCOMPARE(spokenCell(1, 1), spoken[1]);
    QCOMPARE(spokenCell(4, 1), spoken[2]);
    QAccessibleInterface *cell = table->cellAt(0, 1);
    QVERIFY(!cell->text(QAccessible::Description).isEmpty());
    QCOMPARE(cell->text(QAccessible::Description),
             h.grid()->model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString());
    const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers.first()->text(QAccessible::Name), spoken[3]);

    h.select(1);
    h.grid()->selectRow(0);
    h.grid()->selectionModel()->select(h.grid()->model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    h.tools("MnuLEDelete");
    QVERIFY(spokenCell(1, 1) != spoken[1]);
    h.grid()->setFocus();
    h.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(spokenCell(1, 1), spoken[1]);
}

QTEST_MAIN(TestFrmCommChInfo)
#include "tst_frmcommchinfo.moc"
