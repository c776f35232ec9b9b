#include <QTest>

#include <string>
#include <vector>

#include "kernel/IniDocument.h"
#include "kernel/TextSize.h"
#include "kernel/TypedSearch.h"

// The text size ladder as the per-user store keeps it, and the item typed text picks in a list.
class TestTextSizeAndSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textSizeWalksTheLadder_data();
    void textSizeWalksTheLadder();
    void typedTextPicksAnItem_data();
    void typedTextPicksAnItem();
};

void TestTextSizeAndSearch::textSizeWalksTheLadder_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("larger");
    QTest::addColumn<int>("smaller");
    QTest::newRow("nothing stored") << "" << 100 << 115 << 90;
    QTest::newRow("on the ladder") << "150" << 150 << 175 << 130;
    QTest::newRow("largest stays") << "200" << 200 << 200 << 175;
    QTest::newRow("smallest stays") << "80" << 80 << 90 << 80;
    QTest::newRow("between steps goes down") << "140" << 130 << 150 << 115;
    QTest::newRow("beyond the largest") << "900" << 200 << 200 << 175;
    QTest::newRow("below the smallest") << "10" << 80 << 90 << 80;
    QTest::newRow("not a number") << "big" << 100 << 115 << 90;
    QTest::newRow("trailing junk") << "150%" << 100 << 115 << 90;
    QTest::newRow("negative") << "-150" << 80 << 90 << 80;
}

void TestTextSizeAndSearch::textSizeWalksTheLadder()
{
    QFETCH(QString, stored);
    QFETCH(int, percent);
    QFETCH(int, larger);
    QFETCH(int, smaller);
    MemoryIniStore settings;
    if (!stored.isEmpty())
        settings.writeString("Settings", "TextSizePercent", stored.toStdString());
    TextSize size(settings);
    QCOMPARE(size.percent(), percent);
    QCOMPARE(size.larger(), larger);
    QCOMPARE(size.percent(), larger);
    QCOMPARE(settings.readString("Settings", "TextSizePercent"), std::to_string(larger));
    settings.writeString("Settings", "TextSizePercent", std::to_string(percent));
    QCOMPARE(size.smaller(), smaller);
    QCOMPARE(size.reset(), 100);
    QCOMPARE(TextSize(settings).percent(), 100);
}

void TestTextSizeAndSearch::typedTextPicksAnItem_data()
{
    const QStringList tones{"Off",           "C_001(67.0Hz)", "C_007(82.5Hz)",
                            "C_008(88.5Hz)", "D_001(023N)",   "D_002(025N)"};
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("found");
    QTest::newRow("the value in brackets") << tones << "88.5" << 0 << 3;
    QTest::newRow("the first value of a prefix") << tones << "8" << 0 << 2;
    QTest::newRow("a longer prefix") << tones << "88" << 2 << 3;
    QTest::newRow("the code as shown") << tones << "C_008" << 0 << 3;
    QTest::newRow("letters without case") << tones << "d_002" << 0 << 5;
    QTest::newRow("a DCS code") << tones << "025" << 0 << 5;
    QTest::newRow("wraps round from the start") << tones << "Off" << 4 << 0;
    QTest::newRow("the start itself counts") << tones << "D" << 5 << 5;
    QTest::newRow("nothing matches") << tones << "9" << 0 << -1;
    QTest::newRow("a start outside the list") << tones << "C" << 99 << 1;
    QTest::newRow("nothing typed") << tones << "" << 0 << -1;
    QTest::newRow("an empty list") << QStringList{} << "8" << 0 << -1;
    QTest::newRow("an unclosed bracket") << QStringList{"A(12"} << "12" << 0 << 0;
    QTest::newRow("longer than the item") << QStringList{"C_0"} << "C_008" << 0 << -1;
}

void TestTextSizeAndSearch::typedTextPicksAnItem()
{
    QFETCH(QStringList, items);
    QFETCH(QString, typed);
    QFETCH(int, start);
    QFETCH(int, found);
    std::vector<std::string> list;
    for (const QString &item : items)
        list.push_back(item.toStdString());
    QCOMPARE(typedItem(list, typed.toStdString(), start), found);
}

QTEST_APPLESS_MAIN(TestTextSizeAndSearch)
#include "tst_textsizeandsearch.moc"
