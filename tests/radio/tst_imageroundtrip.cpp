#include <QTest>

#include <random>

#include "model/ByteIO.h"
#include "model/RadioImage.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"

// Whole images and whole documents through the pack and unpack steps of the options, DTMF codes,
// roger-beep sets, special-channel settings and broadcast table; and the new-document defaults.
class TestImageRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imageThroughDocument_data();
    void imageThroughDocument();
    void documentThroughImage_data();
    void documentThroughImage();
    void newDocumentDefaults();
    void defaultsInTheImage_data();
    void defaultsInTheImage();
};

namespace {

// The stretches of the image these steps own.
constexpr std::pair<std::uint32_t, std::uint32_t> kOwnedRanges[] = {
    {0x18000, 0x18130}, {0x1C000, 0x1C190}, {0x20000, 0x20200},
    {0x22060, 0x22080}, {0x22100, 0x22150},
};

// An image with every byte the document carries set, from the published addresses. Bytes that
// no step reads stay 0, so packing must give back exactly this image in the owned stretches.
RadioImage publishedImage(int pattern)
{
    RadioImage image;
    const auto value = [pattern](std::uint32_t address) {
        return pattern == 0 ? std::uint8_t{0xFF}
                            : static_cast<std::uint8_t>(
                                  (address * static_cast<std::uint32_t>(pattern) + 7) & 0xFF);
    };
    for (std::uint32_t a = 0x18000; a <= 0x18027; ++a)
        image.write(a, value(a));
    for (std::uint32_t base : {0x18108u, 0x18118u, 0x18128u})
        for (std::uint32_t offset : {0u, 2u, 3u}) // +1 is not carried
            image.write(base + offset, value(base + offset));
    for (auto [first, last] : {std::pair{0x18040u, 0x18063u}, std::pair{0x18080u, 0x18091u},
                               std::pair{0x180C0u, 0x180CFu}})
        for (std::uint32_t a = first; a <= last; ++a)
            image.write(a, value(a));

    // DTMF: code 1 every digit value, code 2 empty, the others of growing length.
    for (int code = 1; code <= 16; ++code) {
        const int length = code == 1 ? 16 : code == 2 ? 0 : (code * pattern) % 17;
        for (int k = 0; k < 16; ++k)
            image.write(0x20000 + 16 * (code - 1) + k,
                        static_cast<std::uint8_t>(
                            k < length ? (code == 1 ? k : (k + code * pattern) % 16) : 16));
    }
    for (int set = 0; set < 8; ++set)
        for (std::uint32_t k = 0; k < 30; ++k) // +30 and +31 are not carried
            image.write(0x20100 + 32 * set + k, value(0x20100 + 32 * set + k));

    // Broadcast: every third entry empty, the others with a BCD frequency, bandwidth and scan bit.
    for (int n = 1; n <= 41; ++n) {
        if (n % 3 == 0 && n != 41)
            continue;
        const std::uint32_t address = n == 41 ? 0x1C180 : 0x1C000 + 8 * (n - 1);
        const int units = 13600000 + 97531 * n * (pattern + 1);
        for (int k = 0; k < 4; ++k) {
            const int pair = units / (k == 0 ? 1000000 : k == 1 ? 10000 : k == 2 ? 100 : 1) % 100;
            image.write(address + k, static_cast<std::uint8_t>(pair / 10 * 16 + pair % 10));
        }
        image.write(address + 4, static_cast<std::uint8_t>((n + pattern) % 2));
        image.setBit(0x2206C, n);
        if ((n * pattern) % 2 == 0)
            image.setBit(0x22064, n);
    }
    for (std::uint32_t a : {0x22060u, 0x22061u, 0x22062u, 0x22063u, 0x22074u, 0x22075u, 0x22076u})
        image.write(a, value(a));

    for (std::uint32_t a = 0x22100; a <= 0x22144; ++a)
        if (a != 0x22112 && a != 0x22140 && (a < 0x22130 || a > 0x2213F))
            image.write(a, value(a));
    image.write(0x22115, image.byteAt(0x22115) & 0x7F); // ASQ Level: low 7 bits
    image.write(0x22141, image.byteAt(0x22141) & 0x3F); // six mode enables
    const std::string_view name = "ORX-Headset";
    for (std::size_t k = 0; k < name.size(); ++k)
        image.write(0x22130 + static_cast<std::uint32_t>(k), static_cast<std::uint8_t>(name[k]));
    return image;
}

std::int16_t pick(std::mt19937 &random, int count)
{
    return static_cast<std::int16_t>(random() % static_cast<unsigned>(count));
}

std::string randomText(std::mt19937 &random, std::string_view alphabet)
{
    std::string text(random() % 17, ' ');
    for (char &c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

// A document with every carried field at a random value of its domain, and the fields the image
// does not carry at random values as well.
SettingsRecord randomSettings(std::mt19937 &random)
{
    SettingsRecord s;
    OptionRecord &o = s.options;
    std::vector<std::uint8_t> noise(kOptionRecordPackedSize);
    for (auto &b : noise)
        b = static_cast<std::uint8_t>(random());
    ByteReader reader(noise);
    unpackFields(reader, o);

    for (std::int16_t *f :
         {&o.setting18002, &o.hfUseVfo,    &o.hamUseVfo,   &o.cwBeep,   &o.maxSwr,     &o.nrcAble,
          &o.indic,        &o.mic,         &o.nogSet,      &o.tot,      &o.swrProtect, &o.tdcSet,
          &o.scanType,     &o.menuColour,  &o.micType,     &o.voxOnOff, &o.voxLevel,   &o.voxDelay,
          &o.rxNr,         &o.txNr,        &o.claSet,      &o.claFrq,   &o.echoVol,    &o.echoTime,
          &o.vfoStep,      &o.fmDeviation, &o.ssbTone,     &o.dim,      &o.agc,        &o.cwRxMode,
          &o.cwBkin,       &o.cwOffset,    &o.bluetoothOn, &o.pttHold,  &o.micGain,    &o.spkGain,
          &o.holdTime,     &o.holdDelay,   &o.btIntSpk,    &o.pttSleep, &o.voxSpk,     &o.pfKey,
          &o.txDrcCon})
        *f = pick(random, 256);
    for (std::int16_t *f : {&o.selectorA, &o.selectorB, &o.selectorC})
        *f = static_cast<std::int16_t>(1 + pick(random, 256));
    for (auto table :
         {std::span<std::int16_t>(o.cbGroupTable), std::span<std::int16_t>(o.hfGroupTable),
          std::span<std::int16_t>(o.hamGroupTable)})
        for (std::int16_t &v : table)
            v = static_cast<std::int16_t>(1 + pick(random, 256));
    for (std::uint16_t *f : {&o.batteryMax, &o.batteryMin, &o.cwFreq, &o.txRepeatOffset})
        *f = static_cast<std::uint16_t>(random());
    o.asqLevel = pick(random, 128);
    for (PublicParamSet &p : o.publicSets) {
        p.hiCut = pick(random, 2);
        p.echo = pick(random, 2);
        p.plus10k = pick(random, 2);
        p.fourthFlag = pick(random, 2);
        p.noiseBlanker = pick(random, 4);
        p.anl = pick(random, 4);
        p.roger = pick(random, 256);
        p.mode = pick(random, 256);
    }
    o.btDeviceName.assign(randomText(random, "ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789"));
    for (DtmfCode &code : o.dtmfCodes)
        code.assign(randomText(random, "0123456789ABCD*#"));

    BroadcastTable &b = o.broadcast;
    for (std::int16_t *f : {&b.weatherOn, &b.currentChannel, &b.alert, &b.scanState, &b.weatherVfo,
                            &b.step, &b.squelch})
        *f = pick(random, 256);
    for (int n = 1; n <= kBroadcastEntryCount; ++n) {
        BroadcastEntry &e = b.entry(n);
        e.valid = n == kBroadcastVfoEntry ? 1 : pick(random, 2);
        e.frequency = e.valid ? static_cast<double>(random() % 100000000) / 100000.0 : 0.0;
        e.bandwidth = e.valid ? pick(random, 2) : 0;
        e.scan = e.valid ? pick(random, 2) : 0;
        e.onOff = pick(random, 2);
    }

    s.singleBytes[BesideValue::kVariantByte] = static_cast<std::uint8_t>(random());
    s.extraValues[BesideValue::kKeyBeep] = pick(random, 256);
    for (std::size_t k = BesideValue::kFmEnable; k <= BesideValue::kCwEnable; ++k)
        s.extraValues[k] = pick(random, 2);
    for (ToneSet &set : s.toneTips.sets) {
        set.recycleTimes = pick(random, 256);
        set.interTime = pick(random, 256);
        for (Tone &tone : set.tones)
            tone = {pick(random, 256), pick(random, 256)};
    }
    for (auto &v : s.emergency.values)
        v = pick(random, 256);
    for (auto &v : s.dualWatch.values)
        v = pick(random, 256);
    for (auto &v : s.memorySettings.values)
        v = pick(random, 256);
    for (auto &v : s.thresholds.values)
        v = pick(random, 36);
    return s;
}

// The fields that the image does not carry, taken over from the document that was packed. The
// group names belong to their own image step and are checked there.
void takeFieldsTheImageDoesNotCarry(const SettingsRecord &from, SettingsRecord &to)
{
    const OptionRecord &f = from.options;
    OptionRecord &t = to.options;
    t.workMode = f.workMode;
    t.beep = f.beep;
    t.volData = f.volData;
    t.volPath = f.volPath;
    t.sql = f.sql;
    t.aop = f.aop;
    t.powerOffDisplay = f.powerOffDisplay;
    t.handType = f.handType;
    t.keyAssign = f.keyAssign;
    t.voxFunction = f.voxFunction;
    t.memMenu = f.memMenu;
    for (std::size_t k = 0; k < t.publicSets.size(); ++k) {
        t.publicSets[k].dtmfBot = f.publicSets[k].dtmfBot;
        t.publicSets[k].dtmfEot = f.publicSets[k].dtmfEot;
        t.publicSets[k].dtmfCall = f.publicSets[k].dtmfCall;
    }
    for (int n = 1; n <= kBroadcastEntryCount; ++n)
        t.broadcast.entry(n).onOff = f.broadcast.entry(n).onOff;
    t.groupNames = f.groupNames;
    t.dtmfTiming = f.dtmfTiming;
    t.reserved1 = f.reserved1;
    t.reserved2 = f.reserved2;
    t.reserved3 = f.reserved3;
    t.reserved4 = f.reserved4;
    t.reservedValues = f.reservedValues;
    to.thresholds = from.thresholds;
    for (std::size_t k = 1; k < to.singleBytes.values.size(); ++k)
        to.singleBytes[k] = from.singleBytes[k];
    for (std::size_t k : {BesideValue::kKeyLock, BesideValue::kEmergencyMode,
                          BesideValue::kChVolKind, BesideValue::kCbPublic, BesideValue::kHfPublic,
                          BesideValue::kHamPublic, BesideValue::kFreqCh})
        to.extraValues[k] = from.extraValues[k];
}

} // namespace

void TestImageRoundTrip::imageThroughDocument_data()
{
    QTest::addColumn<int>("pattern");
    QTest::newRow("option bytes all 0xFF") << 0;
    QTest::newRow("pattern 1") << 1;
    QTest::newRow("pattern 37") << 37;
    QTest::newRow("pattern 101") << 101;
}

void TestImageRoundTrip::imageThroughDocument()
{
    QFETCH(int, pattern);
    const RadioImage image = publishedImage(pattern);
    auto document = std::make_unique<DocumentSet>();
    UnpackImageIntoDocument(image, *document);
    RadioImage packed;
    PackDocumentIntoImage(*document, packed);
    for (auto [first, last] : kOwnedRanges)
        for (std::uint32_t a = first; a < last; ++a)
            if (packed.byteAt(a) != image.byteAt(a))
                QFAIL(qPrintable(QStringLiteral("byte 0x%1: %2 instead of %3")
                                     .arg(a, 5, 16, QChar('0'))
                                     .arg(packed.byteAt(a))
                                     .arg(image.byteAt(a))));
}

void TestImageRoundTrip::documentThroughImage_data()
{
    QTest::addColumn<unsigned>("seed");
    for (unsigned seed = 1; seed <= 8; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestImageRoundTrip::documentThroughImage()
{
    QFETCH(unsigned, seed);
    std::mt19937 random(seed);
    auto document = std::make_unique<DocumentSet>();
    document->settings = randomSettings(random);
    RadioImage image;
    PackDocumentIntoImage(*document, image);
    auto back = std::make_unique<DocumentSet>();
    UnpackImageIntoDocument(image, *back);
    takeFieldsTheImageDoesNotCarry(document->settings, back->settings);

    const SettingsRecord &expected = document->settings;
    const SettingsRecord &actual = back->settings;
    QCOMPARE(actual.options.publicSets, expected.options.publicSets);
    QCOMPARE(actual.options.broadcast, expected.options.broadcast);
    QCOMPARE(actual.options.dtmfCodes, expected.options.dtmfCodes);
    QCOMPARE(actual.options.btDeviceName, expected.options.btDeviceName);
    QVERIFY(actual.options == expected.options);
    QCOMPARE(actual.singleBytes.values, expected.singleBytes.values);
    QCOMPARE(actual.extraValues.values, expected.extraValues.values);
    QCOMPARE(actual.toneTips, expected.toneTips);
    QCOMPARE(actual.emergency, expected.emergency);
    QCOMPARE(actual.dualWatch, expected.dualWatch);
    QCOMPARE(actual.memorySettings, expected.memorySettings);
}

void TestImageRoundTrip::newDocumentDefaults()
{
    SettingsRecord settings;
    settings.options.cwBeep = 5; // no default: kept
    settings.options.groupNames.names.at(HF, 16).assign("ME");
    ApplyNewDocumentDefaults(settings, "20261208", 0);

    const GroupNameTable &groups = settings.options.groupNames;
    const char *cb[] = {"EU", "PL", "DE", "EC", "U ", "IN", "UK"};
    for (int g = 1; g <= 7; ++g)
        QCOMPARE(groups.names.at(CB, g).raw(), std::string(cb[g - 1]));
    QCOMPARE(groups.names.at(HF, 1).raw(), std::string("A\0", 2));
    QCOMPARE(groups.names.at(HF, 15).raw(), std::string("O\0", 2));
    QCOMPARE(groups.names.at(HAM, 12).raw(), std::string("L\0", 2));
    QCOMPARE(groups.names.at(HF, 16).raw(), std::string("ME")); // MEM has no stored name
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int g = 1; g <= groupCount(kind); ++g)
            QCOMPARE(int(groups.valid.at(kind, g)), g <= namedGroupCount(kind) ? 1 : 0);

    const IdentityRecord &identity = settings.identity;
    QCOMPARE(identity.modelNameZ.raw(), std::string("ORX740\0", 7));
    QCOMPARE(identity.modelName.raw(), std::string("ORX740"));
    QCOMPARE(identity.modelCode, std::int16_t{248});
    QCOMPARE(identity.bandClass, std::int16_t{0});
    QCOMPARE(identity.bandClass2, std::int16_t{0});
    QCOMPARE(identity.date.raw(), std::string("20261208"));
    QCOMPARE(identity.firmwareVersion.raw(), std::string("V2.00"));
    QCOMPARE(identity.identityCode, std::int16_t{67});

    const OptionRecord &o = settings.options;
    QCOMPARE(o.cwBeep, std::int16_t{5});
    QCOMPARE(o.workMode, std::int16_t{1});
    QCOMPARE(o.beep, std::int16_t{1});
    QCOMPARE(o.dtmfTiming, kDefaultDtmfTiming);
    QCOMPARE(o.btDeviceName.trimmed(), std::string());
    for (const PublicParamSet &set : o.publicSets) {
        QCOMPARE(set.noiseBlanker, std::int16_t{1});
        QCOMPARE(set.mode, std::int16_t{1});
        QCOMPARE(set.roger, std::int16_t{0});
    }
    QCOMPARE(settings.thresholds.values, kDefaultRssiThresholds);
    QCOMPARE(settings.singleBytes[BesideValue::kVariantByte], std::uint8_t{1});
    QCOMPARE(settings.toneTips, defaultToneTips());
    QCOMPARE(CountDefinedToneSets(settings.toneTips), 5);
}

void TestImageRoundTrip::defaultsInTheImage_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("byte");
    QTest::newRow("variant byte") << 0x18000 << 1;
    QTest::newRow("selector A") << 0x18001 << 0;
    QTest::newRow("selector B") << 0x18003 << 0;
    QTest::newRow("HAM group 12 table") << 0x18027 << 0;
    QTest::newRow("CB public flags: NB on") << 0x18108 << 0x10;
    QTest::newRow("HAM public mode AM") << 0x1812B << 1;
    QTest::newRow("battery maximum") << 0x22100 << 168;
    QTest::newRow("battery minimum") << 0x22102 << 97;
    QTest::newRow("maximum SWR") << 0x22107 << 160;
    QTest::newRow("MIC") << 0x2210B << 30;
    QTest::newRow("SWR Protect") << 0x2210E << 1;
    QTest::newRow("TDC.SET") << 0x2210F << 1;
    QTest::newRow("TX.REP low") << 0x22113 << 100;
    QTest::newRow("TX.REP high") << 0x22114 << 0;
    QTest::newRow("tone set 1 recycle") << 0x20100 << 1;
    QTest::newRow("tone set 1 first frequency") << 0x20102 << 210;
    QTest::newRow("tone set 5 first duration") << 0x20190 << 20;
    QTest::newRow("DTMF code 1 empty") << 0x20000 << 16;
}

void TestImageRoundTrip::defaultsInTheImage()
{
    QFETCH(int, address);
    QFETCH(int, byte);
    auto document = std::make_unique<DocumentSet>();
    ApplyNewDocumentDefaults(document->settings, "20260101", 1);
    RadioImage image;
    PackDocumentIntoImage(*document, image);
    QCOMPARE(int(image.byteAt(static_cast<std::uint32_t>(address))), byte);
}

QTEST_APPLESS_MAIN(TestImageRoundTrip)
#include "tst_imageroundtrip.moc"
