#include "radio/ChannelPacking.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/RadioImage.h"
#include "radio/ChannelAddresses.h"
#include "radio/Document.h"
#include "radio/FrequencyCodec.h"

namespace {

std::uint8_t lowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t flag(int value, int bit)
{
    return static_cast<std::uint8_t>(value != 0 ? 1u << bit : 0u);
}

std::uint8_t twoBits(int value, int shift)
{
    return static_cast<std::uint8_t>((value & 0x3) << shift);
}

std::int16_t bitOf(std::uint8_t byte, int bit)
{
    return static_cast<std::int16_t>((byte >> bit) & 1);
}

std::int16_t twoBitsOf(std::uint8_t byte, int shift)
{
    return static_cast<std::int16_t>((byte >> shift) & 0x3);
}

// Only digits are a frequency; an erased or damaged slot is no channel.
bool isFrequencyDigits(const std::string &digits)
{
    return isDigitText(digits);
}

void packGroups(const DocumentSet &document, RadioImage &image)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const int capacity = groupCapacity(kind, group);
            const auto validBase = validBitmapBase(kind, group);
            const auto scanBase = scanBitmapBase(kind, group);
            const int count =
                std::min<int>(document.channelCount(kind, group), kMaxChannelsPerGroup);
            for (int index = 1; index <= count; ++index) {
                const ChannelRecord &record = document.channels.entry(kind, group, index);
                // A number outside the group's area would land in a neighbouring group's slots
                // or bit tables; such an entry is not written.
                const auto slot = channelSlotAddress(kind, group, record.Number);
                if (!slot)
                    continue;
                PackChannelSlot(record, image, *slot);
                if (record.Number > capacity)
                    continue;
                if (record.Present != 0)
                    image.setBit(*validBase, record.Number);
                if (record.Scan != 0)
                    image.setBit(*scanBase, record.Number);
            }
        }
    }
}

void packMemories(const DocumentSet &document, RadioImage &image)
{
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        const ChannelRecord &memory = document.memories.at(number);
        PackChannelSlot(memory, image, *memorySlotAddress(number));
        if (memory.Present != 0)
            image.setBit(kMemoryValidBitmap, number);
        if (memory.Scan != 0)
            image.setBit(kMemoryScanBitmap, number);
    }
}

void packMemoryExtras(const DocumentSet &document, RadioImage &image)
{
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        const ChannelRecord &memory = document.memories.at(number);
        const int id = memory.MemChannelId;
        // The byte holds the channel number less one; 255 (and any number no byte can hold)
        // recalls nothing.
        const std::uint8_t stored = id >= 1 && id < kNoMemoryChannelId
                                        ? static_cast<std::uint8_t>(id - 1)
                                        : kNoMemoryChannelId;
        image.write(*memoryChannelIdAddress(number), stored);
        if (const auto band = memoryBandAddress(number))
            image.write(*band, lowByte(memory.MemBand));
    }
}

} // namespace

void PackChannelSlot(const ChannelRecord &record, RadioImage &image, std::uint32_t address)
{
    PackFrequency(std::string_view(record.RxDigits.bytes.data(), record.RxDigits.size()), image,
                  address);
    const bool anyTone = record.TxToneType > 0 || record.RxToneType > 0;
    const std::array<std::uint8_t, 8> fields{
        lowByte(record.RxCtcss),
        lowByte(record.RxDcs),
        lowByte(record.TxCtcss),
        lowByte(record.TxDcs),
        static_cast<std::uint8_t>(flag(record.HiCut, 0) | flag(record.Echo, 1) |
                                  flag(record.Plus10k, 2) | flag(record.BusyLockout, 3) |
                                  flag(record.NoiseBlanker, 4) | flag(record.Anl, 5)),
        static_cast<std::uint8_t>(twoBits(record.Repeater, 0) | twoBits(record.TxToneType, 2) |
                                  twoBits(record.RxToneType, 4) | flag(anyTone, 6) |
                                  flag(record.Public, 7)),
        lowByte(record.RogerBeep),
        lowByte(record.Mode),
    };
    image.writeBlock(address + 4, fields);
}

void UnpackChannelSlotFields(const RadioImage &image, std::uint32_t address, ChannelRecord &record)
{
    std::array<std::uint8_t, 8> fields{};
    if (!image.readBlock(address + 4, fields))
        return;
    record.RxCtcss = fields[0];
    record.RxDcs = fields[1];
    record.TxCtcss = fields[2];
    record.TxDcs = fields[3];
    const std::uint8_t switches = fields[4];
    record.HiCut = bitOf(switches, 0);
    record.Echo = bitOf(switches, 1);
    record.Plus10k = bitOf(switches, 2);
    record.BusyLockout = bitOf(switches, 3);
    record.NoiseBlanker = bitOf(switches, 4);
    record.Anl = bitOf(switches, 5);
    // Bit 6 only tells the radio that a tone is on; the tone types say which.
    const std::uint8_t tones = fields[5];
    record.Repeater = twoBitsOf(tones, 0);
    record.TxToneType = twoBitsOf(tones, 2);
    record.RxToneType = twoBitsOf(tones, 4);
    record.Public = bitOf(tones, 7);
    record.RogerBeep = fields[6];
    record.Mode = fields[7];
}

void PackChannels(const DocumentSet &document, RadioImage &image)
{
    packGroups(document, image);
    packMemories(document, image);
    packMemoryExtras(document, image);
}

void UnpackGroupChannels(const RadioImage &image, DocumentSet &document)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= groupCount(kind); ++group) {
            const bool alwaysPresent = group == vfoGroup(kind);
            const auto validBase = validBitmapBase(kind, group);
            const auto scanBase = scanBitmapBase(kind, group);
            std::int16_t &count = document.settings.channelCounts.at(kind, group);
            for (int number = 1; number <= groupCapacity(kind, group); ++number) {
                if (!alwaysPresent && !image.testBit(*validBase, number))
                    continue;
                const std::uint32_t slot = *channelSlotAddress(kind, group, number);
                const std::string digits = UnpackFrequency(image, slot);
                if (!isFrequencyDigits(digits) || count >= kMaxChannelsPerGroup)
                    continue;
                ++count;
                ChannelRecord &record = document.channels.entry(kind, group, count);
                record.Present = 1;
                record.Number = static_cast<std::int16_t>(number);
                record.Scan = image.testBit(*scanBase, number) ? 1 : 0;
                record.RxDigits.assign(digits);
                UnpackChannelSlotFields(image, slot, record);
            }
        }
    }
}

void UnpackMemoryChannels(const RadioImage &image, DocumentSet &document)
{
    MemoryChannels &memories = document.memories;
    memories.count = 0;
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        if (!image.testBit(kMemoryValidBitmap, number))
            continue;
        const std::uint32_t slot = *memorySlotAddress(number);
        const std::string digits = UnpackFrequency(image, slot);
        // A memory reading all zeros is an unused memory, not 0 MHz.
        if (!isFrequencyDigits(digits) || digits == "00000000")
            continue;
        ChannelRecord &memory = memories.at(number);
        memory.Present = 1;
        memory.Number = static_cast<std::int16_t>(number);
        memory.Scan = image.testBit(kMemoryScanBitmap, number) ? 1 : 0;
        memory.RxDigits.assign(digits);
        UnpackChannelSlotFields(image, slot, memory);
        ++memories.count;
    }
}

void UnpackMemoryExtras(const RadioImage &image, DocumentSet &document)
{
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        ChannelRecord &memory = document.memories.at(number);
        const std::uint8_t stored = image.byteAt(*memoryChannelIdAddress(number));
        memory.MemChannelId = static_cast<std::int16_t>(
            stored == kNoMemoryChannelId ? kNoMemoryChannelId : stored + 1);
        if (const auto band = memoryBandAddress(number))
            memory.MemBand = image.byteAt(*band);
    }
}
