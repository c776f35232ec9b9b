#include "app/MainWindowTexts.h"

namespace {

constexpr TextEntry kFileNameLabel{"", "File Name", "文件名"};
constexpr TextEntry kPortLabel{"", "COM", "通信口"};

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

std::string_view treeNodeText(const TreeNodeText &node, int language)
{
    if (const MenuItemText *item = menuItem(node.menuItem))
        return textFor(item->caption, language);
    return textFor(node.text, language);
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
