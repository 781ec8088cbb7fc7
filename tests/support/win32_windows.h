// Real Win32 windows in the Windows tests: where a control stands, which font it has, a click,
// and whether a window answers.
#pragma once

#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <atomic>
#include <span>
#include <string_view>
#include <thread>

#include "platform/win32/live_window.h"
#include "platform/window_system.h"

// Runs the handler a page's control is declared with, as its click would.
inline void ClickDeclared(std::span<const ControlDeclaration> page, std::string_view name)
{
    for (const ControlDeclaration& control : page) {
        if (control.name == name) {
            control.bindings[0].handler({});
            return;
        }
    }
    FAIL() << "no control " << name;
}

// The control's top-left corner in the window's client area.
inline POINT ClientOffset(HWND control, HWND window)
{
    RECT r;
    GetWindowRect(control, &r);
    POINT corner{r.left, r.top};
    ScreenToClient(window, &corner);
    return corner;
}

inline LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

// A click as the button reports it to its window, through the window's own message handling.
inline void Click(WindowId window, std::string_view name)
{
    HWND button = FindControl(window, name)->handle;
    SendMessageW(FindOpenWindow(window)->handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// While it exists, a second thread asks the window every 200 ms whether it answers, as Windows
// does before it greys a window out as not responding: a message that must be handled within a
// second. The window's own thread is meanwhile free to wait inside a handler.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window) : window_(window), thread_([this] { Probe(); }) {}
    ~AnswerProbe() { Stop(); }
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    // No probe after this one; from any thread.
    void Halt() { stop_ = true; }
    // Called on the window's thread, which answers a last probe while it waits for the prober.
    void Stop()
    {
        Halt();
        while (!done_) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // handles the messages sent meanwhile
            Sleep(10);
        }
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    int Answered() const { return answered_; }
    int Unanswered() const { return unanswered_; }

private:
    void Probe()
    {
        while (!stop_ && IsWindow(window_)) {
            DWORD_PTR result = 0;
            bool answered = SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
            ++(answered ? answered_ : unanswered_);
            Sleep(200);
        }
        done_ = true;
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::atomic<int> answered_{0};
    std::atomic<int> unanswered_{0};
    std::thread thread_;
};
