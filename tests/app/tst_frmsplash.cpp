#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/frmSplash.h"

class TestFrmSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsThePictureOfTheLanguage();
    void missingPictureShowsTheProgramName();
    void clickFinishesOnceAndStopsTheTimer();
};

void TestFrmSplash::showsThePictureOfTheLanguage()
{
    const QString picture =
        qEnvironmentVariable("ORX740_STAGE_ROOT") + QStringLiteral("/bin/StartC.jpg");
    frmSplash splash(picture);
    const QLabel *image = splash.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(image);
    QVERIFY(!image->pixmap().isNull());
    QCOMPARE(splash.size(), QPixmap(picture).size());
}

void TestFrmSplash::missingPictureShowsTheProgramName()
{
    frmSplash splash(QStringLiteral("/nonexistent/StartE.jpg"));
    const QLabel *image = splash.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->text(), QStringLiteral("ORX-740"));
    QVERIFY(!splash.size().isEmpty());
}

void TestFrmSplash::clickFinishesOnceAndStopsTheTimer()
{
    frmSplash splash(QStringLiteral("/nonexistent/StartE.jpg"));
    QSignalSpy finished(&splash, &frmSplash::finished);
    splash.show();
    splash.start();
    const QTimer *timer = splash.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 2000);
    QVERIFY(timer->isSingleShot());
    QVERIFY(timer->isActive());

    QTest::mouseClick(&splash, Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!timer->isActive());
    QTest::mouseClick(&splash, Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
