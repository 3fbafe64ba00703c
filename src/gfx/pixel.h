// 32-bit pixels as the framebuffer and every image hold them: in memory
// blue, green, red, then a fourth byte that is never shown.
#pragma once

#include "platform/frame.h"

#include <bit>
#include <cstdint>

namespace gfx {

static_assert(std::endian::native == std::endian::little,
              "pixels are handled as little-endian 32-bit words");

using Pixel = std::uint32_t;

using platform::FRAME_HEIGHT;
using platform::FRAME_PIXELS;
using platform::FRAME_WIDTH;

constexpr Pixel makePixel(int red, int green, int blue) {
    return static_cast<Pixel>(blue) | static_cast<Pixel>(green) << 8 |
           static_cast<Pixel>(red) << 16;
}

constexpr int blueOf(Pixel p) {
    return static_cast<int>(p & 0xFF);
}
constexpr int greenOf(Pixel p) {
    return static_cast<int>(p >> 8 & 0xFF);
}
constexpr int redOf(Pixel p) {
    return static_cast<int>(p >> 16 & 0xFF);
}

// A colour reference in the 0x00BBGGRR form that text colours use.
constexpr Pixel pixelFromColourRef(std::uint32_t ref) {
    return makePixel(static_cast<int>(ref & 0xFF), static_cast<int>(ref >> 8 & 0xFF),
                     static_cast<int>(ref >> 16 & 0xFF));
}

} // namespace gfx
