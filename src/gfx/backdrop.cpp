#include "gfx/backdrop.h"

#include "gfx/images.h"

#include <algorithm>
#include <cstring>

namespace gfx {

std::int32_t backdropOffset = 0;

namespace {

// Copies backdrop columns [from, from + count) of `row` to framebuffer
// columns starting at `to`. Where the backdrop has no pixel (a fallback
// image smaller than the screen) the copy reads black.
void copyRun(Pixel* target, int row, int from, int to, int count) {
    Pixel* out = target + row * FRAME_WIDTH + to;
    int have = 0; // leading columns of the run that the backdrop has
    if (Backdrop.pixels != nullptr && row < Backdrop.height) {
        have = std::clamp(Backdrop.width - from, 0, count);
    }
    if (have > 0) {
        std::memcpy(out, Backdrop.pixels + static_cast<long>(row) * Backdrop.width + from,
                    static_cast<std::size_t>(have) * sizeof(Pixel));
    }
    std::fill(out + have, out + count, Pixel{0});
}

} // namespace

int scrollBackdrop(Pixel* target) {
    backdropOffset = (backdropOffset + 1) % FRAME_WIDTH;
    const int o = backdropOffset;
    if (Backdrop.pixels != nullptr && Backdrop.width == FRAME_WIDTH &&
        Backdrop.height >= FRAME_HEIGHT) {
        // The whole picture moved right by o pixels is the whole array moved
        // by o; only the o pixels that wrap at each row's start differ.
        std::memcpy(target + o, Backdrop.pixels, (FRAME_PIXELS - o) * sizeof(Pixel));
        for (int row = 0; row < FRAME_HEIGHT; ++row) {
            const Pixel* tail = Backdrop.pixels + row * FRAME_WIDTH + FRAME_WIDTH - o;
            std::copy(tail, tail + o, target + row * FRAME_WIDTH);
        }
        return 1;
    }
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        copyRun(target, row, 0, o, FRAME_WIDTH - o);
        if (o > 0) {
            copyRun(target, row, FRAME_WIDTH - o, 0, o);
        }
    }
    return 1;
}

} // namespace gfx
