// adb.exe for the Windows tests that use the real adb client: hands its arguments to Debian's adb
// client, a Unix program, and hands back what it wrote and its exit code.
#include "platform/win32/windows_api.h"

#include <string>
#include <string_view>

#include "adb_bridge/unix_command.h"
#include "platform/search_path.h"
#include "platform/win32/wide.h"

namespace {

// Where Debian's adb package installs the client; PELLUCOR_ADB_CLIENT names another.
constexpr std::string_view kDebianClient = "/usr/lib/android-sdk/platform-tools/adb";
constexpr int kNotStarted = 127;  // as the shell's "command not found"

// The Windows client writes through the C runtime's stdout and stderr, which are in text mode:
// each LF goes out as CR LF. (adb's commandline.cpp puts stdout in binary mode only in
// stdinout_raw_prologue, for copy_to_file; a command's answer and a shell command's output go
// through printf and fwrite.) The Linux client writes LF alone.
std::string AsWindowsLines(std::string_view bytes)
{
    std::string lines;
    lines.reserve(bytes.size() + bytes.size() / 16);
    for (char c : bytes) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return lines;
}

void WriteAll(DWORD stream, std::string_view bytes)
{
    HANDLE handle = GetStdHandle(stream);
    while (!bytes.empty()) {
        DWORD written = 0;
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
            !WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
            return;
        }
        bytes.remove_prefix(written);
    }
}

int Fail(std::string_view why)
{
    WriteAll(STD_ERROR_HANDLE, AsWindowsLines("adb bridge: " + std::string(why) + "\n"));
    return kNotStarted;
}

}  // namespace

// The arguments arrive as UTF-16, split by the C runtime's rules as adb.exe's own would be, and
// reach the client as UTF-8 words, blanks and Chinese intact. HOME, which Wine keeps for itself
// (see unix_command.h), is handed over explicitly: the Windows variable HOME, when set, is the
// client's home, so that a test's private home holds the client's key and nothing of the user's.
int wmain(int argc, wchar_t** argv)
{
    std::string client = EnvironmentVariable("PELLUCOR_ADB_CLIENT").value_or(std::string(kDebianClient));
    std::string script = "client=" + ShellWord(client) + "\n";
    script += "[ -x \"$client\" ] || { echo \"adb bridge: no adb client can be started from $client"
              " (PELLUCOR_ADB_CLIENT)\" >&2; exit " + std::to_string(kNotStarted) + "; }\n";
    if (std::string home = EnvironmentVariable("HOME").value_or(""); !home.empty()) {
        std::string unixHome = UnixPathOf(home);
        if (unixHome.empty()) {
            return Fail("HOME (" + home + ") has no Unix path");
        }
        script += "HOME=" + ShellWord(unixHome) + "\nexport HOME\n";
    }
    script += "exec \"$client\"";
    for (int i = 1; i < argc; ++i) {
        script += " " + ShellWord(WideToUtf8(argv[i]));
    }
    UnixRun run = RunUnixScript(script);
    if (!run.failure.empty()) {
        return Fail("the adb client cannot be started: " + run.failure);
    }
    // Standard error first, then standard output. Pellucor merges both into one pipe, and the
    // client writes its own notices ("* daemon not running; starting now at tcp:…", "* daemon
    // started successfully") and its own errors ("error: …", "adb: …") on standard error before
    // it writes any answer of the phone. One file for both would keep the exact interleaving but
    // lose which stream each line came from, which a script's "adb get-state 2>nul" needs. What
    // this order cannot show is a phone command that writes on out and then on err.
    WriteAll(STD_ERROR_HANDLE, AsWindowsLines(run.err));
    WriteAll(STD_OUTPUT_HANDLE, AsWindowsLines(run.out));
    return run.exitCode;
}
