// Helper of process_test, run from copies of itself placed where users put the program: "report"
// prints the program's directory as the platform sees it after start-up, "reset-connection"
// presses 重置连接, which starts renew.bat beside the copy; "console FILE" writes into the file the
// title of the console it runs in and whether that console's window is visible, after a pause long
// enough for the program that started it to find that console. "leave-holder" outlives the command
// that started it while holding the command's output pipe, as an adb server does: it starts a copy
// of itself ("hold") that inherits its standard streams, prints "holder=[<process id>]" and ends;
// the copy waits until the test signals the event named in PELLUCOR_TEST_RELEASE_EVENT, a minute
// at most.
#include "platform/win32/windows_api.h"

#include <cstdio>
#include <fstream>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "tweaks/scripts.h"

namespace {

int Hold()
{
    wchar_t name[64] = L"";
    GetEnvironmentVariableW(L"PELLUCOR_TEST_RELEASE_EVENT", name, 64);
    OwnedHandle release(CreateEventW(nullptr, TRUE, FALSE, name));
    WaitForSingleObject(release.Get(), 60000);
    return 0;
}

int LeaveAHolderBehind()
{
    std::wstring command = L"\"" + Utf8ToWide(JoinPath(ProgramDirectory(), "program_probe.exe")) + L"\" hold";
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startInfo, &started)) {
        return 1;
    }
    OwnedHandle process(started.hProcess);
    OwnedHandle thread(started.hThread);
    std::printf("holder=[%lu]\n", started.dwProcessId);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    InitialisePlatform();
    std::string_view action = argc > 1 ? argv[1] : "";
    if (action == "report") {
        std::printf("directory=[%s]\njoined=[%s]\ncurrent=[%s]\n", ProgramDirectory().c_str(),
                    JoinPath(ProgramDirectory(), "databank.ini").c_str(),
                    std::filesystem::current_path().string().c_str());
        return 0;
    }
    if (action == "console" && argc > 2) {
        Sleep(300);
        char title[256] = "";
        GetConsoleTitleA(title, sizeof(title));
        HWND window = GetConsoleWindow();
        std::ofstream(argv[2]) << "title=[" << title << "]\nvisible=[" << (window != nullptr && IsWindowVisible(window))
                               << "]\n";
        return 0;
    }
    if (action == "reset-connection") {
        ResetConnection({});
        return 0;
    }
    if (action == "leave-holder") {
        return LeaveAHolderBehind();
    }
    return action == "hold" ? Hold() : 2;
}
