#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "app/PlatformServices.h"
#include "kernel/IniFile.h"

namespace {

const QByteArray kShipped = "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nHandshaking=0\r\n"
                            "StopBit=0\r\n";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void editKeepsEveryOtherByte();
    void missingFileIsCreatedWithItsFolder();
    void readsWhatAnotherProgramWroteSince();
    void unreadableFileIsNotOverwritten();
    void writableInstallationKeepsTheShippedFile();
    void readOnlyInstallationUsesAPerUserCopy();
    void placementRoundTripAndDefaults();
    void numbersUseADotWhateverTheLocale();

private:
    QTemporaryDir m_home;
    QTemporaryDir m_dir;
};

void TestIniFile::initTestCase()
{
    // A home of its own keeps this test apart from the user and from tests running alongside.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestIniFile::editKeepsEveryOtherByte()
{
    const QString path = m_dir.filePath(QStringLiteral("edit/mysetup.ini"));
    const QByteArray original = "; shipped\r\n[Language]\r\nISFIRSTRUN=1\r\ncomPort=1\r\n\r\n"
                                "[ports]\r\nCOM1=/dev/ttyS0\r\n";
    writeFile(path, original);
    IniFile ini(path);
    QVERIFY(ini.writeString("language", "IsFirstRun", "0"));
    QVERIFY(ini.writeString("language", "CurrentLanguage", "2"));
    QCOMPARE(contents(path), QByteArray("; shipped\r\n[Language]\r\nISFIRSTRUN=0\r\ncomPort=1\r\n"
                                        "CurrentLanguage=2\r\n\r\n[ports]\r\nCOM1=/dev/ttyS0\r\n"));
    QCOMPARE(ini.readString("LANGUAGE", "currentlanguage"), std::string("2"));
}

void TestIniFile::missingFileIsCreatedWithItsFolder()
{
    const QString path = m_dir.filePath(QStringLiteral("new/language/mysetup.ini"));
    IniFile ini(path);
    QVERIFY(!ini.exists());
    QCOMPARE(ini.readString("language", "comPort"), std::string());
    QVERIFY(ini.writeString("language", "comPort", "1"));
    QCOMPARE(contents(path), QByteArray("[language]\r\ncomPort=1\r\n"));
}

void TestIniFile::readsWhatAnotherProgramWroteSince()
{
    const QString path = m_dir.filePath(QStringLiteral("shared/mysetup.ini"));
    writeFile(path, kShipped);
    IniFile ini(path);
    QCOMPARE(ini.readString("language", "comPort"), std::string("1"));
    writeFile(path, "[language]\r\ncomPort=7\r\n");
    QCOMPARE(ini.readString("language", "comPort"), std::string("7"));
}

void TestIniFile::unreadableFileIsNotOverwritten()
{
    // A folder where the file should be cannot be read as a file.
    const QString path = m_dir.filePath(QStringLiteral("odd/mysetup.ini"));
    QVERIFY(QDir().mkpath(path));
    IniFile ini(path);
    QVERIFY(!ini.writeString("language", "comPort", "2"));
    QVERIFY(QFileInfo(path).isDir());
}

void TestIniFile::writableInstallationKeepsTheShippedFile()
{
    const QString shipped = m_dir.filePath(QStringLiteral("writable/language/mysetup.ini"));
    writeFile(shipped, kShipped);
    QCOMPARE(resolveSetupIniPath(shipped), shipped);
}

void TestIniFile::readOnlyInstallationUsesAPerUserCopy()
{
    const QString folder = m_dir.filePath(QStringLiteral("system/language"));
    const QString shipped = folder + QStringLiteral("/mysetup.ini");
    writeFile(shipped, kShipped);
    QFile::setPermissions(shipped, QFileDevice::ReadOwner);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    // File permissions do not bind the superuser; the copy itself is checked either way.
    const QString resolved =
        geteuid() == 0 ? perUserSetupIniPath(shipped) : resolveSetupIniPath(shipped);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QCOMPARE(resolved, QDir(userFolder).filePath(QStringLiteral("mysetup.ini")));
    QCOMPARE(contents(resolved), kShipped);
    IniFile ini(resolved);
    QVERIFY(ini.writeString("language", "IsFirstRun", "0"));
    QCOMPARE(contents(shipped), kShipped);
    // The copy is made once; later starts keep what the user changed.
    QCOMPARE(perUserSetupIniPath(shipped), resolved);
    QCOMPARE(ini.readString("language", "IsFirstRun"), std::string("0"));

    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::remove(resolved);
}

void TestIniFile::placementRoundTripAndDefaults()
{
    QCOMPARE(SettingsStore::readPlacement(), WindowPlacement());
    const WindowPlacement placement{300, 450, 12000, 9000};
    SettingsStore::writePlacement(placement);
    QCOMPARE(SettingsStore::readPlacement(), placement);

    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ORX-740"),
                       QStringLiteral("ORX-740"));
    settings.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("high"));
    settings.sync();
    QCOMPARE(SettingsStore::readPlacement(), (WindowPlacement{300, 100, 12000, 9000}));
}

void TestIniFile::numbersUseADotWhateverTheLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(QLocale().toString(28.5), QStringLiteral("28,5"));
    useDotDecimalPoint();
    QCOMPARE(QLocale().toString(28.5), QStringLiteral("28.5"));
    QCOMPARE(QLocale().toDouble(QStringLiteral("29.699")), 29.699);
    QLocale::setDefault(before);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
