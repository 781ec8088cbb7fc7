// A stand-in for adb in tests: logs each command line it gets and answers like a phone in a chosen state.
#include <algorithm>
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

#include "fake_adb/phone_file.h"
#include "fake_adb/phone_services.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/win32/windows_api.h"
#endif

namespace {

std::string Env(const char* name, std::string_view fallback = {})
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string(fallback);
}

// A file named by a variable, empty when it is not set. The tests write paths in UTF-8; on Windows
// the variable is read as UTF-16, so that the path reaches the file system intact.
std::filesystem::path EnvPath(std::string_view name)
{
#ifdef _WIN32
    const wchar_t* value = _wgetenv(std::wstring(name.begin(), name.end()).c_str());
#else
    const char* value = std::getenv(std::string(name).c_str());
#endif
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// Real adb writes the system's own line end: CR LF on Windows, LF elsewhere.
std::string LineEnd()
{
    const std::map<std::string, std::string> chosen = {{"lf", "\n"}, {"crlf", "\r\n"}, {"cr", "\r"}, {"none", ""}};
    auto found = chosen.find(Env("FAKE_ADB_LINE_END"));
#ifdef _WIN32
    return found != chosen.end() ? found->second : "\r\n";
#else
    return found != chosen.end() ? found->second : "\n";
#endif
}

std::string Join(const Args& words, std::size_t from, std::string_view separator = " ")
{
    std::string joined;
    for (std::size_t i = from; i < words.size(); ++i) {
        joined += (i > from ? std::string(separator) : std::string()) + words[i];
    }
    return joined;
}

void AppendToLog(const std::string& line)
{
    std::filesystem::path path = EnvPath("FAKE_ADB_LOG");
    if (!path.empty()) {
        std::ofstream(path, std::ios::binary | std::ios::app) << line << "\n";
    }
}

void SleepMs(long long ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// ---- the phone ----

const std::string kSerial = "FAKE0001";

// The error a command that needs the phone gets in this state; none when the phone answers.
std::optional<Answer> DeviceError(const std::string& state)
{
    if (state == "none") {
        return Fail({"error: no devices/emulators found"});
    }
    if (state == "many") {
        return Fail({"error: more than one device/emulator"});
    }
    if (state == "offline" || state == "unknown") {
        return Fail({"error: device offline"});
    }
    if (state == "authorizing" || state == "connecting") {
        return Fail({"error: device still " + state});
    }
    if (state == "unauthorized") {
        return Fail({"error: device unauthorized.", "This adb server's $ADB_VENDOR_KEYS is not set",
                     "Try 'adb kill-server' if that seems wrong.",
                     "Otherwise check for a confirmation dialog on your device."});
    }
    if (state == "fight") {
        return Fail({"adb server version (40) doesn't match this client (41); killing...",
                     "* daemon started successfully", "error: protocol fault (couldn't read status): Connection reset by peer"});
    }
    return std::nullopt;
}

// Clients since 2020 report a device error of "shell" through error_exit, prefixed with their
// program file's name ("adb: ", "adb.exe: ") instead of "error: ".
Answer WithClientPrefix(Answer answer)
{
    std::string prefix = Env("FAKE_ADB_ERROR_PREFIX");
    if (!prefix.empty() && !answer.err.empty() && answer.err.front().starts_with("error: ")) {
        answer.err.front().replace(0, 7, prefix + ": ");
    }
    return answer;
}

Answer GetState(const std::string& state)
{
    if (auto error = DeviceError(state); error && state != "offline" && state != "unknown") {
        return *error;
    }
    return Out({state});
}

Answer Devices(const std::string& state, bool longForm)
{
    std::vector<std::string> serials;
    if (state == "many") {
        serials = {kSerial, "FAKE0002"};
    } else if (state != "none") {
        serials = {kSerial};
    }
    std::string shownState = state == "many" ? "device" : state;
    Answer answer = Out({"List of devices attached"});
    int transport = 1;
    for (const auto& serial : serials) {
        if (longForm) {
            std::string padded = serial + std::string(serial.size() < 22 ? 22 - serial.size() : 0, ' ');
            answer.out.push_back(padded + " " + shownState + " usb:1-1 product:pellucor_test model:Pellucor_Test_Phone" +
                                 " device:pellucor_test transport_id:" + std::to_string(transport++));
        } else {
            answer.out.push_back(serial + "\t" + shownState);
        }
    }
    answer.out.push_back("");  // adb ends the list with an empty line
    return answer;
}

// The phone's packages and settings as earlier calls left them in FAKE_ADB_PHONE's file; without
// that variable each call starts from the environment's rule and keeps nothing.
Phone LoadPhone(const std::filesystem::path& file)
{
    Phone phone;
    if (!file.empty()) {
        phone.file = ReadPhoneFile(file);
    }
    if (const char* listed = std::getenv("FAKE_ADB_PACKAGES")) {
        phone.listedPackages = listed;
    }
    return phone;
}

Answer Shell(const Args& args)
{
    std::filesystem::path file = EnvPath("FAKE_ADB_PHONE");
    Phone phone = LoadPhone(file);
    // adb hands the phone one command line
    phone.sdk = std::atoi(Env("FAKE_ADB_SDK", "31").c_str());
    PhoneProperties properties = {{"ro.build.version.release", Env("FAKE_ADB_RELEASE", "12")},
                                  {"ro.build.version.sdk", Env("FAKE_ADB_SDK", "31")},
                                  {"ro.product.model", "Pellucor_Test_Phone"},
                                  {"ro.serialno", kSerial}};
    Answer answer = ShellCommand(Join(args, 1), phone, properties);
    if (phone.changed && !file.empty() && !WritePhoneFile(file, phone.file)) {
        return Fail({"fake adb: cannot write the phone's state file (FAKE_ADB_PHONE)"});
    }
    return answer;
}

// Without the shell protocol (a phone before Android 7, or an old adb) the phone's standard error
// arrives on standard output and adb exits 0 whatever the command's exit status.
bool LegacyShell() { return Env("FAKE_ADB_SHELL_PROTOCOL") == "none"; }

Answer WithoutShellProtocol(Answer answer)
{
    answer.out.insert(answer.out.end(), answer.err.begin(), answer.err.end());
    answer.err.clear();
    answer.exitCode = 0;
    return answer;
}

// The package file is the last argument, a path in UTF-8; real adb stats it before anything else.
Answer Install(const Args& args)
{
    const std::string& file = args.back();
    std::error_code error;
    if (args.size() < 2 || !std::filesystem::is_regular_file(Utf8Path(file), error)) {
        return Fail({"adb: failed to stat " + file + ": No such file or directory"});
    }
    return Out({"Success"});
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
        return GetState(state);
    }
    if (verb == "devices") {
        return Devices(state, args.size() > 1 && args[1] == "-l");
    }
    if (verb == "kill-server" || verb == "start-server") {
        return {};
    }
    if (verb == "version") {
        return Out({"Android Debug Bridge version 1.0.41", "Version 34.0.0-pellucor-test"});
    }
    if (verb == "connect") {
        return args.size() > 1 ? Connect(args[1]) : Fail({"adb: usage: adb connect HOST[:PORT]"});
    }
    if (verb == "disconnect") {
        return Out({args.size() > 1 ? "disconnected " + args[1] : "disconnected everything"});
    }
    bool needsPhone = verb == "shell" || verb == "install" || verb == "reboot" || verb == "tcpip" || verb == "uninstall";
    if (!needsPhone) {
        return Fail({"adb: unknown command " + verb});
    }
    if (auto error = DeviceError(state)) {
        return verb == "shell" ? WithClientPrefix(*error) : *error;
    }
    if (verb == "shell") {
        return LegacyShell() ? WithoutShellProtocol(Shell(args)) : Shell(args);
    }
    if (verb == "install") {
        return Install(args);
    }
    if (verb == "tcpip") {
        return args.size() > 1 ? Out({"restarting in TCP mode port: " + args[1]}) : Fail({"adb: usage: adb tcpip PORT"});
    }
    return {};  // reboot [mode]
}

// Options before the command that name a device or server; they change nothing here.
Args WithoutGlobalOptions(const Args& args)
{
    std::size_t i = 0;
    while (i < args.size() && args[i].size() == 2 && args[i][0] == '-') {
        bool takesValue = args[i] == "-s" || args[i] == "-t" || args[i] == "-H" || args[i] == "-P";
        i += takesValue ? 2 : 1;
    }
    return Args(args.begin() + static_cast<long>(std::min(i, args.size())), args.end());
}

void Write(std::FILE* stream, const std::vector<std::string>& lines, const std::string& lineEnd)
{
    for (const auto& line : lines) {
        std::string text = line + lineEnd;
        std::fwrite(text.data(), 1, text.size(), stream);
    }
    std::fflush(stream);
}

// Endless mode still gives up eventually, so that a test run never leaves it behind for long.
[[noreturn]] void Hang()
{
    long long limitS = std::atoll(Env("FAKE_ADB_HANG_MAX_S", "600").c_str());
    for (long long waitedS = 0; waitedS < limitS; ++waitedS) {
        SleepMs(1000);
    }
    std::exit(1);
}

int Run(const Args& args)
{
    AppendToLog(args.empty() ? "adb" : "adb " + Join(args, 0));
    std::string state = Env("FAKE_ADB_STATE", "device");
    if (state == "hang") {
        Hang();
    }
    if (long long delayMs = std::atoll(Env("FAKE_ADB_DELAY_MS", "0").c_str()); delayMs > 0) {
        SleepMs(delayMs);
    }
    Args command = WithoutGlobalOptions(args);
    Answer answer = command.empty() ? Fail({"adb: no command given"}) : Command(command, state);
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
        int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8.data(), size, nullptr, nullptr);
        args.push_back(utf8.c_str());
    }
    return Run(args);
}
#else
int main(int argc, char* argv[]) { return Run(Args(argv + 1, argv + argc)); }
#endif
