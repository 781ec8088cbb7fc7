// Picture boxes: the decoded picture made opaque over the background and scaled once to the whole box.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/win32/live_window.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// 0xAARRGGBB over the background gives 0x00RRGGBB, which is what a 32-bit DIB holds in memory.
void MakeOpaque(Pixels& pixels, COLORREF background)
{
    const std::uint32_t backR = GetRValue(background), backG = GetGValue(background), backB = GetBValue(background);
    for (std::uint32_t& pixel : pixels) {
        std::uint32_t alpha = pixel >> 24;
        auto blend = [alpha](std::uint32_t front, std::uint32_t back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
        pixel = (blend(Channel(pixel, 16), backR) << 16) | (blend(Channel(pixel, 8), backG) << 8) |
                blend(Channel(pixel, 0), backB);
    }
}

// The source cells [first, last) that destination cell `index` of `count` covers: an average of
// several when shrinking, the nearest one when enlarging.
std::pair<int, int> SourceSpan(int index, int count, int sourceCount)
{
    int first = static_cast<int>(static_cast<std::int64_t>(index) * sourceCount / count);
    int last = static_cast<int>(static_cast<std::int64_t>(index + 1) * sourceCount / count);
    return {first, std::max(last, first + 1)};
}

// Resamples `lines` lines of `sourceCount` cells each to `count` cells: `from(line, cell)` finds a
// source cell, `to(line, index)` the result's.
template <typename From, typename To>
void ResampleLines(const Pixels& source, Pixels& result, int lines, int sourceCount, int count, From from, To to)
{
    for (int line = 0; line < lines; ++line) {
        for (int index = 0; index < count; ++index) {
            auto [first, last] = SourceSpan(index, count, sourceCount);
            std::uint32_t r = 0, g = 0, b = 0;
            for (int cell = first; cell < last; ++cell) {
                std::uint32_t pixel = source[from(line, cell)];
                r += Channel(pixel, 16);
                g += Channel(pixel, 8);
                b += Channel(pixel, 0);
            }
            std::uint32_t n = static_cast<std::uint32_t>(last - first);
            result[to(line, index)] = ((r / n) << 16) | ((g / n) << 8) | (b / n);
        }
    }
}

// Rows first, then columns, each pass into a buffer of its own size; the source's pixels go as
// soon as the rows are done, so that at most two of the three are held at once.
Picture Scale(Picture source, int width, int height)
{
    auto rowMajor = [](int stride) {
        return [stride](int row, int column) { return static_cast<std::size_t>(row) * stride + column; };
    };
    auto columnMajor = [](int stride) {
        return [stride](int column, int row) { return static_cast<std::size_t>(row) * stride + column; };
    };
    Pixels rows(static_cast<std::size_t>(source.height) * width);
    ResampleLines(source.pixels, rows, source.height, source.width, width, rowMajor(source.width), rowMajor(width));
    const int sourceHeight = source.height;
    source.pixels = Pixels();
    Picture scaled{width, height, Pixels(static_cast<std::size_t>(width) * height)};
    ResampleLines(rows, scaled.pixels, width, sourceHeight, height, columnMajor(width), columnMajor(width));
    return scaled;
}

}  // namespace

std::optional<Picture> PrepareBoxPicture(std::span<const std::uint8_t> bytes, int width, int height,
                                         COLORREF background)
{
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    std::optional<Picture> decoded = DecodePicture(bytes, {width, height});
    if (!decoded || decoded->width <= 0 || decoded->height <= 0 ||
        decoded->pixels.size() != static_cast<std::size_t>(decoded->width) * decoded->height) {
        return std::nullopt;
    }
    MakeOpaque(decoded->pixels, background);
    return Scale(std::move(*decoded), width, height);
}

void DrawPicture(HDC dc, const Picture& picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, picture.width, picture.height, 0, 0, 0, picture.height, picture.pixels.data(), &info,
                      DIB_RGB_COLORS);
}
