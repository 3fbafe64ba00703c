// A picture in memory, the common ground of the icon tool's readers,
// scaler and writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace icon {

// 0xAARRGGBB pixels, top row first; alpha 0 is fully transparent.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Where pixel (x, y) of an image `width` wide is kept.
inline std::size_t pixelIndex(int width, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

// Makes every opaque pixel of colour `rgb` (0xRRGGBB) transparent: the
// game's art draws its see-through parts in pure black.
void makeTransparent(Image& image, std::uint32_t rgb);

// Nearest-neighbour scaling to width by height, so pixel art stays crisp:
// each target pixel takes the source pixel under its centre. Empty when
// either size is not positive or the source's pixels do not fill it.
Image scaleNearest(const Image& source, int width, int height);

// Half the size, each pixel the mean of a 2 by 2 block: the colour of its
// opaque pixels, as opaque as their share, so a small icon keeps the art's
// thin lines. Empty for an odd or empty source.
Image halve(const Image& source);

} // namespace icon
