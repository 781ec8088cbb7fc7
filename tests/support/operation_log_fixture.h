// The fixture of the operation-log and journal tests: the program's windows on the headless window
// system, the sample catalogue, the fake phone, and the logs beside the program and in a user's
// folder of the test program's own, none of them there before or after a test.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string_view>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/files.h"
#include "platform/headless/driver.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/catalogue_file.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "support/state_folder.h"
#include "ui/windows.h"

class OperationLogFixture : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        UsePrivateStateFolder();
        static const std::array<const WindowDeclaration*, 6> windows = {
            &StartWindowDeclaration(), &DesktopWindowDeclaration(), &PeakPerformanceWindowDeclaration(),
            &RedundantSelectionWindowDeclaration(), &OperationLogWindowDeclaration(), &PhoneChoiceWindowDeclaration()};
        StartWithWindows(windows);
    }
    static void TearDownTestSuite()
    {
        RemovePrivateStateFolder();
        ReleaseCommandState();
    }

    void SetUp() override
    {
        headless::Reset();
        RemoveLogs();
        catalogue_.UseSample();
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    }
    void TearDown() override
    {
        headless::Reset();
        RemoveLogs();
    }

    static std::filesystem::path ProgramLog() { return std::filesystem::path(ProgramDirectory()) / "操作记录.txt"; }
    static std::filesystem::path ProgramOldLog() { return std::filesystem::path(ProgramDirectory()) / "操作记录.old.txt"; }
    static std::filesystem::path OwnLog() { return std::filesystem::path(UserStateDirectory()) / "操作记录.txt"; }
    static void RemoveLogs()
    {
        for (const std::filesystem::path& path : {ProgramLog(), ProgramOldLog(), OwnLog()}) {
            std::filesystem::remove_all(path);
        }
    }

    static void TypeCommand(std::string_view command)
    {
        headless::Focus(DesktopWindow, "命令编辑框");
        headless::Type(DesktopWindow, command);
        headless::PressKey(DesktopWindow, 13);  // Enter
    }

    CatalogueFile catalogue_;
    FakePhone phone_;
};
