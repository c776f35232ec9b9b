#include "help/FrameHelp.h"

WindowHelp mainWindowHelp()
{
    return {
        "frmMain",
        {"Main window", "主窗口"},
        {"The program's one window: the menus, the toolbar, the tree pane on the left and the "
         "editor windows inside it. The title shows the band of the channel kind shown and the "
         "data file's name (new.dat for a new or freshly read document).\n"
         "Each editor window opens once; a second choice brings it to the front. Window > "
         "Cascade lays them out again, Close All Windows closes them. F1 opens the page of the "
         "window in front, or this page when none is open; Help > Help Contents opens the "
         "contents.",
         "程序唯一的主窗口：菜单、工具栏、左侧的树形窗格以及其中的各个编辑窗口。标题栏显示所显示"
         "信道类型的频段和数据文件名（新建或刚读取的数据为 new.dat）。\n"
         "每个编辑窗口只打开一次；再次选择会把它移到前面。“窗口 > 层叠”重新排列各窗口，“关闭所有"
         "窗口”关闭它们。F1 打开最前面窗口的帮助页，没有打开的窗口时打开本页；“帮助 > 帮助目录”"
         "打开目录。"},
        {
            {"mnuFile",
             {"File menu", "文件菜单"},
             {"New, Open, Save, Save As, text export and import, Exit.",
              "新建、打开、保存、另存为、文本导出和导入、退出。"},
             {"Data files are pairs: the .dat file with the settings and the .fre file beside it "
              "with the channels. Every command that would drop unsaved edits asks first.",
              "数据文件成对保存：.dat 文件保存设置，旁边的 .fre "
              "文件保存信道。会丢弃未保存修改的命令"
              "都会先询问。"}},
            {"mnuEdit",
             {"Edit menu", "编辑菜单"},
             {"Opens the channel, option feature and roger-beep windows.",
              "打开信道、可选功能和 RB 音窗口。"},
             {"The tree pane opens these windows too, and the emergency, dual-watch, "
              "memory-channel "
              "and group-name windows.",
              "树形窗格也能打开这些窗口，以及紧急、双守、存储信道和组名窗口。"}},
            {"mnuProgram",
             {"Program menu", "编程菜单"},
             {"Read from Radio, Write to Radio, Verify Radio.",
              "从对讲机读取数据、向对讲机写入数据、校验对讲机。"},
             {"Each runs under a progress window with a Cancel button, on the port chosen under "
              "Setup > Communication Port. Verify Radio reads the radio and lists where it differs "
              "from the program, without changing the document.",
              "每项操作都在带“取消”按钮的进度窗口下进行，使用“设置 > 通讯端口”中选择的端口。"
              "“校验对讲机”读取对讲机并列出与程序不同之处，不修改文档。"}},
            {"mnuSetup",
             {"Setup menu", "设置菜单"},
             {"Communication Port, Language Setup, Initial Setting.",
              "通讯端口、语言设置、初始化设置。"},
             {"Initial Setting replaces the document with the factory settings after asking.",
              "“初始化设置”在询问后用出厂设置替换文档。"}},
            {"MnuLE",
             {"Tools menu", "Tools 菜单"},
             {"Copy, Cut, Paste, Insert&Paste and Delete of channel rows.",
              "信道行的复制、剪切、粘贴、插入粘贴和删除。"},
             {"They act on the selected rows of the channel window when it is in front.",
              "信道窗口在最前面时，作用于其中选中的行。"}},
            {"mnuView",
             {"View menu", "视图菜单"},
             {"Shows or hides the tree pane, the toolbar and the status bar.",
              "显示或隐藏树形窗格、工具栏和状态栏。"},
             {"The tree pane's own close button hides it as well; View > Tree View brings it back.",
              "树形窗格自己的关闭按钮也会隐藏它；“视图 > 树视图”可重新显示。"}},
            {"mnuHelp",
             {"Help menu", "帮助菜单"},
             {"The manual, connecting the radio, a problem report, About.",
              "使用手册、连接对讲机、问题报告、关于。"},
             {"Save Problem Report... writes a zip file for support after listing what goes in; "
              "nothing is sent anywhere.",
              "“保存问题报告...”先列出内容，然后写成一个 zip 文件供技术支持使用；不会发送到任何"
              "地方。"}},
            {"Toolbar1",
             {"Toolbar", "工具栏"},
             {"New, Open, Save, Read, Communication Port, Write and About.",
              "新建、打开、保存、读取、通讯端口、写入和关于。"},
             {"Each button's tooltip names what it does. The toolbar's New loads the new document "
              "without the menu's question (unsaved edits are still offered for saving); \"?\" "
              "opens the About window with the program's version.",
              "每个按钮的提示说明其作用。工具栏的“新建”不经过菜单中的询问直接载入新文档（未保存的"
              "修改仍会提示保存）；“?”打开显示程序版本的“关于”窗口。"}},
            {"TreeView1",
             {"Tree pane", "树形窗格"},
             {"Opens the editor windows by name.", "按名称打开各编辑窗口。"},
             {"A click on a name opens that window; drag the bar at its right edge to make the "
              "pane "
              "wider or narrower.",
              "单击名称打开相应窗口；拖动窗格右边的分隔条可改变窗格宽度。"}},
            {"Panel3",
             {"Status bar", "状态栏"},
             {"The band of the channel kind shown and the port in use.",
              "所显示信道类型的频段和使用的端口。"},
             {"The port shown is the one Read, Write and Verify open.",
              "显示的端口就是读取、写入和校验时打开的端口。"}},
        }};
}

WindowHelp portWindowHelp()
{
    return {
        "FrmComSet",
        {"Communication Port", "通信端口"},
        {"Setup > Communication Port chooses the serial port of the programming cable. The list "
         "is refreshed every second while the window is open, so a cable plugged in now appears "
         "by itself.\n"
         "OK keeps the choice in language/mysetup.ini; Cancel changes nothing.",
         "“设置 > 通讯端口”选择编程线所在的串口。窗口打开期间列表每秒刷新一次，刚插上的编程线会"
         "自动出现。\n"
         "“确定”把选择保存在 language/mysetup.ini 中；“取消”不做任何改动。"},
        {
            {"Combo1",
             {"COM", "通信口"},
             {"The port of the programming cable.", "编程线所在的端口。"},
             {"Ports are listed as COM numbers; the ports named in mysetup.ini's [ports] section "
              "come first.",
              "端口以 COM 编号列出；mysetup.ini 的 [ports] 节中命名的端口排在前面。"}},
            {"LabelPortFacts",
             {"Port facts", "端口信息"},
             {"What the shown port is and whether it can be opened.",
              "所显示端口是什么设备以及能否打开。"},
             {"The device, the cable's chip and, when the port cannot be opened, why and what to "
              "do (for example the udev rule or the owner of the device).",
              "设备、编程线的芯片，以及端口不能打开时的原因和解决办法（例如 udev "
              "规则或设备的所有者）。"}},
            {"CommandFindRadio",
             {"Find Radio", "查找电台"},
             {"Asks every USB serial port for the radio.", "在每个 USB 串口上询问电台。"},
             {"The port on which the radio answers is shown; Stop ends the search.",
              "显示电台应答的端口；“停止”结束查找。"}},
            {"CommandFindCable",
             {"Find Cable...", "查找编程线..."},
             {"Unplug, Next, plug in: the port that appears is the cable.",
              "拔下、下一步、插上：新出现的端口就是编程线。"},
             {"For a cable whose port name says nothing about it.",
              "用于端口名称看不出是哪根编程线的情况。"}},
            {"CommandOther",
             {"Other...", "其他..."},
             {"Names a device path to keep as a port.", "指定一个设备路径作为端口保存。"},
             {"For Bluetooth and other serial devices that the system does not list; the path is "
              "kept in mysetup.ini's [ports] section.",
              "用于系统没有列出的蓝牙或其他串口设备；路径保存在 mysetup.ini 的 [ports] 节中。"}},
        }};
}

WindowHelp languageWindowHelp()
{
    return {
        "FrmSetLanguage",
        {"Language Setup", "语言设置"},
        {"Setup > Language Setup switches every text of the program between English and Chinese "
         "while it runs. OK keeps the choice in language/mysetup.ini; the windows open again in "
         "the new language. Chinese is offered on a Chinese system, and the language in force is "
         "always offered beside English.",
         "“设置 > 语言设置”在程序运行时把所有文字在英文和中文之间切换。“确定”把选择保存在 "
         "language/mysetup.ini 中，各窗口以新语言重新打开。中文系统上提供中文，当前使用的语言总会"
         "与英文一起提供。"},
        {
            {"Combo1",
             {"Language Mode", "语言模式"},
             {"The language of the program's texts.", "程序文字所用的语言。"},
             {"Edits still open in a window are asked about before the windows close for the "
              "switch.",
              "切换前关闭窗口时，会先询问窗口中尚未保存的修改。"}},
        }};
}
