// Program entry and exit: the start-up that opens the first window, and the run until the last one closes.
#pragma once

// Start-up after the platform is initialised: creates the command state, hands over the exit
// routine, registers the windows and opens the start window without waiting. A start window that
// cannot be opened is the fatal error "载入启动窗口失败".
void StartPellucor();

// StartPellucor, then the message loop until the last window has closed; returns the exit code.
int RunPellucor();
