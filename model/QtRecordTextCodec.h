#pragma once

#include <QString>

#include "model/RecordText.h"

// A record text codec for one Windows code page: on Qt's converters (ICU), on Windows the
// system's own.
class QtRecordTextCodec : public RecordTextCodec
{
public:
    explicit QtRecordTextCodec(int codePage);

    // False when this system has no converter for the code page.
    bool isValid() const;
    int codePage() const override { return m_codePage; }
    std::string decode(std::string_view bytes) const override;
    std::optional<std::string> encode(std::string_view utf8) const override;

private:
    int m_codePage;
    const char *m_name;
};

// The code page of this system's record texts: the environment variable ORX740_CODEPAGE when it
// names one (for a pair made on a system of another language), else the ANSI code page Windows
// uses for the system's locale.
const RecordTextCodec &systemRecordTextCodec();
// Makes another code page the system's for the rest of the run (tests, a user's choice); false,
// with nothing changed, when there is no converter for it.
bool setSystemRecordTextCodePage(int codePage);

// A stored record text as the windows show it, through the system's code page.
QString shownRecordText(std::string_view stored);
// The bytes a field of `size` bytes stores for a text typed in a window, through the system's code
// page (see encodeRecordText).
EncodedRecordText typedRecordText(const QString &text, std::size_t size);
