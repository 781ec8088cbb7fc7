// Helper of desktop_console_test: writes one line of the given number of bytes without a line
// break, the numbers from 0 on one after another; the first half goes to standard output, the rest
// to standard error, so that the line goes on across both streams.
#include "platform/win32/windows_api.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

// Written straight to the handle: nothing stays in a buffer when the other stream takes over.
void Write(DWORD stream, std::string_view bytes)
{
    HANDLE handle = GetStdHandle(stream);
    for (std::size_t at = 0; at < bytes.size(); at += kBlockBytes) {
        std::string_view block = bytes.substr(at, kBlockBytes);
        DWORD written = 0;
        WriteFile(handle, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t bytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0;
    std::string line;
    for (unsigned number = 0; line.size() < bytes; ++number) {
        line += std::to_string(number);
    }
    line.resize(bytes);
    std::string_view all(line);
    Write(STD_OUTPUT_HANDLE, all.substr(0, bytes / 2));
    Write(STD_ERROR_HANDLE, all.substr(bytes / 2));
    return 0;
}
