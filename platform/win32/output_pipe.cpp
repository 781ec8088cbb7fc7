// The output pipe: a uniquely named one-instance pipe whose read end keeps one overlapped read pending.
#include "platform/win32/output_pipe.h"

#include <algorithm>
#include <atomic>

namespace {

// A suggestion to the system: room for bursts of output while the program is busy elsewhere.
constexpr DWORD kPipeBytes = 64 * 1024;
// Each read is a round trip to the system (a costly one under Wine): what has arrived is taken in
// one read and handed out in the caller's smaller pieces.
constexpr std::size_t kBlockBytes = 64 * 1024;

// Anonymous pipes cannot be read overlapped, so the pipe gets a name no other pipe has: the
// process, a count of this process's pipes and the time.
std::wstring UniquePipeName()
{
    static std::atomic<unsigned> pipesCreated{0};
    return L"\\\\.\\pipe\\pellucor-output-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++pipesCreated) + L"-" + std::to_wstring(GetTickCount());
}

}  // namespace

OutputPipe::OutputPipe() : block_(kBlockBytes, '\0') {}

std::unique_ptr<OutputPipe> OutputPipe::Create()
{
    std::unique_ptr<OutputPipe> pipe(new OutputPipe);
    std::wstring name = UniquePipeName();
    // FILE_FLAG_FIRST_PIPE_INSTANCE: creation fails rather than join a pipe someone else made.
    pipe->readEnd_ = OwnedHandle(CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, kPipeBytes, 0, nullptr));
    if (!pipe->readEnd_) {
        return nullptr;
    }
    // Not overlapped: the child writes to it as to any ordinary pipe.
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    pipe->writeEnd_ = OwnedHandle(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    pipe->readDone_ = OwnedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!pipe->writeEnd_ || !pipe->readDone_) {
        return nullptr;
    }
    pipe->overlapped_.hEvent = pipe->readDone_.Get();
    pipe->StartRead();
    return pipe;
}

OutputPipe::~OutputPipe()
{
    if (pending_) {
        // The read may complete until the cancellation has been seen through.
        // https://learn.microsoft.com/windows/win32/fileio/cancelioex-func
        CancelIoEx(readEnd_.Get(), &overlapped_);
        DWORD ignored = 0;
        GetOverlappedResult(readEnd_.Get(), &overlapped_, &ignored, TRUE);
    }
}

void OutputPipe::CloseWriteEnd() { writeEnd_.Close(); }

std::string OutputPipe::Read(std::size_t maxBytes)
{
    if (maxBytes == 0) {
        return {};
    }
    if (pending_) {
        CollectRead();
        StartRead();  // after a read of zero bytes
    }
    std::size_t count = std::min(filled_ - position_, maxBytes);
    std::string output = block_.substr(position_, count);
    position_ += count;
    StartRead();
    return output;
}

// Issues reads until one is pending, one has brought output or the pipe has ended. A read that
// finds output waiting completes at once.
void OutputPipe::StartRead()
{
    while (!pending_ && !ended_ && !HasOutput()) {
        position_ = 0;
        filled_ = 0;
        // ReadFile resets the event; the count comes from GetOverlappedResult.
        if (!ReadFile(readEnd_.Get(), block_.data(), static_cast<DWORD>(block_.size()), nullptr, &overlapped_) &&
            GetLastError() != ERROR_IO_PENDING) {
            ended_ = true;  // ERROR_BROKEN_PIPE: every writer has closed its end
            return;
        }
        pending_ = true;
        CollectRead();
    }
}

// Takes the pending read's output once it has completed. Under Wine a completion is applied to
// this thread during its next call into the system, so a read whose output has arrived may still
// look incomplete: a zero wait on the event applies it, and output written just before the
// command ended is not missed.
void OutputPipe::CollectRead()
{
    DWORD count = 0;
    BOOL read = GetOverlappedResult(readEnd_.Get(), &overlapped_, &count, FALSE);
    if (!read && GetLastError() == ERROR_IO_INCOMPLETE) {
        if (WaitForSingleObject(overlapped_.hEvent, 0) != WAIT_OBJECT_0) {
            return;
        }
        read = GetOverlappedResult(readEnd_.Get(), &overlapped_, &count, TRUE);
    }
    pending_ = false;
    if (read) {
        filled_ = count;
    } else {
        ended_ = true;  // ERROR_BROKEN_PIPE: every writer has closed its end
    }
}
