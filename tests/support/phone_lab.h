// A private adb world for one test: the real adb client, its own server, simulated phones (Unix programs, also under Wine).
#pragma once

#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_phone.h"

// What a simulated phone is like: sim_phone's options (tests/sim_phone/README.md tells each state).
struct PhoneSetup {
    std::string state = "device";  // device, recovery, unauthorized, offline
    std::string model = "Pellucor_Sim_Phone";
    std::string sdk = "31";    // ro.build.version.sdk
    bool legacyShell = false;  // a phone before Android 7: no shell protocol
};

// One simulated phone, reached by the server as "127.0.0.1:PORT". Its log holds what reached it.
class SimPhone : public PhoneFiles {
public:
    explicit SimPhone(const PhoneSetup& setup) : setup_(setup) {}
    // The server's name for it, "127.0.0.1:PORT", a new port each time it is started; empty while
    // it could not be started and connected.
    const std::string& Serial() const { return serial_; }
    const PhoneSetup& Setup() const { return setup_; }

private:
    friend class PhoneLab;
    PhoneSetup setup_;
    std::string serial_;
    std::string serialNumber_;  // ro.serialno, the same whenever it is started: "SIM" and its first port
    std::string stem_;          // Unix path of its port, pid and error files without their extensions
};

// While it exists, every adb the test starts (the real client, or on Windows the bridge beside the
// test program, directly or through the interpreter and the companion scripts) talks to a server of
// its own: HOME is a private folder (no user key, no other server's files), ANDROID_ADB_SERVER_PORT
// a port of its own, ANDROID_SERIAL unset. On Linux the test program's folder holds the real client
// in place of the fake adb meanwhile. The destructor, which also runs when the test fails, ends the
// phones and the server and puts the fake adb and the variables back; should the test program end
// without it, a guard does the same. One at a time.
class PhoneLab {
public:
    PhoneLab();
    ~PhoneLab();
    PhoneLab(const PhoneLab&) = delete;
    PhoneLab& operator=(const PhoneLab&) = delete;

    // Starts the server now, so that the program's first adb command prints no notice of starting
    // it. Attach does this itself.
    void StartServer();
    // Starts a simulated phone and connects the server to it; returns once `adb devices` shows it
    // in its state. A phone that could not be started or connected fails the test and has no serial.
    SimPhone& Attach(const PhoneSetup& setup = {});
    // Disconnects the phone and stops it: it is no longer attached.
    void Detach(SimPhone& phone);
    // The phone is unplugged, and plugged in again later: it keeps its packages, settings and
    // serial number, and comes back under a new server name.
    void Unplug(SimPhone& phone);
    void Plug(SimPhone& phone);
    const std::list<SimPhone>& Phones() const { return phones_; }
    // The real client's Unix path, for a test that places it elsewhere too.
    static std::string Client();

private:
    bool ServerRuns() const;
    // The client's command line with the arguments (each a word), against this server.
    std::string ClientCommand(const std::vector<std::string>& arguments) const;
    std::string EndingScript() const;
    void StartGuard();

    std::string folder_;  // UTF-8; a Windows path under Wine
    std::string unixFolder_;
    int port_ = 0;
    std::list<SimPhone> phones_;
    std::vector<std::pair<std::string, std::string>> savedVariables_;  // name, value before ("" unset)
    std::function<void()> letGo_;  // lets go of the lock the guard waits for
    bool guarded_ = false;         // the guard runs: it removes the folder once the lock is let go
};
