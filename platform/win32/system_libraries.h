// The system DLLs that the program does not import: where the process looks for a DLL named
// without a path, and functions of such DLLs looked up in System32 at run time.
#pragma once

#include "platform/win32/windows_api.h"

// From here on, a DLL that this process (or a DLL in it) loads by name alone is looked for in
// System32 only, never in the program's folder or the current one. Does nothing on a system
// without SetDefaultDllDirectories.
void SearchSystemFolderOnly();

// The function of that name in the DLL in System32, which stays loaded for the process's life (a
// caller looks a function up once and keeps it); null when the system has no such DLL or the DLL
// no such function.
FARPROC SystemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(library, name)));
}
