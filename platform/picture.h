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

// Empty when the bytes are neither a PNG nor a JPEG or are corrupt.
std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes);
