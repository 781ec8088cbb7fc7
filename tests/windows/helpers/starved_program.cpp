// Helper of win32_window_system_test, linked with --wrap=malloc, so that its own allocations fail as with
// the heap exhausted: "allocate" asks for a hundred bytes, "long-detail" reports a fatal error
// whose detail is longer than the report can hold, "paint-fails" reports one while a window of
// its own waits to be painted, and painting it fails once more. Each ends in the fatal-error report.
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

// Never validates its area, so that every pass of a message loop paints it again.
LRESULT CALLBACK FailingPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        FatalError("painting failed");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowWindowThatFailsToPaint()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FailingPaint;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FailingPaint";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"FailingPaint", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    InvalidateRect(window, nullptr, FALSE);
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
    } else if (action == "paint-fails") {
        ShowWindowThatFailsToPaint();
        FatalError("first");
    }
    return 0;
}
