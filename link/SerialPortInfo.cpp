#include "link/SerialPortInfo.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>

namespace {

std::string upper(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return result;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The four hex digits after KEY ("VID_") where KEY starts the id or follows a separator.
std::optional<std::uint16_t> hexField(const std::string &id, std::string_view key)
{
    for (std::size_t at = id.find(key); at != std::string::npos; at = id.find(key, at + 1)) {
        if (at != 0 && id[at - 1] != '\\' && id[at - 1] != '&' && id[at - 1] != '+')
            continue;
        const std::size_t digits = at + key.size();
        if (digits + 4 > id.size())
            return std::nullopt;
        std::uint16_t value = 0;
        const char *begin = id.data() + digits;
        const auto [end, error] = std::from_chars(begin, begin + 4, value, 16);
        if (error != std::errc{} || end != begin + 4)
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<UsbIds> usbIdsFromHardwareId(std::string_view hardwareId)
{
    const std::string id = upper(hardwareId);
    const auto vendor = hexField(id, "VID_");
    const auto product = hexField(id, "PID_");
    if (!vendor || !product)
        return std::nullopt;
    return UsbIds{*vendor, *product};
}

std::string serialNumberFromInstanceId(std::string_view instanceId)
{
    if (upper(instanceId.substr(0, 4)) != "USB\\")
        return {};
    const auto last = instanceId.rfind('\\');
    const std::string_view serial = instanceId.substr(last + 1);
    if (last <= 3 || serial.empty() || serial.find('&') != std::string_view::npos)
        return {};
    return std::string(serial);
}

std::string descriptionWithoutPortName(std::string_view friendlyName, std::string_view portName)
{
    const std::string suffix = " (" + std::string(portName) + ")";
    std::string_view name = trimmed(friendlyName);
    if (name.size() > suffix.size() &&
        upper(name.substr(name.size() - suffix.size())) == upper(suffix))
        name.remove_suffix(suffix.size());
    return std::string(trimmed(name));
}

std::vector<SerialPortInfo> portsFromSerialComm(const std::vector<std::string> &serialCommValues,
                                                const std::vector<SerialPortInfo> &devices)
{
    std::vector<SerialPortInfo> ports;
    std::set<int> seen;
    for (const std::string &value : serialCommValues) {
        const std::string name = upper(trimmed(value));
        const auto number = parseComName(name);
        if (!number || *number > kLastPortNumber || !seen.insert(*number).second)
            continue;
        SerialPortInfo info;
        const auto device = std::find_if(devices.begin(), devices.end(), [&](const auto &d) {
            return upper(trimmed(d.port.name)) == name;
        });
        if (device != devices.end())
            info = *device;
        info.port = {name, name};
        info.description = descriptionWithoutPortName(info.description, name);
        ports.push_back(std::move(info));
    }
    return ports;
}
