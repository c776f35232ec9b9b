#include "model/QtRecordTextCodec.h"

#include <qt_windows.h>

// On Windows the record texts go through the system's own converters: Qt for Windows is built
// without ICU, so its converters know no code pages beyond UTF-8 and Latin-1.

namespace {

// The text of `bytes` in the code page; nothing when a sequence in them is broken.
std::optional<QString> decodeWhole(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return QString();
    const int size = int(bytes.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return QString::fromStdWString(wide);
}

} // namespace

bool QtRecordTextCodec::isValid() const
{
    return m_codePage > 0 && IsValidCodePage(UINT(m_codePage));
}

std::string QtRecordTextCodec::decode(std::string_view bytes) const
{
    const UINT page = UINT(m_codePage);
    if (!isValid())
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())).toStdString();
    if (const auto text = decodeWhole(page, bytes))
        return text->toStdString();
    // Somewhere a sequence is broken: decode character by character and show each broken byte
    // as U+FFFD, so that nothing is dropped unseen.
    QString shown;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t taken = 0;
        for (std::size_t length = 1; length <= 4 && at + length <= bytes.size(); ++length) {
            if (const auto character = decodeWhole(page, bytes.substr(at, length))) {
                shown += *character;
                taken = length;
                break;
            }
        }
        if (!taken) {
            shown += QChar::ReplacementCharacter;
            taken = 1;
        }
        at += taken;
    }
    return shown.toStdString();
}

std::optional<std::string> QtRecordTextCodec::encode(std::string_view utf8) const
{
    if (!isValid())
        return std::nullopt;
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (text.isEmpty())
        return std::string();
    if (text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    const std::wstring wide = text.toStdWString();
    const UINT page = UINT(m_codePage);
    const int length =
        WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), bytes.data(), length, nullptr,
                        nullptr);
    // A converter may put a substitute for what it lacks: only what reads back as typed counts.
    const auto back = decodeWhole(page, bytes);
    if (!back || *back != text)
        return std::nullopt;
    return bytes;
}
