#include "radio/GroupNames.h"

#include <array>
#include <string>

#include "model/RadioImage.h"
#include "radio/ChannelTexts.h"

namespace {

constexpr std::array<std::uint32_t, kKindCount> kNameBases{0x22000, 0x22020, 0x22040};
constexpr std::array<std::uint32_t, kKindCount> kValidBases{0x16460, 0x16462, 0x16464};
constexpr std::uint32_t kValidBitmapsStart = 0x16460;
constexpr std::size_t kValidBitmapsSize = 6;

// Bytes that stand for no character in a stored name.
bool isNameFiller(std::uint8_t byte)
{
    return byte == 0x00 || byte == 0xFF;
}

std::string trimmedText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

bool isKind(int kind)
{
    return kind >= 0 && kind < kKindCount;
}

} // namespace

std::uint32_t groupNameAddress(int kind, int group)
{
    if (!isKind(kind) || group < 1 || group > namedGroupCount(kind))
        return 0;
    return kNameBases[static_cast<std::size_t>(kind)] + 2 * static_cast<std::uint32_t>(group - 1);
}

std::uint32_t groupValidBitmapBase(int kind)
{
    return isKind(kind) ? kValidBases[static_cast<std::size_t>(kind)] : 0;
}

void EncodeGroupNames(const GroupNameTable &table, RadioImage &image)
{
    const std::array<std::uint8_t, kValidBitmapsSize> cleared{};
    image.writeBlock(kValidBitmapsStart, cleared);
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            // Trailing blanks are dropped and a short name is filled with 0x00: " 7" keeps its
            // blank, an empty name becomes 00 00.
            const std::string name = table.names.at(kind, group).trimmed();
            std::array<std::uint8_t, 2> bytes{};
            for (std::size_t i = 0; i < bytes.size() && i < name.size(); ++i)
                bytes[i] = static_cast<std::uint8_t>(name[i]);
            image.writeBlock(groupNameAddress(kind, group), bytes);
            if (table.valid.at(kind, group) != 0)
                image.setBit(groupValidBitmapBase(kind), group);
        }
    }
}

void DecodeGroupNames(const RadioImage &image, GroupNameTable &table)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            const std::uint32_t address = groupNameAddress(kind, group);
            std::string name;
            for (std::uint32_t i = 0; i < 2; ++i) {
                const std::uint8_t byte = image.byteAt(address + i);
                if (!isNameFiller(byte))
                    name += static_cast<char>(byte);
            }
            table.names.at(kind, group).assign(name);
            table.valid.at(kind, group) = image.testBit(groupValidBitmapBase(kind), group) ? 1 : 0;
        }
    }
}

int GroupFromText(const GroupNameTable &table, int kind, std::string_view text)
{
    if (!isKind(kind))
        return 0;
    const std::string wanted = trimmedText(text);
    int found = 0;
    for (int group = 1; group <= namedGroupCount(kind); ++group)
        if (table.names.at(kind, group).trimmed() == wanted)
            found = group;
    if (found != 0)
        return found;
    if (wanted == textFor(ChannelTexts::kGroupMem, English))
        return memGroup(kind);
    if (wanted == textFor(ChannelTexts::kGroupVfo, English))
        return vfoGroup(kind);
    return 0;
}

std::string_view groupFrequencyText(int kind, int group)
{
    constexpr std::array<std::string_view, 10> kHf{
        "28.000 - 28.195 MHz", "28.200 - 28.395 MHz", "28.400 - 28.595 MHz", "28.600 - 28.795 MHz",
        "28.800 - 28.995 MHz", "29.000 - 29.195 MHz", "29.200 - 29.395 MHz", "29.400 - 29.595 MHz",
        "29.600 - 29.695 MHz", "24.890 - 24.990 MHz"};
    constexpr std::array<std::string_view, 12> kHam{
        "26.965 - 27.405 MHz", "27.415 - 27.855 MHz", "26.515 - 26.955 MHz", "27.865 - 28.305 MHz",
        "26.065 - 26.505 MHz", "28.315 - 28.755 MHz", "25.615 - 26.055 MHz", "28.765 - 29.205 MHz",
        "25.165 - 25.605 MHz", "29.215 - 29.655 MHz", "24.715 - 25.155 MHz", "29.665 - 30.105 MHz"};
    if (group < 1)
        return {};
    const auto index = static_cast<std::size_t>(group - 1);
    if (kind == HF && index < kHf.size())
        return kHf[index];
    if (kind == HAM && index < kHam.size())
        return kHam[index];
    return {};
}
