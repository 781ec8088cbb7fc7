// The one include of <windows.h>, with the settings every file of the program that calls Windows
// shares: the Unicode (W) functions, strict handle types, no min and max macros, the lean set of
// headers, and Windows 7 as the oldest system the program runs on, so that a function Windows 7
// lacks is not even declared. Headers such as <commctrl.h> that need <windows.h> come after this one.
#pragma once

#ifdef _WINDOWS_
#error "<windows.h> was included before platform/win32/windows_api.h, without its settings"
#endif

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX  // libstdc++ defines it too, for its own headers
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

// MinGW's _mingw.h, which every C and C++ header includes, sets a version of its own (Windows 10)
// when none is set: replaced before <windows.h> reads it.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0601
#define _WIN32_WINNT 0x0601

#include <windows.h>
