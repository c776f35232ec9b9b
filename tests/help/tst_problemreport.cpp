#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/Subsystems.h"
#include "help/FrmProblemReport.h"
#include "help/ProblemReport.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

// The problem report hides who made it and holds exactly what its window lists, whether the
// window or the command-line companion writes it.
class TestProblemReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void personalMarkers_data();
    void personalMarkers();
    void companionReport_data();
    void companionReport();
    void windowListsAndSavesWhatGoesIn();

private:
    QString m_home; // the user "jo"'s home folder, below the temporary folder
    QTemporaryDir m_dir;
};

namespace {

// Every member of the zip file, read by Python's zipfile (which checks every CRC), by name.
QJsonObject zipMembers(const QString &path)
{
    QProcess python;
    python.start("python3", {"-c",
                             "import base64, json, sys, zipfile\n"
                             "z = zipfile.ZipFile(sys.argv[1])\n"
                             "assert z.testzip() is None\n"
                             "print(json.dumps({i.filename: base64.b64encode(z.read(i))"
                             ".decode() for i in z.infolist()}))",
                             path});
    if (!python.waitForFinished(20000) || python.exitCode() != 0)
        return {{"error", QString::fromUtf8(python.readAllStandardError())}};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QByteArray member(const QJsonObject &members, const QString &name)
{
    return QByteArray::fromBase64(members.value(name).toString().toLatin1());
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestProblemReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_home = m_dir.filePath("home/jo");
    QVERIFY(QDir().mkpath(m_home + "/.local/share/orx740"));
    QFile traces(m_home + "/.local/share/orx740/serial-traces.txt");
    QVERIFY(traces.open(QIODevice::WriteOnly));
    traces.write("Read from " + m_home.toUtf8() + "/radio-pty\n> 50 52 4F 47 52 41 4D\n");
    traces.close();
    qputenv("HOME", m_home.toUtf8());
    qputenv("USER", "jo");
    qputenv("XDG_DATA_HOME", (m_home + "/.local/share").toUtf8());
}

void TestProblemReport::personalMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marked");
    QTest::newRow("home folder") << "COM79=/home/jo/pty"
                                 << "COM79=<home>/pty";
    QTest::newRow("user name alone") << "owner jo, group jo."
                                     << "owner <user>, group <user>.";
    QTest::newRow("user name inside a word") << "joystick major"
                                             << "joystick major";
    QTest::newRow("host name") << "on radiobench:"
                               << "on <host>:";
    QTest::newRow("root names nobody") << "belongs to root"
                                       << "belongs to root";
}

void TestProblemReport::personalMarkers()
{
    QFETCH(QString, text);
    QFETCH(QString, marked);
    const PersonalMarkers jo{"jo", "radiobench", "/home/jo"};
    QCOMPARE(QString::fromStdString(withPersonalMarkers(text.toStdString(), jo)), marked);
    const PersonalMarkers root{"root", "radiobench", "/"};
    QCOMPARE(QString::fromStdString(withPersonalMarkers("/etc/x of root", root)),
             QStringLiteral("/etc/x of root"));
}

void TestProblemReport::companionReport_data()
{
    QTest::addColumn<bool>("withDocument");
    QTest::newRow("without the document") << false;
    QTest::newRow("with the document") << true;
}

// The companion runs from an installation of its own whose settings alias a device in the home
// folder, so the settings and the ports' facts both name the home folder.
void TestProblemReport::companionReport()
{
    QFETCH(bool, withDocument);
    const QString stage = qEnvironmentVariable("ORX740_STAGE_ROOT");
    const QString root = m_dir.filePath("install");
    QVERIFY(QDir().mkpath(root + "/bin") && QDir().mkpath(root + "/language"));
    QFile::copy(stage + "/bin/orx740-cli", root + "/bin/orx740-cli");
    QFile setup(root + "/language/mysetup.ini");
    QVERIFY(setup.open(QIODevice::WriteOnly));
    setup.write("[language]\r\ncomPort=79\r\n[ports]\r\nCOM79=" + m_home.toUtf8() +
                "/radio-pty\r\n");
    setup.close();

    const QString zip = m_dir.filePath("report.zip");
    const QString pair = stage + "/bin/Init/1_KZ6666.dat";
    QStringList arguments{"report", "--out", zip};
    if (withDocument)
        arguments << "--document" << pair;
    QProcess companion;
    companion.start(root + "/bin/orx740-cli", arguments);
    QVERIFY(companion.waitForFinished(30000));
    QCOMPARE(companion.exitCode(), 0);
    const QString listing = QString::fromUtf8(companion.readAllStandardOutput());

    const QJsonObject members = zipMembers(zip);
    QStringList expected{"about.txt", "ports.txt", "ports.json", "serial-traces.txt",
                         "mysetup.ini"};
    if (withDocument)
        expected << "document/1_KZ6666.dat"
                 << "document/1_KZ6666.fre";
    QCOMPARE(QStringList(members.keys()).size(), expected.size());
    for (const QString &name : expected) {
        QVERIFY2(members.contains(name), qPrintable(name));
        QVERIFY2(listing.contains(name + " ("), qPrintable(listing));
    }
    for (const QString name : {"mysetup.ini", "ports.txt", "serial-traces.txt"}) {
        const QString text = QString::fromUtf8(member(members, name));
        QVERIFY2(text.contains("<home>/radio-pty"), qPrintable(name + ": " + text));
        QVERIFY2(!text.contains(m_home) && !text.contains("/jo/"), qPrintable(text));
    }
    if (withDocument) {
        QCOMPARE(member(members, "document/1_KZ6666.dat"), fileBytes(pair));
        QCOMPARE(member(members, "document/1_KZ6666.fre"),
                 fileBytes(stage + "/bin/Init/1_KZ6666.fre"));
    }
}

void TestProblemReport::windowListsAndSavesWhatGoesIn()
{
    MainWindowHarness harness;
    harness.ini.writeString("ports", "COM79", (m_home + "/radio-pty").toStdString());
    ScriptedFileDialogs dialogs;
    const QString zip = m_dir.filePath("window-report.zip");
    dialogs.answers = {zip.toStdString()};
    harness.context.fileDialogs = &dialogs;
    TransferCommands transfers(harness.context);
    MainWindowHooks hooks;
    registerAllSubsystems(hooks, transfers);
    harness.start(std::move(hooks));
    harness.showAndActivate();

    harness.window->findChild<QAction *>(QStringLiteral("mnuProblemReport"))->trigger();
    auto *report =
        harness.window->findChild<FrmProblemReport *>(QStringLiteral("FrmProblemReport"));
    QVERIFY(report);
    QVERIFY(QTest::qWaitForWindowExposed(report));
    auto *list = report->findChild<QListWidget *>(QStringLiteral("ListFiles"));
    QCOMPARE(list->count(), 5); // no document until the user asks for it
    auto *include = report->findChild<QCheckBox *>(QStringLiteral("CheckDocument"));
    QVERIFY(include->text().contains("new.dat"));
    QTest::mouseClick(include, Qt::LeftButton, {}, QPoint(8, include->height() / 2));
    QCOMPARE(list->count(), 7);
    QVERIFY(list->item(5)->text().startsWith("document/new.dat ("));

    // The settings as they will be written, the home folder marked.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int row = 0; row < 4; ++row)
        QTest::keyClick(list, Qt::Key_Down);
    const QString shown = report->findChild<QPlainTextEdit *>("TextPreview")->toPlainText();
    QVERIFY2(shown.contains("COM79=<home>/radio-pty") && !shown.contains(m_home),
             qPrintable(shown));

    QTest::mouseClick(report->findChild<QPushButton *>("CommandSave"), Qt::LeftButton);
    QCOMPARE(dialogs.shown.front().presetPath.substr(0, 14), std::string("orx740-report-"));
    const QJsonObject members = zipMembers(zip);
    QCOMPARE(members.size(), 7);
    QCOMPARE(QString::fromUtf8(member(members, "mysetup.ini")).remove(QChar('\r')), shown);
    QCOMPARE(member(members, "document/new.dat").size(), 2893);
}

QTEST_MAIN(TestProblemReport)
#include "tst_problemreport.moc"
