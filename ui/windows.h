// The declarations of all windows, one module each under ui/windows/.
#pragma once

#include <span>

#include "platform/window_model.h"

const WindowDeclaration& StartWindowDeclaration();
const WindowDeclaration& DesktopWindowDeclaration();
const WindowDeclaration& UpdateHistoryWindowDeclaration();
const WindowDeclaration& FaqWindowDeclaration();
const WindowDeclaration& CommunityWindowDeclaration();
const WindowDeclaration& TutorialWindowDeclaration();
const WindowDeclaration& DonationWindowDeclaration();
const WindowDeclaration& RunStatusWindowDeclaration();
const WindowDeclaration& OperationLogWindowDeclaration();
const WindowDeclaration& PeakPerformanceWindowDeclaration();
const WindowDeclaration& RedundantSelectionWindowDeclaration();
const WindowDeclaration& PhoneChoiceWindowDeclaration();

// All twelve, for InitialiseWindowSystem.
std::span<const WindowDeclaration* const> AllWindows();
