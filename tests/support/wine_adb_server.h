// A private adb server for one Windows test under Wine, with simulated phones: Debian's adb and sim_phone, both Unix programs.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adb_bridge/unix_command.h"
#include "fake_adb/phone_file.h"
#include "platform/win32/owned_handle.h"

// What a simulated phone is (sim_phone's options); empty texts leave sim_phone's own.
struct SimulatedPhoneSpec {
    std::string state = "device";  // device, unauthorized, offline, hung (never answers a command), drop
    bool legacyShell = false;      // a phone without the shell protocol: output merged, exit code 0
    int delayMs = 0;               // a slow phone: this long before each answer
    std::string model;
    std::string release;
    PhoneFile seed;                // its packages and settings when it starts
};

// While it exists, every adb the test starts (the bridge beside the test program, directly or
// through cmd.exe and the companion scripts) talks to an adb server of its own: HOME is a private
// folder, so the client's key is made there and nothing of the user's is read, and
// ANDROID_ADB_SERVER_PORT a port of its own (never 5037, nor 5555 to 5585, which the server polls
// as emulators). The constructor starts the server; AddPhone starts a simulated phone and connects
// the server to it. The destructor, which also runs when the test fails, ends the phones and the
// server (whose end ends every client still waiting on it), removes the folder and restores the
// variables; should the test program end without it, a guard does the same. One at a time.
class WineAdbServer {
public:
    WineAdbServer();
    ~WineAdbServer();
    WineAdbServer(const WineAdbServer&) = delete;
    WineAdbServer& operator=(const WineAdbServer&) = delete;

    // Starts a phone and connects it, and waits until the server lists it in the state the spec
    // gives (hung and drop phones list as "device"). Returns its serial, "127.0.0.1:PORT"; empty
    // (and a failure of the test) when it could not be started or connected.
    std::string AddPhone(const SimulatedPhoneSpec& spec = {});
    // The phone file of a phone AddPhone started, read now.
    PhoneFile Phone(std::string_view serial) const;

    // The client run with the arguments (each a word) against this server, as a test's own step.
    UnixRun Client(const std::vector<std::string>& arguments) const;
    int Port() const { return port_; }

private:
    struct StartedPhone {
        std::string serial;
        std::string phoneFile;  // Windows path, UTF-8
        std::string pidFile;    // Unix path
    };

    bool StartServer();
    void StartGuard();
    std::string ClientCommand(const std::vector<std::string>& arguments) const;
    std::string EndingScript() const;
    void EndEverything();

    std::string folder_;      // Windows path, UTF-8
    std::string unixFolder_;
    int port_ = 0;
    std::vector<StartedPhone> phones_;
    std::vector<std::pair<std::string, std::string>> savedVariables_;  // name, value before ("" unset)
    OwnedHandle alive_;  // the file "alive", locked while the fixture lives (see StartGuard)
};
