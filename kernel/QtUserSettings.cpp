#include "kernel/QtUserSettings.h"

#include <QSettings>

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ORX-740"),
                     QStringLiteral("ORX-740"));
}

QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString settingKey(std::string_view section, std::string_view key)
{
    return qString(section) + QLatin1Char('/') + qString(key);
}

} // namespace

std::string QtUserSettings::readString(std::string_view section, std::string_view key)
{
    return userSettings().value(settingKey(section, key)).toString().trimmed().toStdString();
}

bool QtUserSettings::writeString(std::string_view section, std::string_view key,
                                 std::string_view value)
{
    QSettings settings = userSettings();
    settings.setValue(settingKey(section, key), qString(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::vector<std::string> QtUserSettings::keys(std::string_view section)
{
    QSettings settings = userSettings();
    settings.beginGroup(qString(section));
    std::vector<std::string> keys;
    for (const QString &key : settings.childKeys())
        keys.push_back(key.toStdString());
    return keys;
}
