#pragma once

#include <QString>

#include <optional>
#include <string>

#include "datafile/BackupStore.h"
#include "lang/Texts.h"
#include "model/VersionRegistry.h"

class Document;
class RadioImage;
class SerialPortService;

// The pieces every verb that talks to the radio shares: the texts, the version table, the
// backups and the opening of the port.

// An English text of the program.
QString englishText(const TextEntry &entry);

// The compatible versions of the installation this companion belongs to.
VersionRegistry installedVersionRegistry();

// The platform's backup of a read or of what a write is about to send, as the program keeps it;
// the pair is saved as every pair the companion writes is. Without a document the image is
// unpacked into a new one. "Backup: PATH" goes to stderr; the path of the data file kept, or
// nothing (the reason printed).
std::optional<std::string> keepBackup(BackupReason reason, const RadioImage &image,
                                      Document *document);

// The device the port name stands for, opened; nothing, the reason printed, when it cannot be.
std::optional<QString> openTransferPort(const std::string &portText, SerialPortService &port);
