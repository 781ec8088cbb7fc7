// The window set: every declaration the window system is given at start-up.
#include "ui/windows.h"

#include <array>

std::span<const WindowDeclaration* const> AllWindows()
{
    static const std::array<const WindowDeclaration*, 12> windows = {
        &StartWindowDeclaration(),      &DesktopWindowDeclaration(),      &UpdateHistoryWindowDeclaration(),
        &FaqWindowDeclaration(),        &CommunityWindowDeclaration(),    &TutorialWindowDeclaration(),
        &DonationWindowDeclaration(),   &RunStatusWindowDeclaration(),    &OperationLogWindowDeclaration(),
        &PeakPerformanceWindowDeclaration(), &RedundantSelectionWindowDeclaration(), &PhoneChoiceWindowDeclaration(),
    };
    return windows;
}
