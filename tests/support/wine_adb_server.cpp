// A private adb server for one Windows test under Wine, with simulated phones, all started through /bin/sh.
#include "support/wine_adb_server.h"

#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "fake_adb/phone_file.h"
#include "platform/search_path.h"
#include "platform/win32/wide.h"

namespace {

namespace fs = std::filesystem;

// How long a phone may take to listen and reach its state, in steps of the shell's sleep.
constexpr int kPhoneStartSteps = 200;  // of 50 ms
constexpr int kServerStarts = 5;       // ports tried before giving up
// Debian's (python3-minimal), named in full: the guard does not depend on what PATH holds.
constexpr const char* kPython = "/usr/bin/python3";

void SetVariable(const std::string& name, const std::string& value)
{
    SetProcessVariable(name, value.empty() ? std::nullopt : std::optional<std::string_view>(value));
}

// A port of its own: above the emulator ports (5555 to 5585) and the default server's 5037, below
// the range Linux hands out for outgoing connections and for sim_phone's listening ports.
int FreshPort()
{
    static std::mt19937 random{std::random_device{}()};
    return std::uniform_int_distribution<int>(20000, 29999)(random);
}

}  // namespace

WineAdbServer::WineAdbServer()
{
    // Never a folder an earlier fixture used: its guard may still be removing it.
    fs::path folder = FreshFolder("pellucor-adb-");
    std::error_code error;
    folder_ = folder.empty() || !fs::create_directory(folder / "home", error) ? "" : WideToUtf8(folder.wstring());
    unixFolder_ = folder_.empty() ? "" : UnixPathOf(folder_);
    for (const char* name : {"HOME", "ANDROID_ADB_SERVER_PORT", "PELLUCOR_ADB_CLIENT", "ANDROID_SERIAL"}) {
        savedVariables_.emplace_back(name, EnvironmentVariable(name).value_or(""));
    }
    SetVariable("HOME", WideToUtf8((folder / "home").wstring()));
    SetVariable("PELLUCOR_ADB_CLIENT", PELLUCOR_ADB_CLIENT);
    SetVariable("ANDROID_SERIAL", "");
    if (unixFolder_.empty()) {
        ADD_FAILURE() << "no private folder that Unix programs can reach: " << folder_;
        return;
    }
    for (int attempt = 0; attempt < kServerStarts && port_ == 0; ++attempt) {
        port_ = FreshPort();
        if (!StartServer()) {
            port_ = 0;
        }
    }
    EXPECT_NE(port_, 0) << "no adb server could be started";
    SetVariable("ANDROID_ADB_SERVER_PORT", std::to_string(port_));
    StartGuard();
}

// The guard removes the folder once the lock is let go; without a guard the folder goes here.
WineAdbServer::~WineAdbServer()
{
    EndEverything();
    for (const auto& [name, value] : savedVariables_) {
        SetVariable(name, value);
    }
    alive_.Close();
    std::error_code ignored;
    if (!guarded_) {
        fs::remove_all(Utf8Path(folder_), ignored);
    }
}

// A server that was already listening on the port (another test's) says nothing when asked to
// start: only one that this start began counts, and the other's port is left to it.
bool WineAdbServer::StartServer()
{
    UnixRun run = RunUnixScript(ClientCommand({"start-server"}));
    return run.failure.empty() && run.exitCode == 0 && run.err.find("* daemon started successfully") != std::string::npos;
}

std::string WineAdbServer::ClientCommand(const std::vector<std::string>& arguments) const
{
    std::string command = "HOME=" + ShellWord(unixFolder_ + "/home") + " ANDROID_ADB_SERVER_PORT=" +
                          std::to_string(port_) + " " + ShellWord(PELLUCOR_ADB_CLIENT);
    for (const std::string& argument : arguments) {
        command += " " + ShellWord(argument);
    }
    return command;
}

// The phone runs in the background under a shell that waits for it: sim_phone ends when its parent
// does (PR_SET_PDEATHSIG), and the script that starts it ends at once. The script waits for its
// port file, connects it once and waits until the server lists it in the expected state, then
// prints its serial.
WineSimPhone& WineAdbServer::Attach(const PhoneSetup& setup)
{
    WineSimPhone& phone = phones_.emplace_back();
    std::string name = unixFolder_ + "/phone-" + std::to_string(phones_.size());
    phone.pidFile_ = name + ".pid";
    // The phone's files are its own; listed for the guard, which has no destructor to run.
    std::ofstream(Utf8Path(folder_) / "phone-files", std::ios::binary | std::ios::app)
        << UnixPathOf(phone.PhonePath()) << "\n" << UnixPathOf(phone.LogPath()) << "\n";
    std::string portFile = ShellWord(name + ".port");
    std::string log = ShellWord(name + ".log");
    std::string devices = ClientCommand({"devices"});
    std::string script =
        "( " + ShellWord(SIM_PHONE_PROGRAM) + " --state " + ShellWord(setup.state) + " --model " + ShellWord(setup.model) +
        " --sdk " + ShellWord(setup.sdk) + (setup.legacyShell ? " --legacy-shell" : "") + " --phone-file " +
        ShellWord(UnixPathOf(phone.PhonePath())) + " --log " + ShellWord(UnixPathOf(phone.LogPath())) + " --port-file " +
        portFile + " </dev/null >/dev/null 2>" + log + " &\n  echo $! >" + ShellWord(phone.pidFile_) +
        "\n  wait ) </dev/null >/dev/null 2>&1 &\n"
        "i=0\n"
        "until [ -s " + portFile + " ] && serial=127.0.0.1:$(cat " + portFile + ") &&\n"
        "      { [ -n \"$asked\" ] || { asked=1; " + ClientCommand({"connect"}) + " \"$serial\" >&2; }; } &&\n"
        "      " + devices + " | grep -q \"^$serial\t" + setup.state + "\\$\"; do\n"
        "  [ $i -lt " + std::to_string(kPhoneStartSteps) + " ] ||\n"
        "    { echo \"the phone never listed as " + setup.state + "\" >&2; cat " + log + " >&2; " + devices + " >&2; exit 1; }\n"
        "  i=$((i+1)); sleep 0.05\n"
        "done\n"
        "echo \"$serial\"\n";
    UnixRun run = RunUnixScript(script);
    if (!run.failure.empty() || run.exitCode != 0) {
        ADD_FAILURE() << "the simulated phone could not be started and connected: " << run.failure << run.err;
        return phone;
    }
    phone.serial_ = run.out.substr(0, run.out.find('\n'));
    return phone;
}

void WineAdbServer::Detach(WineSimPhone& phone)
{
    RunUnixScript(ClientCommand({"disconnect", phone.serial_}) + " >/dev/null 2>&1\nkill $(cat " +
                  ShellWord(phone.pidFile_) + ")\n");
}

// The phones first, each given a moment to end before it is killed outright, then the server.
// The phones are found by their pid files, so that the guard, started before any phone, ends
// those started after it too.
std::string WineAdbServer::EndingScript() const
{
    return "for file in " + ShellWord(unixFolder_) + "/*.pid; do\n"
           "  pid=$(cat \"$file\" 2>/dev/null) && kill $pid 2>/dev/null || continue\n"
           "  i=0; while kill -0 $pid 2>/dev/null && [ $i -lt 100 ]; do i=$((i+1)); sleep 0.05; done\n"
           "  kill -9 $pid 2>/dev/null\n"
           "done\n" +
           ClientCommand({"kill-server"}) + " 2>/dev/null\n";
}

// The guard ends everything if the test program ends without the destructor (a crash, or ctest
// ending it at its time limit). It waits, without polling, for a lock on the file "alive", which
// the fixture holds: Wine's server keeps a Windows lock as a POSIX record lock on the file, so a
// Unix program sees it, and drops it the moment the process that held it ends, however it ends
// (measured with Wine 8.0, the process killed outright included). Without the destructor it also
// removes the phones' files. A destructor that has done the work first leaves the file "ended";
// the guard then only removes the folder.
void WineAdbServer::StartGuard()
{
    fs::path alive = Utf8Path(folder_) / "alive";
    alive_ = OwnedHandle(CreateFileW(alive.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED firstByte{};
    if (!alive_ || !LockFileEx(alive_.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &firstByte)) {
        ADD_FAILURE() << "the fixture cannot hold its lock: nothing would end its processes after a crash";
        return;
    }
    std::string folder = ShellWord(unixFolder_);
    std::string awaitUnlock = std::string(kPython) +
                              " -c 'import fcntl, sys; fcntl.lockf(open(sys.argv[1], \"r+\"), fcntl.LOCK_EX, 1, 0)' " +
                              folder + "/alive";
    UnixRun run = RunUnixScript("[ -x " + std::string(kPython) + " ] || exit 1\n"
                                "( " + awaitUnlock + " || exit\n"
                                "  [ -e " + folder + "/ended ] || {\n" + EndingScript() +
                                "    while IFS= read -r file; do rm -f \"$file\"; done <" + folder + "/phone-files\n"
                                "  }\n"
                                "  rm -rf " + folder + " ) </dev/null >/dev/null 2>&1 &\n");
    guarded_ = run.failure.empty() && run.exitCode == 0;
    EXPECT_TRUE(guarded_) << "no " << kPython << " for the guard: " << run.failure;
}

void WineAdbServer::EndEverything()
{
    if (!unixFolder_.empty()) {
        RunUnixScript(EndingScript());
        std::ofstream(Utf8Path(folder_) / "ended");
    }
}
