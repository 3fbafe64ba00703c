#include "gfx/text.h"

#include "gfx/glyphs.h"
#include "gfx/sjis.h"

namespace gfx {
namespace {

constexpr int GLYPH_ROWS = 16;

Decoded decode(const char* text, Encoding encoding) {
    return encoding == Encoding::ShiftJis ? decodeShiftJis(text) : decodeUtf8(text);
}

void drawGlyph(const Canvas& canvas, int x, int y, Pixel colour, const Glyph& glyph,
               const Pixel* background) {
    for (int row = 0; row < GLYPH_ROWS; ++row) {
        const int line = y + row;
        if (line < 0 || line >= canvas.height) {
            continue;
        }
        const int stored = canvas.bottomUp ? canvas.height - 1 - line : line;
        Pixel* out = canvas.pixels + stored * canvas.width;
        const unsigned bits = glyph.rows[row];
        for (int column = 0; column < glyph.width; ++column) {
            const int at = x + column;
            if (at < 0 || at >= canvas.width) {
                continue;
            }
            if ((bits >> (15 - column) & 1u) != 0) {
                out[at] = colour;
            } else if (background != nullptr) {
                out[at] = *background;
            }
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
