#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

#include "LinkHarness.h"
#include "datafile/DocumentCompare.h"
#include "datafile/ImageDocument.h"
#include "lang/QtText.h"
#include "link/BatchHelp.h"
#include "link/BatchPortsModel.h"
#include "link/FrmBatchProgramming.h"
#include "link/ProductionLine.h"
#include "link/PtyRadioHost.h"
#include "link/TransferCommands.h"
#include "radio/ImagePacking.h"
#include "support/WindowHarness.h"

// Program > Batch Programming... driven as a dealer drives it: three simulated radios on three
// ports, added by typing each port, then Start; the second radio stops answering in the middle
// of its write while the others are written, verified and named.
class TestFrmBatchProgramming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeRadiosFromTheWindow();
};

namespace {

QString cell(const BatchPortsModel &model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

} // namespace

void TestFrmBatchProgramming::threeRadiosFromTheWindow()
{
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    std::array<RadioSimulator, 3> radios;
    radios[1].knobs().dieAfterBlocks = 2500; // the read's 1872 blocks, then 628 of the write
    std::array<std::unique_ptr<PtyRadioHost>, 3> hosts;
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        fillPattern(radios[i].memory(), std::uint32_t(70 + i));
        hosts[i] = std::make_unique<PtyRadioHost>(radios[i]);
        QVERIFY2(hosts[i]->open(), qPrintable(hosts[i]->errorString()));
    }

    MainWindowHarness harness;
    RadioImage planImage;
    fillPattern(planImage, 80);
    harness.context.document.working() = documentFromImage(planImage, newDocumentBase("20260101"));
    TransferCommands transfers(harness.context);
    MainWindowHooks hooks;
    registerBatchProgramming(hooks, transfers);
    harness.start(std::move(hooks));
    harness.showAndActivate();
    harness.find<QAction>("mnuBatchProgramming")->trigger();
    auto *window = harness.window->findChild<FrmBatchProgramming *>("FrmBatchProgramming");
    QVERIFY(window);
    window->line().setReplyTimeout(std::chrono::milliseconds(100));
    const auto control = [window](const char *name) { return findNamed<QWidget>(window, name); };

    for (const auto &host : hosts) {
        QTest::mouseClick(control("TextPort"), Qt::LeftButton);
        QTest::keyClicks(control("TextPort"), host->devicePath());
        QTest::mouseClick(control("CommandAddPort"), Qt::LeftButton);
    }
    const QString log = dir.filePath("units.csv");
    QTest::keyClicks(control("TextLog"), log);
    QTest::keyClicks(control("TextNamePattern"), "T{unit:03}");
    const BatchPortsModel &model = window->portsModel();
    QCOMPARE(model.rowCount(), 3);
    QTest::mouseClick(control("CommandStart"), Qt::LeftButton);

    // Locked while it runs: neither the template nor the ports can be changed.
    auto *lock = findNamed<QCheckBox>(window, "CheckLock");
    QVERIFY(lock->isChecked() && !lock->isEnabled());
    QVERIFY(!control("TextPort")->isEnabled() && !control("FrameTemplate")->isEnabled());
    QVERIFY(control("CommandStop")->isEnabled() && !control("CommandStart")->isEnabled());

    const auto result = [&](int row) { return cell(model, row, BatchPortsModel::ResultColumn); };
    QTRY_VERIFY_WITH_TIMEOUT(!result(0).isEmpty() && !result(1).isEmpty() && !result(2).isEmpty(),
                             60000);
    QVERIFY2(result(0).startsWith("ok") && result(2).startsWith("ok"), qPrintable(result(0)));
    QVERIFY2(result(1).startsWith("failed") && result(1).contains("only partly written"),
             qPrintable(result(1)));
    QVERIFY(control("CommandRetry")->isEnabled());
    for (const int row : {0, 2}) {
        QCOMPARE(cell(model, row, BatchPortsModel::ProgressColumn), "100 %");
        DocumentSet expected = harness.context.document.working();
        const int unit = cell(model, row, BatchPortsModel::UnitColumn).toInt();
        expected.settings.options.btDeviceName.assign(
            QString("T%1").arg(unit, 3, 10, QChar('0')).toStdString());
        RadioImage packed;
        PackDocumentIntoImage(expected, packed);
        QVERIFY(compareImages(packed, radios[std::size_t(row)].memory()).empty());
    }

    // Stop ends every port; the lock may be opened again.
    QTest::mouseClick(control("CommandStop"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(control("CommandStart")->isEnabled(), 10000);
    QVERIFY(lock->isEnabled());
    QTest::mouseClick(lock, Qt::LeftButton);
    QVERIFY(control("TextPort")->isEnabled());

    // The window speaks the language in force, its tooltips and screen-reader texts too, which
    // come from its help page.
    const WindowHelp help = batchWindowHelp();
    const auto tip = [&help](const char *name, int language) {
        return qText(findSettingHelp(help, name)->tooltip.in(language));
    };
    QCOMPARE(control("CommandRetry")->toolTip(), tip("CommandRetry", English));
    harness.context.language.languageIndex = Chinese;
    Q_EMIT harness.notifier.languageChanged();
    QCOMPARE(findNamed<QPushButton>(window, "CommandStart")->text(), "开始");
    for (const char *name : {"CommandRetry", "GridPorts", "TextTemplate", "CheckLock"}) {
        QCOMPARE(control(name)->toolTip(), tip(name, Chinese));
        QCOMPARE(control(name)->accessibleDescription(), tip(name, Chinese));
    }
    QCOMPARE(control("TextPort")->accessibleName(), "要添加的端口");
    QCOMPARE(model.headerData(BatchPortsModel::ResultColumn, Qt::Horizontal).toString(), "结果");
    QVERIFY(cell(model, 0, BatchPortsModel::ElapsedColumn).endsWith(" s"));

    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], "time,unit,port,model,firmware,result,differences,backup,cable,name");
}

QTEST_MAIN(TestFrmBatchProgramming)
#include "tst_frmbatchprogramming.moc"
