// A private adb server for one Windows test under Wine, with simulated phones: Debian's adb and sim_phone, both Unix programs.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adb_bridge/unix_command.h"
#include "platform/win32/owned_handle.h"
#include "support/phone_files.h"
#include "support/phone_setup.h"

// One simulated phone, reached by the server as "127.0.0.1:PORT"; its files are Windows paths that
// the phone reaches by their Unix names. Its log holds what reached it.
class WineSimPhone : public PhoneFiles {
public:
    // Empty when the phone could not be started or connected.
    const std::string& Serial() const { return serial_; }

private:
    friend class WineAdbServer;
    std::string serial_;
    std::string pidFile_;  // Unix path
};

// PhoneLab's twin under Wine: while it exists, every adb the test starts (the bridge beside the test
// program, directly or through cmd.exe and the companion scripts) talks to an adb server of its
// own, with HOME a private folder and ANDROID_ADB_SERVER_PORT a port of its own. The destructor,
// which also runs when the test fails, ends the phones and the server, removes the folder and
// restores the variables; should the test program end without it, a guard does the same.
class WineAdbServer {
public:
    WineAdbServer();
    ~WineAdbServer();
    WineAdbServer(const WineAdbServer&) = delete;
    WineAdbServer& operator=(const WineAdbServer&) = delete;

    // Starts a phone and connects it, and waits until the server lists it in the state the setup
    // gives. A phone that could not be started or
    // connected fails the test and has no serial.
    WineSimPhone& Attach(const PhoneSetup& setup = {});
    // Disconnects the phone and ends it: it is no longer attached.
    void Detach(WineSimPhone& phone);

private:
    bool StartServer();
    void StartGuard();
    // The client's command line with the arguments (each a word), against this server.
    std::string ClientCommand(const std::vector<std::string>& arguments) const;
    std::string EndingScript() const;
    void EndEverything();

    std::string folder_;      // Windows path, UTF-8
    std::string unixFolder_;
    int port_ = 0;
    std::list<WineSimPhone> phones_;
    std::vector<std::pair<std::string, std::string>> savedVariables_;  // name, value before ("" unset)
    OwnedHandle alive_;     // the file "alive", locked while the fixture lives (see StartGuard)
    bool guarded_ = false;  // the guard runs: it removes the folder once the lock is let go
};
