// The fixture of the operation-log and journal tests: the package buttons' fixture with the
// operation-log and phone-choice windows, and the logs beside the program and in a user's folder
// of the test program's own, none of them there before or after a test.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "platform/files.h"
#include "support/catalogue_fixture.h"
#include "support/state_folder.h"

class OperationLogFixture : public CatalogueTest {
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
        CatalogueTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        RemoveLogs();
        CatalogueTest::SetUp();
    }
    void TearDown() override
    {
        CatalogueTest::TearDown();
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
};
