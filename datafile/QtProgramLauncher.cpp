#include "datafile/QtProgramLauncher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

std::string QtProgramLauncher::programBaseName() const
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}

std::string QtProgramLauncher::executableSuffix() const
{
#ifdef Q_OS_WIN
    return ".exe";
#else
    return {};
#endif
}

bool QtProgramLauncher::startDetached(const std::string &path)
{
    return QProcess::startDetached(QString::fromStdString(path), {});
}

void QtProgramLauncher::endProcess()
{
    // Leaves every event loop at once; the main window is destroyed without a close event.
    QCoreApplication::exit(0);
}
