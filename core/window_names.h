// The program's eleven windows.
#pragma once

#include "platform/window_model.h"

enum ProgramWindow : WindowId {
    StartWindow = 1,
    DesktopWindow,
    UpdateHistoryWindow,
    FaqWindow,
    CommunityWindow,
    TutorialWindow,
    DonationWindow,
    RunStatusWindow,
    OperationLogWindow,
    PeakPerformanceWindow,
    RedundantSelectionWindow,
};
