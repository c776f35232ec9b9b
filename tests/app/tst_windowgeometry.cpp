#include <QAbstractButton>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/Subsystems.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/WindowPlacement.h"
#include "lang/QtText.h"
#include "link/TransferCommands.h"
#include "support/WindowHarness.h"

// Every editor window opens inside the main window's frame with its buttons in view, and the frame
// itself can be made small whatever windows it holds.
class TestWindowGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editorsOpenInsideTheFrame_data();
    void editorsOpenInsideTheFrame();
    void frameMinimumDoesNotFollowTheWindows();

private:
    void startWithEveryWindow(MainWindowHarness &harness, QtDataFileStorage &storage,
                              TransferCommands &transfers);
};

void TestWindowGeometry::startWithEveryWindow(MainWindowHarness &harness,
                                              QtDataFileStorage &storage,
                                              TransferCommands &transfers)
{
    harness.context.dataFiles = &storage;
    MainWindowHooks hooks;
    registerAllSubsystems(hooks, transfers);
    harness.start(std::move(hooks));
    // The default size on a 96 DPI screen (14500 x 10500 twips).
    harness.window->resize(967, 700);
    harness.showAndActivate();
}

void TestWindowGeometry::editorsOpenInsideTheFrame_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    for (int language : {int(English), int(Chinese)}) {
        for (const TreeNodeText &node : kTreeNodes) {
            const QString name = qText(node.window);
            QTest::newRow(qPrintable(name + (language == English ? " en" : " zh")))
                << language << name;
        }
    }
}

void TestWindowGeometry::editorsOpenInsideTheFrame()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    MainWindowHarness harness(language);
    QtDataFileStorage storage;
    TransferCommands transfers(harness.context);
    startWithEveryWindow(harness, storage, transfers);
    QWidget *window = harness.window->openChildWindow(name);
    QVERIFY(window);
    QTest::qWait(20); // windows that fit themselves do it once they are shown

    const QWidget *area = harness.window->mdiArea()->viewport();
    const auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    const QRect room = area->rect();
    QVERIFY2(room.contains(sub->geometry()),
             qPrintable(QStringLiteral("%1 in %2x%3")
                            .arg(QString::number(sub->geometry().right()),
                                 QString::number(room.width()), QString::number(room.height()))));
    int buttons = 0;
    for (const QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(window))
            continue;
        ++buttons;
        const QRect onScreen(button->mapTo(area, QPoint(0, 0)), button->size());
        QVERIFY2(room.contains(onScreen), qPrintable(button->objectName()));
        // Not scrolled out of its own window either.
        QVERIFY2(!button->visibleRegion().isEmpty(), qPrintable(button->objectName()));
    }
    QVERIFY(buttons > 0);
}

void TestWindowGeometry::frameMinimumDoesNotFollowTheWindows()
{
    MainWindowHarness harness;
    QtDataFileStorage storage;
    TransferCommands transfers(harness.context);
    startWithEveryWindow(harness, storage, transfers);
    for (const TreeNodeText &node : kTreeNodes)
        QVERIFY(harness.window->openChildWindow(qText(node.window)));
    // A 1024 x 600 screen holds the frame, and a smaller size stays as chosen.
    QVERIFY(harness.window->minimumSizeHint().width() <= 700);
    QVERIFY(harness.window->minimumSizeHint().height() <= 500);
    harness.window->resize(700, 480);
    QTRY_COMPARE(harness.window->size(), QSize(700, 480));
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
