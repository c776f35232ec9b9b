#include "channels/GroupNameHelp.h"

WindowHelp groupNameWindowHelp()
{
    const HelpText rename{"One character of the new name; the name is kept when you leave the "
                          "boxes or close the window.",
                          "新组名的一个字符；离开输入框或关闭窗口时保存组名。"};
    const HelpText renameParagraph{
        "A double-click on a Rename cell (or Enter) opens two one-character boxes. The name is "
        "stored as bytes of the system's code page, whole characters only; a character the code "
        "page cannot hold is refused with a "
        "message.",
        "双击“重命名”单元格（或按回车）会打开两个单字符输入框。组名以系统代码页的两个单字节字符"
        "保存，只保留完整字符；代码页无法保存的字符会被拒绝并提示。"};
    return {
        "Frm_GroupName",
        {"Group Name", "组名"},
        {"The two-character names of the groups of one channel kind. The names fill the group "
         "lists of the channel window and of the emergency, dual-watch and memory-channel "
         "windows, and are read from and written to the radio. CB group names are shown but "
         "cannot be changed.",
         "某一信道类型各组的两字符组名。组名用于信道窗口以及紧急、双守和存储信道窗口的组列表，"
         "并从电台读出和写入电台。CB组名只显示，不能更改。"},
        {
            {"MSFlexGrid1",
             {"Group names", "组名表"},
             {"The groups of the kind with their names.", "该类型的各组及其组名。"},
             {"One row a group of the kind; a double-click on a Rename cell or Enter starts a "
              "rename.",
              "每个组占一行；双击“重命名”单元格或按回车开始重命名。"}},
            {"Name",
             {"Name", "组名"},
             {"The group's present name.", "该组当前的组名。"},
             {"The group's present two-character name, as the group lists show it.",
              "该组当前的两字符组名，与各组列表中显示的相同。"}},
            {"Rename",
             {"Rename", "重命名"},
             {"Double-click (or Enter) to type a new name.", "双击（或回车）输入新组名。"},
             {"Opens the two boxes of a new name; not offered for CB groups.",
              "打开输入新组名的两个输入框；CB组不提供。"}},
            {"Text1_0", {"New name, first character", "新组名第一个字符"}, rename, renameParagraph},
            {"Text1_1",
             {"New name, second character", "新组名第二个字符"},
             rename,
             renameParagraph},
        }};
}
