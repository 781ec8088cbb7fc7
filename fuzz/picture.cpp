// Fuzzes the picture decoder with any bytes, PNG and JPEG alike.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "fuzz/check.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::optional<Picture> picture = DecodePicture(std::span<const std::uint8_t>(data, size));
    if (picture) {
        FUZZ_CHECK(picture->width > 0 && picture->width <= 16384);
        FUZZ_CHECK(picture->height > 0 && picture->height <= 16384);
        FUZZ_CHECK(picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height);
    }
    return 0;
}
