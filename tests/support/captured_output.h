// Collecting a captured run's output to its end, as the runner does, for the process tests.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/encoding.h"
#include "platform/process.h"

inline constexpr int kRunnerChunkBytes = 1023;

// Everything the command writes, collected as the runner does: reads while output waits, waits
// otherwise, and once the command has ended takes what the pipe still holds. No read may hand out
// more than maxBytes; a failure when the command cannot start.
inline std::string RunToEnd(std::string_view command, int maxBytes = kRunnerChunkBytes)
{
    auto run = CapturedRun::Start(command);
    if (run == nullptr) {
        ADD_FAILURE() << "could not start: " << command;
        return {};
    }
    std::string output;
    for (;;) {
        std::string chunk = run->ReadAvailable(maxBytes);
        EXPECT_LE(chunk.size(), static_cast<std::size_t>(maxBytes));
        if (!chunk.empty()) {
            output += chunk;
        } else if (run->HasExited()) {
            for (chunk = run->ReadAvailable(maxBytes); !chunk.empty(); chunk = run->ReadAvailable(maxBytes)) {
                output += chunk;
            }
            return output;
        } else {
            run->WaitForActivity(10);
        }
    }
}

// The same, decoded to UTF-8 as the runner shows it.
inline std::string DecodedRunToEnd(std::string_view command)
{
    OutputDecoder decoder;
    std::string output = decoder.Decode(RunToEnd(command));
    return output + decoder.Finish();
}
