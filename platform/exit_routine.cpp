// The exit routine that the program hands to the platform, run once when the program ends.
#include "platform/system.h"

namespace {
void (*exitRoutine)() = nullptr;
}

void SetExitRoutine(void (*routine)()) { exitRoutine = routine; }

void RunExitRoutine()
{
    void (*routine)() = exitRoutine;
    exitRoutine = nullptr;  // cleared first, so that a second call, even from inside, runs nothing
    if (routine != nullptr) {
        routine();
    }
}
