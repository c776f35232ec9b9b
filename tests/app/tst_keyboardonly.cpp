#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/Subsystems.h"
#include "channels/ChannelGrid.h"
#include "channels/ToneCodec.h"
#include "datafile/DataFileFormat.h"
#include "datafile/InitFiles.h"
#include "datafile/QtDataFileStorage.h"
#include "kernel/FileDialogs.h"
#include "lang/QtMessageService.h"
#include "link/FrmVerifyResult.h"
#include "link/PtyRadioHost.h"
#include "link/RadioSimulator.h"
#include "link/TransferCommands.h"
#include "radio/ImagePacking.h"
#include "support/WindowHarness.h"

namespace {

// Answers every message box as a keyboard user does: Return on the box's default button, once
// the box is shown. The texts are kept.
class ReturnOnEveryBox : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            texts << box->text();
            QTimer::singleShot(0, box, [box] {
                QWidget *focus = box->focusWidget() ? box->focusWidget() : box;
                QTest::keyClick(focus, Qt::Key_Return);
            });
        }
        return false;
    }
    QStringList texts;
};

// The whole program with a simulated radio on a pseudo-terminal, as COM7.
struct Harness : MainWindowHarness
{
    Harness()
        : host(radio)
    {
        if (!host.open())
            QTest::qFail(qPrintable(host.errorString()), __FILE__, __LINE__);
        ini.document =
            IniDocument("[language]\r\ncomPort=7\r\nCurrentLanguage=1\r\n[ports]\r\nCOM7=" +
                        host.devicePath().toStdString() + "\r\n");
        context.serial.comPort = 7;
        context.messages = &boxes;
        context.dataFiles = &storage;
        context.fileDialogs = &dialogs;
        transfers = std::make_unique<TransferCommands>(context);
        transfers->runner().setReplyTimeout(std::chrono::milliseconds(200));
        MainWindowHooks hooks;
        registerAllSubsystems(hooks, *transfers);
        start(std::move(hooks));
        ended = std::make_unique<QSignalSpy>(transfers.get(), &TransferCommands::transferEnded);
        qApp->installEventFilter(&answers);
    }
    ~Harness() { qApp->removeEventFilter(&answers); }

    // A key to whatever has the focus, as a keyboard sends it.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    static void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    // A menu item by the menu bar's mnemonics: Alt+letter, then the item's letter.
    void menu(Qt::Key menuLetter, Qt::Key itemLetter)
    {
        press(menuLetter, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        press(itemLetter);
    }
    void waitForTransfer(int count)
    {
        QTRY_COMPARE_WITH_TIMEOUT(ended->count(), count, 60000);
        QTRY_VERIFY(!transfers->progressWindow());
    }

    RadioSimulator radio;
    PtyRadioHost host;
    QtMessageService boxes{context.language};
    ReturnOnEveryBox answers;
    QtDataFileStorage storage;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TransferCommands> transfers;
    std::unique_ptr<QSignalSpy> ended;
};

} // namespace

// Read, edit a channel and an option, save, write and verify, with keys alone.
class TestKeyboardOnly : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qRegisterMetaType<TransferOutcome>();
    }
    void readEditSaveWriteVerify();
};

void TestKeyboardOnly::readEditSaveWriteVerify()
{
    Harness h;
    // The radio holds the shipped HAM document.
    const std::unique_ptr<DocumentSet> shipped = shippedInitDocument(0, "2026-01-01");
    QVERIFY(shipped);
    PackDocumentIntoImage(*shipped, h.radio.memory());
    h.showAndActivate();

    // Program > Read from Radio; the question and the completion answered with Return.
    h.menu(Qt::Key_P, Qt::Key_R);
    h.waitForTransfer(1);
    QVERIFY(h.answers.texts.size() >= 2);

    // The channel window: Tab reaches the grid and leaves it again.
    auto *channels = h.window->childWindow(QStringLiteral("frmCommChInfo"));
    QVERIFY(channels);
    auto *grid = findNamed<QTableView>(channels, "MSFlexGrid1");
    // The offscreen window system gives the activation back after a box only when asked.
    h.showAndActivate();
    QTRY_VERIFY(QApplication::focusWidget());
    for (int tab = 0; tab < 40 && QApplication::focusWidget() != grid; ++tab)
        Harness::press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    Harness::press(Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != grid);
    Harness::press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), grid);
    const QModelIndex current = grid->currentIndex();
    const int row = std::max(current.row(), 0) + 1;
    DocumentSet &document = h.context.document.working();
    const int kind = document.settings.currentKind;
    const int group = document.settings.currentGroup[std::size_t(kind)];
    QVERIFY(ChannelGrid::rowRecord(document, kind, group, row));

    // The receive tone: Alt+X to its type, "c" for CTCSS, Alt+D to the tone list, "88.5".
    Harness::press(Qt::Key_X, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Combo8_18"));
    Harness::type(QStringLiteral("c"));
    Harness::press(Qt::Key_D, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Combo8_19"));
    Harness::type(QStringLiteral("88.5"));
    const ChannelRecord *channel = ChannelGrid::rowRecord(document, kind, group, row);
    QCOMPARE(int(channel->RxToneType), int(ToneCtcss));
    QCOMPARE(QString::fromStdString(ctcssShowText(channel->RxCtcss)), QStringLiteral("88.5"));
    // Shift+Tab walks back to the grid from the detail panel.
    for (int tab = 0; tab < 40 && QApplication::focusWidget() != grid; ++tab)
        Harness::press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), grid);

    // Edit > Option Features; the first box takes one step down.
    const OptionRecord options = document.settings.options;
    h.menu(Qt::Key_E, Qt::Key_O);
    QWidget *optionWindow = h.window->childWindow(QStringLiteral("FrmOptFeatures"));
    QVERIFY(optionWindow);
    QTRY_VERIFY(optionWindow->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(qobject_cast<QComboBox *>(QApplication::focusWidget()));
    Harness::press(Qt::Key_Down);
    QVERIFY(!(document.settings.options == options));

    // File > Save: a new document asks for its name.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("keys.dat"));
    h.dialogs.answers = {path.toStdString()};
    Harness::press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(QString::fromStdString(h.context.document.documentPath), path);
    const DocumentSet saved = document;

    // Program > Write to Radio, then Program > Verify Radio.
    h.menu(Qt::Key_P, Qt::Key_W);
    h.waitForTransfer(2);
    // The radio holds both edits: what it holds turns the options as they were read into the
    // edited ones.
    DocumentSet inRadio = saved;
    inRadio.settings.options = options;
    UnpackImageIntoDocument(h.radio.memory(), inRadio);
    QVERIFY(inRadio.settings.options == saved.settings.options);
    const ChannelRecord *written = ChannelGrid::rowRecord(inRadio, kind, group, row);
    QVERIFY(written);
    QCOMPARE(QString::fromStdString(ctcssShowText(written->RxCtcss)), QStringLiteral("88.5"));
    h.showAndActivate();
    h.menu(Qt::Key_P, Qt::Key_V);
    h.waitForTransfer(3);
    QTRY_VERIFY(h.transfers->verifyResultWindow());
    QVERIFY(h.transfers->verifyResultWindow()->listText().startsWith(
        QStringLiteral("The radio holds what the program shows.")));
    QVERIFY(document == saved);
}

QTEST_MAIN(TestKeyboardOnly)
#include "tst_keyboardonly.moc"
