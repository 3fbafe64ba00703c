// Images of 32-bit pixels, bottom row first, rows exactly `width` long.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace gfx {

struct Image {
    std::int32_t width;
    std::int32_t height;
    Pixel* pixels; // width * height pixels, bottom row first
};

// A black image. A block that cannot be obtained stays null; nothing is
// written through it.
Image createImage(std::int32_t width, std::int32_t height);

// Frees the pixels if there are any. The record must not be used after.
void releaseImage(const Image& image);

// Pixel (column, row) of the image, or black where the image has none.
inline Pixel imagePixelOrBlack(const Image& image, int column, int row) {
    if (image.pixels == nullptr || column < 0 || row < 0 || column >= image.width ||
        row >= image.height) {
        return 0;
    }
    return image.pixels[static_cast<long>(row) * image.width + column];
}

} // namespace gfx
