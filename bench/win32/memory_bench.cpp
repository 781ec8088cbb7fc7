// Memory benchmark: Pellucor's working set and private bytes once every desktop page has been
// shown, beside those of the smallest window program (minimal_window.exe, built beside this one).
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "started_program.h"

namespace {

constexpr int kRounds = 3;
constexpr double kMegabyte = 1024.0 * 1024.0;
// What a shown page may still be doing (painting, decoding its pictures) before it is measured.
constexpr DWORD kSettleMs = 500;

struct Memory {
    double workingSet = 1e9;  // MB
    double privateBytes = 1e9;
};

struct ChildSearch {
    const wchar_t* className = nullptr;  // or, with none, the child at `bounds` in the parent's client area
    HWND parent = nullptr;
    RECT bounds{};
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (search->className != nullptr) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (std::wstring(name) == search->className) {
            search->found = child;
        }
    } else {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(HWND_DESKTOP, search->parent, reinterpret_cast<POINT*>(&rect), 2);
        if (EqualRect(&rect, &search->bounds)) {
            search->found = child;
        }
    }
    return search->found == nullptr;
}

HWND Child(ChildSearch search)
{
    EnumChildWindows(search.parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int Scaled(int length)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(length, dpi, 96);
}

// The start window's entry picture (图片框2: 376, 384, 192 x 64 at 96 dpi) opens the desktop window;
// then each page of its tab control is chosen in turn, as a click on its tab would.
bool ShowEveryDesktopPage(const StartedProgram& started)
{
    HWND start = started.ShownWindow();
    if (start == nullptr) {
        return false;
    }
    HWND entry = Child({nullptr, start, {Scaled(376), Scaled(384), Scaled(376 + 192), Scaled(384 + 64)}});
    if (entry == nullptr) {
        return false;
    }
    PostMessageW(entry, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(entry, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    HWND tabs = nullptr;
    for (int i = 0; i < 10000 && tabs == nullptr; ++i) {
        Sleep(1);
        HWND shown = started.ShownWindow();
        tabs = shown ? Child({WC_TABCONTROLW, shown}) : nullptr;
    }
    if (tabs == nullptr) {
        return false;
    }
    auto pages = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < pages; ++page) {
        // Choosing the focus on a tab control without TCS_BUTTONS selects the tab and notifies the
        // parent (TCN_SELCHANGING, TCN_SELCHANGE), as a click does: "TCM_SETCURFOCUS message", MSDN.
        SendMessageW(tabs, TCM_SETCURFOCUS, page, 0);
        if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != page) {
            return false;
        }
        Sleep(kSettleMs);
    }
    return true;
}

bool JustShow(const StartedProgram& started)
{
    bool shown = started.ShownWindow() != nullptr;
    Sleep(kSettleMs);
    return shown;
}

// The program's memory once `bring` has brought it where it is measured; none when it could not.
bool Measure(const std::wstring& program, bool (*bring)(const StartedProgram&), Memory& least)
{
    StartedProgram started(program);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    bool measured = started.Started() && bring(started) &&
                    GetProcessMemoryInfo(started.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                         sizeof(counters));
    if (measured) {
        least.workingSet = std::min(least.workingSet, counters.WorkingSetSize / kMegabyte);
        least.privateBytes = std::min(least.privateBytes, counters.PrivateUsage / kMegabyte);
    }
    return measured;
}

}  // namespace

// memory_bench [path of Pellucor.exe; the stripped copy beside this program when left out]
int wmain(int argc, wchar_t** argv)
{
    std::wstring pellucor = argc > 1 ? argv[1] : ThisDirectory() + L"\\Pellucor.exe";
    std::wstring minimal = ThisDirectory() + L"\\minimal_window.exe";
    Memory program, floor;
    for (int round = 0; round < kRounds; ++round) {
        if (!Measure(pellucor, ShowEveryDesktopPage, program) || !Measure(minimal, JustShow, floor)) {
            std::fprintf(stderr, "memory_bench: a program did not show its windows or could not be measured\n");
            return 1;
        }
    }
    // Wine (8.0) reports none; Windows counts the process's committed private memory.
    std::printf("Private bytes with every desktop page shown: %.1f MB Pellucor, %.1f MB the smallest window program\n",
                program.privateBytes, floor.privateBytes);
    std::printf("Working set with every desktop page shown: %.1f MB Pellucor, %.1f MB the smallest window program: "
                "difference %+.1f MB (target at most +16), ratio %.2f\n",
                program.workingSet, floor.workingSet, program.workingSet - floor.workingSet,
                program.workingSet / floor.workingSet);
    return 0;
}
