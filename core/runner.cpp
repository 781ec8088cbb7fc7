// The command runner: one captured run of currentCommand into the desktop window's output box.
#include "core/runner.h"

#include <string>

#include "core/command_state.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/window_system.h"
#include "ui/window_ids.h"

namespace {

constexpr std::string_view kOutputBox = "回显编辑框";
constexpr int kChunkBytes = 1023;
// Between idle passes the runner sleeps on the process, the pipe and the window queue at once,
// so waiting costs no CPU while the windows still answer within this time.
constexpr int kIdleWaitMs = 10;

// A zero byte ends what is shown of its chunk; later chunks are shown again.
std::string_view UpToZeroByte(std::string_view chunk) { return chunk.substr(0, chunk.find('\0')); }

void Show(OutputDecoder& decoder, std::string_view chunk)
{
    std::string text = decoder.Decode(UpToZeroByte(chunk));
    if (!text.empty()) {
        AppendText(DesktopWindow, kOutputBox, text);
    }
}

// After the exit has been seen, whatever the pipe still holds is shown. The pipe is not waited
// on to close: a background adb server started by the command may hold its write end for hours.
void ShowRemainingOutput(CapturedRun& run, OutputDecoder& decoder)
{
    for (std::string chunk = run.ReadAvailable(kChunkBytes); !chunk.empty(); chunk = run.ReadAvailable(kChunkBytes)) {
        Show(decoder, chunk);
    }
    AppendText(DesktopWindow, kOutputBox, decoder.Finish());
}

}  // namespace

void RunCurrentCommand()
{
    if (IsProgramEnding()) {
        return;
    }
    SetText(DesktopWindow, kOutputBox, "请等待运行");
    RepaintNow(DesktopWindow, kOutputBox);
    SetText(DesktopWindow, kOutputBox, "");

    auto run = CapturedRun::Start(State().currentCommand);
    if (run == nullptr) {
        return;
    }
    OutputDecoder decoder;
    for (;;) {
        std::string chunk = run->ReadAvailable(kChunkBytes);
        if (!chunk.empty()) {
            Show(decoder, chunk);
        } else if (run->HasExited()) {
            ShowRemainingOutput(*run, decoder);
            return;
        } else {
            run->WaitForActivity(kIdleWaitMs);
        }
        ProcessPendingEvents();
        if (IsProgramEnding()) {
            return;
        }
    }
}
