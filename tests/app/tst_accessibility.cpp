#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "app/FrmSetLanguage.h"
#include "app/frmAbout.h"
#include "lang/QtMessageService.h"
#include "lang/QtText.h"
#include "link/FrmComSet.h"
#include "support/WholeProgram.h"

namespace {

bool hasChinese(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x3400 && c.unicode() <= 0x9fff)
            return true;
    return false;
}

// The text a user sees on or beside a control: its own caption, or the label that names it.
QString shownLabel(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        if (!button->text().isEmpty())
            return button->text();
    if (control->parentWidget())
        for (const QLabel *label : control->parentWidget()->findChildren<QLabel *>())
            if (label->buddy() == control)
                return label->text();
    return {};
}

// The name a screen reader says. On Linux a list box's name is its current item and its label
// comes through the "labelled by" relation of its buddy label, which Orca speaks first; a list
// box without one has no name however its items read.
QString spokenName(QAccessibleInterface *node)
{
    if (node->role() == QAccessible::ComboBox) {
        const auto labels = node->relations(QAccessible::Label);
        if (!labels.isEmpty() && labels.first().first)
            return labels.first().first->text(QAccessible::Name).trimmed();
        if (const auto *widget = qobject_cast<const QWidget *>(node->object()))
            return widget->accessibleName().trimmed();
        return {};
    }
    return node->text(QAccessible::Name).trimmed();
}

struct WalkResult
{
    int named = 0;
    QStringList unnamed;
    QStringList english; // named in English where the label shown is Chinese
};

QString describe(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    QString path = object ? object->objectName() : QString();
    for (const QObject *up = object ? object->parent() : nullptr; up; up = up->parent())
        if (!up->objectName().isEmpty()) {
            path = up->objectName() + QLatin1Char('/') + path;
            break;
        }
    return QStringLiteral("%1 (role %2)").arg(path).arg(int(node->role()));
}

// Every control a user can reach by keyboard under `node`. The rows and cells of a grid or a
// tree are its data, named by the model; the grid's own test reads them.
void walk(QAccessibleInterface *node, WalkResult &result, int depth = 0)
{
    if (!node || depth > 40)
        return;
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    const auto *widget = qobject_cast<const QWidget *>(node->object());
    // Reached by Tab, or a control without a widget of its own (a menu's item).
    const bool byKeyboard = !widget || (widget->focusPolicy() & Qt::TabFocus);
    if (state.focusable && !state.disabled && byKeyboard) {
        const QString name = spokenName(node);
        if (name.isEmpty())
            result.unnamed << describe(node);
        else
            ++result.named;
        if (widget && !name.isEmpty() && hasChinese(shownLabel(widget)) && !hasChinese(name))
            result.english << describe(node) + QStringLiteral(": ") + name;
    }
    const QAccessible::Role role = node->role();
    if (role == QAccessible::Table || role == QAccessible::Tree || role == QAccessible::List ||
        role == QAccessible::ComboBox)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), result, depth + 1);
}

WalkResult walkWindow(QWidget *window)
{
    WalkResult result;
    walk(QAccessible::queryAccessibleInterface(window), result);
    return result;
}

} // namespace

// Every window, in both languages, as a screen reader finds it: each control that takes the
// keyboard's focus has a name, and a Chinese label gives a Chinese name.
class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlIsNamed_data();
    void everyControlIsNamed();
};

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("window");
    QStringList windows{QStringLiteral("frmMain")};
    for (const TreeNodeText &node : kTreeNodes)
        windows << qText(node.window);
    windows << QStringLiteral("FrmBatchProgramming") << QStringLiteral("FrmComSet")
            << QStringLiteral("FrmSetLanguage") << QStringLiteral("frmAbout")
            << QStringLiteral("QMessageBox");
    for (const int language : {int(English), int(Chinese)})
        for (const QString &window : windows)
            QTest::addRow("%s %s", qPrintable(window), language == English ? "en" : "zh")
                << language << window;
    // Started in English and switched to Chinese with Setup > Language: the frame and the
    // channel window it opens again are renamed, not left with their English names.
    QTest::newRow("frmMain en to zh") << int(Chinese) << QStringLiteral("frmMain switched");
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(int, language);
    QFETCH(QString, window);
    const bool switched = window.endsWith(QLatin1String(" switched"));
    WholeProgram program(switched ? int(English) : language);
    MainWindowHarness &harness = program.harness;
    harness.window->resize(1200, 800);
    harness.showAndActivate();

    WalkResult result;
    std::unique_ptr<QWidget> dialog;
    if (switched) {
        QTimer::singleShot(0, this, [] {
            auto *chooser = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            auto *languages = chooser->findChild<QComboBox *>(QStringLiteral("Combo1"));
            QTest::keyClick(languages, Qt::Key_End);
            QCOMPARE(languages->currentIndex(), 1);
            QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        harness.window->dispatch(MainCommand::LanguageSetup);
        QCOMPARE(harness.context.language.languageIndex, language);
        QVERIFY(harness.window->findChild<QMdiSubWindow *>());
        result = walkWindow(harness.window.get());
        QVERIFY(hasChinese(harness.window->menuBar()->actions().constFirst()->text()));
    } else if (window == QLatin1String("frmMain")) {
        result = walkWindow(harness.window.get());
    } else if (window == QLatin1String("FrmComSet")) {
        dialog = std::make_unique<FrmComSet>(harness.context, harness.window.get());
    } else if (window == QLatin1String("FrmSetLanguage")) {
        dialog = std::make_unique<FrmSetLanguage>(harness.context, harness.window.get());
    } else if (window == QLatin1String("frmAbout")) {
        dialog = std::make_unique<frmAbout>(language, harness.window.get());
    } else if (window == QLatin1String("QMessageBox")) {
        // A question as the program asks it: walked while it waits for the answer.
        QtMessageService service(harness.context.language);
        QTimer::singleShot(0, this, [&result] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            result = walkWindow(box);
            box->reject();
        });
        service.ask("Save changes to new.dat?", MessageButtons::SaveDiscardCancel,
                    MessageIcon::Question);
    } else {
        QWidget *child = harness.window->openChildWindow(window);
        QVERIFY(child);
        result = walkWindow(child);
    }
    if (dialog) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        result = walkWindow(dialog.get());
    }
    qInfo("%s %s: %d named, %d unnamed", qPrintable(window), language == English ? "en" : "zh",
          result.named, int(result.unnamed.size()));
    QVERIFY(result.named > 0);
    QVERIFY2(result.unnamed.isEmpty(), qPrintable(result.unnamed.join(QStringLiteral(", "))));
    QVERIFY2(result.english.isEmpty(), qPrintable(result.english.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
