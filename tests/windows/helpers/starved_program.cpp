// Helper of out_of_memory_test, linked with --wrap=malloc, so that its own allocations fail as with
// the heap exhausted: "allocate" asks for a hundred bytes, "long-detail" reports a fatal error
// whose detail is longer than the report can hold. Either ends in the fatal-error report.
#include "platform/win32/windows_api.h"

#include <atomic>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "platform/system.h"

// The thread whose every allocation fails; 0 while none does.
std::atomic<DWORD> starvedThread{0};

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __wrap_malloc(std::size_t size)
{
    return GetCurrentThreadId() == starvedThread ? nullptr : __real_malloc(size);
}

int main(int argc, char** argv)
{
    std::string_view action = argc > 1 ? argv[1] : "";
    if (action == "allocate") {
        starvedThread = GetCurrentThreadId();
        void* volatile memory = ::operator new(100);
        ::operator delete(memory);
    } else if (action == "long-detail") {
        std::string detail;
        for (int i = 0; i < 2000; ++i) {
            detail += "错";
        }
        starvedThread = GetCurrentThreadId();
        FatalError(detail);
    }
    return 0;
}
