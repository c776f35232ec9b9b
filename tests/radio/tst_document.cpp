#include <QTest>

#include "model/Band.h"
#include "model/FixedText.h"
#include "radio/Document.h"

class TestDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedTextTrimming_data();
    void fixedTextTrimming();
    void bandLimits_data();
    void bandLimits();
    void bandClass();
    void snapshotRefreshesIdentity();
    void snapshotCopiesOnlyCountedChannels();
    void restoreBringsBackTheSavedCopy();
    void restoreFollowsTheKindForBandText_data();
    void restoreFollowsTheKindForBandText();
};

void TestDocument::fixedTextTrimming_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("trimmed");
    QTest::newRow("padded") << QByteArray("AB  ") << QByteArray("AB");
    QTest::newRow("cut at NUL") << QByteArray("A\0 B", 4) << QByteArray("A");
    QTest::newRow("all spaces") << QByteArray("    ") << QByteArray("");
    QTest::newRow("leading space kept") << QByteArray(" A  ") << QByteArray(" A");
    QTest::newRow("NUL first") << QByteArray("\0XYZ", 4) << QByteArray("");
    // Trailing spaces go first, then the cut at a NUL: a space before the NUL stays.
    QTest::newRow("space before NUL") << QByteArray(" \0AB", 4) << QByteArray(" ");
    QTest::newRow("NUL then spaces") << QByteArray("A\0  ", 4) << QByteArray("A");
}

void TestDocument::fixedTextTrimming()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, trimmed);
    FixedText<4> text;
    std::copy(bytes.begin(), bytes.end(), text.bytes.begin());
    QCOMPARE(QByteArray::fromStdString(text.trimmed()), trimmed);
    QCOMPARE(QByteArray::fromStdString(text.raw()), bytes);
}

void TestDocument::bandLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::newRow("start band") << "28.0000 - 29.6990 MHz" << 28.0 << 29.699;
    QTest::newRow("CB") << "26.96500 - 27.86125 MHz" << 26.965 << 27.86125;
    QTest::newRow("no dash") << "28.0000 MHz" << 100.0 << 500.0;
    QTest::newRow("lower not a number") << "abc - 29.7 MHz" << 100.0 << 29.7;
    QTest::newRow("upper not a number") << "28.0 - xyz MHz" << 28.0 << 500.0;
    QTest::newRow("comma is no decimal point") << "28,0 - 29,7 MHz" << 100.0 << 500.0;
}

void TestDocument::bandLimits()
{
    QFETCH(QString, text);
    QFETCH(double, lower);
    QFETCH(double, upper);
    const BandLimits limits = parseBandLimits(text.toStdString());
    QCOMPARE(limits.lower, lower);
    QCOMPARE(limits.upper, upper);
}

void TestDocument::bandClass()
{
    QCOMPARE(bandClassFor("24.7150 - 30.1050 MHz"), 0);
    QCOMPARE(bandClassFor("28.0000 - 29.6990 MHz"), 1);
    QCOMPARE(bandClassFor("anything"), 1);
}

void TestDocument::snapshotRefreshesIdentity()
{
    Document document;
    document.working().settings.version.assign("V999");
    document.takeSnapshot();
    const IdentityRecord &identity = document.saved().settings.identity;
    QCOMPARE(identity.modelNameZ.raw(), std::string("ORX740\0", 7));
    QCOMPARE(identity.modelName.raw(), std::string("ORX740"));
    QCOMPARE(identity.modelCode, std::int16_t(248));
    QCOMPARE(identity.bandClass, std::int16_t(1)); // the start band is not the wide HF band
    QCOMPARE(document.saved().settings.version.raw(), std::string("V100"));
    QCOMPARE(document.dataFileVersion(), std::string("V100"));
}

void TestDocument::snapshotCopiesOnlyCountedChannels()
{
    Document document;
    DocumentSet &working = document.working();
    working.settings.channelCounts.at(0, 2) = 2;
    working.channels.entry(0, 2, 1).Number = 1;
    working.channels.entry(0, 2, 2).Number = 5;
    working.channels.entry(0, 2, 3).Number = 7; // beyond the count: not part of the document
    working.memories.at(96).Present = 1;
    document.takeSnapshot();

    const DocumentSet &saved = document.saved();
    QCOMPARE(saved.channels.entry(0, 2, 1).Number, std::int16_t(1));
    QCOMPARE(saved.channels.entry(0, 2, 2).Number, std::int16_t(5));
    QCOMPARE(saved.channels.entry(0, 2, 3).Number, std::int16_t(0));
    QCOMPARE(saved.memories.at(96).Present, std::int16_t(1));
}

void TestDocument::restoreBringsBackTheSavedCopy()
{
    Document document;
    DocumentSet &working = document.working();
    working.settings.currentKind = 0;
    working.settings.channelCounts.at(1, 17) = 1;
    working.channels.entry(1, 17, 1).RxDigits.assign("28500000");
    working.memories.at(3).Scan = 1;
    document.takeSnapshot();
    const DocumentSet before = document.working();

    working.settings.currentKind = 2;
    working.channels.entry(1, 17, 1).RxDigits.assign("29000000");
    working.memories.at(3).Scan = 0;
    int titleUpdates = 0;
    document.onTitleChanged = [&] { ++titleUpdates; };
    document.restoreSnapshot();

    QVERIFY(document.working() == before);
    QCOMPARE(titleUpdates, 1);
}

void TestDocument::restoreFollowsTheKindForBandText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("bandText");
    QTest::addColumn<int>("bandClass");
    QTest::newRow("CB") << 0 << "28.0000 - 29.6950 MHz" << 1;
    QTest::newRow("HF") << 1 << "24.7150 - 30.1050 MHz" << 0;
    QTest::newRow("HAM") << 2 << "28.0000 - 29.6990 MHz" << 1;
    QTest::newRow("out of range") << 7 << "28.0000 - 29.6990 MHz" << 1;
}

void TestDocument::restoreFollowsTheKindForBandText()
{
    QFETCH(int, kind);
    QFETCH(QString, bandText);
    QFETCH(int, bandClass);
    Document document;
    document.saved().settings.currentKind = static_cast<std::int16_t>(kind);
    document.restoreSnapshot();
    QCOMPARE(QString::fromStdString(document.bandText()), bandText);
    QCOMPARE(document.bandClass(), bandClass);
    QCOMPARE(document.bandLimits(), parseBandLimits(bandText.toStdString()));
}

QTEST_APPLESS_MAIN(TestDocument)
#include "tst_document.moc"
