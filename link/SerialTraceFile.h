#pragma once

#include <QString>

// Writes serialTrace().text() to the file (replacing it); false with the reason in *error when
// it cannot be written.
bool saveSerialTrace(const QString &path, QString *error);

class FileDialogs;
class MessageService;

// Save Trace... of a failed transfer's box: asks where, writes, and says "file error." and why
// when it cannot. Texts in the language given.
void saveSerialTraceAs(FileDialogs &dialogs, MessageService &messages, int language);
