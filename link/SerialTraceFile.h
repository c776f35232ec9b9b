#pragma once

#include <QString>

// Writes serialTrace().text() to the file (replacing it); false with the reason in *error when
// it cannot be written.
bool saveSerialTrace(const QString &path, QString *error);
