#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "cli/FileVerbs.h"
#include "datafile/ChannelChart.h"
#include "datafile/ChannelColumns.h"
#include "datafile/QtDataFileStorage.h"
#include "radio/Document.h"

// The channel chart of the shipped new document, as orx740-cli chart writes it and pdftotext
// reads it back.
class TestChannelChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyFrequencyOfTheGroupIsInThePdf();
    void refusals_data();
    void refusals();
    void emptyChannelsAndGroupsAreLeftOut();

private:
    struct Run
    {
        int exitCode = -1;
        QString errors;
    };
    Run chart(const QStringList &arguments) const;

    QString m_cli;
    QString m_newDocument;
    QTemporaryDir m_dir;
};

void TestChannelChart::initTestCase()
{
    const QString root = qEnvironmentVariable("ORX740_STAGE_ROOT");
    m_cli = root + "/bin/orx740-cli";
    m_newDocument = root + "/bin/Init/0_KZ6666_New.dat";
    QVERIFY(QFile::exists(m_cli));
    QVERIFY(QFile::exists(m_newDocument));
}

TestChannelChart::Run TestChannelChart::chart(const QStringList &arguments) const
{
    QProcess process;
    process.start(m_cli, QStringList{"chart"} + arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TestChannelChart::everyFrequencyOfTheGroupIsInThePdf()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = m_dir.filePath("ham1.pdf");
    QCOMPARE(chart({m_newDocument, "--pdf", pdf, "--kind", "HAM", "--group", "1"}).exitCode, 0);
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(shown.contains("HAM group 1"));
    QVERIFY(shown.contains("0_KZ6666_New.dat"));

    QtDataFileStorage storage;
    Document document;
    QCOMPARE(readDataFilePair(storage, m_newDocument.toStdString(), document), std::string());
    const DocumentSet &set = document.working();
    QVERIFY(set.channelCount(HAM, 1) > 0);
    for (int index = 1; index <= set.channelCount(HAM, 1); ++index) {
        const std::string frequency =
            findChannelColumn("Frequency")->show(set.channels.entry(HAM, 1, index));
        QVERIFY2(shown.contains(QString::fromStdString(frequency)), frequency.c_str());
    }
    QVERIFY(!shown.contains("HAM group 2"));
}

void TestChannelChart::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown column") << QStringList{"NEW", "--pdf", "OUT", "--columns", "Colour"}
                                    << 2 << "unknown column Colour";
    QTest::newRow("group without kind")
        << QStringList{"NEW", "--pdf", "OUT", "--group", "2"} << 2 << "--group needs --kind";
    QTest::newRow("group the kind lacks")
        << QStringList{"NEW", "--pdf", "OUT", "--kind", "CB", "--group", "9"} << 2
        << "kind CB has no group 9";
    QTest::newRow("no such file") << QStringList{"missing.dat", "--pdf", "OUT"} << 1
                                  << "missing.dat: cannot be read";
    QTest::newRow("no --pdf") << QStringList{"NEW"} << 2 << "usage: chart FILE.dat --pdf";
}

void TestChannelChart::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString out = m_dir.filePath("refused.pdf");
    arguments.replaceInStrings("NEW", m_newDocument).replaceInStrings("OUT", out);
    const Run run = chart(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(out));
}

void TestChannelChart::emptyChannelsAndGroupsAreLeftOut()
{
    Document document;
    DocumentSet &set = document.working();
    for (int group = 1; group <= groupCount(HF); ++group)
        set.settings.channelCounts.at(HF, group) = group == 2 ? 1 : 0;
    set.channels.entry(HF, 2, 1).Number = 7;
    set.channels.entry(HF, 2, 1).Scan = 1;
    ChartOptions options;
    options.kind = HF;
    options.columns = {"Channel", "Scan", "Repeater", "RxTone"};
    options.language = Chinese;
    std::string error;
    const auto chart = channelChart(document, options, &error);
    QVERIFY(chart);
    QCOMPARE(chart->tables.size(), std::size_t(1));
    QVERIFY(chart->tables.front().title.starts_with("HF 组 2"));
    QCOMPARE(chart->tables.front().rows.front().front(), std::string("7"));
    QCOMPARE(chart->columnTitles.front(), std::string("信道"));
    // The switch words read as the channel window shows them in Chinese.
    QCOMPARE(chart->tables.front().rows.front(), (std::vector<std::string>{"7", "开", "关", "关"}));
}

QTEST_MAIN(TestChannelChart)
#include "tst_channelchart.moc"
