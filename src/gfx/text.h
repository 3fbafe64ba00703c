// Text output onto pixels with the built-in glyphs.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace gfx {

// A surface that text is written onto. `bottomUp` surfaces (the
// framebuffer) store their bottom line first; text positions are always
// counted from the top.
struct Canvas {
    Pixel* pixels;
    int width;
    int height;
    bool bottomUp;
};

enum class Encoding { ShiftJis, Utf8 };

// Writes `text` with the top-left corner of its first cell at (x, y), each
// cell right after the previous one. Set glyph bits take `colour`; clear
// bits leave the pixel alone, or take `background` when it is given.
// Pixels outside the canvas are skipped. Returns the width drawn.
int drawGlyphText(const Canvas& canvas, int x, int y, Pixel colour, const char* text,
                  Encoding encoding, const Pixel* background = nullptr);

// The width `text` would take, in pixels.
int glyphTextWidth(const char* text, Encoding encoding);

// The text-drawing state over the framebuffer pixels, as the game's
// surface carries it.
struct DrawingContext {
    Pixel* pixels;            // the framebuffer, 320 by 240, bottom row first
    std::uint32_t textColour; // 0x00BBGGRR
    bool transparent;         // false: cells are filled with the background colour first
    std::uint32_t backgroundColour;
};

inline DrawingContext makeDrawingContext(Pixel* pixels) {
    return DrawingContext{pixels, 0x00000000u, false, 0x00FFFFFFu};
}

void setTextColour(DrawingContext& context, std::uint32_t colourRef);
void setTransparentBackground(DrawingContext& context);

// Writes the Shift-JIS `text` at the top-down position (x, y) in the
// context's text colour.
void textOut(DrawingContext& context, int x, int y, const char* text);

} // namespace gfx
