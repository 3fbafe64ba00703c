#include "menubar/compose.h"

#include "platform/frame.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace menubar {
namespace {

using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;

void fill(std::uint32_t* row, int count, std::uint32_t colour) {
    if (count > 0) {
        std::fill(row, row + count, colour);
    }
}

// One frame line stretched to `width` columns, nearest pixel.
void stretchLine(std::uint32_t* out, const std::uint32_t* line, int width) {
    if (width == FRAME_WIDTH) {
#if defined(__SSE2__)
        // The window's pixels are read by the display, not by us: streaming
        // them past the cache keeps the game's own pictures in it.
        if (reinterpret_cast<std::uintptr_t>(out) % 16 == 0) {
            for (int c = 0; c < FRAME_WIDTH; c += 4) {
                _mm_stream_si128(reinterpret_cast<__m128i*>(out + c),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + c)));
            }
            return;
        }
#endif
        // A run-time length keeps this a call of the library's copy.
        std::memcpy(out, line, static_cast<std::size_t>(width) * sizeof *out);
        return;
    }
    if (width == 2 * FRAME_WIDTH) {
        for (int c = 0; c < FRAME_WIDTH; ++c) {
            out[2 * c] = line[c];
            out[2 * c + 1] = line[c];
        }
        return;
    }
    if (width % FRAME_WIDTH == 0) {
        const int factor = width / FRAME_WIDTH;
        for (int c = 0; c < FRAME_WIDTH; ++c) {
            std::fill(out + factor * c, out + factor * (c + 1), line[c]);
        }
        return;
    }
    for (int x = 0; x < width; ++x) {
        out[x] = line[static_cast<long>(x) * FRAME_WIDTH / width];
    }
}

std::uint32_t over(std::uint32_t top, std::uint32_t below) {
    const std::uint32_t alpha = top >> 24;
    if (alpha == 0xFF) {
        return top & 0x00FFFFFFu;
    }
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t a = top >> shift & 0xFF;
        const std::uint32_t b = below >> shift & 0xFF;
        result |= (a * alpha + b * (255 - alpha)) / 255 << shift;
    }
    return result;
}

} // namespace

MenuPicture measureMenuPicture(const std::uint32_t* pixels, int width, int height) {
    MenuPicture menu{pixels, width, height, height, 0};
    for (int row = 0; row < height; ++row) {
        bool opaque = true;
        bool shown = false;
        for (int column = 0; column < width; ++column) {
            const std::uint32_t alpha = pixels[static_cast<long>(row) * width + column] >> 24;
            opaque = opaque && alpha == 0xFF;
            shown = shown || alpha != 0;
        }
        if (!opaque && menu.opaqueRows == height) {
            menu.opaqueRows = row;
        }
        if (shown) {
            menu.shownRows = row + 1;
        }
    }
    menu.opaqueRows = std::min(menu.opaqueRows, menu.shownRows);
    return menu;
}

void composeWindow(const WindowPixels& target, const std::uint32_t* frame,
                   const platform::FramePlacement& at, const MenuPicture& menu) {
    const int menuColumns = std::min(menu.width, target.width);
    // The columns of the window the frame covers.
    const int left = std::clamp(at.x, 0, target.width);
    const int right = std::clamp(at.x + at.width, left, target.width);
    for (int y = 0; y < target.height; ++y) {
        std::uint32_t* out = target.pixels + static_cast<std::ptrdiff_t>(y) * target.pitch;
        if (y < menu.opaqueRows && menuColumns == target.width) {
            const std::uint32_t* menuRow =
                menu.pixels + static_cast<std::ptrdiff_t>(y) * menu.width;
            for (int x = 0; x < menuColumns; ++x) {
                out[x] = menuRow[x] & 0x00FFFFFFu;
            }
            continue;
        }
        const int line = y - at.y; // frame line counted from the top
        if (frame != nullptr && line >= 0 && line < at.height && right > left) {
            const int t = static_cast<int>(static_cast<long>(line) * FRAME_HEIGHT / at.height);
            const std::uint32_t* source =
                frame + static_cast<std::ptrdiff_t>(FRAME_HEIGHT - 1 - t) * FRAME_WIDTH;
            fill(out, left, at.background);
            if (left == at.x && right - left == at.width) {
                stretchLine(out + left, source, at.width);
            } else {
                for (int x = left; x < right; ++x) {
                    out[x] = source[static_cast<long>(x - at.x) * FRAME_WIDTH / at.width];
                }
            }
            fill(out + right, target.width - right, at.background);
        } else {
            fill(out, target.width, at.background);
        }
        if (y < menu.shownRows) {
            const std::uint32_t* menuRow =
                menu.pixels + static_cast<std::ptrdiff_t>(y) * menu.width;
            for (int x = 0; x < menuColumns; ++x) {
                if (menuRow[x] >> 24 != 0) {
                    out[x] = over(menuRow[x], out[x]);
                }
            }
        }
    }
#if defined(__SSE2__)
    _mm_sfence(); // the streamed pixels are all written before the display reads them
#endif
}

} // namespace menubar
