#include "datafile/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace {

// "Data File (*.dat)|*.dat" -> "Data File (*.dat)": Qt reads the pattern from the label.
QString qtFilter(std::string_view filter)
{
    const std::string_view label = filter.substr(0, filter.find('|'));
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

std::optional<std::string> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

} // namespace

std::optional<std::string> QtFileDialogs::openFileName(std::string_view filter,
                                                       std::string_view startFolder)
{
    return chosen(QFileDialog::getOpenFileName(
        QApplication::activeWindow(), {},
        QString::fromUtf8(startFolder.data(), static_cast<qsizetype>(startFolder.size())),
        qtFilter(filter)));
}

std::optional<std::string> QtFileDialogs::saveFileName(std::string_view filter,
                                                       std::string_view presetPath)
{
    return chosen(QFileDialog::getSaveFileName(
        QApplication::activeWindow(), {},
        QString::fromUtf8(presetPath.data(), static_cast<qsizetype>(presetPath.size())),
        qtFilter(filter)));
}
