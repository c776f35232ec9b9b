#include <QTest>

#include "ToneMeasure.h"
#include "options/ToneGenerator.h"
#include "radio/RogerBeep.h"

// The roger-beep tone generator on its rendered samples: what a preview plays and a WAV file holds.
class TestToneGenerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyToneAtItsFrequencyAndTime_data();
    void everyToneAtItsFrequencyAndTime();
    void separatedTonesLastTheirDuration();
    void passesRepeatWithTheInterTimeAfterEach();
    void recycleTimesZeroRendersNothing_data();
    void recycleTimesZeroRendersNothing();
    void restsAndShortTones_data();
    void restsAndShortTones();
    void pulledInPiecesGivesTheSameSamples();
    void tonePictureBars();
};

namespace {

constexpr int kRate = kToneSampleRate;
constexpr std::size_t samplesFor(int milliseconds)
{
    return std::size_t(milliseconds) * kRate / 1000;
}
constexpr std::size_t kRampSamples = samplesFor(kToneRampMilliseconds);

ToneSet setOf(std::initializer_list<Tone> tones, int recycle = 1, int inter = 0)
{
    ToneSet set;
    std::copy(tones.begin(), tones.end(), set.tones.begin());
    set.recycleTimes = static_cast<std::int16_t>(recycle);
    set.interTime = static_cast<std::int16_t>(inter);
    return set;
}

} // namespace

void TestToneGenerator::everyToneAtItsFrequencyAndTime_data()
{
    QTest::addColumn<ToneSet>("set");
    const ToneTipTable defaults = defaultToneTips();
    for (int number = 1; number <= 5; ++number)
        QTest::addRow("default set %d", number) << defaults.set(number);
    QTest::newRow("lowest and highest of the list") << setOf({{40, 5}, {255, 5}, {0, 3}, {123, 2}});
    QTest::newRow("every tone field used") << [] {
        ToneSet set;
        set.recycleTimes = 1;
        for (int k = 0; k < kTonesPerSet; ++k)
            set.tones[std::size_t(k)] = {std::int16_t(40 + 15 * k), std::int16_t(2 + k)};
        return set;
    }();
}

// Walks the set's tones in order, from the fields themselves: inside each sounding tone (its
// ramps left out) the frequency is within 1 % and the level full; a rest is exactly silent.
void TestToneGenerator::everyToneAtItsFrequencyAndTime()
{
    QFETCH(ToneSet, set);
    const std::vector<std::int16_t> samples = renderToneSet(set);
    const std::span<const std::int16_t> all(samples);
    std::size_t start = 0;
    int sounding = 0;
    for (const Tone &tone : set.tones) {
        const std::size_t length = samplesFor(tone.duration * 10);
        if (length == 0)
            continue;
        QVERIFY(start + length <= samples.size());
        if (tone.frequency > 4) {
            const auto middle = all.subspan(start + kRampSamples, length - 2 * kRampSamples);
            const double wanted = tone.frequency * 10.0;
            const double measured = measuredFrequency(middle, kRate);
            QVERIFY2(std::abs(measured - wanted) <= wanted * 0.01,
                     qPrintable(QStringLiteral("%1 Hz measured as %2").arg(wanted).arg(measured)));
            QVERIFY(peak(middle) > kToneAmplitude * 95 / 100);
            ++sounding;
        } else {
            QCOMPARE(peak(all.subspan(start, length)), 0);
        }
        start += length;
    }
    QVERIFY(sounding > 0);
    QCOMPARE(samples.size(), start);
}

void TestToneGenerator::separatedTonesLastTheirDuration()
{
    // Default set 1: four 100 ms tones of 2100 Hz with 100 ms rests between them.
    const std::vector<std::int16_t> samples = renderToneSet(defaultToneTips().set(1));
    QCOMPARE(samples.size(), samplesFor(700));
    const std::vector<Run> runs = soundingRuns(samples, samplesFor(1));
    QCOMPARE(runs.size(), std::size_t(4));
    const double tolerance = 1.0 + kToneRampMilliseconds;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const double milliseconds = double(runs[k].end - runs[k].begin) * 1000 / kRate;
        QVERIFY2(std::abs(milliseconds - 100) <= tolerance,
                 qPrintable(QString::number(milliseconds)));
        const double startMs = double(runs[k].begin) * 1000 / kRate;
        QVERIFY(std::abs(startMs - 200.0 * double(k)) <= tolerance);
    }
}

void TestToneGenerator::passesRepeatWithTheInterTimeAfterEach()
{
    // One pass: 50 ms at 1000 Hz, a 30 ms rest, 20 ms at 1500 Hz; then 200 ms of inter time.
    const ToneSet set = setOf({{100, 5}, {0, 3}, {150, 2}}, 3, 20);
    QCOMPARE(toneScheduleMilliseconds(set), 3 * (100 + 200));
    const std::vector<std::int16_t> samples = renderToneSet(set);
    QCOMPARE(samples.size(), samplesFor(900));
    const std::span<const std::int16_t> all(samples);
    const std::vector<Run> runs = soundingRuns(samples, samplesFor(1));
    QCOMPARE(runs.size(), std::size_t(6));
    for (std::size_t pass = 0; pass < 3; ++pass) {
        const std::size_t passStart = pass * samplesFor(300);
        QVERIFY(runs[2 * pass].begin - passStart <= samplesFor(1));
        QVERIFY(runs[2 * pass + 1].begin - (passStart + samplesFor(80)) <= samplesFor(1));
        QVERIFY(
            std::abs(measuredFrequency(all.subspan(runs[2 * pass].begin, samplesFor(40)), kRate) -
                     1000) < 10);
        // The inter time after every pass, the last one included, is silent.
        QCOMPARE(peak(all.subspan(passStart + samplesFor(100), samplesFor(200))), 0);
    }
}

void TestToneGenerator::recycleTimesZeroRendersNothing_data()
{
    QTest::addColumn<int>("recycle");
    QTest::newRow("off") << 0;
    QTest::newRow("negative in a damaged file") << -3;
}

void TestToneGenerator::recycleTimesZeroRendersNothing()
{
    QFETCH(int, recycle);
    ToneSet set = defaultToneTips().set(5);
    set.recycleTimes = std::int16_t(recycle);
    set.interTime = 30;
    ToneGenerator generator(set);
    QCOMPARE(generator.totalSamples(), std::size_t(0));
    QVERIFY(generator.atEnd());
    std::int16_t buffer[64];
    QCOMPARE(generator.render(buffer), std::size_t(0));
}

void TestToneGenerator::restsAndShortTones_data()
{
    QTest::addColumn<Tone>("tone");
    QTest::addColumn<int>("frequencyHz"); // -1: not played at all
    QTest::newRow("none is a 200 ms silence") << Tone{0, 20} << 0;
    QTest::newRow("40 Hz is a rest") << Tone{4, 20} << 0;
    QTest::newRow("50 Hz sounds") << Tone{5, 20} << 50;
    QTest::newRow("no duration is skipped") << Tone{210, 0} << -1;
    QTest::newRow("negative duration is skipped") << Tone{210, -2} << -1;
}

void TestToneGenerator::restsAndShortTones()
{
    QFETCH(Tone, tone);
    QFETCH(int, frequencyHz);
    const ToneSet set = setOf({{100, 1}, tone, {100, 1}});
    const std::vector<ToneSegment> schedule = toneSchedule(set);
    if (frequencyHz < 0) {
        QCOMPARE(schedule.size(), std::size_t(2));
        QCOMPARE(renderToneSet(set).size(), samplesFor(20));
        return;
    }
    QCOMPARE(schedule.size(), std::size_t(3));
    QCOMPARE(schedule[1].frequencyHz, frequencyHz);
    QCOMPARE(schedule[1].milliseconds, 200);
    const std::vector<std::int16_t> samples = renderToneSet(set);
    QCOMPARE(samples.size(), samplesFor(220));
    const int level =
        peak(std::span<const std::int16_t>(samples).subspan(samplesFor(10), samplesFor(200)));
    QCOMPARE(level > 0, frequencyHz > 0);
}

void TestToneGenerator::pulledInPiecesGivesTheSameSamples()
{
    const ToneSet set = defaultToneTips().set(4);
    const std::vector<std::int16_t> whole = renderToneSet(set);
    ToneGenerator generator(set);
    std::vector<std::int16_t> pieces;
    std::int16_t buffer[997];
    while (std::size_t got = generator.render(buffer))
        pieces.insert(pieces.end(), buffer, buffer + got);
    QVERIFY(generator.atEnd());
    QCOMPARE(pieces, whole);
}

void TestToneGenerator::tonePictureBars()
{
    const std::vector<ToneBar> bars = toneBars(defaultToneTips().set(1));
    QCOMPARE(bars.size(), std::size_t(4));
    for (std::size_t k = 0; k < bars.size(); ++k) {
        QCOMPARE(bars[k].left, 2.0 * double(k) / 7);
        QCOMPARE(bars[k].width, 1.0 / 7);
        QCOMPARE(bars[k].height, 210.0 / 255);
        QCOMPARE(bars[k].alternate, k % 2 == 1);
    }
    const std::vector<ToneBar> two = toneBars(setOf({{255, 1}, {40, 3}}));
    QCOMPARE(two.size(), std::size_t(2));
    QCOMPARE(two[1].left, 0.25);
    QVERIFY(two[0].height > two[1].height);
    QVERIFY(toneBars(setOf({{210, 0}, {0, 0}})).empty());
}

QTEST_APPLESS_MAIN(TestToneGenerator)
#include "tst_tonegenerator.moc"
