#include "image.h"

namespace icon {

void makeTransparent(Image& image, std::uint32_t rgb) {
    for (std::uint32_t& pixel : image.pixels) {
        if (pixel == (0xFF000000u | rgb)) {
            pixel = 0;
        }
    }
}

Image scaleNearest(const Image& source, int width, int height) {
    Image out;
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0 ||
        source.pixels.size() != pixelIndex(source.width, 0, source.height)) {
        return out;
    }
    out.width = width;
    out.height = height;
    out.pixels.resize(pixelIndex(width, 0, height));
    for (int y = 0; y < height; ++y) {
        // The centre of target row y, (y + 1/2) * source / target, in integers.
        const auto sy = static_cast<int>((2LL * y + 1) * source.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const auto sx = static_cast<int>((2LL * x + 1) * source.width / (2LL * width));
            out.pixels[pixelIndex(width, x, y)] = source.pixels[pixelIndex(source.width, sx, sy)];
        }
    }
    return out;
}

} // namespace icon
