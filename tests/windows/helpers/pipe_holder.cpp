// Helper of process_test: a program that outlives the command that started it while holding the
// command's output pipe, as an adb server does. Started without arguments, it starts a copy of
// itself ("hold") that inherits its standard streams, prints "holder=[<process id>]" and ends;
// the copy waits until the test signals the event named in PELLUCOR_TEST_RELEASE_EVENT, a minute
// at most.
#include "platform/win32/windows_api.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"

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
    std::wstring command = L"\"" + Utf8ToWide(JoinPath(ProgramDirectory(), "pipe_holder.exe")) + L"\" hold";
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
    return argc > 1 && std::string_view(argv[1]) == "hold" ? Hold() : LeaveAHolderBehind();
}
