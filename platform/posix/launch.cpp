// Uncaptured process starts on Linux: detached and hidden, or in a terminal emulator; web addresses.
#include "platform/posix/launch.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/spawn.h"
#include "platform/process.h"
#include "platform/search_path.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

// The full path of an executable found on PATH; empty when there is none.
std::string FindOnSearchPath(std::string_view name)
{
    for (const std::string& directory : SearchPathFolders()) {
        std::string candidate = JoinText({directory, "/", name});
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

// A terminal emulator to show a normal window in: only with a display, Debian's alternative first.
std::string FindTerminal()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return {};
    }
    std::string terminal = FindOnSearchPath("x-terminal-emulator");
    return terminal.empty() ? FindOnSearchPath("xterm") : terminal;
}

std::vector<std::string> Arguments(std::string_view commandLine, bool hidden)
{
    std::vector<std::string> shell = {"/bin/sh", "-c", std::string(commandLine)};
    std::string terminal = hidden ? std::string() : FindTerminal();
    if (terminal.empty()) {
        return shell;
    }
    std::vector<std::string> inTerminal = {terminal, "-e"};
    inTerminal.insert(inTerminal.end(), shell.begin(), shell.end());
    return inTerminal;
}

// An intermediate shell starts the program in the background and ends at once: it is reaped
// here, and the program, handed to init, is nobody's zombie and outlives this one.
std::vector<std::string> Detached(const std::vector<std::string>& arguments)
{
    std::vector<std::string> detached = {"/bin/sh", "-c", "\"$@\" &", "sh"};
    detached.insert(detached.end(), arguments.begin(), arguments.end());
    return detached;
}

// The program that the command line's first word names, quoted or not, as Windows resolves it
// before a start: a path as it stands, a bare name in the program's directory, then on PATH.
bool IsProgramFound(std::string_view commandLine)
{
    std::size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return false;
    }
    commandLine.remove_prefix(start);
    bool quoted = commandLine.front() == '"';
    std::string_view rest = commandLine.substr(quoted ? 1 : 0);
    std::string program(rest.substr(0, rest.find(quoted ? '"' : ' ')));
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0;
    }
    return access(JoinPath(ProgramDirectory(), program).c_str(), X_OK) == 0 || !FindOnSearchPath(program).empty();
}

}  // namespace

pid_t StartProcess(std::string_view commandLine, int showState, int outputFd)
{
    if (!IsProgramFound(commandLine)) {
        return -1;
    }
    bool hidden = showState <= ShowHidden;
    return SpawnChild(Arguments(commandLine, hidden), hidden ? outputFd : -1, true);
}

bool StartDetached(std::string_view commandLine, int showState)
{
    if (!IsProgramFound(commandLine)) {
        return false;
    }
    pid_t child = SpawnChild(Detached(Arguments(commandLine, showState <= ShowHidden)), -1, true);
    if (child == -1) {
        return false;
    }
    WaitForChild(child);
    return true;
}

// The address is an argument of its own: no shell parses it.
void LaunchAddressOpener(std::string_view address)
{
    pid_t child = SpawnChild(Detached({"xdg-open", std::string(address)}), -1, true);
    if (child != -1) {
        WaitForChild(child);
    }
}
