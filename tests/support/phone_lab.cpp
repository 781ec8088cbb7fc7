// The private adb world: the real client, a server and simulated phones, all started through /bin/sh (under Wine too).
#include "support/phone_lab.h"

#ifdef _WIN32
#include "platform/win32/windows_api.h"
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "adb_bridge/unix_command.h"
#include "fake_adb/phone_services.h"
#include "platform/search_path.h"
#include "support/fake_phone.h"

namespace fs = std::filesystem;

namespace {

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

// Takes the lock on the file's first byte that the guard waits for; returns what lets it go, empty
// when it cannot be had. Wine's server keeps a Windows lock as a POSIX record lock on the file, so
// the Unix guard sees either kind, and the lock goes the moment the process that held it ends,
// however it ends (measured with Wine 8.0, the process killed outright included).
std::function<void()> HoldLock(const fs::path& file)
{
#ifdef _WIN32
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED firstByte{};
    if (handle != INVALID_HANDLE_VALUE &&
        LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &firstByte)) {
        return [handle] { CloseHandle(handle); };
    }
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
#else
    int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor >= 0 && lockf(descriptor, F_TLOCK, 1) == 0) {
        return [descriptor] { close(descriptor); };
    }
    close(descriptor);
#endif
    return {};
}

#ifndef _WIN32
// The test program's folder, where the fake adb stands (and waits, as "adb.stand-in", while the
// real client stands there).
fs::path BesideProgram() { return fs::read_symlink("/proc/self/exe").parent_path() / "adb"; }
#endif

}  // namespace

#ifndef _WIN32
// On Linux the scripts run in /bin/sh at once and every path is a Unix path already.
std::string UnixPathOf(std::string_view path) { return std::string(path); }

fs::path FreshFolder(std::string_view prefix)
{
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    return mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

// Standard error comes with standard output.
UnixRun RunUnixScript(std::string_view script)
{
    std::FILE* shell = popen(("/bin/sh -c " + ShellWord(script) + " </dev/null 2>&1").c_str(), "r");
    UnixRun run{shell == nullptr ? "/bin/sh could not be started" : ""};
    for (int c; shell != nullptr && (c = std::fgetc(shell)) != EOF;) {
        run.out += static_cast<char>(c);
    }
    run.exitCode = shell != nullptr ? WEXITSTATUS(pclose(shell)) : 127;
    return run;
}
#endif

PhoneLab::PhoneLab()
{
    // Never a folder an earlier lab used: its guard may still be removing it.
    fs::path folder = FreshFolder("pellucor-adb-");
    std::error_code error;
    folder_ = folder.empty() || !fs::create_directory(folder / "home", error) ? "" : Utf8Of(folder);
    unixFolder_ = folder_.empty() ? "" : UnixPathOf(folder_);
    for (const char* name : {"HOME", "ANDROID_ADB_SERVER_PORT", "PELLUCOR_ADB_CLIENT", "ANDROID_SERIAL"}) {
        savedVariables_.emplace_back(name, EnvironmentVariable(name).value_or(""));
    }
    SetVariable("HOME", folder_.empty() ? "" : Utf8Of(folder / "home"));
    SetVariable("PELLUCOR_ADB_CLIENT", REAL_ADB_CLIENT);
    SetVariable("ANDROID_SERIAL", "");
    port_ = FreshPort();
    SetVariable("ANDROID_ADB_SERVER_PORT", std::to_string(port_));
#ifndef _WIN32
    PutStandInBack();
    fs::rename(BesideProgram(), BesideProgram().string() + ".stand-in");
    fs::create_symlink(REAL_ADB_CLIENT, BesideProgram());
#endif
    if (unixFolder_.empty()) {
        ADD_FAILURE() << "no private folder that Unix programs can reach: " << folder_;
        return;
    }
    StartGuard();
}

// The guard removes the folder once the lock is let go; without a guard the folder goes here.
PhoneLab::~PhoneLab()
{
    if (!unixFolder_.empty()) {
        RunUnixScript(EndingScript());
        std::ofstream(Utf8Path(folder_) / "ended");
    }
    phones_.clear();
    for (const auto& [name, value] : savedVariables_) {
        SetVariable(name, value);
    }
    PutStandInBack();
    if (letGo_) {
        letGo_();
    }
    std::error_code ignored;
    if (!guarded_) {
        fs::remove_all(Utf8Path(folder_), ignored);
    }
}

// The server keeps its log in its home as .android/adb.PORT: a server that this lab's home
// started, by this call or by the program's first adb command, listens on the port. A server that
// was already listening there (another test's) says nothing when asked to start: its port is left
// to it.
bool PhoneLab::ServerRuns() const
{
    return fs::exists(Utf8Path(folder_) / "home" / ".android" / ("adb." + std::to_string(port_)));
}

void PhoneLab::StartServer()
{
    for (int attempt = 0; attempt < kServerStarts && !ServerRuns(); ++attempt) {
        if (attempt > 0) {
            port_ = FreshPort();
            SetVariable("ANDROID_ADB_SERVER_PORT", std::to_string(port_));
        }
        RunUnixScript(ClientCommand({"start-server"}));
    }
    EXPECT_TRUE(ServerRuns()) << "no adb server could be started";
}

std::string PhoneLab::Client() { return REAL_ADB_CLIENT; }

std::string PhoneLab::ClientCommand(const std::vector<std::string>& arguments) const
{
    std::string command = "HOME=" + ShellWord(unixFolder_ + "/home") + " ANDROID_ADB_SERVER_PORT=" +
                          std::to_string(port_) + " " + ShellWord(REAL_ADB_CLIENT);
    for (const std::string& argument : arguments) {
        command += " " + ShellWord(argument);
    }
    return command;
}

SimPhone& PhoneLab::Attach(const PhoneSetup& setup)
{
    StartServer();
    SimPhone& phone = phones_.emplace_back(setup);
    phone.stem_ = unixFolder_ + "/phone-" + std::to_string(phones_.size());
    // The phone's files are its own; listed for the guard, which has no destructor to run.
    std::ofstream(Utf8Path(folder_) / "phone-files", std::ios::binary | std::ios::app)
        << UnixPathOf(phone.PhonePath()) << "\n" << UnixPathOf(phone.LogPath()) << "\n";
    Plug(phone);
    return phone;
}

// The phone runs in the background under a shell that waits for it: sim_phone ends when its parent
// does (PR_SET_PDEATHSIG), and the script that starts it ends at once. The script waits for its
// port file, connects it once and waits until the server lists it in its state (`adb connect`
// itself waits for an offline phone's greeting until it gives up), then prints its serial.
void PhoneLab::Plug(SimPhone& phone)
{
    const PhoneSetup& setup = phone.setup_;
    std::string portFile = ShellWord(phone.stem_ + ".port");
    std::string log = ShellWord(phone.stem_ + ".log");
    std::string devices = ClientCommand({"devices"});
    std::string script =
        "rm -f " + portFile + "\n( " + ShellWord(SIM_PHONE_PROGRAM) + " --state " + ShellWord(setup.state) +
        " --model " + ShellWord(setup.model) + " --sdk " + ShellWord(setup.sdk) + (setup.legacyShell ? " --legacy-shell" : "") +
        (phone.serialNumber_.empty() ? "" : " --serialno " + ShellWord(phone.serialNumber_)) + " --phone-file " +
        ShellWord(UnixPathOf(phone.PhonePath())) + " --log " + ShellWord(UnixPathOf(phone.LogPath())) + " --port-file " +
        portFile + " </dev/null >/dev/null 2>" + log + " &\n  echo $! >" + ShellWord(phone.stem_ + ".pid") +
        "\n  wait ) </dev/null >/dev/null 2>&1 &\n"
        "i=0\n"
        "until [ -s " + portFile + " ] && serial=127.0.0.1:$(cat " + portFile + ") &&\n"
        "      { [ -n \"$asked\" ] || { asked=1; " + ClientCommand({"connect"}) + " \"$serial\" >/dev/null 2>&1 & }; } &&\n"
        "      " + devices + " | grep -q \"^$serial\t" + setup.state + "\\$\"; do\n"
        "  [ $i -lt " + std::to_string(kPhoneStartSteps) + " ] ||\n"
        "    { echo \"the phone never listed as " + setup.state + "\" >&2; cat " + log + " >&2; " + devices + " >&2; exit 1; }\n"
        "  i=$((i+1)); sleep 0.05\n"
        "done\n"
        "echo \"$serial\"\n";
    UnixRun run = RunUnixScript(script);
    if (!run.failure.empty() || run.exitCode != 0) {
        ADD_FAILURE() << "the simulated phone could not be started and connected: " << run.failure << run.err << run.out;
        return;
    }
    phone.serial_ = run.out.substr(0, run.out.find('\n'));
    phone.serialNumber_ = phone.serialNumber_.empty() ? "SIM" + phone.serial_.substr(phone.serial_.find(':') + 1)
                                                      : phone.serialNumber_;
}

void PhoneLab::Unplug(SimPhone& phone)
{
    RunUnixScript(ClientCommand({"disconnect", phone.serial_}) + " >/dev/null 2>&1\nkill $(cat " +
                  ShellWord(phone.stem_ + ".pid") + ")\n");
}

void PhoneLab::Detach(SimPhone& phone)
{
    Unplug(phone);
    phones_.remove_if([&](const SimPhone& attached) { return &attached == &phone; });
}

// The phones first, each given a moment to end before it is killed outright, then the server.
// The phones are found by their pid files, so that the guard, started before any phone, ends
// those started after it too.
std::string PhoneLab::EndingScript() const
{
    return "for file in " + ShellWord(unixFolder_) + "/*.pid; do\n"
           "  pid=$(cat \"$file\" 2>/dev/null) && kill $pid 2>/dev/null || continue\n"
           "  i=0; while kill -0 $pid 2>/dev/null && [ $i -lt 100 ]; do i=$((i+1)); sleep 0.05; done\n"
           "  kill -9 $pid 2>/dev/null\n"
           "done\n" +
           ClientCommand({"kill-server"}) + " 2>/dev/null\n";
}

// The guard ends everything if the test program ends without the destructor (a crash, or ctest
// ending it at its time limit): it waits, without polling, for the lock on the file "alive" that
// the lab holds. Without the destructor it also removes the phones' files. A destructor that has
// done the work first leaves the file "ended"; the guard then only removes the folder.
void PhoneLab::StartGuard()
{
    letGo_ = HoldLock(Utf8Path(folder_) / "alive");
    if (!letGo_) {
        ADD_FAILURE() << "the lab cannot hold its lock: nothing would end its processes after a crash";
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
