#pragma once

#include "kernel/IniDocument.h"

// The per-user settings store (QSettings in the system's native form, under the program's title)
// read and written by section and key, as the INI layer reads and writes.
class QtUserSettings : public IniStore
{
public:
    std::string readString(std::string_view section, std::string_view key) override;
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::vector<std::string> keys(std::string_view section) override;
};
