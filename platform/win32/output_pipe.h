// The pipe that carries a started command's output back to the program, read so that it can be waited on.
#pragma once

#include <memory>
#include <string>

#include "platform/win32/owned_handle.h"
#include "platform/win32/windows_api.h"

// A one-instance named pipe. The write end is inheritable and synchronous, for a child's standard
// output and error; the read end is the program's own, never inherited, and always has one
// overlapped read pending (or completed, not yet handed out) until every writer has closed its end.
// The pipe owns both ends and its event, and closes them when destroyed.
class OutputPipe {
public:
    // Null when the pipe cannot be created.
    static std::unique_ptr<OutputPipe> Create();
    ~OutputPipe();

    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;

    // The end to hand to the child; valid until CloseWriteEnd.
    HANDLE WriteEnd() const { return writeEnd_.Get(); }
    // Once the child has been started, only it and what it starts hold the write end, so the pipe
    // ends when they have all closed it.
    void CloseWriteEnd();

    // At most maxBytes of the output that has arrived, in write order; empty when none has.
    std::string Read(std::size_t maxBytes);
    // True when Read has output to hand out without waiting.
    bool HasOutput() const { return position_ < filled_; }
    // Signalled when the pending read completes; null when no read is pending (output is waiting,
    // or the pipe has ended).
    HANDLE PendingReadEvent() const { return pending_ ? overlapped_.hEvent : nullptr; }

private:
    OutputPipe();
    void StartRead();
    void CollectRead();

    OwnedHandle readEnd_;
    OwnedHandle readDone_;  // the event of overlapped_
    OwnedHandle writeEnd_;
    // The system writes into block_ and overlapped_ while a read is pending: neither may move or
    // go away before the read is over.
    OVERLAPPED overlapped_{};
    std::string block_;
    std::size_t position_ = 0;  // block_[position_, filled_) is output not yet handed out
    std::size_t filled_ = 0;
    bool pending_ = false;
    bool ended_ = false;
};
