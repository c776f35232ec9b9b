#include "link/Win32SerialDevice.h"

#include <utility>

namespace {

constexpr DWORD kReadChunk = 4096;
// A pending read ends this long after the last byte that came: a reply's bytes come together,
// and a reply cut short by a pause reaches the port service in pieces, which it joins.
constexpr DWORD kReadGapMs = 2;
// A write at 38400 baud with no flow control ends in milliseconds; this bounds a stuck driver.
constexpr DWORD kWriteLimitMs = 2000;

// "COM3" and "\\.\COM3" both name the device; COM10 and above open only in the second form.
std::wstring win32DeviceName(const QString &devicePath)
{
    const QString prefix = QStringLiteral("\\\\.\\");
    return (devicePath.startsWith(prefix) ? devicePath : prefix + devicePath).toStdWString();
}

} // namespace

std::unique_ptr<SerialDevice> makeSerialDevice(QObject *parent)
{
    return std::make_unique<Win32SerialDevice>(parent);
}

Win32SerialDevice::Win32SerialDevice(QObject *parent)
    : SerialDevice(parent)
{
    m_readOverlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_writeOverlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_readNotifier.setHandle(m_readOverlapped.hEvent);
    m_readNotifier.setEnabled(false);
    connect(&m_readNotifier, &QWinEventNotifier::activated, this, [this] { onReadSignalled(); });
}

Win32SerialDevice::~Win32SerialDevice()
{
    close();
    CloseHandle(m_readOverlapped.hEvent);
    CloseHandle(m_writeOverlapped.hEvent);
}

bool Win32SerialDevice::open(const QString &devicePath)
{
    close();
    const std::wstring name = win32DeviceName(devicePath);
    m_port = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OVERLAPPED, nullptr);
    m_heldElsewhere = false;
    if (m_port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A COM port has one opener at a time; the next is refused with "access denied".
        m_heldElsewhere = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        m_errorString = systemMessage(error);
        return false;
    }
    if (!configure()) {
        m_errorString = systemMessage(GetLastError());
        CloseHandle(std::exchange(m_port, INVALID_HANDLE_VALUE));
        return false;
    }
    PurgeComm(m_port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    m_received.clear();
    m_readNotifier.setEnabled(true);
    if (const DWORD error = startRead(); error != ERROR_SUCCESS) {
        close();
        m_errorString = systemMessage(error);
        return false;
    }
    m_errorString.clear();
    return true;
}

bool Win32SerialDevice::configure()
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(m_port, &dcb))
        return false;
    dcb.BaudRate = CBR_38400;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    // DTR and RTS up, as a Linux tty raises them on open: some cables take their power from them.
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(m_port, &dcb))
        return false;
    // A read waits for its first byte as long as it takes, then ends at the first pause. (The
    // documented "return at once with what has come" setting, MAXDWORD/MAXDWORD/n, is not kept by
    // every driver: Wine's waits the whole n.)
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kReadGapMs;
    timeouts.WriteTotalTimeoutConstant = kWriteLimitMs;
    return SetCommTimeouts(m_port, &timeouts) != 0;
}

DWORD Win32SerialDevice::startRead()
{
    m_readBuffer.resize(kReadChunk);
    // Whether the read ends at once or later, its event is set then and the notifier takes it.
    if (ReadFile(m_port, m_readBuffer.data(), kReadChunk, nullptr, &m_readOverlapped) ||
        GetLastError() == ERROR_IO_PENDING) {
        m_readPending = true;
        return ERROR_SUCCESS;
    }
    return GetLastError();
}

bool Win32SerialDevice::collectRead(bool wait)
{
    if (!m_readPending)
        return true;
    DWORD got = 0;
    if (!GetOverlappedResult(m_port, &m_readOverlapped, &got, wait ? TRUE : FALSE)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return true;
        m_readPending = false;
        if (error == ERROR_OPERATION_ABORTED)
            return true;
        fail(error);
        return false;
    }
    m_readPending = false;
    m_received.append(m_readBuffer.constData(), qsizetype(got));
    return true;
}

void Win32SerialDevice::onReadSignalled()
{
    if (!isOpen())
        return;
    const qsizetype before = m_received.size();
    if (!collectRead(false))
        return;
    if (!m_readPending) {
        if (const DWORD error = startRead(); error != ERROR_SUCCESS) {
            fail(error);
            return;
        }
    }
    if (m_received.size() > before)
        Q_EMIT bytesReceived();
}

QByteArray Win32SerialDevice::readAll()
{
    return std::exchange(m_received, {});
}

void Win32SerialDevice::discardOutput()
{
    if (!isOpen())
        return;
    PurgeComm(m_port, PURGE_TXABORT | PURGE_TXCLEAR);
    finishWrite();
}

void Win32SerialDevice::discardInput()
{
    if (!isOpen())
        return;
    PurgeComm(m_port, PURGE_RXCLEAR);
    // Bytes the pending read took before the purge go as well.
    if (!collectRead(false))
        return;
    m_received.clear();
    if (!m_readPending) {
        if (const DWORD error = startRead(); error != ERROR_SUCCESS)
            fail(error);
    }
}

bool Win32SerialDevice::write(const QByteArray &bytes)
{
    if (!isOpen())
        return false;
    finishWrite();
    m_writeBuffer = bytes;
    if (WriteFile(m_port, m_writeBuffer.constData(), DWORD(m_writeBuffer.size()), nullptr,
                  &m_writeOverlapped) ||
        GetLastError() == ERROR_IO_PENDING) {
        m_writePending = true;
        return true;
    }
    m_errorString = systemMessage(GetLastError());
    return false;
}

void Win32SerialDevice::finishWrite()
{
    if (!m_writePending)
        return;
    DWORD sent = 0;
    GetOverlappedResult(m_port, &m_writeOverlapped, &sent, TRUE);
    m_writePending = false;
}

void Win32SerialDevice::close()
{
    if (!isOpen())
        return;
    m_readNotifier.setEnabled(false);
    CancelIo(m_port);
    DWORD ignored = 0;
    if (m_readPending)
        GetOverlappedResult(m_port, &m_readOverlapped, &ignored, TRUE);
    if (m_writePending)
        GetOverlappedResult(m_port, &m_writeOverlapped, &ignored, TRUE);
    m_readPending = false;
    m_writePending = false;
    CloseHandle(std::exchange(m_port, INVALID_HANDLE_VALUE));
    m_received.clear();
}

void Win32SerialDevice::fail(DWORD error)
{
    m_errorString = systemMessage(error);
    close();
    Q_EMIT failed(m_errorString);
}

QString Win32SerialDevice::systemMessage(DWORD error) const
{
    return qt_error_string(int(error)).trimmed();
}
