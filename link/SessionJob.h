#pragma once

#include <optional>
#include <string>

#include "lang/Texts.h"
#include "model/RadioImage.h"

struct DocumentSet;
class VersionRegistry;

// The unit numbers of a batch, shared by the sessions of every port of a production line: each
// radio that answers takes the next number, until `units` radios have been taken, whatever came
// of them.
class UnitCounter
{
public:
    UnitCounter() = default;
    UnitCounter(int lastUnit, std::optional<int> units)
        : m_last(lastUnit)
        , m_left(units)
    {}
    // The next unit number; nothing once every unit has been taken.
    std::optional<int> take()
    {
        if (exhausted())
            return std::nullopt;
        if (m_left)
            --*m_left;
        return ++m_last;
    }
    bool exhausted() const { return m_left && *m_left <= 0; }

private:
    int m_last = 0;
    std::optional<int> m_left;
};

// What a radio session is asked to do, by the window's commands, the command-line verbs and the
// batch alike.
enum class JobKind
{
    Identify, // the greeting and the identification, then "END"
    Read,     // the radio into a document made on the job's read base
    Write,    // a document or a raw image into the radio, read back and compared when asked
    Verify,   // the radio read and compared with what a document packs to
    Batch     // radio after radio on one port: read, merge with the template, write, compare
};

// How the batch goes from one radio to the next.
struct BatchSettings
{
    std::string portName;       // as the user gave it, for the lines said
    std::optional<int> units;   // stop after this many radios; none: until interrupted
    bool nextOnAnswer = false;  // the next radio on the user's answer, not on unplugging
    bool keepOptions = false;   // each radio keeps its own option features and tone sets
    bool keepGoing = false;     // a failed radio does not wait for the user's answer
    bool switchVersion = false; // a firmware refusal names the program version to start
    int lastUnit = 0;           // the last unit an existing log numbers: this batch goes on from it
    // The counter of a production line's ports; none: the session counts its own radios from
    // lastUnit up to units. Must outlive the job.
    UnitCounter *counter = nullptr;
    std::string cable;       // the cable's USB path, for the log; empty when unknown
    std::string namePattern; // each radio's Bluetooth device name ("ORX-{unit:04}"); empty: kept
};

struct SessionJob
{
    JobKind kind = JobKind::Read;
    // The document a read's image is unpacked onto: what the image does not carry comes from it.
    // The window reads onto its working set (the user's own document stays where the radio holds
    // nothing); the command line and the batch read onto a new document (newDocumentBase()).
    // Must outlive the job.
    const DocumentSet *readBase = nullptr;
    // Write and Verify: the document to pack (the batch: the template), or the raw image to send
    // when there is no document. Must outlive the job.
    const DocumentSet *document = nullptr;
    std::optional<RadioImage> rawImage;
    // Ask the user before the transfer starts, once the port is open (the window does).
    bool confirm = false;
    // Write: read the radio back and compare it with what was written.
    bool verifyAfterWrite = false;
    // Where the compatible firmware versions come from; none accepts only this software's own.
    // Must outlive the job.
    const VersionRegistry *versions = nullptr;
    int language = English;
    BatchSettings batch;
};

// The outcome of one radio of a batch.
struct UnitRecord
{
    std::string time; // "YYYY-MM-DD HH:MM:SS", local time; the driver stamps it
    int unit = 0;
    std::string port;
    std::string model;
    std::string firmware;
    std::string result; // "ok", "refused", "failed" or "interrupted"
    int differences = 0;
    std::string backup; // the folder of the read's backup
    std::string message;
    std::string cable; // the cable's USB path, when known
    std::string name;  // the Bluetooth device name given to the radio, when a pattern gives one
};

// With keepOptions the radio keeps its own option features and tone sets, and takes the channels,
// memory channels, group names and channel settings (emergency, dual watch, memory settings) of
// the template; without it the radio becomes the whole template.
DocumentSet mergeTemplate(const DocumentSet &plan, const DocumentSet &radio, bool keepOptions);

// Every text a session says, in both languages: the failures, the refusals and the batch's lines.
// "%1" stands for the value given with it (textWith).
namespace SessionTexts {
inline constexpr TextEntry kNotAccepted{"", "the radio was not accepted", "对讲机未被接受"};
inline constexpr TextEntry kReadNotAccepted{"", "read failed: the radio was not accepted",
                                            "读取失败：对讲机未被接受"};
inline constexpr TextEntry kWriteNotAccepted{"", "write failed: the radio was not accepted",
                                             "写入失败：对讲机未被接受"};
inline constexpr TextEntry kSwitchLeftToProgram{
    "", "starting the program version for firmware %1 is left to the main program",
    "启动固件 %1 对应的软件版本须由主程序完成"};
inline constexpr TextEntry kPortNotOpenedBeforeWrite{
    "", "the port %1 could not be opened; the radio was not changed",
    "无法打开端口 %1；对讲机中的数据未被改动"};
inline constexpr TextEntry kPortNotOpenedBeforeReadBack{
    "",
    "the port %1 could not be opened; the write was not verified: verify the radio or write it "
    "again",
    "无法打开端口 %1；写入未经校验：请校验对讲机或重新写入"};
inline constexpr TextEntry kWrongModel{"", "the radio is a %1, not an %2",
                                       "该对讲机是 %1，不是 %2"};
inline constexpr TextEntry kFirmwareDoesNotFit{
    "", "firmware %1 does not fit the template's data file version %2",
    "固件 %1 与模板数据文件版本 %2 不符"};
inline constexpr TextEntry kNotWritten{"",
                                       "interrupted before the write: the radio was not changed",
                                       "在写入前中断：对讲机中的数据未被改动"};
inline constexpr TextEntry kWrittenAndVerified{"", "written and verified", "已写入并校验"};
inline constexpr TextEntry kDiffersAfterWrite{
    "", "the radio does not hold what was written (%1 differences): write it again",
    "对讲机中的数据与写入的不同（%1 处）：请重新写入"};
inline constexpr TextEntry kWaiting{"", "Waiting for a radio on %1...",
                                    "正在等待端口 %1 上的对讲机..."};
inline constexpr TextEntry kUnitFound{"", "Unit %1: %2, firmware %3", "第 %1 台：%2，固件 %3"};
inline constexpr TextEntry kNextRadio{"", "Disconnect the radio and connect the next one",
                                      "请断开这台对讲机并连接下一台"};
// After a failure when each radio is replugged: the Enter goes on to waiting for the next one.
inline constexpr TextEntry kPressEnter{"", "Press Enter to go on with the next radio",
                                       "按回车键继续下一台对讲机"};
// When the user tells the batch that the next radio is there (also after a failure: one Enter).
inline constexpr TextEntry kPressEnterWhenConnected{
    "", "Press Enter when the next radio is connected", "连接下一台对讲机后请按回车键"};
inline constexpr TextEntry kFinishingFirst{
    "", "Interrupted: the radio in progress is finished first", "已中断：正在处理的对讲机将先完成"};
} // namespace SessionTexts
