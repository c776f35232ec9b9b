#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lang/Texts.h"
#include "link/PortNames.h"

// What can be found out about a serial port without opening it: which cable chip it is, whether
// this user may open it, and who holds it. "The radio did not respond" mostly comes from one of
// these: the wrong port, a device the user has no access to, another program (ModemManager,
// brltty) holding it, or a counterfeit PL2303 that the driver refuses.
enum class PortAccess
{
    Openable,
    NoPermission,
    Busy,
    Missing,
    NotATerminal
};

// A process holding the device open.
struct PortHolder
{
    int pid = 0;
    std::string name;
};

struct PortFacts
{
    int number = 0;         // the COM number the program gives it (PortNames rules)
    std::string devicePath; // "/dev/ttyUSB0"
    std::string systemName; // "ttyUSB0"
    bool alias = false;     // from the [ports] aliases of mysetup.ini
    bool usb = false;
    std::string usbPath; // the USB socket the cable is in, as sysfs names its device ("1-1.4")
    std::string description, manufacturer, serialNumber;
    std::optional<std::uint16_t> vendorId, productId;
    // "CH340/CH341", "CH9102", "PL2303", "PL2303 G-series", "FTDI", "CP210x"; empty when unknown.
    std::string chip;
    bool counterfeitChip = false; // a PL2303 whose description or driver says it is not genuine
    PortAccess access = PortAccess::Openable;
    std::string group; // the group that owns the device (for NoPermission)
    std::vector<PortHolder> holders;
};

// The chip family of a USB serial adapter by its vendor and product id; empty when unknown.
std::string chipFamily(std::uint16_t vendorId, std::uint16_t productId);
// True when a PL2303's description or driver text says that the chip is not genuine, as the
// vendor's drivers word it ("THIS IS NOT PROLIFIC PL2303", "PHASED OUT SINCE 2012").
bool saysCounterfeit(const std::string &text);

// One line in English or Chinese (the language index of lang/Texts.h): whether the port can be
// opened and, if not, why and how to fix it.
std::string portAccessLine(const PortFacts &facts, int language);
// The line of `orx740-cli ports`: COM name, path, chip, VID:PID, description, access.
std::string portSummaryLine(const PortFacts &facts, int language);
// A JSON array of the ports, the keys always present and in the same order.
std::string portFactsJson(const std::vector<PortFacts> &ports);
// "Cannot Open Communication Port." (in the language), then on a second line ("\r\n") the
// reason of portAccessLine.
std::string portOpenFailureText(const PortFacts &facts, int language);

// The ports of `after` whose device `before` did not have.
std::vector<PortFacts> newPorts(const std::vector<PortFacts> &before,
                                const std::vector<PortFacts> &after);

// Where the system's facts are read: sysfs, /proc, /etc/group and /dev below `path`. Tests point
// it at a fake tree and give the process's identity.
struct SystemRoot
{
    std::string path = "/";
    std::optional<unsigned> uid;               // the process's own when empty
    std::optional<std::vector<unsigned>> gids; // the process's groups when empty
    // In a fake tree the devices are regular files; let them stand for character devices.
    bool filesAreDevices = false;
};

// The serial devices sysfs lists (a tty with a device behind it), as "/dev/<name>".
std::vector<SystemPort> systemTtys(const SystemRoot &root);
PortFacts describePort(const SystemRoot &root, const PortEntry &entry);

// The texts of the port facts: what the port is and what to do about it. "%1" stands for the
// value given with it.
namespace PortFactsTexts {
inline constexpr TextEntry kFixBrltty{
    "", "sudo apt remove brltty (or disable its udev rule, 85-brltty.rules)",
    "sudo apt remove brltty（或停用它的 udev 规则 85-brltty.rules）"};
inline constexpr TextEntry kFixModemManager{
    "",
    "sudo systemctl stop ModemManager (or set ID_MM_DEVICE_IGNORE=1 for the cable in a udev rule)",
    "sudo systemctl stop ModemManager（或在 udev 规则中为该线缆设置 ID_MM_DEVICE_IGNORE=1）"};
inline constexpr TextEntry kFixClose{"", "close %1", "关闭 %1"};
inline constexpr TextEntry kHolder{"", "%1 (pid %2)", "%1（进程 %2）"};
inline constexpr TextEntry kHolderSeparator{"", ", ", "、"};
inline constexpr TextEntry kFixSeparator{"", "; ", "；"};
inline constexpr TextEntry kBusy{"", "is in use by %1. Fix: %2.", "正被 %1 占用。解决：%2。"};
inline constexpr TextEntry kBusyUnknown{"", "is in use by another program.",
                                        "正被另一个程序占用。"};
inline constexpr TextEntry kOpenable{"", "can be opened.", "可以打开。"};
// Joining the group root would hand the user the whole system: a device owned by root wants the
// cable rule (uaccess), which the package installs, or the administrator.
inline constexpr TextEntry kOwnedByRoot{
    "",
    "cannot be opened by this user: the device belongs to root. Fix: install the package's udev "
    "rule /usr/lib/udev/rules.d/60-orx740-cables.rules and plug the cable in again, or ask the "
    "administrator to grant access to it.",
    "当前用户没有打开它的权限，设备属于 root。解决：安装本软件包的 udev 规则 "
    "/usr/lib/udev/rules.d/60-orx740-cables.rules 后重新插拔编程线，或请管理员为该设备授权。"};
inline constexpr TextEntry kOwnedByGroup{
    "",
    "cannot be opened by this user: the device belongs to group %1. Fix: sudo usermod -aG %1 "
    "$USER, then log out and in again.",
    "当前用户没有打开它的权限，设备属于用户组 %1。解决：sudo usermod -aG %1 "
    "$USER，然后注销并重新登录。"};
inline constexpr TextEntry kMissing{"",
                                    "is not there: the cable is unplugged or the device is gone.",
                                    "不存在：线缆已拔出或设备已不存在。"};
inline constexpr TextEntry kNotATerminal{"", "is not a serial port.", "不是串口。"};
inline constexpr TextEntry kCounterfeit{
    "",
    " The cable's chip is a counterfeit PL2303, which the driver may refuse: use a cable with a "
    "genuine chip.",
    " 线缆的芯片是假冒的 PL2303，驱动可能拒绝它；请使用正品芯片的线缆。"};
inline constexpr TextEntry kNoPortChosen{
    "", "No port is chosen: choose one under Setup > Communication Port.",
    "未选择通信端口：请在“设置 > 通信端口”中选择。"};
inline constexpr TextEntry kNoSuchPort{
    "", "There is no serial port %1: the cable is unplugged or the device is gone.",
    "没有串口 %1：线缆已拔出或设备已不存在。"};
inline constexpr TextEntry kAlias{"", "  (alias)", "  (别名)"};
// The facts found nothing in the way, yet the open failed: most often a program whose descriptors
// this user cannot see (ModemManager runs as root) has it.
inline constexpr TextEntry kHeldUnseen{
    "",
    "%1 is there and this user may open it; another program may hold it (ModemManager: sudo "
    "systemctl stop ModemManager).",
    "%1 存在且当前用户有权限，可能被另一个程序占用（ModemManager：sudo systemctl stop "
    "ModemManager）。"};
} // namespace PortFactsTexts
