// A framebuffer and sprite sheet of a test's own.
#pragma once

#include "gfx/image.h"
#include "gfx/images.h"
#include "gfx/pixel.h"

#include <vector>

namespace testsupport {

struct Framebuffer {
    std::vector<gfx::Pixel> pixels = std::vector<gfx::Pixel>(gfx::FRAME_PIXELS, 0);

    gfx::Pixel* data() { return pixels.data(); }
    // Column c of row r, rows counted upward from the bottom line.
    gfx::Pixel& at(int c, int r) { return pixels[r * gfx::FRAME_WIDTH + c]; }
    // Column c of line t, lines counted downward from the top.
    gfx::Pixel& atTop(int c, int t) { return at(c, gfx::FRAME_HEIGHT - 1 - t); }
};

// Installs a blank 256 by 160 sheet as the game's SpriteSheet for the
// test's lifetime.
struct ScopedSheet {
    gfx::Image saved = gfx::SpriteSheet;
    ScopedSheet() { gfx::SpriteSheet = gfx::createImage(256, 160); }
    ~ScopedSheet() {
        gfx::releaseImage(gfx::SpriteSheet);
        gfx::SpriteSheet = saved;
    }
    ScopedSheet(const ScopedSheet&) = delete;
    ScopedSheet& operator=(const ScopedSheet&) = delete;
    gfx::Pixel& at(int u, int v) { return gfx::SpriteSheet.pixels[v * 256 + u]; }
};

} // namespace testsupport
