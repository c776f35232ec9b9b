#include "radio/BroadcastTable.h"

#include <bit>
#include <cmath>

#include "model/ByteIO.h"
#include "model/ImageByte.h"
#include "model/RadioImage.h"
#include "radio/SettingsRecord.h"

namespace {

constexpr std::uint32_t kEntryBase = 0x1C000;
constexpr std::uint32_t kVfoEntryAddress = 0x1C180;
constexpr std::uint32_t kWeatherOnAddress = 0x22060;
constexpr std::uint32_t kCurrentChannelAddress = 0x22061;
constexpr std::uint32_t kAlertAddress = 0x22062;
constexpr std::uint32_t kScanStateAddress = 0x22063;
constexpr std::uint32_t kScanTable = 0x22064;
constexpr std::uint32_t kValidTable = 0x2206C;
constexpr std::uint32_t kWeatherVfoAddress = 0x22074;
constexpr std::uint32_t kStepAddress = 0x22075;
constexpr std::uint32_t kSquelchAddress = 0x22076;

constexpr double kUnitsPerMegahertz = 100000.0;
constexpr long long kLargestUnits = 99999999;

// The seven settings and their image bytes, one table for both directions.
template<typename Table, typename Visit>
void settingBytes(Table &table, Visit &&visit)
{
    visit(kWeatherOnAddress, table.weatherOn);
    visit(kCurrentChannelAddress, table.currentChannel);
    visit(kAlertAddress, table.alert);
    visit(kScanStateAddress, table.scanState);
    visit(kWeatherVfoAddress, table.weatherVfo);
    visit(kStepAddress, table.step);
    visit(kSquelchAddress, table.squelch);
}

std::uint32_t entryAddress(int number)
{
    return number == kBroadcastVfoEntry ? kVfoEntryAddress
                                        : kEntryBase + 8 * static_cast<std::uint32_t>(number - 1);
}

} // namespace

std::optional<std::array<std::uint8_t, 4>> packBroadcastFrequency(double megahertz)
{
    const double scaled = megahertz * kUnitsPerMegahertz;
    if (!std::isfinite(scaled) || scaled < -0.5 || scaled >= kLargestUnits + 0.5)
        return std::nullopt;
    long long units = std::llround(scaled);
    std::array<std::uint8_t, 4> bytes{};
    for (int index = 3; index >= 0; --index) {
        const auto low = static_cast<std::uint8_t>(units % 10);
        units /= 10;
        const auto high = static_cast<std::uint8_t>(units % 10);
        units /= 10;
        bytes[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return bytes;
}

std::optional<double> unpackBroadcastFrequency(const std::array<std::uint8_t, 4> &bytes)
{
    long long units = 0;
    for (std::uint8_t byte : bytes) {
        const int high = byte >> 4;
        const int low = byte & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        const int twoDigits = high * 10 + low;
        units = units * 100 + twoDigits;
    }
    return static_cast<double>(units) / kUnitsPerMegahertz;
}

void EncodeBroadcast(const SettingsRecord &settings, RadioImage &image)
{
    const BroadcastTable &table = settings.options.broadcast;
    settingBytes(table, [&image](std::uint32_t address, std::int16_t value) {
        image.write(address, toImageByte(value));
    });

    for (int number = 1; number <= kBroadcastEntryCount; ++number) {
        const BroadcastEntry &entry = table.entry(number);
        if (entry.valid != 1)
            continue;
        // A frequency that 8 digits cannot hold is left out rather than sent as a channel the
        // radio would read back as garbage.
        const auto bytes = packBroadcastFrequency(entry.frequency);
        if (!bytes)
            continue;
        image.setBit(kValidTable, number);
        if (entry.scan == 1)
            image.setBit(kScanTable, number);
        const std::uint32_t address = entryAddress(number);
        image.writeBlock(address, *bytes);
        image.write(address + 4, toImageByte(entry.bandwidth));
    }
}

void DecodeBroadcast(const RadioImage &image, SettingsRecord &settings)
{
    BroadcastTable &table = settings.options.broadcast;
    settingBytes(table, [&image](std::uint32_t address, std::int16_t &value) {
        value = image.byteAt(address);
    });

    for (int number = 1; number <= kBroadcastEntryCount; ++number) {
        BroadcastEntry &entry = table.entry(number);
        // The VFO entry always counts as valid. Its scan bit is read like the others' so that a
        // read followed by a write gives the radio back the bit it had.
        entry.valid = number == kBroadcastVfoEntry || image.testBit(kValidTable, number) ? 1 : 0;
        entry.scan = image.testBit(kScanTable, number) ? 1 : 0;
        if (entry.valid != 1)
            continue;
        const std::uint32_t address = entryAddress(number);
        std::array<std::uint8_t, 4> bytes{};
        image.readBlock(address, bytes);
        const auto frequency = unpackBroadcastFrequency(bytes);
        if (!frequency) {
            entry.valid = 0;
            continue;
        }
        entry.frequency = *frequency;
        entry.bandwidth = image.byteAt(address + 4) & 0x01;
    }
}
