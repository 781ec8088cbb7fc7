// The Windows program's entry. MinGW's start-up code calls main in a program of the Windows
// subsystem too, so the entry needs nothing of Windows: the platform sets itself up.
#include "app/program.h"
#include "platform/system.h"

int main()
{
    InitialisePlatform();
    return RunPellucor();
}
