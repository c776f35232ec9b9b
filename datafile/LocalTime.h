#pragma once

#include <ctime>
#include <string>

// The local time now, formatted with strftime's format (at most 31 characters).
inline std::string localTimeText(const char *format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32] = {};
    std::strftime(text, sizeof text, format, &local);
    return text;
}
