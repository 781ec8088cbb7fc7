// Running a helper program of a Windows test from beside the test program, as a user who answers
// its message boxes, to its end.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "support/message_box_answerer.h"

struct HelperEnding {
    DWORD exitCode = 0;
    std::vector<std::string> messages;  // the texts of its "信息：" boxes, in order
};

// Starts the helper with the arguments, answers every box it shows with OK (after the observer, if
// any, has seen it) and waits at most a minute for its end; a helper that runs longer fails the
// test and is ended.
inline HelperEnding RunHelperProgram(std::string_view program, std::string_view arguments,
                                     MessageBoxAnswerer::Observer observer = {})
{
    std::wstring commandLine = L"\"" + Utf8ToWide(JoinPath(ProgramDirectory(), program)) + L"\" " + Utf8ToWide(arguments);
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startInfo,
                        &started)) {
        ADD_FAILURE() << "could not start " << program;
        return {};
    }
    OwnedHandle process(started.hProcess);
    OwnedHandle thread(started.hThread);
    HelperEnding ending;
    MessageBoxAnswerer answerer(std::move(observer), started.dwProcessId);
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << program << " did not end";
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), INFINITE);
    }
    GetExitCodeProcess(process.Get(), &ending.exitCode);
    ending.messages = answerer.Texts();
    return ending;
}
