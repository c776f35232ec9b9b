#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "LinkHarness.h"
#include "link/PtyRadioHost.h"
#include "link/RadioProbe.h"

Q_DECLARE_METATYPE(ProbeResult::Kind)

namespace {

constexpr std::chrono::milliseconds kShortTimeout{100};

// A pseudo-terminal with no radio behind it: it keeps quiet, answers every frame with junk, or
// goes away when the first frame arrives.
class FakeLine : public QObject
{
public:
    enum class Mode
    {
        Silent,
        Junk,
        Vanish
    };

    explicit FakeLine(Mode mode)
        : m_mode(mode)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        // Held open so the line stays up between the client's opens.
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { onReadable(); });
    }
    ~FakeLine() override { shut(); }

    QString path() const { return m_path; }

private:
    void onReadable()
    {
        char buffer[256];
        if (::read(m_master, buffer, sizeof buffer) <= 0)
            return;
        if (m_mode == Mode::Junk) {
            static const char junk[] = "\x15?? hello 0123456789";
            [[maybe_unused]] const auto written = ::write(m_master, junk, sizeof junk - 1);
        } else if (m_mode == Mode::Vanish) {
            shut();
        }
    }

    void shut()
    {
        m_notifier.reset();
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }

    Mode m_mode;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

// Finding the radio on every port at once, against simulated radios and lines that misbehave.
class TestRadioProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPortAtOnce();
    void aPortThatGoesAway();

private:
    QList<ProbeResult> probe(const QStringList &paths, std::chrono::milliseconds timeout,
                             qint64 *elapsedMs = nullptr);
};

QList<ProbeResult> TestRadioProbe::probe(const QStringList &paths,
                                         std::chrono::milliseconds timeout, qint64 *elapsedMs)
{
    RadioProbe probe;
    probe.setReplyTimeout(timeout);
    QSignalSpy finished(&probe, &RadioProbe::finished);
    QSignalSpy probed(&probe, &RadioProbe::portProbed);
    QElapsedTimer clock;
    clock.start();
    probe.start(paths);
    if (finished.isEmpty() && !finished.wait(20000))
        return {};
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    if (probed.size() != paths.size() || probe.isRunning())
        return {};
    return finished.first().first().value<QList<ProbeResult>>();
}

void TestRadioProbe::everyPortAtOnce()
{
    RadioSimulator ours;
    ours.knobs().firmwareVersion = "V200";
    fillPattern(ours.memory(), 7);
    const RadioImage before = ours.memory();
    RadioSimulator other;
    other.knobs().modelName = "KZ6666";
    PtyRadioHost oursHost(ours);
    PtyRadioHost otherHost(other);
    QVERIFY(oursHost.open() && otherHost.open());
    FakeLine silent(FakeLine::Mode::Silent);
    FakeLine junk(FakeLine::Mode::Junk);
    QTemporaryDir dir;
    const QString plainFile = dir.filePath("not-a-port");
    QFile file(plainFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    struct Expected
    {
        QString path;
        ProbeResult::Kind kind;
        QString line;
    };
    const QList<Expected> expected{
        {oursHost.devicePath(), ProbeResult::Kind::Found,
         "radio found: ORX740, firmware V2.00, public group flag set"},
        {otherHost.devicePath(), ProbeResult::Kind::NotThisModel,
         "not a radio of this model (it says KZ6666 V1.00)"},
        {silent.path(), ProbeResult::Kind::NoAnswer, "no answer within 0.5 s"},
        {junk.path(), ProbeResult::Kind::Garbage,
         "answers, but not in this radio's language (15 3F 3F 20 68"},
        {plainFile, ProbeResult::Kind::CannotOpen, "cannot be opened: " + plainFile},
        {dir.filePath("ttyUSB99"), ProbeResult::Kind::CannotOpen, "cannot be opened: "},
    };
    QStringList paths;
    for (const Expected &e : expected)
        paths << e.path;

    const QList<ProbeResult> results = probe(paths, kShortTimeout);
    QCOMPARE(results.size(), expected.size());
    for (int i = 0; i < results.size(); ++i) {
        QCOMPARE(results[i].devicePath, expected[i].path);
        QCOMPARE(results[i].kind, expected[i].kind);
        const QString line = probeResultLine(results[i], English);
        QVERIFY2(line.startsWith(expected[i].line), qPrintable(line));
        QVERIFY(!probeResultLine(results[i], Chinese).isEmpty());
    }
    QCOMPARE(QString::fromStdString(results[0].identification.firmwareVersion), QString("V200"));

    // The radios were asked who they are and let go; their memory was not touched.
    QVERIFY(ours.sessionEnded() && other.sessionEnded());
    QCOMPARE(ours.blocksRead() + ours.blocksWritten(), 0);
    QVERIFY(
        ours.memory().bytes().size() == before.bytes().size() &&
        std::equal(before.bytes().begin(), before.bytes().end(), ours.memory().bytes().begin()));
}

void TestRadioProbe::aPortThatGoesAway()
{
    FakeLine vanishing(FakeLine::Mode::Vanish);
    qint64 elapsed = 0;
    const QList<ProbeResult> results =
        probe({vanishing.path()}, std::chrono::milliseconds(1000), &elapsed);
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].kind, ProbeResult::Kind::CannotOpen);
    QVERIFY2(results[0].reason.startsWith("the port went away"), qPrintable(results[0].reason));
    // It ends with the port, not after the five sends of the handshake.
    QVERIFY2(elapsed < 4000, qPrintable(QString::number(elapsed)));
}

QTEST_GUILESS_MAIN(TestRadioProbe)
#include "tst_radioprobe.moc"
