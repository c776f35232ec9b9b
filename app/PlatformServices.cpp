#include "app/PlatformServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QSysInfo>

#include "lang/LanguageState.h"

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ORX-740"),
                     QStringLiteral("ORX-740"));
}

int readInt(const QSettings &settings, const QString &key, int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

int systemLocaleId()
{
    const QLocale locale = QLocale::system();
    const bool chinaChinese =
        locale.language() == QLocale::Chinese && locale.territory() == QLocale::China;
    return chinaChinese ? kChineseLocaleId : 0;
}

std::string operatingSystemVersion()
{
    return QSysInfo::prettyProductName().toStdString();
}

void useDotDecimalPoint()
{
    QLocale::setDefault(QLocale::c());
}

InstallLayout installLayoutForProgram()
{
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return InstallLayout::forInstalledProgram(
        folder.toStdString(), QDir::separator().toLatin1(),
        [](const std::string &path) { return QFileInfo(QString::fromStdString(path)).isDir(); });
}

WindowPlacement SettingsStore::readPlacement()
{
    QSettings settings = userSettings();
    settings.beginGroup(QStringLiteral("Settings"));
    const WindowPlacement defaults;
    return {readInt(settings, QStringLiteral("MainLeft"), defaults.left),
            readInt(settings, QStringLiteral("MainTop"), defaults.top),
            readInt(settings, QStringLiteral("MainWidth"), defaults.width),
            readInt(settings, QStringLiteral("MainHeight"), defaults.height)};
}

void SettingsStore::writePlacement(const WindowPlacement &placement)
{
    QSettings settings = userSettings();
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), placement.left);
    settings.setValue(QStringLiteral("MainTop"), placement.top);
    settings.setValue(QStringLiteral("MainWidth"), placement.width);
    settings.setValue(QStringLiteral("MainHeight"), placement.height);
}
