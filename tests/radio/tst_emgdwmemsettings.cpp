#include <QTest>

#include <cmath>
#include <limits>
#include <set>

#include "channels/ChannelReferences.h"
#include "model/RadioImage.h"
#include "radio/BroadcastTable.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/SettingsRecord.h"

// Emergency, dual-watch and memory-channel settings, the broadcast table, and what a channel
// removal does to the settings that name the channel.
class TestEmgDwMemSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamples();
    void everyValueHasItsOwnByte();
    void valuesThatNoByteHolds_data();
    void valuesThatNoByteHolds();
    void removalDropsReferences_data();
    void removalDropsReferences();
    void packFrequency_data();
    void packFrequency();
    void unpackFrequency_data();
    void unpackFrequency();
    void entryBitsAndBytes_data();
    void entryBitsAndBytes();
    void clearedImage();
    void nonBcdEntriesAreDropped();
    void headerBytes();
    void unrepresentableFrequencyIsLeftOut();
};

void TestEmgDwMemSettings::workedExamples()
{
    SettingsRecord settings;
    auto &emergency = settings.emergency.values;
    emergency[EmergencySettings::kCbChannel1] = 9 - 1; // "Eu" channel 9
    emergency[EmergencySettings::kCbChannel2] = 19 - 1;
    emergency[EmergencySettings::kCbMode1] = 1; // AM
    emergency[EmergencySettings::kCbMode2] = 4; // CW
    auto &dualWatch = settings.dualWatch.values;
    dualWatch[DualWatchSettings::kHamBand] = 2;
    dualWatch[DualWatchSettings::kHamChannel] = 5 - 1;
    dualWatch[DualWatchSettings::kHamMode] = 2; // USB
    settings.memorySettings.values[MemorySettings::kHamState] = 1;
    RadioImage image;
    EncodeSpecialChannels(settings, image);
    QCOMPARE(image.byteAt(0x18040), std::uint8_t{8});
    QCOMPARE(image.byteAt(0x18041), std::uint8_t{18});
    QCOMPARE(image.byteAt(0x1804C), std::uint8_t{1});
    QCOMPARE(image.byteAt(0x1804D), std::uint8_t{4});
    QCOMPARE(image.byteAt(0x1808F), std::uint8_t{2});
    QCOMPARE(image.byteAt(0x18090), std::uint8_t{4});
    QCOMPARE(image.byteAt(0x18091), std::uint8_t{2});
    QCOMPARE(image.byteAt(0x180CF), std::uint8_t{1});
}

void TestEmgDwMemSettings::everyValueHasItsOwnByte()
{
    // Each value goes to its own address, and together they fill the three areas exactly.
    SettingsRecord settings;
    std::set<std::uint32_t> addresses;
    for (std::size_t i = 0; i < settings.emergency.values.size(); ++i) {
        settings.emergency.values[i] = static_cast<std::int16_t>(i + 1);
        addresses.insert(emergencyAddress(static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < settings.dualWatch.values.size(); ++i) {
        settings.dualWatch.values[i] = static_cast<std::int16_t>(100 + i);
        addresses.insert(dualWatchAddress(static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < settings.memorySettings.values.size(); ++i) {
        settings.memorySettings.values[i] = static_cast<std::int16_t>(200 + i);
        addresses.insert(memorySettingsAddress(static_cast<int>(i)));
    }
    QCOMPARE(addresses.size(), std::size_t{36 + 18 + 16});
    QCOMPARE(*addresses.begin(), std::uint32_t{0x18040});
    QVERIFY(addresses.count(0x18063) && addresses.count(0x18080) && addresses.count(0x18091));
    QCOMPARE(*addresses.rbegin(), std::uint32_t{0x180CF});
    QCOMPARE(emergencyAddress(6 + 5), std::uint32_t{0x1804B}); // "IN" channel 2
    QCOMPARE(emergencyAddress(24), std::uint32_t{0x18058});

    RadioImage image;
    EncodeSpecialChannels(settings, image);
    SettingsRecord back;
    DecodeSpecialChannels(image, back);
    QCOMPARE(back.emergency, settings.emergency);
    QCOMPARE(back.dualWatch, settings.dualWatch);
    QCOMPARE(back.memorySettings, settings.memorySettings);
}

void TestEmgDwMemSettings::valuesThatNoByteHolds_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("readBack");
    QTest::newRow("empty choice") << -1 << 0xFF << 255;
    QTest::newRow("256") << 256 << 0xFF << 255;
    QTest::newRow("255") << 255 << 0xFF << 255;
    QTest::newRow("79") << 79 << 79 << 79;
}

void TestEmgDwMemSettings::valuesThatNoByteHolds()
{
    QFETCH(int, value);
    QFETCH(int, byte);
    QFETCH(int, readBack);
    SettingsRecord settings;
    settings.emergency.values[33] = static_cast<std::int16_t>(value);
    settings.dualWatch.values[0] = static_cast<std::int16_t>(value);
    settings.memorySettings.values[15] = static_cast<std::int16_t>(value);
    RadioImage image;
    EncodeSpecialChannels(settings, image);
    QCOMPARE(int(image.byteAt(0x18061)), byte);
    QCOMPARE(int(image.byteAt(0x18080)), byte);
    QCOMPARE(int(image.byteAt(0x180CF)), byte);
    SettingsRecord back;
    DecodeSpecialChannels(image, back);
    QCOMPARE(int(back.emergency.values[33]), readBack);
}

void TestEmgDwMemSettings::removalDropsReferences_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("valueIndex");
    QTest::addColumn<int>("band"); // band value index to set to group - 1, or -1
    QTest::addColumn<int>("after");
    QTest::newRow("CB Eu emergency channel 1") << 0 << 1 << 9 << "emg" << 0 << -1 << -1;
    QTest::newRow("CB IN emergency channel 2") << 0 << 6 << 9 << "emg" << 11 << -1 << -1;
    QTest::newRow("CB another channel kept") << 0 << 1 << 10 << "emg" << 0 << -1 << 8;
    QTest::newRow("CB another group kept") << 0 << 2 << 9 << "emg" << 0 << -1 << 8;
    QTest::newRow("CB dual watch") << 0 << 3 << 9 << "dw" << 2 << -1 << -1;
    QTest::newRow("CB mode untouched") << 0 << 1 << 9 << "emg" << 12 << -1 << 8;
    QTest::newRow("CB group 7 has no row") << 0 << 7 << 9 << "emg" << 0 << -1 << 8;
    QTest::newRow("HF emergency 1 in its band") << 1 << 4 << 9 << "emg" << 26 << 24 << -1;
    QTest::newRow("HF emergency 2 in its band") << 1 << 15 << 9 << "emg" << 27 << 25 << -1;
    QTest::newRow("HF emergency in another band") << 1 << 4 << 9 << "emg" << 26 << -1 << 8;
    QTest::newRow("HAM emergency 2") << 2 << 12 << 9 << "emg" << 33 << 31 << -1;
    QTest::newRow("HAM dual watch") << 2 << 2 << 9 << "dw" << 16 << 15 << -1;
    QTest::newRow("HF dual watch") << 1 << 1 << 9 << "dw" << 13 << 12 << -1;
    QTest::newRow("HF MEM group memory setting") << 1 << 16 << 9 << "mem" << 12 << -1 << -1;
    QTest::newRow("HAM MEM group memory setting") << 2 << 13 << 9 << "mem" << 14 << -1 << -1;
    QTest::newRow("HAM group 1 leaves the MEM setting") << 2 << 1 << 9 << "mem" << 14 << -1 << 8;
    QTest::newRow("CB leaves the memory settings") << 0 << 1 << 9 << "mem" << 0 << -1 << 8;
    QTest::newRow("kind out of range") << 3 << 1 << 9 << "emg" << 0 << -1 << 8;
}

void TestEmgDwMemSettings::removalDropsReferences()
{
    QFETCH(int, kind);
    QFETCH(int, group);
    QFETCH(int, removed);
    QFETCH(QString, record);
    QFETCH(int, valueIndex);
    QFETCH(int, band);
    QFETCH(int, after);
    SettingsRecord settings;
    const std::span<std::int16_t> values =
        record == "emg"  ? std::span<std::int16_t>(settings.emergency.values)
        : record == "dw" ? std::span<std::int16_t>(settings.dualWatch.values)
                         : std::span<std::int16_t>(settings.memorySettings.values);
    // Every value names channel 9 and every band names a group no row uses.
    settings.emergency.values.fill(8);
    settings.dualWatch.values.fill(8);
    settings.memorySettings.values.fill(8);
    for (std::size_t i : {24u, 25u, 30u, 31u})
        settings.emergency.values[i] = 40;
    settings.dualWatch.values[12] = settings.dualWatch.values[15] = 40;
    if (band >= 0)
        values[static_cast<std::size_t>(band)] = static_cast<std::int16_t>(group - 1);
    DropChannelReferences(settings, kind, group, removed);
    QCOMPARE(int(values[static_cast<std::size_t>(valueIndex)]), after);
}

void TestEmgDwMemSettings::packFrequency_data()
{
    QTest::addColumn<double>("megahertz");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("162.55 MHz") << 162.55 << QByteArray("\x16\x25\x50\x00", 4);
    QTest::newRow("136 MHz") << 136.0 << QByteArray("\x13\x60\x00\x00", 4);
    QTest::newRow("174 MHz") << 174.0 << QByteArray("\x17\x40\x00\x00", 4);
    QTest::newRow("0 MHz") << 0.0 << QByteArray(4, '\0');
    QTest::newRow("rounded up, not cut") << 162.549996 << QByteArray("\x16\x25\x50\x00", 4);
    QTest::newRow("rounded down") << 162.550004 << QByteArray("\x16\x25\x50\x00", 4);
    QTest::newRow("162.4 MHz") << 162.4 << QByteArray("\x16\x24\x00\x00", 4);
    QTest::newRow("10 Hz") << 0.00001 << QByteArray("\x00\x00\x00\x01", 4);
    QTest::newRow("largest") << 999.99999 << QByteArray("\x99\x99\x99\x99", 4);
    QTest::newRow("too large") << 1000.0 << QByteArray();
    QTest::newRow("negative") << -1.0 << QByteArray();
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QByteArray();
}

void TestEmgDwMemSettings::packFrequency()
{
    QFETCH(double, megahertz);
    QFETCH(QByteArray, bytes);
    const auto packed = packBroadcastFrequency(megahertz);
    QCOMPARE(packed.has_value(), !bytes.isEmpty());
    if (packed)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(packed->data()), 4), bytes);
}

void TestEmgDwMemSettings::unpackFrequency_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("megahertz");
    QTest::addColumn<bool>("valid");
    QTest::newRow("162.55") << QByteArray("\x16\x25\x50\x00", 4) << 162.55 << true;
    QTest::newRow("zero") << QByteArray(4, '\0') << 0.0 << true;
    QTest::newRow("0xFF") << QByteArray(4, '\xFF') << 0.0 << false;
    QTest::newRow("A in the low digit") << QByteArray("\x16\x2A\x50\x00", 4) << 0.0 << false;
    QTest::newRow("A in the high digit") << QByteArray("\x16\x25\x50\xA0", 4) << 0.0 << false;
}

void TestEmgDwMemSettings::unpackFrequency()
{
    QFETCH(QByteArray, bytes);
    QFETCH(double, megahertz);
    QFETCH(bool, valid);
    std::array<std::uint8_t, 4> raw{};
    for (std::size_t i = 0; i < raw.size() && i < std::size_t(bytes.size()); ++i)
        raw[i] = static_cast<std::uint8_t>(bytes.at(static_cast<qsizetype>(i)));
    const auto frequency = unpackBroadcastFrequency(raw);
    QCOMPARE(frequency.has_value(), valid);
    if (frequency)
        QCOMPARE(*frequency, megahertz);
}

void TestEmgDwMemSettings::entryBitsAndBytes_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("scan");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("bitByte");
    QTest::addColumn<int>("mask");
    QTest::newRow("entry 1") << 1 << 1 << 0x1C000 << 0 << 0x01;
    QTest::newRow("entry 8") << 8 << 1 << 0x1C038 << 0 << 0x80;
    QTest::newRow("entry 9 with scan") << 9 << 1 << 0x1C040 << 1 << 0x01;
    QTest::newRow("entry 9 without scan") << 9 << 0 << 0x1C040 << 1 << 0x01;
    QTest::newRow("entry 40") << 40 << 1 << 0x1C138 << 4 << 0x80;
    QTest::newRow("VFO entry") << 41 << 1 << 0x1C180 << 5 << 0x01;
}

void TestEmgDwMemSettings::entryBitsAndBytes()
{
    QFETCH(int, entry);
    QFETCH(int, scan);
    QFETCH(int, address);
    QFETCH(int, bitByte);
    QFETCH(int, mask);
    SettingsRecord settings;
    settings.options.broadcast.entry(entry) = {1, 162.55, 1, 1, std::int16_t(scan)};
    RadioImage image;
    EncodeBroadcast(settings, image);
    const auto at = [&](int a) { return int(image.byteAt(static_cast<std::uint32_t>(a))); };
    QCOMPARE(at(0x2206C + bitByte), mask);
    QCOMPARE(at(0x22064 + bitByte), scan ? mask : 0);
    QCOMPARE(at(address), 0x16);
    QCOMPARE(at(address + 1), 0x25);
    QCOMPARE(at(address + 2), 0x50);
    QCOMPARE(at(address + 3), 0x00);
    QCOMPARE(at(address + 4), 1);
    for (int k = 5; k < 8; ++k)
        QCOMPARE(at(address + k), 0);

    SettingsRecord back;
    DecodeBroadcast(image, back);
    const BroadcastEntry &read = back.options.broadcast.entry(entry);
    QCOMPARE(read.valid, std::int16_t{1});
    QCOMPARE(read.frequency, 162.55);
    QCOMPARE(read.bandwidth, std::int16_t{1});
    QCOMPARE(int(read.scan), scan);
    QCOMPARE(read.onOff, std::int16_t{0}); // not in the radio
}

void TestEmgDwMemSettings::clearedImage()
{
    const RadioImage image;
    SettingsRecord settings;
    settings.options.broadcast.entry(3).valid = 1;
    DecodeBroadcast(image, settings);
    for (int n = 1; n <= kBroadcastChannelCount; ++n)
        QCOMPARE(settings.options.broadcast.entry(n).valid, std::int16_t{0});
    const BroadcastEntry &vfo = settings.options.broadcast.entry(kBroadcastVfoEntry);
    QCOMPARE(vfo.valid, std::int16_t{1});
    QCOMPARE(vfo.frequency, 0.0);
}

void TestEmgDwMemSettings::nonBcdEntriesAreDropped()
{
    RadioImage image;
    image.setBit(0x2206C, 2);
    image.write(0x1C008, 0xFF);
    image.write(0x1C180, 0x1F); // VFO entry: valid whatever its bits say, unless not BCD
    SettingsRecord settings;
    DecodeBroadcast(image, settings);
    QCOMPARE(settings.options.broadcast.entry(2).valid, std::int16_t{0});
    QCOMPARE(settings.options.broadcast.entry(41).valid, std::int16_t{0});
}

void TestEmgDwMemSettings::headerBytes()
{
    SettingsRecord settings;
    BroadcastTable &table = settings.options.broadcast;
    table.weatherOn = 1;
    table.currentChannel = 39;
    table.alert = 1;
    table.scanState = 1;
    table.weatherVfo = 1;
    table.step = 8;
    table.squelch = 9;
    RadioImage image;
    EncodeBroadcast(settings, image);
    const std::vector<int> expected{1, 39, 1, 1};
    for (int k = 0; k < 4; ++k)
        QCOMPARE(int(image.byteAt(0x22060 + k)), expected[static_cast<std::size_t>(k)]);
    QCOMPARE(int(image.byteAt(0x22074)), 1);
    QCOMPARE(int(image.byteAt(0x22075)), 8);
    QCOMPARE(int(image.byteAt(0x22076)), 9);
    SettingsRecord back;
    DecodeBroadcast(image, back);
    QCOMPARE(back.options.broadcast.weatherOn, table.weatherOn);
    QCOMPARE(back.options.broadcast.currentChannel, table.currentChannel);
    QCOMPARE(back.options.broadcast.squelch, table.squelch);
    QCOMPARE(back.options.broadcast.step, table.step);
}

void TestEmgDwMemSettings::unrepresentableFrequencyIsLeftOut()
{
    SettingsRecord settings;
    settings.options.broadcast.entry(5) = {1, 1234.5, 0, 1, 1};
    RadioImage image;
    EncodeBroadcast(settings, image);
    QVERIFY(!image.testBit(0x2206C, 5));
    QVERIFY(!image.testBit(0x22064, 5));
    QCOMPARE(image.byteAt(0x1C020 + 4), std::uint8_t{0});
}

QTEST_APPLESS_MAIN(TestEmgDwMemSettings)
#include "tst_emgdwmemsettings.moc"
