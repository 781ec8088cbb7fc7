// Tests of picture decoding on PNG and JPEG bytes encoded by the tests themselves.
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "platform/picture.h"

namespace {

using ByteVector = std::vector<std::uint8_t>;

// A width x height RGBA picture: red left half, blue right half, the bottom row half transparent.
ByteVector RgbaPixels(int width, int height)
{
    ByteVector rgba;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool left = x < width / 2;
            rgba.insert(rgba.end(), {std::uint8_t(left ? 255 : 0), 0, std::uint8_t(left ? 0 : 255),
                                     std::uint8_t(y == height - 1 ? 128 : 255)});
        }
    }
    return rgba;
}

ByteVector EncodePng(int width, int height, const ByteVector& rgba)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr));
    ByteVector png(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr));
    png.resize(size);
    return png;
}

ByteVector EncodeJpeg(int width, int height, int components)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    // Uniform green (or mid grey) so the lossy round trip stays close to the input.
    ByteVector row(static_cast<std::size_t>(width * components));
    for (int x = 0; x < width; ++x) {
        if (components == 3) {
            row[x * 3 + 1] = 200;
        } else {
            row[x] = 128;
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    ByteVector jpeg(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

TEST(DecodePng, GivesSizeAndArgbPixelsTopToBottom)
{
    auto picture = DecodePicture(EncodePng(4, 3, RgbaPixels(4, 3)));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 4);
    EXPECT_EQ(picture->height, 3);
    ASSERT_EQ(picture->pixels.size(), 12u);
    EXPECT_EQ(picture->pixels[0], 0xFFFF0000u);
    EXPECT_EQ(picture->pixels[3], 0xFF0000FFu);
    EXPECT_EQ(picture->pixels[8], 0x80FF0000u);
}

TEST(DecodeJpeg, GivesSizeAndOpaquePixelsInColourAndGrey)
{
    for (int components : {3, 1}) {
        auto picture = DecodePicture(EncodeJpeg(16, 8, components));
        ASSERT_TRUE(picture.has_value()) << components;
        EXPECT_EQ(picture->width, 16);
        EXPECT_EQ(picture->height, 8);
        ASSERT_EQ(picture->pixels.size(), 128u);
        const int red = components == 3 ? 0 : 128;
        const int green = components == 3 ? 200 : 128;
        for (std::uint32_t pixel : picture->pixels) {
            EXPECT_EQ(Channel(pixel, 24), 0xFF);
            EXPECT_NEAR(Channel(pixel, 16), red, 4) << components;
            EXPECT_NEAR(Channel(pixel, 8), green, 4) << components;
            EXPECT_NEAR(Channel(pixel, 0), red, 4) << components;
        }
    }
}

// A reduced JPEG must still cover the box it is for, or the box would show it enlarged and blurred.
TEST(DecodeJpeg, ComesOutReducedOnlyAsFarAsTheWantedSizeAllows)
{
    ByteVector jpeg = EncodeJpeg(64, 32, 3);
    auto reduced = DecodePicture(jpeg, {10, 10});
    ASSERT_TRUE(reduced.has_value());
    EXPECT_EQ(reduced->width, 24) << "3/8: 2/8 would give a height of 8";
    EXPECT_EQ(reduced->height, 12);
    EXPECT_EQ(reduced->pixels.size(), 24u * 12u);
    auto whole = DecodePicture(jpeg, {65, 1});
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->width, 64) << "never enlarged, never reduced below the wanted size";
}

// The PNG with its IHDR width (bytes 16..19) made 65536 and the checksum after the 13 data bytes
// (29..32) made right again.
ByteVector HugePng()
{
    ByteVector png = EncodePng(1, 1, RgbaPixels(1, 1));
    png[16] = 0x00;
    png[17] = 0x01;
    png[18] = 0x00;
    png[19] = 0x00;
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
    for (int i = 0; i < 4; ++i) {
        png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
    return png;
}

// The JPEG with height and width in its frame header (SOF0, FF C0) made 65535.
ByteVector HugeJpeg()
{
    ByteVector jpeg = EncodeJpeg(8, 8, 3);
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            std::fill(jpeg.begin() + static_cast<std::ptrdiff_t>(i + 5), jpeg.begin() + static_cast<std::ptrdiff_t>(i + 9), 0xFF);
            break;
        }
    }
    return jpeg;
}

TEST(DecodePicture, BytesThatAreNoWholeSoundPictureGiveNothing)
{
    std::vector<std::pair<std::string, ByteVector>> cases = {
        {"nothing", {}},
        {"a GIF header", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
        {"a PNG signature alone", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}},
        {"a JPEG start alone", {0xFF, 0xD8, 0xFF}},
        {"a PNG of a huge declared size", HugePng()},
        {"a JPEG of a huge declared size", HugeJpeg()},
    };
    for (const auto& [name, whole] : {std::pair{"PNG", EncodePng(32, 32, RgbaPixels(32, 32))},
                                      std::pair{"JPEG", EncodeJpeg(32, 32, 3)}}) {
        for (std::size_t quarters = 1; quarters < 4; ++quarters) {
            ByteVector cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * quarters / 4));
            cases.emplace_back(std::string(name) + " cut to " + std::to_string(quarters) + "/4", cut);
        }
        ByteVector broken = whole;
        for (std::size_t i = 40; i < broken.size() / 2; ++i) {
            broken[i] ^= 0x5A;  // the compressed data, the chunk checksums, the JPEG's tables
        }
        cases.emplace_back(std::string(name) + " broken", broken);
    }
    for (const auto& [name, bytes] : cases) {
        EXPECT_FALSE(DecodePicture(bytes).has_value()) << name;
    }
}

}  // namespace
