// The command runner: one captured run of currentCommand into the desktop window's output box.
#include "core/runner.h"

#include <string>
#include <utility>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "platform/window_system.h"

namespace {

constexpr int kChunkBytes = 1023;
// What one pass shows at most before it lets window events through again.
constexpr std::size_t kPassBytes = 64 * 1024;
// Between idle passes the runner sleeps on the process, the pipe and the window queue at once;
// each of them wakes it, so this bound only limits how long a missed wake-up could go unnoticed.
constexpr int kIdleWaitMs = 100;

constexpr std::string_view kTooLongLine = "命令行超过 8191 个字符，命令解释器无法运行，未运行";

struct WaitingOutput {
    bool anyRead = false;
    std::string text;
};

// Everything waiting in the pipe now, read in chunks of at most 1023 bytes. A zero byte ends
// what is shown of its chunk; later chunks are shown again.
WaitingOutput ReadWaitingOutput(CapturedRun& run, OutputDecoder& decoder)
{
    WaitingOutput output;
    while (output.text.size() < kPassBytes) {
        std::string chunk = run.ReadAvailable(kChunkBytes);
        if (chunk.empty()) {
            break;
        }
        output.anyRead = true;
        output.text += decoder.Decode(std::string_view(chunk).substr(0, chunk.find('\0')));
    }
    return output;
}

// One append per pass, not per chunk: an edit box takes about as long for a short append as
// for a long one, so appending chunk by chunk would make long outputs slow.
void Show(std::string_view text)
{
    if (!text.empty()) {
        AppendText(DesktopWindow, kOutputBox, text);
    }
}

// After the exit has been seen, whatever the pipe still holds is shown. The pipe is not waited
// on to close: a background adb server started by the command may hold its write end for hours.
void ShowRemainingOutput(CapturedRun& run, OutputDecoder& decoder, std::string& output)
{
    for (WaitingOutput waiting = ReadWaitingOutput(run, decoder); waiting.anyRead;
         waiting = ReadWaitingOutput(run, decoder)) {
        output += waiting.text;
        Show(waiting.text);
    }
    std::string rest = decoder.Finish();
    output += rest;
    Show(rest);
}

}  // namespace

bool IsAdbServerNotice(std::string_view line)
{
    return line.starts_with(kAdbServerNotice) ||
           (line.starts_with("adb server version (") && line.find(") doesn't match this client (") != line.npos);
}

// A UTF-8 sequence of four bytes is a character outside the basic plane: two UTF-16 units.
bool IsTooLongToRun(std::string_view commandLine)
{
    std::size_t units = 0;
    for (char c : commandLine) {
        auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : (byte >= 0xF0 ? 2 : 1);
    }
    return units > kLongestCommandLine;
}

CommandRun RunCurrentCommand()
{
    CommandRun result;
    if (IsProgramEnding()) {
        return result;
    }
    SetText(DesktopWindow, kOutputBox, "请等待运行");
    RepaintNow(DesktopWindow, kOutputBox);
    SetText(DesktopWindow, kOutputBox, "");
    if (IsTooLongToRun(State().currentCommand)) {
        SetText(DesktopWindow, kOutputBox, kTooLongLine);
        return result;
    }

    auto run = CapturedRun::Start(State().currentCommand);
    if (run == nullptr) {
        return result;
    }
    result.started = true;
    OutputDecoder decoder;
    for (;;) {
        WaitingOutput waiting = ReadWaitingOutput(*run, decoder);
        if (waiting.anyRead) {
            result.output += waiting.text;
            Show(waiting.text);
        } else if (run->HasExited()) {
            ShowRemainingOutput(*run, decoder, result.output);
            result.awaited = true;
            result.exitCode = run->ExitCode();
            return result;
        } else {
            run->WaitForActivity(kIdleWaitMs);
        }
        ProcessPendingEvents();
        if (IsProgramEnding()) {
            return result;
        }
    }
}

CommandRun RunCommandLine(std::string commandLine)
{
    State().currentCommand = std::move(commandLine);
    return RunCurrentCommand();
}
