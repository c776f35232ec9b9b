#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "channels/ChannelWindows.h"
#include "channels/Frm_GroupName.h"
#include "datafile/FileCommandHooks.h"
#include "datafile/InitFiles.h"
#include "model/QtRecordTextCodec.h"
#include "model/RadioImage.h"
#include "radio/GroupNames.h"
#include "support/UserInput.h"
#include "support/WindowHarness.h"

// The group name window as a user drives it: double-click a Rename cell, type, leave.
class TestFrmGroupName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listsTheGroupsOfTheKind();
    void renameStoresAndPacks_data();
    void renameStoresAndPacks();
    void closingTheWindowWritesTheRename();
    void closingTheProgramWritesTheRenameBeforeTheQuestion();
    void cbNamesCannotBeChanged();
    void tabFollowsReadingOrder();
    void namesGoThroughTheSystemCodePage();

private:
    Frm_GroupName *open(int kind);
    QLineEdit *editor(int i) const;
    void doubleClickRename(int row);
    // Keys go to whichever widget has the focus, as they do for a user.
    static void type(const QString &keys);

    std::unique_ptr<MainWindowHarness> m_harness;
    Frm_GroupName *m_window = nullptr;
};

void TestFrmGroupName::init()
{
    m_harness = std::make_unique<MainWindowHarness>();
    MainWindowHooks hooks;
    registerChannelWindows(hooks);
    // The save question when the program closes.
    registerFileCommands(hooks);
    m_harness->start(std::move(hooks));
    m_harness->context.document.working() = *shippedInitDocument(1, "20260101");
    m_harness->context.document.takeSnapshot();
    m_harness->showAndActivate();
}

void TestFrmGroupName::cleanup()
{
    m_window = nullptr;
    m_harness.reset();
}

Frm_GroupName *TestFrmGroupName::open(int kind)
{
    m_harness->context.document.working().settings.currentKind = std::int16_t(kind);
    m_window = qobject_cast<Frm_GroupName *>(m_harness->window->openChildWindow("Frm_GroupName"));
    return m_window;
}

QLineEdit *TestFrmGroupName::editor(int i) const
{
    return findNamed<QLineEdit>(m_window, QStringLiteral("Text1_%1").arg(i));
}

void TestFrmGroupName::doubleClickRename(int row)
{
    auto *grid = findNamed<QTableView>(m_window, "MSFlexGrid1");
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void TestFrmGroupName::type(const QString &keys)
{
    for (const QChar key : keys) {
        if (key.unicode() < 128) {
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(key));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
}

QByteArray twoBytes(const RadioImage &image, std::uint32_t address)
{
    return QByteArray(1, char(image.byteAt(address))) +
           QByteArray(1, char(image.byteAt(address + 1)));
}

void TestFrmGroupName::listsTheGroupsOfTheKind()
{
    QVERIFY(open(HAM));
    auto *grid = findNamed<QTableView>(m_window, "MSFlexGrid1");
    QAbstractItemModelTester tester(grid->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(grid->model()->rowCount(), 12);
    QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Rename"));
    QCOMPARE(grid->model()->index(11, 0).data().toString(), QStringLiteral("L"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("26.965 - 27.405 MHz"));
    QVERIFY(grid->isColumnHidden(1));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Group Name"));
}

void TestFrmGroupName::renameStoresAndPacks_data()
{
    QTest::addColumn<QString>("left");  // keys typed into the left editor
    QTest::addColumn<QString>("right"); // keys typed into the right one after Enter ("" none)
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("packed");
    // "a" fills the left editor, which moves on to the right one.
    QTest::newRow("a then 1") << QString("a1") << QString() << QByteArray("A1") << QByteArray("A1");
    QTest::newRow("left empty and 7")
        << QString("\b") << QString("7") << QByteArray(" 7") << QByteArray("\x20\x37", 2);
    QTest::newRow("both empty") << QString("\b") << QString("\b") << QByteArray("  ")
                                << QByteArray(2, '\0');
    QTest::newRow("only accepted characters")
        << QString::fromUtf8(", .=\u00e9z") << QString("/") << QByteArray("Z/") << QByteArray("Z/");
    QTest::newRow("signs") << QString("+-") << QString() << QByteArray("+-") << QByteArray("+-");
}

void TestFrmGroupName::renameStoresAndPacks()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, packed);
    QVERIFY(open(HF));
    QSignalSpy renamed(&m_harness->notifier, &DocumentNotifier::groupNamesChanged);
    // Group 2 of HF holds "B" and an empty right character.
    doubleClickRename(1);
    QTRY_VERIFY(editor(0)->hasFocus());
    QCOMPARE(editor(0)->text(), QStringLiteral("B"));
    QVERIFY(editor(0)->isVisible() && editor(1)->isVisible());

    type(left);
    if (!right.isEmpty()) {
        if (editor(0)->hasFocus())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(editor(1)->hasFocus());
        type(right);
    }
    // Enter moves on as Tab does; from the right editor to the grid, which writes the rename.
    while (editor(0)->hasFocus() || editor(1)->hasFocus())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(editor(0)->isHidden() && editor(1)->isHidden());

    const DocumentSet &working = m_harness->context.document.working();
    QCOMPARE(QByteArray::fromStdString(working.settings.options.groupNames.names.at(HF, 2).raw()),
             stored);
    RadioImage image;
    EncodeGroupNames(working.settings.options.groupNames, image);
    const std::uint32_t address = groupNameAddress(HF, 2);
    QCOMPARE(twoBytes(image, address), packed);
    QCOMPARE(renamed.count(), 1);
    QCOMPARE(renamed.at(0).at(0).toInt(), int(HF));
    auto *grid = findNamed<QTableView>(m_window, "MSFlexGrid1");
    QCOMPARE(grid->model()->index(1, 0).data().toString(),
             QString::fromLatin1(stored).trimmed().isEmpty() ? QString()
                                                             : QString::fromLatin1(stored));
}

void TestFrmGroupName::closingTheWindowWritesTheRename()
{
    QVERIFY(open(HAM));
    doubleClickRename(0);
    QTRY_VERIFY(editor(0)->hasFocus());
    type("q");
    m_window->parentWidget()->close();
    QTRY_VERIFY(!m_harness->openWindows().contains("Frm_GroupName"));
    QCOMPARE(
        m_harness->context.document.working().settings.options.groupNames.names.at(HAM, 1).raw(),
        std::string("Q "));
}

void TestFrmGroupName::closingTheProgramWritesTheRenameBeforeTheQuestion()
{
    QVERIFY(open(HAM));
    doubleClickRename(3);
    QTRY_VERIFY(editor(0)->hasFocus());
    type("7");
    // The save question sees the rename; Cancel keeps the program open.
    m_harness->messages.answers.push_back(MessageAnswer::Cancel);
    QVERIFY(!m_harness->window->close());
    QCOMPARE(m_harness->messages.questions.size(), std::size_t(1));
    QCOMPARE(m_harness->context.document.working()
                 .settings.options.groupNames.names.at(HAM, 4)
                 .trimmed(),
             std::string("7"));
}

void TestFrmGroupName::cbNamesCannotBeChanged()
{
    QVERIFY(open(CB));
    auto *grid = findNamed<QTableView>(m_window, "MSFlexGrid1");
    QCOMPARE(grid->model()->rowCount(), 7);
    QCOMPARE(grid->model()->index(4, 2).data().toString(), QStringLiteral("U"));
    doubleClickRename(0);
    m_window->startRename(0);
    QVERIFY(editor(0)->isHidden());
    QVERIFY(!grid->model()->setData(grid->model()->index(0, 2), "XX", Qt::EditRole));
    QCOMPARE(
        m_harness->context.document.working().settings.options.groupNames.names.at(CB, 1).trimmed(),
        std::string("EU"));
}

void TestFrmGroupName::tabFollowsReadingOrder()
{
    open(HF);
    auto *grid = findNamed<QTableView>(m_window, "MSFlexGrid1");
    const QStringList afterTheGrid{"MSFlexGrid1", "CommandClose", "CommandHelp"};
    QCOMPARE(tabChain(m_window, grid), afterTheGrid);

    // A rename open: the two characters, left then right, and on to the grid, which keeps it.
    doubleClickRename(3);
    QTRY_VERIFY(editor(0)->hasFocus());
    QCOMPARE(tabChain(m_window, editor(0)), QStringList({"Text1_0", "Text1_1"}) + afterTheGrid);
    QVERIFY(!m_window->renameOpen());
}

void TestFrmGroupName::namesGoThroughTheSystemCodePage()
{
    // A pair written on a Chinese system holds GBK bytes; there it shows as typed, and a name
    // the code page cannot hold is refused without touching the stored one.
    QVERIFY(setSystemRecordTextCodePage(936));
    FixedText<2> &name =
        m_harness->context.document.working().settings.options.groupNames.names.at(HAM, 3);
    name.assign("\xd6\xd0");
    QVERIFY(open(HAM));
    QAbstractItemModel *model = findNamed<QTableView>(m_window, "MSFlexGrid1")->model();
    QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("中"));
    QVERIFY(model->setData(model->index(3, 2), QStringLiteral("文"), Qt::EditRole));
    QCOMPARE(QByteArray::fromStdString(m_harness->context.document.working()
                                           .settings.options.groupNames.names.at(HAM, 4)
                                           .raw()),
             QByteArray("\xce\xc4"));

    QVERIFY(setSystemRecordTextCodePage(1252));
    QVERIFY(!model->setData(model->index(2, 2), QStringLiteral("文"), Qt::EditRole));
    QCOMPARE(QByteArray::fromStdString(name.raw()), QByteArray("\xd6\xd0"));
    QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("\u00d6\u00d0"));
}

QTEST_MAIN(TestFrmGroupName)
#include "tst_frmgroupname.moc"
