#include "link/SerialTraceFile.h"

#include <QSaveFile>

#include "link/SerialTrace.h"

bool saveSerialTrace(const QString &path, QString *error)
{
    const std::string text = serialTrace().text();
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Text) &&
                       file.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
                       file.commit();
    if (!saved && error)
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return saved;
}
