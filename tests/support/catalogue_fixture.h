// The fixture of the package-button tests on the headless window system: the desktop window with
// the two brand pages, the peak-performance and selection windows, the sample catalogue beside the
// test program and the fake phone.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/command_state.h"
#include "platform/headless/driver.h"
#include "platform/window_system.h"
#include "support/program_start.h"
#include "support/catalogue_file.h"
#include "support/fake_phone.h"
#include "ui/windows.h"

class CatalogueTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 3> windows = {
            &BrandPagesDesktopDeclaration(), &PeakPerformanceWindowDeclaration(), &RedundantSelectionWindowDeclaration()};
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

    std::vector<std::string> Commands() const { return phone_.Commands(); }
    static std::string Output() { return GetText(DesktopWindow, "回显编辑框"); }
    static std::vector<std::string> Messages() { return headless::Messages(); }

    CatalogueFile catalogue_;
    FakePhone phone_;
};
