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

Image halve(const Image& source) {
    Image out;
    if (source.width <= 0 || source.height <= 0 || source.width % 2 != 0 ||
        source.height % 2 != 0 ||
        source.pixels.size() != pixelIndex(source.width, 0, source.height)) {
        return out;
    }
    out.width = source.width / 2;
    out.height = source.height / 2;
    out.pixels.resize(pixelIndex(out.width, 0, out.height));
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            unsigned red = 0;
            unsigned green = 0;
            unsigned blue = 0;
            unsigned opaque = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const std::uint32_t p =
                        source.pixels[pixelIndex(source.width, 2 * x + dx, 2 * y + dy)];
                    if ((p >> 24) != 0) {
                        red += p >> 16 & 0xFF;
                        green += p >> 8 & 0xFF;
                        blue += p & 0xFF;
                        ++opaque;
                    }
                }
            }
            std::uint32_t pixel = 0;
            if (opaque > 0) {
                const unsigned alpha = (255 * opaque + 2) / 4;
                pixel = alpha << 24 | (red + opaque / 2) / opaque << 16 |
                        (green + opaque / 2) / opaque << 8 | (blue + opaque / 2) / opaque;
            }
            out.pixels[pixelIndex(out.width, x, y)] = pixel;
        }
    }
    return out;
}

} // namespace icon
