// Decoding the PNG and JPEG pictures of picture boxes, for every window system.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
};

struct Size {
    int width = 0;
    int height = 0;
};

// Empty when the bytes are neither a PNG nor a JPEG or are corrupt. A JPEG may come out reduced
// (to 1/8 .. 7/8 of its size) where that still covers `atLeast` in both directions; a PNG, or a
// JPEG with no size wanted, comes out whole.
std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, Size atLeast = {});
