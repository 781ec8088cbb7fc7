// A private adb world for one test: the real adb client beside the test program, its own server, simulated phones.
#pragma once

#include <list>
#include <string>
#include <string_view>

#include "support/phone_files.h"
#include "support/phone_setup.h"

// One simulated phone, reached by the server as "127.0.0.1:PORT". Its log holds what reached it.
class SimPhone : public PhoneFiles {
public:
    SimPhone(const PhoneSetup& setup, const std::string& program);
    ~SimPhone();
    // The server's name for it, "127.0.0.1:PORT"; a new port each time it is started.
    const std::string& Serial() const { return serial_; }
    const PhoneSetup& Setup() const { return setup_; }
    // The phone is switched off (its process ends); the server sees it offline, then gone.
    void Stop();
    // Switched on again, with the packages and settings it kept.
    void Start();

private:
    PhoneSetup setup_;
    std::string program_;
    std::string serial_;
    std::string serialNumber_;  // ro.serialno, the same whenever it is started: "SIM" and its first port
    int process_ = -1;
};

// While it exists, the test program's folder holds the real adb client (Debian's, in place of the
// fake), and the test's adb commands reach a server of their own: HOME is a fresh folder (no user
// key, no other server's files), ANDROID_ADB_SERVER_PORT a free port, ANDROID_SERIAL unset. The
// destructor stops the server and every phone and puts the fake adb and the environment back, so
// that a failing test leaves nothing running. One at a time.
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
    // in its state.
    SimPhone& Attach(const PhoneSetup& setup = {});
    // Disconnects the phone and stops it: it is no longer attached.
    void Detach(SimPhone& phone);
    // The phone is unplugged, and plugged in again later: it keeps its packages, settings and
    // serial number, and comes back under a new server name.
    void Unplug(SimPhone& phone);
    void Plug(SimPhone& phone);
    const std::list<SimPhone>& Phones() const { return phones_; }
    // The real client's path, for a test that places it elsewhere too.
    static std::string Client();

private:
    // Connects the server to the phone and waits until `adb devices` lists it in its state.
    void Connect(const SimPhone& phone);
    void KillServer();
    // What the client printed (both streams, in write order) for the arguments.
    std::string Adb(std::string_view arguments) const;

    std::string home_;
    std::string port_;
    std::string besideProgram_;  // the adb beside the test program
    std::list<SimPhone> phones_;
};
