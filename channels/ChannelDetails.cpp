#include "channels/ChannelDetails.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "channels/ChannelGrid.h"
#include "channels/ToneCodec.h"
#include "radio/ChannelTexts.h"
#include "radio/Document.h"
#include "radio/DtmfCodes.h"
#include "radio/RogerBeep.h"

namespace {

using namespace ChannelWindowTexts;

template<auto Field>
int getField(const ChannelRecord &record)
{
    return static_cast<int>(record.*Field);
}

template<auto Field>
void setField(ChannelRecord &record, int value)
{
    using T = std::remove_reference_t<decltype(record.*Field)>;
    record.*Field = static_cast<T>(value);
}

#define DETAIL_FIELD(name) &getField<&ChannelRecord::name>, &setField<&ChannelRecord::name>

constexpr TextEntry kCtcDcs{"", "CTC/DCS", "CTC/DCS"};
constexpr TextEntry plain(std::string_view text)
{
    return {"", text, text};
}

const std::array<DetailRow, 24> kRows{{
    {18, plain("RXCTC"), DetailItems::ToneType, DetailShow::Always, DETAIL_FIELD(RxToneType)},
    {19, kCtcDcs, DetailItems::Ctcss, DetailShow::RxCtcss, DETAIL_FIELD(RxCtcss)},
    {20, kCtcDcs, DetailItems::Dcs, DetailShow::RxDcs, DETAIL_FIELD(RxDcs)},
    {17, plain("TXCTC"), DetailItems::ToneType, DetailShow::Always, DETAIL_FIELD(TxToneType)},
    {0, kCtcDcs, DetailItems::Ctcss, DetailShow::TxCtcss, DETAIL_FIELD(TxCtcss)},
    {16, kCtcDcs, DetailItems::Dcs, DetailShow::TxDcs, DETAIL_FIELD(TxDcs)},
    {10, {"", "Scan", "扫描"}, DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(Scan)},
    {9, plain("Public"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(Public)},
    {2, plain("HI-CUT"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(HiCut)},
    {3, plain("NB"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(NoiseBlanker)},
    {4, plain("ECHO"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(Echo)},
    {5, plain("+10KHz"), DetailItems::OffOn, DetailShow::NotCb, DETAIL_FIELD(Plus10k)},
    {6, plain("BUSY"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(BusyLockout)},
    {7, plain("REP"), DetailItems::Repeater, DetailShow::NotCb, DETAIL_FIELD(Repeater)},
    {21, plain("ANL"), DetailItems::OffOn, DetailShow::Always, DETAIL_FIELD(Anl)},
    {11, plain("Roger"), DetailItems::Roger, DetailShow::Always, DETAIL_FIELD(RogerBeep)},
    {12, plain("Mode"), DetailItems::Mode, DetailShow::Always, DETAIL_FIELD(Mode)},
    {13, plain("BOT"), DetailItems::Dtmf, DetailShow::Always, DETAIL_FIELD(DtmfBot)},
    {14, plain("EOT"), DetailItems::Dtmf, DetailShow::Always, DETAIL_FIELD(DtmfEot)},
    {15, plain("Call"), DetailItems::Dtmf, DetailShow::Always, DETAIL_FIELD(DtmfCall)},
    {22, plain("CB Mem Chan ID"), DetailItems::MemChannel, DetailShow::MemoryRowsOnly,
     DETAIL_FIELD(MemChannelId)},
    {23, plain("CB Mem Band"), DetailItems::MemBand, DetailShow::MemoryRowsOnly,
     DETAIL_FIELD(MemBand)},
    {1, plain(""), DetailItems::OffOn, DetailShow::MemoryRowsOnly, nullptr, nullptr},
    {8, plain(""), DetailItems::OffOn, DetailShow::MemoryRowsOnly, nullptr, nullptr},
}};

#undef DETAIL_FIELD

// The letters of Alt+letter for the labels, by Combo8 index: none of the menu bar's (F, E, P, S,
// V, W, H), and no two alike among the labels shown together where the texts allow it (EOT and
// Call share theirs with TXCTC and ANL; the CB memory rows, shown instead of +10KHz and REP, reuse
// letters). A letter pressed again goes on to the next label that has it.
constexpr std::array<std::pair<int, char>, 22> kMnemonics{{
    {18, 'X'}, {19, 'D'}, {20, 'D'}, {17, 'T'}, {0, 'C'},  {16, 'C'}, {10, 'A'}, {9, 'U'},
    {2, 'I'},  {3, 'N'},  {4, 'O'},  {5, 'K'},  {6, 'Y'},  {7, 'R'},  {21, 'L'}, {11, 'G'},
    {12, 'M'}, {13, 'B'}, {14, 'T'}, {15, 'L'}, {22, 'I'}, {23, 'A'},
}};

char mnemonicOf(int index)
{
    for (const auto &[row, letter] : kMnemonics)
        if (row == index)
            return letter;
    return 0;
}

constexpr std::array<std::string_view, 6> kModes{"FM", "AM", "USB", "LSB", "PA", "CW"};
constexpr int kNoMemChannel = 255;

std::optional<int> numberOf(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

int indexOfText(const std::vector<std::string> &items, std::string_view text)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return static_cast<int>(i);
    return 0;
}

} // namespace

std::span<const DetailRow> detailRows()
{
    // Combo8 1 and 8 exist in the window's control array but show no field; they are the last
    // two rows and never visible.
    return std::span<const DetailRow>(kRows.data(), kRows.size());
}

std::string detailLabelText(const DetailRow &row, int language)
{
    std::string text(textFor(row.label, language));
    const char letter = mnemonicOf(row.index);
    if (text.empty() || letter == 0)
        return text;
    const bool latin = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const auto at = std::find_if(text.begin(), text.end(), [letter](char c) {
        return std::toupper(static_cast<unsigned char>(c)) == letter;
    });
    if (latin && at != text.end()) {
        text.insert(at, '&');
        return text;
    }
    return text + "(&" + letter + ")";
}

const DetailRow *findDetailRow(int index)
{
    for (const DetailRow &row : kRows)
        if (row.index == index)
            return &row;
    return nullptr;
}

std::vector<std::string> detailItems(const DetailRow &row, const DocumentSet &document, int kind,
                                     int group, int language)
{
    std::vector<std::string> items;
    const auto add = [&](std::string_view text) { items.emplace_back(text); };
    switch (row.items) {
    case DetailItems::ToneType:
        for (int type = ToneOff; type <= ToneDcs; ++type)
            add(toneTypeText(type, language));
        break;
    case DetailItems::Ctcss:
        for (int i = 0; i < kCtcssToneCount; ++i)
            items.push_back(ctcssDisplayText(i));
        break;
    case DetailItems::Dcs:
        for (int i = 0; i < kDcsCodeCount; ++i)
            items.push_back(dcsDisplayText(i));
        break;
    case DetailItems::OffOn:
        add(textFor(kOff, language));
        add(textFor(kOn, language));
        break;
    case DetailItems::Repeater:
        add(textFor(kOff, language));
        add("REP+");
        add("REP-");
        break;
    case DetailItems::Roger:
        add(textFor(kOff, language));
        for (int set = 1; set <= kToneSetCount; ++set)
            if (IsToneSetDefined(document.settings.toneTips, set))
                items.push_back(std::to_string(set));
        break;
    case DetailItems::Mode:
        for (std::string_view mode : kModes)
            add(mode);
        break;
    case DetailItems::Dtmf:
        add(textFor(kOff, language));
        for (int code = 1; code <= kDtmfCodeCount; ++code)
            if (!IsDtmfCodeEmpty(document.settings.options.dtmfCodes, code))
                items.push_back(std::to_string(code));
        break;
    case DetailItems::MemChannel:
        add(textFor(ChannelTexts::kToneOff, language));
        for (int number = 1; number <= ChannelGrid::channelRowCount(kind, group); ++number)
            if (ChannelGrid::rowRecord(document, kind, group, number))
                items.push_back(std::to_string(number));
        break;
    case DetailItems::MemBand:
        add("U");
        add("UK");
        break;
    }
    return items;
}

int detailShownIndex(const DetailRow &row, const ChannelRecord &record,
                     const std::vector<std::string> &items)
{
    if (!row.get)
        return 0;
    const int value = row.get(record);
    switch (row.items) {
    case DetailItems::Roger:
        return value == 0 ? 0 : indexOfText(items, std::to_string(value - kRogerReferenceOffset));
    case DetailItems::Dtmf:
        return value == 0 ? 0 : indexOfText(items, std::to_string(value));
    case DetailItems::MemChannel:
        return value == kNoMemChannel ? 0 : indexOfText(items, std::to_string(value));
    default:
        return value >= 0 && value < static_cast<int>(items.size()) ? value : 0;
    }
}

int detailStoredValue(const DetailRow &row, int listIndex, std::string_view text)
{
    switch (row.items) {
    case DetailItems::Roger: {
        const auto number = numberOf(text);
        return number ? *number + kRogerReferenceOffset : 0;
    }
    case DetailItems::Dtmf:
        return numberOf(text).value_or(0);
    case DetailItems::MemChannel:
        return numberOf(text).value_or(kNoMemChannel);
    case DetailItems::Mode:
        for (std::size_t i = 0; i < kModes.size(); ++i)
            if (kModes[i] == text)
                return static_cast<int>(i);
        return 0;
    default:
        return listIndex < 0 ? 0 : listIndex;
    }
}

bool ApplyDetailChoice(DocumentSet &document, int kind, int group, int row, const DetailRow &detail,
                       const std::vector<std::string> &items, int listIndex)
{
    ChannelRecord *record = ChannelGrid::rowRecord(document, kind, group, row);
    const bool memoryRow = ChannelGrid::isMemoryRow(kind, group, row);
    if (!record || !detail.set || listIndex < 0 || listIndex >= static_cast<int>(items.size()) ||
        !detailVisible(detail, *record, kind, memoryRow))
        return false;
    // What a row already shows is not chosen again: a value without an item of its own (shown as
    // the first item) stays as stored.
    if (detailShownIndex(detail, *record, items) == listIndex)
        return true;
    const int value =
        detailStoredValue(detail, listIndex, items[static_cast<std::size_t>(listIndex)]);
    detail.set(*record, value);
    if (detail.items == DetailItems::MemChannel) {
        const std::int16_t present = value == kNoMemChannel ? 0 : 1;
        if (record->Present != present)
            document.memories.count += present ? 1 : -1;
        record->Present = present;
    }
    return true;
}

bool detailVisible(const DetailRow &row, const ChannelRecord &record, int kind, bool memoryRow)
{
    switch (row.show) {
    case DetailShow::Always:
        return true;
    case DetailShow::NotCb:
        return kind != CB;
    case DetailShow::MemoryRowsOnly:
        return memoryRow && row.get;
    case DetailShow::TxCtcss:
        return record.TxToneType == ToneCtcss;
    case DetailShow::TxDcs:
        return record.TxToneType == ToneDcs;
    case DetailShow::RxCtcss:
        return record.RxToneType == ToneCtcss;
    case DetailShow::RxDcs:
        return record.RxToneType == ToneDcs;
    }
    return false;
}
