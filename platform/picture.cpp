// PNG decoding with libpng's simplified reader, JPEG decoding with libjpeg.
#include "platform/picture.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jpeglib.h>

namespace {

// Larger pictures are refused before any pixel memory is taken: a corrupt or hostile header
// must not make the program ask for gigabytes.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = 32u * 1024 * 1024;

// Both decoders write each pixel as the bytes B, G, R, A: on a little-endian machine that is the
// 0xAARRGGBB of a Picture, so they write straight into its pixels.
static_assert(std::endian::native == std::endian::little);

bool AcceptableSize(std::uint32_t width, std::uint32_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<std::uint64_t>(width) * height <= kMaxPixels;
}

bool LooksLikePng(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<Picture> DecodePng(std::span<const std::uint8_t> bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    if (!AcceptableSize(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    picture.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    // On failure the simplified reader has already released its own state.
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
        return std::nullopt;
    }
    return picture;
}

// libjpeg's default error handling ends the process; errors jump back to the decoder instead.
// Warnings (corrupt or truncated data, which libjpeg would paper over) count as errors too.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

void JumpOnWarning(j_common_ptr info, int level)
{
    if (level < 0) {
        JumpOnError(info);
    }
}

void Quietly(j_common_ptr) {}

// libjpeg decodes at n/8 of the full size for n = 1..8 almost n*n/64 times as fast: the smallest
// n whose result still covers the wanted size is taken.
void ReduceToAtLeast(jpeg_decompress_struct& info, int minWidth, int minHeight)
{
    if (minWidth <= 0 && minHeight <= 0) {
        return;  // no size wanted: the whole picture
    }
    constexpr unsigned kDenominator = 8;
    auto covers = [&info](unsigned numerator, int minWidth, int minHeight) {
        auto reduced = [numerator](JDIMENSION side) { return (side * numerator + kDenominator - 1) / kDenominator; };
        return reduced(info.image_width) >= static_cast<JDIMENSION>(minWidth) &&
               reduced(info.image_height) >= static_cast<JDIMENSION>(minHeight);
    };
    unsigned numerator = 1;
    while (numerator < kDenominator && !covers(numerator, minWidth, minHeight)) {
        ++numerator;
    }
    info.scale_num = numerator;
    info.scale_denom = kDenominator;
}

// Kept apart from DecodeJpeg so that no object with a destructor lives between setjmp and
// longjmp; the rows land in the caller's picture, which outlives the jump.
bool DecompressJpeg(std::span<const std::uint8_t> bytes, Size atLeast, Picture& picture)
{
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOnError;
    errors.manager.emit_message = JumpOnWarning;
    errors.manager.output_message = Quietly;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (!AcceptableSize(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_BGRA;
    ReduceToAtLeast(info, atLeast.width, atLeast.height);
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    while (info.output_scanline < info.output_height) {
        auto* row = reinterpret_cast<JSAMPROW>(picture.pixels.data() + std::size_t{info.output_width} * info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, Size atLeast)
{
    Picture picture;
    if (!DecompressJpeg(bytes, atLeast, picture)) {
        return std::nullopt;
    }
    return picture;
}

}  // namespace

std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, Size atLeast)
{
    if (LooksLikePng(bytes)) {
        return DecodePng(bytes);
    }
    if (LooksLikeJpeg(bytes)) {
        return DecodeJpeg(bytes, atLeast);
    }
    return std::nullopt;
}
