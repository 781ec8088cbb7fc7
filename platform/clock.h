// The local date and time, as the user's clock shows it.
#pragma once

#include <string>

// "2023-06-26 14:03:09": the local date and the time of day to the second.
std::string LocalDateTime();
