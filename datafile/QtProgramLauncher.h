#pragma once

#include "kernel/FileDialogs.h"

// Starts another program version with QProcess and ends this one through the application's event
// loop, so that no close question and no shutdown step runs.
class QtProgramLauncher : public ProgramLauncher
{
public:
    std::string programBaseName() const override;
    std::string executableSuffix() const override;
    bool startDetached(const std::string &path) override;
    void endProcess() override;
};
