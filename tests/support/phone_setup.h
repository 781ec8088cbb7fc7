// What a simulated phone is like: sim_phone's options, for the native phone lab and the Windows tests' server.
#pragma once

#include <string>

// tests/sim_phone/README.md tells each state.
struct PhoneSetup {
    std::string state = "device";  // device, recovery, unauthorized, offline
    std::string model = "Pellucor_Sim_Phone";
    std::string sdk = "31";       // ro.build.version.sdk
    bool legacyShell = false;     // a phone before Android 7: no shell protocol
};
