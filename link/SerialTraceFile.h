#pragma once

#include <QString>

#include <string>

// Writes serialTrace().text() to the file (replacing it); false with the reason in *error when
// it cannot be written.
bool saveSerialTrace(const QString &path, QString *error);

// The traces of the last reads and writes are also kept in the user's data folder
// (orx740/serial-traces.txt), so a problem report made later, or by the command-line companion,
// still holds them.
QString keptSerialTracesPath();
// Replaces the kept traces by this process's; quietly nothing when the folder cannot be written.
void keepSerialTraces();
// This process's traces when it made any, else the kept ones (empty when there are none).
std::string lastSerialTraces();

class FileDialogs;
class MessageService;

// Save Trace... of a failed transfer's box: asks where, writes, and says "file error." and why
// when it cannot. Texts in the language given.
void saveSerialTraceAs(FileDialogs &dialogs, MessageService &messages, int language);
