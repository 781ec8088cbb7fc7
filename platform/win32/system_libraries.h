// The system folder's own files: where the process looks for a DLL named without a path, functions
// of DLLs it does not import looked up in System32 at run time, and the full paths of system programs.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>

// The system folder (System32, which file-system redirection serves from SysWOW64 to a 32-bit
// program on 64-bit Windows) and the Windows folder, without a trailing backslash; empty when the
// system does not say where they are.
std::wstring SystemFolder();
std::wstring WindowsFolder();

// The file's full path in the system folder; empty when that folder is unknown.
std::wstring SystemFolderFile(const wchar_t* file);

// The file's full path in the Windows folder, where the Windows 95 family keeps command.com;
// empty when that folder is unknown.
std::wstring WindowsFolderFile(const wchar_t* file);

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
