#include "radio/EmgDwMemSettings.h"

#include "model/ImageByte.h"
#include "model/RadioImage.h"
#include "radio/SettingsRecord.h"

namespace {

constexpr std::uint32_t kEmergencyBase = 0x18040;
constexpr std::uint32_t kEmergencyBandBase = 0x18058;
constexpr std::uint32_t kDualWatchBase = 0x18080;
constexpr std::uint32_t kMemorySettingsBase = 0x180C0;

template<std::size_t N>
void encodeValues(const std::array<std::int16_t, N> &values, std::uint32_t (*address)(int),
                  RadioImage &image)
{
    for (std::size_t index = 0; index < N; ++index)
        image.write(address(static_cast<int>(index)), toImageByte(values[index]));
}

template<std::size_t N>
void decodeValues(const RadioImage &image, std::uint32_t (*address)(int),
                  std::array<std::int16_t, N> &values)
{
    for (std::size_t index = 0; index < N; ++index)
        values[index] = image.byteAt(address(static_cast<int>(index)));
}

} // namespace

std::uint32_t emergencyAddress(int valueIndex)
{
    // The sub-record keeps all channel-1 values first; the radio keeps channel 1 and channel 2 of
    // each row side by side, then the two modes of each row side by side.
    if (valueIndex >= EmergencySettings::kHfBand)
        return kEmergencyBandBase + static_cast<std::uint32_t>(valueIndex - 24);
    const int block = valueIndex / kSpecialCbRows; // 0 ch1, 1 ch2, 2 mode1, 3 mode2
    const int row = valueIndex % kSpecialCbRows;
    const int pairBase = block < 2 ? 0 : 12;
    return kEmergencyBase + static_cast<std::uint32_t>(pairBase + 2 * row + block % 2);
}

std::uint32_t dualWatchAddress(int valueIndex)
{
    return kDualWatchBase + static_cast<std::uint32_t>(valueIndex);
}

std::uint32_t memorySettingsAddress(int valueIndex)
{
    return kMemorySettingsBase + static_cast<std::uint32_t>(valueIndex);
}

void EncodeSpecialChannels(const SettingsRecord &settings, RadioImage &image)
{
    encodeValues(settings.emergency.values, emergencyAddress, image);
    encodeValues(settings.dualWatch.values, dualWatchAddress, image);
    encodeValues(settings.memorySettings.values, memorySettingsAddress, image);
}

void DecodeSpecialChannels(const RadioImage &image, SettingsRecord &settings)
{
    decodeValues(image, emergencyAddress, settings.emergency.values);
    decodeValues(image, dualWatchAddress, settings.dualWatch.values);
    decodeValues(image, memorySettingsAddress, settings.memorySettings.values);
}
