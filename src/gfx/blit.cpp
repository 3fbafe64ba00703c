#include "gfx/blit.h"

#include "gfx/colour.h"
#include "gfx/images.h"

namespace gfx {

std::int32_t translucentAlpha = 200;

namespace {

struct Offset {
    int tx;
    int ty;
};

Offset place(int orientation, int n, int i, int width, int height) {
    switch (orientation & 3) {
    case ORIENT_LEFT:
        return {width - 1 - i, n};
    case ORIENT_HALF:
        return {width - 1 - n, height - 1 - i};
    case ORIENT_RIGHT:
        return {i, height - 1 - n};
    default:
        return {n, i};
    }
}

} // namespace

int blit(BlitRequest r) {
    if (r.height <= 0 || r.width <= 0 || r.blendMode < BLEND_COPY || r.blendMode > BLEND_DOUBLE) {
        return 1;
    }
    const int alpha = translucentAlpha & 0xFF;
    for (int i = 0; i < r.height; ++i) {
        for (int n = 0; n < r.width; ++n) {
            const Offset o = place(r.orientation, n, i, r.width, r.height);
            const int column = r.x + o.tx;
            const int row = r.y + o.ty;
            // Each axis is clipped on its own, so a sprite at a screen edge
            // is cut off there instead of wrapping into the next row.
            if (column < 0 || column >= FRAME_WIDTH || row < 0 || row >= FRAME_HEIGHT) {
                continue;
            }
            Pixel s = imagePixelOrBlack(SpriteSheet, r.srcX + n, r.srcY + i);
            if ((s & 0x00FFFFFFu) == 0) {
                continue;
            }
            Pixel& d = r.target[row * FRAME_WIDTH + column];
            switch (r.blendMode) {
            case BLEND_COPY:
                d = s;
                break;
            case BLEND_TRANSLUCENT:
                d = mixColour(s, alpha, d, 255 - alpha);
                break;
            case BLEND_ADD:
                d = mixColour(s, 255, d, 255);
                break;
            default:
                d = mixColour(s, 255, s, 255);
                break;
            }
        }
    }
    return 1;
}

} // namespace gfx
