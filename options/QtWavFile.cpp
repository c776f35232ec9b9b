#include "options/QtWavFile.h"

#include <QSaveFile>

#include "options/ToneGenerator.h"

bool saveToneSetWav(const QString &path, const ToneSet &set)
{
    const std::vector<std::uint8_t> bytes = wavFileBytes(renderToneSet(set));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char *>(bytes.data()), size) == size && file.commit();
}
