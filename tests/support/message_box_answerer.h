// A user for the Windows tests' message boxes: a watcher thread that presses OK on every "信息：" box.
#pragma once

#include "platform/win32/windows_api.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// While it exists, every "信息：" box the watched program (this one unless another process is given)
// shows is read and answered with OK, as a user would; the texts are kept in the order shown. The
// optional observer runs on the watcher thread while the box is still open, before OK is pressed,
// so that a test can note what had happened by the time the message appeared. A question (a box
// with Yes and No) is answered No, or Yes when the answerer is made to say yes.
class MessageBoxAnswerer {
public:
    using Observer = std::function<void(const std::string& text)>;
    enum class Questions { No, Yes };

    explicit MessageBoxAnswerer(Observer observer = {}, DWORD process = GetCurrentProcessId(),
                                Questions questions = Questions::No)
        : observer_(std::move(observer)), process_(process), questions_(questions), thread_([this] { Answer(); })
    {
    }
    ~MessageBoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<std::string> Texts()
    {
        std::lock_guard lock(mutex_);
        return texts_;
    }

private:
    void Answer()
    {
        while (!stop_) {
            if (HWND box = WatchedMessageBox()) {
                // Kept before the observer runs: an observer may wait for the program to end, and
                // whoever waits for that end reads the texts at once.
                std::string text = MessageText(box);
                {
                    std::lock_guard lock(mutex_);
                    texts_.push_back(text);
                }
                if (observer_) {
                    observer_(text);
                }
                bool question = GetDlgItem(box, IDYES) != nullptr;
                int button = !question ? IDOK : questions_ == Questions::Yes ? IDYES : IDNO;
                PostMessageW(box, WM_COMMAND, button, 0);
                while (IsWindow(box) && !stop_) {
                    Sleep(10);
                }
            }
            Sleep(20);
        }
    }

    // Only the watched program's boxes: test programs running side by side show the same caption.
    HWND WatchedMessageBox() const
    {
        for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", L"信息："); box != nullptr;
             box = FindWindowExW(nullptr, box, L"#32770", L"信息：")) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == process_) {
                return box;
            }
        }
        return nullptr;
    }

    static std::string MessageText(HWND box)
    {
        wchar_t text[4096] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 4096);  // the message's static control
        char utf8[16384] = {};
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        return utf8;
    }

    Observer observer_;
    DWORD process_;
    Questions questions_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};
