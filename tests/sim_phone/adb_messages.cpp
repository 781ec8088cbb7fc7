// adb's message header and shell packets: little-endian words, the checksum and the magic.
#include "sim_phone/adb_messages.h"

namespace adb {
namespace {

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

// The sum of the payload's bytes, which hosts before A_VERSION 0x01000001 check.
std::uint32_t Checksum(std::string_view payload)
{
    std::uint32_t sum = 0;
    for (unsigned char byte : payload) {
        sum += byte;
    }
    return sum;
}

}  // namespace

std::string Encode(const Message& message)
{
    std::string bytes;
    for (std::uint32_t word : {message.command, message.arg0, message.arg1,
                               static_cast<std::uint32_t>(message.payload.size()), Checksum(message.payload),
                               message.command ^ 0xffffffffU}) {
        PutWord(bytes, word);
    }
    return bytes + message.payload;
}

std::optional<Decoded> DecodeFront(std::string_view bytes, bool& damaged)
{
    damaged = false;
    if (bytes.size() < kHeaderSize) {
        return std::nullopt;
    }
    Message message{WordAt(bytes, 0), WordAt(bytes, 4), WordAt(bytes, 8), {}};
    std::uint32_t length = WordAt(bytes, 12);
    if (WordAt(bytes, 20) != (message.command ^ 0xffffffffU) || length > kMaxPayload * 4) {
        damaged = true;
        return std::nullopt;
    }
    if (bytes.size() < kHeaderSize + length) {
        return std::nullopt;
    }
    message.payload = std::string(bytes.substr(kHeaderSize, length));
    return Decoded{std::move(message), kHeaderSize + length};
}

std::string ShellPacketBytes(ShellPacket id, std::string_view data)
{
    std::string bytes(1, static_cast<char>(id));
    PutWord(bytes, static_cast<std::uint32_t>(data.size()));
    return bytes.append(data);
}

}  // namespace adb
