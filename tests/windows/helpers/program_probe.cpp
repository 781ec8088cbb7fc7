// Helper of process_test, run from copies of itself placed where users put the program: "report"
// prints the program's directory as the platform sees it after start-up, "reset-connection"
// presses 重置连接, which starts renew.bat beside the copy; "console FILE" writes into the file the
// title of the console it runs in and whether that console's window is visible, after a pause long
// enough for the program that started it to find that console.
#include "platform/win32/windows_api.h"

#include <cstdio>
#include <fstream>
#include <filesystem>
#include <string_view>

#include "platform/system.h"
#include "tweaks/scripts.h"

int main(int argc, char** argv)
{
    InitialisePlatform();
    std::string_view action = argc > 1 ? argv[1] : "";
    if (action == "report") {
        std::printf("directory=[%s]\njoined=[%s]\ncurrent=[%s]\n", ProgramDirectory().c_str(),
                    JoinPath(ProgramDirectory(), "databank.ini").c_str(),
                    std::filesystem::current_path().string().c_str());
        return 0;
    }
    if (action == "console" && argc > 2) {
        Sleep(300);
        char title[256] = "";
        GetConsoleTitleA(title, sizeof(title));
        HWND window = GetConsoleWindow();
        std::ofstream(argv[2]) << "title=[" << title << "]\nvisible=[" << (window != nullptr && IsWindowVisible(window))
                               << "]\n";
        return 0;
    }
    if (action == "reset-connection") {
        ResetConnection({});
        return 0;
    }
    return 2;
}
