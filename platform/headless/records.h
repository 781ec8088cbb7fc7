// Writing the headless records of started programs, opened addresses and paintings (read through driver.h).
#pragma once

#include <string_view>

#include "platform/headless/driver.h"

namespace headless::detail {

void RecordStart(StartedProgram program);
void RecordAddress(std::string_view address);
void RecordPainting(Painting painting);

}  // namespace headless::detail
