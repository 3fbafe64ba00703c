#include "support/reference_blit.h"

#include "gfx/colour.h"

namespace testsupport {
namespace {

// Where source pixel (n, i) of a width by height rectangle lands, relative
// to the request's corner, for each of the four turns.
void landing(int orientation, int n, int i, int width, int height, int& dx, int& dy) {
    switch (orientation & 3) {
    case gfx::ORIENT_UPRIGHT:
        dx = n;
        dy = i;
        return;
    case gfx::ORIENT_LEFT:
        dx = width - 1 - i;
        dy = n;
        return;
    case gfx::ORIENT_HALF:
        dx = width - 1 - n;
        dy = height - 1 - i;
        return;
    default:
        dx = i;
        dy = height - 1 - n;
        return;
    }
}

} // namespace

void referenceBlit(const gfx::BlitRequest& r, const gfx::Image& sheet, int alpha) {
    if (r.width <= 0 || r.height <= 0) {
        return;
    }
    if (r.blendMode < gfx::BLEND_COPY || r.blendMode > gfx::BLEND_DOUBLE) {
        return;
    }
    const int a = alpha & 0xFF;
    for (int i = 0; i < r.height; ++i) {
        for (int n = 0; n < r.width; ++n) {
            gfx::Pixel s = gfx::imagePixelOrBlack(sheet, r.srcX + n, r.srcY + i);
            if ((s & 0x00FFFFFFu) == 0) {
                continue; // pure black is transparent
            }
            int dx = 0;
            int dy = 0;
            landing(r.orientation, n, i, r.width, r.height, dx, dy);
            const int column = r.x + dx;
            const int row = r.y + dy;
            if (column < 0 || column >= gfx::FRAME_WIDTH || row < 0 || row >= gfx::FRAME_HEIGHT) {
                continue;
            }
            gfx::Pixel& d = r.target[row * gfx::FRAME_WIDTH + column];
            switch (r.blendMode) {
            case gfx::BLEND_COPY:
                d = s;
                break;
            case gfx::BLEND_TRANSLUCENT:
                d = gfx::mixColour(s, a, d, 255 - a);
                break;
            case gfx::BLEND_ADD:
                d = gfx::mixColour(s, 255, d, 255);
                break;
            default:
                d = gfx::mixColour(s, 255, s, 255);
                break;
            }
        }
    }
}

} // namespace testsupport
