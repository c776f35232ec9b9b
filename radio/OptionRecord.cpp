#include "radio/OptionRecord.h"

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>

#include "model/ByteIO.h"
#include "model/ImageByte.h"
#include "model/RadioImage.h"
#include "radio/OptionFields.h"
#include "radio/RogerBeep.h"
#include "radio/SettingsRecord.h"

namespace {

// How a stored value sits in the image.
enum class Coding : std::uint8_t
{
    Byte,       // the byte as it is
    PlusOne,    // the stored value is the byte + 1
    Word,       // 16 bits, low byte first
    Bits,       // a field of `width` bits from bit `shift`; the other bits of the byte are kept
    DeviceName, // the 16 bytes of the Bluetooth device name
};

struct ImageField
{
    std::uint32_t address;
    Coding coding;
    OptionField field;
    std::uint8_t shift = 0;
    std::uint8_t width = 8;
};

constexpr std::uint32_t kGroupTableBase = 0x18007;
constexpr std::array<std::uint32_t, 3> kPublicSetBase{0x18108, 0x18118, 0x18128};
constexpr std::uint32_t kDeviceNameLength = 16;

using namespace BesideValue;
using R = OptionRecord;

constexpr ImageField kGeneralFields[] = {
    {0x18000, Coding::Byte, variantByte()},
    {0x18001, Coding::PlusOne, recordField<&R::selectorA>()},
    {0x18002, Coding::Byte, recordField<&R::setting18002>()},
    {0x18003, Coding::PlusOne, recordField<&R::selectorB>()},
    {0x18004, Coding::Byte, recordField<&R::hfUseVfo>()},
    {0x18005, Coding::PlusOne, recordField<&R::selectorC>()},
    {0x18006, Coding::Byte, recordField<&R::hamUseVfo>()},
};

struct PublicSetField
{
    std::uint32_t offset;
    Coding coding;
    std::int16_t PublicParamSet::*member;
    std::uint8_t shift = 0;
    std::uint8_t width = 8;
};

// Byte +1 of each set is neither read nor written.
constexpr PublicSetField kPublicSetFields[] = {
    {0, Coding::Bits, &PublicParamSet::hiCut, 0, 1},
    {0, Coding::Bits, &PublicParamSet::noiseBlanker, 4, 2},
    {0, Coding::Bits, &PublicParamSet::echo, 1, 1},
    {0, Coding::Bits, &PublicParamSet::plus10k, 2, 1},
    {0, Coding::Bits, &PublicParamSet::anl, 6, 2},
    {0, Coding::Bits, &PublicParamSet::fourthFlag, 3, 1},
    {2, Coding::Byte, &PublicParamSet::roger},
    {3, Coding::Byte, &PublicParamSet::mode},
};

// 0x22112 and 0x22140 are neither read nor written.
constexpr ImageField kSecondBlockFields[] = {
    {0x22100, Coding::Word, recordField<&R::batteryMax>()},
    {0x22102, Coding::Word, recordField<&R::batteryMin>()},
    {0x22104, Coding::Word, recordField<&R::cwFreq>()},
    {0x22106, Coding::Byte, recordField<&R::cwBeep>()},
    {0x22107, Coding::Byte, recordField<&R::maxSwr>()},
    {0x22108, Coding::Byte, recordField<&R::nrcAble>()},
    {0x22109, Coding::Byte, besideValue<kKeyBeep>()},
    {0x2210A, Coding::Byte, recordField<&R::indic>()},
    {0x2210B, Coding::Byte, recordField<&R::mic>()},
    {0x2210C, Coding::Byte, recordField<&R::nogSet>()},
    {0x2210D, Coding::Byte, recordField<&R::tot>()},
    {0x2210E, Coding::Byte, recordField<&R::swrProtect>()},
    {0x2210F, Coding::Byte, recordField<&R::tdcSet>()},
    {0x22110, Coding::Byte, recordField<&R::scanType>()},
    {0x22111, Coding::Byte, recordField<&R::menuColour>()},
    {0x22113, Coding::Word, recordField<&R::txRepeatOffset>()},
    {0x22115, Coding::Bits, recordField<&R::asqLevel>(), 0, 7},
    {0x22116, Coding::Byte, recordField<&R::micType>()},
    {0x22117, Coding::Byte, recordField<&R::voxOnOff>()},
    {0x22118, Coding::Byte, recordField<&R::voxLevel>()},
    {0x22119, Coding::Byte, recordField<&R::voxDelay>()},
    {0x2211A, Coding::Byte, recordField<&R::rxNr>()},
    {0x2211B, Coding::Byte, recordField<&R::txNr>()},
    {0x2211C, Coding::Byte, recordField<&R::claSet>()},
    {0x2211D, Coding::Byte, recordField<&R::claFrq>()},
    {0x2211E, Coding::Byte, recordField<&R::echoVol>()},
    {0x2211F, Coding::Byte, recordField<&R::echoTime>()},
    {0x22120, Coding::Byte, recordField<&R::vfoStep>()},
    {0x22121, Coding::Byte, recordField<&R::fmDeviation>()},
    {0x22122, Coding::Byte, recordField<&R::ssbTone>()},
    {0x22123, Coding::Byte, recordField<&R::dim>()},
    {0x22124, Coding::Byte, recordField<&R::agc>()},
    {0x22125, Coding::Byte, recordField<&R::cwRxMode>()},
    {0x22126, Coding::Byte, recordField<&R::cwBkin>()},
    {0x22127, Coding::Byte, recordField<&R::cwOffset>()},
    {0x22128, Coding::Byte, recordField<&R::bluetoothOn>()},
    {0x22129, Coding::Byte, recordField<&R::pttHold>()},
    {0x2212A, Coding::Byte, recordField<&R::micGain>()},
    {0x2212B, Coding::Byte, recordField<&R::spkGain>()},
    {0x2212C, Coding::Byte, recordField<&R::holdTime>()},
    {0x2212D, Coding::Byte, recordField<&R::holdDelay>()},
    {0x2212E, Coding::Byte, recordField<&R::btIntSpk>()},
    {0x2212F, Coding::Byte, recordField<&R::pttSleep>()},
    {0x22130, Coding::DeviceName, {}},
    {0x22141, Coding::Bits, besideValue<kFmEnable>(), 0, 1},
    {0x22141, Coding::Bits, besideValue<kAmEnable>(), 1, 1},
    {0x22141, Coding::Bits, besideValue<kUsbEnable>(), 2, 1},
    {0x22141, Coding::Bits, besideValue<kLsbEnable>(), 3, 1},
    {0x22141, Coding::Bits, besideValue<kPaEnable>(), 4, 1},
    {0x22141, Coding::Bits, besideValue<kCwEnable>(), 5, 1},
    {0x22142, Coding::Byte, recordField<&R::voxSpk>()},
    {0x22143, Coding::Byte, recordField<&R::pfKey>()},
    {0x22144, Coding::Byte, recordField<&R::txDrcCon>()},
};

int decodeValue(const RadioImage &image, std::uint32_t address, Coding coding, int shift, int width)
{
    const int byte = image.byteAt(address);
    switch (coding) {
    case Coding::PlusOne:
        return byte + 1;
    case Coding::Word:
        return byte | image.byteAt(address + 1) << 8;
    case Coding::Bits:
        return (byte >> shift) & ((1 << width) - 1);
    case Coding::Byte:
    case Coding::DeviceName:
        break;
    }
    return byte;
}

void encodeValue(RadioImage &image, std::uint32_t address, Coding coding, int shift, int width,
                 int value)
{
    switch (coding) {
    case Coding::PlusOne:
        image.write(address, toImageByte(value - 1));
        return;
    case Coding::Word:
        image.write(address, lowByte(value));
        image.write(address + 1, highByte(value));
        return;
    case Coding::Bits: {
        // Each field keeps to its own bits, so a flag holding 2 cannot spill into its neighbour.
        const int mask = ((1 << width) - 1) << shift;
        const int byte = (image.byteAt(address) & ~mask) | ((value << shift) & mask);
        image.write(address, static_cast<std::uint8_t>(byte));
        return;
    }
    case Coding::Byte:
    case Coding::DeviceName:
        break;
    }
    image.write(address, toImageByte(value));
}

// The name ends at the first 0x00 or 0xFF byte; its bytes are kept as they are.
void decodeDeviceName(const RadioImage &image, std::uint32_t address, FixedText<16> &name)
{
    std::string text;
    for (std::uint32_t k = 0; k < kDeviceNameLength; ++k) {
        const std::uint8_t byte = image.byteAt(address + k);
        if (byte == 0x00 || byte == 0xFF)
            break;
        text.push_back(static_cast<char>(byte));
    }
    name.assign(text);
}

// The trimmed name, then 0x00 up to 16 bytes.
void encodeDeviceName(const FixedText<16> &name, std::uint32_t address, RadioImage &image)
{
    const std::string text = name.trimmed();
    for (std::uint32_t k = 0; k < kDeviceNameLength; ++k)
        image.write(address + k, k < text.size() ? static_cast<std::uint8_t>(text[k]) : 0);
}

void decodeFields(const RadioImage &image, std::span<const ImageField> fields,
                  SettingsRecord &settings)
{
    for (const ImageField &f : fields) {
        if (f.coding == Coding::DeviceName)
            decodeDeviceName(image, f.address, settings.options.btDeviceName);
        else
            f.field.set(settings, decodeValue(image, f.address, f.coding, f.shift, f.width));
    }
}

void encodeFields(const SettingsRecord &settings, std::span<const ImageField> fields,
                  RadioImage &image)
{
    for (const ImageField &f : fields) {
        if (f.coding == Coding::DeviceName)
            encodeDeviceName(settings.options.btDeviceName, f.address, image);
        else
            encodeValue(image, f.address, f.coding, f.shift, f.width, f.field.get(settings));
    }
}

// The per-group tables: CB groups 1-6, HF 1-15, HAM 1-12, one byte each from 0x18007, stored +1.
std::array<std::span<std::int16_t>, 3> groupTables(OptionRecord &o)
{
    return {o.cbGroupTable, o.hfGroupTable, o.hamGroupTable};
}
std::array<std::span<const std::int16_t>, 3> groupTables(const OptionRecord &o)
{
    return {o.cbGroupTable, o.hfGroupTable, o.hamGroupTable};
}

// Packed form, field by field in the segment order of the data file.

} // namespace

void EncodeOptions(const SettingsRecord &settings, RadioImage &image)
{
    const OptionRecord &options = settings.options;
    EncodeGroupNames(options.groupNames, image);
    encodeFields(settings, kGeneralFields, image);
    std::uint32_t address = kGroupTableBase;
    for (std::span<const std::int16_t> table : groupTables(options))
        for (std::int16_t value : table)
            encodeValue(image, address++, Coding::PlusOne, 0, 8, value);
    for (std::size_t set = 0; set < kPublicSetBase.size(); ++set)
        for (const PublicSetField &f : kPublicSetFields)
            encodeValue(image, kPublicSetBase[set] + f.offset, f.coding, f.shift, f.width,
                        options.publicSets[set].*f.member);
    EncodeDtmfCodes(options.dtmfCodes, image);
    encodeFields(settings, kSecondBlockFields, image);
}

void DecodeOptions(const RadioImage &image, SettingsRecord &settings)
{
    OptionRecord &options = settings.options;
    DecodeGroupNames(image, options.groupNames);
    decodeFields(image, kGeneralFields, settings);
    std::uint32_t address = kGroupTableBase;
    for (std::span<std::int16_t> table : groupTables(options))
        for (std::int16_t &value : table)
            value = static_cast<std::int16_t>(decodeValue(image, address++, Coding::PlusOne, 0, 8));
    for (std::size_t set = 0; set < kPublicSetBase.size(); ++set)
        for (const PublicSetField &f : kPublicSetFields)
            options.publicSets[set].*f.member = static_cast<std::int16_t>(
                decodeValue(image, kPublicSetBase[set] + f.offset, f.coding, f.shift, f.width));
    DecodeDtmfCodes(image, options.dtmfCodes);
    decodeFields(image, kSecondBlockFields, settings);
}

void defaultGroupNames(GroupNameTable &table)
{
    constexpr std::array<std::string_view, 7> kCbNames{"EU", "PL", "DE", "EC", "U ", "IN", "UK"};
    for (int group = 1; group <= namedGroupCount(CB); ++group)
        table.names.at(CB, group).assign(kCbNames[static_cast<std::size_t>(group - 1)]);
    for (int kind : {HF, HAM}) {
        for (int group = 1; group <= namedGroupCount(kind); ++group) {
            const char letter[2] = {static_cast<char>('A' + group - 1), '\0'};
            table.names.at(kind, group).assign(std::string_view(letter, 2));
        }
    }
}

void DefaultOptions(SettingsRecord &settings)
{
    OptionRecord options = settings.options;
    applyNewValues(options);
    options.btDeviceName = FixedText<16>();
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            options.groupNames.valid.at(kind, group) = 1;
    defaultGroupNames(options.groupNames);
    settings.options = options;

    applyNewValues(settings.singleBytes);
    applyNewValues(settings.thresholds);
    applyNewValues(settings.extraValues);
}

void DefaultIdentity(SettingsRecord &settings, std::string_view date, int bandClass)
{
    IdentityRecord &identity = settings.identity;
    const std::string modelName = kModelName;
    identity.modelNameZ.assign(std::string_view(modelName.c_str(), modelName.size() + 1));
    identity.modelName.assign(modelName);
    identity.modelCode = kModelCode;
    identity.bandClass = static_cast<std::int16_t>(bandClass);
    identity.bandClass2 = static_cast<std::int16_t>(bandClass);
    identity.date.assign(date);
    identity.firmwareVersion.assign("V2.00");
    identity.identityCode = 'C';
}

void ApplyNewDocumentDefaults(SettingsRecord &settings, std::string_view date, int bandClass)
{
    DefaultOptions(settings);
    DefaultIdentity(settings, date, bandClass);
    settings.toneTips = defaultToneTips();
}
