// The private adb world on Linux: the real client, a server on its own port, simulated phones as child processes.
#include "support/phone_lab.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/captured_output.h"
#include "support/fake_phone.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

// A child that ends with the test process, also when the test crashes: the kernel sends it the
// signal when its parent ends (prctl's PR_SET_PDEATHSIG, which survives exec).
int StartChild(const std::vector<std::string>& arguments)
{
    pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    return child;
}

void EndChild(int child)
{
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

// Waits until the check holds; throws with the description when it never does.
template <typename Check>
void WaitFor(Check check, const std::string& what)
{
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!check()) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the phone lab waited in vain for " + what);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string FreshFolder(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder for the phone lab");
    }
    return pattern;
}

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

// A port that is free now; the server takes it a moment later. Ephemeral ports lie far from
// 5037 (adb's own) and 5555-5585 (which the server polls for emulators).
std::string FreePort()
{
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return std::to_string(ntohs(address.sin_port));
}

bool Listens(const std::string& port)
{
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(std::stoi(port));
    bool listens = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return listens;
}

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// The fake adb waits here while the real client stands beside the program.
fs::path StandIn(const fs::path& adb) { return adb.string() + ".stand-in"; }

std::string savedHome;
int serverProcess = -1;

}  // namespace

SimPhone::SimPhone(const PhoneSetup& setup, const std::string& program) : setup_(setup), program_(program) { Start(); }

void SimPhone::Start()
{
    std::string portFile = PhonePath() + ".port";
    std::vector<std::string> arguments = {program_,     "--state",  setup_.state, "--model",      setup_.model,
                                          "--sdk",      setup_.sdk, "--log",      LogPath(),      "--phone-file",
                                          PhonePath(),  "--port-file", portFile,  "--serialno",   serialNumber_};
    if (setup_.legacyShell) {
        arguments.push_back("--legacy-shell");
    }
    process_ = StartChild(arguments);
    std::string port;
    WaitFor([&] { return static_cast<bool>(std::ifstream(portFile) >> port); }, "the simulated phone's port");
    fs::remove(portFile);
    serial_ = "127.0.0.1:" + port;
    serialNumber_ = serialNumber_.empty() ? "SIM" + port : serialNumber_;
}

SimPhone::~SimPhone() { Stop(); }

void SimPhone::Stop()
{
    EndChild(process_);
    process_ = -1;
}

PhoneLab::PhoneLab() : home_(FreshFolder("pellucor-adb-home-")), port_(FreePort())
{
    besideProgram_ = (ProgramFolder() / "adb").string();
    PutStandInBack();
    fs::rename(besideProgram_, StandIn(besideProgram_));
    fs::create_symlink(REAL_ADB_CLIENT, besideProgram_);
    const char* home = std::getenv("HOME");
    savedHome = home != nullptr ? home : "";
    setenv("HOME", home_.c_str(), 1);
    setenv("ANDROID_ADB_SERVER_PORT", port_.c_str(), 1);
    unsetenv("ANDROID_SERIAL");
}

PhoneLab::~PhoneLab()
{
    KillServer();
    phones_.clear();
    std::error_code ignored;
    fs::remove(besideProgram_, ignored);
    fs::rename(StandIn(besideProgram_), besideProgram_, ignored);
    setenv("HOME", savedHome.c_str(), 1);
    unsetenv("ANDROID_ADB_SERVER_PORT");
    unsetenv("ANDROID_SERIAL");
    fs::remove_all(home_, ignored);
}

void PhoneLab::StartServer()
{
    if (serverProcess > 0) {
        return;
    }
    // In the foreground ("nodaemon"), as the lab's own child, so that it ends with the test.
    serverProcess = StartChild({REAL_ADB_CLIENT, "-P", port_, "nodaemon", "server"});
    WaitFor([&] { return Listens(port_); }, "the adb server on port " + port_);
}

void PhoneLab::KillServer()
{
    // A server the program's first command started, as well as the lab's own.
    Adb("kill-server");
    EndChild(serverProcess);
    serverProcess = -1;
}

SimPhone& PhoneLab::Attach(const PhoneSetup& setup)
{
    StartServer();
    SimPhone& phone = phones_.emplace_back(setup, SIM_PHONE_PROGRAM);
    Connect(phone);
    return phone;
}

void PhoneLab::Unplug(SimPhone& phone)
{
    Adb("disconnect " + phone.Serial());
    phone.Stop();
}

void PhoneLab::Plug(SimPhone& phone)
{
    phone.Start();
    Connect(phone);
}

void PhoneLab::Connect(const SimPhone& phone)
{
    // `adb connect` waits for the phone's greeting, for an offline phone until it gives up 10 s
    // later; the server lists the phone long before, which is all the lab waits for.
    int connect = StartChild({REAL_ADB_CLIENT, "connect", phone.Serial()});
    std::string listed = phone.Serial() + "\t" + phone.Setup().state;
    WaitFor([&] { return Adb("devices").find(listed) != std::string::npos; }, "\"" + listed + "\" in adb devices");
    EndChild(connect);
}

void PhoneLab::Detach(SimPhone& phone)
{
    Adb("disconnect " + phone.Serial());
    phones_.remove_if([&](const SimPhone& attached) { return &attached == &phone; });
}

std::string PhoneLab::Client() { return REAL_ADB_CLIENT; }

std::string PhoneLab::Adb(std::string_view arguments) const
{
    return RunToEnd(std::string(REAL_ADB_CLIENT) + " " + std::string(arguments));
}
