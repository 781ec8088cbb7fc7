// adb's transport messages and shell-protocol packets, as the phone's side writes and reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// adb's protocol.txt: every message is a 24-byte header of six little-endian 32-bit words
// (command, arg0, arg1, payload length, payload checksum, command ^ 0xffffffff) and its payload.
namespace adb {

inline constexpr std::uint32_t kConnect = 0x4e584e43;  // "CNXN"
inline constexpr std::uint32_t kAuth = 0x48545541;     // "AUTH"
inline constexpr std::uint32_t kOpen = 0x4e45504f;     // "OPEN"
inline constexpr std::uint32_t kOkay = 0x59414b4f;     // "OKAY"
inline constexpr std::uint32_t kClose = 0x45534c43;    // "CLSE"
inline constexpr std::uint32_t kWrite = 0x45545257;    // "WRTE"

// adb.h: A_VERSION, the version from which the checksum is no longer checked, and MAX_PAYLOAD.
inline constexpr std::uint32_t kVersion = 0x01000001;
inline constexpr std::uint32_t kMaxPayload = 256 * 1024;

// protocol.txt, AUTH(type, 0, data): the phone's token, the host's signature, the host's key.
inline constexpr std::uint32_t kAuthToken = 1;
inline constexpr std::uint32_t kAuthSignature = 2;
inline constexpr std::uint32_t kAuthPublicKey = 3;

inline constexpr std::size_t kHeaderSize = 24;

struct Message {
    std::uint32_t command = 0;
    std::uint32_t arg0 = 0;
    std::uint32_t arg1 = 0;
    std::string payload;
};

// The message's bytes on the wire.
std::string Encode(const Message& message);

// The first whole message at the front of the bytes, and how many bytes it took; none while the
// bytes hold only part of one. A header whose magic does not match is not adb's: `damaged` is set.
struct Decoded {
    Message message;
    std::size_t size = 0;
};
std::optional<Decoded> DecodeFront(std::string_view bytes, bool& damaged);

// shell_protocol.h: in a "shell,v2" stream every packet is a one-byte id, a four-byte
// little-endian length and the data.
enum class ShellPacket : std::uint8_t { Stdin = 0, Stdout = 1, Stderr = 2, Exit = 3, CloseStdin = 4 };
std::string ShellPacketBytes(ShellPacket id, std::string_view data);

}  // namespace adb
