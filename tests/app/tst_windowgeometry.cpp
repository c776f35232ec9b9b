#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

#include "kernel/WindowPlacement.h"
#include "lang/QtText.h"
#include "support/WholeProgram.h"

// Every editor window opens inside the main window's frame with its buttons in view, and the frame
// itself can be made small whatever windows it holds.
class TestWindowGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editorsOpenInsideTheFrame_data();
    void editorsOpenInsideTheFrame();
    void frameMinimumDoesNotFollowTheWindows();
    void maximisedOnAScaledScreen_data();
    void maximisedOnAScaledScreen();
    void frameStaysOnTheScreen();

private:
    static void showAtTheDefaultSize(MainWindowHarness &harness);
};

void TestWindowGeometry::showAtTheDefaultSize(MainWindowHarness &harness)
{
    // The default size on a 96 DPI screen (14500 x 10500 twips).
    harness.window->resize(967, 700);
    harness.showAndActivate();
}

void TestWindowGeometry::editorsOpenInsideTheFrame_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("largerSteps"); // View > Text Size > Larger, by its keys
    for (const int steps : {0, 5})
        for (int language : {int(English), int(Chinese)}) {
            for (const TreeNodeText &node : kTreeNodes) {
                const QString name = qText(node.window);
                QTest::addRow("%s %s%s", qPrintable(name), language == English ? "en" : "zh",
                              steps ? " largest text" : "")
                    << language << name << steps;
            }
        }
}

void TestWindowGeometry::editorsOpenInsideTheFrame()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(int, largerSteps);
    WholeProgram program(language);
    MainWindowHarness &harness = program.harness;
    showAtTheDefaultSize(harness);
    const qreal normalSize = QApplication::font().pointSizeF();
    for (int step = 0; step < largerSteps; ++step)
        QTest::keyClick(harness.window.get(), Qt::Key_Plus, Qt::ControlModifier);
    if (largerSteps > 0) {
        // Twice the text needs a larger screen: a frame of 1280 x 800.
        harness.window->resize(1280, 800);
        QTRY_COMPARE(harness.window->size(), QSize(1280, 800));
        // The largest size, twice the system's, kept for the next start.
        QCOMPARE(QApplication::font().pointSizeF(), 2 * normalSize);
        QCOMPARE(harness.context.userSettings->readString("Settings", "TextSizePercent"),
                 std::string("200"));
    }
    QWidget *window = harness.window->openChildWindow(name);
    QVERIFY(window);
    QTest::qWait(20); // windows that fit themselves do it once they are shown

    const QWidget *area = harness.window->mdiArea()->viewport();
    const auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    const QRect room = area->rect();
    // A window too large for the room is fitted once the room's own layout has settled.
    QTRY_VERIFY2(
        room.contains(sub->geometry()),
        qPrintable(QStringLiteral("%1 in %2x%3")
                       .arg(QString::number(sub->geometry().right()), QString::number(room.width()),
                            QString::number(room.height()))));
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
    // Ctrl+0 gives the system's size back, and Ctrl+- goes one step below it.
    QTest::keyClick(harness.window.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(QApplication::font().pointSizeF(), normalSize);
    QTest::keyClick(harness.window.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(QApplication::font().pointSizeF(), 0.9 * normalSize);
    QTest::keyClick(harness.window.get(), Qt::Key_0, Qt::ControlModifier);
}

void TestWindowGeometry::frameMinimumDoesNotFollowTheWindows()
{
    WholeProgram program;
    MainWindowHarness &harness = program.harness;
    showAtTheDefaultSize(harness);
    for (const TreeNodeText &node : kTreeNodes)
        QVERIFY(harness.window->openChildWindow(qText(node.window)));
    // A 1024 x 600 screen holds the frame, and a smaller size stays as chosen.
    QVERIFY(harness.window->minimumSizeHint().width() <= 700);
    QVERIFY(harness.window->minimumSizeHint().height() <= 500);
    harness.window->resize(700, 480);
    QTRY_COMPARE(harness.window->size(), QSize(700, 480));
}

void TestWindowGeometry::maximisedOnAScaledScreen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 1.5, 2.0})
        for (int language : {int(English), int(Chinese)})
            for (const TreeNodeText &node : kTreeNodes) {
                const QString name = qText(node.window);
                QTest::addRow("%s %s %d%%", qPrintable(name), language == English ? "en" : "zh",
                              int(scale * 100))
                    << language << name << scale;
            }
}

// A 1366 x 768 screen at 100, 150 and 200 % gives the program that screen divided by the scale;
// the frame takes all of it (less a task bar) and the window is maximised inside. Every list
// keeps the width it needs, and every button can be reached, by scrolling where the room is
// short.
void TestWindowGeometry::maximisedOnAScaledScreen()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(double, scale);
    WholeProgram program(language);
    MainWindowHarness &harness = program.harness;
    showAtTheDefaultSize(harness);
    const QSize screen(int(1366 / scale), int((768 - 40) / scale));
    const QSize frame = screen - QSize(0, 30 / scale); // the title bar
    QVERIFY(harness.window->minimumSizeHint().boundedTo(frame) ==
            harness.window->minimumSizeHint());
    harness.window->resize(frame);
    QTRY_COMPARE(harness.window->size(), frame);
    QWidget *window = harness.window->openChildWindow(name);
    QVERIFY(window);
    auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    sub->showMaximized();
    QTest::qWait(20);

    // A list box may be narrower than its minimum hint where its own items need less (the hint
    // of a list filled after it was first shown), never narrower than both.
    for (const QComboBox *box : window->findChildren<QComboBox *>()) {
        if (box->isVisibleTo(window))
            QVERIFY2(box->width() >= qMin(box->minimumSizeHint().width(), box->sizeHint().width()),
                     qPrintable(QStringLiteral("%1: %2 < %3")
                                    .arg(box->objectName())
                                    .arg(box->width())
                                    .arg(box->minimumSizeHint().width())));
    }
    const QWidget *area = harness.window->mdiArea()->viewport();
    int buttons = 0;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(window))
            continue;
        ++buttons;
        for (QWidget *up = button->parentWidget(); up && up != window; up = up->parentWidget())
            if (auto *scroll = qobject_cast<QScrollArea *>(up))
                scroll->ensureWidgetVisible(button, 0, 0);
        const QRect onScreen(button->mapTo(area, QPoint(0, 0)), button->size());
        QVERIFY2(area->rect().contains(onScreen), qPrintable(button->objectName()));
        QVERIFY2(button->visibleRegion().boundingRect().size() == button->size(),
                 qPrintable(button->objectName()));
    }
    QVERIFY(buttons > 0);
}

// The frame restored at its first size on a screen smaller than that, at this test's scale
// (QT_SCALE_FACTOR, set where the test is registered): the whole frame, in the screen's own
// pixels, lies on the screen.
void TestWindowGeometry::frameStaysOnTheScreen()
{
    WholeProgram program;
    MainWindowHarness &harness = program.harness;
    harness.showAndActivate();
    const QScreen *screen = harness.window->screen();
    const qreal ratio = screen->devicePixelRatio();
    const QRect available = screen->availableGeometry();
    // The screen's size in device-independent pixels is rounded: the real one may be up to half
    // a pixel smaller.
    const bool fractional = !qFuzzyCompare(ratio, std::round(ratio));
    const double rounding = fractional ? 0.5 : 0.0;
    const QRect frame = harness.window->frameGeometry();
    QVERIFY(available.contains(frame));
    QVERIFY2((frame.right() + 1 - available.x()) * ratio <= (available.width() - rounding) * ratio,
             qPrintable(QStringLiteral("%1 wide on %2 at %3")
                            .arg(frame.width())
                            .arg(available.width())
                            .arg(ratio)));
    QVERIFY((frame.bottom() + 1 - available.y()) * ratio <=
            (available.height() - rounding) * ratio);
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
