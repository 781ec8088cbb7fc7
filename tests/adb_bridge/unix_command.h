// Running a Unix shell script, from a Windows program under Wine its output and exit code carried back through files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Wine 8 starts a Unix program when CreateProcessW is given its Windows file name (Z:\bin\sh for
// /bin/sh; a bare Unix path resolves there too, and cmd.exe's "start /unix" does the same and
// returns at once): its loader sees an ELF file instead of a PE one, forks and executes it in a
// session of its own. But the caller gets no process handle (hProcess is null, the process id
// made up), so neither the end nor the exit code can be waited for, and output written into a
// Windows pipe handed over as standard output is lost. The Unix program sees the Windows
// environment as it is, texts in UTF-8, except the variables Wine keeps for itself (HOME, PATH,
// TEMP, TMP): it gets Wine's own Unix values of those, and the Windows ones under the names
// WINEHOME, WINEPATH... So a script run here writes its output and exit code into files of a
// private folder, the last file renamed into place once the others are complete, and the caller
// waits for that file to appear. Measured under Wine 8.0.

struct UnixRun {
    std::string failure;  // empty when the script ran to its end; otherwise why it could not run
    int exitCode = 0;     // the script's exit status (128 + the signal for a process a signal ended)
    std::string out;      // its standard output and standard error, raw bytes, each complete
    std::string err;
};

// Runs the script with /bin/sh, standard input /dev/null, in the current directory, and waits
// for its end without spinning: the wait sleeps on a change notification of the private folder.
// The folder and its files are removed before it returns. A process the script leaves running in
// the background is not waited for.
UnixRun RunUnixScript(std::string_view script);

// The Unix path of a path (both UTF-8): on Linux the path itself; under Wine empty when a Windows
// path has none. (The Linux twins of these functions serve the phone lab, tests/support/phone_lab.cpp.)
std::string UnixPathOf(std::string_view windowsPath);

// A folder that did not exist, in the temporary folder, named by the prefix, this process and a
// count; empty when none could be made.
std::filesystem::path FreshFolder(std::string_view prefix);

// The text as one word of a shell command line: single-quoted, each ' written as '\''.
inline std::string ShellWord(std::string_view text)
{
    std::string word = "'";
    for (char c : text) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}
