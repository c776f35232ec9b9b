#pragma once

#include "kernel/FileDialogs.h"

class QWidget;

// The open and save dialogs as QFileDialog shows them.
class QtFileDialogs : public FileDialogs
{
public:
    std::optional<std::string> openFileName(std::string_view filter,
                                            std::string_view startFolder = {}) override;
    std::optional<std::string> saveFileName(std::string_view filter,
                                            std::string_view presetPath) override;
};
