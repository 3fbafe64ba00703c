#include "gfx/blit.h"

#include "gfx/colour.h"
#include "gfx/images.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

std::int32_t translucentAlpha = 200;

namespace {

// A half-open range of source columns n or rows i.
struct Span {
    std::int64_t from;
    std::int64_t to;
};

Span intersect(Span a, Span b) {
    return {std::max(a.from, b.from), std::min(a.to, b.to)};
}

// Where source pixel (n, i) lands: column = columnBase + columnByN * n +
// columnByI * i, and the same for the row. Each orientation moves the
// column with exactly one of n and i, and the row with the other, so
// clipping comes down to one range of n and one range of i.
struct Walk {
    std::int64_t columnBase, columnByN, columnByI;
    std::int64_t rowBase, rowByN, rowByI;
};

Walk walkOf(const BlitRequest& r) {
    const std::int64_t x = r.x;
    const std::int64_t y = r.y;
    const std::int64_t w = r.width;
    const std::int64_t h = r.height;
    switch (r.orientation & 3) {
    case ORIENT_LEFT:
        return {x + w - 1, 0, -1, y, 1, 0};
    case ORIENT_HALF:
        return {x + w - 1, -1, 0, y + h - 1, 0, -1};
    case ORIENT_RIGHT:
        return {x, 0, 1, y + h - 1, -1, 0};
    default:
        return {x, 1, 0, y, 0, 1};
    }
}

// The values of k for which base + step * k lies in [0, limit); step is -1,
// 0 or 1, and 0 leaves every k.
Span inside(std::int64_t base, std::int64_t step, std::int64_t limit) {
    if (step > 0) {
        return {-base, limit - base};
    }
    if (step < 0) {
        return {base - limit + 1, base + 1};
    }
    return {INT64_MIN, INT64_MAX};
}

inline unsigned channel(Pixel p, int shift) {
    return p >> shift & 0xFFu;
}

// mixColour's weighted sums for the weights the blend modes use, written so
// that a row of them can be vectorised. With weights summing to 255 the
// floor of v / 255 (v up to 255 * 255) is ((v + 1) * 257) >> 16; with both
// weights 255 the sum is just the two bytes added.
inline Pixel translucent(Pixel s, Pixel d, unsigned alpha) {
    Pixel result = s & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned v = channel(s, shift) * alpha + channel(d, shift) * (255 - alpha);
        result |= static_cast<Pixel>(((v + 1) * 257) >> 16) << shift;
    }
    return result;
}

// Blue, green and red of s and d added with saturation at 255, all three at
// once: the low seven bits of each byte are added without carries between
// bytes, and a byte whose true sum passes 255 is filled with ones.
inline Pixel added(Pixel s, Pixel d) {
    const Pixel low = (s & 0x7F7F7F7Fu) + (d & 0x7F7F7F7Fu);
    const Pixel sum = low ^ ((s ^ d) & 0x80808080u);
    const Pixel carry = ((s & d) | ((s | d) & ~sum)) & 0x80808080u;
    const Pixel saturated = sum | (carry - (carry >> 7)) | carry;
    return (saturated & 0x00FFFFFFu) | (s & 0xFF000000u);
}

template <int Mode> inline Pixel blended(Pixel s, Pixel d, unsigned alpha) {
    if constexpr (Mode == BLEND_COPY) {
        return s;
    } else if constexpr (Mode == BLEND_TRANSLUCENT) {
        return translucent(s, d, alpha);
    } else if constexpr (Mode == BLEND_ADD) {
        return added(s, d);
    } else {
        return added(s, s);
    }
}

// One source row's visible run. Every pixel of the run is stored, the old
// value where the source is black, so the loop has no branch to stop it
// being vectorised.
#if defined(__SSE2__)
// Four pixels at a time for the two saturating modes, which x86 adds in one
// instruction; the fourth byte comes from the source as in mixColour.
template <int Mode> std::int64_t drawQuads(Pixel* out, const Pixel* in, std::int64_t count) {
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    const __m128i zero = _mm_setzero_si128();
    std::int64_t k = 0;
    for (; k + 4 <= count; k += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + k));
        const __m128i sum = _mm_adds_epu8(s, Mode == BLEND_ADD ? d : s);
        const __m128i value =
            _mm_or_si128(_mm_and_si128(sum, colours), _mm_andnot_si128(colours, s));
        const __m128i black = _mm_cmpeq_epi32(_mm_and_si128(s, colours), zero);
        const __m128i kept = _mm_or_si128(_mm_and_si128(black, d), _mm_andnot_si128(black, value));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), kept);
    }
    return k;
}
#endif

template <int Mode>
void drawRun(Pixel* out, std::ptrdiff_t step, const Pixel* in, std::int64_t count, unsigned alpha) {
    if (step == 1) {
        std::int64_t k = 0;
#if defined(__SSE2__)
        if constexpr (Mode == BLEND_ADD || Mode == BLEND_DOUBLE) {
            k = drawQuads<Mode>(out, in, count);
        }
#endif
        for (; k < count; ++k) {
            const Pixel s = in[k];
            out[k] = (s & 0x00FFFFFFu) != 0 ? blended<Mode>(s, out[k], alpha) : out[k];
        }
        return;
    }
    for (std::int64_t k = 0; k < count; ++k) {
        const Pixel s = in[k];
        Pixel& d = out[k * step];
        d = (s & 0x00FFFFFFu) != 0 ? blended<Mode>(s, d, alpha) : d;
    }
}

template <int Mode> void drawAll(const BlitRequest& r, const Walk& w, Span n, Span i) {
    const unsigned alpha = static_cast<unsigned>(translucentAlpha) & 0xFFu;
    const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(w.rowByN * FRAME_WIDTH + w.columnByN);
    const std::ptrdiff_t nextRow =
        static_cast<std::ptrdiff_t>(w.rowByI * FRAME_WIDTH + w.columnByI);
    const std::int64_t column = w.columnBase + w.columnByN * n.from + w.columnByI * i.from;
    const std::int64_t row = w.rowBase + w.rowByN * n.from + w.rowByI * i.from;
    const std::int64_t count = n.to - n.from;
    Pixel* out = r.target + row * FRAME_WIDTH + column;
    const Pixel* in =
        SpriteSheet.pixels + (r.srcY + i.from) * SpriteSheet.width + (r.srcX + n.from);
    for (std::int64_t k = i.from; k < i.to; ++k) {
        drawRun<Mode>(out, step, in, count, alpha);
        // The last row leaves both pointers one step past their rows; they
        // are not used again.
        if (k + 1 < i.to) {
            out += nextRow;
            in += SpriteSheet.width;
        }
    }
}

} // namespace

int blit(BlitRequest r) {
    if (r.height <= 0 || r.width <= 0 || r.blendMode < BLEND_COPY || r.blendMode > BLEND_DOUBLE ||
        SpriteSheet.pixels == nullptr) {
        return 1;
    }
    // Pixels off the screen are dropped, each axis on its own, so a sprite at
    // a screen edge is cut off there instead of wrapping into the next row;
    // pixels beyond the sheet read as black, which is transparent.
    const Walk w = walkOf(r);
    Span n{0, r.width};
    Span i{0, r.height};
    n = intersect(n,
                  {-static_cast<std::int64_t>(r.srcX), SpriteSheet.width - std::int64_t{r.srcX}});
    i = intersect(i,
                  {-static_cast<std::int64_t>(r.srcY), SpriteSheet.height - std::int64_t{r.srcY}});
    n = intersect(n, inside(w.columnBase, w.columnByN, FRAME_WIDTH));
    n = intersect(n, inside(w.rowBase, w.rowByN, FRAME_HEIGHT));
    i = intersect(i, inside(w.columnBase, w.columnByI, FRAME_WIDTH));
    i = intersect(i, inside(w.rowBase, w.rowByI, FRAME_HEIGHT));
    if (n.from >= n.to || i.from >= i.to) {
        return 1;
    }
    switch (r.blendMode) {
    case BLEND_COPY:
        drawAll<BLEND_COPY>(r, w, n, i);
        break;
    case BLEND_TRANSLUCENT:
        drawAll<BLEND_TRANSLUCENT>(r, w, n, i);
        break;
    case BLEND_ADD:
        drawAll<BLEND_ADD>(r, w, n, i);
        break;
    default:
        drawAll<BLEND_DOUBLE>(r, w, n, i);
        break;
    }
    return 1;
}

} // namespace gfx
