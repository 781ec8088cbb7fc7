// Helper of win32_window_system_test: makes the fatal error that its argument names, so that the
// test sees the program end with the fatal-error report. Linked with --wrap=malloc, so that
// allocations on a starved thread fail as with the heap exhausted.
// "container": the window system is given a window whose button sits in an undeclared container.
// "control": a read of a control that the open window does not declare, as a mistaken handler's.
// "allocate": a hundred bytes asked for on the starved thread.
// "long-detail": a report whose detail is longer than the report can hold.
// "fails-while-shown": a report "first", and a window of its own that fails once more on WM_APP.
#include "platform/win32/windows_api.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "platform/window_system.h"

namespace {

const ControlDeclaration kLostControls[] = {Button("迷路按钮", "?", {0, 0, 10, 10}).In("不存在")};
const WindowDeclaration kLost{1, "坏窗口", 300, 200, kNoColour, kLostControls, nullptr};
const ControlDeclaration kControls[] = {EditBox("编辑框", "", {8, 8, 100, 24})};
const WindowDeclaration kWindow{1, "窗口", 300, 200, kNoColour, kControls, nullptr};

}  // namespace

// The thread whose every allocation fails; 0 while none does.
std::atomic<DWORD> starvedThread{0};

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __wrap_malloc(std::size_t size)
{
    return GetCurrentThreadId() == starvedThread ? nullptr : __real_malloc(size);
}

// Fails as soon as the test sends it WM_APP, which the report's own message loop dispatches.
LRESULT CALLBACK FailingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        FatalError("second");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowFailingWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FailingWindow;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FailingWindow";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"FailingWindow", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
}

int main(int argc, char** argv)
{
    std::string_view action = argc > 1 ? argv[1] : "";
    if (action == "container") {
        InitialiseWindowSystem(std::array<const WindowDeclaration*, 1>{&kLost});
    } else if (action == "control") {
        InitialiseWindowSystem(std::array<const WindowDeclaration*, 1>{&kWindow});
        OpenWindow(1, false);
        GetText(1, "没有这个控件");
    } else if (action == "allocate") {
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
    } else if (action == "fails-while-shown") {
        ShowFailingWindow();
        FatalError("first");
    }
    return 0;
}
