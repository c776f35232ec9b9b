#include "link/BatchHelp.h"

#include <string>
#include <string_view>

#include "link/BatchWindowTexts.h"

namespace {

namespace T = BatchWindowTexts;

// A caption as the manual names the control: "Log file:" is "Log file", "日志文件：" is
// "日志文件".
std::string withoutColon(std::string_view caption)
{
    for (const std::string_view colon : {std::string_view(":"), std::string_view("：")})
        if (caption.ends_with(colon))
            caption.remove_suffix(colon.size());
    return std::string(caption);
}

HelpText label(const TextEntry &entry)
{
    return {withoutColon(entry[English]), withoutColon(entry[Chinese])};
}

std::vector<SettingHelp> templateSettings()
{
    return {
        {"OptionTemplateDocument",
         label(T::kTemplateDocument),
         {"Program every radio with the document open in the program, as it is at Start.",
          "用程序中打开的文档（按“开始”时的内容）为每台对讲机编程。"},
         {"Start takes a copy of the document: edits made while the line runs reach no radio "
          "until the next Start.",
          "“开始”时复制一份文档：生产线运行期间所做的修改要到下次“开始”才会写入对讲机。"}},
        {"OptionTemplateFile",
         label(T::kTemplateFile),
         {"Program every radio with a data file pair instead.",
          "改用一个数据文件对为每台对讲机编程。"},
         {"The .dat file and the .fre file beside it are read at Start; the document in the "
          "program is left as it is.",
          "“开始”时读取 .dat 文件及其旁边的 .fre 文件；程序中的文档保持不变。"}},
        {"TextTemplate",
         label(T::kTemplateFile),
         {"The .dat file of the template; Browse... picks it.",
          "模板的 .dat 文件；可用“浏览...”选择。"},
         {"A file that cannot be read, does not fit this program's version or lacks its .fre "
          "file is named in a message, and the line does not start.",
          "文件无法读取、与本程序版本不符或缺少 .fre 文件时，提示框会指出该文件，生产线不会"
          "开始。"}},
        {"CheckKeepOptions",
         label(T::kKeepOptions),
         {"Ticked: each radio keeps its own option features and tone sets and takes the "
          "channels and their settings from the template.",
          "选中：每台对讲机保留自身的可选功能和RB音，从模板取信道及其设置。"},
         {"The template gives the channels, the group names and the channel settings "
          "(emergency, dual watch, memory settings). Unticked, each radio gets the whole "
          "template. The same as orx740-cli batch --keep options.",
          "模板提供信道、组名和信道设置（紧急、双守、存储信道设置）。不选中时，每台对讲机"
          "写入整个模板。与 orx740-cli batch --keep options 相同。"}},
        {"TextNamePattern",
         label(T::kNamePattern),
         {"Each radio's Bluetooth name, with {unit} for its unit number: ORX-{unit:04} names "
          "unit 7 ORX-0007. Left empty, no name is made from a pattern.",
          "每台对讲机的蓝牙名称，{unit} 代表其编号：ORX-{unit:04} 把第 7 台命名为 ORX-0007。"
          "留空：不命名。"},
         {"A name holds at most 16 characters of printable ASCII; a pattern that gives more, "
          "another character or a field other than {unit} is refused at Start, before anything "
          "is sent. The name is logged with the unit.",
          "名称最多 16 个可打印 ASCII 字符；得出更长名称、含其他字符或含 {unit} 以外字段的模式"
          "在“开始”时即被拒绝，不会发送任何数据。名称与编号一起记入日志。"}},
    };
}

std::vector<SettingHelp> portSettings()
{
    return {
        {"GridPorts",
         label(T::kPortsFrame),
         {"One row a port: its cable, state, the progress of the radio in hand, its unit, the "
          "time taken and the last radio's result.",
          "每个端口一行：线缆、状态、当前对讲机的进度、编号、用时和上一台对讲机的结果。"},
         {"Each port runs on its own and at the same time as the others: it waits for a radio, "
          "checks its model and firmware, reads it and keeps a backup, writes the template, "
          "reads it back and compares, logs the result and waits for the next radio. A failure "
          "or a port that goes away stops no other port.",
          "每个端口独立并同时运行：等待对讲机，检查型号和固件，读取并保存备份，写入模板，读回"
          "并比较，记录结果，然后等待下一台对讲机。某个端口失败或消失不会使其他端口停止。"}},
        {"TextPort",
         label(T::kPortToAdd),
         {"A port to add, as COM3 or /dev/ttyUSB0; Enter adds it.",
          "要添加的端口，例如 COM3 或 /dev/ttyUSB0；按回车键添加。"},
         {"Port names kept in mysetup.ini's [ports] section are understood too; the cable "
          "column shows the USB path of the port's cable where the system tells it.",
          "也可使用 mysetup.ini 的 [ports] 节中保存的端口名称；系统提供时，线缆列显示该端口"
          "编程线的 USB 路径。"}},
        {"CommandAddPort",
         label(T::kAddPort),
         {"Adds the port typed beside it to the table.", "把旁边输入的端口添加到表格中。"},
         {"Add one port for each cable of the line.", "生产线的每根编程线添加一个端口。"}},
        {"CommandAddUsbPorts",
         label(T::kAddUsbPorts),
         {"Adds every USB serial port the system lists.", "添加系统列出的每个 USB 串口。"},
         {"The same as orx740-cli batch --ports usb. When no USB serial port is found, a "
          "message says so.",
          "与 orx740-cli batch --ports usb 相同。找不到 USB 串口时会给出提示。"}},
        {"CommandRemovePort",
         label(T::kRemovePort),
         {"Removes the selected port from the table.", "从表格中移除选中的端口。"},
         {"The ports cannot be changed while the line runs or the lock is ticked.",
          "生产线运行期间或选中锁定时不能修改端口。"}},
    };
}

std::vector<SettingHelp> runSettings()
{
    return {
        {"TextLog",
         label(T::kLogFile),
         {"A CSV file that gets one line a radio; empty: no log.",
          "每台对讲机记录一行的 CSV 文件；留空：不记录。"},
         {"The same columns as orx740-cli batch --log: time, unit, port, model, firmware, "
          "result, differences, backup, cable and name. A log that already holds units numbers "
          "the new radios on from its last unit.",
          "列与 orx740-cli batch --log 相同：时间、编号、端口、型号、固件、结果、差异、备份、"
          "线缆和名称。日志中已有编号时，新的对讲机从最后一个编号往后编号。"}},
        {"CheckLock",
         label(T::kLock),
         {"Keeps the template, the ports and the log as they are; Start ticks it.",
          "保持模板、端口和日志不变；“开始”时自动选中。"},
         {"It cannot be unticked while the line runs, so that a stray click changes nothing "
          "half-way through a box of radios.",
          "生产线运行期间不能取消选中，以免一次误点在批量编程中途改变设置。"}},
        {"CommandStart",
         label(T::kStart),
         {"Starts the line on every port of the table.", "在表格中的每个端口上开始生产线。"},
         {"At least one port is needed; the template and the name pattern are checked first. "
          "The line goes on by itself after a failure and writes the same log as orx740-cli "
          "batch.",
          "至少需要一个端口；先检查模板和名称模式。失败后生产线自动继续，写入与 orx740-cli "
          "batch 相同的日志。"}},
        {"CommandStop",
         label(T::kStop),
         {"Stops the line: radios being written are finished first.",
          "停止生产线：正在写入的对讲机先完成。"},
         {"A radio not yet written is left untouched. Closing the window while the line runs "
          "stops it the same way and closes once every port has stopped.",
          "尚未写入的对讲机保持不变。生产线运行时关闭窗口，会以同样方式停止，并在所有端口停止"
          "后关闭。"}},
        {"CommandRetry",
         label(T::kRetryFailed),
         {"Programs again the radio still connected to each port whose last radio failed.",
          "在上一台对讲机失败的每个端口上，为仍然连接的对讲机重新编程。"},
         {"A failed radio may be only partly written: retry it, or write it again before it is "
          "used.",
          "失败的对讲机可能只写入了一部分：请重试，或在使用前重新写入。"}},
    };
}

} // namespace

WindowHelp batchWindowHelp()
{
    std::vector<SettingHelp> settings = templateSettings();
    for (std::vector<SettingHelp> part : {portSettings(), runSettings()})
        settings.insert(settings.end(), part.begin(), part.end());
    return {
        "FrmBatchProgramming",
        {"Batch Programming", "批量编程"},
        {"Program > Batch Programming... programs a box of radios with one template, on one or "
         "several cables at once: the same production line as orx740-cli batch with a --port for "
         "each cable.\n"
         "Choose the template, add the ports and, if you like, a log file, then press Start. "
         "Start ticks \"Lock template and ports\", so nothing changes while the line runs. Each "
         "port then waits for a radio, checks who it is (another model, or a firmware the "
         "template does not fit, is refused), reads it and keeps a backup, writes the template, "
         "reads it back and compares, logs one line and says \"Connect the next radio\": unplug "
         "the radio and connect the next one.\n"
         "The line below the table counts the radios done, refused and failed.",
         "“编程 > 批量编程...”用一个模板为一批对讲机编程，可同时使用一根或多根编程线：与为每根"
         "编程线给出 --port 的 orx740-cli batch 是同一条生产线。\n"
         "选择模板，添加端口，需要时指定日志文件，然后按“开始”。“开始”会选中“锁定模板和端口”，"
         "运行期间设置不会改变。随后每个端口等待对讲机，检查其身份（其他型号或与模板不符的固件会"
         "被拒绝），读取并保存备份，写入模板，读回并比较，记录一行日志，并显示“请连接下一台"
         "对讲机”：拔下这台对讲机，连接下一台。\n"
         "表格下方一行统计完成、拒绝和失败的对讲机数量。"},
        std::move(settings)};
}
