#include <QTest>

#include <set>
#include <tuple>
#include <type_traits>
#include <vector>

#include "options/OptionTable.h"
#include "radio/OptionRecord.h"
#include "radio/SettingsRecord.h"

// How the option window shows stored values and stores choices.
class TestOptionTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listTextForValue_data();
    void listTextForValue();
    void shownText_data();
    void shownText();
    void checkBoxes_data();
    void checkBoxes();
    void storedValueForChoice_data();
    void storedValueForChoice();
    void itemLists_data();
    void itemLists();
    void saveIdentifiers_data();
    void saveIdentifiers();
    void everyRowIsComplete();
    void everyListRowShowsItsFieldsList();
};

namespace {

// What a test row changes in a new document before looking at the control.
enum Setup
{
    Plain,
    VariantZero,
    ToneSet1Undefined,
    Code3Empty,
    VfoKeyHidden,
};

const OptionRow &rowOf(int control, int index, int set = -1)
{
    const OptionRow *row = findOptionRow(OptionControl(control), index, set);
    if (!row)
        qFatal("no option row %d/%d/%d", control, index, set);
    return *row;
}

SettingsRecord newDocument()
{
    SettingsRecord settings;
    ApplyNewDocumentDefaults(settings, "20260101", 1);
    for (int n = 1; n <= kDtmfCodeCount; ++n)
        settings.options.dtmfCodes[static_cast<std::size_t>(n - 1)].assign("12");
    return settings;
}

constexpr int kCombo = int(OptionControl::Combo1);
constexpr int kPublic = int(OptionControl::PublicBox);
constexpr int kCheck = int(OptionControl::Check1);

} // namespace

void TestOptionTable::listTextForValue_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    const QStringList three{"a", "b", "c"};
    QTest::newRow("first") << three << 0 << "a";
    QTest::newRow("last") << three << 2 << "c";
    QTest::newRow("just beyond") << three << 3 << "a";
    QTest::newRow("negative") << three << -1 << "a";
    QTest::newRow("far beyond") << three << 40000 << "a";
    QTest::newRow("empty list") << QStringList() << 0 << "";
}

void TestOptionTable::listTextForValue()
{
    QFETCH(QStringList, items);
    QFETCH(int, value);
    QFETCH(QString, text);
    std::vector<std::string> list;
    for (const QString &item : items)
        list.push_back(item.toStdString());
    QCOMPARE(QString::fromStdString(ListTextForValue(list, value)), text);
}

void TestOptionTable::shownText_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    auto row = [](const char *name, int control, int index, int set, int value, int setup,
                  int language, const char *text) {
        QTest::newRow(name) << control << index << set << value << setup << language
                            << QString::fromUtf8(text);
    };
    row("Roger 0 shows OFF", kPublic, 9, 0, 0, Plain, English, "OFF");
    row("Roger 128 shows the second item", kPublic, 9, 1, 128, Plain, English, "1");
    row("Roger 128 with set 1 undefined", kPublic, 9, 2, 128, ToneSet1Undefined, English, "OFF");
    row("Roger 129 with set 1 undefined", kPublic, 9, 2, 129, ToneSet1Undefined, English, "2");
    row("Roger 132 is set 5", kPublic, 9, 0, 132, Plain, English, "5");
    row("Roger 127 shows OFF", kPublic, 9, 0, 127, Plain, Chinese, "关");
    row("Roger beyond the defined sets", kPublic, 9, 0, 140, Plain, English, "OFF");
    row("TOT 0", kCombo, 9, -1, 0, Plain, English, "Off");
    row("TOT 0 Chinese", kCombo, 9, -1, 0, Plain, Chinese, "关");
    row("TOT 3", kCombo, 9, -1, 3, Plain, English, "30s");
    row("TOT 4 rounds down", kCombo, 9, -1, 4, Plain, English, "30s");
    row("TOT 5 rounds up", kCombo, 9, -1, 5, Plain, English, "60s");
    row("TOT 60", kCombo, 9, -1, 60, Plain, English, "600s");
    row("TOT 61", kCombo, 9, -1, 61, Plain, English, "600s");
    row("TOT 62 is beyond the list", kCombo, 9, -1, 62, Plain, English, "Off");
    row("ANL 1", kPublic, 4, 0, 1, Plain, Chinese, "ON");
    row("ANL 2 shows OFF", kPublic, 4, 1, 2, Plain, English, "OFF");
    row("ANL 3 shows OFF", kPublic, 4, 2, 3, Plain, English, "OFF");
    row("NB off in Chinese", kPublic, 1, 0, 0, Plain, Chinese, "关");
    row("NB on in Chinese", kPublic, 1, 0, 1, Plain, Chinese, "ON");
    row("HI-CUT on in Chinese", kPublic, 0, 0, 1, Plain, Chinese, "开");
    row("Mode 1", kPublic, 5, 0, 1, Plain, English, "AM");
    row("Mode PA", kPublic, 5, 0, 4, Plain, English, "PA");
    row("CLA.SET 3", kCombo, 11, -1, 3, Plain, English, "RT");
    row("CLA.SET 3 with variant 0", kCombo, 11, -1, 3, VariantZero, English, "Off");
    row("CLA.SET 1 with variant 0", kCombo, 11, -1, 1, VariantZero, English, "R");
    row("CW Freq 30", kCombo, 47, -1, 30, Plain, English, "300");
    row("CW Freq 300", kCombo, 47, -1, 300, Plain, English, "3000");
    row("CW Freq 301", kCombo, 47, -1, 301, Plain, English, "300");
    row("CW Freq 0", kCombo, 47, -1, 0, Plain, English, "300");
    row("MIC 30", kCombo, 3, -1, 30, Plain, English, "31");
    row("Hold Time 31", kCombo, 15, -1, 31, Plain, English, "Infinite");
    row("Cw Bkin 100", kCombo, 55, -1, 100, Plain, English, "1000ms");
    row("ASQ Level 1", kCombo, 24, -1, 1, Plain, English, "ON");
    row("ASQ Level 2 selects nothing", kCombo, 24, -1, 2, Plain, English, "");
    row("beep switch", kCombo, 71, -1, 0x83, Plain, English, "On");
    row("beep level", kCombo, 72, -1, 0x83, Plain, English, "4");
    row("beep level beyond the list", kCombo, 72, -1, 0x85, Plain, English, "");
    row("key VFO", kCombo, 42, -1, 2, Plain, English, "VFO");
    row("key VFO while hidden", kCombo, 42, -1, 2, VfoKeyHidden, English, "");
    row("key INDIC", kCombo, 45, -1, 14, Plain, English, " INDIC“");
    row("key beyond the list", kCombo, 67, -1, 17, Plain, English, "Off");
    row("BOT 3", kPublic, 6, 0, 3, Plain, English, "3");
    row("BOT 3 with an empty code", kPublic, 6, 0, 3, Code3Empty, English, "OFF");
    row("CALL 0", kPublic, 8, 2, 0, Plain, Chinese, "关");
    row("CB PUBLIC 0", kCombo, 58, -1, 0, Plain, English, "On");
    row("INDIC Chinese list", kCombo, 2, -1, 1, Plain, Chinese, "SWR");
    row("SCN.TYPE Chinese", kCombo, 10, -1, 1, Plain, Chinese, "时间扫描");
}

void TestOptionTable::shownText()
{
    QFETCH(int, control);
    QFETCH(int, index);
    QFETCH(int, set);
    QFETCH(int, value);
    QFETCH(int, setup);
    QFETCH(int, language);
    QFETCH(QString, text);
    SettingsRecord settings = newDocument();
    if (setup == VariantZero)
        settings.singleBytes[BesideValue::kVariantByte] = 0;
    if (setup == ToneSet1Undefined)
        settings.toneTips.set(1).recycleTimes = 0;
    if (setup == Code3Empty)
        settings.options.dtmfCodes[2].assign("");
    const OptionRow &row = rowOf(control, index, set);
    row.field.set(settings, value);
    QCOMPARE(QString::fromStdString(::shownText(row, settings, language, setup != VfoKeyHidden)),
             text);
}

void TestOptionTable::checkBoxes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("SWR Protect 2") << 3 << 2 << true;
    QTest::newRow("TDC.SET 2") << 4 << 2 << true;
    QTest::newRow("VOX Function 2") << 0 << 2 << true;
    QTest::newRow("MEM Menu 2") << 1 << 2 << false;
    QTest::newRow("MEM Menu 1") << 1 << 1 << true;
    QTest::newRow("SWR Protect 0") << 3 << 0 << false;
    QTest::newRow("FM Enable 1") << 5 << 1 << true;
    QTest::newRow("CW Enable 0") << 10 << 0 << false;
}

void TestOptionTable::checkBoxes()
{
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(bool, ticked);
    SettingsRecord settings;
    const OptionRow &row = rowOf(kCheck, index);
    row.field.set(settings, value);
    QCOMPARE(shownChecked(row, settings), ticked);
}

void TestOptionTable::storedValueForChoice_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::newRow("TOT stores a multiple of 3") << kCombo << 9 << -1 << 4 << 2 << "60s" << 6;
    QTest::newRow("CW Freq") << kCombo << 47 << -1 << 0 << 0 << "300" << 30;
    QTest::newRow("Roger OFF") << kPublic << 9 << 0 << 130 << 0 << "OFF" << 0;
    QTest::newRow("Roger 3") << kPublic << 9 << 1 << 0 << 3 << "3" << 130;
    QTest::newRow("BOT 12") << kPublic << 6 << 2 << 0 << 5 << "12" << 12;
    QTest::newRow("BOT OFF") << kPublic << 6 << 2 << 12 << 0 << "OFF" << 0;
    QTest::newRow("EOT not a number") << kPublic << 7 << 0 << 4 << 0 << "x1" << 0;
    QTest::newRow("key by text, not by index") << kCombo << 42 << -1 << 0 << 2 << "NB" << 3;
    QTest::newRow("key Scan") << kCombo << 67 << -1 << 0 << 15 << "Scan" << 16;
    QTest::newRow("beep switch keeps the level") << kCombo << 71 << -1 << 3 << 1 << "On" << 131;
    QTest::newRow("beep level keeps the switch") << kCombo << 72 << -1 << 0x80 << 4 << "5" << 132;
    QTest::newRow("beep switch off") << kCombo << 71 << -1 << 0x84 << 0 << "Off" << 4;
    QTest::newRow("plain index") << kCombo << 61 << -1 << 0 << 6 << "WHITE" << 6;
}

void TestOptionTable::storedValueForChoice()
{
    QFETCH(int, control);
    QFETCH(int, index);
    QFETCH(int, set);
    QFETCH(int, before);
    QFETCH(int, listIndex);
    QFETCH(QString, text);
    QFETCH(int, stored);
    SettingsRecord settings = newDocument();
    const OptionRow &row = rowOf(control, index, set);
    row.field.set(settings, before);
    storeChoice(row, settings, listIndex, text.toStdString());
    QCOMPARE(row.field.get(settings), stored);
}

void TestOptionTable::itemLists_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("last");
    QTest::newRow("CW Freq") << kCombo << 47 << 271 << "300"
                             << "310"
                             << "3000";
    QTest::newRow("TOT") << kCombo << 9 << 21 << "Off"
                         << "30s"
                         << "600s";
    QTest::newRow("Cw Bkin") << kCombo << 55 << 101 << "Off"
                             << "10ms"
                             << "1000ms";
    QTest::newRow("Hold Time") << kCombo << 15 << 32 << "OFF"
                               << "1S"
                               << "Infinite";
    QTest::newRow("Hold Delay") << kCombo << 16 << 11 << "30ms"
                                << "1S"
                                << "5.5S";
    QTest::newRow("SQL") << kCombo << 53 << 80 << "OFF"
                         << "1"
                         << "79";
    QTest::newRow("CW BEEP") << kCombo << 48 << 64 << "OFF"
                             << "1"
                             << "63";
    QTest::newRow("MIC") << kCombo << 3 << 45 << "1"
                         << "2"
                         << "45";
    QTest::newRow("NOG.SET.") << kCombo << 8 << 33 << "Off"
                              << "1"
                              << "32";
    QTest::newRow("Vol Data") << kCombo << 37 << 64 << "1"
                              << "2"
                              << "64";
    QTest::newRow("Menu Colour") << kCombo << 61 << 7 << "RED"
                                 << "GREEN"
                                 << "WHITE";
    QTest::newRow("Ptt Sleep") << kCombo << 44 << 5 << "Off"
                               << "1 min"
                               << "4 min";
    QTest::newRow("VFO Step") << kCombo << 36 << 7 << "10Hz"
                              << "100Hz"
                              << "1M";
    QTest::newRow("key functions") << kCombo << 54 << 17 << "Off"
                                   << "VOX"
                                   << "Scan";
    QTest::newRow("Roger of a new document") << kPublic << 9 << 6 << "OFF"
                                             << "1"
                                             << "5";
    QTest::newRow("BOT with every code") << kPublic << 6 << 17 << "OFF"
                                         << "1"
                                         << "16";
    QTest::newRow("CLA.SET") << kCombo << 11 << 4 << "Off"
                             << "R"
                             << "RT";
}

void TestOptionTable::itemLists()
{
    QFETCH(int, control);
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, last);
    const SettingsRecord settings = newDocument();
    const auto items =
        optionItems(rowOf(control, index, control == kPublic ? 0 : -1), settings, English);
    QCOMPARE(int(items.size()), count);
    QCOMPARE(QString::fromStdString(items[0]), first);
    QCOMPARE(QString::fromStdString(items[1]), second);
    QCOMPARE(QString::fromStdString(items.back()), last);
}

void TestOptionTable::saveIdentifiers_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("identifier");
    QTest::newRow("Combo1 47") << kCombo << 47 << -1 << 47;
    QTest::newRow("check1 3") << kCheck << 3 << -1 << 103;
    QTest::newRow("CB Roger") << kPublic << 9 << 0 << 209;
    QTest::newRow("HF Roger") << kPublic << 9 << 1 << 409;
    QTest::newRow("HAM HI-CUT") << kPublic << 0 << 2 << 300;
    QTest::newRow("TX.REP") << int(OptionControl::Text4) << 12 << -1 << -1;
}

void TestOptionTable::saveIdentifiers()
{
    QFETCH(int, control);
    QFETCH(int, index);
    QFETCH(int, set);
    QFETCH(int, identifier);
    QCOMPARE(saveIdentifier(rowOf(control, index, set)), identifier);
}

void TestOptionTable::everyRowIsComplete()
{
    const SettingsRecord settings = newDocument();
    std::set<std::tuple<int, int, int>> seen;
    int combos = 0;
    for (const OptionRow &row : optionRows()) {
        QVERIFY(seen.insert({int(row.control), row.index, row.publicSet}).second);
        QVERIFY(!row.label[English].empty());
        QVERIFY(!row.label[Chinese].empty());
        if (row.control == OptionControl::Combo1 || row.control == OptionControl::PublicBox) {
            QVERIFY(row.field);
            QVERIFY(!optionItems(row, settings, English).empty());
            QCOMPARE(optionItems(row, settings, Chinese).size(),
                     optionItems(row, settings, English).size());
        }
        combos += row.control == OptionControl::Combo1;
    }
    QCOMPARE(combos, 62); // boxes 0-72 less the parked 1, 4-7, 17, 20-22, 43 and 50
}

namespace {

// The description of every integer the field lists reach, with its value.
struct LeafCollector
{
    std::vector<std::pair<FieldDescription, int>> &leaves;

    template<typename T>
    void operator()(const FieldDescription &description, const T &field)
    {
        visit(description, field);
    }
    template<typename T>
    void visit(const FieldDescription &description, const T &field)
    {
        if constexpr (std::is_integral_v<T>)
            leaves.emplace_back(description, int(field));
        else if constexpr (IsStdArray<T>::value)
            for (const auto &element : field)
                visit(description, element);
        else if constexpr (IsKindGroupArray<T>::value)
            for (const auto &element : field.values)
                visit(description, element);
        else if constexpr (FieldListed<const T>)
            fields(field, *this);
    }
};

bool sameItems(const ItemList &a, const ItemList &b)
{
    const auto same = [](std::span<const TextEntry> x, std::span<const TextEntry> y) {
        return x.data() == y.data() && x.size() == y.size();
    };
    return a.source == b.source && same(a.head, b.head) && a.first == b.first &&
           a.count == b.count && a.step == b.step && a.suffix == b.suffix && same(a.tail, b.tail);
}

} // namespace

void TestOptionTable::everyListRowShowsItsFieldsList()
{
    // The window's list of a setting and the field list's (which the text form and its schema
    // use) are one list: the row's field is the field list's entry with the same items and rule.
    for (const OptionRow &row : optionRows()) {
        if (!row.field || row.rule == ShowRule::BeepSwitch || row.rule == ShowRule::BeepLevel)
            continue;
        SettingsRecord settings{};
        std::vector<std::pair<FieldDescription, int>> before;
        fields(settings, LeafCollector{before});
        row.field.set(settings, row.field.get(settings) + 1);
        std::vector<std::pair<FieldDescription, int>> after;
        fields(settings, LeafCollector{after});
        std::vector<FieldDescription> written;
        for (std::size_t k = 0; k < after.size(); ++k)
            if (after[k].second != before[k].second)
                written.push_back(after[k].first);
        const std::string name = std::string(row.label[English]) + " " + std::to_string(row.index);
        QVERIFY2(written.size() == 1, name.c_str());
        const FieldDescription &description = written.front();
        if (row.control == OptionControl::Check1) {
            QVERIFY2(description.form == FieldForm::Flag, name.c_str());
        } else if (row.control == OptionControl::Combo1 ||
                   row.control == OptionControl::PublicBox) {
            QVERIFY2(description.form == FieldForm::List, name.c_str());
            QVERIFY2(sameItems(description.items, row.items), name.c_str());
            QVERIFY2(description.rule == row.rule, name.c_str());
        }
    }
}

QTEST_APPLESS_MAIN(TestOptionTable)
#include "tst_optiontable.moc"
