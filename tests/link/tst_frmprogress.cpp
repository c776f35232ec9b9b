#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "link/FrmProgress.h"

Q_DECLARE_METATYPE(FrmProgress::Operation)

class TestFrmProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captions_data();
    void captions();
    void progressOnlyGoesForward();
    void everyWayOfClosingAsksToCancelOnce_data();
    void everyWayOfClosingAsksToCancelOnce();
};

void TestFrmProgress::captions_data()
{
    QTest::addColumn<FrmProgress::Operation>("operation");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("read, English")
        << FrmProgress::Operation::Read << 1
        << QStringList{"Read data from radio", "Completion percentage:", "&Cancel"};
    QTest::newRow("write, English")
        << FrmProgress::Operation::Write << 1
        << QStringList{"Write data to radio", "Completion percentage:", "&Cancel"};
    QTest::newRow("read, Chinese") << FrmProgress::Operation::Read << 2
                                   << QStringList{"从对讲机读取数据", "完成进度:", "取消(&C)"};
    QTest::newRow("write, Chinese") << FrmProgress::Operation::Write << 2
                                    << QStringList{"向对讲机写入数据", "完成进度:", "取消(&C)"};
}

void TestFrmProgress::captions()
{
    QFETCH(FrmProgress::Operation, operation);
    QFETCH(int, language);
    QFETCH(QStringList, captions);
    FrmProgress window(operation, language);
    QCOMPARE(window.windowTitle(), captions[0]);
    QCOMPARE(window.findChild<QLabel *>("Label1")->text(), captions[1]);
    QCOMPARE(window.findChild<QPushButton *>("CommandCancel")->text(), captions[2]);
    QCOMPARE(window.findChild<QLabel *>("Label2")->text(), QStringLiteral("0%"));
    QCOMPARE(window.findChild<QProgressBar *>("ProgressBar1")->value(), 0);
}

void TestFrmProgress::progressOnlyGoesForward()
{
    FrmProgress window(FrmProgress::Operation::Read, 1);
    auto *label = window.findChild<QLabel *>("Label2");
    auto *bar = window.findChild<QProgressBar *>("ProgressBar1");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    // Nothing is drawn into a window that is not shown.
    window.setProgress(5);
    QCOMPARE(label->text(), QStringLiteral("0%"));
    window.show();
    window.setProgress(37);
    QCOMPARE(label->text(), QStringLiteral("37%"));
    QCOMPARE(bar->value(), 37);
    window.setProgress(36);
    QCOMPARE(label->text(), QStringLiteral("37%"));
    window.setProgress(100);
    QCOMPARE(label->text(), QStringLiteral("100%"));
    QCOMPARE(window.progress(), 100);
}

void TestFrmProgress::everyWayOfClosingAsksToCancelOnce_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close button of the frame") << 2;
}

void TestFrmProgress::everyWayOfClosingAsksToCancelOnce()
{
    QFETCH(int, way);
    FrmProgress window(FrmProgress::Operation::Write, 1);
    window.show();
    QSignalSpy cancel(&window, &FrmProgress::cancelClicked);
    auto *button = window.findChild<QPushButton *>("CommandCancel");
    for (int i = 0; i < 2; ++i) {
        if (way == 0)
            button->click();
        else if (way == 1)
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            window.close();
    }
    // The window stays until the transfer has ended and the port is closed.
    QCOMPARE(cancel.count(), 1);
    QVERIFY(window.cancelRequested());
    QVERIFY(window.isVisible());
    QVERIFY(!button->isEnabled());
    window.finish();
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestFrmProgress)
#include "tst_frmprogress.moc"
