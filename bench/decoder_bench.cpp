// Output decoder benchmark: decoding speed in the runner's 1023-byte reads, for output of growing size.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/encoding.h"

namespace {

constexpr std::size_t kReadBytes = 1023;
constexpr std::size_t kMegabyte = 1024 * 1024;

// Output of at least the given size made of one piece repeated after a start.
std::string Output(std::string_view start, std::string_view piece, std::size_t bytes)
{
    std::string output(start);
    while (output.size() < bytes) {
        output += piece;
    }
    return output;
}

double DecodeSeconds(std::string_view output)
{
    auto begin = std::chrono::steady_clock::now();
    OutputDecoder decoder;
    std::size_t shown = 0;
    for (std::size_t at = 0; at < output.size(); at += kReadBytes) {
        shown += decoder.Decode(output.substr(at, kReadBytes)).size();
    }
    shown += decoder.Finish().size();
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - begin;
    if (shown == 0) {
        std::fprintf(stderr, "decoder_bench: nothing decoded\n");
        std::exit(1);
    }
    return seconds.count();
}

void Measure(const char* name, std::string_view start, std::string_view piece, long megabytes)
{
    std::printf("%s:\n", name);
    for (long size = 1; size <= megabytes; size *= 4) {
        std::string output = Output(start, piece, static_cast<std::size_t>(size) * kMegabyte);
        double seconds = DecodeSeconds(output);
        std::printf("  %3ld MB in %.3f s, %.0f MB/s\n", size, seconds, static_cast<double>(size) / seconds);
    }
}

}  // namespace

// decoder_bench [largest output in MB, 16 when left out]; the time should grow with the size alone.
int main(int argc, char** argv)
{
    long megabytes = argc == 2 ? std::atol(argv[1]) : 16;
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: decoder_bench [largest output in MB]\n");
        return 2;
    }
    Measure("ASCII lines", "", "List of devices attached\nPLC0123456789\tdevice\n", megabytes);
    Measure("UTF-8 lines", "", "设备已连接，正在推送文件\n", megabytes);
    // After the "x", no read of 1023 bytes ends on a border of these three-byte characters.
    Measure("one UTF-8 line without ASCII", "x", "中文字符", megabytes);
    Measure("GBK lines", "", "\xD6\xB8\xB6\xA8\xB5\xC4\xC2\xB7\xBE\xB6\xB2\xBB\xB4\xE6\xD4\xDA\r\n", megabytes);
}
