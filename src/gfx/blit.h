// The one routine that puts sprites from the sheet onto the screen.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace gfx {

enum Orientation : std::int32_t {
    ORIENT_UPRIGHT = 0,
    ORIENT_LEFT = 1, // quarter turn counterclockwise
    ORIENT_HALF = 2,
    ORIENT_RIGHT = 3, // quarter turn clockwise
};

enum BlendMode : std::int32_t {
    BLEND_COPY = 0,
    BLEND_TRANSLUCENT = 1,
    BLEND_ADD = 2,
    BLEND_DOUBLE = 3,
};

// The sprite's weight in BLEND_TRANSLUCENT; the screen gets 255 minus it.
extern std::int32_t translucentAlpha;

struct BlitRequest {
    Pixel* target;  // the framebuffer, 320 by 240, bottom row first
    std::int32_t x; // left edge on screen
    std::int32_t y; // bottom edge on screen, counted upward
    std::int32_t width;
    std::int32_t height;
    std::int32_t srcX; // sheet column of the source's left edge
    std::int32_t srcY; // sheet row of the source's bottom edge, counted upward
    std::int32_t orientation;
    std::int32_t blendMode;
};

// Draws one sheet rectangle; pure black source pixels are transparent and
// only pixels that land on the screen are written. Returns 1.
int blit(BlitRequest request);

} // namespace gfx
