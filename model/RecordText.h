#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The fixed-length texts of the records (group names, the Bluetooth device name, the identity
// texts) are bytes in the system's single-byte/ANSI code page: GBK on a Chinese system, 1252 on a
// Western European one. A codec turns them into text and back; the rest of the program sees
// UTF-8 only.
class RecordTextCodec
{
public:
    virtual ~RecordTextCodec() = default;
    // The Windows code page number (936, 1252, ...).
    virtual int codePage() const = 0;
    // The bytes as UTF-8; a byte sequence the code page does not define (a character cut in two,
    // a byte without a character) shows as U+FFFD, so the result is always valid UTF-8.
    virtual std::string decode(std::string_view bytes) const = 0;
    // The text (UTF-8) in the code page; nothing when a character has no code there.
    virtual std::optional<std::string> encode(std::string_view utf8) const = 0;
};

// The codec of this run's record texts: the program and the companion set the system's at start
// (QtRecordTextCodec.h); until then bytes above 127 read as Latin-1.
const RecordTextCodec &recordTextCodec();
void setRecordTextCodec(const RecordTextCodec &codec);

// What a record's text field shows: trailing spaces removed, cut at the first NUL, decoded.
std::string recordTextToUtf8(const RecordTextCodec &codec, std::string_view stored);
// The same, through this run's codec.
std::string recordTextToUtf8(std::string_view stored);
// Every stored byte made visible for a listing that must tell texts apart that show alike: the
// padding kept, a NUL as \0, other control bytes as \xNN, a quote or backslash escaped, the rest
// decoded ("A\0" against "A "; GBK bytes of "中" as 中).
std::string visibleRecordBytes(std::string_view stored);

enum class RecordTextStatus
{
    Ok,
    Cut,           // longer than the field: whole characters were kept as far as they fit
    NotInCodePage, // a character the code page cannot hold; nothing was made
};

struct EncodedRecordText
{
    RecordTextStatus status = RecordTextStatus::Ok;
    std::string bytes; // exactly the field's size, padded with spaces; empty when refused
};

// The bytes a field of `size` bytes stores for a text: cut only between characters, padded with
// spaces on the right.
EncodedRecordText encodeRecordText(const RecordTextCodec &codec, std::string_view utf8,
                                   std::size_t size);

// The ANSI code page Windows uses for a locale given as "language[_TERRITORY][.charset]" or
// "language-Script-TERRITORY" ("zh_CN" 936, "zh_TW" 950, "ru_RU" 1251, "de_DE" 1252); 1252 for
// any other or an empty name ("C", "POSIX").
int ansiCodePageForLocale(std::string_view locale);
