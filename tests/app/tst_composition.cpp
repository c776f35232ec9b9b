#include <QTest>
#include <QTreeWidget>

#include "lang/QtText.h"
#include "support/WholeProgram.h"

// The main window with every subsystem registered as the program's start registers them, on the
// shipped new document.
class TestComposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyTreeNodeOpensItsEditor_data();
    void everyTreeNodeOpensItsEditor();
};

void TestComposition::everyTreeNodeOpensItsEditor_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(English);
    QTest::newRow("Chinese") << int(Chinese);
}

void TestComposition::everyTreeNodeOpensItsEditor()
{
    QFETCH(int, language);
    WholeProgram program(language);
    MainWindowHarness &harness = program.harness;
    harness.showAndActivate();
    QCOMPARE(harness.openWindows(), QStringList{"frmCommChInfo"});
    // The shipped new document has channels to show.
    QVERIFY(harness.context.document.working().settings.channelCounts.at(
                harness.context.document.working().settings.currentKind, 1) > 0);

    auto *tree = harness.find<QTreeWidget>("TreeView1");
    QTreeWidgetItem *root = tree->topLevelItem(0);
    QCOMPARE(root->childCount(), int(std::size(kTreeNodes)));
    for (int index = 0; index < root->childCount(); ++index) {
        Q_EMIT tree->itemClicked(root->child(index), 0);
        const QString name = qText(kTreeNodes[index].window);
        QWidget *window = harness.window->childWindow(name);
        QVERIFY2(window, qPrintable(name));
        QVERIFY(window->isVisible());
        QVERIFY(!window->windowTitle().isEmpty());
    }
    QCOMPARE(harness.openWindows().size(), int(std::size(kTreeNodes)));

    // Every window closes again without a question, and a new document reopens the channel window.
    harness.window->documentReplaced();
    QTRY_COMPARE(harness.openWindows(), QStringList{"frmCommChInfo"});
    QVERIFY(harness.messages.questions.empty());
}

QTEST_MAIN(TestComposition)
#include "tst_composition.moc"
