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

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "fake_adb/phone_services.h"

namespace {

// protocol.txt: every message is a 24-byte header of six little-endian 32-bit words (command, arg0,
// arg1, payload length, payload checksum, command ^ 0xffffffff) and its payload.
constexpr std::uint32_t kConnect = 0x4e584e43;  // "CNXN"
constexpr std::uint32_t kAuth = 0x48545541;     // "AUTH"
constexpr std::uint32_t kOpen = 0x4e45504f;     // "OPEN"
constexpr std::uint32_t kOkay = 0x59414b4f;     // "OKAY"
constexpr std::uint32_t kClose = 0x45534c43;    // "CLSE"
constexpr std::uint32_t kWrite = 0x45545257;    // "WRTE"
// adb.h: A_VERSION and MAX_PAYLOAD; protocol.txt: AUTH(TOKEN, 0, data) and AUTH(SIGNATURE, 0, data).
constexpr std::uint32_t kVersion = 0x01000001;
constexpr std::uint32_t kMaxPayload = 256 * 1024;
constexpr std::uint32_t kAuthToken = 1;
constexpr std::uint32_t kAuthSignature = 2;
constexpr std::size_t kHeaderSize = 24;

struct Message {
    std::uint32_t command = 0;
    std::uint32_t arg0 = 0;
    std::uint32_t arg1 = 0;
    std::string payload;
};

void PutWord(std::string& bytes, std::uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((word >> shift) & 0xff);
    }
}

std::uint32_t WordAt(std::string_view bytes, std::size_t at)
{
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) {
        word = (word << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return word;
}

// The checksum stays 0: only hosts before A_VERSION 0x01000001, the version this phone speaks, check it.
std::string Encode(const Message& message)
{
    std::string bytes;
    for (std::uint32_t word : {message.command, message.arg0, message.arg1,
                               static_cast<std::uint32_t>(message.payload.size()), 0U, message.command ^ 0xffffffffU}) {
        PutWord(bytes, word);
    }
    return bytes + message.payload;
}

// shell_protocol.h: in a "shell,v2" stream every packet is a one-byte id (1 stdout, 2 stderr,
// 3 exit), a four-byte little-endian length and the data.
std::string ShellPacket(char id, std::string_view data)
{
    std::string bytes(1, id);
    PutWord(bytes, static_cast<std::uint32_t>(data.size()));
    return bytes.append(data);
}

// What the phone is like; see tests/sim_phone/README.md.
struct Options {
    std::string state = "device";
    bool legacyShell = false;
    std::string model = "Pellucor_Sim_Phone";
    std::string sdk = "31";
    std::string serialNumber;  // ro.serialno; "SIM" and the port when not given
    std::string phoneFile;
    std::string portFile;
    std::string log;
};

bool ReadOptions(int argc, char* argv[], Options& options)
{
    std::map<std::string, std::string*> valued = {{"--state", &options.state},         {"--model", &options.model},
                                                  {"--sdk", &options.sdk},             {"--serialno", &options.serialNumber},
                                                  {"--phone-file", &options.phoneFile}, {"--port-file", &options.portFile},
                                                  {"--log", &options.log}};
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--legacy-shell") {
            options.legacyShell = true;
        } else if (valued.contains(name) && i + 1 < argc) {
            *valued[name] = argv[++i];
        } else {
            return false;
        }
    }
    return options.state == "device" || options.state == "recovery" || options.state == "unauthorized" ||
           options.state == "offline";
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

    // Serves the host until it leaves or the phone "reboots"; a message that is not adb's (its
    // magic does not match) closes the connection, as protocol.txt has it.
    void Serve()
    {
        char buffer[64 * 1024];
        for (ssize_t got; open_ && (got = read(socket_, buffer, sizeof buffer)) > 0;) {
            inbox_.append(buffer, static_cast<std::size_t>(got));
            while (open_ && inbox_.size() >= kHeaderSize) {
                Message message{WordAt(inbox_, 0), WordAt(inbox_, 4), WordAt(inbox_, 8), {}};
                std::uint32_t length = WordAt(inbox_, 12);
                if (WordAt(inbox_, 20) != (message.command ^ 0xffffffffU) || length > kMaxPayload * 4) {
                    return;
                }
                if (inbox_.size() < kHeaderSize + length) {
                    break;
                }
                message.payload = inbox_.substr(kHeaderSize, length);
                inbox_.erase(0, kHeaderSize + length);
                Handle(message);
            }
        }
    }

private:
    void Send(const Message& message)
    {
        std::string bytes = Encode(message);
        for (std::size_t sent = 0; sent < bytes.size();) {
            ssize_t wrote = write(socket_, bytes.data() + sent, bytes.size() - sent);
            if (wrote <= 0) {
                open_ = false;
                return;
            }
            sent += static_cast<std::size_t>(wrote);
        }
    }

    void Handle(const Message& message)
    {
        if (message.command == kConnect) {
            hostMaxPayload_ = std::min(message.arg1 == 0 ? 4096U : message.arg1, kMaxPayload);
            Greet();
        } else if (message.command == kAuth && message.arg0 == kAuthSignature) {
            // The host signed the token with a key the phone never accepts: it asks again, until the
            // host sends its public key, which waits for the user's answer on the phone's screen.
            SendToken();
        } else if (message.command == kOpen && connected_) {
            Open(message.arg0, message.payload);
        } else if (message.command == kOkay && streams_.contains(message.arg1)) {
            streams_[message.arg1].awaitingOkay = false;
            SendNext(message.arg1);
        } else if (message.command == kWrite) {
            // Standard input and shell packets the commands here never read: taken and acknowledged.
            Send({kOkay, message.arg1, message.arg0, {}});
        } else if (message.command == kClose) {
            streams_.erase(message.arg1);
        }
    }

    // An offline phone never answers the host's CNXN; an unauthorized one asks for a signature.
    // The banner's system type is the state the server shows: "device", or a service mode.
    void Greet()
    {
        if (options_.state == "unauthorized") {
            SendToken();
        } else if (options_.state != "offline") {
            std::string banner = options_.state + "::ro.product.name=pellucor_sim;ro.product.model=" + options_.model +
                                 ";ro.product.device=pellucor_sim;" + (options_.legacyShell ? "" : "features=shell_v2,cmd");
            Send({kConnect, kVersion, kMaxPayload, banner});
            connected_ = true;
        }
    }

    void SendToken() { Send({kAuth, kAuthToken, 0, std::string(20, '\x5a')}); }

    void Open(std::uint32_t hostId, std::string service)
    {
        if (!service.empty() && service.back() == '\0') {
            service.pop_back();
        }
        std::optional<std::string> answer = ServiceAnswer(service);
        if (!answer) {
            Send({kClose, 0, hostId, {}});  // protocol.txt: an OPEN refused is closed at once
            return;
        }
        std::uint32_t phoneId = nextId_++;
        Send({kOkay, phoneId, hostId, {}});
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
            Send({kClose, phoneId, stream.hostId, {}});
            streams_.erase(phoneId);
            return;
        }
        std::size_t size = std::min<std::size_t>(stream.pending.size(), hostMaxPayload_);
        Send({kWrite, phoneId, stream.hostId, stream.pending.substr(0, size)});
        stream.pending.erase(0, size);
        stream.awaitingOkay = true;
    }

    // The bytes a service sends back; none for a service this phone does not offer.
    std::optional<std::string> ServiceAnswer(const std::string& service)
    {
        std::size_t colon = service.find(':');
        std::string name = service.substr(0, colon);
        std::string argument = colon == std::string::npos ? "" : service.substr(colon + 1);
        if (colon != std::string::npos && (name == "shell" || name.starts_with("shell,"))) {
            return Shell(argument, name.find(",v2") != std::string::npos && !options_.legacyShell);
        }
        if (colon != std::string::npos && (name == "reboot" || name == "tcpip")) {
            Log(name + (argument.empty() ? "" : " " + argument));
            return name == "reboot" ? "" : "restarting in TCP mode port: " + argument + "\n";
        }
        return std::nullopt;
    }

    // The shell protocol keeps the streams and the exit status apart; without it (a phone before
    // Android 7) both streams arrive as one through a terminal, whose line ends are CR LF, and the
    // exit status is lost.
    std::string Shell(const std::string& commandLine, bool shellProtocol)
    {
        Log("shell " + commandLine);
        Answer answer = ShellOnPhone(commandLine, options_.phoneFile,
                                     {{"ro.product.model", options_.model},
                                      {"ro.build.version.sdk", options_.sdk},
                                      {"ro.build.version.release", "12"},
                                      {"ro.serialno", options_.serialNumber}});
        std::string out;
        std::string err;
        for (const std::string& line : answer.out) {
            out += line + (shellProtocol ? "\n" : "\r\n");
        }
        for (const std::string& line : answer.err) {
            err += line + (shellProtocol ? "\n" : "\r\n");
        }
        if (!shellProtocol) {
            return out + err;
        }
        return (out.empty() ? "" : ShellPacket(1, out)) + (err.empty() ? "" : ShellPacket(2, err)) +
               ShellPacket(3, std::string(1, static_cast<char>(answer.exitCode)));
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
    if (!ReadOptions(argc, argv, options) || options.portFile.empty()) {
        std::fputs("usage: sim_phone --port-file F [--state device|recovery|unauthorized|offline] [--legacy-shell]\n"
                   "                 [--model M] [--sdk N] [--serialno S] [--phone-file F] [--log F]\n",
                   stderr);
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
    // One host at a time, as a phone has one adb server; after a reboot the server connects again.
    for (;;) {
        int host = accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
        if (host >= 0) {
            Connection(host, options).Serve();
            close(host);
        }
    }
}
