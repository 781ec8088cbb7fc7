// Collecting a captured run's output to its end, as the runner does, for the process tests.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform/process.h"

inline constexpr int kRunnerChunkBytes = 1023;

// Reads while output waits, waits otherwise, and once the command has ended takes what the pipe
// still holds. No read may hand out more than maxBytes.
inline std::string CollectToEnd(CapturedRun& run, int maxBytes = kRunnerChunkBytes)
{
    std::string output;
    for (;;) {
        std::string chunk = run.ReadAvailable(maxBytes);
        EXPECT_LE(chunk.size(), static_cast<std::size_t>(maxBytes));
        if (!chunk.empty()) {
            output += chunk;
        } else if (run.HasExited()) {
            for (chunk = run.ReadAvailable(maxBytes); !chunk.empty(); chunk = run.ReadAvailable(maxBytes)) {
                output += chunk;
            }
            return output;
        } else {
            run.WaitForActivity(10);
        }
    }
}
