#include "link/PortFacts.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "lang/Messages.h"

namespace fs = std::filesystem;

namespace {

std::string hex4(std::uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", unsigned(value));
    return text;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// "COM101 (/dev/ttyUSB0)", or the path or name alone when the port has no number.
std::string portLabel(const PortFacts &facts)
{
    const std::string &path = facts.devicePath.empty() ? facts.systemName : facts.devicePath;
    if (facts.number < 1)
        return path;
    const std::string com = comName(facts.number);
    return path.empty() || path == com ? com : com + " (" + path + ")";
}

namespace T = PortFactsTexts;

// How to free the port from one holder.
std::string holderFix(const PortHolder &holder, int language)
{
    const std::string name = lower(holder.name);
    if (name == "brltty")
        return std::string(textFor(T::kFixBrltty, language));
    if (name == "modemmanager")
        return std::string(textFor(T::kFixModemManager, language));
    return textWith(T::kFixClose, language, {holder.name});
}

std::string busyPredicate(const PortFacts &facts, int language)
{
    std::string who, fixes;
    for (const PortHolder &holder : facts.holders) {
        if (!who.empty()) {
            who += textFor(T::kHolderSeparator, language);
            fixes += textFor(T::kFixSeparator, language);
        }
        who += textWith(T::kHolder, language, {holder.name, std::to_string(holder.pid)});
        fixes += holderFix(holder, language);
    }
    if (who.empty())
        return std::string(textFor(T::kBusyUnknown, language));
    return textWith(T::kBusy, language, {who, fixes});
}

std::string accessPredicate(const PortFacts &facts, int language)
{
    const std::string group = facts.group.empty() ? "dialout" : facts.group;
    switch (facts.access) {
    case PortAccess::Openable:
        return std::string(textFor(T::kOpenable, language));
    case PortAccess::NoPermission:
        if (group == "root")
            return std::string(textFor(T::kOwnedByRoot, language));
        return textWith(T::kOwnedByGroup, language, {group});
    case PortAccess::Busy:
        return busyPredicate(facts, language);
    case PortAccess::Missing:
        return std::string(textFor(T::kMissing, language));
    case PortAccess::NotATerminal:
        return std::string(textFor(T::kNotATerminal, language));
    }
    return {};
}

std::string counterfeitNote(const PortFacts &facts, int language)
{
    return facts.counterfeitChip ? std::string(textFor(T::kCounterfeit, language)) : std::string();
}

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string jsonId(const std::optional<std::uint16_t> &id)
{
    return id ? jsonString(hex4(*id)) : "null";
}

std::string_view accessKey(PortAccess access)
{
    switch (access) {
    case PortAccess::Openable:
        return "openable";
    case PortAccess::NoPermission:
        return "noPermission";
    case PortAccess::Busy:
        return "busy";
    case PortAccess::Missing:
        return "missing";
    case PortAccess::NotATerminal:
        return "notATerminal";
    }
    return {};
}

std::string portJson(const PortFacts &port)
{
    std::string holders;
    for (const PortHolder &holder : port.holders)
        holders += std::string(holders.empty() ? "" : ", ") +
                   "{\"pid\": " + std::to_string(holder.pid) +
                   ", \"name\": " + jsonString(holder.name) + "}";
    const auto flag = [](bool value) { return value ? "true" : "false"; };
    return "  {\"number\": " + std::to_string(port.number) +
           ", \"comName\": " + jsonString(port.number > 0 ? comName(port.number) : "") +
           ", \"devicePath\": " + jsonString(port.devicePath) +
           ", \"systemName\": " + jsonString(port.systemName) + ", \"alias\": " + flag(port.alias) +
           ", \"usb\": " + flag(port.usb) + ", \"description\": " + jsonString(port.description) +
           ", \"manufacturer\": " + jsonString(port.manufacturer) +
           ", \"serialNumber\": " + jsonString(port.serialNumber) +
           ", \"vendorId\": " + jsonId(port.vendorId) +
           ", \"productId\": " + jsonId(port.productId) + ", \"chip\": " + jsonString(port.chip) +
           ", \"counterfeitChip\": " + flag(port.counterfeitChip) +
           ", \"access\": " + jsonString(std::string(accessKey(port.access))) +
           ", \"group\": " + jsonString(port.group) + ", \"holders\": [" + holders +
           "], \"accessText\": " + jsonString(portAccessLine(port, English)) + "}";
}

std::string firstLine(const fs::path &file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

std::optional<std::uint16_t> hexId(const std::string &text)
{
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return std::nullopt;
    return std::uint16_t(std::stoul(text, nullptr, 16));
}

// A path of the system below the root: "/dev/ttyUSB0" -> "<root>/dev/ttyUSB0".
fs::path below(const SystemRoot &root, const std::string &path)
{
    return fs::path(root.path) / fs::path(path).relative_path();
}

// The USB device above a tty's device in sysfs: the first directory (the device itself, its
// interface or the interface's parent) that holds idVendor.
std::optional<fs::path> usbDeviceOf(const fs::path &device)
{
    std::error_code error;
    fs::path dir = fs::canonical(device, error);
    if (error)
        return std::nullopt;
    for (int level = 0; level < 4 && dir.has_relative_path(); ++level, dir = dir.parent_path()) {
        if (fs::exists(dir / "idVendor", error))
            return dir;
    }
    return std::nullopt;
}

void readSysfs(const SystemRoot &root, PortFacts &facts)
{
    const fs::path device = below(root, "/sys/class/tty") / facts.systemName / "device";
    std::error_code error;
    const std::string driver = fs::read_symlink(device / "driver", error).filename().string();
    const auto usb = usbDeviceOf(device);
    if (!usb)
        return;
    facts.usb = true;
    facts.usbPath = usb->filename().string();
    facts.vendorId = hexId(firstLine(*usb / "idVendor"));
    facts.productId = hexId(firstLine(*usb / "idProduct"));
    facts.manufacturer = firstLine(*usb / "manufacturer");
    facts.description = firstLine(*usb / "product");
    facts.serialNumber = firstLine(*usb / "serial");
    if (facts.vendorId && facts.productId)
        facts.chip = chipFamily(*facts.vendorId, *facts.productId);
    facts.counterfeitChip = facts.chip.starts_with("PL2303") &&
                            (saysCounterfeit(facts.description) || saysCounterfeit(driver));
}

// Access rights, owners and holders are POSIX matters; elsewhere a port is taken as openable.
#ifndef _WIN32
std::string groupName(const SystemRoot &root, unsigned gid)
{
    std::ifstream in(below(root, "/etc/group"));
    std::string line;
    while (std::getline(in, line)) {
        // name:password:gid:members
        const auto first = line.find(':');
        const auto second = first == std::string::npos ? first : line.find(':', first + 1);
        const auto third = second == std::string::npos ? second : line.find(':', second + 1);
        if (third != std::string::npos &&
            line.substr(second + 1, third - second - 1) == std::to_string(gid))
            return line.substr(0, first);
    }
    return std::to_string(gid);
}

bool mayReadAndWrite(const SystemRoot &root, const struct stat &status)
{
    const unsigned uid = root.uid ? *root.uid : unsigned(::geteuid());
    if (uid == 0)
        return true;
    std::vector<unsigned> gids;
    if (root.gids) {
        gids = *root.gids;
    } else {
        std::vector<gid_t> own(std::size_t(std::max(0, ::getgroups(0, nullptr))));
        const int count = ::getgroups(int(own.size()), own.data());
        gids.assign(own.begin(), own.begin() + std::max(0, count));
        gids.push_back(unsigned(::getegid()));
    }
    mode_t bits = S_IROTH | S_IWOTH;
    if (status.st_uid == uid)
        bits = S_IRUSR | S_IWUSR;
    else if (std::find(gids.begin(), gids.end(), unsigned(status.st_gid)) != gids.end())
        bits = S_IRGRP | S_IWGRP;
    return (status.st_mode & bits) == bits;
}

// The processes with a descriptor on the device; those whose descriptors cannot be read (other
// users' processes) are passed over.
std::vector<PortHolder> holdersOf(const SystemRoot &root, const std::string &devicePath)
{
    std::vector<std::string> names{devicePath};
    std::error_code error;
    const fs::path real = fs::weakly_canonical(below(root, devicePath), error);
    if (!error) {
        const fs::path relative = real.lexically_relative(fs::path(root.path));
        if (!relative.empty() && !relative.string().starts_with(".."))
            names.push_back("/" + relative.string());
    }
    const bool ownSystem = fs::path(root.path) == fs::path("/");
    std::vector<PortHolder> holders;
    for (fs::directory_iterator proc(below(root, "/proc"), error), end; !error && proc != end;
         proc.increment(error)) {
        const std::string pid = proc->path().filename().string();
        if (pid.empty() ||
            !std::all_of(pid.begin(), pid.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        if (ownSystem && std::stoi(pid) == ::getpid())
            continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(proc->path() / "fd", fdError), fdEnd;
             !fdError && fd != fdEnd; fd.increment(fdError)) {
            std::error_code linkError;
            const std::string target = fs::read_symlink(fd->path(), linkError).string();
            if (linkError || std::find(names.begin(), names.end(), target) == names.end())
                continue;
            holders.push_back({std::stoi(pid), firstLine(proc->path() / "comm")});
            break;
        }
    }
    std::sort(holders.begin(), holders.end(),
              [](const PortHolder &a, const PortHolder &b) { return a.pid < b.pid; });
    return holders;
}

void readAccess(const SystemRoot &root, PortFacts &facts)
{
    struct stat status
    {};
    if (::stat(below(root, facts.devicePath).c_str(), &status) != 0) {
        facts.access = errno == EACCES ? PortAccess::NoPermission : PortAccess::Missing;
        return;
    }
    const bool device =
        S_ISCHR(status.st_mode) || (root.filesAreDevices && S_ISREG(status.st_mode));
    if (!device) {
        facts.access = PortAccess::NotATerminal;
        return;
    }
    // A pseudo-terminal is always held by the program at its other end (a simulator, a
    // Bluetooth bridge); that is what it is for, not a program in the way.
    if (!facts.devicePath.starts_with("/dev/pts/"))
        facts.holders = holdersOf(root, facts.devicePath);
    if (!mayReadAndWrite(root, status)) {
        facts.access = PortAccess::NoPermission;
        facts.group = groupName(root, unsigned(status.st_gid));
    } else if (!facts.holders.empty()) {
        facts.access = PortAccess::Busy;
    }
}

#else
void readAccess(const SystemRoot &, PortFacts &) {}
#endif

} // namespace

std::string chipFamily(std::uint16_t vendorId, std::uint16_t productId)
{
    switch (vendorId) {
    case 0x1a86:
        return productId == 0x55d4 ? "CH9102" : "CH340/CH341";
    case 0x067b:
        if (productId == 0x2303)
            return "PL2303";
        return productId >= 0x23a3 && productId <= 0x23f3 ? "PL2303 G-series" : "";
    case 0x0403:
        return productId == 0x6001 || productId == 0x6010 || productId == 0x6014 ? "FTDI" : "";
    case 0x10c4:
        return productId == 0xea60 ? "CP210x" : "";
    default:
        return {};
    }
}

bool saysCounterfeit(const std::string &text)
{
    const std::string low = lower(text);
    for (const char *sign :
         {"not prolific", "phased out", "counterfeit", "not genuine", "contact your supplier"}) {
        if (low.find(sign) != std::string::npos)
            return true;
    }
    return false;
}

std::string portAccessLine(const PortFacts &facts, int language)
{
    std::string line;
    if (facts.access == PortAccess::Missing && facts.devicePath.empty()) {
        if (facts.number < 1 && facts.systemName.empty())
            line = textFor(T::kNoPortChosen, language);
        else
            line = textWith(T::kNoSuchPort, language, {portLabel(facts)});
    } else {
        line = portLabel(facts) + " " + accessPredicate(facts, language);
    }
    return line + counterfeitNote(facts, language);
}

std::string portSummaryLine(const PortFacts &facts, int language)
{
    std::string line = facts.number > 0 ? comName(facts.number) : "-";
    line += "  " + facts.devicePath;
    if (!facts.chip.empty())
        line += "  " + facts.chip;
    if (facts.vendorId && facts.productId)
        line += "  " + hex4(*facts.vendorId) + ":" + hex4(*facts.productId);
    if (!facts.description.empty())
        line += "  \"" + facts.description + "\"";
    if (facts.alias)
        line += textFor(T::kAlias, language);
    return line + "  " + accessPredicate(facts, language) + counterfeitNote(facts, language);
}

std::string portFactsJson(const std::vector<PortFacts> &ports)
{
    std::string json = "[";
    for (std::size_t i = 0; i < ports.size(); ++i)
        json += (i == 0 ? "\n" : ",\n") + portJson(ports[i]);
    return json + (ports.empty() ? "]\n" : "\n]\n");
}

std::string portOpenFailureText(const PortFacts &facts, int language)
{
    std::string reason = portAccessLine(facts, language);
    if (facts.access == PortAccess::Openable)
        reason = textWith(T::kHeldUnseen, language, {portLabel(facts)}) +
                 counterfeitNote(facts, language);
    return std::string(textFor(Messages::kPortError, language)) + "\r\n" + reason;
}

std::vector<PortFacts> newPorts(const std::vector<PortFacts> &before,
                                const std::vector<PortFacts> &after)
{
    std::vector<PortFacts> added;
    for (const PortFacts &port : after) {
        const bool known = std::any_of(before.begin(), before.end(), [&](const PortFacts &old) {
            return old.devicePath == port.devicePath && old.access != PortAccess::Missing;
        });
        if (!known && port.access != PortAccess::Missing)
            added.push_back(port);
    }
    return added;
}

std::vector<SystemPort> systemTtys(const SystemRoot &root)
{
    std::vector<SystemPort> ports;
    std::error_code error;
    for (fs::directory_iterator tty(below(root, "/sys/class/tty"), error), end;
         !error && tty != end; tty.increment(error)) {
        std::error_code deviceError;
        if (!fs::exists(tty->path() / "device", deviceError))
            continue;
        const std::string name = tty->path().filename().string();
        ports.push_back({name, "/dev/" + name});
    }
    std::sort(ports.begin(), ports.end(),
              [](const SystemPort &a, const SystemPort &b) { return a.name < b.name; });
    return ports;
}

PortFacts describePort(const SystemRoot &root, const PortEntry &entry)
{
    PortFacts facts;
    facts.number = entry.number;
    facts.devicePath = entry.devicePath;
    facts.alias = entry.alias;
    // An alias may name a link (/dev/serial/by-id/...); sysfs knows the device it points at.
    std::error_code error;
    const fs::path real = fs::weakly_canonical(below(root, entry.devicePath), error);
    facts.systemName = (error ? fs::path(entry.devicePath) : real).filename().string();
    readSysfs(root, facts);
    readAccess(root, facts);
    return facts;
}
