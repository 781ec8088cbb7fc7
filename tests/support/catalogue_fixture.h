// The fixture of the package-button tests on the headless window system: the desktop window, the
// peak-performance and selection windows, the sample catalogue beside the test program and the
// fake phone.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/catalogue_file.h"
#include "support/desktop_window_fixture.h"
#include "support/fake_phone.h"
#include "ui/windows/desktop_window.h"

class CatalogueTest : public DesktopWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        static const std::array<const WindowDeclaration*, 3> windows = {
            &DesktopWindowDeclaration(), &PeakPerformanceWindowDeclaration(), &RedundantSelectionWindowDeclaration()};
        StartWithWindows(windows);
    }

    void SetUp() override
    {
        catalogue_.UseSample();
        DesktopWindowFixture::SetUp();
    }

    std::vector<std::string> Commands() const { return phone_.Changes(); }

    CatalogueFile catalogue_;
    FakePhone phone_;
};
