#include <QAbstractItemModelTester>
#include <QTest>

#include "channels/ChannelGrid.h"
#include "channels/ChannelGridModel.h"
#include "channels/ChannelRecords.h"
#include "datafile/DataFileFormat.h"
#include "kernel/AppContext.h"
#include "radio/Document.h"

using namespace ChannelGrid;

namespace {

const BandLimits kHam{28.0, 29.7};
const BandLimits kHf{24.715, 30.105};

// A document with the named groups of every kind valid and the given HAM group-1 channels.
DocumentSet hamDocument(std::initializer_list<std::pair<int, const char *>> channels)
{
    DocumentSet document;
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            document.settings.options.groupNames.valid.at(kind, group) = 1;
    for (const auto &[number, frequency] : channels)
        AddChannel(document, HAM, 1, number, frequency, kHam);
    return document;
}

QString cell(const DocumentSet &document, int kind, int group, int row, const BandLimits &limits)
{
    return QString::fromStdString(rowFrequencyText(document, kind, group, row, limits));
}

std::vector<std::uint8_t> packed(const DocumentSet &document)
{
    PackedPair pair = packDataFilePair(document);
    pair.dataFile.insert(pair.dataFile.end(), pair.channelFile.begin(), pair.channelFile.end());
    return pair.dataFile;
}

} // namespace

class TestChannelGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
    void cbMemoryRowShowsTheRecalledChannel();
    void copyTakesTheMemoriesOfCbMemoryRows();
    void typedFrequency_data();
    void typedFrequency();
    void lastChannelOfTheOnlyValidGroupIsKept();
    void insertAtTheLastRowReplacesIt();
    void insertBlockMovesTheRowsBelow();
    void pasteAndDeleteInTheVfoGroup();
    void groupValid();
    void textPaste_data();
    void textPaste();
    void undoStateGivesBackTheFileBytes();
    void modelPassesTheTester();
    void movesAndSorting_data();
    void movesAndSorting();
    void findFrequencyEverywhere();
};

void TestChannelGrid::layout_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<int>("lastMemory");
    QTest::newRow("CB group 1") << 0 << 1 << 56 << 1260 << "1"
                                << "M16" << 16;
    QTest::newRow("CB group 3") << 0 << 3 << 96 << 1520 << "1"
                                << "M16" << 48;
    QTest::newRow("CB group 7 shows block 5") << 0 << 7 << 56 << 1260 << "1"
                                              << "M16" << 80;
    QTest::newRow("HF group 2") << 1 << 2 << 40 << 1260 << "1"
                                << "40" << 0;
    QTest::newRow("HF MEM") << 1 << 16 << 99 << 1520 << "M1"
                            << "M99" << 0;
    QTest::newRow("HF VFO") << 1 << 17 << 1 << 1520 << "1"
                            << "1" << 0;
    QTest::newRow("HAM MEM") << 2 << 13 << 99 << 1520 << "M1"
                             << "M99" << 0;
    QTest::newRow("HAM VFO") << 2 << 14 << 1 << 1520 << "1"
                             << "1" << 0;
}

void TestChannelGrid::layout()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(int, rows);
    QFETCH(int, width);
    QFETCH(QString, firstName);
    QFETCH(QString, lastName);
    QFETCH(int, lastMemory);
    QCOMPARE(rowCount(kind, group), rows);
    QCOMPARE(frequencyColumnTwips(kind, group), width);
    QCOMPARE(QString::fromStdString(rowName(kind, group, 1)), firstName);
    QCOMPARE(QString::fromStdString(rowName(kind, group, rows)), lastName);
    QCOMPARE(memoryNumber(kind, group, rows), lastMemory);
}

void TestChannelGrid::cbMemoryRowShowsTheRecalledChannel()
{
    const BandLimits cb{26.965, 27.86125};
    DocumentSet document;
    AddChannel(document, CB, 7, 3, "27.00500", cb);
    ChannelRecord &memory = document.memories.at(65);
    memory.Present = 1;
    memory.MemChannelId = 3;
    QCOMPARE(cell(document, CB, 7, 41, cb), QString("27.00500"));
    QCOMPARE(rowRecord(document, CB, 7, 41), &memory);
    memory.MemChannelId = 255;
    QCOMPARE(cell(document, CB, 7, 41, cb), QString());
    memory.MemChannelId = 3;
    memory.Present = 0;
    QCOMPARE(cell(document, CB, 7, 41, cb), QString());
    // CB frequencies are not typed in.
    QCOMPARE(CommitFrequencyText(document, CB, 7, 3, "27.1", true, cb).outcome,
             FrequencyOutcome::Unchanged);
}

void TestChannelGrid::copyTakesTheMemoriesOfCbMemoryRows()
{
    const BandLimits cb{26.965, 27.86125};
    DocumentSet document;
    AddChannel(document, CB, 3, 40, "27.40500", cb);
    AddMemoryChannel(document.memories, 1, "27.00500", cb);
    AddMemoryChannel(document.memories, 33, "27.10500", cb);
    document.memories.at(33).Mode = 2;
    // Group 1 shows memories 1..16 on rows 41..56, group 3 memories 33..48 on rows 81..96.
    std::vector<ClipRow> rows = copyRows(document, CB, 1, 41, 42);
    QCOMPARE(rows.size(), std::size_t(2));
    QVERIFY(rows[0] && rows[0]->RxDigits == document.memories.at(1).RxDigits);
    QVERIFY(!rows[1]); // memory 2 is absent
    rows = copyRows(document, CB, 3, 81, 200);
    QCOMPARE(rows.size(), std::size_t(16));
    QVERIFY(rows[0] && rows[0]->Mode == 2);
    // A block of channel rows stops at the group's size; rows 41..80 of group 3 give nothing.
    QCOMPARE(copyRows(document, CB, 3, 40, 50).size(), std::size_t(1));
    QVERIFY(copyRows(document, CB, 3, 41, 41).empty());
}

void TestChannelGrid::typedFrequency_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<QString>("shown");
    QTest::newRow("28.5 into an empty row")
        << 5 << "28.5" << int(FrequencyOutcome::Added) << false << "28.50000";
    QTest::newRow("new frequency")
        << 1 << "29.1234" << int(FrequencyOutcome::Changed) << false << "29.12340";
    QTest::newRow("31 refused, the channel kept")
        << 1 << "31" << int(FrequencyOutcome::Refused) << true << "28.01500";
    QTest::newRow("typo 2.85 refused")
        << 2 << "2.85" << int(FrequencyOutcome::Refused) << true << "28.02500";
    QTest::newRow("cleared removes") << 2 << "" << int(FrequencyOutcome::Removed) << false << "";
    QTest::newRow("dots only refused")
        << 2 << "..." << int(FrequencyOutcome::Refused) << true << "28.02500";
    QTest::newRow("31 into an empty row refused")
        << 9 << "31" << int(FrequencyOutcome::Refused) << true << "";
    QTest::newRow("empty row stays empty")
        << 9 << "" << int(FrequencyOutcome::Unchanged) << false << "";
    QTest::newRow("same frequency")
        << 1 << "28.01500" << int(FrequencyOutcome::Unchanged) << false << "28.01500";
}

void TestChannelGrid::typedFrequency()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(bool, warned);
    QFETCH(QString, shown);
    DocumentSet document = hamDocument({{1, "28.01500"}, {2, "28.02500"}});
    const FrequencyCommit commit =
        CommitFrequencyText(document, HAM, 1, row, typed.toStdString(), true, kHam);
    QCOMPARE(int(commit.outcome), outcome);
    QCOMPARE(commit.message == FrequencyMessage::OutOfRange, warned);
    QCOMPARE(cell(document, HAM, 1, row, kHam), shown);
    if (commit.outcome == FrequencyOutcome::Added) {
        const ChannelRecord &added = *rowRecord(document, HAM, 1, row);
        QCOMPARE(added.Scan, 1);
        QCOMPARE(added.NoiseBlanker, 1);
        QCOMPARE(added.Mode, 0);
        QCOMPARE(added.TxDigits, added.RxDigits);
    }
}

void TestChannelGrid::lastChannelOfTheOnlyValidGroupIsKept()
{
    DocumentSet document = hamDocument({{1, "28.01500"}});
    for (int group = 2; group <= 12; ++group)
        document.settings.options.groupNames.valid.at(HAM, group) = 0;
    const FrequencyCommit commit = CommitFrequencyText(document, HAM, 1, 1, "", true, kHam);
    QCOMPARE(commit.outcome, FrequencyOutcome::Kept);
    QCOMPARE(cell(document, HAM, 1, 1, kHam), QString("28.01500"));
}

void TestChannelGrid::insertAtTheLastRowReplacesIt()
{
    DocumentSet document = hamDocument({});
    for (int number = 1; number <= 40; ++number)
        AddChannel(document, HAM, 1, number, "28.10000", kHam);
    ChannelRecord clip = *rowRecord(document, HAM, 1, 1);
    clip.RxDigits.assign("2950000");
    QVERIFY(insertRows(document, HAM, 1, 40, {clip}));
    QCOMPARE(document.channelCount(HAM, 1), 40);
    QCOMPARE(cell(document, HAM, 1, 40, kHam), QString("29.50000"));
    QCOMPARE(cell(document, HAM, 1, 39, kHam), QString("28.10000"));
}

void TestChannelGrid::insertBlockMovesTheRowsBelow()
{
    DocumentSet document =
        hamDocument({{1, "28.1"}, {2, "28.2"}, {3, "28.3"}, {39, "28.39"}, {40, "28.4"}});
    const std::vector<ClipRow> block = copyRows(document, HAM, 1, 1, 2);
    QVERIFY(insertRows(document, HAM, 1, 2, block));
    QStringList shown;
    for (int row : {1, 2, 3, 4, 5, 40})
        shown << cell(document, HAM, 1, row, kHam);
    // 39 and 40 dropped out at the end; 2 and 3 moved to 4 and 5.
    QCOMPARE(shown, (QStringList{"28.10000", "28.10000", "28.20000", "28.20000", "28.30000", ""}));
    QVERIFY(deleteRows(document, HAM, 1, 2, 4));
    QCOMPARE(document.channelCount(HAM, 1), 2);
    // An empty clipboard row empties the row it is pasted to.
    QVERIFY(pasteRows(document, HAM, 1, 1, {ClipRow()}));
    QCOMPARE(cell(document, HAM, 1, 1, kHam), QString());
}

void TestChannelGrid::pasteAndDeleteInTheVfoGroup()
{
    DocumentSet document;
    AddChannel(document, HF, 17, 1, "27.00000", kHf);
    QVERIFY(!deleteRows(document, HF, 17, 1, 1));
    QVERIFY(!insertRows(document, HF, 17, 1, {ClipRow()}));
    ChannelRecord clip = *rowRecord(document, HF, 17, 1);
    clip.RxDigits.assign("2600000");
    QVERIFY(pasteRows(document, HF, 17, 1, {clip, clip}));
    QCOMPARE(document.channelCount(HF, 17), 1);
    QCOMPARE(cell(document, HF, 17, 1, kHf), QString("26.00000"));
}

void TestChannelGrid::groupValid()
{
    DocumentSet document = hamDocument({});
    for (int group = 3; group <= 12; ++group)
        QCOMPARE(SetGroupValid(document, HAM, group, false, kHam), GroupValidChange::Changed);
    QCOMPARE(SetGroupValid(document, HAM, 2, false, kHam), GroupValidChange::Changed);
    // Group 1 is the last valid one.
    QCOMPARE(SetGroupValid(document, HAM, 1, false, kHam), GroupValidChange::Refused);
    QCOMPARE(document.settings.options.groupNames.valid.at(HAM, 1), 1);
    // A group that becomes valid without a channel gets channel 1 at its default frequency.
    QCOMPARE(SetGroupValid(document, HAM, 4, true, kHam), GroupValidChange::Changed);
    QCOMPARE(cell(document, HAM, 4, 1, kHam), QString("28.08500"));
    QCOMPARE(SetGroupValid(document, HAM, 11, true, kHam), GroupValidChange::Changed);
    QCOMPARE(document.channelCount(HAM, 11), 0);
}

void TestChannelGrid::textPaste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("badLines");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("holdsFrequencies");
    QTest::newRow("one a line") << "28.1\n28.2\r\n\n"
                                << QList<int>{} << QStringList{"28.10000", "28.20000", ""} << true;
    QTest::newRow("copied rows") << "3\t28.11\tOff\tOFF\n4\t\tOff\n5\t29.5\n"
                                 << QList<int>{} << QStringList{"28.11000", "", "29.50000"} << true;
    QTest::newRow("bad lines") << "28.1\nabc\n31\n"
                               << QList<int>{2, 3}
                               << QStringList{"28.01500", "28.02500", "28.03000"} << true;
    QTest::newRow("beyond the group") << QString("28.1\n").repeated(40) << QList<int>{40}
                                      << QStringList{"28.01500", "28.02500", "28.03000"} << true;
    QTest::newRow("no frequency at all")
        << "see you at the club\n"
        << QList<int>{1} << QStringList{"28.01500", "28.02500", "28.03000"} << false;
}

void TestChannelGrid::textPaste()
{
    DocumentSet document = hamDocument({{1, "28.015"}, {2, "28.025"}, {3, "28.030"}});
    QFETCH(QString, text);
    QFETCH(QList<int>, badLines);
    QFETCH(QStringList, shown);
    QFETCH(bool, holdsFrequencies);
    TextPaste paste = parseFrequencyLines(text.toStdString(), kHam);
    QCOMPARE(paste.holdsFrequencies, holdsFrequencies);
    const DocumentSet before = document;
    const bool applied = pasteFrequencyLines(document, HAM, 1, 2, paste, kHam);
    QCOMPARE(QList<int>(paste.badLines.begin(), paste.badLines.end()), badLines);
    QCOMPARE(applied, paste.badLines.empty());
    if (!applied)
        QVERIFY(document == before);
    const QStringList cells{cell(document, HAM, 1, 2, kHam), cell(document, HAM, 1, 3, kHam),
                            cell(document, HAM, 1, 4, kHam)};
    QStringList expected = shown;
    if (!applied)
        expected = {"28.02500", "28.03000", ""};
    QCOMPARE(cells, expected);
}

void TestChannelGrid::undoStateGivesBackTheFileBytes()
{
    DocumentSet document = hamDocument({{1, "28.015"}, {2, "28.025"}});
    document.settings.emergency.values[EmergencySettings::kHamBand] = 0;
    document.settings.emergency.values[EmergencySettings::kHamChannel] = 1;
    const std::vector<std::uint8_t> start = packed(document);
    const GroupState before = takeGroupState(document, HAM, 1);
    // Clearing channel 2 removes it and drops the emergency setting that named it.
    CommitFrequencyText(document, HAM, 1, 2, "", true, kHam);
    QCOMPARE(document.settings.emergency.values[EmergencySettings::kHamChannel], kNoChannel);
    const GroupState after = takeGroupState(document, HAM, 1);
    QVERIFY(packed(document) != start);
    applyGroupState(document, after, before);
    QCOMPARE(packed(document), start);
    applyGroupState(document, before, after);
    QVERIFY(packed(document) != start);
}

void TestChannelGrid::modelPassesTheTester()
{
    AppContext context;
    context.document.working() = hamDocument({{1, "28.015"}, {7, "28.5"}});
    context.document.setBandText("28.0000 - 29.7000 MHz");
    ChannelGridModel model(context);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setGroup(HAM, 1);
    QCOMPARE(model.rowCount(), 40);
    QCOMPARE(model.index(6, 1).data().toString(), QString("28.50000"));
    QVERIFY(model.setData(model.index(2, 1), "28.3"));
    QCOMPARE(model.index(2, 1).data().toString(), QString("28.30000"));
    QVERIFY(!model.setData(model.index(2, 1), "31"));
    QCOMPARE(model.lastCommit().message, FrequencyMessage::OutOfRange);
    QCOMPARE(model.index(2, 1).data().toString(), QString("28.30000"));
    QVERIFY(model.setData(model.index(2, 1), ""));
    QCOMPARE(model.index(2, 1).data().toString(), QString());
    QVERIFY(!model.setData(model.index(2, 0), "28.3"));
    model.setGroup(HAM, 13);
    QCOMPARE(model.index(98, 0).data().toString(), QString("M99"));
    model.setGroup(CB, 3);
    QCOMPARE(model.rowCount(), 96);
    QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
    model.redrawAll();
}

// Rows 1..5 of HAM group 1 as the grid shows them, each frequency with its mode.
static QStringList hamRows(const DocumentSet &document)
{
    QStringList rows;
    for (int row = 1; row <= 5; ++row) {
        const ChannelRecord *record = rowRecord(document, HAM, 1, row);
        rows << (record ? cell(document, HAM, 1, row, kHam) + "/" + QString::number(record->Mode)
                        : QString());
    }
    return rows;
}

void TestChannelGrid::movesAndSorting_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("rows");
    // Before: 1 28.3/FM(0), 2 28.1/AM(1), 3 empty, 4 28.2/USB(2), 5 empty.
    QTest::newRow("sort") << "sort" << true
                          << QStringList{"28.10000/1", "28.20000/2", "", "28.30000/0", ""};
    QTest::newRow("row 2 up") << "up 2" << true
                              << QStringList{"28.10000/1", "28.30000/0", "", "28.20000/2", ""};
    QTest::newRow("row 2 down into an empty row")
        << "down 2" << true << QStringList{"28.30000/0", "", "28.10000/1", "28.20000/2", ""};
    QTest::newRow("row 1 up, past the top")
        << "up 1" << false << QStringList{"28.30000/0", "28.10000/1", "", "28.20000/2", ""};
    QTest::newRow("two empty rows")
        << "down 3" << true << QStringList{"28.30000/0", "28.10000/1", "28.20000/2", "", ""};
    QTest::newRow("CB keeps its channel plan") << "cb" << false << QStringList{};
    QTest::newRow("a VFO group holds one channel") << "vfo" << false << QStringList{};
}

void TestChannelGrid::movesAndSorting()
{
    QFETCH(QString, operation);
    QFETCH(bool, changed);
    QFETCH(QStringList, rows);
    DocumentSet document = hamDocument({{1, "28.3"}, {2, "28.1"}, {4, "28.2"}});
    for (int row : {1, 2, 4})
        rowRecord(document, HAM, 1, row)->Mode = std::int16_t(row == 1 ? 0 : row == 2 ? 1 : 2);
    if (operation == "cb") {
        AddChannel(document, CB, 1, 1, "26.965", kHf);
        QCOMPARE(channelMoveRefusal(CB, 1), MoveRefusal::FixedChannelPlan);
        QVERIFY(!sortGroupByFrequency(document, CB, 1));
        QVERIFY(!moveRow(document, CB, 1, 2, -1));
        return;
    }
    if (operation == "vfo") {
        QCOMPARE(channelMoveRefusal(HAM, vfoGroup(HAM)), MoveRefusal::SingleChannel);
        QVERIFY(!moveRow(document, HAM, vfoGroup(HAM), 1, 1));
        return;
    }
    const int count = document.channelCount(HAM, 1);
    const QStringList words = operation.split(' ');
    const bool done = words[0] == "sort"
                          ? sortGroupByFrequency(document, HAM, 1)
                          : moveRow(document, HAM, 1, words[1].toInt(), words[0] == "up" ? -1 : 1);
    QCOMPARE(done, changed);
    QCOMPARE(hamRows(document), rows);
    QCOMPARE(document.channelCount(HAM, 1), count);
}

void TestChannelGrid::findFrequencyEverywhere()
{
    DocumentSet document = hamDocument({{3, "28.5"}, {7, "29.05"}});
    AddChannel(document, HF, 2, 12, "28.505", kHf);
    document.memories.at(5).Present = 1;
    document.memories.at(5).RxDigits.assign("2850000");
    const std::vector<ChannelHit> hits = findFrequency(document, "28.50");
    QCOMPARE(hits, (std::vector<ChannelHit>{{HF, 2, 12}, {HAM, 1, 3}, {-1, 0, 5}}));
    QCOMPARE(findFrequency(document, "2905"), (std::vector<ChannelHit>{{HAM, 1, 7}}));
    QVERIFY(findFrequency(document, "31.1").empty());
    QVERIFY(findFrequency(document, " ").empty());
}

QTEST_MAIN(TestChannelGrid)
#include "tst_channelgrid.moc"
