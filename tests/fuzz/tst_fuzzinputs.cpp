#include <QDir>
#include <QFile>
#include <QTest>

#include "fuzz/FuzzChecks.h"

namespace {

using Check = int (*)(const std::uint8_t *, std::size_t);

struct Target
{
    const char *name;
    Check check;
};

constexpr Target kTargets[] = {
    {"datafile_pair", checkDataFilePair}, {"channel_csv", checkChannelCsv},
    {"document_text", checkDocumentText}, {"ini_document", checkIniDocument},
    {"frame_parser", checkFrameParser},   {"transfer_engine", checkTransferEngine},
};

QStringList inputsOf(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

} // namespace

// A check that fails aborts the test with its reason on stderr.
class TestFuzzInputs : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasSeeds_data()
    {
        QTest::addColumn<QString>("target");
        for (const Target &target : kTargets)
            QTest::newRow(target.name) << QString::fromLatin1(target.name);
    }
    void everyTargetHasSeeds()
    {
        QFETCH(QString, target);
        QVERIFY(!inputsOf(QStringLiteral(ORX740_FUZZ_DIR "/corpus/") + target).isEmpty());
    }

    void inputPassesItsCheck_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("path");
        for (int t = 0; t < static_cast<int>(std::size(kTargets)); ++t) {
            for (const char *kind : {"corpus", "regressions"}) {
                const QString folder =
                    QStringLiteral(ORX740_FUZZ_DIR "/%1/%2").arg(kind, kTargets[t].name);
                for (const QString &path : inputsOf(folder)) {
                    const QString row =
                        QStringLiteral("%1/%2/%3")
                            .arg(kind, kTargets[t].name, QFileInfo(path).fileName());
                    QTest::newRow(row.toUtf8().constData()) << t << path;
                }
            }
        }
    }
    void inputPassesItsCheck()
    {
        QFETCH(int, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(kTargets[target].check(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                        static_cast<std::size_t>(bytes.size())),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestFuzzInputs)
#include "tst_fuzzinputs.moc"
