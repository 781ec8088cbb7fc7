// Writing the headless records of started programs and opened addresses (read through driver.h).
#pragma once

#include <string_view>

#include "platform/headless/driver.h"

namespace headless::detail {

void RecordStart(StartedProgram program);
void RecordAddress(std::string_view address);

}  // namespace headless::detail
