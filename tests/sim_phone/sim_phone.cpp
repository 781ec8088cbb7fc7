// A simulated phone for the tests: adb's device side on a loopback TCP port, answering the real adb client.
//
// The adb server reaches it as it reaches a phone on Wi-Fi, after `adb connect 127.0.0.1:PORT`. Facts
// from adb's sources: protocol.txt (messages, CNXN, AUTH, OPEN/OKAY/WRTE/CLSE and the flow control of
// one WRTE at a time), SERVICES.TXT (the "shell:", "reboot:" and "tcpip:" services),
// shell_protocol.h (the "shell,v2" packets) and transport.cpp (the banner's properties and features).
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "fake_adb/phone_file.h"
#include "fake_adb/phone_services.h"
#include "sim_phone/adb_messages.h"

namespace {

// What the phone is like; see Usage.
struct Options {
    std::string state = "device";
    bool legacyShell = false;
    int delayMs = 0;
    std::string model = "Pellucor_Sim_Phone";
    std::string product = "pellucor_sim";
    std::string device = "pellucor_sim";
    std::string sdk = "31";
    std::string release = "12";
    std::string serialNumber;  // ro.serialno; "SIM" and the port when not given
    std::string phoneFile;
    std::string portFile;
    std::string log;
};

constexpr const char* kUsage =
    "usage: sim_phone [--state device|recovery|sideload|unauthorized|offline|hung|drop] [--legacy-shell]\n"
    "                 [--delay-ms N]\n"
    "                 [--model M] [--product P] [--device D] [--sdk N] [--release R] [--serialno S]\n"
    "                 [--phone-file F] [--port-file F] [--log F]\n";

bool ReadOptions(int argc, char* argv[], Options& options)
{
    std::map<std::string, std::string*> valued = {
        {"--state", &options.state},       {"--model", &options.model},     {"--product", &options.product},
        {"--device", &options.device},     {"--sdk", &options.sdk},         {"--release", &options.release},
        {"--serialno", &options.serialNumber},
        {"--phone-file", &options.phoneFile}, {"--port-file", &options.portFile}, {"--log", &options.log}};
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--legacy-shell") {
            options.legacyShell = true;
        } else if (name == "--delay-ms" && i + 1 < argc) {
            options.delayMs = std::atoi(argv[++i]);
        } else if (valued.contains(name) && i + 1 < argc) {
            *valued[name] = argv[++i];
        } else {
            return false;
        }
    }
    const std::string& state = options.state;
    return state == "device" || state == "recovery" || state == "sideload" || state == "unauthorized" ||
           state == "offline" || state == "hung" || state == "drop";
}

// One stream the host opened: the bytes still to send, sent one WRTE at a time.
struct Stream {
    std::uint32_t hostId = 0;
    std::string pending;
    bool awaitingOkay = false;
};

class Connection {
public:
    Connection(int socket, const Options& options) : socket_(socket), options_(options) {}

    // Serves the host until it leaves, the phone drops the link or "reboots".
    void Serve()
    {
        char buffer[64 * 1024];
        while (open_) {
            ssize_t got = read(socket_, buffer, sizeof buffer);
            if (got <= 0) {
                return;
            }
            inbox_.append(buffer, static_cast<std::size_t>(got));
            bool damaged = false;
            while (open_) {
                auto decoded = adb::DecodeFront(inbox_, damaged);
                if (!decoded) {
                    break;
                }
                inbox_.erase(0, decoded->size);
                Handle(decoded->message);
            }
            if (damaged) {
                return;  // protocol.txt: a message that is not adb's closes the connection
            }
        }
    }

private:
    void Send(const adb::Message& message)
    {
        std::string bytes = adb::Encode(message);
        for (std::size_t sent = 0; sent < bytes.size();) {
            ssize_t wrote = write(socket_, bytes.data() + sent, bytes.size() - sent);
            if (wrote <= 0) {
                open_ = false;
                return;
            }
            sent += static_cast<std::size_t>(wrote);
        }
    }

    void Handle(const adb::Message& message)
    {
        switch (message.command) {
        case adb::kConnect:
            hostMaxPayload_ = std::min(message.arg1 == 0 ? 4096U : message.arg1, adb::kMaxPayload);
            Greet();
            break;
        case adb::kAuth:
            // The host signed the token with a key the phone never accepts: it asks again, until the
            // host sends its public key, which waits for the user's answer on the phone's screen.
            if (message.arg0 == adb::kAuthSignature) {
                SendToken();
            }
            break;
        case adb::kOpen:
            if (connected_) {
                Open(message.arg0, message.payload);
            }
            break;
        case adb::kOkay:
            if (auto stream = streams_.find(message.arg1); stream != streams_.end()) {
                stream->second.awaitingOkay = false;
                SendNext(message.arg1);
            }
            break;
        case adb::kWrite:
            // Standard input and shell packets the commands here never read: taken and acknowledged.
            Send({adb::kOkay, message.arg1, message.arg0, {}});
            break;
        case adb::kClose:
            streams_.erase(message.arg1);
            break;
        default:
            break;
        }
    }

    // An offline phone never answers the host's CNXN; an unauthorized one asks for a signature.
    void Greet()
    {
        if (options_.state == "offline") {
            return;
        }
        if (options_.state == "unauthorized") {
            SendToken();
            return;
        }
        // The banner's system type is the state the server shows: "device", or a service mode.
        std::string system = options_.state == "recovery" || options_.state == "sideload" ? options_.state : "device";
        std::string banner = system + "::ro.product.name=" + options_.product + ";ro.product.model=" + options_.model +
                             ";ro.product.device=" + options_.device + ";";
        if (!options_.legacyShell) {
            banner += "features=shell_v2,cmd";
        }
        Send({adb::kConnect, adb::kVersion, adb::kMaxPayload, banner});
        connected_ = true;
    }

    void SendToken() { Send({adb::kAuth, adb::kAuthToken, 0, std::string(20, '\x5a')}); }

    void Open(std::uint32_t hostId, std::string service)
    {
        if (!service.empty() && service.back() == '\0') {
            service.pop_back();
        }
        if (options_.state == "hung") {
            return;  // the OPEN is never answered
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(options_.delayMs));
        std::optional<std::string> answer = ServiceAnswer(service);
        if (!answer) {
            Send({adb::kClose, 0, hostId, {}});  // protocol.txt: an OPEN refused is closed at once
            return;
        }
        std::uint32_t phoneId = nextId_++;
        Send({adb::kOkay, phoneId, hostId, {}});
        if (options_.state == "drop") {
            Send({adb::kWrite, phoneId, hostId, answer->substr(0, answer->size() / 2)});
            open_ = false;  // the cable is pulled in the middle of the answer
            return;
        }
        if (service.starts_with("reboot:")) {
            open_ = false;  // the phone goes down at once
            return;
        }
        streams_[phoneId] = {hostId, std::move(*answer), false};
        SendNext(phoneId);
    }

    void SendNext(std::uint32_t phoneId)
    {
        Stream& stream = streams_[phoneId];
        if (stream.awaitingOkay) {
            return;
        }
        if (stream.pending.empty()) {
            Send({adb::kClose, phoneId, stream.hostId, {}});
            streams_.erase(phoneId);
            return;
        }
        std::size_t size = std::min<std::size_t>(stream.pending.size(), hostMaxPayload_);
        Send({adb::kWrite, phoneId, stream.hostId, stream.pending.substr(0, size)});
        stream.pending.erase(0, size);
        stream.awaitingOkay = true;
    }

    // The bytes a service sends back; none for a service this phone does not offer.
    std::optional<std::string> ServiceAnswer(const std::string& service)
    {
        std::size_t colon = service.find(':');
        if (colon == std::string::npos) {
            return std::nullopt;
        }
        std::string name = service.substr(0, colon);
        std::string argument = service.substr(colon + 1);
        if (name == "shell" || name.starts_with("shell,")) {
            bool shellProtocol = name.find(",v2") != std::string::npos && !options_.legacyShell;
            return Shell(argument, shellProtocol);
        }
        if (name == "reboot") {
            Log("reboot" + (argument.empty() ? "" : " " + argument));
            return std::string();
        }
        if (name == "tcpip") {
            Log("tcpip " + argument);
            return "restarting in TCP mode port: " + argument + "\n";
        }
        return std::nullopt;
    }

    // The shell protocol keeps the streams and the exit status apart; without it (a phone before
    // Android 7) both streams arrive as one through a terminal, whose line ends are CR LF, and the
    // exit status is lost.
    std::string Shell(const std::string& commandLine, bool shellProtocol)
    {
        Log("shell " + commandLine);
        Phone phone;
        phone.sdk = std::atoi(options_.sdk.c_str());
        if (!options_.phoneFile.empty()) {
            phone.file = ReadPhoneFile(options_.phoneFile);
        }
        PhoneProperties properties = {{"ro.product.model", options_.model},
                                      {"ro.product.name", options_.product},
                                      {"ro.product.device", options_.device},
                                      {"ro.build.version.sdk", options_.sdk},
                                      {"ro.serialno", options_.serialNumber},
                                      {"ro.build.version.release", options_.release}};
        Answer answer = ShellCommand(commandLine, phone, properties);
        if (phone.changed && !options_.phoneFile.empty()) {
            WritePhoneFile(options_.phoneFile, phone.file);
        }
        std::string lineEnd = shellProtocol ? "\n" : "\r\n";
        auto joined = [&](const std::vector<std::string>& lines) {
            std::string text;
            for (const std::string& line : lines) {
                text += line + lineEnd;
            }
            return text;
        };
        if (!shellProtocol) {
            return joined(answer.out) + joined(answer.err);
        }
        std::string packets;
        if (!answer.out.empty()) {
            packets += adb::ShellPacketBytes(adb::ShellPacket::Stdout, joined(answer.out));
        }
        if (!answer.err.empty()) {
            packets += adb::ShellPacketBytes(adb::ShellPacket::Stderr, joined(answer.err));
        }
        return packets + adb::ShellPacketBytes(adb::ShellPacket::Exit, std::string(1, static_cast<char>(answer.exitCode)));
    }

    // What reached the phone, written as the adb command that sends it.
    void Log(const std::string& command)
    {
        if (!options_.log.empty()) {
            std::ofstream(options_.log, std::ios::binary | std::ios::app) << "adb " << command << "\n";
        }
    }

    int socket_;
    const Options& options_;
    std::string inbox_;
    std::uint32_t hostMaxPayload_ = 4096;
    std::map<std::uint32_t, Stream> streams_;  // by the phone's id of the stream
    std::uint32_t nextId_ = 1;
    bool connected_ = false;
    bool open_ = true;
};

// A listening socket on a free loopback port, and the port; -1 when none can be had.
int Listen(int& port)
{
    int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (socket < 0 || bind(socket, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(socket, 4) != 0 ||
        getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return -1;
    }
    port = ntohs(address.sin_port);
    return socket;
}

// The port goes to a fresh file renamed into place, so that a reader never sees half of it.
bool AnnouncePort(int port, const std::string& portFile)
{
    std::printf("%d\n", port);
    std::fflush(stdout);
    if (portFile.empty()) {
        return true;
    }
    std::string fresh = portFile + ".new";
    std::ofstream(fresh, std::ios::trunc) << port << "\n";
    std::error_code error;
    std::filesystem::rename(fresh, portFile, error);
    return !error;
}

}  // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // It never outlives the test that started it, even one that crashed.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    signal(SIGPIPE, SIG_IGN);
    int port = 0;
    int listening = Listen(port);
    if (listening < 0 || !AnnouncePort(port, options.portFile)) {
        std::perror("sim_phone: cannot listen on a loopback port");
        return 1;
    }
    if (options.serialNumber.empty()) {
        options.serialNumber = "SIM" + std::to_string(port);
    }
    // One host at a time, as a phone has one adb server; after a drop or a reboot the server
    // connects again.
    for (;;) {
        int host = accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
        if (host < 0) {
            continue;
        }
        Connection(host, options).Serve();
        close(host);
    }
}
