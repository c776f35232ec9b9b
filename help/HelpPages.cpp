#include "help/HelpPages.h"

#include <algorithm>
#include <utility>

#include "channels/ChannelHelp.h"
#include "channels/EmgDwMemHelp.h"
#include "channels/GroupNameHelp.h"
#include "help/FrameHelp.h"
#include "link/BatchHelp.h"
#include "options/OptionHelp.h"
#include "options/ToneTipsHelp.h"

namespace {

struct TaskPage
{
    const char *name;
    HelpText title;
    HelpText introduction; // one paragraph a line
    std::vector<std::string> windows;
};

// The tasks up to editing: connecting, reading, editing and copying.
std::vector<TaskPage> earlyTaskPages()
{
    return {
        {"task-connect",
         {"Connect the radio", "连接对讲机"},
         {"Connect the programming cable to the radio and to a USB port of the computer, and turn "
          "the radio on in programming mode.\n"
          "Choose Setup > Communication Port and pick the port of the cable. Below the list the "
          "window says what the port is and whether you may open it; when you may not, it says "
          "why and what to do. Find Radio asks every serial port for the radio and shows the one "
          "that answers.\n"
          "The choice is kept in language/mysetup.ini (section [language], key comPort).",
          "用编程线连接对讲机和电脑的 USB 口，对讲机开机并进入编程模式。\n"
          "选择“设置 > 通讯端口”，选中编程线所在的端口。列表下方说明该端口是什么、能否打开；"
          "不能打开时说明原因和解决办法。“查找电台”按钮会询问每个串口，显示应答的那个端口。\n"
          "所选端口保存在 language/mysetup.ini（[language] 节的 comPort 键）。"},
         {"FrmComSet"}},
        {"task-read",
         {"Read a radio", "读取对讲机"},
         {"Connect the radio (see Connect the radio), then choose Program > Read from Radio. A "
          "progress window follows the blocks; when the read ends the channel window opens on "
          "the radio's data.\n"
          "When the read stops, the box says what failed, at which block and what to check; "
          "Save Trace... keeps the frames of the transfer for a closer look.\n"
          "Every successful read is kept as a backup (see Keep backups). Save the result with "
          "File > Save As to keep it as a data file.",
          "先连接对讲机（见“连接对讲机”），再选择“编程 > 从对讲机读取数据”。进度窗口显示读取的"
          "数据块；读取结束后信道窗口显示对讲机的数据。\n"
          "读取中断时，提示框说明失败原因、在哪个数据块以及应检查什么；“保存记录...”保存本次"
          "传输的数据帧以便查看。\n"
          "每次成功读取都会保存一份备份（见“保存备份”）。用“文件 > 另存为”把结果保存为数据文件。"},
         {"frmCommChInfo"}},
        {"task-edit-channels",
         {"Edit channels", "编辑信道"},
         {"Edit > Channel Information opens the channel window: pick the kind (CB, HF, HAM) and "
          "the group, then type a frequency into the grid (Enter, a double-click or just a "
          "digit). Out-of-range frequencies are refused with a message.\n"
          "The detail panel beside the grid sets the selected channel's tones and options. Every "
          "change can be undone and redone with Edit > Undo and Redo, which name the step (Ctrl+Z, "
          "Ctrl+Shift+Z or Ctrl+Y). The Menu key or Shift+F10 opens the grid's menu of row "
          "operations and tools.\n"
          "The emergency, dual-watch and memory-channel windows of the tree pane change the "
          "document only when you press Save.",
          "“编辑 > 信道信息”打开信道窗口：选择类别（CB、HF、HAM）和组，然后在表格中输入频率"
          "（回车、双击或直接输入数字）。超出范围的频率会被拒绝并给出提示。\n"
          "表格旁的详细面板设置所选信道的亚音和选项。每次修改都可以用“编辑 > 撤销/重做”撤销和"
          "重做，菜单项写明所撤销的操作（Ctrl+Z、Ctrl+Shift+Z 或 Ctrl+Y）。菜单键或 Shift+F10 "
          "打开表格的行操作和工具菜单。\n"
          "树形窗格中的紧急、双守和存储信道窗口只在按“保存”后才修改数据。"},
         {"frmCommChInfo", "frm_emg", "frm_dw", "frm_MEM", "Frm_GroupName"}},
        {"task-copy-group",
         {"Copy a group", "复制信道组"},
         {"In the channel window select the rows of the group to copy (click the first row, "
          "Shift+click the last), then Tools > Copy (Ctrl+C). Open the other group, select its "
          "first row and choose Tools > Paste (Ctrl+V), or Insert&Paste (Ctrl+I) to move the "
          "rows below down.\n"
          "Copy also puts the rows on the system clipboard as tab-separated text; one frequency "
          "a line pasted from a spreadsheet or editor sets those channels, all or nothing.",
          "在信道窗口中选中要复制的组的各行（单击第一行，Shift+单击最后一行），然后选择"
          "“Tools > Copy”（Ctrl+C）。打开另一个组，选中第一行，选择“Tools > Paste”（Ctrl+V），"
          "或“Insert&Paste”（Ctrl+I）把下面的行下移。\n"
          "复制同时把各行以制表符分隔的文本放到系统剪贴板；从电子表格或编辑器粘贴的每行一个频率"
          "会设置这些信道，要么全部设置，要么都不设置。"},
         {"frmCommChInfo", "Frm_GroupName"}},
    };
}

// The tasks after the edits: writing, backups, exchanging channels and the companion.
std::vector<TaskPage> laterTaskPages()
{
    return {
        {"task-write-verify",
         {"Write and verify", "写入和校验"},
         {"Choose Program > Write to Radio. Open windows first write the edits they hold; a "
          "progress window follows the blocks. The data about to be written is kept as a backup "
          "first.\n"
          "To check that the radio holds what the program shows, choose Program > Verify Radio. "
          "The radio is read again under the same progress window, without a question first; "
          "the document in the program is not changed. Then the Verify Radio window lists every "
          "field that differs, named as in the data file's text form (for example "
          "channels.CB.group 2.channel 14.mode), with the program's value and the radio's value, "
          "or says \"The radio holds what the program shows.\" Copy puts the list on the "
          "clipboard.\n"
          "A difference right after a write means the radio did not keep what was written: write "
          "it again.",
          "选择“编程 > 向对讲机写入数据”。打开的窗口先写入尚未保存的修改；进度窗口显示写入的数据"
          "块。写入前的数据会先保存为备份。\n"
          "要确认对讲机中的数据与程序显示的相同，选择“编程 > 校验对讲机”。程序在同样的进度窗口下"
          "重新读取对讲机，事先不提问；程序中的文档不会被修改。随后“校验对讲机”窗口列出每个不同的"
          "字段，按数据文件文本格式中的名称列出（例如 channels.CB.group 2.channel 14.mode），并给出"
          "程序中的值和对讲机中的值；没有不同时显示“对讲机中的数据与程序显示的相同。”。“复制”把"
          "列表放到剪贴板。\n"
          "写入后立即校验仍有不同，说明对讲机没有保存写入的数据：请重新写入。"},
         {"FrmOptFeatures", "frmCommChInfo"}},
        {"task-batch",
         {"Program many radios", "批量编程对讲机"},
         {"To give a box of radios the same data, open Program > Batch Programming.... Choose the "
          "template (the document in the program or a data file), add a port for each cable (or "
          "Add USB Ports) and press Start.\n"
          "Connect a radio to each cable: every port reads its radio, keeps a backup, writes the "
          "template and verifies it on its own, and the table shows each port's state and "
          "result. When a port says \"Connect the next radio\", swap the radio. Retry Failed "
          "programs a failed radio again; Stop finishes the radios being written.\n"
          "orx740-cli batch runs the same line from a terminal.",
          "要为一批对讲机写入相同的数据，打开“编程 > 批量编程...”。选择模板（程序中的文档或数据"
          "文件），为每根编程线添加一个端口（或“添加USB端口”），然后按“开始”。\n"
          "在每根编程线上连接一台对讲机：每个端口各自读取对讲机、保存备份、写入模板并校验，表格"
          "显示每个端口的状态和结果。端口显示“请连接下一台对讲机”时，换上下一台。“重试失败的”为"
          "失败的对讲机重新编程；“停止”先完成正在写入的对讲机。\n"
          "orx740-cli batch 在终端中运行同样的生产线。"},
         {"FrmBatchProgramming"}},
        {"task-backups",
         {"Keep backups", "保存备份"},
         {"Every successful read keeps the radio's image and its data file pair, and every write "
          "keeps the pair it is about to write, in a folder of its own under the per-user "
          "application data folder (on Linux ~/.local/share/ORX-740/ORX-740/backups/). The "
          "newest 50 are kept.\n"
          "Each backup's .dat opens like any data file (File > Open). orx740-cli backups lists "
          "them, newest first.",
          "每次成功读取都会保存对讲机的映像和数据文件对，每次写入都会保存将要写入的数据文件对，"
          "各自放在用户应用数据文件夹下的单独文件夹中（Linux 上为 "
          "~/.local/share/ORX-740/ORX-740/backups/）。保留最新的 50 份。\n"
          "每份备份的 .dat 文件可以像其他数据文件一样打开（“文件 > 打开”）。orx740-cli backups "
          "按从新到旧列出备份。"},
         {}},
        {"task-csv",
         {"Exchange channels as CSV", "用 CSV 交换信道"},
         {"orx740-cli export-csv FILE.dat --out channels.csv writes one line per channel and "
          "memory channel; a spreadsheet opens it.\n"
          "orx740-cli import-csv channels.csv --into NEW.dat applies such a file to a data file "
          "pair; open the result with File > Open and check it in the channel window before you "
          "write it.",
          "orx740-cli export-csv 文件.dat --out channels.csv 为每个信道和存储信道写一行；可用"
          "电子表格打开。\n"
          "orx740-cli import-csv channels.csv --into 新文件.dat 把这样的文件应用到数据文件对；用"
          "“文件 > 打开”打开结果，写入前在信道窗口中检查。"},
         {"frmCommChInfo"}},
        {"task-cli",
         {"The command-line companion", "命令行工具"},
         {"orx740-cli does from a terminal what the program does: read, write and verify a "
          "radio, show, compare and convert data files, list ports and backups, and simulate a "
          "radio for trying things out. orx740-cli --help lists every verb; orx740-cli VERB "
          "--help explains one.\n"
          "orx740-cli help-settings lists every setting of every window with its label and "
          "tooltip (--json for a program, --language zh in Chinese).",
          "orx740-cli 在终端中完成程序的工作：读取、写入和校验对讲机，显示、比较和转换数据文件，"
          "列出端口和备份，并能模拟一台对讲机用于试用。orx740-cli --help 列出所有命令；"
          "orx740-cli 命令 --help 说明其中一个。\n"
          "orx740-cli help-settings 列出每个窗口的每项设置及其名称和提示（--json 供程序使用，"
          "--language zh 为中文）。"},
         {}},
    };
}

std::vector<TaskPage> taskPages()
{
    std::vector<TaskPage> pages = earlyTaskPages();
    for (TaskPage &page : laterTaskPages())
        pages.push_back(std::move(page));
    return pages;
}

} // namespace

std::vector<WindowHelp> allWindowHelp()
{
    std::vector<WindowHelp> pages{
        mainWindowHelp(),      channelWindowHelp(),   groupNameWindowHelp(),
        emergencyWindowHelp(), dualWatchWindowHelp(), memorySettingsWindowHelp(),
        optionWindowHelp(),    toneTipsWindowHelp(),  portWindowHelp(),
        batchWindowHelp(),     languageWindowHelp()};
    for (TaskPage &task : taskPages())
        pages.push_back({task.name, std::move(task.title), std::move(task.introduction), {}});
    return pages;
}

const WindowHelp *findWindowHelp(const std::vector<WindowHelp> &pages, const std::string &name)
{
    const auto found = std::find_if(pages.begin(), pages.end(),
                                    [&](const WindowHelp &page) { return page.window == name; });
    return found == pages.end() ? nullptr : &*found;
}

bool isTaskPage(const std::string &name)
{
    return name.starts_with("task-");
}

std::vector<std::string> relatedPages(const std::string &name)
{
    std::vector<std::string> related;
    for (const TaskPage &task : taskPages()) {
        if (task.name == name)
            return task.windows;
        if (std::find(task.windows.begin(), task.windows.end(), name) != task.windows.end())
            related.emplace_back(task.name);
    }
    return related;
}
