#include "channels/EmgDwMemTable.h"

#include <array>

#include "channels/ChannelRecords.h"
#include "radio/Document.h"
#include "radio/EmgDwMemSettings.h"

namespace {

using L = SpecialList;
using F = SpecialFrame;
using E = EmergencySettings;
using D = DualWatchSettings;
using M = MemorySettings;

constexpr int kCbRowsShown = 7; // the emergency window also shows row 7 "UK"
constexpr int kDeRow = 3;       // the "DE" row lists channels 1-80
constexpr int kMemoryBlockSize = 16;
constexpr std::int16_t kNoRecalledChannel = 255;

constexpr std::array<std::string_view, kCbRowsShown> kRowNames{"Eu",   "PL", "DE", "EC",
                                                               "U/UK", "IN", "UK"};

constexpr TextEntry same(std::string_view text)
{
    return {"", text, text};
}

constexpr SpecialCombo cb(int element, int row, std::string_view label, SpecialList list, int value)
{
    return {element, F::Cb, row - 1, row, same(label), list, value, -1};
}

constexpr SpecialCombo band(int element, SpecialFrame frame, int line, std::string_view label,
                            SpecialList list, int value, int bandValue = -1)
{
    return {element, frame, line, 0, same(label), list, value, bandValue};
}

// The value of CB row r, or nothing for row 7, which the sub-record has no place for.
constexpr int rowValue(int first, int row)
{
    return row <= kSpecialCbRows ? first + row - 1 : kNotStored;
}

// Elements 4(r-1) .. 4(r-1)+3 of row r: channel 1, its mode, channel 2, its mode; then the HF
// and HAM frames with band, channel and mode of channel 1 and of channel 2.
std::vector<SpecialCombo> emergencyCombos()
{
    std::vector<SpecialCombo> combos;
    for (int r = 1; r <= kCbRowsShown; ++r) {
        const int e = 4 * (r - 1);
        combos.push_back(cb(e, r, " Emg Channel 1", L::CbChannels, rowValue(E::kCbChannel1, r)));
        combos.push_back(
            cb(e + 1, r, " Emg Channel 1 Work Mode", L::Modes, rowValue(E::kCbMode1, r)));
        combos.push_back(
            cb(e + 2, r, " Emg Channel 2", L::CbChannels, rowValue(E::kCbChannel2, r)));
        combos.push_back(
            cb(e + 3, r, " Emg Channel 2 Work Mode", L::Modes, rowValue(E::kCbMode2, r)));
    }
    const struct
    {
        F frame;
        int firstElement, bandValue, channelValue, modeValue;
    } frames[] = {{F::Hf, 28, E::kHfBand, E::kHfChannel, E::kHfMode},
                  {F::Ham, 34, E::kHamBand, E::kHamChannel, E::kHamMode}};
    static constexpr std::array<std::string_view, 2> kBand{" Emg Band 1", " Emg Band 2"};
    static constexpr std::array<std::string_view, 2> kChannel{" Emg Channel 1", " Emg Channel 2"};
    static constexpr std::array<std::string_view, 2> kMode{" Emg Channel 1 Work Mode",
                                                           " Emg Channel 2 Work Mode"};
    for (const auto &f : frames) {
        for (int n = 0; n < 2; ++n) {
            const int e = f.firstElement + 3 * n;
            const auto i = static_cast<std::size_t>(n);
            combos.push_back(band(e, f.frame, n, kBand[i], L::Bands, f.bandValue + n));
            combos.push_back(band(e + 1, f.frame, n, kChannel[i], L::BandChannels,
                                  f.channelValue + n, f.bandValue + n));
            combos.push_back(band(e + 2, f.frame, n, kMode[i], L::Modes, f.modeValue + n));
        }
    }
    return combos;
}

// Elements 2(r-1), 2(r-1)+1: channel and mode of row r; 12-14 HF band, channel and mode; 15-17
// the same for HAM.
std::vector<SpecialCombo> dualWatchCombos()
{
    std::vector<SpecialCombo> combos;
    for (int r = 1; r <= kSpecialCbRows; ++r) {
        combos.push_back(cb(2 * (r - 1), r, " DW Channel", L::CbChannels, D::kCbChannel + r - 1));
        combos.push_back(
            cb(2 * (r - 1) + 1, r, " DW Channel Work Mode", L::Modes, D::kCbMode + r - 1));
    }
    combos.push_back(band(12, F::Hf, 0, " DW Band", L::Bands, D::kHfBand));
    combos.push_back(band(13, F::Hf, 0, " DW Channel", L::BandChannels, D::kHfChannel, D::kHfBand));
    combos.push_back(band(14, F::Hf, 0, " DW Channel Work Mode", L::Modes, D::kHfMode));
    combos.push_back(band(15, F::Ham, 0, " DW Band", L::Bands, D::kHamBand));
    combos.push_back(
        band(16, F::Ham, 0, " DW Channel", L::BandChannels, D::kHamChannel, D::kHamBand));
    combos.push_back(band(17, F::Ham, 0, " DW Channel Work Mode", L::Modes, D::kHamMode));
    return combos;
}

// Elements 2(r-1), 2(r-1)+1: memory channel and state of row r; 12/13 HF, 14/15 HAM.
std::vector<SpecialCombo> memoryCombos()
{
    std::vector<SpecialCombo> combos;
    for (int r = 1; r <= kSpecialCbRows; ++r) {
        combos.push_back(cb(2 * (r - 1), r, " MEM Channel", L::CbMemories, M::kCbChannel + r - 1));
        combos.push_back(
            cb(2 * (r - 1) + 1, r, " MEM Channel State", L::States, M::kCbState + r - 1));
    }
    combos.push_back(band(12, F::Hf, 0, " MEM Channel", L::MemGroupChannels, M::kHfChannel));
    combos.push_back(band(13, F::Hf, 0, " MEM Channel State", L::States, M::kHfState));
    combos.push_back(band(14, F::Ham, 0, " MEM Channel", L::MemGroupChannels, M::kHamChannel));
    combos.push_back(band(15, F::Ham, 0, " MEM Channel State", L::States, M::kHamState));
    return combos;
}

// The channel numbers from 1 to `last` that exist in a group, each storing number - 1.
void appendChannels(std::vector<SpecialItem> &items, const DocumentSet &document, int kind,
                    int group, int last)
{
    for (int number = 1; number <= last; ++number)
        if (FindChannel(document, kind, group, number))
            items.push_back({std::to_string(number), static_cast<std::int16_t>(number - 1)});
}

template<std::size_t N>
void appendTexts(std::vector<SpecialItem> &items, const std::array<TextEntry, N> &texts,
                 int language)
{
    for (std::size_t position = 0; position < N; ++position)
        items.push_back(
            {std::string(textFor(texts[position], language)), static_cast<std::int16_t>(position)});
}

bool isChannelList(SpecialList list)
{
    return list == L::CbChannels || list == L::CbMemories || list == L::BandChannels ||
           list == L::MemGroupChannels;
}

} // namespace

const SpecialWindowTable &specialWindow(SpecialWindowId id)
{
    static const std::vector<SpecialCombo> emergency = emergencyCombos();
    static const std::vector<SpecialCombo> dualWatch = dualWatchCombos();
    static const std::vector<SpecialCombo> memory = memoryCombos();
    static const std::array<SpecialWindowTable, 3> windows{{
        {SpecialWindowId::Emergency, "frm_emg", same("Emg Channel Setting"), emergency},
        {SpecialWindowId::DualWatch, "frm_dw", same("DW Channel Setting"), dualWatch},
        {SpecialWindowId::Memory, "frm_MEM", same("MEM Channel Setting"), memory},
    }};
    return windows.at(static_cast<std::size_t>(id));
}

std::span<std::int16_t> specialValues(SpecialWindowId id, SettingsRecord &settings)
{
    switch (id) {
    case SpecialWindowId::Emergency:
        return settings.emergency.values;
    case SpecialWindowId::DualWatch:
        return settings.dualWatch.values;
    case SpecialWindowId::Memory:
        break;
    }
    return settings.memorySettings.values;
}

std::span<const std::int16_t> specialValues(SpecialWindowId id, const SettingsRecord &settings)
{
    return specialValues(id, const_cast<SettingsRecord &>(settings));
}

std::string specialLabel(const SpecialCombo &combo, int language)
{
    std::string_view head;
    switch (combo.frame) {
    case F::Cb:
        head = kRowNames.at(static_cast<std::size_t>(combo.row - 1));
        break;
    case F::Hf:
        head = "HF";
        break;
    case F::Ham:
        head = "HAM";
        break;
    }
    return std::string(head) + std::string(textFor(combo.label, language));
}

int specialKind(const SpecialCombo &combo)
{
    switch (combo.frame) {
    case F::Cb:
        return CB;
    case F::Hf:
        return HF;
    case F::Ham:
        break;
    }
    return HAM;
}

std::vector<SpecialItem> specialItems(const SpecialCombo &combo, const DocumentSet &document,
                                      std::span<const std::int16_t> valuesAtOpen, int language)
{
    std::vector<SpecialItem> items;
    const int kind = specialKind(combo);
    switch (combo.list) {
    case L::CbChannels:
        appendChannels(items, document, CB, combo.row, combo.row == kDeRow ? 80 : 40);
        break;
    case L::CbMemories: {
        // Row r lists block r: "EC" 49-64, "U/UK" 65-80, "IN" 81-96, the blocks the channel
        // window shows with those groups. A memory that recalls no CB channel holds none.
        const int first = kMemoryBlockSize * (combo.row - 1) + 1;
        for (int number = first; number < first + kMemoryBlockSize; ++number) {
            const ChannelRecord &memory = document.memories.at(number);
            if (memory.Present != 0 && memory.MemChannelId != kNoRecalledChannel)
                items.push_back({std::to_string(number), static_cast<std::int16_t>(number - 1)});
        }
        break;
    }
    case L::Modes:
        appendTexts(items, kSpecialModeItems, language);
        break;
    case L::States:
        appendTexts(items, kSpecialStateItems, language);
        break;
    case L::Bands:
        for (int group = 1; group <= namedGroupCount(kind); ++group)
            items.push_back({document.settings.options.groupNames.names.at(kind, group).trimmed(),
                             static_cast<std::int16_t>(group - 1)});
        break;
    case L::BandChannels: {
        // A band position outside the kind's groups shows the first band, so its channels go
        // with it.
        const std::size_t at = static_cast<std::size_t>(combo.bandValue);
        const int position = at < valuesAtOpen.size() ? valuesAtOpen[at] : 0;
        const int group = position >= 0 && position < namedGroupCount(kind) ? position + 1 : 1;
        appendChannels(items, document, kind, group, 40);
        break;
    }
    case L::MemGroupChannels:
        appendChannels(items, document, kind, memGroup(kind), 99);
        break;
    }
    return items;
}

int shownItem(const SpecialCombo &combo, const std::vector<SpecialItem> &items, int value)
{
    if (items.empty())
        return -1;
    if (isChannelList(combo.list)) {
        for (std::size_t position = 0; position < items.size(); ++position)
            if (items[position].value == value)
                return static_cast<int>(position);
        return -1;
    }
    return value >= 0 && value < static_cast<int>(items.size()) ? value : 0;
}
