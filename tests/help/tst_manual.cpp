#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "help/HelpPages.h"
#include "help/Manual.h"
#include "lang/QtText.h"

// The manual's pages: every page in both languages, its links, and the shipped files.
class TestManual : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPageIsWrittenAndItsLinksResolve_data();
    void everyPageIsWrittenAndItsLinksResolve();
    void windowsAndTasksLinkEachOther();
};

void TestManual::everyPageIsWrittenAndItsLinksResolve_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(English);
    QTest::newRow("Chinese") << int(Chinese);
}

void TestManual::everyPageIsWrittenAndItsLinksResolve()
{
    QFETCH(int, language);
    const std::vector<std::string> names = manualPageNames();
    QVERIFY(names.size() > 8);
    const QString folder = qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/help/" +
                           qText(manualLanguageFolder(language)) + "/";
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\\.html\""));
    for (const std::string &name : names) {
        const QString page = qText(manualPage(name, language));
        QVERIFY2(page.contains(qText(manualPageTitle(name, language))), name.c_str());
        QVERIFY2(!manualPageTitle(name, language).empty(), name.c_str());
        // The shipped file is the page as the program makes it.
        QFile file(folder + qText(name) + ".html");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QCOMPARE(QString::fromUtf8(file.readAll()), page);
        for (const QRegularExpressionMatch &link : href.globalMatch(page)) {
            const std::string target = stdText(link.captured(1));
            QVERIFY2(std::find(names.begin(), names.end(), target) != names.end(),
                     std::string(name).append(" links ").append(target).c_str());
        }
    }
}

void TestManual::windowsAndTasksLinkEachOther()
{
    const std::string channels = manualPage("frmCommChInfo", English);
    QVERIFY(channels.find("href=\"task-copy-group.html\"") != std::string::npos);
    const std::string copy = manualPage("task-copy-group", English);
    QVERIFY(copy.find("href=\"frmCommChInfo.html\"") != std::string::npos);
    QVERIFY(manualPage("no-such-page", English).empty());
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
