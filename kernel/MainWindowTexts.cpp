#include "kernel/MainWindowTexts.h"

namespace {

constexpr TextEntry kFileNameLabel{"", "File Name", "文件名"};
constexpr TextEntry kPortLabel{"", "COM", "通信口"};
// "%1" is the name of the step.
constexpr TextEntry kUndoStep{"", "&Undo %1", "撤销 %1(&U)"};
constexpr TextEntry kRedoStep{"", "Re&do %1", "重做 %1(&D)"};

} // namespace

const MenuItemText *menuItem(std::string_view name)
{
    for (const MenuItemText &item : kMainMenu) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

const MenuItemText *menuItemFor(MainCommand command)
{
    for (const MenuItemText &item : kMainMenu) {
        if (item.command == command && !item.parent.empty())
            return &item;
    }
    return nullptr;
}

std::string toolButtonTip(const ToolButtonText &button, int language)
{
    if (!textFor(button.toolTip, language).empty())
        return std::string(textFor(button.toolTip, language));
    const MenuItemText *item = menuItem(button.menuItem);
    return item ? captionWithoutMarkers(textFor(item->caption, language)) : std::string();
}

std::string treeNodeText(const TreeNodeText &node, int language)
{
    if (const MenuItemText *item = menuItem(node.menuItem))
        return captionWithoutMarkers(textFor(item->caption, language));
    return std::string(textFor(node.text, language));
}

std::string captionWithoutMarkers(std::string_view caption)
{
    std::string plain;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        const char c = caption[at];
        if (c != '&') {
            plain += c;
            continue;
        }
        if (at + 1 < caption.size() && caption[at + 1] == '&') {
            plain += '&';
            ++at;
        } else if (!plain.empty() && plain.back() == '(' && at + 2 < caption.size() &&
                   caption[at + 2] == ')') {
            // "(&C)" after a caption in another script only names the key: it goes whole.
            plain.pop_back();
            at += 2;
        }
    }
    return plain;
}

std::string historyCaption(MainCommand command, std::string_view step, int language)
{
    const bool undo = command == MainCommand::Undo;
    if (step.empty()) {
        const MenuItemText *item = menuItemFor(command);
        return item ? std::string(textFor(item->caption, language)) : std::string();
    }
    std::string caption(textFor(undo ? kUndoStep : kRedoStep, language));
    // A "&" in the step's name would take the key from the menu's own marker.
    std::string name;
    for (const char c : step)
        name += c == '&' ? std::string("&&") : std::string(1, c);
    caption.replace(caption.find("%1"), 2, name);
    return caption;
}

std::string_view windowForCommand(MainCommand command)
{
    switch (command) {
    case MainCommand::ChannelInformation:
        return kChannelWindow;
    case MainCommand::OptionFeatures:
        return "FrmOptFeatures";
    case MainCommand::RogerBeep:
        return "FrmToneTips";
    default:
        return {};
    }
}

std::string mainTitle(std::string_view bandText, int language, std::string_view documentPath)
{
    const auto separator = documentPath.find_last_of("\\/");
    const std::string_view fileName =
        separator == std::string_view::npos ? documentPath : documentPath.substr(separator + 1);
    return "ORX-740[" + std::string(bandText) + "][" +
           std::string(textFor(kFileNameLabel, language)) + ":" + std::string(fileName) + "]";
}

std::string bandPanelText(std::string_view bandText)
{
    return "ORX-740[" + std::string(bandText) + "]";
}

std::string portPanelText(int comPort, int language)
{
    return std::string(textFor(kPortLabel, language)) + std::to_string(comPort);
}
