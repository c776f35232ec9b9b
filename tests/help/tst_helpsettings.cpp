#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

// orx740-cli help-settings as a user or a script runs it.
class TestHelpSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsEverySetting_data();
    void listsEverySetting();
};

namespace {

QByteArray run(const QStringList &arguments, int expectedStatus = 0)
{
    QProcess cli;
    cli.start(qEnvironmentVariable("ORX740_STAGE_ROOT") + "/bin/orx740-cli",
              QStringList{"help-settings"} + arguments);
    if (!cli.waitForFinished(30000) || cli.exitCode() != expectedStatus) {
        qWarning() << cli.readAllStandardError();
        return "failed";
    }
    return cli.readAllStandardOutput();
}

} // namespace

void TestHelpSettings::listsEverySetting_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("Chinese") << "zh";
}

void TestHelpSettings::listsEverySetting()
{
    QFETCH(QString, language);
    QJsonParseError error;
    const QJsonDocument json =
        QJsonDocument::fromJson(run({"--json", "--language", language}), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(json.object().value("language").toString(), language);
    const QJsonArray settings = json.object().value("settings").toArray();

    // The lines list the same settings, four fields each, in the same order.
    const QList<QByteArray> lines = run({"--language", language}).split('\n');
    QCOMPARE(lines.size(), settings.size() + 1);
    for (int i = 0; i < settings.size(); ++i) {
        const QJsonObject setting = settings.at(i).toObject();
        const QStringList fields = QString::fromUtf8(lines.at(i)).split('\t');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields.at(0), setting.value("window").toString());
        QCOMPARE(fields.at(1), setting.value("control").toString());
        QVERIFY(!setting.value("label").toString().isEmpty());
    }
    QCOMPARE(run({"--language", "fr"}, 2), QByteArray());
}

QTEST_MAIN(TestHelpSettings)
#include "tst_helpsettings.moc"
