// A stand-in for adb in tests: logs each command line it gets and answers like a phone in a chosen state.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "fake_adb/phone_services.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::string Env(const char* name, std::string_view fallback = {})
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string(fallback);
}

// A file named by a variable, empty when it is not set. The tests write paths in UTF-8; on Windows
// the variable is read as UTF-16, so that the path reaches the file system intact.
std::filesystem::path EnvPath(const char* name)
{
#ifdef _WIN32
    const wchar_t* value = _wgetenv(std::filesystem::path(name).c_str());
#else
    const char* value = std::getenv(name);
#endif
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// Real adb writes the system's own line end: CR LF on Windows, LF elsewhere.
std::string LineEnd()
{
    std::string chosen = Env("FAKE_ADB_LINE_END");
#ifdef _WIN32
    std::string system = "\r\n";
#else
    std::string system = "\n";
#endif
    return chosen == "lf" ? "\n" : chosen == "cr" ? "\r" : chosen == "none" ? "" : system;
}

Answer Fail(std::vector<std::string> errLines) { return {{}, std::move(errLines), 1}; }

// The error a command that needs the phone gets in this state, in adb's words (adb_client.cpp,
// transport.cpp: acquire_one_transport); none when the phone answers.
std::optional<Answer> DeviceError(const std::string& state)
{
    static const std::map<std::string, std::vector<std::string>> errors = {
        {"none", {"error: no devices/emulators found"}},
        {"many", {"error: more than one device/emulator"}},
        {"offline", {"error: device offline"}},
        {"unknown", {"error: device offline"}},
        {"authorizing", {"error: device still authorizing"}},
        {"connecting", {"error: device still connecting"}},
        {"unauthorized",
         {"error: device unauthorized.", "This adb server's $ADB_VENDOR_KEYS is not set",
          "Try 'adb kill-server' if that seems wrong.", "Otherwise check for a confirmation dialog on your device."}},
        {"fight",
         {"adb server version (40) doesn't match this client (41); killing...", "* daemon started successfully",
          "error: protocol fault (couldn't read status): Connection reset by peer"}}};
    auto error = errors.find(state);
    return error != errors.end() ? std::optional<Answer>(Fail(error->second)) : std::nullopt;
}

// Clients since 2020 report a device error of "shell" through error_exit, prefixed with their
// program file's name ("adb: ", "adb.exe: ") instead of "error: ".
Answer WithClientPrefix(Answer answer)
{
    std::string prefix = Env("FAKE_ADB_ERROR_PREFIX");
    if (!prefix.empty() && answer.err.front().starts_with("error: ")) {
        answer.err.front().replace(0, 7, prefix + ": ");
    }
    return answer;
}

Answer Devices(const std::string& state, bool longForm)
{
    Answer answer = Out({"List of devices attached"});
    std::vector<std::string> serials = {"FAKE0001", "FAKE0002"};
    serials.resize(state == "many" ? 2 : state == "none" ? 0 : 1);
    for (std::size_t i = 0; i < serials.size(); ++i) {
        std::string shown = state == "many" ? "device" : state;
        answer.out.push_back(longForm ? serials[i] + std::string(14, ' ') + " " + shown +
                                            " usb:1-1 product:pellucor_test model:Pellucor_Test_Phone" +
                                            " device:pellucor_test transport_id:" + std::to_string(i + 1)
                                      : serials[i] + "\t" + shown);
    }
    answer.out.push_back("");  // adb ends the list with an empty line
    return answer;
}

// The phone's packages and settings as earlier calls left them in FAKE_ADB_PHONE's file; without
// that variable each call starts from the any-name rule and keeps nothing. Without the shell
// protocol (a phone before Android 7, or an old adb) the phone's standard error arrives on standard
// output and adb exits 0 whatever the command's exit status.
Answer Shell(const Args& args)
{
    Answer answer = ShellOnPhone(Join(args, 1), EnvPath("FAKE_ADB_PHONE"),
                                 {{"ro.build.version.release", Env("FAKE_ADB_RELEASE", "12")},
                                  {"ro.build.version.sdk", "31"},
                                  {"ro.product.model", "Pellucor_Test_Phone"},
                                  {"ro.serialno", "FAKE0001"}});
    if (Env("FAKE_ADB_SHELL_PROTOCOL") == "none") {
        answer.out.insert(answer.out.end(), answer.err.begin(), answer.err.end());
        return Out(answer.out);
    }
    return answer;
}

// adb connect takes an IPv4 address with or without a port; any other text fails to connect.
Answer Connect(const std::string& address)
{
    static const std::regex ipv4(R"(((25[0-5]|2[0-4]\d|1?\d?\d)\.){3}(25[0-5]|2[0-4]\d|1?\d?\d)(:\d+)?)");
    if (!std::regex_match(address, ipv4)) {
        return {{"failed to connect to " + address}, {}, 1};
    }
    return Out({"connected to " + (address.find(':') == std::string::npos ? address + ":5555" : address)});
}

Answer Command(const Args& args, const std::string& state)
{
    const std::string& verb = args[0];
    if (verb == "get-state") {
        auto error = DeviceError(state);
        return error && state != "offline" && state != "unknown" ? *error : Out({state});
    }
    if (verb == "devices") {
        return Devices(state, args.size() > 1 && args[1] == "-l");
    }
    if (verb == "kill-server" || verb == "start-server") {
        return {};
    }
    if (verb == "connect") {
        return args.size() > 1 ? Connect(args[1]) : Fail({"adb: usage: adb connect HOST[:PORT]"});
    }
    if (verb != "shell" && verb != "install" && verb != "reboot" && verb != "tcpip") {
        return Fail({"adb: unknown command " + verb});
    }
    if (auto error = DeviceError(state)) {
        return verb == "shell" ? WithClientPrefix(*error) : *error;
    }
    if (verb == "shell") {
        return Shell(args);
    }
    if (verb == "tcpip") {
        return Out({"restarting in TCP mode port: " + (args.size() > 1 ? args[1] : "")});
    }
    return verb == "install" ? Out({"Success"}) : Answer{};  // reboot [mode]
}

void Write(std::FILE* stream, const std::vector<std::string>& lines, const std::string& lineEnd)
{
    for (const auto& line : lines) {
        std::string text = line + lineEnd;
        std::fwrite(text.data(), 1, text.size(), stream);
    }
    std::fflush(stream);
}

int Run(const Args& args)
{
    if (std::filesystem::path log = EnvPath("FAKE_ADB_LOG"); !log.empty()) {
        std::ofstream(log, std::ios::binary | std::ios::app) << (args.empty() ? "adb" : "adb " + Join(args, 0)) << "\n";
    }
    std::string state = Env("FAKE_ADB_STATE", "device");
    // Hanging still gives up eventually, so that a test run never leaves it behind for long.
    long long delayMs = state == "hang" ? 1000 * std::atoll(Env("FAKE_ADB_HANG_MAX_S", "600").c_str())
                                        : std::atoll(Env("FAKE_ADB_DELAY_MS", "0").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    if (state == "hang") {
        return 1;
    }
    Answer answer = args.empty() ? Fail({"adb: no command given"}) : Command(args, state);
    std::string lineEnd = LineEnd();
    Write(stdout, answer.out, lineEnd);
    Write(stderr, answer.err, lineEnd);
    return answer.exitCode;
}

}  // namespace

#ifdef _WIN32
// The wide arguments keep Chinese text intact; the streams are binary so that line ends are ours.
int wmain(int argc, wchar_t* argv[])
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    Args args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8Of(argv[i]));
    }
    return Run(args);
}
#else
int main(int argc, char* argv[]) { return Run(Args(argv + 1, argv + argc)); }
#endif
