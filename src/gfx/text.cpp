#include "gfx/text.h"

#include "gfx/glyphs.h"
#include "gfx/sjis.h"

#include <algorithm>
#include <bit>

namespace gfx {
namespace {

constexpr int GLYPH_ROWS = 16;

Decoded decode(const char* text, Encoding encoding) {
    return encoding == Encoding::ShiftJis ? decodeShiftJis(text) : decodeUtf8(text);
}

// The bits of a glyph row (bit 15 is the leftmost column) whose columns
// land inside the canvas when the glyph's left edge is at x.
unsigned visibleColumns(int x, int width, int canvasWidth) {
    const long long from = std::max(0LL, -static_cast<long long>(x));
    const long long to = std::min(static_cast<long long>(width), canvasWidth - 1LL * x);
    if (from >= to) {
        return 0;
    }
    return ((1u << (to - from)) - 1) << (16 - to);
}

void drawGlyph(const Canvas& canvas, int x, int y, Pixel colour, const Glyph& glyph,
               const Pixel* background) {
    const unsigned visible = visibleColumns(x, glyph.width, canvas.width);
    if (visible == 0) {
        return;
    }
    for (int row = 0; row < GLYPH_ROWS; ++row) {
        const int line = y + row;
        if (line < 0 || line >= canvas.height) {
            continue;
        }
        const int stored = canvas.bottomUp ? canvas.height - 1 - line : line;
        // Bit b is column 15 - b; every visible one is inside this row.
        Pixel* out = canvas.pixels + stored * canvas.width;
        const int bitZero = x + 15;
        const unsigned bits = glyph.rows[row] & visible;
        if (background != nullptr) {
            for (unsigned rest = visible & ~bits; rest != 0; rest &= rest - 1) {
                out[bitZero - std::countr_zero(rest)] = *background;
            }
        }
        for (unsigned rest = bits; rest != 0; rest &= rest - 1) {
            out[bitZero - std::countr_zero(rest)] = colour;
        }
    }
}

} // namespace

int drawGlyphText(const Canvas& canvas, int x, int y, Pixel colour, const char* text,
                  Encoding encoding, const Pixel* background) {
    int at = x;
    for (Decoded d = decode(text, encoding); d.length > 0; d = decode(text, encoding)) {
        const Glyph& glyph = findGlyph(d.codepoint);
        drawGlyph(canvas, at, y, colour, glyph, background);
        at += glyph.width;
        text += d.length;
    }
    return at - x;
}

int glyphTextWidth(const char* text, Encoding encoding) {
    int width = 0;
    for (Decoded d = decode(text, encoding); d.length > 0; d = decode(text, encoding)) {
        width += findGlyph(d.codepoint).width;
        text += d.length;
    }
    return width;
}

void setTextColour(DrawingContext& context, std::uint32_t colourRef) {
    context.textColour = colourRef;
}

void setTransparentBackground(DrawingContext& context) {
    context.transparent = true;
}

void textOut(DrawingContext& context, int x, int y, const char* text) {
    const Canvas canvas{context.pixels, FRAME_WIDTH, FRAME_HEIGHT, true};
    const Pixel background = pixelFromColourRef(context.backgroundColour);
    drawGlyphText(canvas, x, y, pixelFromColourRef(context.textColour), text, Encoding::ShiftJis,
                  context.transparent ? nullptr : &background);
}

} // namespace gfx
