#include "channels/EmgDwMemHelp.h"

#include <string>
#include <string_view>

#include "channels/EmgDwMemTable.h"

namespace {

// What an element's list offers.
HelpText listText(SpecialList list)
{
    switch (list) {
    case SpecialList::CbChannels:
        return {"A channel of the row's CB group (1 to 40; 1 to 80 in the DE row).",
                "该行CB组的一个信道（1至40；DE行为1至80）。"};
    case SpecialList::CbMemories:
        return {"A memory channel of the row's block of 16 that recalls a CB channel.",
                "该行16个存储信道中调用CB信道的一个存储信道。"};
    case SpecialList::Modes:
        return {"A modulation mode: FM, AM, USB, LSB or CW.", "调制方式：FM、AM、USB、LSB或CW。"};
    case SpecialList::States:
        return {"Off or On.", "关或开。"};
    case SpecialList::Bands:
        return {"A named group of the kind.", "该类型的一个命名组。"};
    case SpecialList::BandChannels:
        return {"A channel (1 to 40) of the group chosen as band when the window was opened.",
                "打开窗口时所选组（频段）的一个信道（1至40）。"};
    case SpecialList::MemGroupChannels:
        return {"A channel (1 to 99) of the kind's MEM group.", "该类型MEM组的一个信道（1至99）。"};
    }
    return {};
}

WindowHelp specialHelp(SpecialWindowId id, HelpText introduction)
{
    const SpecialWindowTable &table = specialWindow(id);
    WindowHelp page{std::string(table.name),
                    {std::string(table.caption[English]), std::string(table.caption[Chinese])},
                    std::move(introduction),
                    {}};
    for (const SpecialCombo &combo : table.combos) {
        const HelpText offered = listText(combo.list);
        const bool stored = combo.value != kNotStored;
        const HelpText kept =
            stored ? HelpText{" The choice is stored when you press Save, and written to the "
                              "radio with the window's settings.",
                              "按“保存”时保存该选择，并随本窗口的设置写入电台。"}
                   : HelpText{" This row is offered but its choice is not stored.",
                              "该行可供选择，但不保存其选择。"};
        page.settings.push_back({"Combo1_" + std::to_string(combo.element),
                                 {specialLabel(combo, English), specialLabel(combo, Chinese)},
                                 offered,
                                 {offered.english + kept.english, offered.chinese + kept.chinese}});
    }
    return page;
}

} // namespace

WindowHelp emergencyWindowHelp()
{
    return specialHelp(
        SpecialWindowId::Emergency,
        {"The emergency channels of every CB group and of the HF and HAM bands. The lists offer "
         "only the channels that exist; nothing changes in the document until you press Save. "
         "Closed any other way with choices not saved, the window asks whether to save them.",
         "每个CB组以及HF和HAM频段的紧急信道。列表只提供已存在的信道；按“保存”之前文档不会改变；"
         "以其他方式关闭窗口时，若有未保存的选择，会询问是否保存。"});
}

WindowHelp dualWatchWindowHelp()
{
    return specialHelp(
        SpecialWindowId::DualWatch,
        {"The dual-watch channels of every CB group and of the HF and HAM bands. The lists offer "
         "only the channels that exist; nothing changes in the document until you press Save. "
         "Closed any other way with choices not saved, the window asks whether to save them.",
         "每个CB组以及HF和HAM频段的双守信道。列表只提供已存在的信道；按“保存”之前文档不会改变；"
         "以其他方式关闭窗口时，若有未保存的选择，会询问是否保存。"});
}

WindowHelp memorySettingsWindowHelp()
{
    return specialHelp(
        SpecialWindowId::Memory,
        {"The memory-channel settings of every CB group and of the HF and HAM bands. The lists "
         "offer only the channels that exist; nothing changes in the document until you press "
         "Save. Closed any other way with choices not saved, the window asks whether to save them.",
         "每个CB组以及HF和HAM频段的存储信道设置。列表只提供已存在的信道；按“保存”之前文档不会"
         "改变；以其他方式关闭窗口时，若有未保存的选择，会询问是否保存。"});
}
