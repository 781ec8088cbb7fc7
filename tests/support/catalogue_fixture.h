// The fixture of the package-button tests on the headless window system: the desktop window, the
// peak-performance and selection windows, the sample catalogue beside the test program and the
// fake phone.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/command_state.h"
#include "core/window_names.h"
#include "platform/headless/driver.h"
#include "platform/window_system.h"
#include "support/catalogue_file.h"
#include "support/fake_phone.h"
#include "support/program_start.h"
#include "ui/windows.h"
#include "ui/windows/desktop_window.h"

class CatalogueTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 3> windows = {
            &DesktopWindowDeclaration(), &PeakPerformanceWindowDeclaration(), &RedundantSelectionWindowDeclaration()};
        StartWithWindows(windows);
    }
    static void TearDownTestSuite() { ReleaseCommandState(); }

    void SetUp() override
    {
        headless::Reset();
        catalogue_.UseSample();
        ASSERT_TRUE(OpenWindow(DesktopWindow, false));
    }
    void TearDown() override { headless::Reset(); }

    std::vector<std::string> Commands() const { return phone_.Changes(); }
    static std::string Output() { return GetText(DesktopWindow, kOutputBox); }
    static std::vector<std::string> Messages() { return headless::Messages(); }

    CatalogueFile catalogue_;
    FakePhone phone_;
};
