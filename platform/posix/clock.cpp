// The local date and time on POSIX systems: the C library's clock and the TZ rules.
#include "platform/clock.h"

#include <ctime>

std::string LocalDateTime()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (localtime_r(&now, &local) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        return "0000-00-00 00:00:00";
    }
    return text;
}
