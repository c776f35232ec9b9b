#include "link/SystemSerialPorts.h"

#include <QString>

#include <qt_windows.h>
#include <setupapi.h>

#include <array>

namespace {

// The device setup class of serial and parallel ports, {4D36E978-E325-11CE-BFC1-08002BE10318}.
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

std::string utf8(const wchar_t *text, std::size_t maxChars)
{
    std::size_t length = 0;
    while (length < maxChars && text[length] != L'\0')
        ++length;
    return QString::fromWCharArray(text, qsizetype(length)).toStdString();
}

// The data of every value of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, in enumeration order; names and
// data are read into 256-character buffers.
std::vector<std::string> serialCommValues()
{
    std::vector<std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        std::array<wchar_t, 256> name{};
        std::array<wchar_t, 256> data{};
        DWORD nameLength = DWORD(name.size());
        DWORD dataBytes = DWORD(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE *>(data.data()), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result == ERROR_SUCCESS && type == REG_SZ)
            values.push_back(utf8(data.data(), dataBytes / sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return values;
}

std::string deviceProperty(HDEVINFO set, SP_DEVINFO_DATA &device, DWORD property)
{
    std::array<wchar_t, 512> text{};
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                           reinterpret_cast<BYTE *>(text.data()),
                                           DWORD(text.size() * sizeof(wchar_t) - 2), nullptr))
        return {};
    // A multi-string property (the hardware ids) gives its first string.
    return utf8(text.data(), text.size());
}

std::string portNameOf(HDEVINFO set, SP_DEVINFO_DATA &device)
{
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    std::array<wchar_t, 256> name{};
    DWORD bytes = DWORD(name.size() * sizeof(wchar_t) - 2);
    DWORD type = 0;
    const bool read =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(name.data()),
                         &bytes) == ERROR_SUCCESS &&
        type == REG_SZ;
    RegCloseKey(key);
    return read ? utf8(name.data(), name.size()) : std::string();
}

// What the device records of the ports class tell: friendly name, maker, USB ids, serial number.
std::vector<SerialPortInfo> portDevices()
{
    std::vector<SerialPortInfo> devices;
    HDEVINFO set = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
        SerialPortInfo info;
        info.port.name = portNameOf(set, device);
        if (info.port.name.empty())
            continue;
        info.description = deviceProperty(set, device, SPDRP_FRIENDLYNAME);
        if (info.description.empty())
            info.description = deviceProperty(set, device, SPDRP_DEVICEDESC);
        info.manufacturer = deviceProperty(set, device, SPDRP_MFG);
        if (const auto ids = usbIdsFromHardwareId(deviceProperty(set, device, SPDRP_HARDWAREID))) {
            info.vendorId = ids->vendorId;
            info.productId = ids->productId;
        }
        std::array<wchar_t, 512> instance{};
        if (SetupDiGetDeviceInstanceIdW(set, &device, instance.data(), DWORD(instance.size()),
                                        nullptr))
            info.serialNumber = serialNumberFromInstanceId(utf8(instance.data(), instance.size()));
        devices.push_back(std::move(info));
    }
    SetupDiDestroyDeviceInfoList(set);
    return devices;
}

} // namespace

std::vector<SerialPortInfo> systemSerialPorts()
{
    return portsFromSerialComm(serialCommValues(), portDevices());
}
