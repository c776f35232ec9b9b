#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "kernel/WheelGuard.h"
#include "support/UserInput.h"

// The wheel over list boxes and number boxes, in a scrolled window and in a plain one.
class TestWheelGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void boxTakesTheWheelOnlyWithFocus_data();
    void boxTakesTheWheelOnlyWithFocus();
};

void TestWheelGuard::initTestCase()
{
    installWheelGuard(qApp);
    installWheelGuard(qApp); // a second guard would change nothing, but there is only one
    QCOMPARE(qApp->findChildren<WheelGuard *>().size(), 1);
}

void TestWheelGuard::boxTakesTheWheelOnlyWithFocus_data()
{
    QTest::addColumn<bool>("spinBox");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("list box in a scrolled window") << false << true;
    QTest::newRow("number box in a scrolled window") << true << true;
    QTest::newRow("list box in a plain window") << false << false;
    QTest::newRow("number box in a plain window") << true << false;
}

void TestWheelGuard::boxTakesTheWheelOnlyWithFocus()
{
    QFETCH(bool, spinBox);
    QFETCH(bool, scrolled);
    QWidget window;
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    auto *other = new QLineEdit(content);
    layout->addWidget(other);
    QWidget *box = nullptr;
    if (spinBox) {
        auto *spin = new QSpinBox(content);
        spin->setRange(0, 99);
        spin->setValue(50);
        box = spin;
    } else {
        auto *combo = new QComboBox(content);
        for (int n = 0; n < 100; ++n)
            combo->addItem(QString::number(n));
        combo->setCurrentIndex(50);
        box = combo;
    }
    layout->addWidget(box);
    layout->addSpacing(2000);
    auto *windowLayout = new QVBoxLayout(&window);
    QScrollArea *area = nullptr;
    if (scrolled) {
        area = new QScrollArea(&window);
        area->setWidget(content);
        windowLayout->addWidget(area);
    } else {
        windowLayout->addWidget(content);
    }
    window.resize(300, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto value = [box, spinBox] {
        return spinBox ? static_cast<QSpinBox *>(box)->value()
                       : static_cast<QComboBox *>(box)->currentIndex();
    };

    // The wheel would give these boxes the focus, and with it the turn.
    QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
    other->setFocus();
    // Over the number box the mouse is over its text part.
    QWidget *under = window.childAt(box->mapTo(&window, box->rect().center()));
    QVERIFY(under == box || box->isAncestorOf(under));
    turnWheelOver(box, -3);
    QCOMPARE(value(), 50);
    if (area)
        QVERIFY(area->verticalScrollBar()->value() > 0);

    if (area)
        area->ensureWidgetVisible(box);
    box->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->hasFocus());
    // Away from the user: the number goes up, the list moves to the item above.
    turnWheelOver(box, 1);
    QCOMPARE(value(), spinBox ? 51 : 49);
}

QTEST_MAIN(TestWheelGuard)
#include "tst_wheelguard.moc"
