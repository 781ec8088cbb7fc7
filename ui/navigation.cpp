// Window-opening handlers.
#include "ui/navigation.h"

#include "core/window_names.h"
#include "platform/window_system.h"

void OpenDesktopWindow(const EventArgs&) { OpenWindow(DesktopWindow, false); }
void OpenDonationWindow(const EventArgs&) { OpenWindow(DonationWindow, true); }
void OpenTutorialWindow(const EventArgs&) { OpenWindow(TutorialWindow, true); }
void OpenCommunityWindow(const EventArgs&) { OpenWindow(CommunityWindow, true); }
void OpenFaqWindow(const EventArgs&) { OpenWindow(FaqWindow, true); }
void OpenUpdateHistoryWindow(const EventArgs&) { OpenWindow(UpdateHistoryWindow, true); }
void OpenOperationLogWindow(const EventArgs&) { OpenWindow(OperationLogWindow, true); }
void OpenPeakPerformanceWindow(const EventArgs&) { OpenWindow(PeakPerformanceWindow, true); }
void OpenRedundantSelectionWindow(const EventArgs&) { OpenWindow(RedundantSelectionWindow, true); }
