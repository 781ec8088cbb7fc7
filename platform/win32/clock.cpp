// The local date and time on Windows: the system's own clock and time zone.
#include "platform/clock.h"

#include "platform/win32/windows_api.h"

#include <cstdio>

std::string LocalDateTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}
