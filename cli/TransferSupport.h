#pragma once

#include <QString>

#include <optional>
#include <string>

#include "lang/Texts.h"
#include "link/SessionRunner.h"
#include "model/VersionRegistry.h"

class SerialPortService;

// The pieces every verb that talks to the radio shares: the texts, the version table, the
// backups and the opening of the port.

// An English text of the program.
QString englishText(const TextEntry &entry);

// The compatible versions of the installation this companion belongs to.
VersionRegistry installedVersionRegistry();

// The device the port name stands for, opened; nothing, the reason printed, when it cannot be.
std::optional<QString> openTransferPort(const std::string &portText, SerialPortService &port);

class QtBackupStore;

// Opens the port named on the command line for a session; the reason is printed when it cannot
// be opened, unless quiet (the batch asks again).
SessionRunner::PortOpener companionPortOpener(const std::string &portText, bool quietPort);

// A radio session of the companion: the port named on the command line (the reason printed when
// it cannot be opened, unless quiet: the batch asks again), and the backups kept where the
// program keeps them, "Backup: PATH" said on stderr.
void setUpCompanionSession(SessionRunner &runner, const std::string &portText,
                           QtBackupStore &backups, bool quietPort);

// How read, write and verify tell a session's transfers on stderr: the progress (on a terminal),
// the version question with the answer given (Yes when answerYes), each transfer's queued
// messages, a version switch left to the main program, and the completion message.
void reportTransfersOnStderr(SessionRunner &runner, bool answerYes);
