#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one conversion between the UTF-8 texts of the tables and Qt's strings, for the windows and
// the platform adapters.
inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string stdText(const QString &text)
{
    return text.toUtf8().toStdString();
}
