#include "model/QtRecordTextCodec.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char *converterName(int codePage)
{
    switch (codePage) {
    case 874:
        return "windows-874";
    case 932:
        return "windows-932";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

constexpr const char *kWindowsPages[]{"windows-1250", "windows-1251", "windows-1252",
                                      "windows-1253", "windows-1254", "windows-1255",
                                      "windows-1256", "windows-1257", "windows-1258"};

const char *nameFor(int codePage)
{
    if (codePage >= 1250 && codePage <= 1258)
        return kWindowsPages[codePage - 1250];
    return converterName(codePage);
}

[[maybe_unused]] QByteArray bytesOf(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

int systemCodePage()
{
    bool isNumber = false;
    const int named = qEnvironmentVariableIntValue("ORX740_CODEPAGE", &isNumber);
    if (isNumber && QtRecordTextCodec(named).isValid())
        return named;
#ifdef Q_OS_WIN
    return static_cast<int>(GetACP());
#else
    return ansiCodePageForLocale(QLocale::system().name().toStdString());
#endif
}

std::unique_ptr<QtRecordTextCodec> &systemCodec()
{
    static std::unique_ptr<QtRecordTextCodec> codec = [] {
        auto made = std::make_unique<QtRecordTextCodec>(systemCodePage());
        if (!made->isValid())
            made = std::make_unique<QtRecordTextCodec>(1252);
        // The plain code that lists and compares documents decodes through it too.
        setRecordTextCodec(*made);
        return made;
    }();
    return codec;
}

} // namespace

QtRecordTextCodec::QtRecordTextCodec(int codePage)
    : m_codePage(codePage)
    , m_name(nameFor(codePage))
{}

// On Windows these three come from Win32RecordTextCodec.cpp.
#ifndef Q_OS_WIN
bool QtRecordTextCodec::isValid() const
{
    return m_name && QStringDecoder(m_name).isValid();
}

std::string QtRecordTextCodec::decode(std::string_view bytes) const
{
    if (!m_name)
        return QString::fromLatin1(bytesOf(bytes)).toStdString();
    QStringDecoder whole(m_name, QStringConverter::Flag::Stateless);
    const QString text = whole.decode(bytesOf(bytes));
    if (!whole.hasError())
        return text.toStdString();
    // Somewhere a sequence is broken: decode character by character and show each broken byte
    // as U+FFFD, so that nothing is dropped unseen.
    QString shown;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t taken = 0;
        for (std::size_t length = 1; length <= 4 && at + length <= bytes.size(); ++length) {
            QStringDecoder one(m_name, QStringConverter::Flag::Stateless);
            const QString character = one.decode(bytesOf(bytes.substr(at, length)));
            if (!one.hasError() && !character.isEmpty()) {
                shown += character;
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
    if (!m_name)
        return std::nullopt;
    const QString text = QString::fromUtf8(bytesOf(utf8));
    QStringEncoder encoder(m_name, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    // A converter may put a substitute for what it lacks: only what reads back as typed counts.
    if (encoder.hasError() || text.contains(QChar::ReplacementCharacter) ||
        QStringDecoder(m_name, QStringConverter::Flag::Stateless).decode(bytes) != text)
        return std::nullopt;
    return bytes.toStdString();
}
#endif

const RecordTextCodec &systemRecordTextCodec()
{
    return *systemCodec();
}

bool setSystemRecordTextCodePage(int codePage)
{
    auto codec = std::make_unique<QtRecordTextCodec>(codePage);
    if (!codec->isValid())
        return false;
    std::unique_ptr<QtRecordTextCodec> &slot = systemCodec();
    setRecordTextCodec(*codec);
    slot = std::move(codec);
    return true;
}

QString shownRecordText(std::string_view stored)
{
    return QString::fromStdString(recordTextToUtf8(systemRecordTextCodec(), stored));
}

EncodedRecordText typedRecordText(const QString &text, std::size_t size)
{
    return encodeRecordText(systemRecordTextCodec(), text.toStdString(), size);
}
