// Writing the headless records of started programs, opened addresses and paintings (read through driver.h).
#pragma once

#include "platform/headless/driver.h"

namespace headless::detail {

// From now on RunProgram and OpenWebAddress are recorded first; a start then runs hidden and an
// address is not opened, since nothing of them could be seen.
void RecordStarts();
void RecordPainting(Painting painting);

}  // namespace headless::detail
