// The built-in bitmap font: GNU Unifont glyphs, 16 rows tall, 8 or 16
// columns wide, generated at build time for the code points the game uses.
#pragma once

#include <cstdint>

namespace gfx {

struct Glyph {
    std::uint32_t codepoint;
    std::uint8_t width;     // 8 or 16
    std::uint16_t rows[16]; // top row first; the leftmost pixel is bit 15
};

extern const Glyph GLYPHS[]; // sorted by code point
extern const int GLYPH_COUNT;

constexpr std::uint32_t REPLACEMENT_CHARACTER = 0xFFFD;

// The glyph of `codepoint`, or the replacement glyph when the font lacks it.
const Glyph& findGlyph(std::uint32_t codepoint);

} // namespace gfx
